#include "core/standard_menus.h"

namespace kp {

MenuEntry gameMenu(std::vector<MenuEntry> entries, const std::string& caption) {
  MenuEntry game{.id = "game", .caption = caption};
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
  if (expert)
    options.children.push_back({.id = "expert", .caption = "Expert computer", .checkable = true, .checked = expertChecked});
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
                         {.id = "help.expert", .caption = "Show me the Expert's move", .shortcut = "Ctrl+E"});
  return help;
}

}  // namespace kp
