#include "play/play_session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kp {
namespace {

using nlohmann::json;

std::vector<json> runScript(const std::string& file) {
  std::ifstream in(std::string(KP_SCENARIO_DIR) + "/" + file);
  EXPECT_TRUE(in) << file;
  PlaySession session;
  std::vector<json> states;
  for (const auto& cmd : parseScript(in))
    if (auto j = session.run(cmd)) states.push_back(*j);
  return states;
}

std::vector<std::string> messageTexts(const json& state) {
  std::vector<std::string> out;
  for (const auto& m : state["messages"]) out.push_back(m["text"]);
  return out;
}

int claimedCount(const json& state) {
  int n = 0;
  for (const auto& [_, l] : state["lines"].items()) n += l["width"] == 8;
  return n;
}

TEST(PlayScenario, TolvaOnPlanorToTheVerdictAndTwoMoreOpenings) {
  const auto s = runScript("tolva_planor.play");
  ASSERT_EQ(s.size(), 9u);
  // Choosing Tolva leaves the prompt of the Krunk game the window opened on.
  EXPECT_EQ(s[0]["turn_text"], "Click a circle to begin playing");
  EXPECT_EQ(s[0]["game_caption"], "Game = Tolva");
  EXPECT_EQ(s[1]["turn_text"], "No score    Blue's turn.");  // 30 verticals, nothing closed
  EXPECT_EQ(s[1]["lines"]["1"]["colour"], kBlue);
  EXPECT_EQ(s[1]["lines"]["2"]["colour"], kRed);
  EXPECT_EQ(s[2]["turn_text"], "No score    Red's turn.");
  EXPECT_EQ(s[3]["turn_text"], " Score!      Red goes again.");
  EXPECT_EQ(s[3]["circles"]["1"]["fill"], kRed);
  EXPECT_EQ(s[3]["red_points"], "1");
  EXPECT_EQ(s[4]["red_points"], "24");
  EXPECT_FALSE(s[4]["game_over"]);
  // The last Line: the verdict, the rounds list and the banner.
  EXPECT_EQ(s[5]["red_points"], "25");
  EXPECT_EQ(s[5]["blue_points"], "0");
  EXPECT_EQ(messageTexts(s[5]), std::vector<std::string>{"Red wins by points."});
  EXPECT_TRUE(s[5]["game_over"]);
  EXPECT_EQ(s[5]["rounds"], json({"", "Round 1 -Red\t25\t0", "Red  Subtotal -\t25\t0", " "}));
  EXPECT_EQ(s[5]["red_total"], "25");
  EXPECT_EQ(claimedCount(s[5]), 60);
  // Clicking a claimed Line after the end is refused like any claimed Line.
  EXPECT_EQ(messageTexts(s[6]), std::vector<std::string>{"Invalid move!"});
  EXPECT_EQ(s[6]["rounds"].size(), 4u);
  // New game: Red opens, announced at once; the next New game gives Blue the opening.
  EXPECT_EQ(s[7]["turn_text"], "No score    Red's turn.");
  EXPECT_EQ(s[7]["turn_colour"], kRedTurnText);
  EXPECT_EQ(s[7]["game_caption"], "Tolva");
  EXPECT_EQ(s[7]["last_move_caption"], "Last:");
  EXPECT_FALSE(s[7]["game_over"]);
  EXPECT_EQ(claimedCount(s[7]), 0);
  EXPECT_EQ(s[7]["red_total"], "25");
  EXPECT_EQ(s[8]["turn_text"], "Click a line to begin playing");
  EXPECT_EQ(s[8]["your_turn"], json({false, true, false}));
}

TEST(PlayScenario, TolvaOnGloboriaEndsWhenTheFiftyDistinctLinesAreClaimed) {
  const auto s = runScript("tolva_globoria.play");
  ASSERT_EQ(s.size(), 5u);
  EXPECT_EQ(s[0]["turn_text"], "No score    Blue's turn.");
  EXPECT_EQ(claimedCount(s[0]), 40);  // 30 clicks, 10 of them on an edge with a partner
  EXPECT_EQ(s[1]["turn_text"], " Score!      Blue goes again.");
  // Line 51 closes Cell 16 and, across the joined edge, Cell 21.
  EXPECT_EQ(s[2]["turn_text"], "  Double score!      Two cool!");
  EXPECT_EQ(s[2]["circles"]["21"]["fill"], kBlue);
  EXPECT_EQ(messageTexts(s[3]), std::vector<std::string>{"Blue wins by points."});
  EXPECT_EQ(s[3]["blue_points"], "25");
  EXPECT_EQ(s[3]["rounds"][1], "Round 1 -Blue\t0\t25");
  EXPECT_EQ(messageTexts(s[4]), std::vector<std::string>{"Invalid move!"});
}

// In Duarn the verdict follows whatever the points labels say; check the two Cells that
// were built on purpose, then that the end agrees with the labels.
void checkDuarnEnd(const json& end) {
  const int red = std::stoi(end["red_points"].get<std::string>());
  const int blue = std::stoi(end["blue_points"].get<std::string>());
  const std::string verdict = red > blue ? "Red wins by points." : blue > red ? "Blue wins by points." : "By points its a tie";
  EXPECT_EQ(messageTexts(end), std::vector<std::string>{verdict});
  EXPECT_LE(red + blue, 25);
  EXPECT_TRUE(end["game_over"]);
  EXPECT_EQ(end["rounds"].size(), 4u);
  int filled = 0;
  for (const auto& [_, c] : end["circles"].items()) filled += c["fill"] != kBackground;
  EXPECT_EQ(filled, red + blue);
}

TEST(PlayScenario, DuarnOnPlanor) {
  const auto s = runScript("duarn_planor.play");
  ASSERT_EQ(s.size(), 3u);
  EXPECT_EQ(s[0]["game_caption"], "Game = Duarn");
  EXPECT_EQ(s[0]["turn_text"], " Score!      Red's turn now.");
  EXPECT_EQ(s[0]["blue_points"], "1");
  EXPECT_EQ(s[1]["turn_text"], " Score!      Blue's turn now.");
  EXPECT_EQ(s[1]["red_points"], "1");
  EXPECT_EQ(s[1]["circles"]["25"]["fill"], kRed);
  checkDuarnEnd(s[2]);
}

TEST(PlayScenario, DuarnOnGloboria) {
  const auto s = runScript("duarn_globoria.play");
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0]["turn_text"], " Score!      Red's turn now.");
  EXPECT_EQ(s[0]["circles"]["1"]["fill"], kBlue);
  EXPECT_EQ(s[0]["lines"]["26"]["colour"], kBlue);
  EXPECT_EQ(s[0]["sub_level"], 1);
  checkDuarnEnd(s[1]);
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
      {"launcher\n", "line 1: launcher needs a number"},
      {"hover two\n", "line 1: hover needs a whole number, not 'two'"},
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
    std::istringstream in(script);
    PlaySession session;
    ASSERT_EQ(session.open("square"), "");
    try {
      for (const auto& cmd : parseScript(in)) session.run(cmd);
      ADD_FAILURE() << "ran: " << script;
    } catch (const ScriptError& e) {
      EXPECT_EQ(std::string(e.what()), error);
    }
  }
}

