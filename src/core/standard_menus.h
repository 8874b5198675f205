#pragma once
#include <string>
#include <vector>

#include "core/menu_model.h"

namespace kp {

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

// The Game menu with these entries (the flat windows' when none are given).
MenuEntry gameMenu(std::vector<MenuEntry> entries, const std::string& caption);
// The Game menu's entries of the windows in space: "&New", "A&dd another game" (hidden),
// "E&xit", "&Play anyone anywhere" (hidden), "&About...".
std::vector<MenuEntry> spaceGameMenu();
// Sub-Levels: Planor (checked) and Globoria.
MenuEntry subLevelsMenu();
// Options: the players (the flat windows' four unless given), the Expert computer where it
// is offered, Sudden Death (no time limit checked), then more of the window's.
MenuEntry optionsMenu(std::vector<MenuEntry> players, std::vector<MenuEntry> more, bool expert, bool expertChecked);
// Rules and Help, with the Expert's hint where the Expert is offered.
MenuEntry helpMenu(bool expert);

}  // namespace kp
