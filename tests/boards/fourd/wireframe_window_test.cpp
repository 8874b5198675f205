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
// and shows everything again when turned off. A turn shows every cube stroke again, while
// the base strokes it hid stay hidden; a claim shows its base strokes in both pictures in
// the claimer's colour, wherever they were hidden.
TEST(WireframeWindow, AccurateViewHidesTheCornersTurnedAwayAndAClaimShowsThrough) {
  // The Lines whose base stroke, and whose cube strokes, are hidden in a picture.
  auto hidden = [](const json& st, const char* picture) {
    std::set<int> base, cubes;
    for (const auto& [n, l] : st["strokes"].items()) {
      const json& p = l[picture];
      if (!p["base"]["visible"]) base.insert(std::stoi(n));
      if (!p["cube"][0]["visible"] && !p["cube"][1]["visible"] && !p["cube"][2]["visible"]) cubes.insert(std::stoi(n));
    }
    return std::pair{base, cubes};
  };
  using Sets = std::pair<std::set<int>, std::set<int>>;
  const std::set<int> far = {8, 20, 22, 25}, near = {6, 12, 16, 32};
  const char* accurate = "menu Grid > Show it in 4D accurately (without seeing through it, other than normally)\nstate\n";
  PlaySession session;
  json st = run(session, std::string("open wireframe\n") + accurate);
  ASSERT_EQ(st["messages"].size(), 3u);
  EXPECT_EQ(st["messages"][0]["title"], "Explanation of a seeing a truely 4 dimensional point of view (1 of 3)");
  EXPECT_EQ(st["messages"][1]["title"], "Explanation of a seeing a truely 4 dimensional point of view (2 of 3)");
  EXPECT_EQ(st["messages"][2]["title"], "4D Viewpoint explained (3 of 3)");
  EXPECT_TRUE(st["messages"][0]["text"].get<std::string>().starts_with("   This menu option when checked like it"));
  EXPECT_EQ(hidden(st, "main"), (Sets{far, far}));
  EXPECT_EQ(hidden(st, "inverse"), (Sets{near, near}));

  st = run(session, accurate);
  EXPECT_EQ(st["messages"], json::array());
  EXPECT_EQ(hidden(st, "main"), Sets{});
  EXPECT_EQ(hidden(st, "inverse"), Sets{});
  st = run(session, accurate);
  EXPECT_EQ(st["messages"].size(), 3u);

  // Blue claims Line 8, hidden in the main view, and Red Line 12, hidden in the inverse view.
  st = run(session, "line 8\nline 12\nstate\n");
  for (const auto& [line, colour] : {std::pair{"8", kBlue}, std::pair{"12", kRed}})
    for (const auto& [picture, width] : {std::pair{"main", 7}, std::pair{"inverse", 6}}) {
      SCOPED_TRACE(std::string(line) + " " + picture);
      EXPECT_EQ(st["strokes"][line][picture]["base"], (json{{"colour", colour}, {"width", width}, {"visible", true}}));
    }
  EXPECT_EQ(hidden(st, "main"), (Sets{{20, 22, 25}, far}));
  EXPECT_EQ(hidden(st, "inverse"), (Sets{{6, 16, 32}, near}));

  // A turn shows the cube strokes again and leaves the base strokes as they were, the
  // picture standing still or turning; nothing hides them again until the view is turned on.
  for (const char* turn : {"button Rotate:>\nstate\n", "wait 1000\nstate\n", "button ^\nwait 1000\nstate\n"}) {
    SCOPED_TRACE(turn);
    st = run(session, turn);
    EXPECT_EQ(hidden(st, "main"), (Sets{{20, 22, 25}, {}}));
    EXPECT_EQ(hidden(st, "inverse"), (Sets{{6, 16, 32}, {}}));
  }
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

// Three games between two people, the second with "Cumulative scores" unchecked: every game
// has its round line, numbered by the games played; only the cumulative ones add to the
// totals and write a subtotal. A finished game makes "New Game" the default button.
TEST(WireframeWindow, RoundsCountEveryGameAndTheTotalsOnlyTheCumulativeOnes) {
  std::string game = "state\n";
  for (int l = 1; l <= T::kLines; ++l) game += "line " + std::to_string(l) + "\n";  // Red 19, Blue 5
  PlaySession session;
  run(session, "open wireframe\n");
  for (const char* before : {"", "button New Game\nmenu Grid > Cumulative scores\n", "button New Game\nmenu Grid > Cumulative scores\n"})
    EXPECT_EQ(run(session, before + game)["buttons"]["New Game"]["default"], false);
  const json st = run(session, "state\n");
  EXPECT_EQ(st["buttons"]["New Game"]["default"], true);
  EXPECT_EQ(st["rounds"], (json{"", "Round 1 -Red\t19\t5", "Red  Subtotal -\t19\t5", " ", "Round 2 -Red\t19\t5",
                               "Round 3 -Red\t19\t5", "Red  Subtotal -\t38\t10", " "}));
  EXPECT_EQ(st["red_total"], "38");
}

// A cube completed in Plexa stands out, the board taking no move, until the clock rounded to
// a whole second at its completion has gone on by a second and a half. (That a scored
// square is outlined 8 wide in both pictures is the window fuzzer's check.)
TEST(WireframeWindow, ThePlexaHighlightLastsToTheRoundedClock) {
  // The black cube's Lines, the last at the given time of the clock (the first at 0).
  for (const auto& [at, lasts] : {std::pair{700, 1800}, std::pair{1300, 1200}, std::pair{2000, 1500}}) {
    PlaySession plexa;
    const json st = run(plexa, "open wireframe\nmenu Games Menu > Plexa\nline 1\nline 2\nline 3\nline 4\nline 8\nline 26\n"
                               "line 27\nline 28\nline 22\nline 25\nline 29\nwait " + std::to_string(at) +
                                   "\nline 30\nwait " + std::to_string(lasts - 1) + "\nstate\n");
    EXPECT_TRUE(st["move_lock"] && st["cubes"]["1"]["owner"] == kRed) << at;
    EXPECT_EQ(run(plexa, "wait 1\nstate\n")["move_lock"], false) << at;
  }
}
}  // namespace
}  // namespace kp
