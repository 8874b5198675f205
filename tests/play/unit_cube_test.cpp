// The unit cube, a board made only of the engine's vocabulary for boards in space, played
// through the frame and the runner.
#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "play/play_session.h"
#include "support/unit_cube_window.h"

namespace kp {
namespace {

using nlohmann::json;

// The computer's pacing: what a click does while it thinks, and for how long and with what
// clicks its turn waits after its move.
struct Pacing {
  Clicks thinking = Clicks::Ignored;
  int afterMs = 0;
  Clicks afterPlayed = Clicks::Ignored;
};

std::vector<json> play(PlaySession& session, const std::string& script, Pacing pacing = {}) {
  session.load([pacing](Host& h, ProgramState& p) {
    auto w = std::make_unique<testing::UnitCubeWindow>(h, p);
    w->thinking = pacing.thinking;
    w->afterMs = pacing.afterMs;
    w->afterPlayed = pacing.afterPlayed;
    return w;
  });
  std::istringstream in(script);
  std::vector<json> states;
  for (const auto& cmd : parseScript(in))
    if (auto j = session.run(cmd)) states.push_back(*j);
  return states;
}

TEST(UnitCube, TheViewReadsEveryClickAndNeverMovesAClaim) {
  PlaySession session;
  const auto s = play(session, "line 1\nstate\nbutton Turn:>\nstate\nline 1\nstate\nbutton Back:>\nstate\n");
  ASSERT_EQ(s.size(), 4u);
  // Turned a quarter about the upright axis, place 1 (along x, at the bottom front) shows
  // a Line that runs along z, and the faces x = 0 and z = 1 change places.
  const int there = s[1]["shown"]["lines"]["1"];
  EXPECT_TRUE(s[1]["view"] == 2 && there >= 9 && there <= 12) << there;
  EXPECT_EQ(s[1]["shown"]["circles"]["6"], 1);
  EXPECT_EQ(s[1]["lines"], s[0]["lines"]) << "turning the view changes no claim";
  EXPECT_EQ(s[2]["lines"][std::to_string(there)]["colour"], kRed) << "Red's click on place 1 claimed Line " << there;
  EXPECT_EQ(s[3]["view"], 1);
}

// Whoever is to move takes the next Line; the last one closes two faces and the cube.
TEST(UnitCube, TheLastLineScoresFacesInTolvaAndTheCubeInPlexa) {
  std::string lines;
  for (int l : {1, 6, 11, 4, 5, 10, 2, 7, 3, 9, 8, 12}) lines += "line " + std::to_string(l) + "\n";
  PlaySession tolva, plexa;
  const auto t = play(tolva, lines + "state\n");
  const auto p = play(plexa, "menu Games Menu > Plexa\n" + lines + "state\n");
  ASSERT_EQ(t.size(), 1u);
  ASSERT_EQ(p.size(), 1u);
  EXPECT_EQ(t[0]["turn_text"], "  Double score!      Two cool!");
  EXPECT_EQ(std::stoi(t[0]["red_points"].get<std::string>()) + std::stoi(t[0]["blue_points"].get<std::string>()), 6);
  for (const auto& [n, c] : t[0]["cells"].items()) EXPECT_NE(c["owner"], 0) << "face " << n;
  EXPECT_EQ(t[0]["messages"].size(), 1u);
  // Plexa: no face scores, so the moves alternate and Red, moving twelfth, takes the cube.
  EXPECT_EQ(p[0]["turn_text"], " Score!      Red goes again.");
  EXPECT_EQ(p[0]["red_points"], "1");
  EXPECT_EQ(p[0]["red_tally"], 1000);
  EXPECT_EQ(p[0]["blue_tally"], 0);
  ASSERT_EQ(p[0]["messages"].size(), 2u);
  EXPECT_EQ(p[0]["messages"][0]["text"], "Red wins by points.");
  EXPECT_EQ(p[0]["messages"][1]["text"], "Red wins by score.");
  EXPECT_EQ(p[0]["game_over"], true);
}

// A person's click while the computer thinks, or while its turn waits after its move:
// refused under the move lock (Blue is to move once the computer, Red, has moved), or held
// and played by Blue then (and the computer thinks again).
TEST(UnitCube, AClickWhileTheComputerThinksOrAfterItsMoveIsIgnoredOrHeld) {
  // Line 12 is clicked while the computer thinks (the first 500 ms), or just after its move
  // while its turn waits 300 ms more; the second state is taken at 1100 ms.
  const std::string whileThinking = "line 1\nline 12\nstate\nwait 600\nstate\n";
  const std::string afterMove = "line 1\nwait 500\nline 12\nstate\nwait 600\nstate\n";
  const std::tuple<std::string, Pacing, int, int, int, bool> cases[] = {
      {whileThinking, {.thinking = Clicks::Ignored}, 1, 2, 0, false},
      {whileThinking, {.thinking = Clicks::Held}, 1, 3, 2, true},
      {afterMove, {.afterMs = 300, .afterPlayed = Clicks::Ignored}, 2, 2, 0, false},
      {afterMove, {.afterMs = 300, .afterPlayed = Clicks::Held}, 2, 3, 2, true},
  };
  for (const auto& [script, pacing, claimedFirst, claimed, ownerOf12, computerToMove] : cases) {
    PlaySession session;
    const auto s = play(session, "menu Options > 1 player verus the computer\n" + script, pacing);
    ASSERT_EQ(s.size(), 2u);
    auto claimedLines = [](const json& state) {
      int n = 0;
      for (const auto& [place, line] : state["lines"].items()) n += line["owner"] != 0;
      return n;
    };
    EXPECT_EQ(claimedLines(s[0]), claimedFirst) << "the computer's turn is still under way";
    EXPECT_EQ(s[0]["move_lock"], true);
    EXPECT_EQ(claimedLines(s[1]), claimed);
    EXPECT_EQ(s[1]["lines"]["12"]["owner"], ownerOf12);
    EXPECT_EQ(s[1]["move_lock"], computerToMove);
  }
}

}  // namespace
}  // namespace kp
