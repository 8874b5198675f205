#include "boards/flat/square_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "core/virtual_host.h"
#include "support/window_model_test.h"

namespace kp {
namespace {

using Win = SquareWindow;

class SquareWindowTest : public WindowModelTest {
 protected:
  std::unique_ptr<Win> open(int variant = -1, bool globoria = false) {
    host.setWindowAvailability([](WindowKind k) { return k == WindowKind::Square; });
    program.subLevel = globoria ? 1 : 0;
    auto w = std::make_unique<Win>(host, program);
    if (variant >= 0) w->menuChosen("games." + std::to_string(variant));
    return w;
  }

};

// The window opens on Krunk. Choosing a game writes only its caption and targets; New
// game then writes the caption, prompt and moves-left label of that game.
TEST_F(SquareWindowTest, ChoosingAGameSetsItsCaptionAndTargetsAndNewGameItsPrompt) {
  const char *const circle = "Click a circle to begin playing", *const line = "Click a line to begin playing";
  const std::tuple<int, const char*, const char*, const char*, const char*> cases[] = {
      {Win::Tolva, "Game = Tolva", "Tolva", "No score    Red's turn.", "54 moves left"},
      {Win::Duarn, "Game = Duarn", "Duarn", line, "54 moves left"},
      {Win::Krunk, "Game = Krunk", "Krunk", circle, "25 moves left"},
      {Win::SuperKrunk, "Game = Super Krunk", "Game = Super Krunk", circle, "25 moves left"},
      {Win::RibbonKrunk, "Game = Ribbon Krunk", "Game = Ribbon Krunk", circle, "25 moves left"},
      {Win::LineKrunk, "Game = Line Krunk", "Game = Line Krunk", line, "24 moves left"},
      {Win::SuperKrunkPlus, "Game = Super Krunk Plus", "Game = Super Krunk Plus", circle, "25 moves left"},
  };
  EXPECT_EQ(open()->status().gameCaption, "Game = Krunk");
  for (const auto& [variant, chosen, caption, prompt, movesLeft] : cases) {
    SCOPED_TRACE(chosen);
    auto w = open(variant);
    const bool circles = prompt == circle;
    EXPECT_EQ(w->status().gameCaption, chosen);
    EXPECT_EQ(w->status().turnText, circle);
    EXPECT_EQ(w->status().movesLeft, "54 moves left");
    for (int l = 1; l <= 60; ++l) ASSERT_EQ(w->drawing().lines[l].targetVisible, !circles) << l;
    for (int k = 1; k <= 25; ++k) ASSERT_EQ(w->drawing().circles[k].targetVisible, circles) << k;
    w->menuChosen("game.new");
    EXPECT_EQ(w->status().gameCaption, caption);
    EXPECT_EQ(w->status().turnText, prompt);
    EXPECT_EQ(w->status().movesLeft, movesLeft);
  }
}

// A Line and, in Globoria, its partner (owner marker 1) are drawn claimed; every cell side
// either bounds takes the mover's marker. Clicking either again is refused.
TEST_F(SquareWindowTest, ALineRecordsItsCellsAndInGloboriaItsPartner) {
  // cellSides: (cell, side index 0..3) given Blue's marker
  const std::tuple<bool, int, std::vector<int>, std::vector<std::pair<int, int>>> cases[] = {
      {false, 1, {}, {{1, 3}}},          {true, 1, {26}, {{1, 3}, {5, 1}}},  {true, 31, {56}, {{1, 0}, {21, 2}}},
      {true, 26, {1}, {{5, 1}, {1, 3}}}, {true, 13, {}, {{12, 1}, {13, 3}}},
  };
  for (const auto& [globoria, line, partners, cellSides] : cases) {
    SCOPED_TRACE(testing::Message() << (globoria ? "Globoria" : "Planor") << " line " << line);
    auto w = open(Win::Tolva, globoria);
    w->lineClicked(line);
    EXPECT_EQ(w->game().owner(line), 2);
    EXPECT_EQ(w->game().claimedLineCount(), 1 + int(partners.size()));
    for (int p : partners) {
      EXPECT_EQ(w->game().owner(p), 1);
      EXPECT_TRUE(w->drawing().lines[p].colour == kBlue && w->drawing().lines[p].width == kClaimedWidth);
    }
    int marked = 0;
    for (int cell = 1; cell <= 25; ++cell)
      for (int s = 0; s < 4; ++s) marked += w->game().cellSideMarker(cell, s) != 0;
    EXPECT_EQ(marked, int(cellSides.size()));
    for (auto [cell, s] : cellSides) EXPECT_EQ(w->game().cellSideMarker(cell, s), 2);
    for (int again : partners.empty() ? std::vector<int>{line} : std::vector<int>{line, partners[0]}) {
      w->lineClicked(again);
      EXPECT_EQ(texts(), std::vector<std::string>{"Invalid move!"});
      EXPECT_EQ(w->game().toMove(), Player::Red);
    }
  }
}

TEST_F(SquareWindowTest, TheFirstMoveLocksTheSetUpMenusUntilNewGame) {
  for (int variant : {Win::Tolva, Win::Duarn, Win::Krunk, Win::RibbonKrunk, Win::LineKrunk}) {
    SCOPED_TRACE(variant);
    auto w = open(variant);
    const bool circle = variant == Win::Krunk || variant == Win::RibbonKrunk;
    circle ? w->circleClicked(7) : w->lineClicked(7);
    for (const char* id : {"other", "sub", "games"}) EXPECT_FALSE(w->menus().at(id).enabled) << id;
    w->menuChosen("games.0");
    w->menuChosen("sd.12");
    EXPECT_TRUE(w->menus().at("games." + std::to_string(variant)).checked) << "locked menus do nothing";
    EXPECT_FALSE(w->menus().at("sd.12").checked);
    w->menuChosen("game.new");
    // The opening announcement (Red opens the next Tolva game) does not lock them.
    for (const char* id : {"other", "sub", "games"}) EXPECT_TRUE(w->menus().at(id).enabled) << id;
    w->menuChosen("sd.12");
    EXPECT_TRUE(w->menus().at("sd.12").checked);
  }
}

TEST_F(SquareWindowTest, NewGameFlipsTheOpeningPlayerInTolvaOnly) {
  auto w = open(Win::Tolva);
  // variant: chosen before New game, or nullptr
  const std::tuple<const char*, Player, const char*> steps[] = {
      {nullptr, Player::Red, "Tolva"},    {nullptr, Player::Blue, "Tolva"},
      {"games.1", Player::Blue, "Duarn"},  // the flag says Red, but only Tolva lets Red open
      {nullptr, Player::Blue, "Duarn"},   {"games.0", Player::Red, "Tolva"},
  };
  int n = 0;
  for (const auto& [variant, opener, caption] : steps) {
    SCOPED_TRACE(++n);
    if (variant) w->menuChosen(variant);
    w->menuChosen("game.new");
    EXPECT_EQ(w->game().toMove(), opener);
    EXPECT_EQ(w->status().gameCaption, caption);
    EXPECT_EQ(w->status().yourTurn[1], opener == Player::Blue);
  }
}

TEST_F(SquareWindowTest, SubLevelAndWallLevelAreWrittenOnlyWhenTheyApply) {
  auto w = open();
  w->menuChosen("sub.globoria");
  EXPECT_TRUE(w->globoria() && program.subLevel == 1);
  w->menuChosen("sub.globoria");  // the checked entry toggles too
  EXPECT_TRUE(!w->globoria() && program.subLevel == 0);
  w->menuChosen("other.9");
  EXPECT_EQ(texts(), std::vector<std::string>{"Krunk the Wall is not in this version yet."});
  EXPECT_FALSE(host.takeSwitch().has_value());
  EXPECT_EQ(program.wallLevel, 1) << "WallLevel is written only when the wall window loads";
  EXPECT_TRUE(open(-1, true)->globoria()) << "a window opens on the sub-level the program holds";
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
  EXPECT_TRUE(shown[1].text.starts_with(
      "Krunk plexa help.htm was not found in program directory. Check the Help file online at "));
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
}

// Globoria: cell 1's sides 31, 6, 36, 1 bring the partners 26 and 56.
TEST_F(SquareWindowTest, AKrunkCircleClaimsItsCellAndRecolouringTakesThePointAway) {
  auto w = open(Win::Krunk, true);
  w->circleClicked(1);
  for (int line : {31, 6, 36, 1, 26, 56})
    EXPECT_TRUE(w->drawing().lines[line].colour == kBlue && w->game().owner(line) == 1) << line;
  EXPECT_TRUE(w->drawing().circles[1].border == kGreen && w->drawing().circles[1].fill == kBlue);
  EXPECT_EQ(w->status().bluePoints, "1");
  EXPECT_EQ(w->status().turnText, "Red player's turn");
  EXPECT_EQ(w->status().movesLeft, "24 moves left");
  w->circleClicked(2);  // Red takes cell 2, repainting Line 6
  EXPECT_EQ(w->drawing().lines[6].colour, kRed);
  EXPECT_TRUE(w->status().bluePoints == "0" && w->status().redPoints == "1");
  EXPECT_EQ(w->drawing().circles[1].fill, kBackground);
  w->circleClicked(2);
  EXPECT_EQ(texts().back(), "Invalid move");
  EXPECT_EQ(w->status().turnText, "Blue player's turn");
}

TEST_F(SquareWindowTest, TheLastCircleIsPlayedAutomaticallyInBlack) {
  for (int variant : {Win::Krunk, Win::SuperKrunk, Win::RibbonKrunk, Win::SuperKrunkPlus}) {
    SCOPED_TRACE(variant);
    auto w = open(variant);
    for (int c = 1; c <= 23; ++c) w->circleClicked(c);
    ASSERT_FALSE(w->status().gameOver);
    const Player last = w->game().toMove();
    w->circleClicked(24);
    EXPECT_TRUE(w->game().circleUsed(25) && w->drawing().circles[25].border == kGreen);
    EXPECT_EQ(w->drawing().lines[square::side(25, 3)].colour, kBlack);
    EXPECT_EQ(w->drawing().circles[25].fill, kBackground);
    EXPECT_TRUE(w->status().gameOver);
    // The turn passes on from the player who was to move when "Krunk!" was announced
    // (in Ribbon Krunk that depends on whether Line 24's mover gained).
    EXPECT_TRUE(variant == Win::RibbonKrunk || w->game().toMove() == last);
    EXPECT_EQ(w->status().turnText, std::string(playerName(w->game().toMove())) + " player's turn");
  }
}

TEST_F(SquareWindowTest, RibbonKrunkKeepsTheMoveAfterAGainSuperKrunkPasses) {
  for (int variant : {Win::SuperKrunk, Win::RibbonKrunk}) {
    auto w = open(variant);
    w->circleClicked(7);  // Blue closes cell 7
    ASSERT_EQ(w->status().bluePoints, "1");
    EXPECT_EQ(w->game().toMove(), variant == Win::RibbonKrunk ? Player::Blue : Player::Red) << variant;
  }
}

TEST_F(SquareWindowTest, LineKrunkCountsInteriorLinesAndEndsWhenTheyAreClaimed) {
  auto w = open(Win::LineKrunk);
  w->lineClicked(1);  // an edge Line does not count down
  EXPECT_EQ(w->status().movesLeft, "24 moves left");
  w->lineClicked(7);
  EXPECT_EQ(w->drawing().lines[7].colour, kRedTurnText) << "Red's Lines in the colour of Red's turn text";
  EXPECT_EQ(w->status().movesLeft, "23 moves left");
  for (int l : square::kInteriorLines) w->lineClicked(l);
  EXPECT_TRUE(w->status().gameOver);
  w->lineClicked(60);  // the game is over: a free edge Line stays free
  EXPECT_FALSE(w->game().claimed(60));
}

}  // namespace
}  // namespace kp
