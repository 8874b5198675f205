#include "boards/flat/square_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/virtual_host.h"

namespace kp {
namespace {

class SquareWindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<SquareWindow> open() {
    host.setWindowAvailability([](WindowKind k) { return k == WindowKind::Square; });
    return std::make_unique<SquareWindow>(host, program);
  }
  std::unique_ptr<SquareWindow> openTolva() {
    auto w = open();
    w->menuChosen("games.0");
    return w;
  }
  std::vector<std::string> texts() {
    std::vector<std::string> out;
    for (auto& m : host.takeMessages()) out.push_back(m.text);
    return out;
  }

  VirtualHost host;
  ProgramState program;
};

TEST_F(SquareWindowTest, OpensOnKrunkReadyForTheFirstCircle) {
  auto w = open();
  const StatusLabels& s = w->status();
  EXPECT_EQ(s.turnText, "Click a circle to begin playing");
  EXPECT_EQ(s.turnColour, kBlue);
  EXPECT_EQ(s.gameCaption, "Game = Krunk");
  EXPECT_EQ(s.movesLeft, "54 moves left");
  EXPECT_EQ(s.rounds, std::vector<std::string>{""});
  EXPECT_TRUE(w->menus().at("games.2").checked);
  EXPECT_TRUE(w->menus().at("sub.planor").checked);
  for (int l = 1; l <= 60; ++l) ASSERT_FALSE(w->drawing().lines[l].targetVisible);
  for (int c = 1; c <= 25; ++c) ASSERT_TRUE(w->drawing().circles[c].targetVisible);
  w->menuChosen("games.0");
  EXPECT_EQ(w->status().gameCaption, "Game = Tolva");
  for (int l = 1; l <= 60; ++l) ASSERT_TRUE(w->drawing().lines[l].targetVisible);
  for (int c = 1; c <= 25; ++c) ASSERT_FALSE(w->drawing().circles[c].targetVisible);
}

struct WrapCase {
  bool globoria;
  int line;
  std::vector<int> alsoClaimed;                 // partner Lines drawn with it
  std::vector<std::pair<int, int>> cellSides;  // (cell, side index 0..3) given Blue's marker
};

TEST_F(SquareWindowTest, ALineRecordsItsCellsAndInGloboriaItsPartner) {
  const WrapCase cases[] = {
      {false, 1, {}, {{1, 3}}},
      {true, 1, {26}, {{1, 3}, {5, 1}}},
      {true, 31, {56}, {{1, 0}, {21, 2}}},
      {true, 26, {1}, {{5, 1}, {1, 3}}},
      {true, 13, {}, {{12, 1}, {13, 3}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.globoria ? "Globoria" : "Planor") << " line " << c.line);
    program.subLevel = c.globoria ? 1 : 0;
    auto w = openTolva();
    w->lineClicked(c.line);
    EXPECT_EQ(w->game().owner(c.line), 2);
    int claimed = 0;
    for (int l = 1; l <= 60; ++l) claimed += w->game().claimed(l);
    EXPECT_EQ(claimed, 1 + int(c.alsoClaimed.size()));
    for (int p : c.alsoClaimed) {
      EXPECT_EQ(w->game().owner(p), 1) << "a partner is always recorded with marker 1";
      EXPECT_EQ(w->drawing().lines[p].colour, kBlue);
      EXPECT_EQ(w->drawing().lines[p].width, 8);
    }
    int marked = 0;
    for (int cell = 1; cell <= 25; ++cell)
      for (int s = 0; s < 4; ++s) marked += w->game().cellSideMarker(cell, s) != 0;
    EXPECT_EQ(marked, int(c.cellSides.size()));
    for (auto [cell, s] : c.cellSides) EXPECT_EQ(w->game().cellSideMarker(cell, s), 2);
  }
}

TEST_F(SquareWindowTest, AClaimedLineOrItsPartnerIsRefusedAndNothingChanges) {
  program.subLevel = 1;
  auto w = openTolva();
  w->lineClicked(26);
  texts();
  const StatusLabels before = w->status();
  for (int line : {26, 1}) {
    w->lineClicked(line);
    EXPECT_EQ(texts(), std::vector<std::string>{"Invalid move!"});
    EXPECT_EQ(w->status().turnText, before.turnText);
    EXPECT_EQ(w->game().toMove(), Player::Red);
  }
}

TEST_F(SquareWindowTest, TheFirstMoveLocksTheSetUpMenusUntilNewGame) {
  struct Case {
    const char* variant;
    bool circle;
  };
  for (const Case c : {Case{"games.0", false}, {"games.1", false}, {"games.2", true}, {"games.3", true},
                       {"games.4", true}, {"games.6", false}, {"games.8", true}}) {
    SCOPED_TRACE(c.variant);
    auto w = open();
    w->menuChosen(c.variant);
    EXPECT_TRUE(w->menus().at("sub").enabled);
    if (c.circle) w->circleClicked(7);
    else w->lineClicked(7);
    for (const char* id : {"other", "sub", "games"}) EXPECT_FALSE(w->menus().at(id).enabled) << id;
    w->menuChosen("games.0");
    EXPECT_TRUE(w->menus().at(c.variant).checked) << "the Games menu cannot be used while it is locked";
    w->menuChosen("game.new");
    // The opening announcement (Red opens this Tolva game) does not lock them.
    for (const char* id : {"other", "sub", "games"}) EXPECT_TRUE(w->menus().at(id).enabled) << id;
  }
}

TEST_F(SquareWindowTest, NewGameFlipsTheOpeningPlayerInTolvaOnly) {
  auto w = openTolva();
  struct Step {
    const char* variant;  // chosen before New game, or nullptr
    Player opener;
    const char* caption;
  };
  const Step steps[] = {
      {nullptr, Player::Red, "Tolva"},
      {nullptr, Player::Blue, "Tolva"},
      {"games.1", Player::Blue, "Duarn"},  // the flag says Red, but only Tolva lets Red open
      {nullptr, Player::Blue, "Duarn"},
      {"games.0", Player::Red, "Tolva"},
  };
  int n = 0;
  for (const auto& s : steps) {
    SCOPED_TRACE(++n);
    if (s.variant) {
      ASSERT_TRUE(w->menus().at("games").enabled);
      w->menuChosen(s.variant);
    }
    w->menuChosen("game.new");
    EXPECT_EQ(w->game().toMove(), s.opener);
    EXPECT_EQ(w->status().gameCaption, s.caption);
    EXPECT_EQ(w->status().yourTurn[0], s.opener == Player::Red);
    EXPECT_EQ(w->status().yourTurn[1], s.opener == Player::Blue);
    EXPECT_EQ(w->status().turnColour, s.opener == Player::Red ? kRedTurnText : kBlue);
  }
}

TEST_F(SquareWindowTest, NewGameClearsTheBoardAndKeepsTheRounds) {
  auto w = openTolva();
  for (int l = 1; l <= 60; ++l) w->lineClicked(l);
  ASSERT_TRUE(w->status().gameOver);
  EXPECT_EQ(texts().back(), "Red wins by points.");
  EXPECT_EQ(w->status().rounds.size(), 4u);
  w->menuChosen("game.new");
  EXPECT_FALSE(w->status().gameOver);
  EXPECT_EQ(w->status().redPoints, "0");
  EXPECT_EQ(w->status().redTotal, "25");
  EXPECT_EQ(w->status().lastMoveCaption, "Last:");
  EXPECT_EQ(w->drawing().lines[60].width, kUnclaimedWidth);
  EXPECT_EQ(w->drawing().circles[25].fill, kBackground);
  EXPECT_EQ(w->status().rounds.size(), 4u);
}

TEST_F(SquareWindowTest, EitherSubLevelEntryTogglesAndWritesTheProgramValue) {
  auto w = open();
  w->menuChosen("sub.globoria");
  EXPECT_TRUE(w->globoria());
  EXPECT_EQ(program.subLevel, 1);
  w->menuChosen("sub.globoria");  // the checked entry toggles too
  EXPECT_FALSE(w->globoria());
  EXPECT_EQ(program.subLevel, 0);
  program.subLevel = 1;
  EXPECT_TRUE(open()->globoria()) << "a window opens on the sub-level the program holds";
}

TEST_F(SquareWindowTest, OtherGamesHasThreeGroupsAndMarksTheCurrentWindow) {
  auto w = open();
  const MenuEntry& other = w->menus().at("other");
  std::vector<std::string> headings;
  int entries = 0;
  for (const auto& e : other.children) {
    if (e.heading) headings.push_back(e.caption);
    if (!e.heading && !e.separator) ++entries;
  }
  EXPECT_EQ(headings, (std::vector<std::string>{"Planor Plexa 2014 in 2D (THIS VERSION!)", "Krunk Plexa 2014 in 3D",
                                                "Quadrion Plexa 2014 in 4D"}));
  EXPECT_EQ(entries, 13);
  const MenuEntry& self = w->menus().at("other.1");
  EXPECT_TRUE(self.checked);
  EXPECT_FALSE(self.enabled);
  EXPECT_EQ(self.caption, "2D - Beginner's Planor and Globoria");
  EXPECT_TRUE(w->menus().at("other.2").enabled);
}

TEST_F(SquareWindowTest, AWindowNotInThisVersionSaysSoAndNothingChanges) {
  auto w = open();
  w->menuChosen("other.9");
  EXPECT_EQ(texts(), std::vector<std::string>{"Krunk the Wall is not in this version yet."});
  EXPECT_FALSE(host.takeSwitch().has_value());
  EXPECT_EQ(program.wallLevel, 1) << "WallLevel is written only when the wall window loads";
}

TEST_F(SquareWindowTest, HelpOpensFromTheCurrentDirectoryOrExplainsWhereToLook) {
  const auto dir = std::filesystem::temp_directory_path() / "kp-help-test";
  std::filesystem::create_directories(dir);
  std::filesystem::remove(dir / "krunk plexa help.htm");
  host.setCurrentDirectory(dir.string());
  auto w = open();
  w->menuChosen("help.rules");
  host.answerMessages();
  auto shown = host.takeMessages();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, dir.string());
  EXPECT_EQ(shown[1].title, "No help");
  EXPECT_EQ(shown[1].text.rfind("Krunk plexa help.htm was not found in program directory. Check the Help file online at ", 0), 0u);

