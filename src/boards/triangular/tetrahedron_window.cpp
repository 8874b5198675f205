#include "boards/triangular/tetrahedron_window.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/projection.h"

namespace kp {

namespace {

using T = TetrahedronWindow;

// The two entries never shown keep their places in the menu.
const std::vector<VariantEntry> kVariants = {
    {T::TolvaEasy, "Tolva  (Easy level)", "Game = Tolva (Easy Level)", false, false, kLinePrompt},
    {1, "(Easy level)", "", false, false, kLinePrompt, true},
    {T::TolvaFull, "Tolva  (Full level)", "Game = Tolva", false, false, kLinePrompt},
    {3, "(Full level)", "", false, false, kLinePrompt, true},
    {T::KrunkClassicEasy, "Krunk  (Classic - Easy level)", "Game = Krunk (Classic - Easy Level)", true, false,
     kCirclePrompt},
    {T::KrunkSetEasy, "Krunk  (Set count - Easy level)", "Game = Krunk (Set count - Easy Level)", true, false,
     kCirclePrompt},
    {T::KrunkClassicFull, "Krunk  (Classic - Full level)", "Game = Krunk (Classic)", true, false, kCirclePrompt},
    {T::KrunkSetFull, "Krunk  (Set count - Full level)", "Game = Krunk (Set count)", true, false, kCirclePrompt},
    {T::SuperClassicEasy, "Super Krunk (Classic - Easy level)", "Game = Super Krunk (Classic - Easy Level)", true, false,
     kCirclePrompt},
    {T::SuperSetEasy, "Super Krunk (Set count - Easy level)", "Game = Super Krunk (Set count - Easy Level)", true,
     false, kCirclePrompt},
    {T::SuperClassicFull, "Super Krunk  (Classic - Full level)", "Game = Super Krunk (Classic)", true, false,
     kCirclePrompt},
    {T::SuperSetFull, "Super Krunk  (Set count - Full level)", "Game = Super Krunk (Set count)", true, false,
     kCirclePrompt},
    {T::KrunkMoveEasy, "Krunk  (Set count with Krunk move - Easy level)", "Game = Krunk (Krunk move - Easy Level)",
     true, false, kCirclePrompt},
    {T::KrunkMoveFull, "Krunk  (Set count with Krunk move - Full level)", "Game = Krunk (Krunk move)", true, false,
     kCirclePrompt},
    {T::SuperMoveEasy, "Super Krunk  (Set count with Krunk move - Easy level)",
     "Game = Super Krunk (w/ Krunk move - Easy)", true, false, kCirclePrompt},
    {T::SuperMoveFull, "Super Krunk  (Set count with Krunk move - Full level)", "Game = Super Krunk (w/ Krunk move)",
     true, false, kCirclePrompt},
};

// The same game on the other board.
constexpr std::array<std::pair<int, int>, 7> kEasyFull = {
    {{T::TolvaEasy, T::TolvaFull},
     {T::KrunkClassicEasy, T::KrunkClassicFull},
     {T::KrunkSetEasy, T::KrunkSetFull},
     {T::SuperClassicEasy, T::SuperClassicFull},
     {T::SuperSetEasy, T::SuperSetFull},
     {T::KrunkMoveEasy, T::KrunkMoveFull},
     {T::SuperMoveEasy, T::SuperMoveFull}}};

constexpr double kScale = 210;         // pixels to a Line
constexpr double kMargin = 40;
constexpr int kLineWidth = 6;          // a Line claimed on its own
constexpr int kTriangleWidth = 5;      // the Lines of a triangle move
constexpr int kHiddenWidth = 3;        // a claimed Line that scores nothing, while hidden
constexpr double kMarkerRadius = 7;
constexpr int kPauseMs = 500;

// How the solid is seen: turned a little about the upright axis and tipped towards the
// eye, so that no face stands edge-on; what lies further back is drawn lighter.
const Matrix3& seen() {
  static const Matrix3 m = rotation(Axis::X, -18) * rotation(Axis::Y, -32);
  return m;
}
Point3 turned(int point) { return seen() * tetrahedron::points()[std::size_t(point)]; }

// The corners (1, 2, 3) and edge midpoints (7, 8, 9) of the face the halves share.
bool onSharedFace(int point) { return (point >= 1 && point <= 3) || (point >= 7 && point <= 9); }

// A half of an edge of the solid: a Line from a corner (0, 1, 2, 3, 10).
bool edgeHalf(int line) {
  const auto [a, b] = tetrahedron::ends(line);
  for (int corner : {0, 1, 2, 3, 10})
    if (a == corner || b == corner) return true;
  return false;
}

Colour greyAt(double depth) {
  // depth runs from about -1.4 (near) to 1.4 (far)
  const int g = std::clamp(int(std::lround(30 + 65 * (depth + 1.4))), 30, 205);
  return Colour(g | g << 8 | g << 16);
}

}  // namespace

TetrahedronWindow::TetrahedronWindow(Host& host, ProgramState& program)
    : GameController(host, program, WindowKind::Tetrahedron) {
  FrameMenus frame;
  frame.game = spaceGameMenu();
  frame.game.push_back({.id = "game.pyramids", .caption = "&Pyramids"});
  frame.subLevels = MenuEntry{.id = "sub", .caption = "&Sub-levels"};
  frame.subLevels->children = {
      {.id = "sub.easy", .caption = "Normal original-sized Delvo  (20 grids)", .checkable = true, .checked = true},
      {.id = "sub.full", .caption = "New mirror-sized Delvo  (36 grids)", .checkable = true},
  };
  frame.players = {
      {.id = "players.0", .caption = "&1 player", .checkable = true},
      {.id = "players.1", .caption = "&2 player", .checkable = true, .checked = true},
  };
  frame.options = {
      {.separator = true},
      {.id = "hide", .caption = "Hide non-scoring  made moves in Krunk games", .checkable = true, .checked = true},
      // The numbers beside the Lines are what a person clicks: shown from the start.
      {.id = "game.grid", .caption = "Show grid", .shortcut = "F12", .checkable = true, .checked = true},
      {.id = "game.keypad",
       .caption = "Show keypad for entering moves from online chats / text messages / phone",
       .shortcut = "Ctrl+F1",
       .checkable = true},
  };
  addMenus(kVariants, false, {}, std::move(frame));
  setupMenus_ = {"other", "sub", "games", "players.0", "players.1", "sd"};
  controls_ = {{.id = kNewGameButton, .caption = "New Game"},
               {.id = "view.up", .caption = "<<"},
               {.id = "view.down", .caption = ">>"}};

  setBoardSize(tetrahedron::kFullLines, tetrahedron::kFullTriangles);
  for (int v = 2; v <= 3; ++v) addView(tetrahedron::view(v, true));
  rules_.setGraph(&easy_);
  rules_.rememberInitialLines();
  rules_.setScoring({.manyScored = {"  Double score!      Two cool!", "  Triple score!      Awesome!",
                                    "  Quadruple score!    Amazing!"}});
  status_.rounds.push_back("");
  status_.lastMoveCaption = "";
  status_.lastMove = "Last move: ";
  chooseVariant(KrunkClassicEasy);
}

bool TetrahedronWindow::fullGame(int index) {
  return std::any_of(kEasyFull.begin(), kEasyFull.end(), [index](auto pair) { return pair.second == index; });
}
bool TetrahedronWindow::superKrunk() const {
  return variant() >= SuperClassicEasy && variant() != KrunkMoveEasy && variant() != KrunkMoveFull;
}
bool TetrahedronWindow::krunkMove() const { return variant() >= KrunkMoveEasy; }
bool TetrahedronWindow::classic() const {
  return variant() == KrunkClassicEasy || variant() == KrunkClassicFull || variant() == SuperClassicEasy ||
         variant() == SuperClassicFull;
}

// ---- The picture ----

Scene TetrahedronWindow::scene() const {
  const int points = full_ ? tetrahedron::kFullPoints : tetrahedron::kEasyPoints;
  double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
  for (int p = 0; p < points; ++p) {
    const Point3 q = turned(p);
    left = std::min(left, q.x), right = std::max(right, q.x), top = std::min(top, q.y), bottom = std::max(bottom, q.y);
  }
  auto at = [&](int p) {
    const Point3 q = turned(p);
    return Point2{kMargin + (q.x - left) * kScale, kMargin + 30 + (q.y - top) * kScale};
  };
  Scene s{.width = 2 * kMargin + (right - left) * kScale, .height = 2 * kMargin + 30 + (bottom - top) * kScale};
  const View& view = views().current();
  const bool hideIdle = menus_.at("hide").checked && circleVariant();

  for (int place = 1; place <= tetrahedron::kFullLines; ++place) {
    const int line = view.line(place);
    const LineDraw& d = drawing_.lines[std::size_t(line)];
    const auto [a, b] = tetrahedron::ends(place);
    const auto& cells = rules_.graph().lineCells;
    const bool idle = hideIdle && line <= lineCount() && rules_.claimed(line) &&
                      std::none_of(cells[std::size_t(line)].begin(), cells[std::size_t(line)].end(),
                                   [&](int c) { return rules_.cellOwner(c) != 0; });
    const bool free = d.colour == kUnclaimedLine;
    s.strokes.push_back({.a = at(a),
                         .b = at(b),
                         .colour = free ? greyAt((turned(a).z + turned(b).z) / 2) : d.colour,
                         // The solid's edges stand out from the joins across its faces.
                         .width = free ? (edgeHalf(place) ? 3.0 : 1.5) : double(idle ? std::min(d.width, kHiddenWidth) : d.width),
                         // On the Full board the shared face lies inside the solid.
                         .dotted = full_ && free && onSharedFace(a) && onSharedFace(b),
                         .visible = place <= lineCount(),
                         .target = d.targetVisible ? Target::line(place) : Target{},
                         .number = line,
                         // the number of a claimed Line is no longer shown
                         .numberShown = line > lineCount() || !rules_.claimed(line)});
  }
  for (int p = 0; p < points; ++p) s.dots.push_back({at(p), 4});
  for (int place = 1; place <= tetrahedron::kFullTriangles; ++place) {
    const int t = view.circle(place);
    const CircleDraw& d = drawing_.circles[std::size_t(t)];
    Point2 centre;
    for (int p : tetrahedron::corners()[std::size_t(place)]) centre = centre + (1.0 / 3) * at(p);
    s.shapes.push_back({.kind = Shape::Kind::Circle,
                        .centre = centre,
                        .radiusX = kMarkerRadius,
                        .border = d.border,
                        .fill = d.fill,
                        // In Tolva a marker shows only who scored its triangle.
                        .visible = place <= circleCount() && (d.targetVisible || d.fill != kBackground),
                        .target = d.targetVisible ? Target::circle(place) : Target{}});
  }
  s.texts.push_back({.at = {s.width / 2, 20}, .text = "View " + std::to_string(views().number()), .size = 14});
  return s;
}

// ---- What the board says, for the checks ----

std::pair<int, int> TetrahedronWindow::pointsOnBoard() const {
  return countPointsOnBoard(rules_.graph(), circleVariant() && classic(), {kRed, kRedTurnText});
}

int TetrahedronWindow::movesLeft() const {
  return circleVariant() ? rules_.unusedCircles() : lineCount() - rules_.claimedLineCount();
}

std::optional<std::string> TetrahedronWindow::movesLeftOnBoard() const {
  const int left = movesLeft();
  return left == 0 ? std::string("Game over") : std::to_string(left) + " moves left";
}

void TetrahedronWindow::showMovesLeft() { status_.movesLeft = *movesLeftOnBoard(); }

// ---- Menus and buttons ----

void TetrahedronWindow::onMenu(const std::string& id) {
  if (id == "sub.easy" || id == "sub.full") {
    // The level's games only; the game chosen moves to its like on the other board.
    const bool toFull = id == "sub.full";
    for (auto [easy, full] : kEasyFull)
      if (variant() == (toFull ? easy : full)) chooseVariant(toFull ? full : easy);
    showLevel(toFull);
  } else if (id == "game.pyramids") {
    host_.showMessage("Well?", "   There are pyramids in the center of the Tetrahedron. How many are there?", {});
  } else if (id == "hide") {
    menus_.at(id).checked = !menus_.at(id).checked;
  }
}

void TetrahedronWindow::showLevel(bool full) {
  menus_.at("sub.easy").checked = !full;
  menus_.at("sub.full").checked = full;
  for (auto [easy, fullIndex] : kEasyFull) {
    menus_.at("games." + std::to_string(easy)).visible = !full;
    menus_.at("games." + std::to_string(fullIndex)).visible = full;
  }
}

void TetrahedronWindow::onControl(const Control& c) { turnView(c.id == "view.up" ? 1 : -1); }

void TetrahedronWindow::variantChosen() {
  useBoard(fullGame(variant()));
  showLevel(full_);
  showMovesLeft();
}

void TetrahedronWindow::useBoard(bool full) {
  // Chosen between games, on a clean board.
  full_ = full;
  rules_.setGraph(full ? &fullGraph_ : &easy_);
}

void TetrahedronWindow::openGame() { openWithBlue(); }

// ---- Line moves (Tolva) ----

void TetrahedronWindow::onLineClick(int n) {
  if (rules_.moveLock() || status_.gameOver) return;
  if (rules_.claimed(n)) {
    status_.turnText = "   Invalid move!";
    return;
  }
  playLine(n, rules_.toMove());
}

void TetrahedronWindow::playLine(int n, Player mover) {
  lockSetup();
  rules_.takeTurn();
  rules_.setClaimWidth(kLineWidth);
  rules_.claimLine(n, lineColour(mover), int(mover), mover);
  status_.lastMove = "Last move: " + std::to_string(n);
  timer_.reset();
  timer_.stop();
  rules_.checkwins(LineRule::Tolva);
  showMovesLeft();
  // The triangles just completed flash before the game goes on.
  flashThen(rules_.newlyCompleted(), [this] {
    if (movesLeft() == 0) finishGame();
    else handOver();
  });
}

// ---- Triangle moves (the Krunk games) ----

std::vector<int> TetrahedronWindow::claimedLines(int t) const {
  std::vector<int> lines = tetrahedron::triangles()[std::size_t(t)];
  if (!superKrunk()) return lines;
  // A side that is half an edge of the solid carries on to the edge's other half.
  for (int side : tetrahedron::triangles()[std::size_t(t)]) {
    const auto [a, b] = tetrahedron::ends(side);
    for (int l = 1; l <= lineCount(); ++l) {
      const auto [c, d] = tetrahedron::ends(l);
      const int shared = c == a || c == b ? c : d == a || d == b ? d : -1;
      if (l == side || shared < 0) continue;
      const int far = shared == c ? d : c, near = shared == a ? b : a;
      // the three points in a row, the shared one in the middle
      const Point3 p = tetrahedron::points()[std::size_t(near)], q = tetrahedron::points()[std::size_t(shared)],
                   r = tetrahedron::points()[std::size_t(far)];
      const Point3 u = q + (-1.0) * p, v = r + (-1.0) * q;
      if (dot(u, v) > 0.999 * std::sqrt(dot(u, u) * dot(v, v))) lines.push_back(l);
    }
  }
  return lines;
}

GameController::ColourCircles TetrahedronWindow::colourCircles() const {
  return {.count = classic() ? LineGame::CellCount::ByColour : LineGame::CellCount::KeepByColour,
          .claimWidth = kTriangleWidth,
          .krunkMove = krunkMove()};
}

void TetrahedronWindow::onCircleClick(int t) {
  if (rules_.moveLock() || status_.gameOver) return;
  if (rules_.circleUsed(t)) {
    status_.turnText = "Invalid move!";
    return;
  }
  playColourCircle(t, rules_.toMove());
}

// ---- The computer (Red) ----

void TetrahedronWindow::computerTurn() {
  schedule(kPauseMs, [this] {
    if (circleVariant()) computerTriangle();
    else computerLine();
  });
}

void TetrahedronWindow::computerLine() {
  if (const int line = previewGreedyLine(kLineWidth))
    schedule(kPauseMs, [this, line] { playLine(line, Player::Red); });
}

void TetrahedronWindow::computerTriangle() {
  if (const int t = previewColourCircle()) schedule(kPauseMs, [this, t] { playColourCircle(t, Player::Red); });
}

}  // namespace kp
