#include "core/line_game.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kp {
namespace {

// The verdict and the rounds list at a game's end. (What a move scores and who moves next
// is shown in the scenario scripts, and checked against the board after every event by
// the window fuzzer.)
TEST(LineGame, VerdictsAndRoundsCountFromOne) {
  StatusLabels status;
  Drawing drawing;
  LineGame game{status, drawing};
  // A board of one-Line Cells: a game's points are the Cells painted in each colour.
  constexpr int kCells = 40;
  std::vector<std::vector<int>> cells(kCells + 1);
  for (int c = 1; c <= kCells; ++c) cells[std::size_t(c)] = {c};
  const BoardGraph graph = BoardGraph::fromCellSides(kCells, std::move(cells));
  drawing.resize(kCells, kCells);
  // Three games in a row: the running totals carry over.
  const std::tuple<int, int, const char*, const char*, const char*> cases[] = {
      {12, 13, "Blue wins by points.", "Round 1 -Blue\t12\t13", "Blue  Subtotal -\t12\t13"},
      {20, 5, "Red wins by points.", "Round 2 -Red\t20\t5", "Red  Subtotal -\t32\t18"},
      {7, 7, "By points its a tie", "Round 3 -Tie\t7\t7", "Red  Subtotal -\t39\t25"},
  };
  status.rounds = {""};
  for (const auto& [red, blue, verdict, round, subtotal] : cases) {
    game.setGraph(&graph);
    for (int l = 1; l <= red + blue; ++l) game.paintLine(l, l <= red ? kRed : kBlue);
    game.rebuildPointsByColour({kRed});
    EXPECT_EQ(status.redPoints + " " + status.bluePoints, std::to_string(red) + " " + std::to_string(blue));
    EXPECT_EQ(game.endGame(), std::vector<std::string>{verdict});
    EXPECT_EQ(std::vector(status.rounds.end() - 3, status.rounds.end()),
              (std::vector<std::string>{round, subtotal, " "}));
    EXPECT_TRUE(status.gameOver);
  }
  EXPECT_EQ(status.rounds.size(), 10u);
}

}  // namespace
}  // namespace kp
