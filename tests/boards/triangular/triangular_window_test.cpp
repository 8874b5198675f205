// The triangular window through its events: games, Lines, circles, sizes and its computer.
#include "boards/triangular/triangular_window.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/virtual_host.h"

namespace kp {
namespace {

using Win = TriangularWindow;

class TriangularWindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<Win> open(int variant, bool globoria = false, bool onePlayer = false) {
    program.subLevel = globoria ? 1 : 0;
    auto w = std::make_unique<Win>(host, program);
    w->menuChosen("games." + std::to_string(variant));
    if (onePlayer) w->menuChosen("players.0");
    return w;
  }
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
  static std::vector<int> claimed(const Win& w) {
    std::vector<int> out;
    for (int l = 1; l <= 90; ++l)
      if (w.game().claimed(l)) out.push_back(l);
    return out;
  }
  static int visibleCircles(const Win& w) {
    int n = 0;
    for (int t = 1; t <= 54; ++t) n += w.drawing().circles[t].targetVisible;
    return n;
  }

  VirtualHost host;
  ProgramState program;
};

TEST_F(TriangularWindowTest, ChoosingAGameSetsCaptionMovesLeftTargetsAndPrompt) {
  struct Case {
    int variant;
    const char* caption;
    const char* movesLeft;
    bool circles;
  };
  const Case cases[] = {
      {Win::Tolva, "Game = Tolva", "90 moves left", false},
      {Win::Duarn, "Game = Duarn", "90 moves left", false},
      {Win::Krunk, "Game = Krunk", "54 moves left", true},
      {Win::SuperKrunk, "Game = Super Krunk", "54 moves left", true},
      {Win::SuperKrunkPlus, "Game = Super Krunk Plus", "54 moves left", true},
      {Win::LineKrunk, "Game = Line Krunk", "54 moves left", false},
  };
  auto w = open(Win::Krunk);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    w->menuChosen("games." + std::to_string(c.variant));
    EXPECT_EQ(w->status().gameCaption, c.caption);
    EXPECT_EQ(w->status().movesLeft, c.movesLeft);
    EXPECT_EQ(w->status().turnText, c.circles ? "Click a circle to begin playing" : "Click a line to begin playing");
    EXPECT_EQ(visibleCircles(*w), c.circles ? 54 : 0);
    for (int l = 1; l <= 90; ++l) ASSERT_EQ(w->drawing().lines[l].targetVisible, !c.circles) << l;
    for (const auto& other : cases)
      EXPECT_EQ(w->menus().at("games." + std::to_string(other.variant)).checked, other.variant == c.variant);
  }
}

TEST_F(TriangularWindowTest, DuarnSeatsTwoPlayersAndGloboriaTurnsSuperKrunkIntoTolva) {
  auto w = open(Win::Tolva, false, true);
  w->menuChosen("games.1");
  EXPECT_TRUE(w->menus().at("players.1").checked);
  w->menuChosen("players.0");
  EXPECT_EQ(texts(), std::vector<std::string>{"   Duarn is a two player game only."});
  EXPECT_FALSE(w->menus().at("players.0").checked);
  for (auto [before, after] : {std::pair{Win::SuperKrunk, Win::Tolva}, {Win::SuperKrunkPlus, Win::SuperKrunkPlus}}) {
    auto v = open(before);
    v->menuChosen("sub.globoria");
    EXPECT_TRUE(v->globoria() && !v->menus().at("sub.planor").checked);
    EXPECT_TRUE(v->menus().at("games." + std::to_string(after)).checked) << before;
    EXPECT_EQ(visibleCircles(*v), after == Win::Tolva ? 0 : 54) << before;
  }
}