TEST(PlayScript, WhatAPersonCouldNotClickIsRefusedAndChangesNothing) {
  PlaySession session;
  ASSERT_EQ(session.open("square"), "");
  EXPECT_EQ(session.menu("Games Menu > Tolva"), "");
  EXPECT_EQ(session.line(7), "");
  const json before = session.state();
  EXPECT_NE(session.menu("Sub-Levels > Globoria"), "") << "locked during play";
  EXPECT_NE(session.menu("Other Games > 2D - Beginner's Planor and Globoria"), "") << "the current window";
  EXPECT_NE(session.menu("Other Games > Planor Plexa 2014 in 2D (THIS VERSION!)"), "") << "a heading";
  EXPECT_NE(session.circle(3), "") << "circles have no targets in Tolva";
  json after = session.state();
  for (const char* key : {"lines", "circles", "menus", "turn_text", "sub_level"}) EXPECT_EQ(after[key], before[key]) << key;
}

TEST(PlayScript, ExitEndsTheProgramAndLaterEventsAreRefused) {
  PlaySession session;
  ASSERT_EQ(session.open("square"), "");
  EXPECT_EQ(session.menu("Game > Exit"), "");
  EXPECT_TRUE(session.ended());
  std::istringstream in("line 5\nstate\n");
  std::optional<json> last;
  for (const auto& cmd : parseScript(in)) last = session.run(cmd);
  ASSERT_TRUE(last);
  EXPECT_TRUE((*last)["ended"]);
  EXPECT_EQ((*last)["refused"], json({"line 1: the program has ended"}));
}

