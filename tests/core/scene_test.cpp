#include "core/scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "boards/flat/square_board.h"
#include "boards/triangular/triangle_board.h"
#include "core/projection.h"
#include "core/view.h"

namespace kp {
namespace {

double dot(Point2 a, Point2 b) { return a.x * b.x + a.y * b.y; }

template <class P>
double gap(P a, P b) {
  const P d = a + (-1.0) * b;
  return std::sqrt(dot(d, d));
}

// A quarter turn in the plane ab, right-handed, of (1, 2, 3) or (1, 2, 3, 4): a takes minus
// b, b takes a, the rest stay. Turns compose as matrices in the order they apply. The
// projections then place known points.
TEST(Projection, QuarterTurnsAreRightHandedAndProjectionsPlaceKnownPoints) {
  const Point3 p{1, 2, 3};
  const std::pair<Axis, Point3> axes[] = {{Axis::Z, {-2, 1, 3}}, {Axis::X, {1, -3, 2}}, {Axis::Y, {3, 2, -1}}};
  for (const auto& [axis, to] : axes) EXPECT_NEAR(gap(rotation(axis, 90) * p, to), 0, 1e-12) << int(axis);
  const std::pair<Plane, Point4> planes[] = {{Plane::XY, {-2, 1, 3, 4}}, {Plane::XZ, {-3, 2, 1, 4}},
                                             {Plane::XW, {-4, 2, 3, 1}}, {Plane::YZ, {1, -3, 2, 4}},
                                             {Plane::YW, {1, -4, 3, 2}}, {Plane::ZW, {1, 2, -4, 3}}};
  for (const auto& [plane, to] : planes)
    EXPECT_NEAR(gap(rotation(plane, 90) * Point4{1, 2, 3, 4}, to), 0, 1e-12) << int(plane);
  const Matrix3 x = rotation(Axis::X, 90), z = rotation(Axis::Z, 30);
  EXPECT_NEAR(gap((x * z) * p, x * (z * p)), 0, 1e-12);

  EXPECT_NEAR(gap(oblique({1, 2, 2}, 0.5, 60), Point2{1.5, 2 - std::sqrt(3.0) / 2}), 0, 1e-12);
  EXPECT_NEAR(gap(perspective(Point3{2, 4, 10}, 10), Point2{1, 2}), 0, 1e-12);
  // The tesseract's corner (1, 1, 1, w): the w = 1 cube is drawn inside the w = -1 one.
  EXPECT_NEAR(gap(perspective(Point4{1, 1, 1, 1}, 3), Point3{0.75, 0.75, 0.75}), 0, 1e-12);
  EXPECT_NEAR(gap(perspective(Point4{1, 1, 1, -1}, 3), Point3{1.5, 1.5, 1.5}), 0, 1e-12);
}

// Lines 1..4 and circles 1..4 turned one place on.
TEST(View, PowersInversesComposingAndTheViewsGoingRound) {
  const View cycle({0, 2, 3, 4, 1}, {0, 2, 3, 4, 1}), id = View::identity(4, 4);
  EXPECT_TRUE(cycle.power(0) == id && cycle.power(4) == id && cycle.power(5) == cycle);
  EXPECT_EQ(cycle.power(3), cycle.inverse());
  EXPECT_EQ(cycle.then(cycle.inverse()), id);
  for (const View& v : {cycle, cycle.inverse()})
    for (int p = 1; p <= 4; ++p) EXPECT_EQ(v.place(v.line(p)), p);
  EXPECT_EQ(cycle.circlePlace(1), 4);
  const View a({0, 2, 1, 3}, {0}), b({0, 1, 3, 2}, {0});
  EXPECT_EQ(a.then(b).line(1), 3);  // a takes place 1 to 2, b takes 2 to 3
  EXPECT_EQ(b.then(a).line(1), 2);
  for (const std::vector<int>& bad : {std::vector<int>{}, {0, 1, 1}, {0, 0, 1}, {0, 1, 3}, {0, -1}}) {
    EXPECT_THROW(View(bad, {0}), std::invalid_argument);
    EXPECT_THROW(View({0}, bad), std::invalid_argument);
  }
  EXPECT_THROW(cycle.then(View::identity(3, 4)), std::invalid_argument);
  EXPECT_THROW(cycle.power(-1), std::invalid_argument);

  // The current view reads clicks on Lines and circles, never on check boxes.
  Views views(4, 4);
  EXPECT_EQ(views.add(cycle), 2);
  EXPECT_EQ(views.add(cycle.power(2)), 3);
  EXPECT_THROW(views.add(View::identity(4, 3)), std::invalid_argument);
  views.next();
  EXPECT_EQ(views.current().read(Target::line(1)), Target::line(2));
  EXPECT_EQ(views.current().read(Target::circle(2)), Target::circle(3));
  EXPECT_EQ(views.current().read(Target::checkBox(2)), Target::checkBox(2));
  views.next();
  views.next();
  EXPECT_EQ(views.number(), 1);
  views.previous();
  EXPECT_EQ(views.number(), 3);
}

TEST(Scene, HitFindsTheNearestShownTarget) {
  Scene scene;
  scene.strokes = {{.a = {0, 0}, .b = {100, 0}, .target = Target::line(1)},
                   {.a = {0, 50}, .b = {100, 50}, .target = Target::line(2)},
                   {.a = {0, 20}, .b = {100, 20}, .visible = false, .target = Target::line(3)},
                   {.a = {0, -20}, .b = {100, -20}}};
  scene.shapes = {{.centre = {50, 40}, .radiusX = 10, .target = Target::circle(7)},
                  {.centre = {250, 50}, .radiusX = 10, .visible = false, .target = Target::circle(9)},
                  // Two circles, the second painted over the first.
                  {.centre = {400, 0}, .radiusX = 10, .target = Target::circle(11)},
                  {.centre = {400, 8}, .radiusX = 10, .target = Target::circle(12)},
                  {.kind = Shape::Kind::Polygon,
                   .points = {{200, 0}, {300, 0}, {300, 100}, {200, 100}},
                   .target = Target::checkBox(3)}};
  const std::tuple<Point2, double, Target> cases[] = {
      {{10, 18}, 25, Target::line(1)},       // the hidden Line 3 lies nearer
      {{10, -22}, 25, Target::line(1)},      // the Line without a target lies nearer
      {{90, 25}, 30, Target::line(1)},       // halfway: the lower number
      {{90, 25}, 25, Target{}},              // exactly at the tolerance is too far
      {{50, 52}, 25, Target::circle(7)},     // a circle wins over a nearer Line
      {{50, 60}, 25, Target::line(2)},       // past the circle's reach
      {{250, 50}, 25, Target::checkBox(3)},  // inside the square, not the hidden circle in it
      {{199, 50}, 25, Target{}},
      {{400, 1}, 25, Target::circle(12)},    // nearer circle 11's centre, but on circle 12 in front
      {{400, -12}, 25, Target::circle(11)},  // off both discs, in 11's reach only
  };
  for (const auto& [at, tolerance, expected] : cases)
    EXPECT_EQ(scene.hit(at, tolerance), expected) << at.x << "," << at.y << " within " << tolerance;
}

TEST(Scene, FlatBoardScenesDrawAndHitAsTheBoardWindowDoes) {
  for (const BoardGeometry& g : {square::geometry(), triangular::geometry()}) {
    const int lines = int(g.lines.size()) - 1, circles = int(g.circles.size()) - 1;
    Drawing d;
    d.resize(lines, circles);
    d.lines[2] = {kRed, kClaimedWidth, true, true};
    d.circles[3].fill = kBlue;
    Scene s = sceneOf(g, d);
    ASSERT_EQ(int(s.strokes.size()), lines);
    ASSERT_EQ(int(s.shapes.size()), circles);
    ASSERT_EQ(s.dots.size(), g.dots.size());
    EXPECT_TRUE(s.strokes[1].colour == kRed && s.strokes[1].width == kClaimedWidth && s.shapes[2].fill == kBlue);
    EXPECT_EQ(s.shapes[0].radiusX, g.circleRadius);
    EXPECT_EQ(s.hitTolerance(), 25);
    // Line moves (circles take no clicks): every Line is hit at its middle.
    for (int l = 1; l <= lines; ++l) {
      const Segment& seg = g.lines[std::size_t(l)];
      EXPECT_EQ(s.hit({(seg.a.x + seg.b.x) / 2, (seg.a.y + seg.b.y) / 2}, s.hitTolerance()), Target::line(l));
    }
    // Circle moves: every circle is hit at its centre.
    for (auto& line : d.lines) line.targetVisible = false;
    for (auto& circle : d.circles) circle.targetVisible = true;
    s = sceneOf(g, d);
    for (int c = 1; c <= circles; ++c) EXPECT_EQ(s.hit(g.circles[std::size_t(c)], 25), Target::circle(c));
  }
}

}  // namespace
}  // namespace kp
