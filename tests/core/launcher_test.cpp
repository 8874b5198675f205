#include "core/launcher.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace kp {
namespace {

using Kind = LaunchResult::Kind;

bool everything(WindowKind) { return true; }
bool squareOnly(WindowKind k) { return k == WindowKind::Square; }

std::set<int> visibleIndices(const Launcher& l) {
  std::set<int> out;
  for (const auto& [i, label] : l.labels())
    if (label.visible) out.insert(i);
  return out;
}

Launcher expandedLauncher() {
  Launcher l;
  ProgramState p;
  for (int h : {Launcher::kHeader2d, Launcher::kHeader3d, Launcher::kHeader4d}) l.click(h, p, everything);
  return l;
}

bool sameLabels(const Launcher& a, const Launcher& b) {
  if (a.labels().size() != b.labels().size()) return false;
  for (const auto& [i, l] : a.labels()) {
    const LauncherLabel* o = b.label(i);
    if (!o || o->caption != l.caption || o->colour != l.colour || o->visible != l.visible) return false;
  }
  return true;
}

TEST(Launcher, StartsWithOnlyTheHeadersAndTheInstructionShown) {
  const Launcher l;
  const std::set<int> all = {0,  2,  3,  4,  5,  6,  7,  8,   9,   10, 11, 12, 13, 14, 15, 29, 30, 31,
                             32, 33, 34, 35, 36, 37, 38, 100, 101, 49, 50, 51, 52, 53, 54, 55, 122};
  std::set<int> present;
  for (const auto& [i, _] : l.labels()) present.insert(i);
  EXPECT_EQ(present, all);
  EXPECT_EQ(visibleIndices(l), (std::set<int>{0, 29, 49, 122}));
  EXPECT_EQ(l.label(122)->caption, "Click the name of a game to Quick-Launch it");
  EXPECT_EQ(l.label(122)->colour, 0x800080u);
  EXPECT_EQ(l.label(1), nullptr);
  EXPECT_FALSE(l.hoverIndex());
  // Blanks lead some names on purpose.
  EXPECT_EQ(l.label(4)->caption, " Krunk Delvo in Planor");
  EXPECT_EQ(l.label(8)->caption, "  1: Our House");
  EXPECT_EQ(l.label(9)->caption, " 2: Beyond Globoria (Torus)");
}

TEST(Launcher, NamesAreBlueByGroupAndMarkersRedOrOrange) {
  const Launcher l;
  for (const auto& [i, label] : l.labels()) {
    SCOPED_TRACE(i);
    if (label.caption == "New!") {
      EXPECT_TRUE(label.colour == 0xFFu || label.colour == 0x80FFu);
      EXPECT_FALSE(l.target(i));
    } else if (l.target(i)) {
      EXPECT_EQ(label.colour, i < 29 ? 0xFF0000u : 0xC00000u);
    }
  }
}

TEST(Launcher, EachHeaderOpensItsGroupOnceOnly) {
  struct Case {
    int header;
    const char* caption;
    std::set<int> shows;
  };
  const Case cases[] = {
      {0, "Krunk Planor Plexa 2014 in 2D", {2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15}},
      {29, "Krunk Plexa in 3D", {30, 31, 32, 33, 34, 35, 36, 37, 38, 100, 101}},
      {49, "Krunk Quadrion Plexa 2014 in 4D", {50, 51, 52, 53, 54, 55}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.header);
    Launcher l;
    ProgramState p;
    const std::string preview = l.label(c.header)->caption;
    EXPECT_NE(preview, c.caption);
    EXPECT_EQ(l.click(c.header, p, everything).kind, Kind::Expanded);
    EXPECT_EQ(l.label(c.header)->caption, c.caption);
    std::set<int> expected = {0, 29, 49, 122};
    expected.insert(c.shows.begin(), c.shows.end());
    EXPECT_EQ(visibleIndices(l), expected);
    // The second click finds the new caption and changes nothing.
    const Launcher before = l;
    EXPECT_EQ(l.click(c.header, p, everything).kind, Kind::Nothing);
    EXPECT_TRUE(sameLabels(l, before));
  }
}

TEST(Launcher, OnlyTheGloboriaNamesAndTheWallsWriteTheProgramValues) {
  struct Case {
    int index;
    WindowKind window;
    int subLevel;   // after the click, from -5
    int wallLevel;  // after the click, from -5
  };
  const Case cases[] = {
      {2, WindowKind::Square, -5, -5},        {3, WindowKind::Square, 1, -5},
      {4, WindowKind::Triangular, -5, -5},    {5, WindowKind::Triangular, 1, -5},
      {6, WindowKind::LargeSquare, -5, -5},   {7, WindowKind::LargeSquare, 1, -5},
      {8, WindowKind::House, -5, -5},         {9, WindowKind::Torus, -5, -5},
      {30, WindowKind::Cube, -5, -5},         {31, WindowKind::Wall, -5, 1},
      {32, WindowKind::Wall, -5, 2},          {33, WindowKind::Wall, -5, 3},
      {100, WindowKind::Tetrahedron, -5, -5}, {50, WindowKind::Wireframe, -5, -5},
      {51, WindowKind::Triangular4d, -5, -5}, {52, WindowKind::Quadrion, -5, -5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    Launcher l = expandedLauncher();
    ProgramState p;
    p.subLevel = -5;
    p.wallLevel = -5;
    const LaunchResult r = l.click(c.index, p, everything);
    EXPECT_EQ(r.kind, Kind::Open);
    EXPECT_EQ(r.window, c.window);
    EXPECT_EQ(p.subLevel, c.subLevel);
    EXPECT_EQ(p.wallLevel, c.wallLevel);
  }
}

TEST(Launcher, BeginnersPlanorKeepsWhateverSubLevelHolds) {
  Launcher l = expandedLauncher();
  ProgramState p;
  EXPECT_EQ(l.click(3, p, squareOnly).kind, Kind::Open);
  EXPECT_EQ(p.subLevel, 1);
  EXPECT_EQ(l.click(2, p, squareOnly).kind, Kind::Open);
  EXPECT_EQ(p.subLevel, 1) << "Beginner's Planor does not set Planor";
}

TEST(Launcher, AGameNotInThisVersionIsNamedAndWritesNothing) {
  struct Case {
    int index;
    const char* message;
  };
  const Case cases[] = {
      {5, "Krunk Delvo in Planor and Globoria is not in this version yet."},
      {7, "Super Krunk Plus is not in this version yet."},
      {32, "Krunk the Wall is not in this version yet."},
      {52, "Quadrion Krunk is not in this version yet."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    Launcher l = expandedLauncher();
    const Launcher before = l;
    ProgramState p;
    const LaunchResult r = l.click(c.index, p, squareOnly);
    EXPECT_EQ(r.kind, Kind::NotInThisVersion);
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(p.subLevel, 0);
    EXPECT_EQ(p.wallLevel, 1);
    EXPECT_TRUE(sameLabels(l, before));
  }
}

TEST(Launcher, ClicksOnNothingOrOnHiddenLabelsDoNothing) {
  Launcher fresh;
  ProgramState p;
  p.subLevel = 0;
  for (int i : {3, 32}) EXPECT_EQ(fresh.click(i, p, everything).kind, Kind::Nothing) << "hidden " << i;
  EXPECT_EQ(p.subLevel, 0);
  EXPECT_EQ(p.wallLevel, 1);

  Launcher l = expandedLauncher();
  const Launcher before = l;
  for (int i : {-1, 1, 10, 11, 12, 13, 38, 53, 56, 99, 122, 123, 200}) {
    EXPECT_EQ(l.click(i, p, everything).kind, Kind::Nothing) << i;
  }
  EXPECT_TRUE(sameLabels(l, before));
  EXPECT_EQ(p.subLevel, 0);
  EXPECT_EQ(p.wallLevel, 1);
}

TEST(Launcher, HoverGreensOneNameAndDarkensTheRest) {
  Launcher l = expandedLauncher();
  const std::set<int> highlightable = {2, 3, 4, 5, 6, 7, 30, 31, 32, 33, 50, 51, 52, 100};
  const Launcher start = l;

  EXPECT_TRUE(l.hover(4));
  EXPECT_EQ(l.hoverIndex(), 4);
  for (const auto& [i, label] : l.labels()) {
    SCOPED_TRACE(i);
    if (i == 4)
      EXPECT_EQ(label.colour, 0xC000u);
    else if (highlightable.count(i))
      EXPECT_EQ(label.colour, 0xC00000u);
    else
      EXPECT_EQ(label.colour, start.label(i)->colour);
  }
  const Launcher afterFirst = l;

  // Within the same name, over names that take no part, over markers: nothing changes.
  for (int i : {4, 8, 9, 10, 11, 12, 13, 29, 34, 53, 101, 122, 1, 200}) {
    EXPECT_FALSE(l.hover(i)) << i;
    EXPECT_EQ(l.hoverIndex(), 4);
  }
  EXPECT_TRUE(sameLabels(l, afterFirst));
  // Back from a marker onto the remembered name: still nothing.
  EXPECT_FALSE(l.hover(4));

  EXPECT_TRUE(l.hover(100));
  EXPECT_EQ(l.label(4)->colour, 0xC00000u);
  EXPECT_EQ(l.label(100)->colour, 0xC000u);
  EXPECT_EQ(l.hoverIndex(), 100);
}

TEST(Launcher, HiddenNamesTakeNoHover) {
  Launcher l;
  const Launcher start = l;
  EXPECT_FALSE(l.hover(2));
  EXPECT_FALSE(l.hoverIndex());
  EXPECT_TRUE(sameLabels(l, start));
}

TEST(RingAnimation, StartsWithItsFourRingsAndDotsTwoRingsOn) {
  const RingAnimation r;
  struct Expect {
    float a, b, c;
    Colour colour, dot;
  };
  const Expect e[] = {
      {0, 90, 0, 0x8080FF, 0xFF8080},
      {90, 90, 0, 0xFFFF, 0xC000},
      {90, 90, 90, 0xFF8080, 0x8080FF},
      {135, 90, 0, 0xC000, 0xFFFF},
  };
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(r.rings()[i].a, e[i].a);
    EXPECT_EQ(r.rings()[i].b, e[i].b);
    EXPECT_EQ(r.rings()[i].c, e[i].c);
    EXPECT_EQ(r.rings()[i].colour, e[i].colour);
    EXPECT_EQ(r.dotColour(i), e[i].dot);
  }
}

TEST(RingAnimation, PointsFollowTheTwoAngles) {
  constexpr int cx = 110, cy = 100;
  const double h = 70 * std::sqrt(0.5);  // 70 cos 45
  struct Case {
    int ticks;
    int ring;
    int t;  // degrees
    double x, y;
  };
  const Case cases[] = {
      // The first ring lies flat in the picture: a circle of radius 70, counter-clockwise.
      {0, 0, 0, cx + 70, cy},
      {0, 0, 45, cx + h, cy - h},
      {0, 0, 90, cx, cy - 70},
      {0, 0, 180, cx - 70, cy},
      {0, 0, 270, cx, cy + 70},
      // Seen edge-on (a = b = 90) a ring is an upright stroke of half-length 70 sqrt 2.
      {0, 1, 45, cx, cy - 2 * h},
      {0, 1, 225, cx, cy + 2 * h},
      {0, 2, 45, cx, cy - 2 * h},  // c takes no part
      {0, 3, 0, cx - h, cy - h},
      {0, 3, 90, cx, cy - 70},
      // Turned by a: the first ring after 90 frames matches the second at rest.
      {90, 0, 0, cx, cy - 70},
      {90, 0, 45, cx, cy - 2 * h},
      {180, 0, 0, cx - 70, cy},
      {180, 0, 90, cx, cy - 70},
      {225, 3, 0, cx + 70, cy},  // 135 + 225 wraps to 0
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "ticks " << c.ticks << " ring " << c.ring << " t " << c.t);
    RingAnimation r;
    for (int i = 0; i < c.ticks; ++i) r.tick();
    const auto pts = r.points(c.ring, cx, cy);
    const Point2 p = pts[std::size_t(c.t / 15)];
    EXPECT_NEAR(p.x, c.x, 1e-9);
    EXPECT_NEAR(p.y, c.y, 1e-9);
  }
}

TEST(RingAnimation, EveryRingClosesOnItself) {
  RingAnimation r;
  for (int frame = 0; frame < 3; ++frame, r.tick())
    for (int i = 0; i < 4; ++i) {
      const auto pts = r.points(i, 50, 60);
      EXPECT_NEAR(pts.front().x, pts.back().x, 1e-9);
      EXPECT_NEAR(pts.front().y, pts.back().y, 1e-9);
    }
}

TEST(RingAnimation, TickTurnsAOnlyAndWrapsAt360) {
  RingAnimation r;
  const auto start = r.rings();
  for (int n = 1; n <= 1000; ++n) {
    r.tick();
    for (int i = 0; i < 4; ++i) {
      const Ring& ring = r.rings()[i];
      ASSERT_GE(ring.a, 0.0f);
      ASSERT_LT(ring.a, 360.0f);
      ASSERT_EQ(ring.a, float((int(start[i].a) + n) % 360)) << "ring " << i << " after " << n;
      ASSERT_EQ(ring.b, start[i].b);
      ASSERT_EQ(ring.c, start[i].c);
    }
  }
}

}  // namespace
}  // namespace kp