TEST(PlayScript, SwitchingToTheSameKindOfWindowLoadsItFresh) {
  PlaySession session;
  ASSERT_EQ(session.open("square"), "");
  session.circle(7);
  EXPECT_EQ(session.open("square"), "");
  const json s = session.state();
  EXPECT_EQ(s["lines"]["36"]["width"], kUnclaimedWidth);
  EXPECT_EQ(s["circles"]["7"]["border"], kCircleBorder);
  EXPECT_EQ(s["rounds"], json({""}));
}

// Runs script text in a session and keeps every state it prints.
std::vector<json> play(PlaySession& session, const std::string& script) {
  std::istringstream in(script);
  std::vector<json> states;
  for (const auto& cmd : parseScript(in))
    if (auto j = session.run(cmd)) states.push_back(*j);
  return states;
}

TEST(PlayLauncher, TheSessionStartsInTheLauncherWithNoGameWindow) {
  PlaySession session;
  const json s = session.state();
  EXPECT_TRUE(s["window"].is_null());
  EXPECT_FALSE(s.contains("lines"));
  ASSERT_TRUE(s.contains("launcher"));
  EXPECT_EQ(s["launcher"].size(), 35u);
  std::vector<std::string> shown;
  for (const auto& [index, l] : s["launcher"].items())
    if (l["visible"]) shown.push_back(index);
  EXPECT_EQ(shown, (std::vector<std::string>{"0", "122", "29", "49"}));
  EXPECT_EQ(s["launcher"]["122"], json({{"caption", "Click the name of a game to Quick-Launch it"},
                                        {"colour", 0x800080},
                                        {"visible", true}}));
  EXPECT_EQ(s["pending_steps"], 0);
  EXPECT_EQ(s["sub_level"], 0);
}

TEST(PlayLauncher, ExpandingAndHoveringShowInTheState) {
  PlaySession session;
  const auto s = play(session, "launcher 0\nstate\nhover 3\nhover 12\nstate\nlauncher 0\nstate\n");
  ASSERT_EQ(s.size(), 3u);
  EXPECT_EQ(s[0]["launcher"]["0"]["caption"], "Krunk Planor Plexa 2014 in 2D");
  EXPECT_TRUE(s[0]["launcher"]["3"]["visible"]);
  EXPECT_FALSE(s[0]["launcher"]["30"]["visible"]);
  EXPECT_EQ(s[0]["launcher"]["3"]["colour"], 0xFF0000);
  EXPECT_EQ(s[1]["launcher"]["3"]["colour"], 0xC000);
  EXPECT_EQ(s[1]["launcher"]["2"]["colour"], 0xC00000);
  EXPECT_EQ(s[1]["launcher"]["12"], s[0]["launcher"]["12"]);  // the marker took no hover
  EXPECT_EQ(s[2]["launcher"], s[1]["launcher"]);             // a second click on the header
  for (const auto& st : s) EXPECT_EQ(st["refused"], json::array());
}

