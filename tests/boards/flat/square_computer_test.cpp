#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "boards/flat/square_board.h"
#include "support/greedy_picks.h"

namespace kp::square {
namespace {

std::vector<int> allBut(const std::set<int>& left) {
  std::vector<int> out;
  for (int l = 1; l <= kLines; ++l)
    if (!left.count(l)) out.push_back(l);
  return out;
}

// Lines claimed on a board, then every Line the computer picks over 400 seeds.
TEST(GreedyChoice, ClosesAUnitElseGivesNoLastButOneLineElseTakesAnyLine) {
  constexpr auto atRandom = Completing::AtRandom;
  const std::tuple<const char*, bool, Completing, std::vector<int>, std::vector<int>> cases[] = {
      {"cell 1 has three sides, cell 25 two", false, atRandom, {31, 6, 36, 55, 30}, {1}},
      {"every three-sided cell is a candidate", false, atRandom, {31, 6, 36, 55, 30, 60}, {1, 25}},
      {"or the lowest-numbered one first", false, Completing::LowestUnitFirst, {31, 6, 36, 55, 30, 60}, {1}},
      // Cells 1 and 13 have two sides: their free sides 1, 6, 13 and 18 are never given.
      {"any safe Line", false, atRandom, {31, 36, 43, 48}, allBut({31, 36, 43, 48, 1, 6, 13, 18})},
      // A tunnel through row 3: each of cells 11 to 15 has two sides and every free Line
      // gives one away.
      {"every free Line is risky", false, atRandom, allBut({3, 8, 13, 18, 23, 28}), {3, 8, 13, 18, 23, 28}},
      // Cell 10 (sides 40, 27, 45, 22) gets its right side through Line 2's partner 27.
      {"a joined edge counts on both sides", true, atRandom, {2, 40, 45}, {22}},
      {"a joined edge is not given away through its partner", true, atRandom, {40, 45}, allBut({40, 45, 27, 22, 2})},
  };
  for (const auto& [what, globoria, completing, claimed, expected] : cases) {
    SCOPED_TRACE(what);
    const std::set<int> picks = greedyPicks(square::graph(globoria), claimed, completing);
    EXPECT_EQ(picks, std::set<int>(expected.begin(), expected.end()));
  }
}

}  // namespace
}  // namespace kp::square
