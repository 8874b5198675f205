// The triangular window through its events: games, Lines, circles, sizes and its computer.
#include "boards/triangular/triangular_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "core/virtual_host.h"
#include "support/window_model_test.h"

namespace kp {
namespace {

using Win = TriangularWindow;

class TriangularWindowTest : public WindowModelTest {
 protected:
  std::unique_ptr<Win> open(int variant, bool globoria = false, bool onePlayer = false) {
    program.subLevel = globoria ? 1 : 0;
    auto w = std::make_unique<Win>(host, program);
    w->menuChosen("games." + std::to_string(variant));
    if (onePlayer) w->menuChosen("players.0");
    return w;
  }
  static std::vector<int> claimed(const Win& w) {
    std::vector<int> out;
    for (int l = 1; l <= 90; ++l)
      if (w.game().claimed(l)) out.push_back(l);
    return out;
  }

};

TEST_F(TriangularWindowTest, ChoosingAGameSetsCaptionMovesLeftTargetsAndPrompt) {
  const int games[] = {Win::Tolva, Win::Duarn, Win::Krunk, Win::SuperKrunk, Win::SuperKrunkPlus, Win::LineKrunk};
  const char* names[] = {"Tolva", "Duarn", "Krunk", "Super Krunk", "Super Krunk Plus", "", "Line Krunk"};
  auto w = open(Win::Krunk);
  for (int variant : games) {
    const char* name = names[variant];
    SCOPED_TRACE(name);
    w->menuChosen("games." + std::to_string(variant));
    const bool circles = variant == Win::Krunk || variant == Win::SuperKrunk || variant == Win::SuperKrunkPlus;
    EXPECT_EQ(w->status().gameCaption, std::string("Game = ") + name);
    EXPECT_EQ(w->status().movesLeft,
              variant == Win::Tolva || variant == Win::Duarn ? "90 moves left" : "54 moves left");
    EXPECT_EQ(w->status().turnText, circles ? "Click a circle to begin playing" : "Click a line to begin playing");
    for (int t = 1; t <= 54; ++t) ASSERT_EQ(w->drawing().circles[t].targetVisible, circles) << t;
    for (int l = 1; l <= 90; ++l) ASSERT_EQ(w->drawing().lines[l].targetVisible, !circles) << l;
    for (int other : games) EXPECT_EQ(w->menus().at("games." + std::to_string(other)).checked, other == variant);
  }
}

TEST_F(TriangularWindowTest, DuarnSeatsTwoPlayersAndGloboriaTurnsSuperKrunkIntoTolva) {
  auto w = open(Win::Tolva, false, true);
  w->menuChosen("games.1");
  EXPECT_TRUE(w->menus().at("players.1").checked);
  for (auto [before, after] : {std::pair{Win::SuperKrunk, Win::Tolva}, {Win::SuperKrunkPlus, Win::SuperKrunkPlus}}) {
    auto v = open(before);
    v->menuChosen("sub.globoria");
    EXPECT_TRUE(v->globoria() && !v->menus().at("sub.planor").checked);
    EXPECT_TRUE(v->menus().at("games." + std::to_string(after)).checked) << before;
    EXPECT_EQ(v->drawing().circles[1].targetVisible, after != Win::Tolva) << before;
  }
}

// In Globoria a boundary Line brings its partner, and the triangle across the join gets
// its side: every triangle bordering a claimed Line has it marked.
TEST_F(TriangularWindowTest, ALineShowsItsNumberAndInGloboriaClaimsItsPartner) {
  const std::tuple<bool, int, std::vector<int>> cases[] = {{false, 37, {37}},    {false, 28, {28}},
                                                           {true, 1, {1, 28}},   {true, 28, {1, 28}},
                                                           {true, 31, {31, 72}}, {true, 60, {60, 83}}};
  for (const auto& [globoria, line, taken] : cases) {
    SCOPED_TRACE(line);
    auto w = open(Win::Tolva, globoria);
    w->lineClicked(line);
    EXPECT_EQ(w->status().lastMove, "Last move: " + std::to_string(line));
    EXPECT_EQ(claimed(*w), taken);
    for (int l : taken) {
      EXPECT_TRUE(w->drawing().lines[l].colour == kBlue && w->drawing().lines[l].width == kClaimedWidth) << l;
      for (int t : w->game().graph().lineCells[l])
        for (int e = 1; e <= 3; ++e)
          EXPECT_TRUE(triangular::side(t, e) != l || w->game().cellSideMarker(t, e - 1)) << t;
    }
    EXPECT_EQ(w->status().turnText, "No score    Red's turn.");
    for (int l : taken) {  // the Line and its partner are both taken now
      w->lineClicked(l);
      EXPECT_EQ(texts(), std::vector<std::string>{"Invalid move!"});
      EXPECT_EQ(w->game().toMove(), Player::Red);
    }
  }
}

TEST_F(TriangularWindowTest, ALineClosingTwoTrianglesScoresDoubleAfterTheFlash) {
  auto w = open(Win::Tolva);
  for (int l : {4, 40, 42, 9}) w->lineClicked(l);
  w->lineClicked(41);  // Blue: the third side of triangles 9 and 10
  EXPECT_EQ(w->status().turnText, "  Double score!      Two cool!");
  EXPECT_TRUE(w->drawing().circles[9].fill == kBlue && w->drawing().circles[10].fill == kBlue);
  for (Colour border : {kYellow, kCircleBorder, kYellow}) {
    EXPECT_TRUE(w->drawing().circles[9].border == border && w->drawing().circles[10].border == border);
    EXPECT_TRUE(w->moveLock());
    w->lineClicked(50);  // kept out while the triangles flash
    EXPECT_FALSE(w->game().claimed(50));
    wait(250);
  }
  wait(250);
  EXPECT_FALSE(w->moveLock());
  EXPECT_EQ(w->drawing().circles[9].border, kCircleBorder);
  w->lineClicked(50);
  EXPECT_EQ(w->drawing().lines[50].colour, kBlue) << "the scorer moves again";
}

// The size menu entries and buttons set the board's share of its area until the first
// move; then only New game is shown, and it brings the size buttons back.
TEST_F(TriangularWindowTest, SizesCanBeChosenOnlyBeforeTheFirstMove) {
  const std::pair<const char*, double> choices[] = {{"size.1", 0.6},    {"Normal size", 1.0}, {"size.2", 0.8},
                                                    {"Mini Size", 0.6}, {"size.3", 1.0},      {"Smaller size", 0.8}};
  for (bool circles : {false, true}) {
    auto w = open(circles ? Win::Krunk : Win::Tolva);
    for (auto [choice, scale] : choices) {
      std::string(choice).starts_with("size.") ? w->menuChosen(choice) : w->buttonPressed(choice);
      EXPECT_EQ(w->boardScale(), scale) << choice;
    }
    EXPECT_TRUE(w->menus().at("size.2").checked);
    circles ? w->circleClicked(20) : w->lineClicked(20);
    for (auto [choice, scale] : choices) {
      std::string(choice).starts_with("size.") ? w->menuChosen(choice) : w->buttonPressed(choice);
      EXPECT_EQ(w->boardScale(), 0.8) << choice;
    }
    EXPECT_FALSE(w->menus().at("size.1").enabled);
    for (const auto& b : w->buttons()) EXPECT_EQ(b.visible, b.caption == "New game") << b.caption;
    w->buttonPressed("New game");
    for (const auto& b : w->buttons()) EXPECT_TRUE(b.visible) << b.caption;
  }
}

TEST_F(TriangularWindowTest, ACircleClaimsItsTriangleAndTheExtensionOfItsGame) {
  // lines: every Line claimed, ascending; blueCells: triangles whose three Lines are now Blue
  const std::tuple<int, bool, int, std::vector<int>, std::vector<int>> cases[] = {
      {Win::Krunk, false, 10, {9, 41, 42}, {10}},
      {Win::Krunk, false, 1, {4, 31, 32}, {1}},
      {Win::Krunk, true, 1, {4, 31, 32, 72}, {1}},
      {Win::SuperKrunk, false, 1, {4, 5, 31, 32, 39, 42}, {1}},
      {Win::SuperKrunk, false, 10, {8, 9, 10, 32, 33, 41, 42, 51, 54}, {10}},
      {Win::SuperKrunkPlus, false, 10, {1, 8, 9, 10, 32, 33, 41, 42, 50, 51, 54, 55}, {2, 10, 18, 22}},
  };
  for (const auto& [variant, globoria, triangle, lines, blueCells] : cases) {
    SCOPED_TRACE(testing::Message() << variant << (globoria ? " Globoria " : " Planor ") << triangle);
    auto w = open(variant, globoria);
    w->circleClicked(triangle);
    EXPECT_EQ(claimed(*w), lines);
    for (int l : lines) EXPECT_EQ(w->drawing().lines[l].colour, kBlue) << l;
    EXPECT_EQ(w->status().lastMove, "Last move: " + std::to_string(triangle));
    EXPECT_EQ(w->status().bluePoints, std::to_string(blueCells.size()));
    for (int t : blueCells)
      EXPECT_TRUE(w->drawing().circles[t].fill == kBlue && w->drawing().circles[t].border == Win::kPlayedBorder) << t;
    for (const char* id : {"other", "sub", "games", "options"}) EXPECT_FALSE(w->menus().at(id).enabled) << id;
    // A played circle cannot be played again, by click or keypad.
    w->circleClicked(triangle);
    w->keypadEntered(std::to_string(triangle));
    EXPECT_TRUE(w->status().turnText == "Red player's turn" && w->status().turnColour == kRed);
    EXPECT_EQ(w->drawing().lines[lines[0]].colour, kBlue);
  }
}

TEST_F(TriangularWindowTest, RecolouringTakesPointsAwayAndAFullyClaimedTriangleIsPlayed) {
  auto w = open(Win::Krunk);
  w->circleClicked(9);  // Blue: 4, 41, 40
  EXPECT_EQ(w->status().bluePoints, "1");
  w->circleClicked(10);  // Red: 42, 9 and 41, repainted
  EXPECT_EQ(w->drawing().lines[41].colour, kRed);
  EXPECT_TRUE(w->status().bluePoints == "0" && w->status().redPoints == "1");
  EXPECT_TRUE(w->drawing().circles[9].fill == kBackground && w->drawing().circles[10].fill == kRed);
  w->circleClicked(19);  // Blue: 52 of triangle 20
  w->circleClicked(21);  // Red: 53, the last side of triangle 20 (with 9 and 52)
  EXPECT_TRUE(w->game().circleUsed(20) && !w->drawing().circles[20].targetVisible);
  EXPECT_EQ(w->drawing().circles[20].border, Win::kPlayedBorder);
  EXPECT_EQ(w->drawing().circles[20].fill, kBackground) << "mixed colours count for nobody";
}

TEST_F(TriangularWindowTest, TheLastPlayableTriangleIsPlayedInBlackAndEndsTheGame) {
  // Krunk played lowest first leaves triangle 54 alone; Super Krunk played from the middle, triangle 1.
  for (auto [variant, middle] : {std::pair{Win::Krunk, false}, std::pair{Win::SuperKrunk, true}}) {
    SCOPED_TRACE(variant);
    auto w = open(variant);
    int last = 0;
    while (!w->status().gameOver) {
      std::vector<int> open;
      for (int t = 1; t <= 54; ++t)
        if (w->drawing().circles[t].targetVisible) open.push_back(t);
      ASSERT_GE(open.size(), 2u);
      const int pick = middle ? open[open.size() / 2] : open[0];
      last = open.size() == 2 ? open[0] + open[1] - pick : 0;
      w->circleClicked(pick);
    }
    ASSERT_NE(last, 0) << "the game should end on the automatic move";
    EXPECT_TRUE(w->status().turnText == "Krunk!" && w->status().turnColour == kBlack);
    std::vector<int> black = variant == Win::SuperKrunk ? triangular::planorExtension(last).first : std::vector<int>{};
    for (int e = 1; e <= 3; ++e) black.push_back(triangular::side(last, e));
    for (int l : black) EXPECT_EQ(w->drawing().lines[l].colour, kBlack) << l;
    EXPECT_TRUE(w->game().circleUsed(last));
    EXPECT_EQ(texts().size(), 1u) << "the verdict";
  }
}

// After 9 (and its Super Krunk extension) triangle 3 has two claimed Lines, more than any
// other: the computer plays it, with its own extension, two seconds after the person.
TEST_F(TriangularWindowTest, TheCircleComputerWaitsTwoSecondsAndPrefersClaimedSides) {
  auto w = open(Win::SuperKrunk, false, true);
  w->circleClicked(9);
  EXPECT_TRUE(w->moveLock() && w->status().turnText == "Red player's turn");
  const auto before = claimed(*w);
  w->circleClicked(30);  // kept out while the computer thinks
  wait(1999);
  EXPECT_EQ(claimed(*w), before);
  wait(1);
  EXPECT_EQ(w->status().lastMove, "Last move: 3");
  for (int l : {4, 6, 41, 44, triangular::side(3, 1), triangular::side(3, 2), triangular::side(3, 3)})
    EXPECT_EQ(w->drawing().lines[l].colour, kRed) << l;
  EXPECT_TRUE(w->status().turnText == "Blue player's turn" && w->status().yourTurn[1]);
  EXPECT_EQ(w->computerSteps(), 0u);
}

// Every computer Line is judged against the board it was chosen on: it closes a triangle
// if one can be closed, else gives no triangle its second side if that can be avoided.
// The person plays by the same rule, lowest Line first, so that all three cases come up.
TEST_F(TriangularWindowTest, TheLineComputerClosesFirstThenAvoidsSecondSidesThenTakesAnyLine) {
  for (bool globoria : {false, true}) {
    SCOPED_TRACE(globoria ? "Globoria" : "Planor");
    auto w = open(Win::Tolva, globoria, true);
    const BoardGraph& g = w->game().graph();
    // The board without Line x and its partner: the sides each triangle has; whether Line l
    // (with its partner) touches a triangle with n sides; the lowest free Line that does.
    auto sidesWithout = [&](int x) {
      std::vector<int> sides(55);
      for (int l = 1; l <= 90; ++l)
        if (w->game().claimed(l) && l != x && l != g.partner[x])
          for (int t : g.lineCells[l]) ++sides[t];
      return sides;
    };
    auto touches = [&](const std::vector<int>& sides, int l, int n) {
      for (int line : {l, g.partner[l]})
        for (int t : line ? g.lineCells[line] : std::vector<int>{})
          if (sides[t] == n) return true;
      return false;
    };
    auto first = [&](const std::vector<int>& sides, int x, int n, bool touching) {
      for (int l = 1; l <= 90; ++l)
        if ((!w->game().claimed(l) || l == x || l == g.partner[x]) && touches(sides, l, n) == touching) return l;
      return 0;
    };
    int cases[3] = {};  // computer Lines that closed, stayed safe, had no safe choice
    for (int step = 0; step < 5000 && !w->status().gameOver; ++step) {
      const std::string before = w->status().lastMove;
      std::string person;
      if (!w->moveLock() && w->game().toMove() == Player::Blue) {
        const auto sides = sidesWithout(0);
        int l = first(sides, 0, 2, true);
        if (!l) l = first(sides, 0, 1, false);
        if (!l) l = first(sides, 0, -1, false);
        w->lineClicked(l);
        person = "Last move: " + std::to_string(l);
      } else {
        wait(250);
      }
      if (w->status().lastMove == before || w->status().lastMove == person) continue;
      const int l = std::stoi(w->status().lastMove.substr(11));  // the computer's, maybe played at once
      const auto sides = sidesWithout(l);
      const int closing = first(sides, l, 2, true), safe = first(sides, l, 1, false);
      EXPECT_TRUE(closing ? touches(sides, l, 2) : !safe || !touches(sides, l, 1)) << "Line " << l;
      ++cases[closing ? 0 : safe ? 1 : 2];
    }
    EXPECT_TRUE(w->status().gameOver && w->game().claimedLineCount() == 90);
    EXPECT_TRUE(cases[0] && cases[1] && cases[2]) << cases[0] << " " << cases[1] << " " << cases[2];
  }
}

// (That it dies with its window is checked on every window switch by the window fuzzer.)
TEST_F(TriangularWindowTest, APendingComputerMoveDiesWithNewGame) {
  for (bool circles : {false, true}) {
    SCOPED_TRACE(circles ? "circles" : "lines");
    auto w = open(circles ? Win::Krunk : Win::Tolva, false, true);
    if (circles) {
      w->circleClicked(20);  // the computer's circle is 2 s away
    } else {
      // A Line giving a triangle its second side: the computer closes it, and its next
      // Line waits behind the pause and the flash.
      w->lineClicked(4);
      wait(1000);
      int give = 0;
      for (int l = 1; l <= 90 && !give; ++l)
        for (int t : w->game().graph().lineCells[l])
          if (!w->game().claimed(l) && w->game().sideCount(t) == 1) give = l;
      w->lineClicked(give);
      ASSERT_NE(w->status().lastMove, "Last move: " + std::to_string(give));
    }
    ASSERT_TRUE(w->moveLock() && w->computerSteps() > 0);
    w->menuChosen("game.new");
    wait(5000);
    EXPECT_TRUE(claimed(*w).empty());
    EXPECT_EQ(w->status().turnText, circles ? "Click a circle to begin playing" : "Click a line to begin playing");
    EXPECT_FALSE(w->moveLock());
    EXPECT_EQ(host.scheduledCount(), 0u);
  }
}

}  // namespace
}  // namespace kp
