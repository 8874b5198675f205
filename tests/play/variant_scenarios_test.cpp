// Every game of every game window's Games menu, played by two people through the runner
// to its verdict on both sub-levels, in shuffled orders of moves; and a game against the
// computer.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <numeric>
#include <random>
#include <sstream>

#include "boards/flat/square_board.h"
#include "boards/triangular/triangle_board.h"
#include "play/play_session.h"

namespace kp {
namespace {

using nlohmann::json;

struct Game {
  const char* window;
  const char* menu;
  bool circles;
};

const Game kGames[] = {
    {"square", "Tolva", false},
    {"square", "Duarn (2 Player only)", false},
    {"square", "Krunk", true},
    {"square", "Super Krunk", true},
    {"square", "Ribbon Krunk", true},
    {"square", "Line Krunk", false},
    {"square", "Super Krunk Plus", true},
    {"triangular", "Tolva", false},
    {"triangular", "Duarn", false},
    {"triangular", "Krunk", true},
    {"triangular", "Super Krunk", true},
    {"triangular", "Super Krunk Plus", true},
    {"triangular", "Line Krunk", false},
};

// Points as the drawing shows them: a Cell all of whose sides are claimed in one
// player's colour. Only the Krunk family scores this way.
std::pair<int, int> colourCount(const json& state, bool square) {
  int red = 0, blue = 0;
  for (int k = 1; k <= (square ? square::kCells : triangular::kTriangles); ++k) {
    int r = 0, b = 0;
    for (int s = 1; s <= (square ? 4 : 3); ++s) {
      const json& l = state["lines"][std::to_string(square ? square::side(k, s) : triangular::side(k, s))];
      if (l["width"] != kClaimedWidth) continue;
      r += l["colour"] == kRed || l["colour"] == kRedTurnText;
      b += l["colour"] == kBlue;
    }
    red += r == (square ? 4 : 3);
    blue += b == (square ? 4 : 3);
  }
  return {red, blue};
}

class VariantScenario : public ::testing::TestWithParam<std::tuple<Game, bool, unsigned>> {};

TEST_P(VariantScenario, PlaysToTheVerdict) {
  const auto [game, globoria, seed] = GetParam();
  const bool square = std::string(game.window) == "square";
  const int cells = square ? square::kCells : triangular::kTriangles;
  std::ostringstream script;
  script << "open " << game.window << "\n";
  if (globoria) script << "menu Sub-Levels > Globoria\n";
  script << "menu Games Menu > " << game.menu << "\n";
  std::vector<int> moves(game.circles ? cells : square ? square::kLines : triangular::kLines);
  std::iota(moves.begin(), moves.end(), 1);
  std::shuffle(moves.begin(), moves.end(), std::mt19937(seed));
  // Completed triangles flash for a second before the next move is taken.
  for (int m : moves) script << (game.circles ? "circle " : "line ") << m << "\nwait 1000\nstate\n";

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
  }
  ASSERT_TRUE(end.is_object()) << "the game never ended";
  EXPECT_EQ(end["window"], game.window);
  EXPECT_EQ(end["sub_level"], globoria ? 1 : 0);
  EXPECT_EQ(verdicts, 1);
  const int red = std::stoi(end["red_points"].get<std::string>());
  const int blue = std::stoi(end["blue_points"].get<std::string>());
  const std::string verdict = red > blue   ? "Red wins by points."
                              : blue > red ? "Blue wins by points."
                                           : "By points its a tie";
  EXPECT_EQ(end["messages"].back()["text"], verdict);
  const std::string winner = red > blue ? "Red" : blue > red ? "Blue" : "Tie";
  EXPECT_EQ(end["rounds"], json({"", "Round 1 -" + winner + "\t" + std::to_string(red) + "\t" + std::to_string(blue),
                                 winner + "  Subtotal -\t" + std::to_string(red) + "\t" + std::to_string(blue), " "}));
  EXPECT_LE(red + blue, cells);
  if (std::string(game.menu) == "Tolva") {
    EXPECT_EQ(red + blue, cells);
  }
  if (game.circles || std::string(game.menu) == "Line Krunk") {
    EXPECT_EQ(colourCount(end, square), std::make_pair(red, blue));
    EXPECT_TRUE(!square || end["moves_left"] == "0 moves left") << end["moves_left"];
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, VariantScenario,
                         ::testing::Combine(::testing::ValuesIn(kGames), ::testing::Bool(), ::testing::Values(1u, 7u)),
                         [](const auto& info) {
                           const Game& game = std::get<0>(info.param);
                           std::string name = std::string(game.window) + "_" + game.menu;
                           name.erase(std::remove_if(name.begin(), name.end(), [](char c) { return !std::isalnum(c); }),
                                      name.end());
                           return name + (std::get<1>(info.param) ? "_Globoria_" : "_Planor_") +
                                  std::to_string(std::get<2>(info.param));
                         });

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

}  // namespace
}  // namespace kp
