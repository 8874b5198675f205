// Every game of the square window's Games menu, played through the runner to its verdict
// on both sub-levels, in a shuffled order of moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <numeric>
#include <random>
#include <sstream>

#include "boards/flat/square_board.h"
#include "play/play_session.h"

namespace kp {
namespace {

using nlohmann::json;

struct Game {
  const char* menu;
  bool circles;
};

const Game kGames[] = {
    {"Tolva", false},       {"Duarn (2 Player only)", false}, {"Krunk", true},           {"Super Krunk", true},
    {"Ribbon Krunk", true}, {"Line Krunk", false},            {"Super Krunk Plus", true},
};

// Points as the drawing shows them: a Cell all of whose sides are claimed in one
// player's colour. Only the Krunk family scores this way.
std::pair<int, int> colourCount(const json& state) {
  int red = 0, blue = 0;
  for (int k = 1; k <= square::kCells; ++k) {
    int r = 0, b = 0;
    for (int s = 1; s <= 4; ++s) {
      const json& l = state["lines"][std::to_string(square::side(k, s))];
      if (l["width"] != 8) continue;
      r += l["colour"] == kRed || l["colour"] == kRedTurnText;
      b += l["colour"] == kBlue;
    }
    red += r == 4;
    blue += b == 4;
  }
  return {red, blue};
}

class VariantScenario : public ::testing::TestWithParam<std::tuple<Game, bool, unsigned>> {};

TEST_P(VariantScenario, PlaysToTheVerdict) {
  const auto [game, globoria, seed] = GetParam();
  std::ostringstream script;
  script << "open square\n";
  if (globoria) script << "menu Sub-Levels > Globoria\n";
  script << "menu Games Menu > " << game.menu << "\n";
  std::vector<int> moves(game.circles ? square::kCells : square::kLines);
  std::iota(moves.begin(), moves.end(), 1);
  std::shuffle(moves.begin(), moves.end(), std::mt19937(seed));
  for (int m : moves) script << (game.circles ? "circle " : "line ") << m << "\nstate\n";

  std::istringstream in(script.str());
  PlaySession session(seed);
  json end;
  int verdicts = 0;
  for (const auto& cmd : parseScript(in)) {
    auto s = session.run(cmd);
    if (!s || end.is_object()) continue;
    for (const auto& m : (*s)["messages"]) {
      const std::string text = m["text"];
      if (text.find("points") != std::string::npos || text.find("tie") != std::string::npos) ++verdicts;
    }
    if ((*s)["game_over"]) end = *s;
    ASSERT_LE(std::stoi((*s)["red_points"].get<std::string>()) + std::stoi((*s)["blue_points"].get<std::string>()), 25);
  }
  ASSERT_TRUE(end.is_object()) << "the game never ended";
  EXPECT_EQ(verdicts, 1);
  const int red = std::stoi(end["red_points"].get<std::string>());
  const int blue = std::stoi(end["blue_points"].get<std::string>());
  const std::string verdict = red > blue ? "Red wins by points." : blue > red ? "Blue wins by points." : "By points its a tie";
  EXPECT_EQ(end["messages"].back()["text"], verdict);
  const std::string winner = red > blue ? "Red" : blue > red ? "Blue" : "Tie";
  EXPECT_EQ(end["rounds"], json({"", "Round 1 -" + winner + "\t" + std::to_string(red) + "\t" + std::to_string(blue),
                                 winner + "  Subtotal -\t" + std::to_string(red) + "\t" + std::to_string(blue), " "}));
  EXPECT_EQ(end["sub_level"], globoria ? 1 : 0);
  if (std::string(game.menu) == "Tolva") {
    EXPECT_EQ(red + blue, 25);
  }
  if (game.circles || std::string(game.menu) == "Line Krunk") {
    EXPECT_EQ(colourCount(end), std::make_pair(red, blue));
    EXPECT_EQ(end["moves_left"], "0 moves left");
  }
}

INSTANTIATE_TEST_SUITE_P(SquareWindow, VariantScenario,
                         ::testing::Combine(::testing::ValuesIn(kGames), ::testing::Bool(), ::testing::Values(1u, 7u)),
                         [](const auto& info) {
                           std::string name = std::get<0>(info.param).menu;
                           name.erase(std::remove_if(name.begin(), name.end(), [](char c) { return !std::isalnum(c); }),
                                      name.end());
                           return name + (std::get<1>(info.param) ? "_Globoria_" : "_Planor_") +
                                  std::to_string(std::get<2>(info.param));
                         });

}  // namespace
}  // namespace kp