TEST(PlayLauncher, AGameOpenedFromTheLauncherIsTheWindowOpenWouldLoad) {
  PlaySession launched, opened;
  const auto a = play(launched, "launcher 0\nlauncher 2\nstate\ncircle 7\nstate\n");
  const auto b = play(opened, "# no launcher\nopen square\nstate\ncircle 7\nstate\n");
  ASSERT_EQ(a.size(), 2u);
  ASSERT_EQ(b.size(), 2u);
  EXPECT_EQ(a[0]["window"], "square");
  EXPECT_FALSE(a[0].contains("launcher"));
  EXPECT_EQ(a[0], b[0]);
  EXPECT_EQ(a[1], b[1]);
  EXPECT_EQ(a[1]["refused"], json::array());
  EXPECT_NE(a[1]["circles"], a[0]["circles"]);
}

TEST(PlayLauncher, BeginnersGloboriaSetsTheSubLevelBeforeTheWindowLoads) {
  PlaySession session;
  const auto s = play(session, "launcher 0\nlauncher 3\nstate\n");
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0]["sub_level"], 1);
  EXPECT_EQ(s[0]["window"], "square");
  EXPECT_TRUE(s[0]["menus"]["Sub-Levels > Globoria"]["checked"]);
}

TEST(PlayLauncher, AGameNotInThisVersionIsNamedAndTheLauncherStays) {
  PlaySession session;
  const auto s = play(session, "launcher 0\nlauncher 7\nstate\nlauncher 29\nlauncher 33\nstate\n");
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0]["messages"], json::array({{{"title", "Krunk Plexa"},
                                            {"text", "Super Krunk Plus is not in this version yet."}}}));
  EXPECT_EQ(messageTexts(s[1]), std::vector<std::string>{"Krunk the Wall is not in this version yet."});
  for (const auto& st : s) {
    EXPECT_TRUE(st["window"].is_null());
    EXPECT_TRUE(st.contains("launcher"));
    EXPECT_EQ(st["sub_level"], 0);
    EXPECT_EQ(st["wall_level"], 1);
  }
}

TEST(PlayLauncher, WhatThePersonCouldNotReachIsRefusedAndNothingIsIgnored) {
  struct Case {
    const char* before;  // run first; its states are not compared
    const char* event;
    const char* refusal;  // nullptr: silently ignored
  };
  const Case cases[] = {
      {"", "launcher 3\n", "line 1: launcher label 3 is hidden"},
      {"", "hover 2\n", "line 1: launcher label 2 is hidden"},
      {"", "line 7\n", "line 1: no window is open"},
      {"", "circle 7\n", "line 1: no window is open"},
      {"", "menu Game > Exit\n", "line 1: no window is open"},
      {"open square\n", "launcher 0\n", "line 1: no launcher is open"},
      {"open square\n", "hover 0\n", "line 1: no launcher is open"},
      {"launcher 0\nlauncher 2\n", "launcher 3\n", "line 1: no launcher is open"},
      {"", "launcher 1\n", nullptr},
      {"", "launcher 200\n", nullptr},
      {"", "launcher 99999999999\n", nullptr},
      {"launcher 0\n", "hover 200\n", nullptr},
      {"launcher 0\n", "launcher 11\n", nullptr},
      {"launcher 0\n", "launcher 122\n", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.before) + c.event);
    PlaySession session;
    play(session, c.before);
    json before = session.state();
    play(session, c.event);
    json after = session.state();
    EXPECT_EQ(after["refused"], c.refusal ? json::array({c.refusal}) : json::array());
    after.erase("refused");
    before.erase("refused");
    EXPECT_EQ(after, before);
  }
}

}  // namespace
}  // namespace kp
