#include "core/standard_menus.h"

#include <iterator>

#include "core/window_catalogue.h"

namespace kp {

MenuEntry gameMenu(std::vector<MenuEntry> entries) {
  MenuEntry game{.id = "game", .caption = "&Game"};
  game.children = std::move(entries);
  if (game.children.empty()) game.children = {
      {.id = "game.new", .caption = "New", .shortcut = "F5"},
      {.id = "game.keypad",
       .caption = "Show keypad for entering moves from online chats / text messages / phone",
       .shortcut = "Ctrl+F1",
       .checkable = true},
      // The Line and circle numbers on the board, for moves entered on the keypad.
      {.id = "game.grid", .caption = "Show grid", .shortcut = "F12", .checkable = true},
      {.separator = true},
      {.id = "game.server", .caption = "Set standby mode to accept an incoming Player 2 over the net (server mode)"},
      {.id = "game.call", .caption = "Set to begin a call to another person to start a set of games with them"},
      {.separator = true},
      {.id = "game.exit", .caption = "E&xit", .shortcut = "F9"},
      {.id = "game.about", .caption = "&About...", .shortcut = "F2"},
  };
  // The game's record, after the window's own entries.
  game.children.insert(game.children.end(),
                       {
                           {.separator = true},
                           {.id = "game.undo",
                            .caption = "&Take back",
                            .statusTip = "Take back the last move (against the computer, your last move and its answer)",
                            .shortcut = "Ctrl+Z"},
                           {.id = "game.redo",
                            .caption = "Play a&gain",
                            .statusTip = "Play again the moves taken back, until a new move is made",
                            .shortcut = "Ctrl+Shift+Z"},
                           {.id = "game.replay",
                            .caption = "&Replay",
                            .statusTip = "Step through this game's moves: Home, Left, Right and End",
                            .checkable = true},
                           {.id = "game.save",
                            .caption = "&Save game...",
                            .statusTip = "Keep this game's moves in a file, to open and replay later",
                            .shortcut = "Ctrl+S"},
                           {.id = "game.open",
                            .caption = "&Open game...",
                            .statusTip = "Open a saved game in its window, at its last move",
                            .shortcut = "Ctrl+O"},
                       });
  return game;
}

std::vector<MenuEntry> spaceGameMenu() {
  return {
      {.id = "game.new", .caption = "&New", .shortcut = "F5"},
      {.id = "game.add", .caption = "A&dd another game", .visible = false},
      {.id = "game.exit", .caption = "E&xit", .shortcut = "F9"},
      {.id = "game.anywhere", .caption = "&Play anyone anywhere", .visible = false},
      {.id = "game.about", .caption = "&About...", .shortcut = "F2"},
  };
}

MenuEntry subLevelsMenu() {
  MenuEntry sub{.id = "sub", .caption = "&Sub-Levels"};
  sub.children = {
      {.id = "sub.planor", .caption = "Planor", .checkable = true, .checked = true},
      {.id = "sub.globoria", .caption = "Globoria", .checkable = true},
  };
  return sub;
}

MenuEntry optionsMenu(std::vector<MenuEntry> players, std::vector<MenuEntry> more, bool expert, bool expertChecked) {
  MenuEntry options{.id = "options", .caption = "&Options"};
  options.children = std::move(players);
  if (options.children.empty())
    options.children = {
        {.id = "players.0", .caption = "1 player verus the computer", .checkable = true},
        {.id = "players.1", .caption = "2 Players", .checkable = true, .checked = true},
        // Present for the windows that seat more players; nothing to choose here.
        {.id = "players.2", .caption = "3 Players", .checkable = true, .enabled = false},
        {.id = "players.3", .caption = "2 Players versus the computer", .checkable = true, .enabled = false},
    };
  if (expert) {
    options.children.push_back({.id = "expert", .caption = "Expert computer", .checkable = true, .checked = expertChecked});
    for (std::size_t i = 0; i < std::size(kExpertTimes); ++i)
      options.children.push_back(
          {.id = "think." + std::to_string(i + 1), .caption = kExpertTimes[i].caption, .checkable = true});
  }
  options.children.push_back({.separator = true});
  MenuEntry sd{.id = "sd", .caption = "Sudden Death"};
  for (int i = 1; i <= 12; ++i)
    sd.children.push_back({.id = "sd." + std::to_string(i), .caption = kLimits[i - 1].caption, .checkable = true});
  sd.children.front().checked = true;
  options.children.push_back(std::move(sd));
  for (MenuEntry& e : more) options.children.push_back(std::move(e));
  return options;
}

MenuEntry helpMenu(bool expert) {
  MenuEntry help{.id = "help", .caption = "Rules and &Help"};
  help.children = {
      {.id = "help.rules", .caption = "Rules and Help", .shortcut = "F1"},
      {.id = "help.about", .caption = "&About..."},
  };
  if (expert)
    help.children.insert(help.children.begin() + 1,
                         {{.id = "help.expert", .caption = "Show me the Expert's move", .shortcut = "Ctrl+E"},
                          {.id = "help.review",
                           .caption = "Re&view this game with the Expert",
                           .statusTip = "The Expert looks over every move of this game and shows where points were lost"}});
  return help;
}

std::optional<int> menuIndex(const std::string& id, std::string_view prefix) {
  if (id.size() <= prefix.size() || id.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
  const std::string_view digits = std::string_view(id).substr(prefix.size());
  if (digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  return std::stoi(std::string(digits));
}

void enableMenus(MenuModel& menus, const std::vector<std::string>& ids, bool enabled) {
  for (const std::string& id : ids)
    if (MenuEntry* e = menus.find(id)) e->enabled = enabled;
}

namespace {

void sd_Click(StandardMenuTargets to, int index) {
  to.options.suddenDeath = index;
  if (index >= 2) to.timer.setLimit(kLimits[index - 1].ms);
  to.timer.setNoLimit(index == 1);
}

void openHelp(Host& host) {
  // The page is looked for in the current directory at the time of the click, then where
  // the program is installed.
  const std::string dir = host.currentDirectory();
  if (host.openDocument(dir + "/" + kHelpFile)) return;
  for (const std::string& folder : host.helpFolders())
    if (host.openDocument(folder + "/" + kHelpFile)) return;
  host.showMessage(kProgramTitle, dir, [&host] {
    host.showMessage("No help", std::string("Krunk plexa help.htm was not found in program directory. "
                                            "Check the Help file online at ") +
                                    kMakerSite);
  });
}

void openOtherGame(StandardMenuTargets to, WindowKind target, int wallLevel) {
  if (!to.host.windowAvailable(target)) {
    to.host.showMessage(kProgramTitle, std::string(windowTitle(target)) + " is not in this version yet.", {});
    return;
  }
  if (wallLevel != 0) to.program.wallLevel = wallLevel;
  to.host.switchWindow(target);
}

}  // namespace

bool chooseStandardEntry(const std::string& id, StandardMenuTargets to) {
  if (id == "game.keypad") {
    to.options.keypad = !to.options.keypad;
  } else if (id == "game.grid") {
    to.options.grid = !to.options.grid;
  } else if (id == "game.exit") {
    to.host.quit();
  } else if (id == "game.about" || id == "help.about") {
    to.host.showAbout();
  } else if (id == "game.server" || id == "game.call") {
    to.host.showMessage(kProgramTitle, "Playing over the network is not available in this version.", {});
  } else if (id == "expert") {
    to.program.expert = !to.program.expert;
  } else if (const auto time = menuIndex(id, "think."); time && *time >= 1 && *time <= int(std::size(kExpertTimes))) {
    to.program.expertThinkMs = kExpertTimes[*time - 1].ms;
  } else if (const auto limit = menuIndex(id, "sd.")) {
    sd_Click(to, *limit);
  } else if (id == "help.rules") {
    openHelp(to.host);
  } else if (const OtherGameTarget* other = otherGameTarget(id)) {
    openOtherGame(to, other->kind, other->wallLevel);
  } else {
    return false;
  }
  return true;
}

}  // namespace kp
