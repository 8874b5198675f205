// Players, Sudden Death, the computer's turn and the keypad on the square window.
// (The computer's yellow-then-red pauses are played through in variant_scenarios_test.)
#include <gtest/gtest.h>

#include <tuple>

#include "boards/flat/square_window.h"
#include "core/virtual_host.h"
#include "support/window_model_test.h"

namespace kp {
namespace {

class SquareOptionsTest : public WindowModelTest {
 protected:
  std::unique_ptr<SquareWindow> open(const char* variant = "games.0", bool computer = false) {
    auto w = std::make_unique<SquareWindow>(host, program);
    w->menuChosen(variant);
    if (computer) w->menuChosen("players.0");
    return w;
  }
  static int claimed(const SquareWindow& w) {
    int n = 0;
    for (int l = 1; l <= 60; ++l) n += w.game().claimed(l);
    return n;
  }

};

TEST_F(SquareOptionsTest, DuarnIsForTwoPlayersOnly) {
  auto w = open("games.0", true);
  w->menuChosen("games.1");  // choosing Duarn seats two players
  EXPECT_FALSE(w->menus().at("players.0").checked);
  EXPECT_TRUE(w->menus().at("players.1").checked);
  w->menuChosen("players.0");
  EXPECT_EQ(texts(), std::vector<std::string>{"   Duarn is a two player game only."});
  EXPECT_TRUE(w->menus().at("players.1").checked);
}

TEST_F(SquareOptionsTest, TheComputerMovesAgainAfterItScoresAndLeavesNoCellItCouldClose) {
  for (bool globoria : {false, true}) {
    SCOPED_TRACE(globoria);
    program.subLevel = globoria ? 1 : 0;
    auto w = open("games.0", true);
    while (!w->status().gameOver) {
      int line = 1;
      while (w->game().claimed(line)) ++line;
      w->lineClicked(line);  // the person plays the lowest free Line, good or bad
      const bool computerTurn = w->moveLock();
      std::vector<bool> before(61);
      for (int l = 1; l <= 60; ++l) before[l] = w->game().claimed(l);
      wait(60000);
      if (w->status().gameOver) break;
      ASSERT_TRUE(w->game().toMove() == Player::Blue && !w->moveLock());
      if (!computerTurn) continue;  // the person scored and goes again
      // A cell with three sides is left for the person only when the computer's own
      // last, forced move made it.
      for (int c = 1; c <= 25; ++c) {
        int sides = 0;
        bool touchedNow = false;
        for (int l : w->game().graph().cellSides[c]) {
          sides += w->game().claimed(l);
          touchedNow = touchedNow || (w->game().claimed(l) && !before[l]);
        }
        ASSERT_TRUE(sides != 3 || touchedNow) << "cell " << c << " could have been closed";
      }
    }
    EXPECT_GT(std::stoi(w->status().redPoints), 12) << "against the lowest free Line the computer wins";
    EXPECT_EQ(host.scheduledCount(), 0u);
  }
}

TEST_F(SquareOptionsTest, TheComputerOpensEverySecondTolvaGame) {
  auto w = open("games.0", true);
  w->menuChosen("game.new");  // the flag says Red
  EXPECT_TRUE(w->moveLock());
  wait(1500);
  EXPECT_EQ(claimed(*w), 1);
  EXPECT_EQ(w->status().turnText, "No score    Blue's turn.");
}

TEST_F(SquareOptionsTest, ClicksWaitForThePendingComputerMoveAndNewGameOrClosingCancelsIt) {
  auto w = open("games.2", true);  // in Krunk Blue opens every game
  w->circleClicked(7);
  wait(600);  // the computer's circle is on show
  w->circleClicked(9);
  EXPECT_EQ(w->game().unusedCircles(), 24) << "clicks during the pause are ignored";
  w->menuChosen("game.new");
  EXPECT_EQ(host.scheduledCount(), 0u);
  wait(3000);
  EXPECT_EQ(claimed(*w), 0) << "nothing lands on the fresh board";
  EXPECT_EQ(w->game().unusedCircles(), 25);
  EXPECT_FALSE(w->moveLock());
  w->circleClicked(7);
  EXPECT_GT(host.scheduledCount(), 0u);
  w.reset();
  EXPECT_EQ(host.scheduledCount(), 0u) << "no step outlives its window";
}

TEST_F(SquareOptionsTest, TheComputerAnswersEveryCircleGameAndLineKrunkToTheEnd) {
  for (const char* variant : {"games.2", "games.3", "games.4", "games.6", "games.8"}) {
    SCOPED_TRACE(variant);
    auto w = open(variant, true);
    const bool circles = std::string(variant) != "games.6";
    for (int tries = 0; tries < 200 && !w->status().gameOver; ++tries) {
      ASSERT_TRUE(!w->moveLock() && w->game().toMove() == Player::Blue) << "the person is to move";
      int n = 1;
      while (n < (circles ? 25 : 60) && (circles ? w->game().circleUsed(n) : w->game().claimed(n))) ++n;
      circles ? w->circleClicked(n) : w->lineClicked(n);
      wait(60000);  // however many moves the computer chains
    }
    EXPECT_TRUE(w->status().gameOver);
    EXPECT_EQ(host.scheduledCount(), 0u);
  }
}

// Line 7, then Line 8 1.5 s later, which starts the countdown again.
TEST_F(SquareOptionsTest, SuddenDeathEndsTheProgramOneTickAfterTheLimit) {
  const std::tuple<const char*, std::vector<const char*>, int, bool> cases[] = {
      {"2 seconds", {"sd.12"}, 2000, true},
      {"No time limit keeps the limit but stops the countdown", {"sd.12", "sd.1"}, 2000, false},
      {"the opening limit", {}, 100000, true},
  };
  for (const auto& [what, menus, limit, running] : cases) {
    SCOPED_TRACE(what);
    host = VirtualHost();  // the last case's loss ended the program
    auto w = open();
    for (const char* id : menus) w->menuChosen(id);
    w->lineClicked(7);
    wait(1500);
    w->lineClicked(8);
    EXPECT_EQ(w->timer().limit(), limit);
    EXPECT_EQ(w->timer().running(), running);
    EXPECT_TRUE(!running || w->timer().remaining() == limit);
    wait(limit + 99);
    EXPECT_FALSE(host.ended());
    EXPECT_TRUE(!running || w->timer().caption() == "0");
    wait(1);
    EXPECT_EQ(host.ended(), running);
    EXPECT_EQ(texts(), running ? std::vector<std::string>{"You lose."} : std::vector<std::string>{});
  }
}

TEST_F(SquareOptionsTest, TheKeypadPlaysWhatAClickWouldAndExplainsBadEntries) {
  // message: nullptr: played
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"games.0", "", "Enter the number of a line first (1 to 60)."},
      {"games.0", "0", "There is no line 0 on this board (1 to 60)."},
      {"games.0", "61", "There is no line 61 on this board (1 to 60)."},
      {"games.0", "123", "The numbers of this board have at most 2 digits (1 to 60)."},
      {"games.0", "7a", "A move is entered as a number (1 to 60)."},
      {"games.0", "07", nullptr},
      {"games.2", "26", "There is no circle 26 on this board (1 to 25)."},
      {"games.2", "13", nullptr},
  };
  for (const auto& [variant, text, message] : cases) {
    SCOPED_TRACE(std::string(variant) + " '" + text + "'");
    auto w = open(variant);
    w->keypadEntered(text);
    EXPECT_EQ(texts(), message ? std::vector<std::string>{message} : std::vector<std::string>{});
    EXPECT_EQ(claimed(*w) > 0, message == nullptr);
  }
}

}  // namespace
}  // namespace kp
