#pragma once
#include <string>
#include <vector>

#include "core/menu_model.h"
#include "core/window_kind.h"

namespace kp {

// A launcher label that opens the window.
struct LauncherGame {
  int index;  // the label's place in the launcher's list (its group shows it, or not)
  const char* caption;
  const char* tip = "";    // the board and the game it opens, in a line: the label's tooltip
  int subLevel = -1;       // written on launch when not -1 (only ever 1: Globoria)
  int wallLevel = 0;       // written on launch when not 0
  bool highlights = true;  // takes part in the hover highlight
};

// An entry of the Other Games menu that opens the window.
struct OtherGame {
  const char* id;
  const char* caption;
  int wallLevel = 0;  // 0: the entry leaves WallLevel alone
  // In the window's own menu, where it switches these itself (the walls).
  bool hiddenInItsWindow = false;
  const char* captionInItsWindow = nullptr;
};

// What the tests and the window fuzzer need to know of a window beyond its menus.
struct WindowTests {
  // Its scripts in tests/scenarios, each of which opens it.
  std::vector<const char*> scenarios;
  // The menu choices of its boards: the fuzzer's runs open on each in turn, the variant
  // test plays every game of each of its boards ({""}: the board it opens on).
  std::vector<const char*> fuzzerBoards;
  std::vector<const char*> variantBoards = {""};
  // How many games the Games menus of the variant boards show, together.
  int games = 0;
  // The buttons that turn the view, pressed in turn to play a game in another view.
  std::vector<const char*> turn;
  // The orders of moves (seeds) the variant test plays each game in, and those of them
  // played against the computer.
  std::vector<unsigned> seeds = {1, 2, 3, 4};
  std::vector<unsigned> computerSeeds = {2, 4};
  // Its place in the order the windows joined the collection (1 the first): the fuzzer's
  // runs pick a window to open by it, so a seed replays as it always has.
  int joined = 0;
};

// One row per game window: every list of windows (the registry, the launcher, the Other
// Games menu, the runner, the tests and the fuzzer, the screenshots) reads this table.
// The window's factory is beside it in boards/registry.cpp (core knows no board); its
// screenshot script is scripts/screenshots/NAME.play.
struct WindowEntry {
  WindowKind kind;
  const char* name;     // in the runner's scripts ("open square") and on the command line
  const char* title;    // in messages ("... is not in this version yet.")
  const char* caption;  // the window's title bar (nullptr: the title)
  int dimensions;       // 2, 3 or 4: its group in the launcher and Other Games
  std::vector<LauncherGame> launcher;
  std::vector<OtherGame> otherGames;
  WindowTests tests;
};

// Every window, in the order of the Other Games menu.
const std::vector<WindowEntry>& windowCatalogue();
const WindowEntry& catalogueEntry(WindowKind kind);

// The Other Games menu as the window `shown` has it: one group a dimension, headed by its
// caption, "(THIS VERSION!)" after the group of the window shown, whose entries are
// checked and disabled.
MenuEntry otherGamesMenu(WindowKind shown);
// What the Other Games entry `id` opens (nullptr: no such entry).
struct OtherGameTarget {
  WindowKind kind;
  int wallLevel;
};
const OtherGameTarget* otherGameTarget(const std::string& id);

}  // namespace kp
