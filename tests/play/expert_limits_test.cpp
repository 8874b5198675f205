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
// left to run would solve it). A stopped search answers as the chain analysis alone does;
// one out of nodes or time never answers as if exact.
TEST(ExpertLimits, EveryLimitEndsTheSearchEarly) {
  const testing::HardTolvaPosition& hard = testing::hardTolvaPosition();
  const ExpertAnalysis fallback = analyseTolva(hard.g, hard.claimed, {.nodes = 1});
  ASSERT_FALSE(fallback.best.empty());
  const std::atomic<bool> stopped{true};
  struct Case {
    const char* name;
    ExpertLimits limits;
    int stopAfterMs;  // the stop flag set by another thread after this long (-1: never)
    bool asFallback;  // answers as the chain analysis alone
  };
  const Case cases[] = {
      {"node budget", {.nodes = 20'000}, -1, false},
      {"time budget", {.nodes = 0, .thinkMs = 30}, -1, false},
      {"stopped before it starts", {.nodes = 0, .stop = &stopped}, -1, true},
      {"stopped while it searches", {.nodes = 0}, 30, true},
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
    EXPECT_FALSE(a.exact);
    ASSERT_FALSE(a.best.empty());
    for (int l : a.best) EXPECT_FALSE(hard.claimed[std::size_t(l)]) << l;
    if (c.asFallback) EXPECT_EQ(std::tuple(a.value, a.best, a.depth), std::tuple(fallback.value, fallback.best, 0));
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
