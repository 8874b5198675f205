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
    {.index = T::TolvaEasy,
     .caption = "Tolva  (Easy level)",
     .boardCaption = "Game = Tolva (Easy Level)",
     .tip = T::kTolvaTip,
     .prompt = kLinePrompt},
    {.index = 1, .caption = "(Easy level)", .boardCaption = "", .prompt = kLinePrompt, .hidden = true},
    {.index = T::TolvaFull,
     .caption = "Tolva  (Full level)",
     .boardCaption = "Game = Tolva",
     .tip = T::kTolvaTip,
     .prompt = kLinePrompt},
    {.index = 3, .caption = "(Full level)", .boardCaption = "", .prompt = kLinePrompt, .hidden = true},
    {.index = T::KrunkClassicEasy,
     .caption = "Krunk  (Classic - Easy level)",
     .boardCaption = "Game = Krunk (Classic - Easy Level)",
     .tip = T::kClassicTip,
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = T::KrunkSetEasy,
     .caption = "Krunk  (Set count - Easy level)",
     .boardCaption = "Game = Krunk (Set count - Easy Level)",
     .tip = T::kSetCountTip,
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = T::KrunkClassicFull,
     .caption = "Krunk  (Classic - Full level)",
     .boardCaption = "Game = Krunk (Classic)",
     .tip = T::kClassicTip,
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = T::KrunkSetFull,
     .caption = "Krunk  (Set count - Full level)",
     .boardCaption = "Game = Krunk (Set count)",
     .tip = T::kSetCountTip,
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = T::SuperClassicEasy,
     .caption = "Super Krunk (Classic - Easy level)",
     .boardCaption = "Game = Super Krunk (Classic - Easy Level)",
     .tip = T::kSuperClassicTip,
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = T::SuperSetEasy,
     .caption = "Super Krunk (Set count - Easy level)",
     .boardCaption = "Game = Super Krunk (Set count - Easy Level)",
     .tip = T::kSuperSetCountTip,
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = T::SuperClassicFull,
     .caption = "Super Krunk  (Classic - Full level)",
     .boardCaption = "Game = Super Krunk (Classic)",
     .tip = T::kSuperClassicTip,
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = T::SuperSetFull,
     .caption = "Super Krunk  (Set count - Full level)",
     .boardCaption = "Game = Super Krunk (Set count)",
     .tip = T::kSuperSetCountTip,
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = T::KrunkMoveEasy,
     .caption = "Krunk  (Set count with Krunk move - Easy level)",
     .boardCaption = "Game = Krunk (Krunk move - Easy Level)",
     .tip = T::kKrunkMoveTip,
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = T::KrunkMoveFull,
     .caption = "Krunk  (Set count with Krunk move - Full level)",
     .boardCaption = "Game = Krunk (Krunk move)",
     .tip = T::kKrunkMoveTip,
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = T::SuperMoveEasy,
     .caption = "Super Krunk  (Set count with Krunk move - Easy level)",
     .boardCaption = "Game = Super Krunk (w/ Krunk move - Easy)",
     .tip = T::kSuperKrunkMoveTip,
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = T::SuperMoveFull,
     .caption = "Super Krunk  (Set count with Krunk move - Full level)",
     .boardCaption = "Game = Super Krunk (w/ Krunk move)",
     .tip = T::kSuperKrunkMoveTip,
     .circles = true,
     .prompt = kCirclePrompt},
};

constexpr ViewTips kViewTips = {
    .next = "Show the next view: the solid a third of a turn on about the axis through both apexes",
    .before = "Show the view before: the solid a third of a turn back about that axis"};

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

TriangleSolidWindow::Solid solid() {
  TriangleSolidWindow::Solid s;
  for (Point3 p : tetrahedron::points()) s.points.push_back({p.x, p.y, p.z});
  s.ends.push_back({0, 0});
  for (int n = 1; n <= tetrahedron::kFullLines; ++n) s.ends.push_back(tetrahedron::ends(n));
  s.triangles = tetrahedron::triangles();
  return s;
}

}  // namespace

TetrahedronWindow::TetrahedronWindow(Host& host, ProgramState& program)
    : TriangleSolidWindow(host, program, WindowKind::Tetrahedron, solid(), kViewTips) {
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
  frame.options = solidOptions();
  frame.afterOptions = solidMenus();
  frame.expert = true;
  addMenus(kVariants, false, {}, std::move(frame));

  setBoardSize(tetrahedron::kFullLines, tetrahedron::kFullTriangles);
  for (int v = 2; v <= 3; ++v) addView(tetrahedron::view(v, true));
  rules_.setGraph(&easy_);
  rules_.rememberInitialLines();
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
  const int points = fullGame(variant()) ? tetrahedron::kFullPoints : tetrahedron::kEasyPoints;
  double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
  for (int p = 0; p < points; ++p) {
    const Point3 q = turned(p);
    left = std::min(left, q.x), right = std::max(right, q.x), top = std::min(top, q.y), bottom = std::max(bottom, q.y);
  }
  std::vector<Point2> at;
  for (int p = 0; p < tetrahedron::kFullPoints; ++p) {
    const Point3 q = turned(p);
    at.push_back({kMargin + (q.x - left) * kScale, kMargin + 30 + (q.y - top) * kScale});
  }
  return solidScene(2 * kMargin + (right - left) * kScale, 2 * kMargin + 30 + (bottom - top) * kScale, at, points,
                    [this](int place) {
                      const auto [a, b] = tetrahedron::ends(place);
                      return FreeLineLook{.colour = depthGrey((turned(a).z + turned(b).z) / 2),
                                          // The solid's edges stand out from the joins across its faces.
                                          .width = edgeHalf(place) ? 3.0 : 1.5,
                                          // On the Full board the shared face lies inside the solid.
                                          .dotted = fullGame(variant()) && onSharedFace(a) && onSharedFace(b)};
                    });
}

// ---- Menus and buttons ----

void TetrahedronWindow::onBoardMenu(const std::string& id) {
  if (id == "sub.easy" || id == "sub.full") {
    // The level's games only; the game chosen moves to its like on the other board.
    const bool toFull = id == "sub.full";
    for (auto [easy, full] : kEasyFull)
      if (variant() == (toFull ? easy : full)) chooseVariant(toFull ? full : easy);
    showLevel(toFull);
  } else if (id == "game.pyramids") {
    host_.showMessage("Well?", "   There are pyramids in the center of the Tetrahedron. How many are there?", {});
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

void TetrahedronWindow::variantChosen() {
  // After the end the finished game stays on its board until New game.
  if (!status_.gameOver) useBoard(fullGame(variant()));
  showLevel(fullGame(variant()));
  showMarkers();
  showMovesLeft();
}

void TetrahedronWindow::openGame() {
  useBoard(fullGame(variant()));
  TriangleSolidWindow::openGame();
}

void TetrahedronWindow::gameFinished() {
  TriangleSolidWindow::gameFinished();
  for (const char* id : {"sub", "games", "options"}) menus_.at(id).enabled = true;
}

int TetrahedronWindow::linesShown() const {
  return fullGame(variant()) ? tetrahedron::kFullLines : tetrahedron::kEasyLines;
}
int TetrahedronWindow::trianglesShown() const {
  return fullGame(variant()) ? tetrahedron::kFullTriangles : tetrahedron::kEasyTriangles;
}

void TetrahedronWindow::useBoard(bool full) {
  // Chosen between games, on a clean board.
  full_ = full;
  rules_.setGraph(full ? &fullGraph_ : &easy_);
}

}  // namespace kp
