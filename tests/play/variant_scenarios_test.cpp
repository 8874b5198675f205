// Every game of every game window's Games menu, played by two people through the runner
// to its verdict on both sub-levels, in shuffled orders of moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <sstream>

#include "boards/flat/square_board.h"
#include "boards/triangular/triangle_board.h"
#include "play/play_session.h"

namespace kp {
namespace {

using nlohmann::json;

// Plays the game `menu` of `window` by two people to its verdict: every Line, or every
// circle, once, in an order shuffled by `seed`.
void playToTheVerdict(const std::string& window, const std::string& menu, bool globoria, unsigned seed) {
  SCOPED_TRACE(window + " " + menu + (globoria ? " Globoria " : " Planor ") + std::to_string(seed));
  PlaySession session(seed);
  std::istringstream setup("open " + window + (globoria ? "\nmenu Sub-Levels > Globoria" : "") +
                           "\nmenu Games Menu > " + menu + "\n");
  for (const auto& cmd : parseScript(setup)) session.run(cmd);
  const bool square = window == "square", circles = session.window()->drawing().circles[1].targetVisible;
  const int cells = square ? square::kCells : triangular::kTriangles;
  std::vector<int> moves(circles ? cells : square ? square::kLines : triangular::kLines);
  std::iota(moves.begin(), moves.end(), 1);
  std::shuffle(moves.begin(), moves.end(), std::mt19937(seed));
  std::ostringstream script;
  // Completed triangles flash for a second before the next move is taken.
  for (int m : moves) script << (circles ? "circle " : "line ") << m << "\nwait 1000\nstate\n";

  std::istringstream in(script.str());
  json end;
  int verdicts = 0;
  for (const auto& cmd : parseScript(in)) {
    auto s = session.run(cmd);
    if (!s || end.is_object()) continue;
    for (const auto& m : (*s)["messages"])
      verdicts +=
          m["text"].get<std::string>().find(" by points") != std::string::npos || m["text"] == "By points its a tie";
    if ((*s)["game_over"]) end = *s;
  }
  ASSERT_TRUE(end.is_object()) << "the game never ended";
  EXPECT_EQ(verdicts, 1);
  const int red = std::stoi(end["red_points"].get<std::string>());
  const int blue = std::stoi(end["blue_points"].get<std::string>());
  EXPECT_EQ(end["messages"].back()["text"], red > blue   ? "Red wins by points."
                                            : blue > red ? "Blue wins by points."
                                                         : "By points its a tie");
  // Every Cell scores for somebody where the Line that closes it scores. (That the points
  // agree with the board in every game, and the rounds with the verdicts, is the window
  // fuzzer's check after every event.)
  EXPECT_TRUE((menu != "Tolva" && (square || menu != "Line Krunk")) || red + blue == cells) << red << ":" << blue;
}

// Every game of each window's Games menu, on both sub-levels, in two orders.
TEST(VariantScenario, EveryGamePlaysToItsVerdict) {
  for (const char* window : {"square", "triangular"}) {
    PlaySession probe;
    ASSERT_EQ(probe.open(window), "");
    std::vector<std::string> games;
    probe.window()->menus().forEach([&](const std::string& path, const MenuEntry&) {
      if (path.starts_with("Games Menu > ")) games.push_back(path.substr(13));
    });
    EXPECT_EQ(games.size(), window == std::string("square") ? 7u : 6u);
    for (const auto& game : games)
      for (bool globoria : {false, true})
        for (unsigned seed : {1u, 7u}) playToTheVerdict(window, game, globoria, seed);
  }
}

}  // namespace
}  // namespace kp
