// Every game of every game window's Games menu, played by two people through the runner
// to its verdict on both sub-levels, in shuffled orders of moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>
#include <sstream>

#include "play/play_session.h"

namespace kp {
namespace {

using nlohmann::json;

// Plays the game `menu` of `window` to its verdict: every Line, or every circle, clicked
// once in an order shuffled by `seed`, in the view `seed` turns to, by two people or by a
// person against the computer (who then waits for it long enough to finish its turn).
void playToTheVerdict(const std::string& window, const std::string& level, const std::string& menu, bool globoria,
                      bool computer, unsigned seed) {
  SCOPED_TRACE(window + " " + menu + (globoria ? " Globoria " : " Planor ") + (computer ? "computer " : "") +
               std::to_string(seed));
  PlaySession session(seed);
  std::ostringstream setup;
  const std::string onePlayer = window == "quadrion" ? "One player"
                                : window == "cube" || window == "wall" || window == "wireframe" || window == "triangular4d" ? "1 Player"
                                : window == "tetrahedron" ? "1 player"
                                                          : "1 player verus the computer";
  setup << "open " << window << (globoria ? "\nmenu Sub-Levels > Globoria" : "")
        << (level.empty() ? "" : "\nmenu " + level) << "\nmenu Games Menu > " << menu
        << (computer ? "\nmenu Options > " + onePlayer : "") << "\n";
  if (window == "cube" || window == "wall" || window == "tetrahedron" || window == "torus" || window == "triangular4d")
    for (unsigned v = 0; v < seed % 4; ++v) setup << "button <<\n";
  if (window == "wireframe" && level.ends_with("Normal"))
    for (unsigned v = 0; v < seed % 4; ++v) setup << (v % 2 ? "button ^\n" : "button Rotate:>\n");
  std::istringstream setupIn(setup.str());
  for (const auto& cmd : parseScript(setupIn)) session.run(cmd);
  const GameController& w = *session.window();
  const bool circles = w.drawing().circles[1].targetVisible;
  std::vector<int> moves;
  // Only the places that take a click (the 1/2 Level's closed Lines do not).
  for (int m = 1; m <= (circles ? w.circleCount() : w.lineCount()); ++m)
    if (w.offers(circles ? Target::circle(m) : Target::line(m))) moves.push_back(m);
  std::shuffle(moves.begin(), moves.end(), std::mt19937(seed));
  std::ostringstream script;
  // Completed triangles flash for a second, completed cubes of the wire frame stand out for
  // one and a half, before the next move is taken.
  for (int m : moves) script << (circles ? "circle " : "line ") << m << (computer ? "\nwait 60000" : "\nwait 2000") << "\n";

  // The state when the game ends (with the messages of the move that ended it), and at the
  // end of the script: any message of a move after the end shows in the last.
  std::istringstream in(script.str());
  std::istringstream stateIn("state\n");
  const ScriptCommand state = parseScript(stateIn).front();
  json end;
  int verdicts = 0;
  auto countVerdicts = [&](const json& s) {
    for (const auto& m : s["messages"])
      verdicts +=
          m["text"].get<std::string>().find(" by points") != std::string::npos || m["text"] == "By points its a tie";
  };
  for (const auto& cmd : parseScript(in)) {
    session.run(cmd);
    if (end.is_object()) continue;
    if (session.window()->status().gameOver) {
      end = *session.run(state);
      countVerdicts(end);
    } else {
      session.host().takeMessages();  // a Globoria partner clicked again: "Invalid move!"
    }
  }
  countVerdicts(*session.run(state));
  ASSERT_TRUE(end.is_object()) << "the game never ended";
  EXPECT_EQ(verdicts, 1);
  const int red = std::stoi(end["red_points"].get<std::string>());
  const int blue = std::stoi(end["blue_points"].get<std::string>());
  // The wire frame judges by its points tally first, then by the squares (cubes in Plexa).
  const bool tally = end.contains("tally");
  const int redPoints = tally ? end["tally"]["red"].get<int>() : red;
  const int bluePoints = tally ? end["tally"]["blue"].get<int>() : blue;
  EXPECT_EQ(end["messages"].front()["text"], verdict(redPoints, bluePoints, "points"));
  if (tally) {
    EXPECT_EQ(end["messages"].back()["text"], verdict(red, blue, "score"));
  }
  // Every Cell scores for somebody where the Line that closes it scores. (That the points
  // agree with the board in every game, and the rounds with the verdicts, is the window
  // fuzzer's check after every event.)
  // (So do Quadrion's Plexa (Lines) and Line Krunk, and the cube's Line Krunk; their other
  // games leave squares to nobody: Duarn's of two colours, the Krunk games' painted over, the
  // Krunk move's.)
  const bool quadrionByClaim =
      (window == "quadrion" && (menu.starts_with("Plexa  (Lines)") || menu.starts_with("Line Krunk"))) ||
      ((window == "cube" || window == "wall") && menu == "Line Krunk");
  EXPECT_TRUE((!menu.starts_with("Tolva") && (window != "triangular" || menu != "Line Krunk") && !quadrionByClaim) ||
              level.ends_with("1/2 Level") || red + blue == w.circleCount())
      << red << ":" << blue;
  if (window == "cube" || window == "wall" || window == "quadrion") {
    // The cube and Quadrion also judge by score: the cubes, every one of which has settled
    // on the cube (in Quadrion those the Krunk move completes go to nobody).
    int redCubes = 0, blueCubes = 0;
    for (const auto& [n, c] : end["cubes"].items()) {
      redCubes += c["owner"] == kRed;
      blueCubes += c["owner"] == kBlue;
    }
    EXPECT_EQ(end["messages"].back()["text"], verdict(redCubes, blueCubes, "score"));
    if (window != "quadrion") {
      EXPECT_EQ(redCubes + blueCubes, int(end["cubes"].size()));
    } else if (menu.ends_with("Krunk move)") || menu.ends_with("Krunk Move)")) {
      // Once the Krunk move has played itself the turn has passed on.
      EXPECT_TRUE(end["turn_text"] == "Blue player's turn" || end["turn_text"] == "Red player's turn")
          << end["turn_text"];
    }
  }
}

// Every game shown in each window's Games menu, on both sub-levels where the window has
// them, in shuffled orders: by two people, and against the computer (half the orders on
// the boards without sub-levels, one on the large square board); the boards that turn
// are played in several views.
TEST(VariantScenario, EveryGamePlaysToItsVerdict) {
  for (const char* window :
       {"square", "triangular", "cube", "tetrahedron", "wireframe", "quadrion", "largesquare", "house", "torus",
                             "wall", "triangular4d"}) {
    PlaySession probe;
    ASSERT_EQ(probe.open(window), "");
    // The tetrahedron's sub-levels are its two boards, each with its own games; the wire
    // frame's its whole board and the board with four Lines closed.
    const bool boards = window == std::string("tetrahedron") || window == std::string("wireframe") ||
                        window == std::string("wall");
    const std::vector<std::string> levels =
        window == std::string("tetrahedron")
            ? std::vector<std::string>{"Sub-levels > Normal original-sized Delvo  (20 grids)",
                                       "Sub-levels > New mirror-sized Delvo  (36 grids)"}
        : window == std::string("wireframe") ? std::vector<std::string>{"Sub-Levels > Normal", "Sub-Levels > 1/2 Level"}
        : window == std::string("wall")
            ? std::vector<std::string>{"Sub-Levels > Krunk The Wall", "Sub-Levels > Krunk a Bigger Wall",
                                       "Sub-Levels > Krunk the Great Wall"}
        : window == std::string("largesquare") ? std::vector<std::string>{"Size > 6 x 6", "Size > 9 x 9"}
                 : std::vector<std::string>{""};
    std::vector<std::pair<std::string, std::string>> games;  // level menu (or ""), game
    for (const std::string& level : levels) {
      if (!level.empty()) {
        ASSERT_EQ(probe.menu(level), "");
      }
      probe.window()->menus().forEach([&](const std::string& path, const MenuEntry& e) {
        if (path.starts_with("Games Menu > ") && e.visible) games.push_back({level, path.substr(13)});
      });
    }
    const std::size_t expected = std::map<std::string, std::size_t>{
        {"square", 7}, {"triangular", 6}, {"cube", 10}, {"tetrahedron", 14}, {"wireframe", 12}, {"quadrion", 12},
        {"largesquare", 14}, {"house", 7}, {"torus", 7}, {"wall", 30}, {"triangular4d", 7}}.at(window);
    EXPECT_EQ(games.size(), expected);
    const bool subLevels = !boards && probe.window()->menus().findPath("Sub-Levels") != nullptr;
    const std::vector<unsigned> seeds = subLevels ? std::vector<unsigned>{1, 7} : std::vector<unsigned>{1, 2, 3, 4};
    for (const auto& [level, game] : games)
      for (bool globoria : {false, true})
        for (unsigned seed : seeds)
          if (globoria ? subLevels : true)
            playToTheVerdict(window, level, game, globoria,
                             subLevels ? window == std::string("largesquare") && seed == 7 : seed % 2 == 0, seed);
  }
}

}  // namespace
}  // namespace kp
