#include "boards/triangular/triangle_solid_window.h"

#include <algorithm>
#include <cmath>

namespace kp {

namespace {

constexpr int kLineWidth = 6;      // a Line claimed on its own
constexpr int kTriangleWidth = 5;  // the Lines of a triangle move
constexpr int kPauseMs = 500;
// A Line already claimed, and a triangle already played, are refused on the turn label.
constexpr InvalidMove kLineTaken{.inMessage = false, .text = "   Invalid move!"};
constexpr InvalidMove kTriangleTaken{.inMessage = false};

// Whether q lies between p and r with the three in a straight row, in any dimension.
bool inARow(const std::vector<double>& p, const std::vector<double>& q, const std::vector<double>& r) {
  double uv = 0, uu = 0, vv = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const double u = q[i] - p[i], v = r[i] - q[i];
    uv += u * v, uu += u * u, vv += v * v;
  }
  return uv > 0.999 * std::sqrt(uu * vv);
}

}  // namespace

TriangleSolidWindow::TriangleSolidWindow(Host& host, ProgramState& program, WindowKind kind, Solid solid,
                                         ViewTips views)
    : GameController(host, program, kind), solid_(std::move(solid)) {
  controls_ = {{.id = kNewGameButton, .caption = "New Game", .tip = kNewGameTip},
               {.id = "view.up", .caption = "<<", .tip = views.next},
               {.id = "view.down", .caption = ">>", .tip = views.before}};
  rules_.setScoring({.manyScored = {"  Double score!      Two cool!", "  Triple score!      Awesome!",
                                    "  Quadruple score!    Amazing!"}});
  status_.rounds.push_back("");
  status_.lastMoveCaption = "";
  status_.lastMove = "Last move: ";

  // A side that is half an edge of the solid carries on to the edge's other half: the Line
  // from its end on in a straight row.
  const int lines = int(solid_.ends.size()) - 1;
  straightOn_.assign(std::size_t(lines) + 1, {});
  for (int side = 1; side <= lines; ++side) {
    const auto [a, b] = solid_.ends[std::size_t(side)];
    for (int l = 1; l <= lines; ++l) {
      const auto [c, d] = solid_.ends[std::size_t(l)];
      const int shared = c == a || c == b ? c : d == a || d == b ? d : -1;
      if (l == side || shared < 0) continue;
      const int far = shared == c ? d : c, near = shared == a ? b : a;
      if (inARow(solid_.points[std::size_t(near)], solid_.points[std::size_t(shared)], solid_.points[std::size_t(far)]))
        straightOn_[std::size_t(side)].push_back(l);
    }
  }
  // Where a triangle's marker stands: the middle of its points.
  trianglePoints_.assign(solid_.triangles.size(), {});
  for (std::size_t t = 1; t < solid_.triangles.size(); ++t) {
    std::vector<int>& points = trianglePoints_[t];
    for (int side : solid_.triangles[t])
      for (int p : {solid_.ends[std::size_t(side)].first, solid_.ends[std::size_t(side)].second})
        if (std::ranges::count(points, p) == 0) points.push_back(p);
  }
}

// ---- What the board says, for the checks ----

std::pair<int, int> TriangleSolidWindow::pointsOnBoard() const {
  const bool byColour = status_.gameOver ? finishedByColour_ : circleVariant() && classic();
  return countPointsOnBoard(rules_, drawing_, rules_.graph(), byColour, {kRed, kRedTurnText});
}

void TriangleSolidWindow::gameFinished() { finishedByColour_ = circleVariant() && classic(); }

int TriangleSolidWindow::movesLeft() const {
  return circleVariant() ? rules_.unusedCircles() : lineCount() - rules_.claimedLineCount();
}

std::optional<std::string> TriangleSolidWindow::movesLeftOnBoard() const {
  // A finished game stays over until New game, whatever is chosen for the next.
  const int left = status_.gameOver ? 0 : movesLeft();
  return movesLeftText(left, MovesWording::GameOver);
}

void TriangleSolidWindow::showMovesLeft() { status_.movesLeft = *movesLeftOnBoard(); }

// ---- Menus and buttons ----

void TriangleSolidWindow::onMenu(const std::string& id) {
  if (id == "hide")
    options_.hideIdle = !options_.hideIdle;
  else
    onBoardMenu(id);
}

void TriangleSolidWindow::onControl(const Control& c) { turnView(c.id == "view.up" ? 1 : -1); }

void TriangleSolidWindow::openGame() {
  showMarkers();
  openTurn(!circleVariant());
}

