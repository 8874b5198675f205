#include "boards/flat/square_window.h"

#include "boards/flat/square_computer.h"

#include <algorithm>
#include <string>

namespace kp {

namespace {

struct VariantEntry {
  int index;
  const char* caption;
  const char* boardCaption;
};

constexpr VariantEntry kVariants[] = {
    {SquareWindow::Tolva, "Tolva", "Game = Tolva"},
    {SquareWindow::Duarn, "Duarn (2 Player only)", "Game = Duarn"},
    {SquareWindow::Krunk, "Krunk", "Game = Krunk"},
    {SquareWindow::SuperKrunk, "Super Krunk", "Game = Super Krunk"},
    {SquareWindow::RibbonKrunk, "Ribbon Krunk", "Game = Ribbon Krunk"},
    {SquareWindow::LineKrunk, "Line Krunk", "Game = Line Krunk"},
    {SquareWindow::SuperKrunkPlus, "Super Krunk Plus", "Game = Super Krunk Plus"},
};

const std::vector<std::string> kSetupMenus = {"sub", "games"};

// The computer's pauses: before it moves, and while its choice is shown.
constexpr int kPauseMs = 500;

constexpr const char* kLinePrompt = "Click a line to begin playing";
constexpr const char* kCirclePrompt = "Click a circle to begin playing";

Player other(Player p) { return p == Player::Red ? Player::Blue : Player::Red; }

}  // namespace

SquareWindow::SquareWindow(Host& host, ProgramState& program) : GameController(host, program, WindowKind::Square) {
  buildMenus();
  buttons_ = {{.caption = "New game"}};

  drawing_.resize(square::kLines, square::kCells);
  game_.setGraph(&planor_);
  game_.rememberInitialLines();
  useSubLevel(program_.subLevel == 1);

  status_.movesLeft = "54 moves left";
  status_.rounds.push_back("");
  status_.turnText = kLinePrompt;
  status_.turnColour = kBlue;
  game_Click(Krunk);
}

void SquareWindow::buildMenus() {
  addGameMenu();
  addOtherGamesMenu();

  addSubLevelsMenu();

  MenuEntry games{.id = "games", .caption = "Games &Menu"};
  for (const auto& v : kVariants) {
    if (v.index == LineKrunk || v.index == SuperKrunkPlus) games.children.push_back({.separator = true});
    games.children.push_back({.id = "games." + std::to_string(v.index), .caption = v.caption, .checkable = true});
  }
  menus_.add(std::move(games));

  addOptionsMenu();
  addHelpMenu();
}

void SquareWindow::onMenu(const std::string& id) {
  if (id == "sub.planor" || id == "sub.globoria") {
    ver_Click();
  } else if (id.rfind("games.", 0) == 0) {
    game_Click(std::stoi(id.substr(6)));
  }
}

bool SquareWindow::circleVariant() const {
  return variant_ == Krunk || variant_ == SuperKrunk || variant_ == RibbonKrunk || variant_ == SuperKrunkPlus;
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

std::pair<int, int> SquareWindow::pointsOnBoard() const {
  if (variant_ == LineKrunk) return countPointsOnBoard(planor_, true, {kRed, kRedTurnText});
  return countPointsOnBoard(planor_, circleVariant(), {kRed});
}

std::optional<std::string> SquareWindow::movesLeftOnBoard() const {
  if (!movesLeftKept_) return std::nullopt;
  int left = 0;
  if (variant_ == LineKrunk) {
    for (int l : square::kInteriorLines) left += !game_.claimed(l);
  } else {
    left = game_.unusedCircles();
  }
  return std::to_string(left) + " moves left";
}

void SquareWindow::game_Click(int index) {
  movesLeftKept_ = false;
  for (const auto& v : kVariants) menus_.at("games." + std::to_string(v.index)).checked = false;
  for (int c = 1; c <= square::kCells; ++c) drawing_.circles[c].targetVisible = false;
  for (int l = 1; l <= square::kLines; ++l) drawing_.lines[l].targetVisible = true;
  variant_ = index;
  menus_.at("games." + std::to_string(index)).checked = true;
  if (index == Duarn) {
    menus_.at("players.0").checked = false;
    menus_.at("players.1").checked = true;
  }
  if (circleVariant()) {
    status_.turnText = kCirclePrompt;
    for (int c = 1; c <= square::kCells; ++c) drawing_.circles[c].targetVisible = true;
    for (int l = 1; l <= square::kLines; ++l) drawing_.lines[l].targetVisible = false;
  }
  for (const auto& v : kVariants)
    if (v.index == index) status_.gameCaption = v.boardCaption;
}

void SquareWindow::onLineClick(int n) {
  if (game_.moveLock()) return;
  if (game_.claimed(n)) {
    message("Invalid move!");
    return;
  }
  if (status_.gameOver) return;  // a Line Krunk game can end with edge Lines still free
  if (variant_ == LineKrunk || variant_ == SuperKrunkPlus) {
    // The Line takes the turn text colour; the turn passes in the evaluation.
    const Player mover = game_.toMove();
    game_.claimLine(n, status_.turnColour, 1, mover);
  } else {
    const Player mover = game_.takeTurn();
    game_.claimLine(n, lineColour(mover), int(mover), mover);
  }
  // This window leaves the two coordinate captions at their design text.
  status_.lastMove = "From.. to to..";
  timer_.reset();
  if (variant_ == LineKrunk) lineKrunkEvaluation(true);
  else checkwins(true);
}

void SquareWindow::onCircleClick(int k) {
  if (game_.moveLock()) return;
  if (game_.circleUsed(k)) {
    message("Invalid move");
    return;
  }
  playCircle(k);
}

const std::vector<int>& SquareWindow::circleClaims(int k) const {
  if (variant_ == Krunk) return planor_.cellSides.at(std::size_t(k));  // the Cell's four sides
  return square::superKrunkClaims(k, globoria(), variant_ == SuperKrunkPlus);
}

void SquareWindow::playCircle(int k) {
  game_.setCircleUsed(k);
  drawing_.circles[k].border = kGreen;
  const Colour colour = status_.turnColour;
  for (int line : circleClaims(k)) game_.paintLine(line, colour);
  timer_.reset();
  circleEvaluation(true);
}

void SquareWindow::passTurnTo(Player next, Colour redColour) {
  game_.setToggle(next == Player::Red ? 1 : 0);
  status_.yourTurn = {next == Player::Red, next == Player::Blue, false};
  setText(status_.turnText, {playerName(next), " player's turn"});
  status_.turnColour = next == Player::Red ? redColour : kBlue;
}

void SquareWindow::circleEvaluation(bool afterMove) {
  const Player mover = game_.toMove();
  const int before = game_.points(mover);
  game_.rebuildPointsByColour({kRed});
  status_.movesLeft = std::to_string(game_.unusedCircles()) + " moves left";
  movesLeftKept_ = true;
  if (!afterMove) return;

  setSetupMenusEnabled(false, kSetupMenus);
  timer_.stop();
  if (krunk_) {
    // The last circle was played in black: the turn text's colour is no player's, so
    // the turn goes to Blue.
    passTurnTo(Player::Blue, kRed);
  } else if (variant_ == RibbonKrunk && game_.points(mover) > before) {
    passTurnTo(mover, kRed);  // a move that gains points keeps the ribbon going
  } else {
    passTurnTo(other(mover), kRed);
  }

  const int left = game_.unusedCircles();
  if (left == 0) {
    finishGame();
  } else if (left == 1) {
    // The last circle plays itself, in black, whoever is to move.
    krunk_ = true;
    status_.turnText = "Krunk!";
    status_.turnColour = kBlack;
    playCircle(game_.firstUnusedCircle());
  } else {
    handOver();
  }
}

void SquareWindow::lineKrunkEvaluation(bool afterMove) {
  // Red's Lines wear Red's turn text colour here; Globoria partners are drawn 255.
  game_.rebuildPointsByColour({kRed, kRedTurnText});
  const int open = int(std::count_if(square::kInteriorLines.begin(), square::kInteriorLines.end(),
                                     [&](int l) { return !game_.claimed(l); }));
  status_.movesLeft = std::to_string(open) + " moves left";
  movesLeftKept_ = true;
  if (!afterMove) return;

  setSetupMenusEnabled(false, kSetupMenus);
  timer_.stop();
  passTurnTo(other(game_.toMove()), kRedTurnText);
  if (open == 0) finishGame();
  else handOver();
}

void SquareWindow::checkwins(bool afterMove) {
  if (afterMove) setSetupMenusEnabled(false, kSetupMenus);
  timer_.stop();
  if (game_.checkwins(variant_ == Duarn ? LineRule::Duarn : LineRule::Tolva) == Outcome::GameOver) finishGame();
  else handOver();
}

void SquareWindow::finishGame() {
  game_.setMoveLock(false);
  message(game_.endGame());
}

void SquareWindow::handOver() {
  if (onePlayer() && game_.toMove() == Player::Red && variant_ != Duarn) {
    game_.setMoveLock(true);
    if (variant_ == Tolva) schedule(kPauseMs, [this] { computerTolva(); });
    else if (variant_ == LineKrunk) schedule(kPauseMs, [this] { computerLineKrunk(); });
    else schedule(kPauseMs, [this] { computerCircle(); });
    return;
  }
  game_.setMoveLock(false);
  if (!timer_.noLimit()) timer_.start();
}

void SquareWindow::playersChanged() {
  // Chosen between games while Red is to open: the computer opens at once.
  if (!status_.gameOver && game_.toMove() == Player::Red && !game_.moveLock() && game_.claimedLineCount() == 0)
    handOver();
}

void SquareWindow::computerTolva() {
  const int line = square::chooseTolvaLine(game_, drawing_, program_.random);
  if (line == 0) return;
  game_.setToggle(0);  // Blue is next unless this move scores
  // Shown first in yellow (its joined partner already in Red), then in Red.
  if (const int partner = game_.graph().partner[line]) {
    drawing_.lines[partner].width = kClaimedWidth;
    drawing_.lines[partner].colour = kRed;
  }
  drawing_.lines[line].width = kClaimedWidth;
  drawing_.lines[line].colour = kYellow;
  schedule(kPauseMs, [this, line] {
    drawing_.lines[line].colour = kRed;
    schedule(kPauseMs, [this, line] {
      game_.claimLine(line, kRed, 1, Player::Red);
      status_.lastMove = "From.. to to..";
      timer_.reset();
      checkwins(true);
    });
  });
}

void SquareWindow::computerCircle() {
  std::vector<ColourMove> moves;
  for (int c = 1; c <= square::kCells; ++c) {
    if (game_.circleUsed(c)) continue;
    ColourMove m{c, circleClaims(c)};
    for (int l : std::vector<int>(m.lines))
      if (int p = game_.graph().partner[l]) m.lines.push_back(p);
    moves.push_back(std::move(m));
  }
  const int circle = chooseByColour(game_.graph(), drawing_, moves, {kRed}, program_.random);
  if (circle == 0) return;
  drawing_.circles[circle].border = kYellow;  // the computer's choice, shown before it is played
  schedule(kPauseMs, [this, circle] { playCircle(circle); });
}

void SquareWindow::computerLineKrunk() {
  std::vector<ColourMove> moves;
  const BoardGraph& g = game_.graph();
  for (int l = 1; l <= square::kLines; ++l) {
    // A joined pair is one move: offer it once.
    if (game_.claimed(l) || (g.partner[l] != 0 && g.partner[l] < l)) continue;
    moves.push_back({l, g.partner[l] ? std::vector<int>{l, g.partner[l]} : std::vector<int>{l}});
  }
  const int line = chooseByColour(g, drawing_, moves, {kRed, kRedTurnText}, program_.random);
  if (line == 0) return;
  drawing_.lines[line].width = kClaimedWidth;
  drawing_.lines[line].colour = kYellow;
  schedule(kPauseMs, [this, line] {
    game_.claimLine(line, status_.turnColour, 1, Player::Red);
    status_.lastMove = "From.. to to..";
    timer_.reset();
    lineKrunkEvaluation(true);
  });
}

void SquareWindow::newGame() {
  movesLeftKept_ = false;
  krunk_ = false;
  cancelAllSteps();
  timer_.restore();
  game_.resetBoard();
  setSetupMenusEnabled(true, kSetupMenus);
  if (variant_ == Tolva) status_.gameCaption = "Tolva";
  if (variant_ == Duarn) status_.gameCaption = "Duarn";
  if (variant_ == Krunk) status_.gameCaption = "Krunk";
  status_.turnText = circleVariant() ? kCirclePrompt : kLinePrompt;

  const bool flagIsOne = game_.flipFirstPlayer();
  if (variant_ == Tolva && !flagIsOne) {
    // Red opens every second game of Tolva: the evaluation announces it at once.
    game_.setToggle(1);
    checkwins(false);
    return;
  }
  game_.setMoveLock(false);
  game_.setToggle(0);
  status_.yourTurn = {false, true, false};
  if (circleVariant()) circleEvaluation(false);
  if (variant_ == LineKrunk) lineKrunkEvaluation(false);
}

}  // namespace kp
