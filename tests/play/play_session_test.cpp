#include "play/play_session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <tuple>

namespace kp {
namespace {

using nlohmann::json;

// Runs script text in a session and keeps every state it prints.
std::vector<json> play(PlaySession& session, std::istream& in) {
  std::vector<json> states;
  for (const auto& cmd : parseScript(in))
    if (auto j = session.run(cmd)) states.push_back(*j);
  return states;
}
std::vector<json> play(PlaySession& session, const std::string& script) {
  std::istringstream in(script);
  return play(session, in);
}

// The scripts of tests/scenarios, state by state: a JSON pointer into the state, or
// "#claimed" for how many Lines are claimed. (Verdicts, rounds and turn texts in general
// are checked by line_game_test and variant_scenarios_test.)
// A script, how many states it prints, and (state, key, value) expectations.
using Scenario = std::tuple<const char*, std::size_t, std::vector<std::tuple<std::size_t, const char*, json>>>;

TEST(PlayScenario, ScriptsShowTheirStates) {
  const Scenario scenarios[] = {
      // Tolva played to the end, a claimed Line clicked, then New game twice: Red opens the
      // first, announced at once, on a clean board that keeps the totals and rounds.
      {"tolva_planor.play",
       9,
       {{5, "#claimed", 60},
        {6, "/messages/0/text", "Invalid move!"},
        {7, "/turn_text", "No score    Red's turn."},
        {7, "/last_move_caption", "Last:"},
        {7, "#claimed", 0},
        {7, "/red_total", "25"},
        {7, "/rounds/1", "Round 1 -Red\t25\t0"},
        {8, "/your_turn", {false, true, false}}}},
      // 30 clicks, 10 of them on an edge with a partner; Line 51 closes Cell 16 and, across
      // the joined edge, Cell 21.
      {"tolva_globoria.play",
       5,
       {{0, "#claimed", 40},
        {2, "/turn_text", "  Double score!      Two cool!"},
        {2, "/circles/21/fill", kBlue},
        {3, "/messages/0/text", "Blue wins by points."}}},
      // Duarn: Red's own Cell 25; on Globoria Blue's Cell 1 through the joined Line 26.
      {"duarn_planor.play", 3, {{1, "/turn_text", " Score!      Blue's turn now."}, {1, "/circles/25/fill", kRed}}},
      {"duarn_globoria.play", 2, {{0, "/circles/1/fill", kBlue}, {0, "/lines/26/colour", kBlue}}},
  };
  for (const auto& [file, states, expectations] : scenarios) {
    std::ifstream in(std::string(KP_SCENARIO_DIR) + "/" + file);
    ASSERT_TRUE(in) << file;
    PlaySession session;
    const auto s = play(session, in);
    ASSERT_EQ(s.size(), states) << file;
    for (const auto& [state, key, value] : expectations) {
      SCOPED_TRACE(testing::Message() << file << " state " << state << " " << key);
      int claimed = 0;
      for (const auto& [_, l] : s[state]["lines"].items()) claimed += l["width"] == kClaimedWidth;
      EXPECT_EQ(std::string(key) == "#claimed" ? json(claimed) : s[state].at(json::json_pointer(key)), value);
    }
  }
}

TEST(PlayScript, MalformedLinesAreRejectedBeforeAnythingRuns) {
  const std::pair<const char*, const char*> cases[] = {
      {"line 1\nfrobnicate\n", "line 2: unknown command 'frobnicate'"},
      {"state\nline\n", "line 2: line needs a number"},
      {"line seven\n", "line 1: line needs a whole number, not 'seven'"},
      {"wait -5\n", "line 1: wait needs a whole number, not '-5'"},
      {"circle 3x\n", "line 1: circle needs a whole number, not '3x'"},
      {"# comment\n\nmenu\n", "line 3: menu needs a menu path"},
      {"state now\n", "line 1: state takes no argument"},
  };
  for (auto [script, error] : cases) {
    std::istringstream in(script);
    try {
      parseScript(in);
      ADD_FAILURE() << "accepted: " << script;
    } catch (const ScriptError& e) {
      EXPECT_EQ(std::string(e.what()), error);
    }
  }
}

TEST(PlayScript, CommandsThatCannotApplyToTheBoardStopTheRun) {
  const std::pair<const char*, const char*> cases[] = {
      {"line 61\n", "line 1: line 61 is not on this board (1 to 60)"},
      {"state\nline 0\n", "line 2: line 0 is not on this board (1 to 60)"},
      {"circle 26\n", "line 1: circle 26 is not on this board (1 to 25)"},
      {"open tetrahedron\n", "line 1: the tetrahedron window is not in this version yet"},
      {"open hexagon\n", "line 1: unknown window 'hexagon'"},
      {"menu Game > Quit\n", "line 1: no menu entry 'Game > Quit'"},
  };
  for (auto [script, error] : cases) {
    PlaySession session;
    ASSERT_EQ(session.open("square"), "");
    try {
      play(session, script);
      ADD_FAILURE() << "ran: " << script;
    } catch (const ScriptError& e) {
      EXPECT_EQ(std::string(e.what()), error);
    }
  }
}

TEST(PlayScript, WhatThePersonCouldNotReachIsRefusedAndNothingIsIgnored) {
  // setup: run first, its states not compared; refusal: nullptr when the event is silently ignored
  const char* const tolva = "open square\nmenu Games Menu > Tolva\nline 7\n";
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {tolva, "menu Sub-Levels > Globoria\n", "line 1: menu entry 'Sub-Levels > Globoria' is hidden or disabled"},
      {tolva, "menu Other Games > Planor Plexa 2014 in 2D (THIS VERSION!)\n",
       "line 1: menu entry 'Other Games > Planor Plexa 2014 in 2D (THIS VERSION!)' is hidden or disabled"},
      {tolva, "circle 3\n", "line 1: circle 3 has no target to click"},
      {"open square\nmenu Game > Exit\n", "line 5\n", "line 1: the program has ended"},
      {"open square\n", "keypad 13\n", "line 1: the keypad is not shown"},
      {"", "launcher 3\n", "line 1: launcher label 3 is hidden"},
      {"", "hover 2\n", "line 1: launcher label 2 is hidden"},
      {"", "line 7\n", "line 1: no window is open"},
      {"", "menu Game > Exit\n", "line 1: no window is open"},
      {"open square\n", "launcher 0\n", "line 1: no launcher is open"},
      {"launcher 0\nlauncher 2\n", "launcher 3\n", "line 1: no launcher is open"},
      {"", "launcher 1\n", nullptr},
      {"", "launcher 200\n", nullptr},
      {"", "launcher 99999999999\n", nullptr},
      {"launcher 0\n", "hover 200\n", nullptr},
      {"launcher 0\n", "launcher 12\n", nullptr},
      {"launcher 0\n", "launcher 122\n", nullptr},
  };
  for (const auto& [setup, event, refusal] : cases) {
    SCOPED_TRACE(std::string(setup) + event);
    PlaySession session;
    play(session, setup);
    json before = session.state();
    play(session, event);
    json after = session.state();
    EXPECT_EQ(after["refused"], refusal ? json::array({refusal}) : json::array());
    after.erase("refused");
    before.erase("refused");
    EXPECT_EQ(after, before);
  }
}

// The session starts in the launcher with no game window; the launcher's labels show in
// the state as they change.
TEST(PlayLauncher, TheLauncherShowsInTheStateAsItChanges) {
  PlaySession session;
  const auto s = play(session, "state\nlauncher 0\nhover 3\nhover 12\nstate\nlauncher 0\nlauncher 7\nstate\n");
  ASSERT_EQ(s.size(), 3u);
  EXPECT_TRUE(s[0]["window"].is_null() && !s[0].contains("lines"));
  ASSERT_EQ(s[0]["launcher"].size(), 35u);
  EXPECT_EQ(
      s[0]["launcher"]["122"],
      json({{"caption", "Click the name of a game to Quick-Launch it"}, {"colour", 0x800080}, {"visible", true}}));
  EXPECT_FALSE(s[0]["launcher"]["3"]["visible"]);
  EXPECT_EQ(s[1]["launcher"]["0"]["caption"], "Krunk Planor Plexa 2014 in 2D");
  EXPECT_TRUE(s[1]["launcher"]["3"]["visible"] && !s[1]["launcher"]["30"]["visible"]);
  EXPECT_EQ(s[1]["launcher"]["3"]["colour"], 0xC000);
  EXPECT_EQ(s[1]["launcher"]["2"]["colour"], 0xC00000);
  EXPECT_EQ(s[2]["launcher"], s[1]["launcher"]);  // a second click on the header
  EXPECT_EQ(s[2]["messages"],
            json::array({{{"title", "Krunk Plexa"}, {"text", "Super Krunk Plus is not in this version yet."}}}));
  EXPECT_TRUE(s[2]["window"].is_null());
  for (const auto& st : s) EXPECT_EQ(st["refused"], json::array());
}

TEST(PlayLauncher, AGameOpenedFromTheLauncherIsTheWindowOpenWouldLoad) {
  PlaySession launched, opened;
  const auto a = play(launched, "launcher 0\nlauncher 2\nstate\ncircle 7\nstate\n");
  const auto b = play(opened, "# no launcher\nopen square\nstate\ncircle 7\nstate\n");
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[0]["window"], "square");
  EXPECT_FALSE(a[0].contains("launcher"));
  EXPECT_EQ(a, b);
  EXPECT_EQ(a[1]["refused"], json::array());
  EXPECT_NE(a[1]["circles"], a[0]["circles"]);
}

}  // namespace
}  // namespace kp
