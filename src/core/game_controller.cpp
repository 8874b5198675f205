#include "core/game_controller.h"

#include <algorithm>

namespace kp {

namespace {

struct OtherGame {
  const char* id;
  const char* caption;
  WindowKind kind;
  int wallLevel;  // 0: the entry leaves WallLevel alone
};

struct OtherGroup {
  const char* caption;
  std::vector<OtherGame> games;
};

const std::vector<OtherGroup>& otherGroups() {
  static const std::vector<OtherGroup> groups = {
      {"Planor Plexa 2014 in 2D",
       {
           {"other.1", "2D - Beginner's Planor and Globoria", WindowKind::Square, 0},
           {"other.2", "2D - Krunk Delvo in Planor and Globoria   (Triangular)", WindowKind::Triangular, 0},
           {"other.3", "2D - Super Krunk Plus in Planor and Globoria", WindowKind::LargeSquare, 0},
           {"other.4", "2D - Secret Level 1- Our House", WindowKind::House, 0},
           {"other.5", "2D - Secret Level 2- Beyond Globoria - Torus Ferris Donut Wheel", WindowKind::Torus, 0},
       }},
      {"Krunk Plexa 2014 in 3D",
       {
           {"other.7", "3D - Plexa Ultra Squared and Ultra Krunked", WindowKind::Cube, 0},
           {"other.8", "3D - Krunk the Wall", WindowKind::Wall, 1},
           {"other.9", "3D - Krunk a Bigger Wall", WindowKind::Wall, 2},
           {"other.10", "3D - Krunk the Great Wall", WindowKind::Wall, 3},
           {"other.11", "3D - Krunk Delvo   (Triangular)", WindowKind::Tetrahedron, 0},
       }},
      {"Quadrion Plexa 2014 in 4D",
       {
           {"other.4d.11", "4D - Wire Frame", WindowKind::Wireframe, 0},
           {"other.12", "4D - Krunk Delvo in 4D   (Triangular)", WindowKind::Triangular4d, 0},
           {"other.13", "4D - Quadrion Krunk", WindowKind::Quadrion, 0},
       }},
  };
  return groups;
}

}  // namespace

GameController::GameController(Host& host, ProgramState& program, WindowKind kind)
    : host_(host),
      program_(program),
      timer_([this](int ms, std::function<void()> step) { return schedule(ms, std::move(step)); },
             [this](StepId id) { cancelStep(id); },
             [this] {
               // Time is up: the program ends once the person has read it.
               Host& host = host_;
               message("You lose.", [&host] { host.quit(); });
             }),
      kind_(kind) {}

GameController::~GameController() { cancelAllSteps(); }

void GameController::cancelAllSteps() {
  timer_.stop();
  for (const PendingStep& step : steps_) host_.cancel(step.hostId);
  steps_.clear();
}

StepId GameController::schedule(int ms, std::function<void()> step) {
  const std::uint64_t own = nextOwn_++;
  const StepId id = host_.schedule(ms, [this, own] { runStep(own); });
  steps_.push_back({id, own, std::move(step)});
  return id;
}

void GameController::runStep(std::uint64_t own) {
  const auto it = std::find_if(steps_.begin(), steps_.end(), [own](const PendingStep& s) { return s.own == own; });
  if (it == steps_.end()) return;
  const std::function<void()> step = std::move(it->fn);
  steps_.erase(it);
  step();
  notifyChanged();
}

void GameController::cancelStep(StepId id) {
  const auto it = std::find_if(steps_.begin(), steps_.end(), [id](const PendingStep& s) { return s.hostId == id; });
  if (it == steps_.end()) return;
  steps_.erase(it);
  host_.cancel(id);
}

void GameController::message(const std::string& text, std::function<void()> onOk) {
  host_.showMessage(kProgramTitle, text, std::move(onOk));
}

void GameController::lineClicked(int n) {
  if (n < 1 || n > lineCount() || !drawing_.lines[n].targetVisible) return;
  onLineClick(n);
  notifyChanged();
}

void GameController::circleClicked(int n) {
  if (n < 1 || n > circleCount() || !drawing_.circles[n].targetVisible) return;
  onCircleClick(n);
  notifyChanged();
}

void GameController::menuChosen(const std::string& id) {
  // A shortcut must not reach an entry whose menu is locked, as a click could not.
  if (!menus_.reachableId(id)) return;
  if (!onFrameMenu(id)) onMenu(id);
  notifyChanged();
}

void GameController::buttonPressed(const std::string& caption) {
  for (const auto& b : buttons_) {
    if (b.caption != caption || !b.visible || !b.enabled) continue;
    if (caption == "New game") newGame();
    else onButton(caption);
    notifyChanged();
    return;
  }
}

bool GameController::keypadPlaysCircles() const {
  for (int c = 1; c <= circleCount(); ++c)
    if (drawing_.circles[c].targetVisible) return true;
  return false;
}

int GameController::keypadDigits() const {
  return int(std::to_string(keypadPlaysCircles() ? circleCount() : lineCount()).size());
}

void GameController::keypadEntered(const std::string& text) {
  const bool circles = keypadPlaysCircles();
  const int count = circles ? circleCount() : lineCount();
  const std::string what = circles ? "circle" : "line";
  const std::string range = " (1 to " + std::to_string(count) + ")";
  if (text.empty()) {
    message("Enter the number of a " + what + " first" + range + ".");
  } else if (text.find_first_not_of("0123456789") != std::string::npos) {
    message("A move is entered as a number" + range + ".");
  } else if (int(text.size()) > keypadDigits()) {
    message("The numbers of this board have at most " + std::to_string(keypadDigits()) + " digits" + range + ".");
  } else if (const int n = std::stoi(text); n < 1 || n > count) {
    message("There is no " + what + " " + text + " on this board" + range + ".");
  } else if (circles) {
    // Straight to the board, so a played circle gets the board's own answer.
    onCircleClick(n);
  } else {
    onLineClick(n);
  }
  notifyChanged();
}

void GameController::addGameMenu() {
  MenuEntry game{.id = "game", .caption = "&Game"};
  game.children = {
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
  menus_.add(std::move(game));
}

void GameController::addSubLevelsMenu() {
  MenuEntry sub{.id = "sub", .caption = "&Sub-Levels"};
  sub.children = {
      {.id = "sub.planor", .caption = "Planor", .checkable = true, .checked = true},
      {.id = "sub.globoria", .caption = "Globoria", .checkable = true},
  };
  menus_.add(std::move(sub));
}

std::pair<int, int> GameController::countPointsOnBoard(const BoardGraph& graph, bool byColour,
                                                       std::initializer_list<Colour> redColours) const {
  int red = 0, blue = 0;
  for (int c = 1; c <= graph.cellCount; ++c) {
    if (!byColour) {
      // The line games fill the circle of each Cell scored, once.
      red += drawing_.circles[c].fill == kRed;
      blue += drawing_.circles[c].fill == kBlue;
      continue;
    }
    std::size_t r = 0, b = 0;
    for (int l : graph.cellSides[c]) {
      const LineDraw& line = drawing_.lines[l];
      if (line.width != kClaimedWidth) continue;
      r += std::find(redColours.begin(), redColours.end(), line.colour) != redColours.end();
      b += line.colour == kBlue;
    }
    red += r == graph.cellSides[c].size();
    blue += b == graph.cellSides[c].size();
  }
  return {red, blue};
}

void GameController::addOtherGamesMenu() {
  MenuEntry other{.id = "other", .caption = "&Other Games"};
  bool first = true;
  for (const auto& group : otherGroups()) {
    if (!first) other.children.push_back({.separator = true});
    first = false;
    bool current = false;
    for (const auto& g : group.games) current = current || g.kind == kind_;
    std::string caption = group.caption;
    if (current) caption += " (THIS VERSION!)";
    other.children.push_back(
        {.id = std::string("heading.") + group.caption, .caption = caption, .enabled = false, .heading = true});
    for (const auto& g : group.games) {
      MenuEntry e{.id = g.id, .caption = g.caption, .checkable = true};
      if (g.kind == kind_) {
        e.checked = true;
        e.enabled = false;
      }
      other.children.push_back(std::move(e));
    }
  }
  if (kind_ == WindowKind::Wall) {
    // The wall window switches its walls in its own Sub-Levels menu.
    for (auto& e : other.children) {
      if (e.id == "other.8" || e.id == "other.9") e.visible = false;
      if (e.id == "other.10") e.caption = "3D - Krunk The Walls";
    }
  }
  menus_.add(std::move(other));
}

namespace {
struct Limit {
  const char* caption;
  int ms;  // 0: no limit
};
constexpr Limit kLimits[] = {
    {"No time limit", 0}, {"2 minutes", 120000}, {"1 1/2 minutes", 90000}, {"1 minute", 60000},
    {"30 seconds", 30000}, {"20 seconds", 20000}, {"15 seconds", 15000},  {"10 seconds", 10000},
    {"6 seconds", 6000},   {"4 seconds", 4000},   {"3 seconds", 3000},    {"2 seconds", 2000},
};
}  // namespace

void GameController::addOptionsMenu() {
  MenuEntry options{.id = "options", .caption = "&Options"};
  options.children = {
      {.id = "players.0", .caption = "1 player verus the computer", .checkable = true},
      {.id = "players.1", .caption = "2 Players", .checkable = true, .checked = true},
      // Present for the windows that seat more players; nothing to choose here.
      {.id = "players.2", .caption = "3 Players", .checkable = true, .enabled = false},
      {.id = "players.3", .caption = "2 Players versus the computer", .checkable = true, .enabled = false},
      {.separator = true},
  };
  MenuEntry sd{.id = "sd", .caption = "Sudden Death"};
  for (int i = 1; i <= 12; ++i)
    sd.children.push_back({.id = "sd." + std::to_string(i), .caption = kLimits[i - 1].caption, .checkable = true});
  // A window opens without a time limit (the stored limit keeps its opening value), so
  // nobody loses a game for thinking before they have chosen a limit.
  sd.children.front().checked = true;
  timer_.setNoLimit(true);
  options.children.push_back(std::move(sd));
  menus_.add(std::move(options));
}

bool GameController::onePlayer() const {
  const MenuEntry* e = menus_.find("players.0");
  return e && e->checked;
}

void GameController::ip_Click(int index) {
  if (index == 0) {
    if (twoPlayerOnly()) {
      message("   Duarn is a two player game only.");
      return;
    }
    menus_.at("players.0").checked = true;
    menus_.at("players.1").checked = false;
    playersChanged();
  } else if (index == 1) {
    menus_.at("players.0").checked = false;
    menus_.at("players.1").checked = true;
  }
}

void GameController::sd_Click(int index) {
  for (int i = 1; i <= 12; ++i) menus_.at("sd." + std::to_string(i)).checked = i == index;
  if (index >= 2) timer_.setLimit(kLimits[index - 1].ms);
  timer_.setNoLimit(index == 1);
}

void GameController::addHelpMenu() {
  MenuEntry help{.id = "help", .caption = "Rules and &Help"};
  help.children = {
      {.id = "help.rules", .caption = "Rules and Help", .shortcut = "F1"},
      {.id = "help.about", .caption = "&About..."},
  };
  menus_.add(std::move(help));
}

void GameController::setSetupMenusEnabled(bool enabled, const std::vector<std::string>& boardMenus) {
  if (menus_.find("options")) menus_.at("options").enabled = enabled;
  menus_.at("other").enabled = enabled;
  for (const auto& id : boardMenus) menus_.at(id).enabled = enabled;
}

bool GameController::onFrameMenu(const std::string& id) {
  if (id == "game.new") {
    newGame();
  } else if (id == "game.keypad") {
    menus_.at("game.keypad").checked = !menus_.at("game.keypad").checked;
  } else if (id == "game.grid") {
    menus_.at("game.grid").checked = !menus_.at("game.grid").checked;
  } else if (id == "game.exit") {
    host_.quit();
  } else if (id == "game.about" || id == "help.about") {
    host_.showAbout();
  } else if (id == "game.server" || id == "game.call") {
    message("Playing over the network is not available in this version.");
  } else if (id.rfind("players.", 0) == 0) {
    ip_Click(std::stoi(id.substr(8)));
  } else if (id.rfind("sd.", 0) == 0) {
    sd_Click(std::stoi(id.substr(3)));
  } else if (id == "help.rules") {
    openHelp();
  } else if (id.rfind("other.", 0) == 0) {
    for (const auto& group : otherGroups())
      for (const auto& g : group.games)
        if (id == g.id) openOtherGame(g.kind, g.wallLevel);
  } else {
    return false;
  }
  return true;
}

void GameController::openHelp() {
  // The page is looked for in the current directory at the time of the click.
  const std::string dir = host_.currentDirectory();
  if (host_.openDocument(dir + "/krunk plexa help.htm")) return;
  Host& host = host_;
  host_.showMessage(kProgramTitle, dir, [&host] {
    host.showMessage("No help", std::string("Krunk plexa help.htm was not found in program directory. "
                                            "Check the Help file online at ") + kMakerSite);
  });
}

void GameController::openOtherGame(WindowKind target, int wallLevel) {
  if (!host_.windowAvailable(target)) {
    message(std::string(windowTitle(target)) + " is not in this version yet.");
    return;
  }
  if (wallLevel != 0) program_.wallLevel = wallLevel;
  host_.switchWindow(target);
}

}  // namespace kp
