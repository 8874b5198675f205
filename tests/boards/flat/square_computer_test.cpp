#include "boards/flat/square_computer.h"

#include <gtest/gtest.h>

#include <set>

#include "boards/flat/square_board.h"

namespace kp::square {
namespace {

// Positions for the computer: Lines claimed on a board, then what it may answer.
class TolvaChoice : public ::testing::Test {
 protected:
  void SetUp() override {
    drawing.resize(kLines, kCells);
    game.setGraph(&graph);
  }
  void claim(std::initializer_list<int> lines) {
    for (int l : lines) game.claimLine(l, kBlue, 2, Player::Blue);
  }
  // Every Line the computer picks over many seeds.
  std::set<int> choices(int tries = 200) {
    std::set<int> out;
    for (int seed = 1; seed <= tries; ++seed) {
      Random random(seed);
      out.insert(chooseTolvaLine(game, drawing, random));
    }
    return out;
  }

  BoardGraph graph = square::graph(false);
  StatusLabels status;
  Drawing drawing;
  LineGame game{status, drawing};
};

TEST_F(TolvaChoice, AThreeSidedCellIsAlwaysClosed) {
  claim({31, 6, 36, 55, 30});  // cell 1 has three sides, cell 25 two
  EXPECT_EQ(choices(), std::set<int>{1});
}

TEST_F(TolvaChoice, EveryThreeSidedCellIsACandidate) {
  claim({31, 6, 36, 55, 30, 60});
  EXPECT_EQ(choices(), (std::set<int>{1, 25}));
}

TEST_F(TolvaChoice, ATwoSidedCellsSidesAreNeverGivenWhileAnotherLineIsFree) {
  claim({31, 36, 43, 48});  // cells 1 and 13 have two sides; 6 and 41 border them too
  const std::set<int> picked = choices(400);
  for (int l : picked) {
    EXPECT_FALSE(game.claimed(l));
    for (int c : graph.lineCells[l]) {
      int sides = 0;
      for (int s = 0; s < 4; ++s) sides += game.cellSideMarker(c, s) != 0;
      EXPECT_NE(sides, 2) << "line " << l << " gives cell " << c << " its third side";
    }
  }
  EXPECT_GT(picked.size(), 10u) << "the choice is spread over the safe Lines";
}

TEST_F(TolvaChoice, WhenEveryFreeLineIsRiskyAnyFreeLineMayBeTaken) {
  // A tunnel through row 3: every Line is claimed but the verticals of that row, so
  // each of cells 11 to 15 has two sides and every free Line gives one away.
  const std::set<int> tunnel = {3, 8, 13, 18, 23, 28};
  for (int l = 1; l <= kLines; ++l)
    if (!tunnel.count(l)) claim({l});
  EXPECT_EQ(choices(400), tunnel);
}

TEST_F(TolvaChoice, InGloboriaAJoinedEdgeCountsOnBothSides) {
  BoardGraph globoria = square::graph(true);
  game.setGraph(&globoria);
  // Cell 10 (sides 40, 27, 45, 22) gets its right side through Line 2's partner 27.
  claim({2, 40, 45});
  EXPECT_EQ(choices(), std::set<int>{22});
}

TEST(ColourChoice, TakesTheCellItCanWinAndAvoidsHandingOneOver) {
  const BoardGraph g = square::graph(false);
  Drawing d;
  d.resize(kLines, kCells);
  auto paint = [&](int line, Colour c) {
    d.lines[line].width = kClaimedWidth;
    d.lines[line].colour = c;
  };
  // Cell 1 has three Red sides: playing Line 1 wins it.
  for (int l : {31, 6, 36}) paint(l, kRed);
  std::vector<ColourMove> moves = {{1, {1}}, {2, {2}}, {60, {60}}};
  for (int seed = 1; seed < 50; ++seed) {
    Random r(seed);
    EXPECT_EQ(chooseByColour(g, d, moves, {kRed}, r), 1);
  }
  // Blue threatens cell 25 too. Winning cell 1 (Blue then wins 25) and blocking 25 (Blue
  // then spoils cell 1) both leave the game level; Line 3 would let Blue ahead.
  for (int l : {55, 30, 60}) paint(l, kBlue);
  moves = {{1, {1}}, {25, {25}}, {3, {3}}};
  for (int seed = 1; seed < 50; ++seed) {
    Random r(seed);
    const int pick = chooseByColour(g, d, moves, {kRed}, r);
    EXPECT_TRUE(pick == 1 || pick == 25) << pick;
  }
}

}  // namespace
}  // namespace kp::square
