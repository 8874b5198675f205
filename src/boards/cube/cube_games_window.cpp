#include "boards/cube/cube_games_window.h"

#include <algorithm>

#include "core/greedy_choice.h"

namespace kp {

namespace {

using cube::Dot3;
using C = CubeGamesWindow;

constexpr const char* kClassicTip =
    "A circle claims its square's four lines in your colour; a square is yours while all four are your colour";
constexpr const char* kSetCountTip =
    "A circle claims its square's four lines in your colour; the first to colour all four keeps the square";

// The entries never shown (2, 4, 5) keep their places in the menu.
const std::vector<VariantEntry> kVariants = {
    {.index = C::Tolva,
     .caption = "&Tolva",
     .boardCaption = "Game = Tolva (Original)",
     .tip = "Whoever claims a square's fourth line scores it and moves again; a full cube goes to whoever holds "
            "more of its squares",
     .prompt = kLinePrompt},
    {.index = C::PlexaLines,
     .caption = "&Plexa  (Lines)",
     .boardCaption = "Game = Plexa (Lines)",
     .prompt = kLinePrompt,
     .hidden = true},
    {.index = C::PlexaSquares,
     .caption = "Plexa  (Squares)",
     .boardCaption = "Game = Plexa (Squares)",
     .tip = "A circle claims its square's four lines; whoever completes a square, in any colours, wins it for good",
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = 4,
     .caption = "Krunk  (Classic)",
     .boardCaption = "",
     .circles = true,
     .prompt = kCirclePrompt,
     .hidden = true},
    {.index = 5,
     .caption = "Krunk  (Set count)",
     .boardCaption = "",
     .circles = true,
     .prompt = kCirclePrompt,
     .hidden = true},
    {.index = C::LineKrunk,
     .caption = "Line Krunk",
     .boardCaption = "Game = Line Krunk",
     .tip = "Lines in the mover's colour; whoever claims a square's fourth line scores it for good and moves again",
     .prompt = kLinePrompt},
    {.index = C::KrunkClassic,
     .caption = "Krunk  (Classic)",
     .boardCaption = "Game = Krunk (Classic)",
     .tip = kClassicTip,
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = C::KrunkSetCount,
     .caption = "Krunk  (Set count)",
     .boardCaption = "Game = Krunk (Set count)",
     .tip = kSetCountTip,
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = C::SuperClassic,
     .caption = "Super Krunk Plus  (Classic)",
     .boardCaption = "Game = Super Krunk Plus (Classic)",
     .tip = "As Krunk (Classic), and a circle also claims the squares beside its own in the same plane",
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = C::SuperSetCount,
     .caption = "Super Krunk Plus  (Set count)",
     .boardCaption = "Game = Super Krunk Plus (Set count)",
     .tip = "As Krunk (Set count), and a circle also claims the squares beside its own in the same plane",
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = C::KrunkMove,
     .caption = "Krunk  (Set count with Krunk move)",
     .boardCaption = "Game = Krunk (Set count with Krunk move)",
     .tip = "As Krunk (Set count); the last circle plays itself in black, for nobody",
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = C::SuperKrunkMove,
     .caption = "Super Krunk Plus  (Set count with Krunk move)",
     .boardCaption = "Game = Super Krunk Plus (Set count with Krunk move)",
     .tip = "As Super Krunk Plus (Set count); the last circle plays itself in black, for nobody",
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = C::LineKrunkMove,
     .caption = "Bonus game - Line Krunk with Krunk Move",
     .boardCaption = "Game = Line Krunk (with Krunk move)",
     .tip = "As Line Krunk; the last line plays itself in black, for nobody",
     .prompt = kLinePrompt},
};

constexpr int kLineWidth = 3;         // a Line nobody has claimed
constexpr int kHiddenWidth = 4;       // a claimed Line that scores nothing, while such Lines are hidden
constexpr int kSuperWidth = 5;        // the Lines of a Super Krunk Plus move
constexpr int kPauseMs = 500;         // the computer's pause to think, and its choice shown
constexpr InvalidMove kInvalid{.inMessage = false};
constexpr Colour kHintColour = 0x80FF80;  // under a non-scoring Line, for the Best Hint

// The identification colours: the Lines running into the picture, and the other Lines of
// the front, middle and back planes.
constexpr Colour kDepthLines = 0xFFFF00, kFront = 0xC000, kMiddle = 0x0, kBack = 0x800080;

int marker(Player p) { return int(p); }

}  // namespace

CubeGamesWindow::CubeGamesWindow(Host& host, ProgramState& program, WindowKind kind, cube::Lattice lattice,
                                 Style style)
    : GameController(host, program, kind), lattice_(std::move(lattice)) {
  FrameMenus frame;
  frame.game = std::move(style.game);
  frame.subLevels = std::move(style.subLevels);
  frame.players = {
      {.id = "players.0", .caption = "&1 Player", .checkable = true},
      {.id = "players.1", .caption = "&2 Player", .checkable = true, .checked = true},
  };
  frame.options = {
      {.separator = true},
  };
  for (MenuEntry& hint : tolvaHints()) frame.options.push_back(std::move(hint));
  frame.options.insert(frame.options.end(), {
      {.separator = true},
      {.id = "cumulative", .caption = "Show Cumulative score", .checkable = true, .checked = true},
      {.id = "hide", .caption = "Hide non-scoring made moves in Krunk games", .checkable = true, .checked = true},
      {.id = "game.grid", .caption = "Show grid", .shortcut = "F12", .checkable = true},
      {.id = "game.keypad",
       .caption = "Show keypad for entering moves from online chats / text messages / phone",
       .shortcut = "Ctrl+F1",
       .checkable = true},
  });
  addMenus(kVariants, false, {}, std::move(frame));
  controls_ = {{.id = kNewGameButton, .caption = "New Game", .tip = kNewGameTip},
               {.id = "view.up", .caption = "<<", .tip = style.views.next},
               {.id = "view.down", .caption = ">>", .tip = style.views.before}};

  useLattice(lattice_);
  status_.rounds.push_back("");
  status_.lastMoveCaption = "";
  status_.lastMove = "Last move: ";
}

void CubeGamesWindow::useLattice(cube::Lattice lattice) {
  lattice_ = std::move(lattice);
  auto graph = std::make_unique<BoardGraph>(lattice_.graph());
  settled_.assign(std::size_t(lattice_.cubeCount()) + 1, 0);
  setBoardSize(lineCount(), circleCount());
  for (int l = 1; l <= lineCount(); ++l) {
    LineDraw& d = drawing_.lines[std::size_t(l)];
    d.width = kLineWidth;
    d.colour = planeColour(l);
  }
  rules_.setGraph(graph.get());
  graph_ = std::move(graph);
  // In Super Krunk Plus a circle claims its square and the squares in its plane sharing a
  // Line with it; a Line two of them share is claimed once.
  superLines_.assign(std::size_t(circleCount()) + 1, {});
  for (int s = 1; s <= circleCount(); ++s) {
    std::vector<int>& lines = superLines_[std::size_t(s)];
    lines = graph_->cellSides[std::size_t(s)];
    for (int beside : lattice_.planeNeighbours(s))
      lines.insert(lines.end(), graph_->cellSides[std::size_t(beside)].begin(), graph_->cellSides[std::size_t(beside)].end());
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  }
  rules_.rememberInitialLines();
}

Colour CubeGamesWindow::planeColour(int line) const {
  const Dot3 a = lattice_.from(line), b = lattice_.to(line);
  return a.y != b.y ? kDepthLines : a.y == 0 ? kFront : a.y == lattice_.b() ? kBack : kMiddle;
}

// ---- The picture ----

Scene CubeGamesWindow::latticeScene(const Picture& picture) const {
  Scene s{.width = picture.width,
          .height = picture.height,
          .pixelsPerUnit = picture.pixelsPerUnit,
          .fixedSize = true};
  const auto& at = picture.at;
  const View& view = views().current();
  const int lines = lineCount(), squares = circleCount();
  const bool hideIdle = options().hideIdle && (colourGame() || lineKrunk());
  const bool tolva = variant() == Tolva;
  std::vector<char> hinted(std::size_t(lines) + 1, 0);
  if (tolva && options().hintBest)
    for (int l : nonScoringLines(rules_)) hinted[std::size_t(l)] = 1;

  auto scoresNothing = [&](int line) {
    const auto& cells = graph_->lineCells[std::size_t(line)];
    return std::none_of(cells.begin(), cells.end(), [&](int c) { return rules_.cellOwner(c) != 0; });
  };
  // Under the Lines: the Best Hint's marks.
  for (int place = 1; place <= lines; ++place)
    s.strokes.push_back({.a = at(lattice_.from(place)),
                         .b = at(lattice_.to(place)),
                         .colour = kHintColour,
                         .width = 12,
                         .visible = hinted[std::size_t(view.line(place))] != 0});
  for (int place = 1; place <= lines; ++place) {
    const int line = view.line(place);
    const LineDraw& d = drawing_.lines[std::size_t(line)];
    const bool idle = hideIdle && rules_.claimed(line) && scoresNothing(line);
    s.strokes.push_back({.a = at(lattice_.from(place)),
                         .b = at(lattice_.to(place)),
                         .colour = d.colour,
                         .width = double(idle ? std::min(d.width, kHiddenWidth) : d.width),
                         .visible = d.visible,
                         .target = picture.lineTargets && d.targetVisible ? Target::line(place) : Target{},
                         .number = line});
  }
  // A square's mark, its diagonal: in its owner's colour once scored; as designed before
  // a game is chosen.
  for (int place = 1; place <= squares; ++place) {
    const auto corners = lattice_.corners(place);
    const int owner = rules_.cellOwner(view.circle(place));
    s.strokes.push_back({.a = at(corners[0]),
                         .b = at(corners[2]),
                         .colour = owner == 1 ? kRed : owner == 2 ? kBlue : kUnclaimedLine,
                         .width = owner != 0 ? 4.0 : 1.0,
                         .dotted = owner == 0,
                         .visible = designShown_ || owner != 0});
  }
  for (int z = 0; z <= lattice_.c(); ++z)
    for (int y = 0; y <= lattice_.b(); ++y)
      for (int x = 0; x <= lattice_.a(); ++x) s.dots.push_back({at({x, y, z}), 4});

  for (int place = 1; place <= squares; ++place) {
    const int square = view.circle(place);
    const CircleDraw& d = drawing_.circles[std::size_t(square)];
    Point2 centre;
    for (Dot3 c : lattice_.corners(place)) centre = {centre.x + at(c).x / 4, centre.y + at(c).y / 4};
    s.shapes.push_back({.kind = Shape::Kind::Oval,
                        .centre = centre,
                        .radiusX = picture.circleWidth / 2,
                        .radiusY = picture.circleHeight / 2,
                        .border = d.border,
                        .fill = d.fill,
                        .visible = d.visible,
                        .target = Target::circle(place)});
    // The square's number inside, light on a player's fill.
    s.texts.push_back({.at = centre,
                       .text = std::to_string(square),
                       .fore = d.fill == kRed || d.fill == kBlue ? Colour(0xFFFFFF) : kBlack,
                       .size = picture.textSize,
                       .visible = d.visible});
  }
  s.texts.push_back({.at = picture.viewLabel, .text = "View " + std::to_string(views().number()), .size = 14});
  return s;
}

// ---- What the board says, for the checks ----

std::pair<int, int> CubeGamesWindow::pointsOnBoard() const {
  // The Classic games and Line Krunk count the colours; the others keep what they scored,
  // shown in the circles.
  if (colourGame() && cellCount() == LineGame::CellCount::ByColour)
    return countPointsOnBoard(rules_, drawing_, *graph_, true, {kRed, kRedTurnText});
  return countPointsOnBoard(rules_, drawing_, *graph_, false, {});
}

std::optional<std::string> CubeGamesWindow::movesLeftOnBoard() const {
  return movesLeftText(movesLeft(), MovesWording::Counted);
}

std::optional<std::pair<int, int>> CubeGamesWindow::secondScore() const {
  return countOwners(settled_);
}

void CubeGamesWindow::report(BoardReport& r) const {
  r.cubeOwners.assign(std::size_t(lattice_.cubeCount() + 1), 0);
  for (int c = 1; c <= lattice_.cubeCount(); ++c)
    r.cubeOwners[std::size_t(c)] = settled_[std::size_t(c)] == 3 ? 0 : settled_[std::size_t(c)];
}

int CubeGamesWindow::movesLeft() const {
  return lineGame() ? lineCount() - rules_.claimedLineCount() : rules_.unusedCircles();
}

void CubeGamesWindow::showMovesLeft() {
  status_.movesLeft = *movesLeftOnBoard();
  // The Super Hint is kept up to date with the count.
  status_.hint = superHint(variant() == Tolva);
}

// ---- Menus and buttons ----

void CubeGamesWindow::onMenu(const std::string& id) {
  if (id == "hint.computer" || id == "hint.super" || id == "hint.best") toggleTolvaHint(id, variant() == Tolva);
  else if (id == "cumulative") status_.totalsShown = options_.cumulative = !options_.cumulative;
  else if (id == "hide") options_.hideIdle = !options_.hideIdle;
}

void CubeGamesWindow::onControl(const Control& c) {
  // "<<" shows the next view, ">>" the one before, round and round.
  turnView(c.id == "view.up" ? 1 : -1);
}

void CubeGamesWindow::variantChosen() {
  designShown_ = false;
  rules_.setScoring({.manyScored = {"  Double score!      Two cool!",
                                    lineKrunk() ? "  Triple score!      Awesome!" : "  Triple score!      Wow!",
                                    "  Quadruple score!    Amazing!"}});
  options_.hintComputer = options_.hintSuper = options_.hintBest = false;
  for (const char* hint : {"hint.super", "hint.best"}) menus_.at(hint).enabled = lineGame();
  if (!lineGame()) options_.grid = false;
  // The circles and their numbers are drawn in the circle games only.
  for (std::size_t c = 1; c < drawing_.circles.size(); ++c) drawing_.circles[c].visible = !lineGame();
  showMovesLeft();
}

void CubeGamesWindow::openGame() {
  settled_.assign(settled_.size(), 0);
  openTurn(variant() == Tolva);
}

// ---- Line games ----

void CubeGamesWindow::onLineClick(int n) {
  if (rules_.moveLock() || status_.gameOver) return;
  if (rules_.claimed(n)) return refuseMove(kInvalid);
  playLine(n, rules_.toMove());
}

void CubeGamesWindow::playLine(int n, Player mover) {
  designShown_ = false;  // a game has begun: the marks show only scored squares
  rules_.takeTurn();
  // In Line Krunk a Line wears the turn text's colour.
  rules_.claimLine(n, lineKrunk() ? turnColourOf(mover) : lineColour(mover), marker(mover), mover);
  status_.lastMove = "Last move: " + std::to_string(n);
  timer_.reset();
  evaluateLine(mover);
}

void CubeGamesWindow::evaluateLine(Player mover) {
  lockSetup();
  timer_.stop();
  // Every line game scores a square for whoever claims its last Line, for good.
  rules_.checkwins(LineRule::Tolva);
  settleCubes(mover);
  showMovesLeft();
  if (movesLeft() == 1 && variant() == LineKrunkMove) {
    // The last Line plays itself, in black, for nobody: the squares it closes score for
    // neither player.
    playForNobody(rules_, status_, firstFreeLine(rules_));
    settleCubes(rules_.toMove());
    announceKrunk(rules_, status_);
    showMovesLeft();
  }
  finishOrHandOver(movesLeft());
}

// ---- Circle games ----

LineGame::CellCount CubeGamesWindow::cellCount() const {
  if (variant() == PlexaSquares) return LineGame::CellCount::KeepClaimed;
  if (variant() == KrunkClassic || variant() == SuperClassic) return LineGame::CellCount::ByColour;
  return LineGame::CellCount::KeepByColour;
}

void CubeGamesWindow::onCircleClick(int s) {
  if (rules_.moveLock() || status_.gameOver) return;
  if (rules_.circleUsed(s)) return refuseMove(kInvalid);
  designShown_ = false;
  playColourCircle(s, rules_.toMove());
}

GameController::ColourCircles CubeGamesWindow::colourCircles() const {
  return {.count = cellCount(), .krunkMove = krunkMove()};
}

int CubeGamesWindow::claimWidth() const { return superKrunk() ? kSuperWidth : kClaimedWidth; }

void CubeGamesWindow::addCircleLines(int s, std::vector<int>& lines) const {
  const std::vector<int>& claimed = superKrunk() ? superLines_[std::size_t(s)] : graph_->cellSides[std::size_t(s)];
  lines.insert(lines.end(), claimed.begin(), claimed.end());
}

// ---- Cubes ----

void CubeGamesWindow::settleCubes(std::optional<Player> tie) {
  for (int c = 1; c <= lattice_.cubeCount(); ++c) {
    if (settled_[std::size_t(c)] != 0) continue;
    const auto& squares = lattice_.cubeSquares(c);
    const bool done = lineGame() ? std::all_of(lattice_.cubeLines(c).begin(), lattice_.cubeLines(c).end(),
                                               [&](int l) { return rules_.claimed(l); })
                                 : std::all_of(squares.begin(), squares.end(), [&](int s) { return rules_.circleUsed(s); });
    if (!done) continue;
    int red = 0, blue = 0;
    for (int s : squares) {
      red += rules_.cellOwner(s) == 1;
      blue += rules_.cellOwner(s) == 2;
    }
    const std::optional<Player> to = red > blue ? Player::Red : blue > red ? Player::Blue : tie;
    settled_[std::size_t(c)] = to ? marker(*to) : 3;
    const Colour colour = !to ? kBlack : lineKrunk() ? turnColourOf(*to) : lineColour(*to);
    for (int l : lattice_.cubeLines(c)) rules_.recolour(l, colour);
    if (colourGame()) rules_.recount(cellCount(), {kRed, kRedTurnText}, to.value_or(Player::Red));
  }
}

// ---- The computer (Red) ----

ComputerPacing CubeGamesWindow::computerPacing() const {
  return {.thinkMs = kPauseMs, .showMs = kPauseMs, .warnsNoGoodMoves = variant() == Tolva};
}

void CubeGamesWindow::computerPlays(int choice) {
  if (lineGame()) playLine(choice, Player::Red);
  else playColourCircle(choice, Player::Red);
}

}  // namespace kp
