#include "core/line_game.h"

#include <gtest/gtest.h>

#include "boards/flat/square_board.h"

namespace kp {
namespace {

// The rules core on the beginner board, moves made as the square window makes them.
class LineGameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drawing.resize(60, 25);
    game.setGraph(&graph);
    game.rememberInitialLines();
  }
  Outcome play(int line, LineRule rule = LineRule::Tolva) {
    const Player mover = game.takeTurn();
    game.claimLine(line, lineColour(mover), int(mover), mover);
    return game.checkwins(rule);
  }
  void playAll(std::initializer_list<int> lines, LineRule rule = LineRule::Tolva) {
    for (int l : lines) play(l, rule);
  }

  BoardGraph graph = square::graph(false);
  StatusLabels status;
  Drawing drawing;
  LineGame game{status, drawing};
};

TEST_F(LineGameTest, NoScorePassesTheTurnAndNamesThePlayerToMove) {
  play(7);  // Blue opens
  EXPECT_EQ(status.turnText, "No score    Red's turn.");
  EXPECT_EQ(status.turnColour, kRedTurnText);
  EXPECT_EQ(drawing.lines[7].colour, kBlue);
  EXPECT_EQ(drawing.lines[7].width, 8);
  EXPECT_EQ(status.yourTurn, (std::array<bool, 3>{true, false, false}));
  play(8);
  EXPECT_EQ(status.turnText, "No score    Blue's turn.");
  EXPECT_EQ(status.turnColour, kBlue);
  EXPECT_EQ(drawing.lines[8].colour, kRed);
}

TEST_F(LineGameTest, TolvaScorerMovesAgainAndTheCircleTakesTheScorersColour) {
  playAll({31, 6, 36});  // B, R, B: cell 1 has three sides
  EXPECT_EQ(game.toMove(), Player::Red);
  play(1);  // Red closes cell 1 with Lines of both colours
  EXPECT_EQ(status.turnText, " Score!      Red goes again.");
  EXPECT_EQ(status.redPoints, "1");
  EXPECT_EQ(status.bluePoints, "0");
  EXPECT_EQ(drawing.circles[1].fill, kRed);
  EXPECT_EQ(game.toMove(), Player::Red);
  EXPECT_EQ(status.turnColour, kRedTurnText);
}

TEST_F(LineGameTest, ALineClosingTwoCellsIsADoubleScore) {
  // Cells 1 and 2 share Line 6; give each its other three sides.
  playAll({31, 36, 1, 32, 37, 11});
  ASSERT_EQ(game.toMove(), Player::Blue);
  play(6);
  EXPECT_EQ(status.turnText, "  Double score!      Two cool!");
  EXPECT_EQ(status.bluePoints, "2");
  EXPECT_EQ(game.newlyCompleted(), (std::vector<int>{1, 2}));
  EXPECT_EQ(drawing.circles[1].fill, kBlue);
  EXPECT_EQ(drawing.circles[2].fill, kBlue);
  EXPECT_EQ(game.toMove(), Player::Blue);
}

TEST_F(LineGameTest, ACellIsNeverScoredTwice) {
  playAll({31, 6, 36, 1});  // Red scores cell 1 and moves again
  ASSERT_EQ(status.redPoints, "1");
  play(2);   // Red, no score
  play(60);  // Blue, no score: the counts of cell 1 are rebuilt and still 4
  EXPECT_EQ(status.redPoints, "1");
  EXPECT_EQ(status.bluePoints, "0");
  EXPECT_EQ(status.turnText, "No score    Red's turn.");
}

TEST_F(LineGameTest, DuarnCountsOnlyTheMoversOwnSidesAndAlwaysPasses) {
  // Blue: 1, 6, 31, 36 (cell 1); Red plays far away.
  playAll({1, 60, 6, 59, 31, 58}, LineRule::Duarn);
  play(36, LineRule::Duarn);
  EXPECT_EQ(status.bluePoints, "1");
  EXPECT_EQ(status.turnText, " Score!      Red's turn now.");
  EXPECT_EQ(game.toMove(), Player::Red);
  EXPECT_EQ(status.turnColour, kRedTurnText);
  EXPECT_EQ(drawing.circles[1].fill, kBlue);
}

TEST_F(LineGameTest, DuarnCellOfMixedColoursScoresForNobody) {
  // Cell 1 gets three Blue sides and one Red side.
  playAll({1, 2, 6, 3, 31}, LineRule::Duarn);
  play(36, LineRule::Duarn);  // Red closes it
  EXPECT_EQ(status.redPoints, "0");
  EXPECT_EQ(status.bluePoints, "0");
  EXPECT_EQ(status.turnText, "No score    Blue's turn.");
  EXPECT_EQ(drawing.circles[1].fill, kBackground);
}

TEST_F(LineGameTest, VerdictsAndRoundsCountFromOne) {
  struct Case {
    int red, blue;
    const char* verdict;
    const char* round;
    const char* subtotal;
  };
  // Three games in a row: the running totals carry over.
  const Case cases[] = {
      {12, 13, "Blue wins by points.", "Round 1 -Blue\t12\t13", "Blue  Subtotal -\t12\t13"},
      {20, 5, "Red wins by points.", "Round 2 -Red\t20\t5", "Red  Subtotal -\t32\t18"},
      {7, 7, "By points its a tie", "Round 3 -Tie\t7\t7", "Red  Subtotal -\t39\t25"},
  };
  status.rounds = {""};
  for (const auto& c : cases) {
    status.redPoints = std::to_string(c.red);
    status.bluePoints = std::to_string(c.blue);
    EXPECT_EQ(game.endGame(), c.verdict);
    ASSERT_GE(status.rounds.size(), 3u);
    EXPECT_EQ(status.rounds[status.rounds.size() - 3], c.round);
    EXPECT_EQ(status.rounds[status.rounds.size() - 2], c.subtotal);
    EXPECT_EQ(status.rounds.back(), " ");
    EXPECT_TRUE(status.gameOver);
  }
  EXPECT_EQ(status.rounds.size(), 10u);
}

TEST_F(LineGameTest, TheGameEndsWhenTheLastLineIsClaimed) {
  for (int l = 1; l < 60; ++l) ASSERT_EQ(play(l), Outcome::GoesOn) << l;
  EXPECT_EQ(play(60), Outcome::GameOver);
  EXPECT_EQ(std::stoi(status.redPoints) + std::stoi(status.bluePoints), 25);
}

TEST_F(LineGameTest, ResetRestoresTheBoardButKeepsTotalsAndRounds) {
  playAll({31, 6, 36, 1});
  status.rounds = {"", "Round 1 -Red\t1\t0", "Red  Subtotal -\t1\t0", " "};
  status.redTotal = "1";
  status.gameOver = true;
  game.resetBoard();
  EXPECT_FALSE(game.claimed(1));
  EXPECT_FALSE(game.scored(1));
  EXPECT_EQ(drawing.lines[1].width, kUnclaimedWidth);
  EXPECT_EQ(drawing.lines[1].colour, kUnclaimedLine);
  EXPECT_EQ(drawing.circles[1].fill, kBackground);
  EXPECT_EQ(status.redPoints, "0");
  EXPECT_EQ(status.lastMoveCaption, "Last:");
  EXPECT_FALSE(status.gameOver);
  EXPECT_EQ(status.redTotal, "1");
  EXPECT_EQ(status.rounds.size(), 4u);
}

}  // namespace
}  // namespace kp
