#include "play/play_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#include "core/expert.h"

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

// Every script of tests/scenarios holds the expectations it states (and states some), with
// no event refused where it does not expect the refusal; malformed.play, bad on purpose,
// stops before anything runs. (Whole games to their verdicts are played by
// variant_scenarios_test; the points, moves left, rounds and pending steps are checked after
// every event by the window fuzzer.)
TEST(PlayScenario, EveryScriptHoldsItsExpectations) {
  using K = ScriptCommand::Kind;
  int scripts = 0;
  for (const auto& entry : std::filesystem::directory_iterator(KP_SCENARIO_DIR)) {
    const std::string file = entry.path().filename().string();
    if (entry.path().extension() != ".play") continue;
    SCOPED_TRACE(file);
    std::ifstream in(entry.path());
    if (file == "malformed.play") {
      EXPECT_THROW(parseScript(in), ScriptError);
      continue;
    }
    const auto script = parseScript(in);
    ++scripts;
    EXPECT_TRUE(std::ranges::any_of(script, [](const auto& c) { return c.kind == K::Expect; })) << "it checks nothing";
    PlaySession session;
    bool refusalsExpected = false;  // until the next state
    for (const auto& cmd : script) {
      refusalsExpected |= cmd.kind == K::Expect && cmd.text.starts_with("/refused");
      const auto shown = session.run(cmd);
      if (cmd.kind != K::State) continue;
      EXPECT_TRUE(refusalsExpected || (*shown)["refused"].empty()) << "line " << cmd.lineNo << ": " << (*shown)["refused"];
      refusalsExpected = false;
    }
    EXPECT_TRUE(refusalsExpected || session.stateNow()["refused"].empty()) << session.stateNow()["refused"];
    for (const auto& failed : session.failedExpectations()) ADD_FAILURE() << file << " " << failed.describe();
  }
  EXPECT_GT(scripts, 0);
}

// An `expect` checks the state as `state` would print it then, messages and refusals since
// the last one included, and takes nothing from it; each that fails is kept with its line,
// field, wanted and got, and the script goes on.
TEST(PlayScript, ExpectationsCheckTheStateAsItStandsAndTakeNothing) {
  const char* const globoria = "open square\nmenu Sub-Levels > Globoria\nmenu Games Menu > Tolva\nline 1\nline 26\n";
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"expect /window null\nexpect /launcher/3/visible false\n", {}},
      {"expect /window \"square\"\n", {"line 1: /window: wanted \"square\", got null"}},
      {std::string(globoria) + "expect /messages/0/text \"Invalid move!\"  # the partner of Line 1\n"
                               "expect #owned [1, 26]\nexpect #lines [1, 26]\nexpect #claimed 2\n"
                               "expect \"/menus/Sub-Levels > Globoria/checked\" true\n",
       {}},
      {std::string(globoria) + "expect #claimed 1\nexpect \"/menus/Sub-Levels > Globoria/checked\" false\n",
       {"line 6: #claimed: wanted 1, got 2", "line 7: /menus/Sub-Levels > Globoria/checked: wanted false, got true"}},
      {"open square\nmenu Games Menu > Tolva\ncircle 3\nexpect /refused [\"line 3: circle 3 has no target to click\"]\n"
       "expect /window \"a # b\" # a comment\nexpect /messages/x 1\nexpect /nothing/0 {}\n",
       {"line 5: /window: wanted \"a # b\", got \"square\"",
        "line 6: /messages/x: wanted 1, got nothing (no such field)",
        "line 7: /nothing/0: wanted {}, got nothing (no such field)"}},
  };
  for (const auto& [script, failures] : cases) {
    SCOPED_TRACE(script);
    PlaySession session, unchecked;
    play(session, script);
    std::vector<std::string> failed;
    for (const auto& f : session.failedExpectations()) failed.push_back(f.describe());
    EXPECT_EQ(failed, failures);
    std::string events;  // the same script without its expectations
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line);)
      if (!line.starts_with("expect")) events += line + "\n";
    play(unchecked, events);
    EXPECT_EQ(session.state(), unchecked.state());
  }
}

