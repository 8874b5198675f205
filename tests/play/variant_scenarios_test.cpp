// Every game of every game window's Games menu, played by two people through the runner
// to its verdict on both sub-levels, in shuffled orders of moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <sstream>

#include "core/window_catalogue.h"
#include "play/play_session.h"

namespace kp {
namespace {

using nlohmann::json;

// Plays the game `menu` of `window` to its verdict: every Line, or every circle, clicked
// once in an order shuffled by `seed`, in the view `seed` turns to, by two people or by a
// person against the computer (who then waits for it long enough to finish its turn).
void playToTheVerdict(const WindowEntry& row, const std::string& level, const std::string& menu, bool globoria,
                      bool computer, unsigned seed) {
  const std::string window = row.name;
  SCOPED_TRACE(window + " " + menu + (globoria ? " Globoria " : " Planor ") + (computer ? "computer " : "") +
               std::to_string(seed));
  PlaySession session(seed);
  auto run = [&session](const std::string& line) {
    std::istringstream in(line + "\n");
    for (const auto& cmd : parseScript(in)) session.run(cmd);
  };
  run("open " + window);
  if (globoria) run("menu Sub-Levels > Globoria");
  if (!level.empty()) run("menu " + level);
  run("menu Games Menu > " + menu);
  if (computer)
    session.window()->menus().forEach([&](const std::string& path, const MenuEntry& e) {
      if (e.id == "players.0") run("menu " + path);
    });
  // The view the seed turns to, where the window turns it now (not the wire frame's 1/2 Level).
  const std::vector<const char*>& turn = row.tests.turn;
  for (unsigned v = 0; v < seed % 4 && !turn.empty(); ++v)
    if (const Control* c = session.window()->controlNamed(turn[v % turn.size()]); c && c->enabled)
      run(std::string("button ") + turn[v % turn.size()]);
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
  // The result label says the verdicts at a glance, in the colour of the winner by points:
  // a second line where the board judges by score too (its counts checked below).
  const std::string result = end["result"];
  auto counts = [](int r, int b) { return std::to_string(r) + " : " + std::to_string(b); };
  EXPECT_EQ(result.substr(0, result.find('\n')), "Red " + counts(redPoints, bluePoints) + " Blue");
  EXPECT_EQ(end["result_colour"], redPoints > bluePoints ? kRed : bluePoints > redPoints ? kBlue : kBlack);
  EXPECT_EQ(result.find('\n') != std::string::npos, end["messages"].size() == 2) << result;
  if (tally) {
    EXPECT_EQ(end["messages"].back()["text"], verdict(red, blue, "score"));
    EXPECT_TRUE(result.ends_with((menu.starts_with("Plexa") ? "\ncubes " : "\nsquares ") + counts(red, blue))) << result;
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
    EXPECT_TRUE(result.ends_with("\ncubes " + counts(redCubes, blueCubes))) << result;
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
  for (const WindowEntry& row : windowCatalogue()) {
    PlaySession probe;
    ASSERT_EQ(probe.open(row.name), "");
    std::vector<std::pair<std::string, std::string>> games;  // board menu (or ""), game
    for (const std::string level : row.tests.variantBoards) {
      if (!level.empty()) {
        ASSERT_EQ(probe.menu(level), "");
      }
      probe.window()->menus().forEach([&](const std::string& path, const MenuEntry& e) {
        if (path.starts_with("Games Menu > ") && e.visible) games.push_back({level, path.substr(13)});
      });
    }
    EXPECT_EQ(games.size(), std::size_t(row.tests.games)) << row.name;
    // Planor and Globoria, where the window has them (elsewhere its sub-levels are its boards).
    const bool subLevels = probe.window()->menus().findPath("Sub-Levels > Globoria") != nullptr;
    const auto& against = row.tests.computerSeeds;
    for (const auto& [level, game] : games)
      for (bool globoria : {false, true})
        for (unsigned seed : row.tests.seeds)
          if (globoria ? subLevels : true)
            playToTheVerdict(row, level, game, globoria,
                             std::find(against.begin(), against.end(), seed) != against.end(), seed);
  }
}

}  // namespace
}  // namespace kp
