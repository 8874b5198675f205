#include "boards/fourd/quadrion_window.h"

#include <algorithm>

namespace kp {

namespace {

using Q = QuadrionBoard;
using W = QuadrionWindow;

constexpr const char* kTolvaChosen = "No score    Blue's turn.";

const std::vector<VariantEntry> kVariants = {
    {.index = W::Tolva,
     .caption = "Tolva",
     .boardCaption = "Game = Tolva",
     .tip = "Whoever claims a square's fourth line scores it and moves again; the cubes each completes are the score",
     .prompt = kTolvaChosen},
    {.index = W::Duarn,
     .caption = "Duarn (2 Player only)",
     .boardCaption = "Game = Duarn",
     .tip = "A square scores only when all four of its lines are the mover's own; the turn always passes",
     .twoPlayerOnly = true,
     .prompt = kLinePrompt},
    {.index = W::PlexaLines,
     .caption = "Plexa  (Lines)",
     .boardCaption = "Game = Plexa (Lines)",
     .tip = "Squares score as in Tolva; each of the 28 cubes goes to whoever claims its last line",
     .prompt = kLinePrompt},
    {.index = W::KrunkClassic,
     .caption = "Krunk  (Classic)",
     .boardCaption = "Game = Krunk (Classic)",
     .tip = "A line that completes squares paints their lines your colour; a square is yours while all four "
            "are your colour",
     .prompt = kLinePrompt},
    {.index = W::KrunkSetCount,
     .caption = "Krunk  (Set count)",
     .boardCaption = "Game = Krunk (Set count)",
     .tip = "A line that completes squares paints their lines your colour; the first player to own a square keeps it",
     .prompt = kLinePrompt},
    {.index = W::KrunkMove,
     .caption = "Krunk  (Set count with Krunk Move)",
     .boardCaption = "Game = Krunk (Set count with Krunk move)",
     .tip = "As Krunk (Set count); the last line plays itself in black, for nobody",
     .prompt = kLinePrompt},
    {.index = W::LineKrunk,
     .caption = "Line Krunk  (with edge stacked Quadrions - Easier)",
     .boardCaption = "Game = Line Krunk",
     .tip = "Lines keep your colour; whoever claims a square's fourth line scores it for good and moves again",
     .prompt = kLinePrompt},
    {.index = W::PlexaSquares,
     .caption = "Plexa  (Squares)",
     .boardCaption = "Game = Plexa (Squares)",
     .tip = "A circle claims its square's four lines; whoever completes a square, in any colours, wins it for good",
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = W::SuperClassic,
     .caption = "Super Krunk Plus  (Classic)",
     .boardCaption = "Game = Super Krunk Plus (Classic)",
     .tip = "As Krunk (Classic), and a line that completes a cube paints all its lines your colour",
     .prompt = kLinePrompt},
    {.index = W::SuperSetCount,
     .caption = "Super Krunk Plus  (Set count)",
     .boardCaption = "Game = Super Krunk Plus (Set count)",
     .tip = "As Krunk (Set count), and a line that completes a cube paints all its lines your colour",
     .prompt = kLinePrompt},
    {.index = W::SuperKrunkMove,
     .caption = "Super Krunk Plus  (Set count with Krunk move)",
     .boardCaption = "Game = Super Krunk Plus (Set count with Krunk move)",
     .tip = "As Super Krunk Plus (Set count); the last line plays itself in black, for nobody",
     .prompt = kLinePrompt},
    {.index = W::LineKrunkMove,
     .caption = "Bonus game - Line Krunk (with Krunk move)",
     .boardCaption = "Game = Line Krunk (with Krunk move)",
     .tip = "As Line Krunk; the last line plays itself in black, for nobody",
     .prompt = kLinePrompt},
};

constexpr int kFreeWidth = kQuadrionFreeWidth, kClaimWidth = kQuadrionClaimWidth;
constexpr int kPauseMs = 1000;
constexpr InvalidMove kInvalid;

}  // namespace

QuadrionWindow::QuadrionWindow(Host& host, ProgramState& program)
    : GameController(host, program, WindowKind::Quadrion) {
  FrameMenus frame;
  frame.game = {
      {.id = "game.new", .caption = "New", .shortcut = "F5"},
      {.id = "game.exit", .caption = "E&xit", .shortcut = "F9"},
      {.id = "game.about", .caption = "&About", .shortcut = "F2"},
  };
  frame.players = {
      {.id = "players.0", .caption = "One player", .checkable = true},
      {.id = "players.1", .caption = "Two players", .checkable = true, .checked = true},
  };
  frame.options = {
      {.separator = true},
      {.id = "hint.computer", .caption = "Hint when no good moves left (computer)", .checkable = true},
  };
  MenuEntry grid{.id = "grid", .caption = "G&rid"};
  grid.children = {
      {.id = "game.grid", .caption = "Show grid", .shortcut = "F12", .checkable = true},
      {.id = "game.keypad",
       .caption = "Show keypad for entering moves from online chats / text messages / phone",
       .shortcut = "Ctrl+F1",
       .checkable = true},
  };
  frame.afterOptions = {std::move(grid)};
  addMenus(kVariants, false, {}, std::move(frame));
  controls_ = {{.id = kNewGameButton, .caption = "New Game", .tip = kNewGameTip}};

  setBoardSize(kLines, kSquares);
  for (int l = 1; l <= kLines; ++l) {
    LineDraw& d = drawing_.lines[std::size_t(l)];
    d.width = kFreeWidth;
    d.colour = Q::joining(l) ? kQuadrionJoinColour : kQuadrionCubeColours[Q::ringOf(l)];
  }
  rules_.setGraph(&graph_);
  rules_.rememberInitialLines();
  rules_.setScoring({.manyScored = {"  Double score!      Two cool!", "  Triple score!      Wow!",
                                    "  Quadruple score!    Amazing!"}});
  status_.rounds.push_back("");
  status_.lastMoveCaption = "";
  status_.lastMove = "Last move: ";
  capturedSquare_.assign(kSquares + 1, 0);
  cubeWinner_.assign(kCubes + 1, 0);
  chooseVariant(Tolva);
  // As the window opens: Tolva, Blue to move.
  status_.turnText = kLinePrompt;
}

// ---- The picture ----

Scene QuadrionWindow::scene() const {
  return quadrionScene(drawing_, {.rules = rules_, .circles = circleVariant(), .grid = gridShown(), .superKrunk = superKrunk()});
}

// ---- What the board says, for the checks ----

std::pair<int, int> QuadrionWindow::pointsOnBoard() const {
  const bool byColour = variant() == KrunkClassic || variant() == SuperClassic;
  return countPointsOnBoard(rules_, drawing_, graph_, byColour, {kRed, kRedTurnText});
}

void QuadrionWindow::report(BoardReport& r) const {
  r.cubeOwners = cubeWinner_;
  for (int& owner : r.cubeOwners) owner = owner == kNobody ? 0 : owner;
}

// Every game is judged by score too: the cubes each player completed.
std::optional<std::pair<int, int>> QuadrionWindow::secondScore() const {
  return countOwners(cubeWinner_);
}

int QuadrionWindow::movesLeft() const {
  return circleVariant() ? rules_.unusedCircles() : kLines - rules_.claimedLineCount();
}

std::optional<std::string> QuadrionWindow::movesLeftOnBoard() const {
  return movesLeftText(movesLeft(), MovesWording::Plain);
}

void QuadrionWindow::showMovesLeft() {
  status_.movesLeft = *movesLeftOnBoard();
  status_.hint = variant() == Tolva ? std::to_string(nonScoringLines(rules_).size()) + " non-scoring moves left" : "";
}

// ---- Menus ----

void QuadrionWindow::onMenu(const std::string& id) {
  if (id == "hint.computer") options_.hintComputer = !options_.hintComputer;
}

bool QuadrionWindow::variantRefused(const VariantEntry& v) {
  if (!v.twoPlayerOnly || !onePlayer()) return false;
  message("   Duarn is a two playergm only. Set number of players to two, then set to Duarn.");
  return true;
}

void QuadrionWindow::variantChosen() {
  // Choosing Tolva hands the first move to Blue, as its text says.
  if (variant() == Tolva) {
    rules_.setToggle(0);
    status_.yourTurn = {false, true, false};
    rules_.setPen(kBlue);
  }
  // Before the first move the last-move label holds the start prompt: the chosen game's.
  if (promptShown_) status_.lastMove = circleVariant() ? kCirclePrompt : kLinePrompt;
  showMovesLeft();
}

void QuadrionWindow::openGame() {
  std::fill(capturedSquare_.begin(), capturedSquare_.end(), 0);
  std::fill(cubeWinner_.begin(), cubeWinner_.end(), 0);
  // A new game opens with Red (the computer, against one person).
  rules_.setToggle(1);
  status_.yourTurn = {true, false, false};
  status_.turnText = "Red player's turn";
  rules_.setPen(kRedTurnText);
  status_.lastMoveCaption = "";
  status_.lastMove = circleVariant() ? kCirclePrompt : kLinePrompt;
  promptShown_ = true;
  showMovesLeft();
  if (onePlayer()) handOver();
}

// ---- Line games ----

LineGame::CellCount QuadrionWindow::cellCount() const {
  return variant() == KrunkClassic || variant() == SuperClassic ? LineGame::CellCount::ByColour
                                                                : LineGame::CellCount::KeepByColour;
}

void QuadrionWindow::onLineClick(int line) {
  if (rules_.moveLock() || status_.gameOver) return;
  if (rules_.claimed(line)) return refuseMove(kInvalid);
  playLine(line, rules_.toMove());
}

void QuadrionWindow::playLine(int line, Player mover) {
  lockSetup();
  rules_.takeTurn();
  rules_.claimLine(line, lineColour(mover), int(mover), mover);
  status_.lastMove = "Last move: " + std::to_string(line);
  promptShown_ = false;
  timer_.reset();
  timer_.stop();
  const std::vector<int> cubes = settleCubes(mover);
  if (krunk()) {
    const std::vector<int> before = rules_.cellOwners();
    capture(mover, line, cubes);
    const int won = krunkCount(rules_, status_, mover, mover, before, {line}, cellCount());
    rules_.announce(LineRule::Tolva, mover, won);
  } else {
    // A square scores, for good, for whoever claims its fourth Line.
    rules_.checkwins(variant() == Duarn ? LineRule::Duarn : LineRule::Tolva);
  }
  showMovesLeft();
  if (movesLeft() == 1 && krunkMove()) return krunkPending();
  finishOrHandOver(movesLeft());
}

std::vector<int> QuadrionWindow::settleCubes(std::optional<Player> mover) {
  std::vector<int> done;
  for (int c = 1; c <= kCubes; ++c) {
    if (cubeWinner_[std::size_t(c)] || !allClaimed(Q::cubeLines(c))) continue;
    cubeWinner_[std::size_t(c)] = mover ? int(*mover) : kNobody;
    done.push_back(c);
  }
  return done;
}

void QuadrionWindow::capture(Player mover, int line, const std::vector<int>& cubes) {
  for (int sq : graph_.lineCells[std::size_t(line)]) {
    if (capturedSquare_[std::size_t(sq)] || !allClaimed(Q::squareLines(sq))) continue;
    capturedSquare_[std::size_t(sq)] = 1;
    for (int l : Q::squareLines(sq)) rules_.recolour(l, lineColour(mover));
  }
  if (!superKrunk()) return;
  for (int c : cubes)
    for (int l : Q::cubeLines(c)) rules_.recolour(l, lineColour(mover));
}

void QuadrionWindow::krunkPending() {
  const int last = firstFreeLine(rules_);
  announceKrunk(rules_, status_);
  rules_.setMoveLock(true);
  drawing_.lines[std::size_t(last)].colour = kYellow;
  drawing_.lines[std::size_t(last)].width = kQuadrionPreviewWidth;
  schedule(kPauseMs, [this, last] { playLastLine(last); });
}

void QuadrionWindow::playLastLine(int last) {
  const Player next = rules_.toMove() == Player::Red ? Player::Blue : Player::Red;
  playForNobody(rules_, status_, last);
  settleCubes(std::nullopt);
  // Played for nobody: the squares it completes score for nobody.
  if (krunk()) rules_.recount(cellCount(), {kRed, kRedTurnText}, rules_.toMove());
  passTurnTo(next, kRedTurnText);
  showMovesLeft();
  finishGame();
}

// ---- Plexa (Squares) ----

void QuadrionWindow::onCircleClick(int s) {
  if (rules_.moveLock() || status_.gameOver) return;
  if (rules_.circleUsed(s)) return refuseMove(kInvalid);
  playCircle(s, rules_.toMove());
}

void QuadrionWindow::playCircle(int s, Player mover) {
  promptShown_ = false;  // the circle move writes the last move
  playColourCircle(s, mover);
}

GameController::ColourCircles QuadrionWindow::colourCircles() const {
  return {.count = LineGame::CellCount::KeepClaimed};
}

int QuadrionWindow::claimWidth() const { return kClaimWidth; }

// ---- The computer (Red) ----

ComputerPacing QuadrionWindow::computerPacing() const {
  // The squares are what score in every game on the Lines; the hint serves them all.
  return {.showMs = kPauseMs, .width = kQuadrionPreviewWidth, .warnsNoGoodMoves = true};
}

void QuadrionWindow::computerPlays(int choice) {
  if (circleVariant()) playCircle(choice, Player::Red);
  else playLine(choice, Player::Red);
}

}  // namespace kp