// A malformed line stops the script before anything runs, and so does a first command
// that cannot apply to the board.
TEST(PlayScript, ScriptsThatCannotRunStopWithTheLineAndTheReason) {
  const std::pair<const char*, const char*> cases[] = {
      {"line 1\nfrobnicate\n", "line 2: unknown command 'frobnicate'"},
      {"state\nline\n", "line 2: line needs a number"},
      {"line seven\n", "line 1: line needs a whole number, not 'seven'"},
      {"wait -5\n", "line 1: wait needs a whole number, not '-5'"},
      {"circle 3x\n", "line 1: circle needs a whole number, not '3x'"},
      {"# comment\n\nmenu\n", "line 3: menu needs a menu path"},
      {"state now\n", "line 1: state takes no argument"},
      {"line 61\n", "line 1: line 61 is not on this board (1 to 60)"},
      {"state\nline 0\n", "line 2: line 0 is not on this board (1 to 60)"},
      {"circle 26\n", "line 1: circle 26 is not on this board (1 to 25)"},
      {"open hexagon\n", "line 1: unknown window 'hexagon'"},
      {"menu Game > Quit\n", "line 1: no menu entry 'Game > Quit'"},
      {"region 3\n", "line 1: region 3 is not on this board (it has no click regions)"},
      {"expect\n", "line 1: expect needs a field and a value"},
      {"expect /turn_text # the value?\n", "line 1: expect /turn_text needs a value"},
      {"expect turn_text 1\n",
       "line 1: expect needs a field: a JSON pointer such as /turn_text, or #claimed, #lines or #owned, not 'turn_text'"},
      {"expect #moves 1\n",
       "line 1: expect needs a field: a JSON pointer such as /turn_text, or #claimed, #lines or #owned, not '#moves'"},
      {"expect \"/menus/Size 1\n", "line 1: expect's field has no closing quote"},
      {"expect /turn_text Krunk!\n", "line 1: expect /turn_text needs a JSON value, not 'Krunk!'"},
      {"expect /turn_text \"Krunk! # no end\n", "line 1: expect /turn_text needs a JSON value, not '\"Krunk! # no end'"},
      {"expect #claimed 1 2\n", "line 1: expect #claimed needs a JSON value, not '1 2'"},
  };
  for (auto [script, error] : cases) {
    PlaySession session;
    ASSERT_EQ(session.open("square"), "");
    const json before = session.state();
    try {
      play(session, script);
      ADD_FAILURE() << "ran: " << script;
    } catch (const ScriptError& e) {
      EXPECT_EQ(std::string(e.what()), error);
    }
    EXPECT_EQ(session.state(), before) << script;
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
      {"open square\n", "check New game\n", "line 1: no check box 'New game'"},
      {"", "launcher 3\n", "line 1: launcher label 3 is hidden"},
      {"", "hover 2\n", "line 1: launcher label 2 is hidden"},
      {"", "line 7\n", "line 1: no window is open"},
      {"open square\n", "launcher 0\n", "line 1: no launcher is open"},
      {"launcher 0\nlauncher 2\n", "launcher 3\n", "line 1: no launcher is open"},
      {"", "launcher 1\n", nullptr},
      {"", "launcher 99999999999\n", nullptr},
      {"launcher 0\n", "hover 200\n", nullptr},
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

// Whatever the search finds best, the computer plays one of it and the hint outlines all of it.
TEST(Expert, TheComputerPlaysAndTheHintOutlinesTheBestLines) {
  const std::string versus = "\nmenu Options > Expert computer\nmenu Options > 1 player verus the computer";
  for (std::string setup : {"square\nmenu Sub-Levels > Globoria\nmenu Games Menu > Tolva" + versus,
                            "triangular\nmenu Sub-Levels > Globoria\nmenu Games Menu > Line Krunk" + versus,
                            std::string("triangular4d\nmenu Games Menu > Tolva\nmenu Options > Expert computer\nmenu Options > 1 Player")}) {
    PlaySession s;
    const ExpertLimits limits{.nodes = 20'000};  // the search's answers whatever its depth; quick
    s.program().expertFixed = limits;
    play(s, "open " + setup + "\n");
    const GameController& w = *s.window();
    int computerMoves = 0;
    for (int step = 0; step < 5000 && !w.status().gameOver; ++step) {
      std::vector<char> was = claimedFlags(w.rules().claims());
      const json hint = play(s, "menu Rules and Help > Show me the Expert's move\nstate\n").back()["hint_lines"];
      EXPECT_EQ(hint, json(w.moveLock() ? std::vector<int>{} : analyseTolva(w.rules().graph(), was, limits).best));
      EXPECT_EQ(std::size_t(std::ranges::count(w.scene().strokes, true, &Stroke::highlighted)), hint.size());
      const auto l = std::size_t(std::find(was.rbegin(), was.rend(), 0).base() - was.begin()) - 1;  // the highest free
      if (!w.moveLock()) was[l] = was[std::size_t(w.rules().graph().partner[l])] = 1;
      play(s, w.moveLock() ? "wait 100\n" : "line " + std::to_string(l) + "\nwait 100\n");
      std::vector<int> taken;  // whatever else was claimed: the computer's move
      for (int n = 1; n <= w.lineCount(); ++n)
        if (w.rules().claimed(n) && !was[std::size_t(n)]) taken.push_back(n);
      const std::vector<int> best = taken.empty() ? taken : analyseTolva(w.rules().graph(), was, limits).best;
      EXPECT_TRUE(taken.empty() || std::ranges::find_first_of(taken, best) != taken.end()) << setup;
      computerMoves += !taken.empty();
    }
    EXPECT_TRUE(w.status().gameOver && computerMoves > 5 && s.state()["hint_lines"].empty()) << setup;
  }
}

// Elsewhere the hint changes nothing; the option waits for New game and follows to the next window.
TEST(Expert, ElsewhereTheHintChangesNothingAndTheOptionWaitsForNewGame) {
  PlaySession s;
  const json before = play(s, "open triangular\nmenu Games Menu > Krunk\ncircle 7\nstate\n").back();
  json after = play(s, "menu Rules and Help > Show me the Expert's move\nstate\n").back();
  EXPECT_EQ(after["messages"][0]["text"], "The Expert plays Tolva only.");
  after["messages"] = before["messages"];
  EXPECT_EQ(after, before);
  play(s, "menu Options > Expert computer\nmenu Game > New\nmenu Options > Expert computer\nopen largesquare\n");
  EXPECT_TRUE(s.program().expert && s.window()->menus().at("expert").checked);
}

}  // namespace
}  // namespace kp
