#include "boards/triangular/triangular4d_window.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/projection.h"

namespace kp {

namespace {

using W = Triangular4dWindow;

const std::vector<VariantEntry> kVariants = {
    {.index = W::Tolva,
     .caption = "Tolva",
     .boardCaption = "Game = Tolva",
     .tip = W::kTolvaTip,
     .prompt = kLinePrompt},
    {.index = W::KrunkClassic,
     .caption = "Krunk  (Classic)",
     .boardCaption = "Game = Krunk (Classic)",
     .tip = W::kClassicTip,
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = W::KrunkSet,
     .caption = "Krunk  (Set count)",
     .boardCaption = "Game = Krunk (Set count)",
     .tip = W::kSetCountTip,
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = W::SuperClassic,
     .caption = "Super Krunk  (Classic)",
     .boardCaption = "Game = Super Krunk (Classic)",
     .tip = W::kSuperClassicTip,
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = W::SuperSet,
     .caption = "Super Krunk  (Set count)",
     .boardCaption = "Game = Super Krunk (Set count)",
     .tip = W::kSuperSetCountTip,
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = W::KrunkMove,
     .caption = "Krunk  (Set count with Krunk move)",
     .boardCaption = "Game = Krunk (Krunk move)",
     .tip = W::kKrunkMoveTip,
     .circles = true,
     .prompt = kCirclePrompt},
    {.index = W::SuperMove,
     .caption = "Super Krunk  (Set count with Krunk move)",
     .boardCaption = "Game = Super Krunk (w/ Krunk move)",
     .tip = W::kSuperKrunkMoveTip,
     .circles = true,
     .prompt = kCirclePrompt},
};

// The picture fits a box of this size, below the view's name.
constexpr double kWidth = 600, kHeight = 520, kMargin = 40, kTitle = 30;

// How the solid is seen: turned in the six planes of 4D, then looked at straight down its
// z and w axes, z giving the depth. The turn was found by a search over whole degrees: the
// five corners stand round the outside in their ring order, anticlockwise (so "<<" turns
// the picture to the left and ">>" to the right), every point keeps well off the Lines it
// does not end, the 60 triangle markers keep clear of one another and of the points, and
// the Line numbers still find room beside their Lines at full size.
const Matrix4& seen() {
  static const Matrix4 m = rotation(Plane::XY, 49) * rotation(Plane::XZ, 114) * rotation(Plane::XW, 9) *
                           rotation(Plane::YZ, 27) * rotation(Plane::YW, 324) * rotation(Plane::ZW, 118);
  return m;
}
Point4 turned(int point) { return seen() * simplex4::points()[std::size_t(point)]; }

// A half of an edge of the solid: a Line from a corner.
bool edgeHalf(int line) { return simplex4::ends(line).first < simplex4::kCorners; }

TriangleSolidWindow::Solid solid() {
  TriangleSolidWindow::Solid s;
  for (Point4 p : simplex4::points()) s.points.push_back({p.x, p.y, p.z, p.w});
  s.ends.push_back({0, 0});
  for (int n = 1; n <= simplex4::kLines; ++n) s.ends.push_back(simplex4::ends(n));
  s.triangles = simplex4::triangles();
  return s;
}

}  // namespace

Triangular4dWindow::Triangular4dWindow(Host& host, ProgramState& program)
    : TriangleSolidWindow(host, program, WindowKind::Triangular4d, solid(),
                          {.next = "Show the next view: every corner one step on round the ring of five",
                           .before = "Show the view before: every corner one step back round the ring of five"}) {
  FrameMenus frame;
  frame.game = {
      {.id = "game.new", .caption = "New", .shortcut = "F5"},
      {.id = "game.exit", .caption = "E&xit", .shortcut = "F9"},
      {.id = "game.about", .caption = "&About...", .shortcut = "F2"},
  };
  frame.players = {
      {.id = "players.0", .caption = "&1 Player", .checkable = true},
      {.id = "players.1", .caption = "&2 Player", .checkable = true, .checked = true},
  };
  frame.options = solidOptions();
  frame.afterOptions = solidMenus();
  frame.expert = true;
  addMenus(kVariants, false, {}, std::move(frame));

  setBoardSize(simplex4::kLines, simplex4::kTriangles);
  for (int v = 2; v <= simplex4::kViews; ++v) addView(simplex4::view(v));
  rules_.setGraph(&graph_);
  rules_.rememberInitialLines();
  chooseVariant(KrunkClassic);
  // The window opens on a new game, Blue to move.
  newGameKeepingOpener();
}

Scene Triangular4dWindow::scene() const {
  // The picture never changes its size: laid out once.
  struct Layout {
    std::vector<Point2> at;
    double width, height;
  };
  static const Layout layout = [] {
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
    for (int p = 0; p < simplex4::kPoints; ++p) {
      const Point4 q = turned(p);
      left = std::min(left, q.x), right = std::max(right, q.x), top = std::min(top, q.y);
      bottom = std::max(bottom, q.y);
    }
    const double scale = std::min(kWidth / (right - left), kHeight / (bottom - top));
    Layout l{{}, 2 * kMargin + (right - left) * scale, 2 * kMargin + kTitle + (bottom - top) * scale};
    for (int p = 0; p < simplex4::kPoints; ++p) {
      const Point4 q = turned(p);
      l.at.push_back({kMargin + (q.x - left) * scale, kMargin + kTitle + (q.y - top) * scale});
    }
    return l;
  }();
  return solidScene(layout.width, layout.height, layout.at, simplex4::kPoints, [](int place) {
    const auto [a, b] = simplex4::ends(place);
    return FreeLineLook{.colour = depthGrey((turned(a).z + turned(b).z) / 2),
                        // The solid's edges stand out from the joins across its faces.
                        .width = edgeHalf(place) ? 3.0 : 1.5};
  });
}

}  // namespace kp
