#include "boards/triangular/triangular_window.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "core/colour_choice.h"

namespace kp {

namespace {

struct VariantEntry {
  int index;
  const char* caption;
};

constexpr VariantEntry kVariants[] = {
    {TriangularWindow::Tolva, "Tolva"},         {TriangularWindow::Duarn, "Duarn"},
    {TriangularWindow::Krunk, "Krunk"},         {TriangularWindow::SuperKrunk, "Super Krunk"},
    {TriangularWindow::SuperKrunkPlus, "Super Krunk Plus"}, {TriangularWindow::LineKrunk, "Line Krunk"},
};

constexpr const char* kSizes[] = {"Mini Size", "Smaller size", "Normal size"};

const std::vector<std::string> kSetupMenus = {"sub", "games"};

constexpr int kLinePauseMs = 500;     // after the computer's Line
constexpr int kCirclePauseMs = 2000;  // before the computer's circle
constexpr int kFlashMs = 250;

}  // namespace

TriangularWindow::TriangularWindow(Host& host, ProgramState& program)
    : GameController(host, program, WindowKind::Triangular) {
  buildMenus();
  buttons_ = {{.caption = "New game"}};
  for (const char* size : kSizes) buttons_.push_back({.caption = size});

  drawing_.resize(triangular::kLines, triangular::kTriangles);
  game_.setGraph(&planor_);
  game_.rememberInitialLines();

  ver(program_.subLevel == 1);
  status_.rounds.push_back("");
  status_.lastMoveCaption = "";
  status_.lastMove = "Last move: ";
  status_.turnColour = kBlue;
  game(Tolva);
}

void TriangularWindow::buildMenus() {
  addGameMenu();
  addOtherGamesMenu();

  addSubLevelsMenu();

  MenuEntry games{.id = "games", .caption = "Games &Menu"};
  for (const auto& v : kVariants) {
    if (v.index == LineKrunk) games.children.push_back({.separator = true});
    games.children.push_back({.id = "games." + std::to_string(v.index), .caption = v.caption, .checkable = true});
  }
  menus_.add(std::move(games));

  MenuEntry size{.id = "size", .caption = "Si&ze"};
  for (int i = 1; i <= 3; ++i)
    size.children.push_back(
        {.id = "size." + std::to_string(i), .caption = kSizes[i - 1], .checkable = true, .checked = i == 3});
  menus_.add(std::move(size));

  addOptionsMenu();
  addHelpMenu();
}

double TriangularWindow::boardScale() const { return size_ == 1 ? 0.6 : size_ == 2 ? 0.8 : 1.0; }

void TriangularWindow::onMenu(const std::string& id) {
  if (id == "sub.planor" || id == "sub.globoria") ver(id == "sub.globoria");
  else if (id.rfind("games.", 0) == 0) game(std::stoi(id.substr(6)));
  else if (id.rfind("size.", 0) == 0) szmen(std::stoi(id.substr(5)));
}

void TriangularWindow::onButton(const std::string& caption) {
  for (int i = 1; i <= 3; ++i)
    if (caption == kSizes[i - 1]) szmen(i);
}

void TriangularWindow::szmen(int size) {
  size_ = size;
  for (int i = 1; i <= 3; ++i) menus_.at("size." + std::to_string(i)).checked = i == size;
}

void TriangularWindow::firstMove() {
  for (auto& b : buttons_)
    if (b.caption != "New game") b.visible = false;
  for (int i = 1; i <= 3; ++i) menus_.at("size." + std::to_string(i)).enabled = false;
}

void TriangularWindow::ver(bool toGloboria) {
  const bool fromPlanor = !globoria();
  // Choosing an entry checks it; the game's tables are empty while the menu is open.
  menus_.at("sub.planor").checked = !toGloboria;
  menus_.at("sub.globoria").checked = toGloboria;
  game_.setGraph(toGloboria ? &globoria_ : &planor_);
  program_.subLevel = toGloboria ? 1 : 0;
  if (toGloboria && fromPlanor && variant_ == SuperKrunk) game(Tolva);
}

void TriangularWindow::game(int index) {
  variant_ = index;
  movesLeftKept_ = false;
  for (const auto& v : kVariants) {
    menus_.at("games." + std::to_string(v.index)).checked = v.index == index;
    if (v.index == index) status_.gameCaption = std::string("Game = ") + v.caption;
  }
  status_.movesLeft = index == Tolva || index == Duarn ? "90 moves left" : "54 moves left";
  for (int t = 1; t <= triangular::kTriangles; ++t) drawing_.circles[t].targetVisible = circleMode();
  for (int l = 1; l <= triangular::kLines; ++l) drawing_.lines[l].targetVisible = !circleMode();
  status_.turnText = circleMode() ? "Click a circle to begin playing" : "Click a line to begin playing";
  if (index == Duarn) {
    menus_.at("players.0").checked = false;
    menus_.at("players.1").checked = true;
  }
}

int TriangularWindow::freeDistinctLines() const {
  const BoardGraph& g = game_.graph();
  int n = 0;
  for (int l = 1; l <= triangular::kLines; ++l) n += !game_.claimed(l) && (g.partner[l] == 0 || l < g.partner[l]);
  return n;
}

// ---- line mode ----

void TriangularWindow::onLineClick(int n) {
  if (game_.moveLock()) return;
  firstMove();
  if (game_.claimed(n)) {
    message("Invalid move!");
    return;
  }
  playLine(n);
  goOn(checkwins());
}

void TriangularWindow::playLine(int n) {
  status_.lastMove = "Last move: " + std::to_string(n);
  const Player mover = game_.takeTurn();
  game_.claimLine(n, lineColour(mover), int(mover), mover);
  timer_.reset();
}

// Every line game here, Line Krunk too: a triangle scores for whoever claims its third
// Line, and the scorer moves again (in Duarn only with three Lines of the mover's own).
Outcome TriangularWindow::checkwins() {
  setSetupMenusEnabled(false, kSetupMenus);
  timer_.stop();
  const Outcome outcome = game_.checkwins(variant_ == Duarn ? LineRule::Duarn : LineRule::Tolva);
  status_.movesLeft = std::to_string(freeDistinctLines()) + " moves left";
  movesLeftKept_ = true;
  return outcome;
}

void TriangularWindow::goOn(Outcome outcome) {
  flashThen(game_.newlyCompleted(), [this, outcome] {
    if (outcome == Outcome::GameOver) outtahere();
    else handOverLine();
  });
}

void TriangularWindow::flashThen(const std::vector<int>& triangles, std::function<void()> next) {
  if (triangles.empty()) return next();
  game_.setMoveLock(true);
  flashStep(triangles, 0, std::move(next));
}

void TriangularWindow::flashStep(std::vector<int> triangles, int k, std::function<void()> next) {
  for (int t : triangles) drawing_.circles[t].border = k % 2 == 0 ? kYellow : kCircleBorder;
  if (k == 3) {
    game_.setMoveLock(false);
    return next();
  }
  schedule(kFlashMs, [this, triangles = std::move(triangles), k, next = std::move(next)] { flashStep(triangles, k + 1, next); });
}

void TriangularWindow::handOverLine() {
  if (onePlayer() && game_.toMove() == Player::Red && variant_ != Duarn) {
    game_.setMoveLock(true);
    lineComputer();
    return;
  }
  game_.setMoveLock(false);
  if (!timer_.noLimit()) timer_.start();
}

int TriangularWindow::chooseLine() {
  const BoardGraph& g = game_.graph();
  auto claimedSides = [&](int t) {
    int n = 0;
    for (int s = 0; s < 3; ++s) n += game_.cellSideMarker(t, s) != 0;
    return n;
  };
  std::vector<int> candidates;
  // A triangle with two sides is closed first: it scores and the computer goes again.
  for (int t = 1; t <= triangular::kTriangles; ++t)
    if (claimedSides(t) == 2)
      for (int s = 0; s < 3; ++s)
        if (game_.cellSideMarker(t, s) == 0) candidates.push_back(g.cellSides[t][s]);
  if (candidates.empty()) {
    // Avoid giving a triangle its second side, in Globoria also through a partner.
    std::set<int> avoid;
    for (int t = 1; t <= triangular::kTriangles; ++t)
      if (claimedSides(t) == 1)
        for (int l : g.cellSides[t]) avoid.insert({l, g.partner[l]});
    for (int l = 1; l <= triangular::kLines; ++l)
      if (!game_.claimed(l) && !avoid.count(l)) candidates.push_back(l);
  }
  if (candidates.empty())
    for (int l = 1; l <= triangular::kLines; ++l)
      if (!game_.claimed(l) && drawing_.lines[l].visible) candidates.push_back(l);
  if (candidates.empty()) return 0;
  return candidates[program_.random.pick(int(candidates.size())) - 1];
}

void TriangularWindow::lineComputer() {
  const int line = chooseLine();
  if (line == 0) return;
  // The Line is claimed and scored at once; the turn goes on after the pause.
  playLine(line);
  const Outcome outcome = checkwins();
  game_.setMoveLock(true);
  schedule(kLinePauseMs, [this, outcome] { goOn(outcome); });
}

// ---- circle mode ----

void TriangularWindow::onCircleClick(int t) {
  if (game_.moveLock()) return;
  firstMove();
  notBegun_ = false;
  if (game_.circleUsed(t)) {
    message("Invalid move");
    return;
  }
  if (status_.gameOver) return;
  status_.lastMove = "Last move: " + std::to_string(t);
  claimTriangle(t, status_.turnColour);
  drawing_.circles[t].border = kGreen;
  timer_.reset();
  if (variant_ > Krunk) extension(t);
  chackmoves();
}

void TriangularWindow::claimTriangle(int t, Colour colour) {
  game_.setCircleUsed(t);
  for (int e = 1; e <= 3; ++e) game_.paintLine(triangular::side(t, e), colour);
}

void TriangularWindow::extension(int t) {
  if (status_.gameOver || notBegun_ || t < 1 || t > triangular::kTriangles) return;
  const bool bubble = globoria();
  if (!bubble && variant_ == Krunk) return;  // the flat extension belongs to the Super games
  const triangular::Extension& ext = bubble ? triangular::globoriaExtension(t) : triangular::planorExtension(t);
  const Colour colour = status_.turnColour;
  for (int l : ext.first) game_.paintLine(l, colour, false);
  if (variant_ == SuperKrunkPlus)
    for (int l : ext.second) game_.paintLine(l, colour, false);
}

void TriangularWindow::recount() {
  recountMarked_ = 0;
  int red = 0, blue = 0;
  for (int t = 1; t <= triangular::kTriangles; ++t) {
    int claimed = 0, r = 0, b = 0;
    for (int e = 1; e <= 3; ++e) {
      const LineDraw& l = drawing_.lines[triangular::side(t, e)];
      if (l.width != kClaimedWidth) continue;
      ++claimed;
      r += l.colour == kRed;
      b += l.colour == kBlue;
    }
    CircleDraw& circle = drawing_.circles[t];
    if (claimed == 3) {
      // Nothing is left to claim here: the triangle is played.
      recountMarked_ += !game_.circleUsed(t);
      game_.setCircleUsed(t);
      circle.border = kPlayedBorder;
      circle.targetVisible = false;
    }
    circle.fill = b == 3 ? kBlue : r == 3 ? kRed : kBackground;
    blue += b == 3;
    red += r == 3;
  }
  status_.redPoints = std::to_string(red);
  status_.bluePoints = std::to_string(blue);
}

std::pair<int, int> TriangularWindow::playable() const {
  int count = 0, last = 0;
  for (int t = 1; t <= triangular::kTriangles; ++t)
    if (drawing_.circles[t].targetVisible && !game_.circleUsed(t)) ++count, last = t;
  return {count, last};
}

void TriangularWindow::passTurnTo(Player next) {
  game_.setToggle(next == Player::Red ? 1 : 0);
  status_.yourTurn = {next == Player::Red, next == Player::Blue, false};
  setText(status_.turnText, {playerName(next), " player's turn"});
  status_.turnColour = next == Player::Red ? kRed : kBlue;
}

// After every circle move: the turn passes, the playable triangles are counted (before
// the recount, so the triangle the recount finds full still counts here), the last one
// plays itself, or the scores are recounted from the board.
void TriangularWindow::chackmoves() {
  if (status_.gameOver || krunk_) return;
  passTurnTo(status_.turnColour != kBlue ? Player::Blue : Player::Red);
  setSetupMenusEnabled(false, kSetupMenus);
  timer_.stop();
  const auto [count, last] = writeMovesLeft();
  countedBeforeRecount_ = true;
  if (count == 1) return krunkLast(last);
  recount();
  nextTurn();
}

std::pair<int, int> TriangularWindow::writeMovesLeft() {
  const auto counted = playable();
  status_.movesLeft = std::to_string(counted.first) + " moves left";
  movesLeftKept_ = true;
  return counted;
}

// After a recount: the game ends once nothing is playable; otherwise the computer or the
// person moves.
void TriangularWindow::nextTurn() {
  if (playable().first == 0) return outtahere();
  if (onePlayer() && game_.toMove() == Player::Red) return redchack();
  game_.setMoveLock(false);
  if (!timer_.noLimit()) timer_.start();
}

void TriangularWindow::redchack() {
  if (status_.turnColour != kRed) return;
  game_.setMoveLock(true);
  std::vector<bool> playable(triangular::kTriangles + 1, false);
  for (int t = 1; t <= triangular::kTriangles; ++t)
    playable[t] = drawing_.circles[t].targetVisible && !game_.circleUsed(t);
  const int choice = triangular::chooseTriangle(drawing_, playable, program_.random);
  if (choice == 0) return;
  schedule(kCirclePauseMs, [this, choice] {
    status_.lastMove = "Last move: " + std::to_string(choice);
    compmove(choice);
    if (variant_ > Krunk) {
      status_.turnColour = kRed;
      extension(choice);
    }
    passTurnTo(Player::Blue);  // the person's move next, whatever the game
    timer_.reset();
    recount();
    const auto [count, last] = writeMovesLeft();
    countedBeforeRecount_ = false;
    if (count == 1) return krunkLast(last);
    nextTurn();
  });
}

void TriangularWindow::compmove(int t) {
  if (status_.gameOver || notBegun_) return;
  claimTriangle(t, status_.turnColour);
  drawing_.circles[t].border = kGreen;
  if (krunk_) {
    // The game ends on the last recount's points: the black Lines take nobody's point away.
    extension(t);
    status_.movesLeft = "";
    movesLeftKept_ = false;
    outtahere();
  }
}

void TriangularWindow::krunkLast(int t) {
  krunk_ = true;
  status_.turnText = "Krunk!";
  status_.turnColour = kBlack;
  compmove(t);
}

void TriangularWindow::outtahere() {
  if (status_.gameOver) return;
  timer_.stop();
  game_.setMoveLock(false);
  message(game_.endGame());
}

void TriangularWindow::newGame() {
  cancelAllSteps();
  timer_.restore();
  game_.resetBoard();
  setSetupMenusEnabled(true, kSetupMenus);
  notBegun_ = true;
  krunk_ = false;
  movesLeftKept_ = false;
  status_.lastMove = "Last move: ";
  for (auto& b : buttons_) b.visible = true;
  for (int i = 1; i <= 3; ++i) menus_.at("size." + std::to_string(i)).enabled = true;
  // Blue opens every game here: the computer never opens one.
  game_.setToggle(0);
  status_.yourTurn = {false, true, false};
  game(variant_);
}

// ---- what the board says ----

std::pair<int, int> TriangularWindow::pointsOnBoard() const {
  return countPointsOnBoard(planor_, circleMode(), {kRed});
}

std::optional<std::string> TriangularWindow::movesLeftOnBoard() const {
  if (!movesLeftKept_) return std::nullopt;
  int left = 0;
  // Counted after a person's circle, the label still includes what the recount then
  // found full.
  if (circleMode()) left = playable().first + (countedBeforeRecount_ ? recountMarked_ : 0);
  else left = freeDistinctLines();
  return std::to_string(left) + " moves left";
}

}  // namespace kp
