#include "boards/flat/square_window.h"

#include <string>

namespace kp {

namespace {

struct VariantEntry {
  int index;
  const char* caption;
  const char* boardCaption;
  bool playable;  // the Krunk family arrives with its own rules
};

constexpr VariantEntry kVariants[] = {
    {SquareWindow::Tolva, "Tolva", "Game = Tolva", true},
    {SquareWindow::Duarn, "Duarn (2 Player only)", "Game = Duarn", true},
    {SquareWindow::Krunk, "Krunk", "Game = Krunk", false},
    {SquareWindow::SuperKrunk, "Super Krunk", "Game = Super Krunk", false},
    {SquareWindow::RibbonKrunk, "Ribbon Krunk", "Game = Ribbon Krunk", false},
    {SquareWindow::LineKrunk, "Line Krunk", "Game = Line Krunk", false},
    {SquareWindow::SuperKrunkPlus, "Super Krunk Plus", "Game = Super Krunk Plus", false},
};

const std::vector<std::string> kSetupMenus = {"sub", "games"};

}  // namespace

SquareWindow::SquareWindow(Host& host, ProgramState& program) : GameController(host, program, WindowKind::Square) {
  buildMenus();
  buttons_ = {{.caption = "New game"}};

  drawing_.resize(square::kLines, square::kCells);
  for (int l = 1; l <= square::kLines; ++l) drawing_.lines[l].targetVisible = true;
  for (int c = 1; c <= square::kCells; ++c) drawing_.circles[c].targetVisible = false;
  game_.setGraph(&planor_);
  game_.rememberInitialLines();
  useSubLevel(program_.subLevel == 1);

  status_.movesLeft = "54 moves left";
  status_.rounds.push_back("");
  status_.turnText = "Click a line to begin playing";
  status_.turnColour = kBlue;
  game_Click(Tolva);
}

void SquareWindow::buildMenus() {
  addGameMenu();
  addOtherGamesMenu();

  MenuEntry sub{.id = "sub", .caption = "&Sub-Levels"};
  sub.children = {
      {.id = "sub.planor", .caption = "Planor", .checkable = true, .checked = true},
      {.id = "sub.globoria", .caption = "Globoria", .checkable = true},
  };
  menus_.add(std::move(sub));

  MenuEntry games{.id = "games", .caption = "Games &Menu"};
  for (const auto& v : kVariants) {
    if (v.index == LineKrunk || v.index == SuperKrunkPlus) games.children.push_back({.separator = true});
    games.children.push_back({.id = "games." + std::to_string(v.index),
                              .caption = v.caption,
                              .checkable = true,
                              .enabled = v.playable});
  }
  menus_.add(std::move(games));

  addHelpMenu();
}

void SquareWindow::onMenu(const std::string& id) {
  if (id == "sub.planor" || id == "sub.globoria") {
    ver_Click();
  } else if (id.rfind("games.", 0) == 0) {
    game_Click(std::stoi(id.substr(6)));
  }
}

void SquareWindow::useSubLevel(bool globoria) {
  menus_.at("sub.planor").checked = !globoria;
  menus_.at("sub.globoria").checked = globoria;
  game_.setGraph(globoria ? &globoria_ : &planor_);
}

void SquareWindow::ver_Click() {
  // Either entry toggles; the board is chosen before the first move, so the game's
  // tables are still empty when the graph changes.
  const bool toGloboria = !globoria();
  useSubLevel(toGloboria);
  program_.subLevel = toGloboria ? 1 : 0;
}

void SquareWindow::game_Click(int index) {
  for (const auto& v : kVariants) menus_.at("games." + std::to_string(v.index)).checked = false;
  for (int c = 1; c <= square::kCells; ++c) drawing_.circles[c].targetVisible = false;
  for (int l = 1; l <= square::kLines; ++l) drawing_.lines[l].targetVisible = true;
  variant_ = index;
  menus_.at("games." + std::to_string(index)).checked = true;
  for (const auto& v : kVariants)
    if (v.index == index) status_.gameCaption = v.boardCaption;
}

void SquareWindow::onLineClick(int n) {
  if (game_.moveLock()) return;
  if (game_.claimed(n)) {
    message("Invalid move!");
    return;
  }
  const Player mover = game_.takeTurn();
  game_.claimLine(n, lineColour(mover), int(mover), mover);
  // This window leaves the two coordinate captions at their design text.
  status_.lastMove = "From.. to to..";
  evaluate();
}

void SquareWindow::onCircleClick(int) {}

void SquareWindow::evaluate() {
  setSetupMenusEnabled(false, kSetupMenus);
  if (game_.checkwins(variant_ == Duarn ? LineRule::Duarn : LineRule::Tolva) == Outcome::GameOver)
    message(game_.endGame());
}

void SquareWindow::newGame() {
  cancelAllSteps();
  game_.resetBoard();
  setSetupMenusEnabled(true, kSetupMenus);
  if (variant_ == Tolva) status_.gameCaption = "Tolva";
  if (variant_ == Duarn) status_.gameCaption = "Duarn";
  if (variant_ == Krunk) status_.gameCaption = "Krunk";
  status_.turnText = "Click a line to begin playing";

  const bool flagIsOne = game_.flipFirstPlayer();
  if (variant_ == Tolva && !flagIsOne) {
    // Red opens every second game of Tolva: the evaluation announces it at once.
    game_.setToggle(1);
    evaluate();
  } else {
    game_.setToggle(0);
    status_.yourTurn = {false, true, false};
  }
}

}  // namespace kp
