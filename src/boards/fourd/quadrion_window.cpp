#include "boards/fourd/quadrion_window.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "boards/fourd/tesseract_picture.h"

namespace kp {

namespace {

using Q = QuadrionBoard;
using W = QuadrionWindow;

constexpr const char* kTolvaChosen = "No score    Blue's turn.";

const std::vector<VariantEntry> kVariants = {
    {W::Tolva, "Tolva", "Game = Tolva", false, false, kTolvaChosen},
    {W::Duarn, "Duarn (2 Player only)", "Game = Duarn", false, true, kLinePrompt},
    {W::PlexaLines, "Plexa  (Lines)", "Game = Plexa (Lines)", false, false, kLinePrompt},
    {W::KrunkClassic, "Krunk  (Classic)", "Game = Krunk (Classic)", false, false, kLinePrompt},
    {W::KrunkSetCount, "Krunk  (Set count)", "Game = Krunk (Set count)", false, false, kLinePrompt},
    {W::KrunkMove, "Krunk  (Set count with Krunk Move)", "Game = Krunk (Set count with Krunk move)", false, false,
     kLinePrompt},
    {W::LineKrunk, "Line Krunk  (with edge stacked Quadrions - Easier)", "Game = Line Krunk", false, false, kLinePrompt},
    {W::PlexaSquares, "Plexa  (Squares)", "Game = Plexa (Squares)", true, false, kCirclePrompt},
    {W::SuperClassic, "Super Krunk Plus  (Classic)", "Game = Super Krunk Plus (Classic)", false, false, kLinePrompt},
    {W::SuperSetCount, "Super Krunk Plus  (Set count)", "Game = Super Krunk Plus (Set count)", false, false,
     kLinePrompt},
    {W::SuperKrunkMove, "Super Krunk Plus  (Set count with Krunk move)",
     "Game = Super Krunk Plus (Set count with Krunk move)", false, false, kLinePrompt},
    {W::LineKrunkMove, "Bonus game - Line Krunk (with Krunk move)", "Game = Line Krunk (with Krunk move)", false, false,
     kLinePrompt},
};

// The layout, in twips (15 to a pixel): three rows of three cells, the ring of figures round
// the key in the middle.
constexpr double kPixelsPerTwip = 1.0 / 15;
constexpr double kCellWidth = 4650, kCellHeight = 3450, kCaption = 330, kMargin = 250;
constexpr int kFreeWidth = 2, kClaimWidth = 4;
// The Line the computer (or the Krunk move) is about to play, in yellow: wide, so that even
// a short joining Line shows.
constexpr int kPreviewWidth = 7;
constexpr int kPauseMs = 1000;
// The cubes' Lines in tints of their colours, so that no free Line looks claimed by a
// player (red 255, blue 16711680) and the white cube shows on the light ground.
constexpr Colour kCubeColours[4] = {0xB8B8B8, 0x9090D8, 0x404040, 0xD8B090};
constexpr Colour kJoinColour = 0x8A7A6A;

struct Figure {
  const char* caption;
  int ring;
  bool joining;  // the tesseract of the cube and the next one, with the Lines joining them
  int column, row;
};
constexpr Figure kFigures[8] = {
    {"Outer White cube", Q::White, false, 0, 0}, {"Inside White cube", Q::White, true, 1, 0},
    {"Outer Red cube", Q::Red, false, 2, 0},     {"Inside Red cube", Q::Red, true, 2, 1},
    {"Outer Black cube", Q::Black, false, 2, 2}, {"Inside Black cube", Q::Black, true, 1, 2},
    {"Outer Blue cube", Q::Blue, false, 0, 2},   {"Inside Blue cube", Q::Blue, true, 0, 1},
};

// A corner in a figure's tesseract: the figure's own cube large (fourth coordinate +1), its
// neighbour small inside it (-1).
Point4 inFigure(Q::Corner c, const Figure& f) {
  const Point4 p = Q::point(c);
  return {2 * p.x - 1, 2 * p.y - 1, 2 * p.z - 1, c.ring == f.ring ? 1.0 : -1.0};
}

fourd::Box boxOf(const Figure& f) {
  return {f.column * kCellWidth + kMargin, f.row * kCellHeight + kCaption + 60, kCellWidth - 2 * kMargin,
          kCellHeight - kCaption - 2 * 60};
}

Point2 at(Q::Corner c, int figure) {
  static const std::vector<fourd::Fit> fits = [] {
    std::vector<fourd::Fit> out;
    for (const Figure& f : kFigures) {
      std::vector<Point2> raw;
      for (int v = 0; v < 16; ++v)
        if (f.joining || fourd::corner(v).w > 0) raw.push_back(fourd::picture(fourd::corner(v)));
      out.emplace_back(raw, boxOf(f));
    }
    return out;
  }();
  return fits[std::size_t(figure)](fourd::picture(inFigure(c, kFigures[figure])));
}

// Whether a figure draws a Line, and the figure its number and click area belong to.
bool draws(const Figure& f, int line) {
  const int ring = Q::ringOf(line);
  if (Q::joining(line)) return f.joining && ring == f.ring;
  return ring == f.ring || (f.joining && ring == (f.ring + 1) % 4);
}
int homeFigure(int line) {
  for (int k = 0; k < 8; ++k)
    if (kFigures[k].ring == Q::ringOf(line) && kFigures[k].joining == Q::joining(line)) return k;
  return 0;
}

Point2 mix(Point2 a, Point2 b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

// How near the segment a-b comes to the box of half sizes `half` round `centre`, to within
// a few units (0 where it enters the box).
double roomBetween(Point2 a, Point2 b, Point2 centre, Point2 half) {
  double room = 1e9;
  for (int k = 0; k <= 128 && room > 0; ++k) {
    const Point2 p = mix(a, b, k / 128.0);
    room = std::min(room, std::hypot(std::max(std::abs(p.x - centre.x) - half.x, 0.0),
                                     std::max(std::abs(p.y - centre.y) - half.y, 0.0)));
  }
  return room;
}

// Where the number of a Line too short to carry it stands: the nearest place round the
// Line's middle that keeps clear of every Line of its figure and of the other numbers there.
Point2 besideLine(int line, int figure, const std::vector<Point2>& labels, Point2 half) {
  constexpr double kRoom = 30;
  const auto ends = Q::ends(line);
  const Point2 middle = mix(at(ends[0], figure), at(ends[1], figure), 0.5);
  Point2 best = middle;
  double bestRoom = -1;
  for (double reach = 180; reach <= 720; reach += 30)
    for (int d = 0; d < 24; ++d) {
      const double angle = d * std::numbers::pi / 12;
      const Point2 p{middle.x + reach * std::cos(angle), middle.y + reach * std::sin(angle)};
      double room = 1e9;
      for (int l = 1; l <= QuadrionWindow::kLines; ++l) {
        if (!draws(kFigures[figure], l)) continue;
        const auto e = Q::ends(l);
        room = std::min(room, roomBetween(at(e[0], figure), at(e[1], figure), p, half));
      }
      for (int l = 1; l < int(labels.size()); ++l)
        if (l != line && homeFigure(l) == figure)
          room = std::min(room, std::max(std::abs(p.x - labels[std::size_t(l)].x) - 2 * half.x,
                                         std::abs(p.y - labels[std::size_t(l)].y) - 2 * half.y));
      if (room >= kRoom) return p;
      if (room > bestRoom) bestRoom = room, best = p;
    }
  return best;
}

}  // namespace

QuadrionWindow::QuadrionWindow(Host& host, ProgramState& program)
    : GameController(host, program, WindowKind::Quadrion) {
  FrameMenus frame;
  frame.gameCaption = "Game";
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
  MenuEntry grid{.id = "grid", .caption = "Grid"};
  grid.children = {
      {.id = "game.grid", .caption = "Show grid", .shortcut = "F12", .checkable = true},
      {.id = "game.keypad",
       .caption = "Show keypad for entering moves from online chats / text messages / phone",
       .shortcut = "Ctrl+F1",
       .checkable = true},
  };
  frame.afterOptions = {std::move(grid)};
  addMenus(kVariants, false, {}, std::move(frame));
  controls_ = {{.id = kNewGameButton, .caption = "New Game"}};

  setBoardSize(kLines, kSquares);
  for (int l = 1; l <= kLines; ++l) {
    LineDraw& d = drawing_.lines[std::size_t(l)];
    d.width = kFreeWidth;
    d.colour = Q::joining(l) ? kJoinColour : kCubeColours[Q::ringOf(l)];
  }
  rules_.setGraph(&graph_);
  rules_.rememberInitialLines();
  rules_.setClaimWidth(kClaimWidth);
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
  Scene s{.width = 3 * kCellWidth, .height = 3 * kCellHeight, .pixelsPerUnit = kPixelsPerTwip, .fixedSize = true};
  const bool open = !circleVariant();
  for (int k = 0; k < 8; ++k) {
    const Figure& f = kFigures[k];
    // The far Lines first, so the near ones cross over them.
    for (int l = 1; l <= kLines; ++l) {
      if (!draws(f, l)) continue;
      const auto ends = Q::ends(l);
      const LineDraw& d = drawing_.lines[std::size_t(l)];
      s.strokes.push_back({.a = at(ends[0], k),
                           .b = at(ends[1], k),
                           .colour = d.colour,
                           .width = double(d.width),
                           .dotted = Q::joining(l) && !rules_.claimed(l) && d.colour != kYellow,
                           .target = open && d.targetVisible ? Target::line(l) : Target{}});
    }
    s.texts.push_back({.at = {f.column * kCellWidth + kCellWidth / 2, f.row * kCellHeight + kCaption / 2 + 40},
                       .text = f.caption,
                       .size = 12});
  }
  // Two joining Lines of each tesseract, hard to reach among the others, have click areas
  // of their own: the inner one from the right back bottom corner (corner 3: x 1, y 0, z 0)
  // and the short one at the crowded left back bottom corner (corner 1).
  for (int k = 0; k < 8; ++k) {
    if (!kFigures[k].joining) continue;
    for (int m : {2, 0}) {
      const int line = Q::joinsFrom(kFigures[k].ring)[std::size_t(m)];
      const auto ends = Q::ends(line);
      s.shapes.push_back({.kind = Shape::Kind::Region,
                          .points = {at(ends[0], k), at(ends[1], k)},
                          .radiusX = m == 0 ? 90.0 : 60.0,
                          .visible = open && drawing_.lines[std::size_t(line)].targetVisible && !rules_.claimed(line),
                          .target = Target::line(line)});
    }
  }
  // The number labels, with the grid: on each Line in its own figure, clear of the others;
  // beside the short joining Lines, which they would hide.
  static const std::vector<Point2> labelAt = [] {
    std::vector<fourd::Segment> lines(1);
    std::vector<Point2> corners;
    for (int l = 1; l <= kLines; ++l) {
      const auto ends = Q::ends(l);
      lines.push_back({at(ends[0], homeFigure(l)), at(ends[1], homeFigure(l))});
      for (const auto& end : ends) corners.push_back(at(end, homeFigure(l)));
    }
    std::vector<Point2> out = fourd::labelsAlong(lines, {160, 105}, corners);
    for (int ring = Q::White; ring <= Q::Blue; ++ring) {
      const int line = Q::joinsFrom(ring)[0];
      out[std::size_t(line)] = besideLine(line, homeFigure(line), out, {160, 105});
    }
    return out;
  }();
  for (int l = 1; l <= kLines && gridShown() && open; ++l) {
    const Point2 mid = labelAt[std::size_t(l)];
    s.shapes.push_back({.kind = Shape::Kind::Polygon,
                        .points = {{mid.x - 160, mid.y - 105}, {mid.x + 160, mid.y - 105}, {mid.x + 160, mid.y + 105},
                                   {mid.x - 160, mid.y + 105}},
                        .border = kBlack,
                        .fill = 0xFFFFFF,
                        .borderWidth = 1,
                        .target = Target::line(l)});
    s.texts.push_back({.at = mid, .text = std::to_string(l), .size = 9});
  }
  // The squares' circles, in Plexa (Squares): a cube's faces in its own figure, the joining
  // squares in their tesseract.
  static const std::vector<Point2> circleAt = [] {
    // At the square's middle, or moved towards one of its corners where another is in the way.
    std::vector<std::vector<Point2>> candidates(1);
    for (int sq = 1; sq <= kSquares; ++sq) {
      const auto& lines = Q::squareLines(sq);
      const int k = homeFigure(sq <= 24 ? lines[0] : lines[1]);
      std::vector<Point2> corners;
      for (int l : {lines[0], lines[2]})
        for (const auto& end : Q::ends(l)) corners.push_back(at(end, k));
      Point2 middle;
      for (Point2 c : corners) middle = middle + 0.25 * c;
      std::vector<Point2> places = {middle};
      for (double reach : {0.3, 0.5})
        for (Point2 c : corners) places.push_back(mix(middle, c, reach));
      candidates.push_back(places);
    }
    return fourd::spread(candidates, 120);
  }();
  for (int sq = 1; sq <= kSquares && circleVariant(); ++sq) {
    const Point2 centre = circleAt[std::size_t(sq)];
    const CircleDraw& d = drawing_.circles[std::size_t(sq)];
    s.shapes.push_back({.kind = Shape::Kind::Circle,
                        .centre = centre,
                        .radiusX = 120,
                        .border = d.border,
                        .fill = d.fill == kBackground ? Colour(0xFFFFFF) : d.fill,
                        .visible = d.targetVisible,
                        .target = Target::circle(sq)});
    s.texts.push_back({.at = centre,
                       .text = std::to_string(sq),
                       .fore = d.fill == kRed || d.fill == kBlue ? Colour(0xFFFFFF) : kBlack,
                       .size = 8});
  }

  // The middle: the key, the hint, and in the Super Krunk Plus games their picture.
  const double left = kCellWidth + kMargin, top = kCellHeight;
  for (int r = 0; r < 4; ++r)
    s.texts.push_back({.at = {left + 700 + (r % 2) * 2000, top + 300 + (r / 2) * 330},
                       .text = std::string(Q::name(r)) + " cube",
                       .fore = r == Q::White ? Colour(0xFFFFFF) : kCubeColours[r],
                       .back = r == Q::White ? std::optional<Colour>(kCubeColours[r]) : std::nullopt,
                       .size = 12});
  const char* hint[4] = {"If you are not familiar with this level and", "are confused, turn on the grid on the top",
                         "menu bar to see possible moves", ""};
  for (int r = 0; r < 3; ++r)
    s.texts.push_back({.at = {left + 2075, top + 1080 + r * 250}, .text = hint[r], .fore = kBlue, .size = 10});
  if (superKrunk()) {
    // A cube all of whose Lines are claimed is taken whole: the marker shows one, taken.
    const fourd::Fit fit({fourd::picture(fourd::corner(8)), fourd::picture(fourd::corner(15)),
                          fourd::picture(fourd::corner(9)), fourd::picture(fourd::corner(14))},
                         {left + 200, top + 1900, 1300, 1200});
    for (int v = 8; v < 16; ++v)
      for (int bit : {1, 2, 4})
        if (!(v & bit))
          s.strokes.push_back({.a = fit(fourd::picture(fourd::corner(v))),
                               .b = fit(fourd::picture(fourd::corner(v | bit))),
                               .colour = kRed,
                               .width = 3});
    s.texts.push_back({.at = {left + 2700, top + 2350}, .text = "Super Krunk Plus:", .fore = kRed, .size = 11});
    s.texts.push_back({.at = {left + 2700, top + 2620}, .text = "close a cube, take it whole", .fore = kRed, .size = 10});
  }
  return s;
}

// ---- What the board says, for the checks ----

std::pair<int, int> QuadrionWindow::pointsOnBoard() const {
  return countPointsOnBoard(graph_, variant() == KrunkClassic || variant() == SuperClassic, {kRed, kRedTurnText});
}

void QuadrionWindow::report(BoardReport& r) const {
  r.cubeOwners = cubeWinner_;
  for (int& owner : r.cubeOwners) owner = owner == kNobody ? 0 : owner;
}

// Every game is judged by score too: the cubes each player completed.
std::optional<std::pair<int, int>> QuadrionWindow::secondScore() const {
  std::pair<int, int> cubes;
  for (int owner : cubeWinner_) {
    cubes.first += owner == 1;
    cubes.second += owner == 2;
  }
  return cubes;
}

int QuadrionWindow::movesLeft() const {
  return circleVariant() ? rules_.unusedCircles() : kLines - rules_.claimedLineCount();
}

std::optional<std::string> QuadrionWindow::movesLeftOnBoard() const {
  return std::to_string(movesLeft()) + " moves left";
}

void QuadrionWindow::showMovesLeft() {
  status_.movesLeft = *movesLeftOnBoard();
  status_.hint = variant() == Tolva ? std::to_string(nonScoringLines().size()) + " non-scoring moves left" : "";
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
    status_.turnColour = kBlue;
  }
  // Before the first move the last-move label holds the start prompt: the chosen game's.
  if (status_.lastMove == kLinePrompt || status_.lastMove == kCirclePrompt)
    status_.lastMove = circleVariant() ? kCirclePrompt : kLinePrompt;
  showMovesLeft();
}

void QuadrionWindow::openGame() {
  std::fill(capturedSquare_.begin(), capturedSquare_.end(), 0);
  std::fill(cubeWinner_.begin(), cubeWinner_.end(), 0);
  // A new game opens with Red (the computer, against one person).
  rules_.setToggle(1);
  status_.yourTurn = {true, false, false};
  status_.turnText = "Red player's turn";
  status_.turnColour = kRedTurnText;
  status_.lastMoveCaption = "";
  status_.lastMove = circleVariant() ? kCirclePrompt : kLinePrompt;
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
  if (rules_.claimed(line)) {
    message("Invalid move!");
    return;
  }
  playLine(line, rules_.toMove());
}

void QuadrionWindow::playLine(int line, Player mover) {
  lockSetup();
  rules_.takeTurn();
  rules_.claimLine(line, lineColour(mover), int(mover), mover);
  status_.lastMove = "Last move: " + std::to_string(line);
  timer_.reset();
  timer_.stop();
  const std::vector<int> cubes = settleCubes(mover);
  if (krunk()) {
    const std::vector<int> before = rules_.cellOwners();
    capture(mover, line, cubes);
    rules_.recount(cellCount(), {kRed, kRedTurnText}, mover);
    const int won = rules_.newlyWon(mover, before, {line});
    if (won > 0) {
      rules_.setToggle(mover == Player::Red ? 1 : 0);
      status_.yourTurn = {mover == Player::Red, mover == Player::Blue, false};
    }
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
  int last = 0;
  for (int l = 1; l <= kLines && !last; ++l)
    if (!rules_.claimed(l)) last = l;
  status_.turnText = "Krunk!";
  status_.turnColour = kBlack;
  rules_.setMoveLock(true);
  drawing_.lines[std::size_t(last)].colour = kYellow;
  drawing_.lines[std::size_t(last)].width = kPreviewWidth;
  schedule(kPauseMs, [this, last] { playLastLine(last); });
}

void QuadrionWindow::playLastLine(int last) {
  const Player next = rules_.toMove() == Player::Red ? Player::Blue : Player::Red;
  rules_.paintLine(last, kBlack);
  status_.lastMove = "Last move: " + std::to_string(last);
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
  if (rules_.circleUsed(s)) {
    message("Invalid move!");
    return;
  }
  playColourCircle(s, rules_.toMove());
}

GameController::ColourCircles QuadrionWindow::colourCircles() const {
  return {.count = LineGame::CellCount::KeepClaimed, .claimWidth = kClaimWidth};
}

// ---- The computer (Red) ----

void QuadrionWindow::computerTurn() {
  if (circleVariant()) return computerCircle();
  computerLine();
}

void QuadrionWindow::computerLine() {
  // The squares are what score in every game on the Lines; the hint serves them all.
  warnNoGoodMoves(true);
  if (const int line = previewGreedyLine(kPreviewWidth))
    schedule(kPauseMs, [this, line] { playLine(line, Player::Red); });
}

void QuadrionWindow::computerCircle() {
  if (const int s = previewColourCircle()) schedule(kPauseMs, [this, s] { playColourCircle(s, Player::Red); });
}

}  // namespace kp
