#include "boards/triangular/triangular_window.h"

#include <algorithm>
#include <cmath>

#include "core/colour_choice.h"

namespace kp {

namespace {

using W = TriangularWindow;
const std::vector<VariantEntry> kVariants = {
    {.index = W::Tolva,
     .caption = "Tolva",
     .boardCaption = "Game = Tolva",
     .tip = "Whoever claims the third line of a triangle scores it and moves again",
     .prompt = kLinePrompt},
    {.index = W::Duarn,
     .caption = "Duarn",
     .boardCaption = "Game = Duarn",
     .tip = "A triangle scores only when all three of its lines are the mover's own; the turn always passes",
     .twoPlayerOnly = true,
     .prompt = kLinePrompt},
    {.index = W::Krunk,
     .caption = "Krunk",
     .boardCaption = "Game = Krunk",
     .tip = "A circle claims its triangle's lines in your colour; a triangle counts while all three are your colour",
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = W::SuperKrunk,
     .caption = "Super Krunk",
     .boardCaption = "Game = Super Krunk",
     .tip = "As Krunk, and each side of the triangle carries on one line past both corners",
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = W::SuperKrunkPlus,
     .caption = "Super Krunk Plus",
     .boardCaption = "Game = Super Krunk Plus",
     .tip = "As Super Krunk, and also closes the triangles that touch the played one at its corners",
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = W::LineKrunk,
     .caption = "Line Krunk",
     .boardCaption = "Game = Line Krunk",
     .tip = "Played as Tolva: whoever claims the third line of a triangle scores it and moves again",
     .prompt = kLinePrompt},
};

// The size buttons beside the board, as the Size menu's entries.
constexpr const char* kSizeTips[] = {"Draw the board at three fifths of its normal size",
                                     "Draw the board at four fifths of its normal size",
                                     "Draw the board at its normal size"};

constexpr const char* kSizes[] = {"Mini Size", "Smaller size", "Normal size"};

constexpr int kLinePauseMs = 500;     // after the computer's Line, before the turn goes on
constexpr int kCirclePauseMs = 2000;  // before the computer's circle
constexpr InvalidMove kLineTaken, kTriangleTaken{.text = "Invalid move"};

}  // namespace

TriangularWindow::TriangularWindow(Host& host, ProgramState& program)
    : GameController(host, program, WindowKind::Triangular) {
  MenuEntry size{.id = "size", .caption = "Si&ze"};
  for (int i = 1; i <= 3; ++i)
    size.children.push_back(
        {.id = "size." + std::to_string(i), .caption = kSizes[i - 1], .checkable = true, .checked = i == 3});
  addMenus(kVariants, true, {std::move(size)}, {.expert = true});
  controls_ = {{.id = kNewGameButton, .caption = "New game", .tip = kNewGameTip}};
  for (int i = 1; i <= 3; ++i)
    controls_.push_back({.id = "size." + std::to_string(i), .caption = kSizes[i - 1], .tip = kSizeTips[i - 1]});

  setBoardSize(triangular::kLines, triangular::kTriangles);
  rules_.setGraph(&planor_);
  rules_.rememberInitialLines();

  ver(program_.subLevel == 1);
  status_.rounds.push_back("");
  status_.lastMoveCaption = "";
  status_.lastMove = "Last move: ";
  rules_.setPen(kBlue);
  chooseVariant(Tolva);
}

double TriangularWindow::boardScale() const { return size_ == 1 ? 0.6 : size_ == 2 ? 0.8 : 1.0; }

void TriangularWindow::onMenu(const std::string& id) {
  if (id == "sub.planor" || id == "sub.globoria")
    ver(id == "sub.globoria");
  else if (const auto size = menuIndex(id, "size."))
    szmen(*size);
}

void TriangularWindow::onControl(const Control& c) {
  if (const auto size = menuIndex(c.id, "size.")) szmen(*size);
}

void TriangularWindow::szmen(int size) {
  size_ = size;
  for (int i = 1; i <= 3; ++i) menus_.at("size." + std::to_string(i)).checked = i == size;
}

void TriangularWindow::firstMove() {
  for (auto& c : controls_)
    if (c.id != kNewGameButton) c.visible = false;
  for (int i = 1; i <= 3; ++i) menus_.at("size." + std::to_string(i)).enabled = false;
}

void TriangularWindow::ver(bool toGloboria) {
  const bool fromPlanor = !globoria();
  // Choosing an entry checks it; the game's tables are empty while the menu is open.
  options_.globoria = toGloboria;
  rules_.setGraph(toGloboria ? &globoria_ : &planor_);
  program_.subLevel = toGloboria ? 1 : 0;
  if (toGloboria && fromPlanor && variant() == SuperKrunk) chooseVariant(Tolva);
}

void TriangularWindow::variantChosen() {
  movesLeftKept_ = false;
  status_.movesLeft = variant() == Tolva || variant() == Duarn ? "90 moves left" : "54 moves left";
}

int TriangularWindow::freeDistinctLines() const {
  const BoardGraph& g = rules_.graph();
  int n = 0;
  for (int l = 1; l <= triangular::kLines; ++l) n += !rules_.claimed(l) && (g.partner[l] == 0 || l < g.partner[l]);
  return n;
}

// ---- line mode ----

void TriangularWindow::onLineClick(int n) {
  if (rules_.moveLock()) return;
  firstMove();
  if (rules_.claimed(n)) return refuseMove(kLineTaken);
  playLine(n);
  goOn(checkwins());
}

void TriangularWindow::playLine(int n) {
  status_.lastMove = "Last move: " + std::to_string(n);
  const Player mover = rules_.takeTurn();
  rules_.claimLine(n, lineColour(mover), int(mover), mover);
  timer_.reset();
}

// Every line game here, Line Krunk too: a triangle scores for whoever claims its third
// Line, and the scorer moves again (in Duarn only with three Lines of the mover's own).
Outcome TriangularWindow::checkwins() {
  lockSetup();
  timer_.stop();
  const Outcome outcome = rules_.checkwins(variant() == Duarn ? LineRule::Duarn : LineRule::Tolva);
  status_.movesLeft = movesLeftText(freeDistinctLines(), MovesWording::Plain);
  movesLeftKept_ = true;
  return outcome;
}

void TriangularWindow::goOn(Outcome outcome) {
  flashThen(rules_.newlyCompleted(), [this, outcome] {
    if (outcome == Outcome::GameOver)
      finishGame();
    else
      handOver();
  });
}

ComputerPacing TriangularWindow::computerPacing() const {
  // A circle is played after a pause; a Line at once, the turn going on after a pause.
  if (circleVariant()) return {.showMs = kCirclePauseMs, .marked = false, .completing = Completing::AtRandom};
  return {.afterMs = kLinePauseMs, .marked = false, .completing = Completing::AtRandom};
}

int TriangularWindow::computerChoice(const ComputerPacing& pacing) {
  if (!circleVariant()) return GameController::computerChoice(pacing);
  std::vector<bool> playable(triangular::kTriangles + 1, false);
  for (int t = 1; t <= triangular::kTriangles; ++t)
    playable[t] = drawing_.circles[t].targetVisible && !rules_.circleUsed(t);
  return triangular::chooseTriangle(rules_.claims(), playable, program_.random);
}

void TriangularWindow::computerPlays(int choice) {
  if (circleVariant()) return redchack(choice);
  // The Line is claimed and scored at once; the turn goes on after the pause (computerMoved).
  playLine(choice);
  computerOutcome_ = checkwins();
}

void TriangularWindow::computerMoved() {
  // The computer's circle has gone on with the turn itself.
  if (!circleVariant()) goOn(computerOutcome_);
}

// ---- circle mode ----

void TriangularWindow::onCircleClick(int t) {
  if (rules_.moveLock()) return;
  firstMove();
  notBegun_ = false;
  if (rules_.circleUsed(t)) return refuseMove(kTriangleTaken);
  if (status_.gameOver) return;
  status_.lastMove = "Last move: " + std::to_string(t);
  claimTriangle(t, rules_.pen());
  drawing_.circles[t].border = kGreen;
  timer_.reset();
  if (variant() > Krunk) extension(t);
  chackmoves();
}

void TriangularWindow::claimTriangle(int t, Colour colour) {
  rules_.setCircleUsed(t);
  for (int e = 1; e <= 3; ++e) rules_.paintLine(triangular::side(t, e), colour);
}

void TriangularWindow::extension(int t) {
  if (status_.gameOver || notBegun_ || t < 1 || t > triangular::kTriangles) return;
  const bool bubble = globoria();
  if (!bubble && variant() == Krunk) return;  // the flat extension belongs to the Super games
  const triangular::Extension& ext = bubble ? triangular::globoriaExtension(t) : triangular::planorExtension(t);
  const Colour colour = rules_.pen();
  for (int l : ext.first) rules_.paintLine(l, colour, false);
  if (variant() == SuperKrunkPlus)
    for (int l : ext.second) rules_.paintLine(l, colour, false);
}

void TriangularWindow::recount() {
  recountMarked_ = 0;
  for (int t = 1; t <= triangular::kTriangles; ++t) {
    const auto& sides = rules_.graph().cellSides[t];
    if (!std::all_of(sides.begin(), sides.end(), [&](int l) { return rules_.claimed(l); }))
      continue;
    // Nothing is left to claim here: the triangle is played.
    recountMarked_ += !rules_.circleUsed(t);
    rules_.setCircleUsed(t);
    drawing_.circles[t].border = kPlayedBorder;
    drawing_.circles[t].targetVisible = false;
  }
  rules_.rebuildPointsByColour({kRed});
}

std::pair<int, int> TriangularWindow::playable() const {
  int count = 0, last = 0;
  for (int t = 1; t <= triangular::kTriangles; ++t)
    if (drawing_.circles[t].targetVisible && !rules_.circleUsed(t)) ++count, last = t;
  return {count, last};
}

// After every circle move: the turn passes, the playable triangles are counted (before
// the recount, so the triangle the recount finds full still counts here), the last one
// plays itself, or the scores are recounted from the board.
void TriangularWindow::chackmoves() {
  if (status_.gameOver || krunk_) return;
  passTurnTo(rules_.toMove() == Player::Red ? Player::Blue : Player::Red, kRed);
  lockSetup();
  timer_.stop();
  const auto [count, last] = writeMovesLeft();
  countedBeforeRecount_ = true;
  if (count == 1) return krunkLast(last);
  recount();
  nextTurn();
}

std::pair<int, int> TriangularWindow::writeMovesLeft() {
  const auto counted = playable();
  status_.movesLeft = movesLeftText(counted.first, MovesWording::Plain);
  movesLeftKept_ = true;
  return counted;
}

// After a recount: the game ends once nothing is playable; otherwise the computer or the
// person moves.
void TriangularWindow::nextTurn() {
  if (playable().first == 0) return finishGame();
  handOver();
}

void TriangularWindow::redchack(int choice) {
  status_.lastMove = "Last move: " + std::to_string(choice);
  compmove(choice);
  if (variant() > Krunk) {
    rules_.setPen(kRed);
    extension(choice);
  }
  passTurnTo(Player::Blue, kRed);  // the person's move next, whatever the game
  timer_.reset();
  recount();
  const auto [count, last] = writeMovesLeft();
  countedBeforeRecount_ = false;
  if (count == 1) return krunkLast(last);
  nextTurn();
}

void TriangularWindow::compmove(int t) {
  if (status_.gameOver || notBegun_) return;
  claimTriangle(t, rules_.pen());
  drawing_.circles[t].border = kGreen;
  if (krunk_) {
    // The game ends on the last recount's points: the black Lines take nobody's point away.
    extension(t);
    status_.movesLeft = "";
    movesLeftKept_ = false;
    finishGame();
  }
}

void TriangularWindow::krunkLast(int t) {
  krunk_ = true;
  announceKrunk(rules_, status_);
  compmove(t);
}

void TriangularWindow::openGame() {
  notBegun_ = true;
  krunk_ = false;
  movesLeftKept_ = false;
  status_.lastMove = "Last move: ";
  for (auto& c : controls_) c.visible = true;
  for (int i = 1; i <= 3; ++i) menus_.at("size." + std::to_string(i)).enabled = true;
  chooseVariant(variant());
  // The computer here only answers: against it the person (Blue) opens every game; two
  // people take turns to open the games of Tolva.
  openTurn(variant() == Tolva && !onePlayer());
}

// ---- what the board says ----

std::pair<int, int> TriangularWindow::pointsOnBoard() const {
  return countPointsOnBoard(rules_, drawing_, planor_, circleVariant(), {kRed});
}

std::optional<std::string> TriangularWindow::movesLeftOnBoard() const {
  if (!movesLeftKept_) return std::nullopt;
  int left = 0;
  // Counted after a person's circle, the label still includes what the recount then
  // found full.
  if (circleVariant())
    left = playable().first + (countedBeforeRecount_ ? recountMarked_ : 0);
  else
    left = freeDistinctLines();
  return movesLeftText(left, MovesWording::Plain);
}

}  // namespace kp
