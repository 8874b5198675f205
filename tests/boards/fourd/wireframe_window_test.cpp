#include "boards/fourd/wireframe_window.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "support/greedy_picks.h"
#include "play/play_session.h"

namespace kp {
namespace {

using T = TesseractBoard;
using nlohmann::json;

// The computer's choice on positions of the tesseract: Lines claimed, then every Line it
// picks over 400 seeds, on the squares (or, in Plexa, the cubes).
TEST(WireframeComputer, ClosesTheLowestUnitElseGivesNothingAwayNeverAClosedLine) {
  const BoardGraph graph = T::graph();
  std::vector<int> open;
  for (int l = 1; l <= T::kLines; ++l)
    if (l != 1 && l != 4 && l != 6 && l != 26) open.push_back(l);
  const std::tuple<const char*, bool, std::vector<int>, std::vector<int>, std::vector<int>> cases[] = {
      {"squares 5 and 7 lack one Line each: square 5 first", false, {1, 2, 3, 32, 16, 19}, {}, {4}},
      {"then square 7", false, {1, 2, 3, 4, 32, 16, 19}, {}, {9}},
      {"on the 1/2 Level never Line 1, 4, 6 or 26", false, {}, {1, 4, 6, 26}, open},
      {"in Plexa the black cube lacking Line 30 first", true, {1, 2, 3, 4, 8, 26, 27, 28, 22, 25, 29}, {}, {30}},
  };
  const std::vector<std::vector<int>> cubeTable = T::cubeTable();
  for (const auto& [what, cubes, claimed, closed, expected] : cases) {
    SCOPED_TRACE(what);
    EXPECT_EQ(greedyPicks(graph, claimed, Completing::LowestUnitFirst, cubes ? &cubeTable : nullptr, closed),
              std::set<int>(expected.begin(), expected.end()));
  }
}

// Claiming safe Lines until none is left: then the computer may take any free Line.
TEST(WireframeComputer, WithNoSafeLineLeftAnyFreeLineIsACandidate) {
  const BoardGraph graph = T::graph();
  StatusLabels status;
  Drawing drawing;
  drawing.resize(T::kLines, T::kSquares);
  LineGame game{status, drawing};
  game.setGraph(&graph);
  auto safe = [&](int l) {
    for (int s : graph.lineCells[std::size_t(l)]) {
      int claimed = 0;
      for (int side : graph.cellSides[std::size_t(s)]) claimed += game.claimed(side);
      if (claimed >= 2) return false;
    }
    return true;
  };
  for (bool more = true; more;) {
    more = false;
    for (int l = 1; l <= T::kLines && !more; ++l)
      if (!game.claimed(l) && safe(l)) game.claimLine(l, kRed, 1, Player::Red), more = true;
  }
  std::set<int> free;
  std::vector<int> claimed;
  for (int l = 1; l <= T::kLines; ++l) {
    if (game.claimed(l)) claimed.push_back(l);
    else free.insert(l);
  }
  ASSERT_GT(free.size(), 3u);
  EXPECT_EQ(greedyPicks(graph, claimed, Completing::LowestUnitFirst), free);
}

json run(PlaySession& session, const std::string& script) {
  std::istringstream in(script);
  json last;
  for (const auto& cmd : parseScript(in))
    if (auto s = session.run(cmd)) last = *s;
  return last;
}

// Whatever turns the tesseract, number label k names Line R^s(k) at once, while the
// picture is still turning.
TEST(WireframeWindow, NumberLabelsNameTheLineTheOrientationTurnsThemTo) {
  const std::tuple<const char*, int> cases[] = {
      {"", 0},
      {"button Rotate:>\n", 1},
      {"button Rotate:>\nbutton Rotate:>\n", 2},
      {"button _/\n", 2},
      {"button <\n", 3},
      {"button Internal:>\n", 1},
      {"button ^\nbutton ^\n", 2},
      {"button \\/\n", 3},
      {"button \\_\nwait 2000\n", 3},
      {"button <\nbutton -/\n", 0},
  };
  for (const auto& [buttons, s] : cases) {
    SCOPED_TRACE(buttons);
    PlaySession session;
    const json st = run(session, std::string("open wireframe\n") + buttons + "line 10\nline 3\nstate\n");
    EXPECT_EQ(st["refused"], json::array());
    EXPECT_EQ(st["orientation"], s);
    EXPECT_EQ(st["view"], s + 1);
    EXPECT_EQ(st["shown"]["lines"]["10"], T::turned(10, s));
    EXPECT_EQ(st["lines"][std::to_string(T::turned(10, s))]["owner"], 2);
    EXPECT_EQ(st["lines"][std::to_string(T::turned(3, s))]["owner"], 1);
    EXPECT_EQ(st["last_move"], "Last move: " + std::to_string(T::turned(3, s)));
  }
}

// The accurate 4D view hides the Lines at the far corner in the main view and at the near
// corner in the inverse view, explains itself in three boxes every time it is turned on,
// and follows the tesseract as it turns.
TEST(WireframeWindow, AccurateViewHidesTheCornersTurnedAwayAndExplainsItself) {
  auto hidden = [](const json& st, const char* picture) {
    std::set<int> out;
    for (const auto& [n, l] : st["strokes"].items()) {
      const json& p = l[picture];
      const bool cubes = p["cube"][0]["visible"] || p["cube"][1]["visible"] || p["cube"][2]["visible"];
      EXPECT_EQ(p["base"]["visible"].get<bool>(), cubes) << "line " << n;
      if (!p["base"]["visible"]) out.insert(std::stoi(n));
    }
    return out;
  };
  const char* accurate = "menu Grid > Show it in 4D accurately (without seeing through it, other than normally)\nstate\n";
  PlaySession session;
  json st = run(session, std::string("open wireframe\n") + accurate);
  ASSERT_EQ(st["messages"].size(), 3u);
  EXPECT_EQ(st["messages"][0]["title"], "Explanation of a seeing a truely 4 dimensional point of view (1 of 3)");
  EXPECT_EQ(st["messages"][1]["title"], "Explanation of a seeing a truely 4 dimensional point of view (2 of 3)");
  EXPECT_EQ(st["messages"][2]["title"], "4D Viewpoint explained (3 of 3)");
  EXPECT_TRUE(st["messages"][0]["text"].get<std::string>().starts_with("   This menu option when checked like it"));
  EXPECT_EQ(hidden(st, "main"), (std::set<int>{8, 20, 22, 25}));
  EXPECT_EQ(hidden(st, "inverse"), (std::set<int>{6, 12, 16, 32}));

  st = run(session, accurate);
  EXPECT_EQ(st["messages"], json::array());
  EXPECT_EQ(hidden(st, "main"), std::set<int>{});
  EXPECT_EQ(hidden(st, "inverse"), std::set<int>{});
  st = run(session, accurate);
  EXPECT_EQ(st["messages"].size(), 3u);

  // While it turns everything shows; then the Lines standing at those corners now hide.
  st = run(session, "button Rotate:>\nstate\n");
  EXPECT_EQ(hidden(st, "main"), std::set<int>{});
  st = run(session, "wait 1000\nstate\n");
  EXPECT_EQ(hidden(st, "main"), (std::set<int>{28, 21, 29, 22}));
  EXPECT_EQ(hidden(st, "inverse"), (std::set<int>{5, 11, 12, 13}));
}

// A person against the computer on the 1/2 Level: the four closed Lines stay free, the game
// ends when the others are claimed, and "No good moves left" shows only with its hint.
TEST(WireframeWindow, HalfLevelGameAgainstTheComputerEndsWithTheClosedLinesFree) {
  for (bool hint : {true, false}) {
    SCOPED_TRACE(hint ? "hint" : "no hint");
    PlaySession session(3);
    run(session, std::string("open wireframe\nmenu Sub-Levels > 1/2 Level\nmenu Options > 1 Player\n") +
                     (hint ? "menu Options > (Tolva game only)  Hint when no good (non-scoring) moves are left "
                             "(computer's turn)\n"
                           : ""));
    int warnings = 0;
    json st = json::object();
    for (int turn = 0; turn < 40 && !st.value("game_over", false); ++turn) {
      const GameController& w = *session.window();
      std::string move;
      for (int l = 32; l >= 1 && move.empty(); --l)
        if (w.offers(Target::line(l)) && !w.rules().claimed(l)) move = "line " + std::to_string(l) + "\n";
      st = run(session, move + "wait 60000\nstate\n");
      for (const auto& m : st["messages"]) warnings += m["text"] == "No good moves left";
    }
    ASSERT_TRUE(st["game_over"]);
    EXPECT_EQ(st["moves_left"], "0 moves left");
    for (int l : {1, 4, 6, 26}) EXPECT_EQ(st["lines"][std::to_string(l)]["owner"], 0) << l;
    EXPECT_EQ(warnings > 0, hint);
  }
}

}  // namespace
}  // namespace kp
