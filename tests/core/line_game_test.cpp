#include "core/line_game.h"

#include <gtest/gtest.h>

#include <tuple>

#include "boards/flat/square_board.h"

namespace kp {
namespace {

// The rules core on the beginner board, moves made as the square window makes them.
struct Board {
  Board() {
    drawing.resize(60, 25);
    game.setGraph(&graph);
    game.rememberInitialLines();
  }
  Outcome play(int line, LineRule rule = LineRule::Tolva) {
    const Player mover = game.takeTurn();
    game.claimLine(line, lineColour(mover), int(mover), mover);
    return game.checkwins(rule);
  }

  BoardGraph graph = square::graph(false);
  StatusLabels status;
  Drawing drawing;
  LineGame game{status, drawing};
};

// Blue opens; moves alternate unless a Tolva scorer moves again. Cell 1 is 31, 6, 36, 1.
TEST(LineGame, TheTurnTextTellsWhatTheLastMoveScored) {
  using enum LineRule;
  // completed: by the last move
  const std::tuple<LineRule, std::vector<int>, const char*, int, int, Player, Colour, std::vector<int>> cases[] = {
      {Tolva, {7}, "No score    Red's turn.", 0, 0, Player::Red, kBackground, {}},
      {Tolva, {7, 8}, "No score    Blue's turn.", 0, 0, Player::Blue, kBackground, {}},
      // Red closes cell 1 with Lines of both colours.
      {Tolva, {31, 6, 36, 1}, " Score!      Red goes again.", 1, 0, Player::Red, kRed, {1}},
      // Line 6 closes cells 1 and 2.
      {Tolva, {31, 36, 1, 32, 37, 11, 6}, "  Double score!      Two cool!", 0, 2, Player::Blue, kBlue, {1, 2}},
      // A closed cell is never scored again.
      {Tolva, {31, 6, 36, 1, 2, 60}, "No score    Red's turn.", 1, 0, Player::Red, kRed, {}},
      // Duarn: Blue's own four sides score, and the turn passes.
      {Duarn, {1, 60, 6, 59, 31, 58, 36}, " Score!      Red's turn now.", 0, 1, Player::Red, kBlue, {1}},
      // Duarn: a cell of mixed colours scores for nobody.
      {Duarn, {1, 2, 6, 3, 31, 36}, "No score    Blue's turn.", 0, 0, Player::Blue, kBackground, {}},
  };
  for (const auto& [rule, lines, turnText, red, blue, toMove, cell1, completed] : cases) {
    SCOPED_TRACE(turnText);
    Board b;
    const StatusLabels& status = b.status;
    const Drawing& drawing = b.drawing;
    for (int l : lines) b.play(l, rule);
    EXPECT_EQ(status.turnText, turnText);
    EXPECT_EQ(status.redPoints, std::to_string(red));
    EXPECT_EQ(status.bluePoints, std::to_string(blue));
    EXPECT_EQ(b.game.toMove(), toMove);
    EXPECT_EQ(status.turnColour, toMove == Player::Red ? kRedTurnText : kBlue);
    EXPECT_EQ(status.yourTurn[0], toMove == Player::Red);
    EXPECT_EQ(drawing.circles[1].fill, cell1);
    EXPECT_EQ(b.game.newlyCompleted(), completed);
    EXPECT_TRUE(drawing.lines[lines[0]].colour == kBlue && drawing.lines[lines[0]].width == kClaimedWidth);
  }
}

TEST(LineGame, VerdictsAndRoundsCountFromOne) {
  Board b;
  StatusLabels& status = b.status;
  // Three games in a row: the running totals carry over.
  const std::tuple<int, int, const char*, const char*, const char*> cases[] = {
      {12, 13, "Blue wins by points.", "Round 1 -Blue\t12\t13", "Blue  Subtotal -\t12\t13"},
      {20, 5, "Red wins by points.", "Round 2 -Red\t20\t5", "Red  Subtotal -\t32\t18"},
      {7, 7, "By points its a tie", "Round 3 -Tie\t7\t7", "Red  Subtotal -\t39\t25"},
  };
  status.rounds = {""};
  for (const auto& [red, blue, verdict, round, subtotal] : cases) {
    status.redPoints = std::to_string(red);
    status.bluePoints = std::to_string(blue);
    EXPECT_EQ(b.game.endGame(), std::vector<std::string>{verdict});
    EXPECT_EQ(std::vector(status.rounds.end() - 3, status.rounds.end()),
              (std::vector<std::string>{round, subtotal, " "}));
    EXPECT_TRUE(status.gameOver);
  }
  EXPECT_EQ(status.rounds.size(), 10u);
}

}  // namespace
}  // namespace kp