namespace kp {
namespace {

TEST(ComputerScenario, TolvaAgainstTheComputerWithItsPausesAndTheTimer) {
  std::ifstream in(std::string(KP_SCENARIO_DIR) + "/computer_tolva.play");
  PlaySession session;
  std::vector<json> s;
  for (const auto& cmd : parseScript(in))
    if (auto j = session.run(cmd)) s.push_back(*j);
  ASSERT_EQ(s.size(), 6u);
  auto linesIn = [](const json& state, Colour c) {
    std::vector<std::string> out;
    for (const auto& [n, l] : state["lines"].items())
      if (l["colour"] == c && l["width"] == 8) out.push_back(n);
    return out;
  };
  EXPECT_TRUE(s[0]["move_lock"]);
  EXPECT_FALSE(s[0]["timer_running"]) << "the computer's time is not counted";
  EXPECT_TRUE(linesIn(s[0], kYellow).empty());
  const auto shown = linesIn(s[1], kYellow);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(linesIn(s[2], kRed), shown);
  EXPECT_TRUE(s[2]["move_lock"]);
  EXPECT_EQ(s[3]["turn_text"], "No score    Blue's turn.");
  EXPECT_FALSE(s[3]["move_lock"]);
  EXPECT_TRUE(s[3]["timer_running"]);
  EXPECT_EQ(s[3]["timer_caption"], "10000");
  EXPECT_EQ(s[4]["messages"][0]["text"], "There is no line 99 on this board (1 to 60).");
  EXPECT_EQ(s[4]["lines"]["13"]["colour"], kBlue) << "the keypad played Line 13";
  EXPECT_EQ(linesIn(s[4], kRed).size(), 2u);
  EXPECT_EQ(s[5]["messages"].back()["text"], "You lose.");
  EXPECT_TRUE(s[5]["ended"]);
}

TEST(ComputerScenario, KeypadIsRefusedWhileHidden) {
  PlaySession session;
  ASSERT_EQ(session.open("square"), "");
  EXPECT_EQ(session.keypad("13"), "the keypad is not shown");
  EXPECT_EQ(session.menu("Game > Show keypad for entering moves from online chats / text messages / phone"), "");
  EXPECT_EQ(session.keypad("13"), "");
  EXPECT_EQ(session.state()["circles"]["13"]["border"], kGreen);
}

}  // namespace
}  // namespace kp

namespace kp {
namespace {

// Every game of the triangular window, two people, shuffled moves, to the verdict.
class TriangularScenario : public ::testing::TestWithParam<std::tuple<Game, bool>> {};

TEST_P(TriangularScenario, PlaysToTheVerdict) {
  const auto [game, globoria] = GetParam();
  std::ostringstream script;
  script << "open triangular\n";
  if (globoria) script << "menu Sub-Levels > Globoria\n";
  script << "menu Games Menu > " << game.menu << "\n";
  std::vector<int> moves(game.circles ? 54 : 90);
  std::iota(moves.begin(), moves.end(), 1);
  std::shuffle(moves.begin(), moves.end(), std::mt19937(3));
  // Completed triangles flash for a second before the next move is taken.
  for (int m : moves) script << (game.circles ? "circle " : "line ") << m << "\nwait 1000\nstate\n";

  std::istringstream in(script.str());
  PlaySession session;
  std::optional<json> end;
  for (const auto& cmd : parseScript(in))
    if (auto s = session.run(cmd); s && !end && (*s)["game_over"]) end = *s;
  ASSERT_TRUE(end) << "the game never ended";
  EXPECT_EQ((*end)["window"], "triangular");
  EXPECT_EQ((*end)["game_caption"], std::string("Game = ") + game.menu);
  const int red = std::stoi((*end)["red_points"].get<std::string>());
  const int blue = std::stoi((*end)["blue_points"].get<std::string>());
  EXPECT_LE(red + blue, 54);
  if (std::string(game.menu) == "Tolva") {
    EXPECT_EQ(red + blue, 54);
  }
  const std::string verdict = red > blue ? "Red wins by points." : blue > red ? "Blue wins by points." : "By points its a tie";
  EXPECT_EQ((*end)["messages"].back()["text"], verdict);
  EXPECT_EQ((*end)["rounds"].size(), 4u);
}

const Game kTriangularGames[] = {
    {"Tolva", false}, {"Duarn", false}, {"Krunk", true}, {"Super Krunk", true}, {"Super Krunk Plus", true}, {"Line Krunk", false},
};

INSTANTIATE_TEST_SUITE_P(TriangularWindow, TriangularScenario,
                         ::testing::Combine(::testing::ValuesIn(kTriangularGames), ::testing::Bool()),
                         [](const auto& info) {
                           std::string name = std::get<0>(info.param).menu;
                           name.erase(std::remove_if(name.begin(), name.end(), [](char c) { return !std::isalnum(c); }),
                                      name.end());
                           return name + (std::get<1>(info.param) ? "_Globoria" : "_Planor");
                         });

}  // namespace
}  // namespace kp