  std::ofstream(dir / "krunk plexa help.htm") << "<html></html>";
  w->menuChosen("help.rules");
  EXPECT_TRUE(host.takeMessages().empty());
  EXPECT_EQ(host.takeDocuments(), std::vector<std::string>{(dir / "krunk plexa help.htm").string()});
}

TEST_F(SquareWindowTest, FrameEntriesReachTheHost) {
  auto w = open();
  w->menuChosen("game.server");
  w->menuChosen("game.call");
  EXPECT_EQ(texts(), (std::vector<std::string>(2, "Playing over the network is not available in this version.")));
  w->menuChosen("help.about");
  EXPECT_TRUE(host.aboutOpen());
  w->menuChosen("game.exit");
  EXPECT_TRUE(host.ended());
}

}  // namespace
}  // namespace kp

namespace kp {
namespace {

class KrunkFamilyTest : public SquareWindowTest {
 protected:
  std::unique_ptr<SquareWindow> openOn(int variant, bool globoria = false) {
    program.subLevel = globoria ? 1 : 0;
    auto w = open();
    w->menuChosen("games." + std::to_string(variant));
    return w;
  }
};

TEST_F(KrunkFamilyTest, AKrunkCircleClaimsItsCellInTheMoversColourAndPassesTheTurn) {
  auto w = openOn(SquareWindow::Krunk, true);
  w->circleClicked(1);
  for (int line : {31, 6, 36, 1, 26, 56}) {
    EXPECT_EQ(w->drawing().lines[line].colour, kBlue) << line;
    EXPECT_EQ(w->drawing().lines[line].width, 8) << line;
    EXPECT_EQ(w->game().owner(line), 1) << line;
  }
  EXPECT_EQ(w->drawing().circles[1].border, kGreen);
  EXPECT_EQ(w->drawing().circles[1].fill, kBlue);
  EXPECT_EQ(w->status().bluePoints, "1");
  EXPECT_EQ(w->status().turnText, "Red player's turn");
  EXPECT_EQ(w->status().turnColour, kRed);
  EXPECT_EQ(w->status().movesLeft, "24 moves left");
  w->circleClicked(2);  // Red takes cell 2, repainting Line 6
  EXPECT_EQ(w->drawing().lines[6].colour, kRed);
  EXPECT_EQ(w->status().bluePoints, "0") << "recolouring a side takes Blue's point away";
  EXPECT_EQ(w->status().redPoints, "1");
  EXPECT_EQ(w->drawing().circles[1].fill, kBackground);
  w->circleClicked(2);
  EXPECT_EQ(texts().back(), "Invalid move");
  EXPECT_EQ(w->status().turnText, "Blue player's turn");
}

TEST_F(KrunkFamilyTest, TheLastCircleIsPlayedAutomaticallyInBlack) {
  for (int variant : {SquareWindow::Krunk, SquareWindow::SuperKrunk, SquareWindow::RibbonKrunk,
                      SquareWindow::SuperKrunkPlus}) {
    SCOPED_TRACE(variant);
    auto w = openOn(variant);
    for (int c = 1; c <= 23; ++c) w->circleClicked(c);
    EXPECT_FALSE(w->status().gameOver);
    EXPECT_EQ(w->status().movesLeft, "2 moves left");
    const Player last = w->game().toMove();
    w->circleClicked(24);
    EXPECT_TRUE(w->game().circleUsed(25));
    EXPECT_EQ(w->drawing().circles[25].border, kGreen);
    EXPECT_EQ(w->drawing().lines[square::side(25, 3)].colour, kBlack);
    EXPECT_EQ(w->drawing().circles[25].fill, kBackground);
    EXPECT_TRUE(w->status().gameOver);
    EXPECT_EQ(w->status().movesLeft, "0 moves left");
    // The turn passes on from the player who was to move when "Krunk!" was announced
    // (in Ribbon Krunk that depends on whether Line 24's mover gained).
    if (variant != SquareWindow::RibbonKrunk) {
      EXPECT_EQ(w->game().toMove(), last);
    }
    EXPECT_EQ(w->status().turnText, std::string(playerName(w->game().toMove())) + " player's turn");
    EXPECT_EQ(w->status().rounds.size(), 4u);
  }
}

TEST_F(KrunkFamilyTest, RibbonKrunkKeepsTheMoveAfterAGainSuperKrunkPasses) {
  for (int variant : {SquareWindow::SuperKrunk, SquareWindow::RibbonKrunk}) {
    auto w = openOn(variant);
    w->circleClicked(7);  // Blue closes cell 7
    ASSERT_EQ(w->status().bluePoints, "1");
    EXPECT_EQ(w->game().toMove(), variant == SquareWindow::RibbonKrunk ? Player::Blue : Player::Red) << variant;
  }
}

TEST_F(KrunkFamilyTest, LineKrunkEndsWhenEveryInteriorLineIsClaimed) {
  auto w = openOn(SquareWindow::LineKrunk);
  EXPECT_EQ(w->status().gameCaption, "Game = Line Krunk");
  w->lineClicked(1);  // an edge Line does not count down
  EXPECT_EQ(w->status().movesLeft, "24 moves left");
  EXPECT_EQ(w->drawing().lines[1].colour, kBlue);
  EXPECT_EQ(w->status().turnText, "Red player's turn");
  EXPECT_EQ(w->status().turnColour, kRedTurnText);
  w->lineClicked(7);
  EXPECT_EQ(w->drawing().lines[7].colour, kRedTurnText);
  EXPECT_EQ(w->game().owner(7), 1);
  EXPECT_EQ(w->status().movesLeft, "23 moves left");
  for (int l : square::kInteriorLines) w->lineClicked(l);
  EXPECT_TRUE(w->status().gameOver);
  EXPECT_EQ(w->status().movesLeft, "0 moves left");
  EXPECT_FALSE(w->game().claimed(60));
  w->lineClicked(60);  // the game is over: a free edge Line stays free
  EXPECT_FALSE(w->game().claimed(60));
}

TEST_F(KrunkFamilyTest, NewGameRewritesTheCaptionAndPromptOfTheVariant) {
  struct Case {
    int variant;
    const char* caption;
    const char* prompt;
    const char* movesLeft;
  };
  const Case cases[] = {
      {SquareWindow::Krunk, "Krunk", "Click a circle to begin playing", "25 moves left"},
      {SquareWindow::SuperKrunk, "Game = Super Krunk", "Click a circle to begin playing", "25 moves left"},
      {SquareWindow::SuperKrunkPlus, "Game = Super Krunk Plus", "Click a circle to begin playing", "25 moves left"},
      {SquareWindow::LineKrunk, "Game = Line Krunk", "Click a line to begin playing", "24 moves left"},
  };
  for (const auto& c : cases) {
    auto w = openOn(c.variant);
    w->menuChosen("game.new");
    EXPECT_EQ(w->status().gameCaption, c.caption);
    EXPECT_EQ(w->status().turnText, c.prompt);
    EXPECT_EQ(w->status().movesLeft, c.movesLeft);
    EXPECT_EQ(w->status().turnColour, kBlue);
  }
}

}  // namespace
}  // namespace kp
