#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <tuple>

#include "core/expert.h"
#include "play/match.h"
#include "support/hard_tolva_position.h"

namespace kp {
namespace {

// Every limit ends the search early on a position it needs far longer to solve (a search
// left to run would solve it), and the Expert then answers as on a spent node budget: with
// the chain analysis.
TEST(ExpertLimits, EveryLimitFallsBackToTheChainAnalysis) {
  const testing::HardTolvaPosition& hard = testing::hardTolvaPosition();
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
    const ExpertAnalysis a = analyseTolva(hard.g, hard.claimed, limits);
    stopper.join();
    EXPECT_EQ(std::tuple(a.exact, a.value, a.best), std::tuple(false, fallback.value, fallback.best));
  }
}

// What is solved soon is answered as soon, whatever time is allowed, and a node budget
// alone gives the same answer every time.
TEST(ExpertLimits, SolvedPositionsComeAtOnce) {
  const BoardGraph g = tolvaBoard("triangular", 0).graph;
  Random random(3);
  const std::vector<char> claimed = testing::randomTolvaPosition(g, 14, random);
  const auto start = std::chrono::steady_clock::now();
  const ExpertAnalysis timed = analyseTolva(g, claimed, {.nodes = 0, .thinkMs = 5000});
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  const ExpertAnalysis budgeted = analyseTolva(g, claimed);
  EXPECT_TRUE(timed.exact);
  EXPECT_EQ(std::tuple(timed.value, timed.best), std::tuple(budgeted.value, budgeted.best));
}

}  // namespace
}  // namespace kp
