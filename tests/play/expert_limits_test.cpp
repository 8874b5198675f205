#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <tuple>

#include "core/expert.h"
#include "play/match.h"
#include "play/positions.h"

namespace kp {
namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Moves claimed at random (a joined pair together) until `left` are free.
std::vector<char> randomPosition(const BoardGraph& g, int left, Random& random) {
  std::vector<char> claimed(std::size_t(g.lineCount) + 1, 0);
  while (freeMoves(g, claimed) > left) {
    const int l = random.pick(g.lineCount);
    claimed[l] = 1;
    claimed[g.partner[l]] = g.partner[l] != 0;  // index 0 stays unused
  }
  return claimed;
}

// A position the exact search does not finish within a million positions (a third of a
// second or so): far more than any limit below allows.
struct Hard {
  BoardGraph g;
  std::vector<char> claimed;
};
const Hard& hardPosition() {
  static const Hard hard = [] {
    Hard h{tolvaBoard("square", 0).graph, {}};
    Random random(7);
    for (int k = 0; k < 50; ++k) {
      h.claimed = randomPosition(h.g, 34, random);
      if (!analyseTolva(h.g, h.claimed, {.nodes = 1'000'000}).exact) return h;
    }
    throw std::logic_error("no hard position");
  }();
  return hard;
}

// Every limit ends the search early, and the Expert then answers as on a spent node budget:
// with the chain analysis.
TEST(ExpertLimits, EveryLimitFallsBackToTheChainAnalysis) {
  const Hard& hard = hardPosition();
  const ExpertAnalysis fallback = analyseTolva(hard.g, hard.claimed, {.nodes = 1});
  ASSERT_FALSE(fallback.best.empty());
  const std::atomic<bool> stopped{true};
  struct Case {
    const char* name;
    ExpertLimits limits;
    int stopAfterMs;  // the stop flag set by another thread after this long (-1: never)
  };
  const Case cases[] = {
      {"node budget", {.nodes = 1000}, -1},
      {"time budget", {.nodes = 0, .thinkMs = 30}, -1},
      {"stopped before it starts", {.nodes = 0, .stop = &stopped}, -1},
      {"stopped while it searches", {.nodes = 0}, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::atomic<bool> stop{false};
    ExpertLimits limits = c.limits;
    if (c.stopAfterMs >= 0) limits.stop = &stop;
    std::thread stopper([&] {
      if (c.stopAfterMs < 0) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(c.stopAfterMs));
      stop = true;
    });
    const auto start = Clock::now();
    const ExpertAnalysis a = analyseTolva(hard.g, hard.claimed, limits);
    const double ms = msSince(start);
    stopper.join();
    EXPECT_EQ(std::tuple(a.exact, a.value, a.best), std::tuple(false, fallback.value, fallback.best));
    // Far less than the million positions the search was shown to need.
    EXPECT_LT(ms, 300.0);
  }
}

// What is solved soon is answered as soon, whatever time is allowed, and a node budget
// alone gives the same answer every time.
TEST(ExpertLimits, SolvedPositionsComeAtOnce) {
  const BoardGraph g = tolvaBoard("triangular", 0).graph;
  Random random(3);
  const std::vector<char> claimed = randomPosition(g, 14, random);
  const auto start = Clock::now();
  const ExpertAnalysis timed = analyseTolva(g, claimed, {.nodes = 0, .thinkMs = 5000});
  EXPECT_LT(msSince(start), 1000.0);
  const ExpertAnalysis budgeted = analyseTolva(g, claimed);
  EXPECT_TRUE(timed.exact);
  EXPECT_EQ(std::tuple(timed.value, timed.best), std::tuple(budgeted.value, budgeted.best));
}

}  // namespace
}  // namespace kp
