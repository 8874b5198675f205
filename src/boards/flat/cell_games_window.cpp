#include "boards/flat/cell_games_window.h"

#include <algorithm>
#include <string>

#include "core/colour_choice.h"

namespace kp {

namespace {

// Choosing a line game leaves the turn text as it was; the circle games write their prompt.
using W = CellGamesWindow;
const std::vector<VariantEntry> kVariants = {
    {.index = W::Tolva,
     .caption = "Tolva",
     .boardCaption = "Game = Tolva",
     .tip = "Whoever claims the last line of a cell scores it and moves again"},
    {.index = W::Duarn,
     .caption = "Duarn (2 Player only)",
     .boardCaption = "Game = Duarn",
     .tip = "A cell scores only when all its lines are the mover's own; the turn always passes",
     .twoPlayerOnly = true},
    {.index = W::Krunk,
     .caption = "Krunk",
     .boardCaption = "Game = Krunk",
     .tip = "A circle claims its cell's sides in your colour; a cell counts while all its sides are your colour",
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = W::SuperKrunk,
     .caption = "Super Krunk",
     .boardCaption = "Game = Super Krunk",
     .tip = "As Krunk, and each side carries on one line past both ends; the turn always passes",
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = W::RibbonKrunk,
     .caption = "Ribbon Krunk",
     .boardCaption = "Game = Ribbon Krunk",
     .tip = "As Super Krunk, but a circle that raises your points lets you play again",
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = W::LineKrunk,
     .caption = "Line Krunk",
     .boardCaption = "Game = Line Krunk",
     .tip = "Lines in your colour; a cell counts while all its sides are your colour, until every interior line "
            "is claimed"},
    {.index = W::SuperKrunkPlus,
     .caption = "Super Krunk Plus",
     .boardCaption = "Game = Super Krunk Plus",
     .tip = "As Super Krunk, and a circle also claims the far side of each neighbouring cell",
     .circles = true,
     .prompt = kCirclePrompt},
};

// The computer's pauses: before it moves, and while its choice is shown.
constexpr int kPauseMs = 500;
// A Line, and a circle, already played.
constexpr InvalidMove kLineTaken, kCircleTaken{.text = "Invalid move"};

Player other(Player p) { return p == Player::Red ? Player::Blue : Player::Red; }

}  // namespace

CellGamesWindow::CellGamesWindow(Host& host, ProgramState& program, WindowKind kind, const CellBoard& board,
                                 Style style)
    : GameController(host, program, kind), board_(&board), style_(std::move(style)) {
  addMenus(kVariants, style_.subLevels, style_.boardMenus, {.expert = true});
  controls_ = {{.id = kNewGameButton, .caption = "New game", .tip = kNewGameTip}};

  setBoardSize(lineCount(), circleCount());
  rules_.setGraph(&board_->graph(false));
  rules_.rememberInitialLines();
  if (style_.subLevels) useSubLevel(program_.subLevel == 1);

  if (style_.beginner) status_.movesLeft = "54 moves left";
  status_.rounds.push_back("");
  status_.turnText = kLinePrompt;
  rules_.setPen(kBlue);
  chooseVariant(style_.opening);
  if (!style_.beginner) newGameKeepingOpener();
}

void CellGamesWindow::useBoard(const CellBoard& board) {
  board_ = &board;
  setBoardSize(lineCount(), circleCount());
  rules_.setGraph(&board_->graph(globoria()));
  rules_.rememberInitialLines();
  chooseVariant(variant());  // the new board's Lines or circles take the clicks
  // Another board before the first move is not another game of the set: whoever is to
  // open still does.
  newGameKeepingOpener();
}

void CellGamesWindow::noteMove(const char* what, int n) {
  // The beginner's window leaves the two coordinate captions at their design text.
  status_.lastMove = style_.beginner ? std::string("From.. to to..") : std::string(what) + " " + std::to_string(n);
}

void CellGamesWindow::onMenu(const std::string& id) {
  if (id == "sub.planor" || id == "sub.globoria") ver_Click();
}

void CellGamesWindow::useSubLevel(bool globoria) {
  options_.globoria = globoria;
  rules_.setGraph(&board_->graph(globoria));
}

void CellGamesWindow::ver_Click() {
  // Either entry toggles; the board is chosen before the first move, so the game's
  // tables are still empty when the graph changes.
  const bool toGloboria = !globoria();
  useSubLevel(toGloboria);
  program_.subLevel = toGloboria ? 1 : 0;
}

std::pair<int, int> CellGamesWindow::pointsOnBoard() const {
  if (variant() == LineKrunk)
    return countPointsOnBoard(rules_, drawing_, board_->graph(false), true, {kRed, kRedTurnText});
  return countPointsOnBoard(rules_, drawing_, board_->graph(false), circleVariant(), {kRed});
}

std::optional<std::string> CellGamesWindow::movesLeftOnBoard() const {
  if (!movesLeftKept_) return std::nullopt;
  int left = 0;
  if (variant() == LineKrunk) {
    for (int l : board_->interiorLines()) left += !rules_.claimed(l);
  } else {
    left = rules_.unusedCircles();
  }
  return movesLeftText(left, MovesWording::Plain);
}

void CellGamesWindow::onLineClick(int n) {
  if (rules_.moveLock()) return;
  if (rules_.claimed(n)) return refuseMove(kLineTaken);
  if (status_.gameOver) return;  // a Line Krunk game can end with edge Lines still free
  if (variant() == LineKrunk || variant() == SuperKrunkPlus) {
    // The Line takes the mover's pen; the turn passes in the evaluation.
    const Player mover = rules_.toMove();
    rules_.claimLine(n, rules_.pen(), 1, mover);
  } else {
    const Player mover = rules_.takeTurn();
    rules_.claimLine(n, lineColour(mover), int(mover), mover);
  }
  noteMove("Line", n);
  timer_.reset();
  if (variant() == LineKrunk)
    lineKrunkEvaluation(true);
  else
    checkwins(true);
}

void CellGamesWindow::onCircleClick(int k) {
  if (rules_.moveLock()) return;
  if (rules_.circleUsed(k)) return refuseMove(kCircleTaken);
  playCircle(k);
}

const std::vector<int>& CellGamesWindow::circleClaims(int k) const {
  if (variant() == Krunk) return board_->graph(false).cellSides.at(std::size_t(k));  // the Cell's sides
  return board_->superKrunkClaims(k, globoria(), variant() == SuperKrunkPlus);
}

void CellGamesWindow::playCircle(int k) {
  rules_.setCircleUsed(k);
  drawing_.circles[k].border = kGreen;
  if (!style_.beginner) noteMove("Circle", k);
  const Colour colour = rules_.pen();
  for (int line : circleClaims(k)) rules_.paintLine(line, colour);
  timer_.reset();
  circleEvaluation(true);
}

void CellGamesWindow::circleEvaluation(bool afterMove) {
  const Player mover = rules_.toMove();
  const int before = rules_.points(mover);
  rules_.rebuildPointsByColour({kRed});
  status_.movesLeft = movesLeftText(rules_.unusedCircles(), MovesWording::Plain);
  movesLeftKept_ = true;
  if (!afterMove) return;

  lockSetup();
  timer_.stop();
  if (krunk_) {
    // The last circle was played in black: the pen is no player's, so the turn goes to
    // Blue.
    passTurnTo(Player::Blue, kRed);
  } else if (variant() == RibbonKrunk && rules_.points(mover) > before) {
    passTurnTo(mover, kRed);  // a move that gains points keeps the ribbon going
  } else {
    passTurnTo(other(mover), kRed);
  }

  const int left = rules_.unusedCircles();
  if (left == 0) {
    finishGame();
  } else if (left == 1) {
    // The last circle plays itself, in black, whoever is to move.
    krunk_ = true;
    announceKrunk(rules_, status_);
    playCircle(rules_.firstUnusedCircle());
  } else {
    handOver();
  }
}

void CellGamesWindow::lineKrunkEvaluation(bool afterMove) {
  // Red's Lines wear Red's turn text colour here; Globoria partners are drawn 255.
  rules_.rebuildPointsByColour({kRed, kRedTurnText});
  const int open = int(std::count_if(board_->interiorLines().begin(), board_->interiorLines().end(),
                                     [&](int l) { return !rules_.claimed(l); }));
  status_.movesLeft = movesLeftText(open, MovesWording::Plain);
  movesLeftKept_ = true;
  if (!afterMove) return;

  lockSetup();
  timer_.stop();
  passTurnTo(other(rules_.toMove()), kRedTurnText);
  if (open == 0)
    finishGame();
  else
    handOver();
}

void CellGamesWindow::checkwins(bool afterMove) {
  if (afterMove) lockSetup();
  timer_.stop();
  if (rules_.checkwins(variant() == Duarn ? LineRule::Duarn : LineRule::Tolva) == Outcome::GameOver)
    finishGame();
  else
    handOver();
}

ComputerPacing CellGamesWindow::computerPacing() const {
  ComputerPacing pacing{.thinkMs = kPauseMs, .showMs = kPauseMs, .completing = Completing::AtRandom};
  if (variant() == Tolva) {
    // Shown first in yellow (its joined partner already in Red), then in Red.
    pacing.partnerShown = true;
    pacing.thenShown = kRed;
  }
  return pacing;
}

int CellGamesWindow::computerChoice(const ComputerPacing& pacing) {
  if (variant() == LineKrunk) return lineKrunkChoice();
  const int choice = GameController::computerChoice(pacing);
  if (choice != 0 && variant() == Tolva) rules_.setToggle(0);  // Blue is next unless this move scores
  return choice;
}

void CellGamesWindow::computerPlays(int choice) {
  if (circleVariant()) return playCircle(choice);
  rules_.claimLine(choice, variant() == Tolva ? kRed : rules_.pen(), 1, Player::Red);
  noteMove("Line", choice);
  timer_.reset();
  if (variant() == LineKrunk) lineKrunkEvaluation(true);
  else checkwins(true);
}

void CellGamesWindow::addCircleLines(int c, std::vector<int>& lines) const {
  const std::vector<int>& claims = circleClaims(c);
  lines.insert(lines.end(), claims.begin(), claims.end());
  for (int l : claims)
    if (int p = rules_.graph().partner[std::size_t(l)]) lines.push_back(p);
}

int CellGamesWindow::lineKrunkChoice() {
  ColourMoves moves;
  const BoardGraph& g = rules_.graph();
  moves.reserve(std::size_t(lineCount()), 2 * std::size_t(lineCount()));
  for (int l = 1; l <= lineCount(); ++l) {
    // A joined pair is one move: offer it once.
    if (rules_.claimed(l) || (g.partner[l] != 0 && g.partner[l] < l)) continue;
    if (g.partner[l])
      moves.add(l, {l, g.partner[l]});
    else
      moves.add(l, {l});
  }
  return chooseByColour(g, rules_.claims(), moves, {kRed, kRedTurnText}, program_.random);
}

void CellGamesWindow::openGame() {
  movesLeftKept_ = false;
  krunk_ = false;
  // New game names Tolva, Duarn and Krunk by their bare names; the others keep theirs.
  if (variant() == Tolva) status_.gameCaption = "Tolva";
  if (variant() == Duarn) status_.gameCaption = "Duarn";
  if (variant() == Krunk) status_.gameCaption = "Krunk";

  if (redOpens(variant() == Tolva)) {
    // Red opens every second game of Tolva: the evaluation announces it at once.
    rules_.setToggle(1);
    checkwins(false);
    return;
  }
  rules_.setMoveLock(false);
  rules_.setToggle(0);
  status_.yourTurn = {false, true, false};
  if (circleVariant()) circleEvaluation(false);
  if (variant() == LineKrunk) lineKrunkEvaluation(false);
}

}  // namespace kp
