#include "play/play_session.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// The scripts of tests/scenarios: how many states each prints, and for some of them
// values by JSON pointer, "#claimed" for how many Lines are drawn claimed or "#lines" for
// which, "#owned" for the Lines anybody owns, however drawn. (Whole games to their verdicts are played by variant_scenarios_test; the points,
// moves left, rounds and pending steps are checked after every event by the window fuzzer.)
using Scenario = std::tuple<const char*, std::size_t, std::vector<std::pair<std::size_t, json>>>;

TEST(PlayScenario, ScriptsShowTheirStates) {
  const json blueToMove = {false, true, false};
  const Scenario scenarios[] = {
      // The session starts in the launcher, no game window open; its labels show as they change.
      {"launcher.play",
       3,
       {{0, {{"/window", nullptr}, {"/launcher/3/visible", false}, {"/launcher/122/colour", 0x800080}}},
        {0, {{"/launcher/122/caption", "Click the name of a game to Quick-Launch it"}}},
        {1, {{"/launcher/0/caption", "Krunk Planor Plexa 2014 in 2D"}, {"/launcher/30/visible", false}}},
        {1, {{"/launcher/3/colour", 0xC000}, {"/launcher/4/colour", 0xC00000}, {"/launcher/8/colour", 0xFF0000}}},
        {2, {{"/window", "largesquare"}, {"/menus/Sub-Levels > Globoria/checked", true}}}}},
      {"flat_family.play",
       8,
       {{0, {{"/menus/Size > 7 x 7/checked", true}, {"/game_caption", "Game = Super Krunk Plus"}, {"#lines", json::array()}}},
        {0, {{"/menus/Sub-Levels > Globoria/checked", true}, {"/moves_left", "49 moves left"}}},
        {1, {{"#lines", {1, 2, 9, 10, 11, 18, 19, 73, 82, 83, 90, 91, 92, 99, 100, 101, 108, 109, 163, 172, 173, 180}}}},
        {1, {{"/moves_left", "80 moves left"}, {"/last_move", "Circle 1"}, {"/menus/Size/enabled", false}}},
        {2, {{"#lines", {1, 5, 6, 8, 9, 15, 16}}, {"/moves_left", "38 moves left"}}},
        {3, {{"#lines", {1, 5, 6, 8, 9, 15, 16, 20}}}},
        {4, {{"#lines", {1, 2, 4, 5, 6, 8, 9, 45, 49, 50, 60, 61, 62, 72, 73, 85}}}},
        {5, {{"/view", 12}, {"/shown/lines/1", 45}, {"/shown/circles/1", 12}, {"#lines", {45}}}},
        {6, {{"/view", 1}, {"/lines/45/colour", kBlue}, {"/shown/lines/45", 45}}},
        {7, {{"/your_turn", blueToMove}, {"/turn_text", "Click a line to begin playing"}, {"/move_lock", false}}}}},
      // Tolva played to the end, a claimed Line clicked, then New game twice: Red opens the
      // first, announced at once, on a clean board that keeps the totals and rounds.
      {"tolva_planor.play",
       9,
       {{5, {{"#claimed", 60}}},
        {6, {{"/messages/0/text", "Invalid move!"}}},
        {7, {{"/turn_text", "No score    Red's turn."}, {"/last_move_caption", "Last:"}, {"#claimed", 0}}},
        {7, {{"/red_total", "25"}, {"/rounds/1", "Round 1 -Red\t25\t0"}, {"/game_caption", "Tolva"}}},
        {7, {{"/menus/Sub-Levels/enabled", true}}},
        {8, {{"/your_turn", blueToMove}}}}},
      // 30 clicks, 10 of them on an edge with a partner; Line 51 closes Cell 16 and, across
      // the joined edge, Cell 21.
      {"tolva_globoria.play",
       5,
       {{0, {{"#claimed", 40}}},
        {2, {{"/turn_text", "  Double score!      Two cool!"}, {"/circles/21/fill", kBlue}}},
        {3, {{"/messages/0/text", "Blue wins by points."}}}}},
      // Duarn: Red's own Cell 25; on Globoria Blue's Cell 1 through the joined Line 26.
      {"duarn_planor.play", 3, {{1, {{"/turn_text", " Score!      Blue's turn now."}, {"/circles/25/fill", kRed}}}}},
      {"duarn_globoria.play", 2, {{0, {{"/circles/1/fill", kBlue}, {"/lines/26/colour", kBlue}}}}},
      {"triangular_duarn.play",
       2,
       {{0, {{"/turn_text", "No score    Red's turn."}}}, {1, {{"/circles/1/fill", kBlue}}}}},
      // The computer's Line 50 in yellow, then red; the person's time runs out.
      {"computer_tolva.play",
       6,
       {{0, {{"/move_lock", true}, {"/timer_running", false}}},
        {1, {{"/lines/50/colour", kYellow}}},
        {2, {{"/lines/50/colour", kRed}, {"/move_lock", true}}},
        {3, {{"/turn_text", "No score    Blue's turn."}, {"/timer_running", true}, {"/timer_caption", "10000"}}},
        {4, {{"/messages/0/text", "There is no line 99 on this board (1 to 60)."}, {"/lines/13/colour", kBlue}}},
        {5, {{"/messages/0/text", "You lose."}, {"/ended", true}}}}},
      {"sudden_death.play",
       5,
       {{0, {{"/timer_limit", 100000}, {"/timer_running", false}}},
        {1, {{"/timer_limit", 2000}, {"/timer_running", false}, {"/ended", false}}},
        {2, {{"/timer_limit", 2000}, {"/timer_remaining", 2000}, {"/timer_running", true}}},
        {3, {{"/timer_caption", "0"}, {"/ended", false}}},
        {4, {{"/ended", true}, {"/messages/0/text", "You lose."}}}}},
      {"wall.play",
       4,
       {{0, {{"/window", "wall"}, {"/wall_level", 3}, {"/caption", "Krunk Plexa 2014 in 3D  -  Krunk the Great Wall"}}},
        {0, {{"/moves_left", "106 moves left"}, {"/menus/Sub-Levels > Krunk the Great Wall/checked", true}}},
        {1, {{"#owned", {6, 8, 10, 16, 18, 20, 28, 31, 33, 35, 37, 41, 43}}, {"/moves_left", "28 moves left"}}},
        {1, {{"/wall_level", 1}, {"/menus/Sub-Levels/enabled", false}, {"/caption", "Krunk Plexa 2014 in 3D  -  Krunk the Wall"}}},
        {2, {{"/view", 2}, {"/shown/lines/5", 10}, {"/shown/circles/11", 17}}},
        {3, {{"/view", 1}, {"/wall_level", 2}, {"/menus/Sub-Levels/enabled", true}, {"#owned", json::array()}}}}},
      {"square_options.play",
       7,
       {{0, {{"/menus/Options > 2 Players/checked", true}}},
        {1, {{"/messages/0/text", "   Duarn is a two player game only."}}},
        {2, {{"#claimed", 1}, {"/turn_text", "No score    Blue's turn."}}},
        {3, {{"#claimed", 4}, {"/move_lock", true}}},
        {4, {{"#claimed", 0}, {"/pending_steps", 0}, {"/moves_left", "25 moves left"}}},
        {5, {{"/sub_level", 0}, {"/wall_level", 1}, {"/about", true}}},
        {6, {{"/window", "wall"}, {"/wall_level", 2}, {"/caption", "Krunk Plexa 2014 in 3D  -  Krunk a Bigger Wall"}}},
        {6, {{"/menus/Sub-Levels > Krunk a Bigger Wall/checked", true}, {"/moves_left", "55 moves left"}}}}},
      {"square_krunk.play",
       6,
       {{0, {{"#lines", {1, 6, 26, 31, 36, 56}}, {"/blue_points", "1"}, {"/moves_left", "24 moves left"}}},
        {1, {{"/lines/6/colour", kRed}, {"/blue_points", "0"}, {"/messages/0/text", "Invalid move"}}},
        {2, {{"/your_turn", blueToMove}}},
        {3, {{"/lines/60/colour", kBlack}, {"/turn_text", "Blue player's turn"}, {"/game_over", true}}},
        {4, {{"/lines/7/colour", kRedTurnText}, {"/moves_left", "23 moves left"}}},
        {5, {{"/game_over", true}, {"/lines/60/width", 2}}}}},
      // Triangular Line Krunk against the computer: its Line scores before its pause.
      {"triangular_line_krunk_computer.play",
       4,
       {{0, {{"/moves_left", "54 moves left"}}},
        {1, {{"/red_points", "1"}, {"/circles/40/fill", kRed}, {"/turn_text", " Score!      Red goes again."}}},
        {1, {{"/moves_left", "84 moves left"}, {"/move_lock", true}}},
        {3, {{"/red_points", "2"}}}}},
      {"triangular_lines.play",
       9,
       {{0, {{"#lines", {31, 72}}, {"/last_move", "Last move: 31"}}},
        {1, {{"/messages/0/text", "Invalid move!"}}},
        {2, {{"#lines", {4, 9, 40, 41, 42}}, {"/turn_text", "  Double score!      Two cool!"}}},
        {2, {{"/circles/10/fill", kBlue}, {"/circles/10/border", kYellow}}},
        {3, {{"/circles/10/border", kYellow}, {"/move_lock", true}}},
        {4, {{"/lines/50/colour", kBlue}}},
        {6, {{"/buttons/Mini Size/visible", false}, {"/menus/Size > Normal size/enabled", false}}},
        {7, {{"/buttons/Mini Size/visible", true}}},
        {8, {{"/menus/Options > 2 Players/checked", true}}}}},
      {"triangular_circles.play",
       6,
       {{0, {{"#lines", {1, 8, 9, 10, 32, 33, 41, 42, 50, 51, 54, 55}}, {"/blue_points", "4"}}},
        {0, {{"/moves_left", "53 moves left"}}},
        {1, {{"/game_caption", "Game = Tolva"}}},
        {2, {{"/game_caption", "Game = Super Krunk"}}},
        {3, {{"#lines", {4, 31, 32, 72}}}},
        {4, {{"/lines/41/colour", kRed}, {"/blue_points", "0"}, {"/red_points", "1"}}},
        {5, {{"/circles/20/target", false}, {"/circles/20/fill", kBackground}}}}},
      {"triangular_computer.play",
       6,
       {{0, {{"/last_move", "Last move: 9"}, {"/move_lock", true}}},
        {1, {{"/last_move", "Last move: 3"}, {"#lines", {4, 5, 6, 33, 34, 40, 41, 44, 51, 52}}}},
        {1, {{"/lines/44/colour", kRed}, {"/your_turn", blueToMove}}},
        {2, {{"/pending_steps", 0}}},
        {3, {{"/turn_text", "Click a circle to begin playing"}}},
        {4, {{"/move_lock", true}}},
        {5, {{"/pending_steps", 0}, {"#claimed", 0}}}}},
      {"triangular_krunk.play",
       4,
       {{1, {{"/turn_text", "Krunk!"}, {"/turn_colour", kBlack}, {"/lines/89/colour", kBlack}}},
        {1, {{"/red_points", "3"}, {"/blue_points", "2"}, {"/messages/0/text", "Red wins by points."}}},
        {3, {{"/lines/39/colour", kBlack}, {"/red_points", "9"}, {"/blue_points", "9"}}}}},
      // The cube opens as designed; Line 20 closes four squares; a turned view reads places.
      {"cube_lines.play",
       7,
       {{0, {{"/game_caption", "Game = Krunk"}, {"/menus/Games Menu > Krunk  (Classic) [8]/checked", true}}},
        {0, {{"/menus/Games Menu > Krunk  (Classic) [4]/visible", false}, {"/moves_left", "36 moves left"}}},
        {0, {{"/messages/0/text", "This hint is for the Tolva game only."}}},
        {1, {{"/hint", "54 non-scoring moves left"}, {"/moves_left", "54 moves left"}}},
        {2, {{"/turn_text", "  Quadruple score!    Amazing!"}, {"/blue_points", "4"}, {"/cells/18/owner", kBlue}}},
        {2, {{"/hint", "25 non-scoring moves left"}}},
        {3, {{"/turn_text", "Invalid move!"}, {"/lines/3/owner", 2}, {"/moves_left", "40 moves left"}}},
        {4, {{"/view", 2}, {"/shown/lines/1", 9}, {"/lines/9/colour", kRed}, {"/last_move", "Last move: 9"}}},
        {5, {{"/view", 4}}},
        {6, {{"/view", 1}, {"/shown/lines/1", 1}}}}},
      {"cube_circles.play",
       5,
       {{0, {{"/turn_text", "Score! Blue goes again"}, {"/cells/2/owner", kBlue}, {"/blue_points", "5"}}},
        {1, {{"/lines/2/width", 5}, {"/lines/9/owner", 1}, {"/lines/6/owner", 0}, {"/lines/7/owner", 0}}},
        {2, {{"/lines/13/owner", 1}, {"/lines/18/owner", 1}, {"/lines/17/owner", 0}, {"/red_points", "3"}}},
        {3, {{"/turn_text", "Invalid move!"}, {"/moves_left", "34 moves left"}}},
        {4, {{"/turn_text", "Krunk!"}, {"/last_move", "Last move: 36"}, {"/cubes/3/owner", kRed}, {"/game_over", true}}},
        {4, {{"/messages/0/text", "By points its a tie"}, {"/messages/1/text", "Red wins by score."}}}}},
      {"wireframe.play",
       4,
       {{0, {{"/turn_text", "Click a line to start playing"}, {"/moves_left", "32 moves left"}, {"/view", 1}}},
        {0, {{"/checkboxes/Yellow/visible", true}, {"/strokes/1/main/base/colour", kUnclaimedLine}}},
        {1, {{"/turn_text", "  Triple score!      Awesome!"}, {"/tally/red", 7000}, {"/red_points", "3"}}},
        {1, {{"/cells/16/owner", kRed}, {"/turn_colour", kRedTurnText}, {"/checkboxes/Yellow/visible", false}}},
        {1, {{"/strokes/1/main/base/width", 7}, {"/strokes/1/inverse/base/width", 6}, {"/strokes/1/main/marker", true}}},
        {1, {{"/strokes/1/main/cube/0/width", 4}, {"/strokes/1/inverse/cube/2/width", 3}}},
        {1, {{"/strokes/1/main/cube/0/dashed", false}, {"/strokes/7/main/cube/0/dashed", true}}},
        {2, {{"/messages/0/text", "Invalid move. You have clicked on a move already taken or clicked too close to a "
                                  "line which was already filled in. Please try again."}}},
        {2, {{"/moves_left", "22 moves left"}, {"/tally/red", 7000}, {"/your_turn/0", true}}},
        {3, {{"/messages/0/text", "   Duarn is a two player game only."}, {"/game_caption", "Game = Tolva"}}},
        {3, {{"/menus/Options > 1 Player/checked", true}, {"/checkboxes/Yellow/visible", true}}}}},
      {"quadrion.play",
       7,
       {{0, {{"/turn_text", "Click a line to begin playing"}, {"/moves_left", "80 moves left"}}},
        {0, {{"/hint", "80 non-scoring moves left"}, {"/game_caption", "Game = Tolva"}, {"/your_turn/1", true}}},
        {1, {{"/messages/0/text", "   Duarn is a two playergm only. Set number of players to two, then set to Duarn."}}},
        {1, {{"/game_caption", "Game = Tolva"}, {"/menus/Games Menu > Tolva/checked", true}}},
        {2, {{"/turn_text", "  Quadruple score!    Amazing!"}, {"/blue_points", "4"}, {"/cells/61/owner", kBlue}}},
        {2, {{"/lines/1/width", 4}, {"/lines/1/colour", kBlue}, {"/moves_left", "67 moves left"}}},
        {3, {{"/messages/0/text", "Invalid move!"}, {"/moves_left", "67 moves left"}, {"/your_turn/1", true}}},
        {4, {{"/turn_text", "Red player's turn"}, {"/last_move", "Click a line to begin playing"}}},
        {4, {{"/hint", "80 non-scoring moves left"}, {"/your_turn/0", true}, {"/lines/1/owner", 0}}},
        {5, {{"/turn_text", "No score    Blue's turn."}, {"/your_turn/1", true}}},
        {6, {{"/move_lock", true}, {"/menus/Games Menu/enabled", false}, {"/menus/Options/enabled", false}}}}},
      {"quadrion_games.play",
       4,
       {{0, {{"/turn_text", "Click a circle to begin playing"}, {"/last_move", "Click a circle to begin playing"}}},
        {1, {{"/turn_text", " Score!      Blue goes again."}, {"/blue_points", "1"}, {"/cells/1/owner", kBlue}}},
        {2, {{"/blue_points", "1"}, {"/cells/1/owner", kBlue}, {"/your_turn", blueToMove}}},
        {3, {{"/lines/1/colour", kYellow}, {"/lines/1/owner", 0}, {"/move_lock", true}}}}},
      {"tetrahedron.play",
       9,
       {{0, {{"/messages/0/title", "Well?"}, {"/game_caption", "Game = Krunk (Classic - Easy Level)"}}},
        {0, {{"/moves_left", "20 moves left"}, {"/menus/Games Menu > Tolva  (Full level)/visible", false}}},
        {1, {{"/view", 2}, {"/shown/circles/1", 5}, {"/circles/5/border", kGreen}, {"/lines/3/owner", 1}}},
        {1, {{"/menus/Options/enabled", false}, {"/menus/Sub-levels/enabled", false}}},
        {2, {{"/turn_text", " Score!      Blue goes again."}, {"/cells/13/owner", kBlue}, {"/cells/1/owner", 0}}},
        {3, {{"/turn_text", "   Invalid move!"}, {"/moves_left", "21 moves left"}}},
        {4, {{"/turn_text", "  Quadruple score!    Amazing!"}, {"/cells/33/owner", kBlue}, {"/blue_points", "4"}}},
        {4, {{"/game_caption", "Game = Tolva"}, {"/moves_left", "30 moves left"}}},
        {5, {{"/lines/7/owner", 1}, {"/lines/14/owner", 1}, {"/lines/3/owner", 0}, {"/moves_left", "19 moves left"}}},
        {6, {{"/turn_text", "Krunk!"}, {"/moves_left", "Game over"}, {"/last_move", "Last move: 20"}}},
        {6, {{"/messages/0/text", "Blue wins by points."}, {"/game_over", true}}},
        {7, {{"/menus/Other Games/enabled", false}, {"/menus/Options > 1 player/checked", true}, {"/blue_points", "11"}}},
        {7, {{"/game_caption", "Game = Tolva"}, {"/moves_left", "Game over"}, {"/targets/lines/38", 39}}},
        {7, {{"/turn_text", "Krunk!"}}},  // the new game's prompt waits for New game
        {8, {{"/moves_left", "39 moves left"}, {"/lines/13/owner", 0}}},
        // The fifth New game gives Tolva's opening to Red: the computer's move is under way.
        {8, {{"/your_turn/0", true}, {"/move_lock", true}, {"/menus/Other Games/enabled", false}}}}},
      // Super Krunk's triangle 1 takes the far halves of its two half edges; the last
      // Who opens; a flash holds a click until it is over; the keypad's words.
      {"openers.play",
       10,
       {{0, {{"/your_turn", blueToMove}, {"/turn_text", "Click a line to begin playing"}}},
        {1, {{"/your_turn", json{true, false, false}}, {"/turn_text", "No score    Red's turn."}, {"/turn_colour", kRedTurnText}}},
        {2, {{"/moves_left", "53 moves left"}, {"/your_turn", blueToMove}, {"/menus/Options/enabled", false}}},
        {3, {{"/your_turn", blueToMove}, {"/turn_text", "Click a line to begin playing"}, {"/moves_left", "54 moves left"}}},
        {4, {{"/your_turn", blueToMove}, {"/turn_text", "Click a line to begin playing"}}},
        {5, {{"/your_turn", json{true, false, false}}, {"/turn_text", "No score    Red's turn."}}},
        {6, {{"/your_turn", blueToMove}, {"/turn_text", "Click a line to begin playing"}, {"/move_lock", false}}},
        {7, {{"/lines/4/colour", kYellow}, {"/lines/5/colour", kYellow}, {"/lines/1/owner", 0}, {"/move_lock", true}}},
        {8, {{"/lines/4/colour", kBlue}, {"/lines/5/colour", kRed}, {"/lines/1/owner", 2}, {"/last_move", "Last move: 1"}}},
        {9, {{"/messages/0/text", "There is no triangle marker 61 on this board (1 to 60)."}}}}},
      // triangle of a Krunk-move game plays itself in black.
      {"triangular4d.play",
       3,
       {{0, {{"/game_caption", "Game = Krunk (Classic)"}, {"/moves_left", "60 moves left"}, {"/your_turn", blueToMove}}},
        {1, {{"/view", 2}, {"/shown/circles/11", 1}, {"/circles/1/border", kGreen}, {"/moves_left", "59 moves left"}}},
        {1, {{"/lines/14/colour", kBlue}, {"/lines/23/colour", kBlue}, {"/lines/5/colour", kBlue}, {"/lines/3/owner", 0}}},
        {2, {{"/turn_text", "Krunk!"}, {"/last_move", "Last move: 60"}, {"/lines/46/colour", kBlack}}},
        {2, {{"/moves_left", "Game over"}, {"/game_over", true}, {"/view", 1}, {"/menus/Games Menu/enabled", false}}}}},
  };
  for (const auto& [file, states, expectations] : scenarios) {
    std::ifstream in(std::string(KP_SCENARIO_DIR) + "/" + file);
    ASSERT_TRUE(in) << file;
    PlaySession session;
    const auto s = play(session, in);
    ASSERT_EQ(s.size(), states) << file;
    for (const auto& st : s) EXPECT_EQ(st["refused"], json::array()) << file;
    for (const auto& [state, expected] : expectations) {
      std::vector<int> claimed, owned;
      const json lines = s[state].value("lines", json::object());
      for (const auto& [n, l] : lines.items()) {
        if (l["width"] == kClaimedWidth) claimed.push_back(std::stoi(n));
        if (l["owner"] != 0) owned.push_back(std::stoi(n));
      }
      std::sort(claimed.begin(), claimed.end());
      std::sort(owned.begin(), owned.end());
      for (const auto& [key, value] : expected.items()) {
        const json shown = key == "#claimed" ? json(claimed.size())
                           : key == "#lines" ? json(claimed)
                           : key == "#owned" ? json(owned)
                                             : s[state].at(json::json_pointer(key));
        EXPECT_EQ(shown, value) << file << " state " << state << " " << key;
      }
    }
  }
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
    play(s, "open " + setup + "\n");
    const GameController& w = *s.window();
    int computerMoves = 0;
    for (int step = 0; step < 5000 && !w.status().gameOver; ++step) {
      std::vector<char> was = claimedFlags(w.rules().claims());
      const json hint = play(s, "menu Rules and Help > Show me the Expert's move\nstate\n").back()["hint_lines"];
      EXPECT_EQ(hint, json(w.moveLock() ? std::vector<int>{} : analyseTolva(w.rules().graph(), was).best));
      EXPECT_EQ(std::size_t(std::ranges::count(w.scene().strokes, true, &Stroke::highlighted)), hint.size());
      const auto l = std::size_t(std::find(was.rbegin(), was.rend(), 0).base() - was.begin()) - 1;  // the highest free
      if (!w.moveLock()) was[l] = was[std::size_t(w.rules().graph().partner[l])] = 1;
      play(s, w.moveLock() ? "wait 100\n" : "line " + std::to_string(l) + "\nwait 100\n");
      std::vector<int> taken;  // whatever else was claimed: the computer's move
      for (int n = 1; n <= w.lineCount(); ++n)
        if (w.rules().claimed(n) && !was[std::size_t(n)]) taken.push_back(n);
      const std::vector<int> best = taken.empty() ? taken : analyseTolva(w.rules().graph(), was).best;
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
