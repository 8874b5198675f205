#include "core/scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <stdexcept>

#include "boards/flat/square_board.h"
#include "boards/triangular/triangle_board.h"
#include "core/projection.h"
#include "core/view.h"

namespace kp {
namespace {

template <class P>
double gap(P a, P b) {
  const P d = a + (-1.0) * b;
  return std::sqrt(dot(d, d));
}

TEST(Projection, TurnsAreRightHandedAndComeBackAfterFourQuarters) {
  const struct {
    Axis axis;
    Point3 from, to;
  } cases[] = {{Axis::Z, {1, 0, 0}, {0, 1, 0}}, {Axis::X, {0, 1, 0}, {0, 0, 1}}, {Axis::Y, {0, 0, 1}, {1, 0, 0}}};
  const Point3 p{1, 2, 3};
  for (const auto& c : cases) {
    const Matrix3 quarter = rotation(c.axis, 90);
    EXPECT_NEAR(gap(quarter * c.from, c.to), 0, 1e-12) << int(c.axis);
    EXPECT_NEAR(gap(quarter * quarter * quarter * quarter * p, p), 0, 1e-12) << int(c.axis);
  }
  // In 4D a quarter turn in the plane ab on (1, 2, 3, 4): a takes minus b, b takes a, the rest stay.
  const struct {
    Plane plane;
    Point4 to;
  } planes[] = {{Plane::XY, {-2, 1, 3, 4}}, {Plane::XZ, {-3, 2, 1, 4}}, {Plane::XW, {-4, 2, 3, 1}},
                {Plane::YZ, {1, -3, 2, 4}}, {Plane::YW, {1, -4, 3, 2}}, {Plane::ZW, {1, 2, -4, 3}}};
  const Point4 q{1, 2, 3, 4};
  for (const auto& c : planes) {
    const Matrix4 quarter = rotation(c.plane, 90);
    EXPECT_NEAR(gap(quarter * q, c.to), 0, 1e-12) << int(c.plane);
    EXPECT_NEAR(gap(quarter * quarter * quarter * quarter * q, q), 0, 1e-12) << int(c.plane);
  }
}

TEST(Projection, ProjectionsPlaceKnownPoints) {
  const Point2 slanted = oblique({1, 2, 2}, 0.5, 60);
  EXPECT_NEAR(slanted.x, 1.5, 1e-12);
  EXPECT_NEAR(slanted.y, 2 - std::sqrt(3.0) / 2, 1e-12);
  const Point2 far = perspective(Point3{2, 4, 10}, 10), onPlane = perspective(Point3{2, 4, 0}, 10);
  EXPECT_NEAR(far.x, 1, 1e-12);
  EXPECT_NEAR(far.y, 2, 1e-12);
  EXPECT_NEAR(onPlane.x, 2, 1e-12);
  // The tesseract's corner (1, 1, 1, w): the w = 1 cube is drawn inside the w = -1 one.
  EXPECT_NEAR(gap(perspective(Point4{1, 1, 1, 1}, 3), Point3{0.75, 0.75, 0.75}), 0, 1e-12);
  EXPECT_NEAR(gap(perspective(Point4{1, 1, 1, -1}, 3), Point3{1.5, 1.5, 1.5}), 0, 1e-12);
}

// Lines 1..4 turned one place on; circles 1 and 2 swapped.
const View kCycle({0, 2, 3, 4, 1}, {0, 2, 1});

TEST(View, PowersInversesAndTheOrderOfComposing) {
  const View id = View::identity(4, 2);
  EXPECT_EQ(kCycle.power(0), id);
  EXPECT_EQ(kCycle.power(4), id);
  EXPECT_EQ(kCycle.power(5), kCycle);
  EXPECT_EQ(kCycle.power(3), kCycle.inverse());
  EXPECT_EQ(kCycle.then(kCycle.inverse()), id);
  for (int p = 1; p <= 4; ++p) EXPECT_EQ(kCycle.place(kCycle.line(p)), p);
  EXPECT_EQ(kCycle.circlePlace(1), 2);

  const View a({0, 2, 1, 3}, {0}), b({0, 1, 3, 2}, {0});
  EXPECT_EQ(a.then(b).line(1), 3);  // a takes place 1 to 2, b takes 2 to 3
  EXPECT_EQ(b.then(a).line(1), 2);
}

TEST(View, RefusesWhatIsNotAPermutation) {
  const std::vector<int> bad[] = {{}, {0, 1, 1}, {0, 0, 1}, {0, 1, 3}, {0, -1}};
  for (const auto& table : bad) {
    EXPECT_THROW(View(table, {0}), std::invalid_argument);
    EXPECT_THROW(View({0}, table), std::invalid_argument);
  }
  EXPECT_THROW(kCycle.then(View::identity(3, 2)), std::invalid_argument);
  EXPECT_THROW(kCycle.power(-1), std::invalid_argument);
}

TEST(View, TheCurrentViewReadsClicksAndTheViewsGoRound) {
  Views views(4, 2);
  EXPECT_EQ(views.add(kCycle), 2);
  EXPECT_EQ(views.add(kCycle.power(2)), 3);
  EXPECT_EQ(views.current().read(Target::line(1)), Target::line(1));
  views.next();
  EXPECT_EQ(views.current().read(Target::line(1)), Target::line(2));
  EXPECT_EQ(views.current().read(Target::circle(2)), Target::circle(1));
  EXPECT_EQ(views.current().read(Target::checkBox(2)), Target::checkBox(2));
  views.next();
  views.next();
  EXPECT_EQ(views.number(), 1);
  views.previous();
  EXPECT_EQ(views.number(), 3);
  EXPECT_THROW(views.add(View::identity(4, 3)), std::invalid_argument);
}

TEST(Scene, HitFindsTheNearestShownTarget) {
  Scene scene;
  scene.strokes = {{.a = {0, 0}, .b = {100, 0}, .target = Target::line(1)},
                   {.a = {0, 50}, .b = {100, 50}, .target = Target::line(2)},
                   {.a = {0, 20}, .b = {100, 20}, .visible = false, .target = Target::line(3)},
                   {.a = {0, -20}, .b = {100, -20}}};
  scene.shapes = {{.centre = {50, 40}, .radiusX = 10, .target = Target::circle(7)},
                  {.centre = {250, 50}, .radiusX = 10, .visible = false, .target = Target::circle(9)},
                  {.kind = Shape::Kind::Polygon,
                   .points = {{200, 0}, {300, 0}, {300, 100}, {200, 100}},
                   .target = Target::checkBox(3)}};
  const struct {
    Point2 at;
    double tolerance;
    Target expected;
  } cases[] = {
      {{10, 18}, 25, Target::line(1)},       // the hidden Line 3 lies nearer
      {{10, -22}, 25, Target::line(1)},      // the Line without a target lies nearer
      {{90, 25}, 30, Target::line(1)},       // halfway: the lower number
      {{90, 25}, 25, Target{}},              // exactly at the tolerance is too far
      {{10, -30}, 25, Target{}},             // beyond the tolerance
      {{50, 52}, 25, Target::circle(7)},     // a circle wins over a nearer Line
      {{50, 60}, 25, Target::line(2)},       // past the circle's reach
      {{250, 50}, 25, Target::checkBox(3)},  // inside the square, not the hidden circle in it
      {{199, 50}, 25, Target{}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(scene.hit(c.at, c.tolerance), c.expected) << c.at.x << "," << c.at.y << " within " << c.tolerance;
}

TEST(Scene, FlatBoardScenesDrawAndHitAsTheBoardWindowDoes) {
  const BoardGeometry boards[] = {square::geometry(), triangular::geometry()};
  for (const BoardGeometry& g : boards) {
    const int lines = int(g.lines.size()) - 1, circles = int(g.circles.size()) - 1;
    Drawing d;
    d.resize(lines, circles);
    d.lines[2] = {kRed, kClaimedWidth, true, true};
    d.circles[3].fill = kBlue;
    Scene s = sceneOf(g, d);
    ASSERT_EQ(int(s.strokes.size()), lines);
    ASSERT_EQ(int(s.shapes.size()), circles);
    ASSERT_EQ(s.dots.size(), g.dots.size());
    EXPECT_EQ(s.strokes[1].colour, kRed);
    EXPECT_EQ(s.strokes[1].width, kClaimedWidth);
    EXPECT_EQ(s.shapes[2].fill, kBlue);
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

    // Seen through a view that swaps Lines 1 and 2, place 1 shows Line 2's claim.
    std::vector<int> lineAt(std::size_t(lines) + 1), circleAt(std::size_t(circles) + 1);
    std::iota(lineAt.begin(), lineAt.end(), 0);
    std::iota(circleAt.begin(), circleAt.end(), 0);
    std::swap(lineAt[1], lineAt[2]);
    const View swapped(lineAt, circleAt);
    s = sceneOf(g, d, &swapped);
    EXPECT_EQ(s.strokes[0].colour, kRed);
    EXPECT_EQ(s.strokes[1].colour, kUnclaimedLine);
  }
}

}  // namespace
}  // namespace kp