TEST_F(TriangularWindowTest, ALineShowsItsNumberAndInGloboriaClaimsItsPartner) {
  struct Case {
    bool globoria;
    int line;
    std::vector<int> claimed;
  };
  const Case cases[] = {
      {false, 37, {37}}, {false, 28, {28}}, {true, 1, {1, 28}}, {true, 28, {1, 28}}, {true, 60, {60, 83}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto w = open(Win::Tolva, c.globoria);
    w->lineClicked(c.line);
    EXPECT_EQ(w->status().lastMove, "Last move: " + std::to_string(c.line));
    EXPECT_EQ(claimed(*w), c.claimed);
    for (int l : c.claimed) EXPECT_TRUE(w->drawing().lines[l].colour == kBlue && w->drawing().lines[l].width == 8) << l;
    EXPECT_EQ(w->status().turnText, "No score    Red's turn.");
    for (int l : c.claimed) {  // the Line and its partner are both taken now
      w->lineClicked(l);
      EXPECT_EQ(texts(), std::vector<std::string>{"Invalid move!"});
      EXPECT_EQ(w->game().toMove(), Player::Red);
      EXPECT_EQ(claimed(*w), c.claimed);
    }
  }
  // Across the join: Line 72 brings its partner 31, triangle 1's last side.
  auto w = open(Win::Tolva, true);
  for (int l : {4, 32, 72}) w->lineClicked(l);
  EXPECT_EQ(w->status().turnText, " Score!      Blue goes again.");
  EXPECT_EQ(w->drawing().circles[1].fill, kBlue);
  EXPECT_NE(w->game().cellSideMarker(38, 1), 0) << "Line 72 is triangle 38's own side too";
}

TEST_F(TriangularWindowTest, ALineClosingTwoTrianglesScoresDoubleAfterTheFlash) {
  auto w = open(Win::Tolva);
  for (int l : {4, 40, 42, 9}) w->lineClicked(l);
  EXPECT_EQ(w->status().bluePoints, "0");
  w->lineClicked(41);  // Blue: the third side of triangles 9 and 10
  EXPECT_EQ(w->status().turnText, "  Double score!      Two cool!");
  EXPECT_EQ(w->status().bluePoints, "2");
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

TEST_F(TriangularWindowTest, SizesCanBeChosenOnlyBeforeTheFirstMove) {
  const char* sizes[] = {"Mini Size", "Smaller size", "Normal size"};
  const double scale[] = {0.6, 0.8, 1.0};
  for (bool circles : {false, true}) {
    auto w = open(circles ? Win::Krunk : Win::Tolva);
    for (int i : {0, 1, 2}) {
      w->menuChosen("size." + std::to_string(i + 1));
      EXPECT_EQ(w->boardScale(), scale[i]);
      w->buttonPressed(sizes[(i + 2) % 3]);  // the buttons do the same
      EXPECT_EQ(w->boardScale(), scale[(i + 2) % 3]);
      EXPECT_TRUE(w->menus().at("size." + std::to_string((i + 2) % 3 + 1)).checked);
    }
    w->buttonPressed("Mini Size");
    circles ? w->circleClicked(20) : w->lineClicked(20);
    for (int i : {1, 2, 3}) {
      EXPECT_FALSE(w->menus().at("size." + std::to_string(i)).enabled);
      w->menuChosen("size." + std::to_string(i));
      w->buttonPressed(sizes[i - 1]);
      EXPECT_EQ(w->boardScale(), 0.6);
    }
    for (const auto& b : w->buttons()) EXPECT_EQ(b.visible, b.caption == "New game") << b.caption;
    w->buttonPressed("New game");
    for (const auto& b : w->buttons()) EXPECT_TRUE(b.visible) << b.caption;
    w->buttonPressed("Normal size");
    EXPECT_EQ(w->boardScale(), 1.0);
  }
}

TEST_F(TriangularWindowTest, ACircleClaimsItsTriangleAndTheExtensionOfItsGame) {
  struct Case {
    int variant;
    bool globoria;
    int triangle;
    std::vector<int> lines;      // every Line claimed, ascending
    std::vector<int> blueCells;  // triangles whose three Lines are now Blue
  };
  const Case cases[] = {
      {Win::Krunk, false, 10, {9, 41, 42}, {10}},
      {Win::Krunk, false, 1, {4, 31, 32}, {1}},
      {Win::Krunk, true, 1, {4, 31, 32, 72}, {1}},
      {Win::SuperKrunk, false, 1, {4, 5, 31, 32, 39, 42}, {1}},
      {Win::SuperKrunk, false, 10, {8, 9, 10, 32, 33, 41, 42, 51, 54}, {10}},
      {Win::SuperKrunkPlus, false, 10, {1, 8, 9, 10, 32, 33, 41, 42, 50, 51, 54, 55}, {2, 10, 18, 22}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.variant << (c.globoria ? " Globoria " : " Planor ") << c.triangle);
    auto w = open(c.variant, c.globoria);
    w->circleClicked(c.triangle);
    EXPECT_EQ(claimed(*w), c.lines);
    for (int l : c.lines) EXPECT_EQ(w->drawing().lines[l].colour, kBlue) << l;
    EXPECT_EQ(w->status().lastMove, "Last move: " + std::to_string(c.triangle));
    EXPECT_EQ(w->status().bluePoints, std::to_string(c.blueCells.size()));
    for (int t : c.blueCells)
      EXPECT_TRUE(w->drawing().circles[t].fill == kBlue && w->drawing().circles[t].border == Win::kPlayedBorder) << t;
    EXPECT_EQ(w->status().movesLeft, std::to_string(54 - c.blueCells.size()) + " moves left");
    for (const char* id : {"other", "sub", "games", "options"}) EXPECT_FALSE(w->menus().at(id).enabled) << id;
    // A played circle cannot be played again, by click or keypad.
    w->circleClicked(c.triangle);
    w->keypadEntered(std::to_string(c.triangle));
    EXPECT_EQ(w->status().turnText, "Red player's turn");
    EXPECT_EQ(w->status().turnColour, kRed);
    EXPECT_EQ(w->drawing().lines[c.lines[0]].colour, kBlue);
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
  EXPECT_TRUE(w->drawing().circles[20].targetVisible);
  w->circleClicked(21);  // Red: 53, the last side of triangle 20 (with 9 and 52)
  EXPECT_TRUE(w->game().circleUsed(20) && !w->drawing().circles[20].targetVisible);
  EXPECT_EQ(w->drawing().circles[20].border, Win::kPlayedBorder);
  EXPECT_EQ(w->drawing().circles[20].fill, kBackground) << "mixed colours count for nobody";
  EXPECT_EQ(w->status().movesLeft, "49 moves left");
  EXPECT_EQ(w->status().turnText, "Blue player's turn");
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
    const auto [red, blue] = w->pointsOnBoard();  // recounted after the black move
    EXPECT_TRUE(w->status().redPoints == std::to_string(red) && w->status().bluePoints == std::to_string(blue));
    const char* verdict = red > blue   ? "Red wins by points."
                          : blue > red ? "Blue wins by points."
                                       : "By points its a tie";
    EXPECT_EQ(texts(), std::vector<std::string>{verdict});
    ASSERT_EQ(w->status().rounds.size(), 4u);
    EXPECT_EQ(w->status().rounds[1].rfind("Round 1 -", 0), 0u);
  }
}

TEST_F(TriangularWindowTest, TheCircleComputerWaitsTwoSecondsAndPrefersClaimedSides) {
  struct Step {
    int person, computer;
    std::vector<int> extension;  // the computer's Super Krunk Lines, in Red
  };
  // After 9 triangles 1, 8 and 10 have one claimed Line: the lowest is played. After 11,
  // triangle 10 has two and comes before 2, 3 and 8 with one each. In Super Krunk, 9's
  // extension gives triangle 3 two Lines.
  const std::pair<int, std::vector<Step>> games[] = {{Win::Krunk, {{9, 1, {}}, {11, 10, {}}}},
                                                     {Win::SuperKrunk, {{9, 3, {4, 6, 41, 44}}}}};
  for (const auto& [variant, steps] : games) {
    auto w = open(variant, false, true);
    for (const auto& s : steps) {
      SCOPED_TRACE(testing::Message() << variant << ": " << s.person);
      w->circleClicked(s.person);
      EXPECT_EQ(w->status().turnText, "Red player's turn");
      EXPECT_TRUE(w->moveLock());
      const auto before = claimed(*w);
      w->circleClicked(30);  // kept out while the computer thinks
      wait(1999);
      EXPECT_TRUE(claimed(*w) == before && !w->game().circleUsed(s.computer));
      wait(1);
      EXPECT_TRUE(w->game().circleUsed(s.computer));
      EXPECT_EQ(w->status().lastMove, "Last move: " + std::to_string(s.computer));
      for (int e = 1; e <= 3; ++e) EXPECT_EQ(w->drawing().lines[triangular::side(s.computer, e)].colour, kRed);
      for (int l : s.extension) EXPECT_EQ(w->drawing().lines[l].colour, kRed) << l;
      EXPECT_EQ(w->status().turnText, "Blue player's turn");
      EXPECT_TRUE(w->status().turnColour == kBlue && w->status().yourTurn[1]);
      EXPECT_FALSE(w->moveLock());
      EXPECT_EQ(w->computerSteps(), 0u);
    }
  }
}

TEST_F(TriangularWindowTest, TheLineComputerClosesFirstThenAvoidsSecondSidesThenTakesAnyLine) {
  for (bool globoria : {false, true}) {
    SCOPED_TRACE(globoria ? "Globoria" : "Planor");
    auto w = open(Win::Tolva, globoria, true);
    const BoardGraph& g = w->game().graph();
    std::vector<bool> taken(91, false);
    // Whether claiming l (and its partner) touches a triangle that has `count` sides now.
    auto touches = [&](int l, int count) {
      for (int line : {l, g.partner[l]})
        for (int t : line ? g.lineCells[line] : std::vector<int>{})
          if (std::count_if(g.cellSides[t].begin(), g.cellSides[t].end(), [&](int s) { return taken[s]; }) == count)
            return true;
      return false;
    };
    auto closes = [&](int l) { return touches(l, 2); };
    auto safe = [&](int l) { return !touches(l, 1); };
    auto firstFree = [&](auto ok) {
      for (int l = 1; l <= 90; ++l)
        if (!taken[l] && ok(l)) return l;
      return 0;
    };
    auto take = [&](int l) { taken[l] = taken[g.partner[l]] = true; };
    int closing = 0, safeMoves = 0, fallbacks = 0;
    std::string seen = w->status().lastMove;
    auto observe = [&] {  // judges a computer Line against the board it was chosen on
      if (w->status().lastMove == seen) return;
      seen = w->status().lastMove;
      const int l = std::stoi(seen.substr(11));
      ASSERT_FALSE(taken[l]) << l;
      const bool canClose = firstFree(closes) != 0, canStaySafe = firstFree(safe) != 0;
      EXPECT_TRUE(canClose ? closes(l) : !canStaySafe || safe(l)) << "Line " << l;
      ++(canClose ? closing : canStaySafe ? safeMoves : fallbacks);
      take(l);
    };
    while (!w->status().gameOver) {
      for (int i = 0; i < 400 && !w->status().gameOver && (w->moveLock() || w->game().toMove() == Player::Red); ++i) {
        wait(250);
        observe();
      }
      if (w->status().gameOver) break;
      ASSERT_TRUE(!w->moveLock() && w->game().toMove() == Player::Blue);
      for (int l = 1; l <= 90; ++l) ASSERT_EQ(w->game().claimed(l), bool(taken[l])) << l;
      int l = firstFree(closes);  // the person plays as carefully, lowest Line first
      if (!l) l = firstFree(safe);
      if (!l) l = firstFree([](int) { return true; });
      w->lineClicked(l);
      take(l);
      seen = "Last move: " + std::to_string(l);
      observe();
    }
    EXPECT_TRUE(closing > 0 && safeMoves > 0 && fallbacks > 0) << closing << " " << safeMoves << " " << fallbacks;
    EXPECT_EQ(claimed(*w).size(), 90u);
  }
}

TEST_F(TriangularWindowTest, APendingComputerMoveDiesWithNewGameOrWithTheWindow) {
  for (bool circles : {false, true})
    for (bool closeWindow : {false, true}) {
      SCOPED_TRACE(testing::Message() << (circles ? "circles" : "lines") << (closeWindow ? ", closed" : ", new game"));
      auto w = open(circles ? Win::Krunk : Win::Tolva, false, true);
      if (circles) {
        w->circleClicked(20);  // the computer's circle is 2 s away
      } else {
        w->lineClicked(4);
        wait(1000);
        // A Line giving a triangle its second side: the computer closes it, and its
        // next Line waits behind the pause and the flash.
        int give = 0;
        for (int l = 1; l <= 90 && !give; ++l)
          for (int t : w->game().graph().lineCells[l])
            if (!w->game().claimed(l) && w->game().sideCount(t) == 1) give = l;
        ASSERT_NE(give, 0);
        w->lineClicked(give);
        ASSERT_NE(w->status().lastMove, "Last move: " + std::to_string(give));
      }
      ASSERT_TRUE(w->moveLock());
      ASSERT_GT(w->computerSteps(), 0u);
      if (closeWindow) {
        w.reset();
        EXPECT_EQ(host.scheduledCount(), 0u);
        continue;
      }
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