void TriangleSolidWindow::showMarkers() {
  // In Tolva a marker shows only who scored its triangle. The board drawn is the level's,
  // over a finished game too, and the record says so.
  for (std::size_t t = 1; t < drawing_.circles.size(); ++t)
    drawing_.circles[t].visible = int(t) <= trianglesShown() &&
                                  (drawing_.circles[t].targetVisible || drawing_.circles[t].fill != kBackground);
  for (std::size_t l = 1; l < drawing_.lines.size(); ++l) drawing_.lines[l].visible = int(l) <= linesShown();
}

// ---- The picture ----

std::vector<MenuEntry> TriangleSolidWindow::solidOptions() {
  return {
      {.separator = true},
      {.id = "hide", .caption = "Hide non-scoring  made moves in Krunk games", .checkable = true, .checked = true},
  };
}

std::vector<MenuEntry> TriangleSolidWindow::solidMenus() {
  MenuEntry grid{.id = "grid", .caption = "G&rid"};
  grid.children = {{.id = "game.grid", .caption = "Show grid", .shortcut = "F12", .checkable = true, .checked = true}};
  MenuEntry keypad{.id = "keypad", .caption = "&Keypad"};
  keypad.children = {{.id = "game.keypad",
                      .caption = "Show keypad for entering moves from online chats / text messages / phone",
                      .shortcut = "Ctrl+F1",
                      .checkable = true}};
  return {std::move(grid), std::move(keypad)};
}

Scene TriangleSolidWindow::solidScene(double width, double height, const std::vector<Point2>& at, int dots,
                                      const std::function<FreeLineLook(int place)>& freeLook) const {
  return triangleSolidScene(picture_, drawing_,
                            {.ends = solid_.ends,
                             .trianglePoints = trianglePoints_,
                             .rules = rules_,
                             .view = views().current(),
                             .viewNumber = views().number(),
                             .lineCount = lineCount(),
                             .linesShown = linesShown(),
                             .trianglesShown = trianglesShown(),
                             .hideIdle = options().hideIdle && circleVariant(),
                             .width = width,
                             .height = height,
                             .at = at,
                             .dots = dots,
                             .freeLook = freeLook});
}

// ---- Line moves (Tolva) ----

void TriangleSolidWindow::onLineClick(int n) {
  if (rules_.moveLock() || status_.gameOver) return;
  if (rules_.claimed(n)) return refuseMove(kLineTaken);
  playLine(n, rules_.toMove());
}

void TriangleSolidWindow::playLine(int n, Player mover) {
  lockSetup();
  rules_.takeTurn();
  rules_.claimLine(n, lineColour(mover), int(mover), mover);
  status_.lastMove = "Last move: " + std::to_string(n);
  timer_.reset();
  timer_.stop();
  rules_.checkwins(LineRule::Tolva);
  showMovesLeft();
  // The Lines of the triangles just completed flash before the game goes on.
  std::vector<int> lines;
  for (int t : rules_.newlyCompleted())
    for (int side : solid_.triangles[std::size_t(t)])
      if (std::ranges::count(lines, side) == 0) lines.push_back(side);
  flashThen({}, [this] { finishOrHandOver(movesLeft()); }, std::move(lines));
}

// ---- Triangle moves (the Krunk games) ----

void TriangleSolidWindow::addCircleLines(int t, std::vector<int>& lines) const {
  const std::vector<int>& sides = solid_.triangles[std::size_t(t)];
  lines.insert(lines.end(), sides.begin(), sides.end());
  if (!superKrunk()) return;
  for (int side : sides)
    for (int l : straightOn_[std::size_t(side)])
      if (l <= lineCount()) lines.push_back(l);
}

int TriangleSolidWindow::claimWidth() const { return circleVariant() ? kTriangleWidth : kLineWidth; }

GameController::ColourCircles TriangleSolidWindow::colourCircles() const {
  return {.count = classic() ? LineGame::CellCount::ByColour : LineGame::CellCount::KeepByColour,
          .krunkMove = krunkMove()};
}

void TriangleSolidWindow::onCircleClick(int t) {
  if (rules_.moveLock() || status_.gameOver) return;
  if (rules_.circleUsed(t)) return refuseMove(kTriangleTaken);
  playColourCircle(t, rules_.toMove());
}

// ---- The computer (Red) ----

ComputerPacing TriangleSolidWindow::computerPacing() const {
  return {.thinkMs = kPauseMs, .showMs = kPauseMs, .width = kLineWidth};
}

void TriangleSolidWindow::computerPlays(int choice) {
  if (circleVariant()) playColourCircle(choice, Player::Red);
  else playLine(choice, Player::Red);
}

}  // namespace kp
