// The game's record: every game of every window, by two people, against the computer and
// (where it plays) against the Expert, taken back and played again, and saved and opened
// again, ends as it did; bad records are refused with the line they go wrong on.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "boards/registry.h"
#include "core/window_catalogue.h"
#include "play/play_session.h"
#include "play/state_json.h"

namespace kp {
namespace {

using nlohmann::json;

// Everything a person sees of the game, without what passes with time (the countdown, the
// clock) and the record's own menu entries.
json seen(PlaySession& s) {
  json j = windowStateJson(*s.window());
  // Before the first move a window's first game may show the moves left as the window opened
  // with them; the game taken back to its start shows them as its opening counts them.
  if (s.window()->movesShown() == 0) j.erase("moves_left");
  for (const char* volatileField : {"timer_remaining", "timer_running", "move_lock"}) j.erase(volatileField);
  for (const char* entry : {"Game > Take back", "Game > Play again", "Game > Replay", "Game > Save game...", "Game > Open game..."})
    j["menus"].erase(entry);
  return j;
}

// The two states alike, or where they differ (a JSON patch from the first to the second).
::testing::AssertionResult same(const json& got, const json& wanted) {
  if (got == wanted) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << json::diff(wanted, got).dump().substr(0, 1500) << " wanted turn text "
                                       << wanted["turn_text"] << ", record " << got["record"].dump().substr(0, 300);
}

enum class Players { Two, Computer, Expert };

struct Game {
  const WindowEntry* row;
  std::string level, game;
  Players players;
};

std::string describe(const Game& g) {
  return std::string(g.row->name) + " " + g.level + " " + g.game +
         (g.players == Players::Two ? " two" : g.players == Players::Computer ? " computer" : " Expert");
}

// Opens the game's window with its set-up; false where the game does not take these players.
bool setUp(PlaySession& s, const Game& g) {
  s.program().expertFixed.nodes = 5000;
  if (!s.open(g.row->name).empty()) return false;
  if (!g.level.empty() && !s.menu(g.level).empty()) return false;
  if (!s.menu("Games Menu > " + g.game).empty()) return false;
  if (g.players == Players::Two) return true;
  bool done = false;
  s.window()->menus().forEach([&](const std::string& path, const MenuEntry& e) {
    if (e.id == "players.0" && !done) done = s.menu(path).empty() && s.window()->options().onePlayer;
  });
  if (done && g.players == Players::Expert) {
    const MenuEntry* expert = s.window()->menus().find("expert");
    done = expert && s.window()->menus().reachableId("expert") && s.menu("Options > Expert computer").empty();
  }
  return done;
}

// Plays the game through in an order of moves the seed shuffles, taking the state after
// every person's move; returns them by the record's length then.
std::map<std::size_t, json> playThrough(PlaySession& s, unsigned seed) {
  std::map<std::size_t, json> states;
  states[s.window()->movesShown()] = seen(s);
  std::mt19937 random(seed);
  for (int guard = 0; guard < 2000 && !s.window()->status().gameOver; ++guard) {
    GameController& w = *s.window();
    const bool circles = w.drawing().circles.size() > 1 && w.drawing().circles[1].targetVisible;
    std::vector<int> free;
    for (int m = 1; m <= (circles ? w.circleCount() : w.lineCount()); ++m)
      if (w.offers(circles ? Target::circle(m) : Target::line(m)) &&
          !(circles ? w.rules().circleUsed(m) : w.rules().claimed(m)))
        free.push_back(m);
    if (free.empty()) break;
    const int m = free[random() % free.size()];
    if (circles) s.circle(m);
    else s.line(m);
    s.wait(60000);
    s.host().takeMessages();
    states.try_emplace(s.window()->movesShown(), seen(s));
  }
  return states;
}

void checkGame(const Game& g, unsigned seed) {
  SCOPED_TRACE(describe(g) + " seed " + std::to_string(seed));
  PlaySession s(seed);
  if (!setUp(s, g)) return;
  const auto states = playThrough(s, seed);
  const std::size_t length = s.window()->recordLength();
  ASSERT_GT(length, 0u);
  const json end = seen(s);

  // Taken back move by move a few times, then to a move the seed picks, then played again.
  for (int k = 0; k < 3 && s.window()->canTakeBack(); ++k) {
    ASSERT_EQ(s.undo(), "");
    const auto at = states.find(s.window()->movesShown());
    ASSERT_NE(at, states.end()) << "taken back to move " << s.window()->movesShown();
    EXPECT_TRUE(same(seen(s), at->second)) << "after taking back to move " << at->first;
  }
  std::vector<std::size_t> marks;
  for (const auto& [n, state] : states) marks.push_back(n);
  const std::size_t to = marks[seed % marks.size()];
  s.window()->showMove(to);
  EXPECT_TRUE(same(seen(s), states.at(to))) << "shown at move " << to;
  for (std::size_t before = 0; s.window()->canPlayAgain();) {
    before = s.window()->movesShown();
    ASSERT_EQ(s.redo(), "");
    ASSERT_GT(s.window()->movesShown(), before) << "played again from move " << before;
  }
  EXPECT_EQ(s.window()->movesShown(), length);
  EXPECT_TRUE(same(seen(s), end)) << "played again to the end";

  // Saved and opened again.
  const std::string file = (std::filesystem::temp_directory_path() / ("kp-record-" + std::to_string(::getpid()) + ".krunk")).string();
  ASSERT_EQ(s.save(file), "");
  PlaySession again(seed + 100);
  again.program().expertFixed.nodes = 5000;
  ASSERT_EQ(again.open(g.row->name), "");
  ASSERT_EQ(again.load(file), "");
  again.host().takeMessages();
  json opened = seen(again);
  json wanted = end;
  // A window opened anew has played no round before this one, and its game was not chosen
  // from the menu (which writes the game's caption).
  for (const char* f : {"rounds", "red_total", "blue_total", "game_caption"}) opened.erase(f), wanted.erase(f);
  EXPECT_TRUE(same(opened, wanted)) << "saved and opened again";
  std::filesystem::remove(file);
}

TEST(GameRecord, EveryGameTakenBackPlayedAgainSavedAndOpenedEndsAsItDid) {
  for (const WindowEntry& row : windowCatalogue()) {
    PlaySession probe;
    ASSERT_EQ(probe.open(row.name), "");
    for (const std::string level : row.tests.variantBoards) {
      if (!level.empty()) {
        ASSERT_EQ(probe.menu(level), "");
      }
      std::vector<std::string> games;
      probe.window()->menus().forEach([&](const std::string& path, const MenuEntry& e) {
        if (path.starts_with("Games Menu > ") && e.visible) games.push_back(path.substr(13));
      });
      for (const std::string& game : games)
        for (Players p : {Players::Two, Players::Computer, Players::Expert})
          checkGame({&row, level, game, p}, unsigned(games.size() + int(p)));
    }
  }
}

}  // namespace
}  // namespace kp

