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
  session.circle(7);
  EXPECT_EQ(session.open("square"), "");
  const json s = session.state();
  EXPECT_EQ(s["lines"]["36"]["width"], kUnclaimedWidth);
  EXPECT_EQ(s["circles"]["7"]["border"], kCircleBorder);
  EXPECT_EQ(s["rounds"], json({""}));
}

}  // namespace
}  // namespace kp
