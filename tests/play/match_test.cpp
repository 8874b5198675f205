#include "play/match.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kp {
namespace {

auto summary(const MatchResult& r) {
  return std::tuple(r.ties, r.red.wins, r.blue.wins, r.red.points, r.blue.points, r.red.decisions, r.blue.decisions);
}

TEST(Match, EveryGameIsPlayedOutAndASeedReplaysTheMatch) {
  for (auto [window, subLevel, cells, red] :
       {std::tuple("square", 0, 25, Side::Expert), std::tuple("triangular", 1, 54, Side::Standard)}) {
    SCOPED_TRACE(window);
    MatchSettings settings{
        .window = window, .subLevel = subLevel, .games = 3, .seed = 7, .red = red, .expert = {.nodes = 20'000}};
    const MatchResult once = playMatch(settings);
    EXPECT_EQ(once.red.wins + once.blue.wins + once.ties, 3);
    EXPECT_EQ(once.red.points + once.blue.points, 3 * cells);  // every Cell scored once
    EXPECT_EQ(summary(playMatch(settings)), summary(once));
    settings.seed = 8;
    EXPECT_NE(summary(playMatch(settings)), summary(once));
  }
}

}  // namespace
}  // namespace kp