namespace kp {
namespace {

// A record that cannot be played is refused with the line it goes wrong on, and the game on
// screen stays as it was.
TEST(GameRecord, BadRecordsAreRefusedNamingTheirLine) {
  const std::string head = "krunkplexa-record 1\nprogram 1.0\nwindow square\n";
  const std::string game = head + "game Games Menu > Tolva\n";
  struct Bad {
    const char* what;
    std::string text;
    std::string said;  // the start of the refusal
  };
  const std::vector<Bad> table = {
      {"truncated", head, "Line 3 of the game record: the record ends before it names the game."},
      {"no record at all", "window square\n", "Line 1 of the game record: this file is not a Krunk Plexa"},
      {"unknown window", "krunkplexa-record 1\nprogram 1.0\nwindow chess\ngame Games Menu > Tolva\n",
       "Line 3 of the game record: this version has no window \"chess\"."},
      {"unknown game", head + "game Games Menu > Chess\n", "Line 4 of the game record: this window has no game"},
      {"unknown set-up", head + "set Options > Blindfold\ngame Games Menu > Tolva\n", "Line 4 of the game record"},
      {"Line out of range", game + "move line 61 Blue person\n", "Line 5 of the game record: move 1 (Line 61) is not on"},
      {"a claimed Line", game + "move line 7 Blue person\nmove line 7 Red person\n",
       "Line 6 of the game record: move 2 (Line 7) cannot be played there."},
      {"the wrong player", game + "move line 7 Red person\n", "Line 5 of the game record: move 1 (Line 7) is not Blue's"},
      {"binary junk", std::string("krunkplexa-record 1\n\x7f\x45\x4c\x46\x02\x01\0\0", 28), "Line 2 of the game record"},
      {"a word out of place", game + "move line 7 Blue person politely\n", "Line 5 of the game record"},
      {"50 MB", game + std::string(50 << 20, 'x'), "Line 5 of the game record"},
  };
  const std::string file = (std::filesystem::temp_directory_path() / "kp-bad-record.krunk").string();
  for (const Bad& bad : table) {
    SCOPED_TRACE(bad.what);
    { std::ofstream(file, std::ios::binary) << bad.text; }
    PlaySession s;
    ASSERT_EQ(s.open("square"), "");
    ASSERT_EQ(s.menu("Games Menu > Tolva"), "");  // between games, where a game may be opened
    const json before = seen(s);
    const std::string said = s.load(file);
    EXPECT_TRUE(said.starts_with(bad.said)) << said;
    EXPECT_TRUE(same(seen(s), before));
  }
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace kp
