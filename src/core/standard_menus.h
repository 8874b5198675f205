#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/host.h"
#include "core/menu_model.h"
#include "core/move_timer.h"
#include "core/options.h"
#include "core/program_state.h"

namespace kp {

inline constexpr const char* kProgramTitle = "Krunk Plexa";
inline constexpr const char* kHelpFile = "krunk plexa help.htm";
inline constexpr const char* kMakerSite = "https://krunkplexa.example.org";

// The standard menus every window's menu bar is built from.
struct SuddenDeathLimit {
  const char* caption;
  int ms;  // 0: no limit
};
// The entries of Sudden Death, "sd.1" to "sd.12".
inline constexpr SuddenDeathLimit kLimits[] = {
    {"No time limit", 0},  {"2 minutes", 120000}, {"1 1/2 minutes", 90000}, {"1 minute", 60000},
    {"30 seconds", 30000}, {"20 seconds", 20000}, {"15 seconds", 15000},    {"10 seconds", 10000},
    {"6 seconds", 6000},   {"4 seconds", 4000},   {"3 seconds", 3000},      {"2 seconds", 2000},
};

// The Expert's time for a move, below "Expert computer": the entries "think.1" to "think.3".
struct ExpertTime {
  const char* caption;
  int ms;
};
inline constexpr ExpertTime kExpertTimes[] = {
    {"Expert thinks: 0.2 s", 200}, {"Expert thinks: 1 s", 1000}, {"Expert thinks: 5 s", 5000}};

// The Game menu ("&Game") with these entries (the flat windows' when none are given).
MenuEntry gameMenu(std::vector<MenuEntry> entries);
// The Game menu's entries of the windows in space: "&New", "A&dd another game" (hidden),
// "E&xit", "&Play anyone anywhere" (hidden), "&About...".
std::vector<MenuEntry> spaceGameMenu();
// Sub-Levels: Planor (checked) and Globoria.
MenuEntry subLevelsMenu();
// Options: the players (the flat windows' four unless given), the Expert computer and its
// time for a move where it is offered, Sudden Death (no time limit checked), then more of the window's.
MenuEntry optionsMenu(std::vector<MenuEntry> players, std::vector<MenuEntry> more, bool expert, bool expertChecked);
// Rules and Help, with the Expert's hint where the Expert is offered.
MenuEntry helpMenu(bool expert);

// The index after a menu id's prefix ("sd.3" -> 3), if the id has that prefix.
std::optional<int> menuIndex(const std::string& id, std::string_view prefix);

// What the standard menus' own entries change: the entries that need nothing of the game
// played (the keypad and the grid, Exit, About, the network entries, the Expert computer
// and its time,
// Sudden Death, Rules and Help, Other Games).
struct StandardMenuTargets {
  Host& host;
  ProgramState& program;
  Options& options;
  MoveTimer& timer;
};
// Carries out one of those entries; false where the id is none of them.
bool chooseStandardEntry(const std::string& id, StandardMenuTargets to);
// The menus (or entries) given enabled or disabled.
void enableMenus(MenuModel& menus, const std::vector<std::string>& ids, bool enabled);

}  // namespace kp
