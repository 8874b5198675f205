// Players, Sudden Death, the computer's turn and the keypad on the square window.
#include <gtest/gtest.h>

#include "boards/flat/square_window.h"
#include "core/virtual_host.h"

namespace kp {
namespace {

class SquareOptionsTest : public ::testing::Test {
 protected:
  std::unique_ptr<SquareWindow> open(const char* variant = "games.0") {
    auto w = std::make_unique<SquareWindow>(host, program);
    w->menuChosen(variant);
    return w;
  }
  // Advances the virtual clock, running what falls due.
  void wait(std::int64_t ms) {
    const std::int64_t until = host.nowMs() + ms;
    while (host.runNextStepBy(until)) host.answerMessages();
    host.setClock(until);
  }
  std::vector<std::string> texts() {
    std::vector<std::string> out;
    for (auto& m : host.takeMessages()) out.push_back(m.text);
    return out;
  }
  int claimed(const SquareWindow& w) {
    int n = 0;
    for (int l = 1; l <= 60; ++l) n += w.game().claimed(l);
    return n;
  }

  VirtualHost host;
  ProgramState program;
};

TEST_F(SquareOptionsTest, DuarnIsForTwoPlayersOnly) {
  auto w = open();
  w->menuChosen("players.0");
  ASSERT_TRUE(w->menus().at("players.0").checked);
  w->menuChosen("games.1");  // choosing Duarn seats two players
  EXPECT_FALSE(w->menus().at("players.0").checked);
  EXPECT_TRUE(w->menus().at("players.1").checked);
  w->menuChosen("players.0");
  EXPECT_EQ(texts(), std::vector<std::string>{"   Duarn is a two player game only."});
  EXPECT_TRUE(w->menus().at("players.1").checked);
}

TEST_F(SquareOptionsTest, TheComputerShowsItsLineInYellowThenRedThenClaimsIt) {
  auto w = open();
  w->menuChosen("players.0");
  w->lineClicked(7);  // the person, Blue
  EXPECT_TRUE(w->moveLock());
  EXPECT_EQ(claimed(*w), 1);
  wait(499);
  EXPECT_EQ(claimed(*w), 1);
  int shown = 0;
  wait(1);
  for (int l = 1; l <= 60; ++l)
    if (w->drawing().lines[l].colour == kYellow) shown = l;
  ASSERT_NE(shown, 0) << "after 0.5 s the choice is shown in yellow";
  EXPECT_FALSE(w->game().claimed(shown));
  w->lineClicked(shown == 8 ? 9 : 8);  // clicks during the pause are ignored
  EXPECT_EQ(claimed(*w), 1);
  wait(500);
  EXPECT_EQ(w->drawing().lines[shown].colour, kRed);
  EXPECT_FALSE(w->game().claimed(shown));
  wait(500);
  EXPECT_TRUE(w->game().claimed(shown));
  EXPECT_EQ(w->game().owner(shown), 1);
  EXPECT_FALSE(w->moveLock());
  EXPECT_EQ(w->status().turnText, "No score    Blue's turn.");
  EXPECT_EQ(w->pendingSteps(), 1u) << "only the person's countdown";
}

TEST_F(SquareOptionsTest, TheComputerMovesAgainAfterItScoresAndLeavesNoCellItCouldClose) {
  for (bool globoria : {false, true}) {
    program.subLevel = globoria ? 1 : 0;
    auto w = open();
    w->menuChosen("players.0");
    int scoredByRed = 0;
    while (!w->status().gameOver) {
      int line = 1;
      while (w->game().claimed(line)) ++line;
      w->lineClicked(line);  // the person plays the lowest free Line, good or bad
      const bool computerTurn = w->moveLock();
      std::vector<bool> before(61);
      for (int l = 1; l <= 60; ++l) before[l] = w->game().claimed(l);
      wait(60000);
      scoredByRed = std::stoi(w->status().redPoints);
      if (w->status().gameOver) break;
      ASSERT_EQ(w->game().toMove(), Player::Blue);
      ASSERT_FALSE(w->moveLock());
      if (!computerTurn) continue;  // the person scored and goes again
      // A cell with three sides is left for the person only when the computer's own
      // last, forced move made it.
      for (int c = 1; c <= 25; ++c) {
        int sides = 0;
        bool touchedNow = false;
        for (int s = 0; s < 4; ++s) {
          const int l = w->game().graph().cellSides[c][s];
          sides += w->game().claimed(l);
          touchedNow = touchedNow || (w->game().claimed(l) && !before[l]);
        }
        ASSERT_TRUE(sides != 3 || touchedNow) << "cell " << c << " could have been closed";
      }
    }
    EXPECT_GT(scoredByRed, 12) << "against the lowest free Line the computer wins";
    EXPECT_EQ(host.scheduledCount(), 0u);
  }
}

TEST_F(SquareOptionsTest, TheComputerOpensEverySecondTolvaGame) {
  auto w = open();
  w->menuChosen("players.0");
  w->menuChosen("game.new");  // the flag says Red
  EXPECT_TRUE(w->moveLock());
  wait(1500);
  EXPECT_EQ(claimed(*w), 1);
  EXPECT_EQ(w->status().turnText, "No score    Blue's turn.");
}

TEST_F(SquareOptionsTest, NewGameAndClosingCancelThePendingComputerMove) {
  auto w = open("games.2");  // in Krunk Blue opens every game
  w->menuChosen("players.0");
  w->circleClicked(7);
  wait(600);  // the computer's circle is on show
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

TEST_F(SquareOptionsTest, TheComputerAnswersEveryCircleGameToTheEnd) {
  for (const char* variant : {"games.2", "games.3", "games.4", "games.6", "games.8"}) {
    SCOPED_TRACE(variant);
    auto w = open(variant);
    w->menuChosen("players.0");
    const bool circles = std::string(variant) != "games.6";
    for (int tries = 0; tries < 200 && !w->status().gameOver; ++tries) {
      ASSERT_FALSE(w->moveLock()) << "the person is to move";
      ASSERT_EQ(w->game().toMove(), Player::Blue);
      for (int n = 1; n <= (circles ? 25 : 60); ++n) {
        if (circles ? w->game().circleUsed(n) : w->game().claimed(n)) continue;
        circles ? w->circleClicked(n) : w->lineClicked(n);
        break;
      }
      wait(60000);  // however many moves the computer chains
    }
    EXPECT_TRUE(w->status().gameOver);
    EXPECT_EQ(w->status().rounds.size(), 4u);
    EXPECT_EQ(host.scheduledCount(), 0u);
  }
}

TEST_F(SquareOptionsTest, SuddenDeathEndsTheProgramOneTickAfterTheLimit) {
  auto w = open();
  w->menuChosen("sd.12");  // 2 seconds
  w->lineClicked(7);
  wait(2099);
  EXPECT_TRUE(host.takeMessages().empty());
  EXPECT_EQ(w->timer().caption(), "0");
  wait(1);
  EXPECT_EQ(texts(), std::vector<std::string>{"You lose."});
  EXPECT_TRUE(host.ended());
}

TEST_F(SquareOptionsTest, EveryMoveResetsTheCountdown) {
  auto w = open();
  w->menuChosen("sd.12");
  w->lineClicked(7);
  wait(1500);
  w->lineClicked(8);
  EXPECT_EQ(w->timer().remaining(), 2000);
  wait(2050);
  EXPECT_FALSE(host.ended());
  EXPECT_EQ(w->timer().caption(), "0");
}

TEST_F(SquareOptionsTest, NoTimeLimitStopsTheCountdownButKeepsTheLimit) {
  auto w = open();
  w->menuChosen("sd.12");
  w->menuChosen("sd.1");
  EXPECT_TRUE(w->menus().at("sd.1").checked);
  EXPECT_FALSE(w->menus().at("sd.12").checked);
  EXPECT_EQ(w->timer().limit(), 2000);
  w->lineClicked(7);
  wait(60000);
  EXPECT_FALSE(host.ended());
  EXPECT_FALSE(w->timer().running());
}

TEST_F(SquareOptionsTest, TheOpeningLimitIsAHundredSeconds) {
  auto w = open();
  w->lineClicked(7);
  wait(100000);
  EXPECT_FALSE(host.ended());
  wait(100);
  EXPECT_TRUE(host.ended());
}

TEST_F(SquareOptionsTest, OptionsAreLockedDuringPlay) {
  auto w = open();
  w->lineClicked(7);
  w->menuChosen("sd.12");
  EXPECT_FALSE(w->menus().at("sd.12").checked);
  w->menuChosen("game.new");
  w->menuChosen("game.new");
  w->menuChosen("sd.12");
  EXPECT_TRUE(w->menus().at("sd.12").checked);
}

TEST_F(SquareOptionsTest, TheKeypadPlaysWhatAClickWouldAndExplainsBadEntries) {
  struct Case {
    const char* variant;
    const char* text;
    const char* message;  // nullptr: played
  };
  const Case cases[] = {
      {"games.0", "", "Enter the number of a line first (1 to 60)."},
      {"games.0", "0", "There is no line 0 on this board (1 to 60)."},
      {"games.0", "61", "There is no line 61 on this board (1 to 60)."},
      {"games.0", "123", "The numbers of this board have at most 2 digits (1 to 60)."},
      {"games.0", "7a", "A move is entered as a number (1 to 60)."},
      {"games.0", "07", nullptr},
      {"games.2", "26", "There is no circle 26 on this board (1 to 25)."},
      {"games.2", "13", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.variant) + " '" + c.text + "'");
    auto w = open(c.variant);
    w->keypadEntered(c.text);
    if (c.message) {
      EXPECT_EQ(texts(), std::vector<std::string>{c.message});
      EXPECT_EQ(claimed(*w), 0);
    } else {
      EXPECT_TRUE(texts().empty());
      EXPECT_GT(claimed(*w), 0);
    }
  }
  auto w = open();
  w->keypadEntered("7");
  w->keypadEntered("7");
  EXPECT_EQ(texts(), std::vector<std::string>{"Invalid move!"});
}

}  // namespace
}  // namespace kp
