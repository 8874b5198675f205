#include "core/launcher.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

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

TEST(Launcher, StartsWithTheHeadersAndTheInstructionAndColoursNamesByGroup) {
  const Launcher l;
  EXPECT_EQ(visibleIndices(l), (std::set<int>{0, 29, 49, 122}));
  EXPECT_EQ(l.label(122)->caption, "Click the name of a game to Quick-Launch it");
  EXPECT_EQ(l.label(122)->colour, 0x800080u);
  // Blanks lead some names on purpose.
  EXPECT_EQ(l.label(4)->caption, " Krunk Delvo in Planor");
  EXPECT_TRUE(l.label(8)->caption == "  1: Our House" && l.label(9)->caption == " 2: Beyond Globoria (Torus)");
  for (const auto& [i, label] : l.labels()) {
    if (label.caption == "New!") {
      EXPECT_TRUE((label.colour == 0xFFu || label.colour == 0x80FFu) && !l.target(i)) << i;
    } else if (l.target(i)) {
      EXPECT_EQ(label.colour, i < 29 ? 0xFF0000u : 0xC00000u) << i;
    }
  }
}

TEST(Launcher, EachHeaderOpensItsGroupOnceOnly) {
  const std::tuple<int, const char*, std::set<int>> cases[] = {
      {0, "Krunk Planor Plexa 2014 in 2D", {2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15}},
      {29, "Krunk Plexa in 3D", {30, 31, 32, 33, 34, 35, 36, 37, 38, 100, 101}},
      {49, "Krunk Quadrion Plexa 2014 in 4D", {50, 51, 52, 53, 54, 55}},
  };
  for (const auto& [header, caption, shows] : cases) {
    SCOPED_TRACE(header);
    Launcher l;
    ProgramState p;
    EXPECT_NE(l.label(header)->caption, caption);
    EXPECT_EQ(l.click(header, p, everything).kind, Kind::Expanded);
    EXPECT_EQ(l.label(header)->caption, caption);
    std::set<int> expected = {0, 29, 49, 122};
    expected.insert(shows.begin(), shows.end());
    EXPECT_EQ(visibleIndices(l), expected);
    // The second click finds the new caption and changes nothing.
    const Launcher before = l;
    EXPECT_EQ(l.click(header, p, everything).kind, Kind::Nothing);
    EXPECT_TRUE(sameLabels(l, before));
  }
}

// What the keyboard can reach: a shown name, or a header that still opens its group; a
// click on anything else does nothing.
TEST(Launcher, ClickableIsExactlyWhatAClickActsOn) {
  const std::tuple<std::set<int>, std::set<int>> cases[] = {
      {{}, {0, 29, 49}},
      {{0}, {2, 3, 4, 5, 6, 7, 8, 9, 29, 49}},
      {{29, 49}, {0, 30, 31, 32, 33, 100, 50, 51, 52}},
  };
  for (const auto& [opened, expected] : cases) {
    Launcher l;
    ProgramState p;
    for (int h : opened) l.click(h, p, everything);
    std::set<int> clickable;
    for (int i = -1; i <= Launcher::kLastIndex + 1; ++i) {
      Launcher tried = l;
      const bool acts = tried.click(i, p, squareOnly).kind != Kind::Nothing;
      EXPECT_EQ(l.clickable(i), acts) << i;
      if (l.clickable(i)) clickable.insert(i);
    }
    EXPECT_EQ(clickable, expected);
  }
}

// SubLevel and WallLevel start at -5; only the Globoria names and the walls write them,
// and only when this version has the window (else the name is given in a message).
TEST(Launcher, OnlyTheGloboriaNamesAndTheWallsWriteTheProgramValues) {
  // missing: the message when only the square window is in this version
  const std::tuple<int, WindowKind, int, int, const char*> cases[] = {
      {2, WindowKind::Square, -5, -5, nullptr},
      {3, WindowKind::Square, 1, -5, nullptr},
      {5, WindowKind::Triangular, 1, -5, "Krunk Delvo in Planor and Globoria is not in this version yet."},
      {7, WindowKind::LargeSquare, 1, -5, "Super Krunk Plus is not in this version yet."},
      {31, WindowKind::Wall, -5, 1, "Krunk the Wall is not in this version yet."},
      {32, WindowKind::Wall, -5, 2, "Krunk the Wall is not in this version yet."},
      {33, WindowKind::Wall, -5, 3, "Krunk the Wall is not in this version yet."},
      {100, WindowKind::Tetrahedron, -5, -5, nullptr},
      {51, WindowKind::Triangular4d, -5, -5, nullptr},
      {52, WindowKind::Quadrion, -5, -5, "Quadrion Krunk is not in this version yet."},
  };
  for (const auto& [index, window, subLevel, wallLevel, missing] : cases)
    for (bool available : {true, false}) {
      if (!available && !missing) continue;
      SCOPED_TRACE(testing::Message() << index << (available ? " available" : " missing"));
      Launcher l = expandedLauncher();
      const Launcher before = l;
      ProgramState p;
      p.subLevel = p.wallLevel = -5;
      const LaunchResult r = l.click(index, p, available ? everything : squareOnly);
      EXPECT_EQ(r.kind, available ? Kind::Open : Kind::NotInThisVersion);
      EXPECT_EQ(r.window, window);
      EXPECT_EQ(r.message, available ? "" : missing);
      EXPECT_EQ(p.subLevel, available ? subLevel : -5);
      EXPECT_EQ(p.wallLevel, available ? wallLevel : -5);
      EXPECT_TRUE(sameLabels(l, before));
    }
}

TEST(Launcher, HoverGreensOneShownNameAndDarkensTheRest) {
  Launcher hidden;
  EXPECT_FALSE(hidden.hover(2)) << "a hidden name takes no hover";
  EXPECT_FALSE(hidden.hoverIndex());

  Launcher l = expandedLauncher();
  const std::set<int> highlightable = {2, 3, 4, 5, 6, 7, 30, 31, 32, 33, 50, 51, 52, 100};
  const Launcher start = l;
  EXPECT_TRUE(l.hover(4));
  EXPECT_EQ(l.hoverIndex(), 4);
  for (const auto& [i, label] : l.labels())
    EXPECT_EQ(label.colour, i == 4 ? 0xC000u : highlightable.count(i) ? 0xC00000u : start.label(i)->colour) << i;
  const Launcher afterFirst = l;
  // Within the same name, over names that take no part, over markers: nothing changes.
  for (int i : {4, 8, 9, 10, 11, 12, 13, 29, 34, 53, 101, 122, 1, 200, 4}) {
    EXPECT_FALSE(l.hover(i)) << i;
    EXPECT_EQ(l.hoverIndex(), 4);
  }
  EXPECT_TRUE(sameLabels(l, afterFirst));
  EXPECT_TRUE(l.hover(100));
  EXPECT_EQ(l.label(4)->colour, 0xC00000u);
  EXPECT_EQ(l.label(100)->colour, 0xC000u);
}

// A tick turns angle a of every ring by a degree, kept below 360, and nothing else.
TEST(RingAnimation, ColoursDotsTwoRingsOnAndTicksTurnAOnly) {
  RingAnimation r;
  const auto start = r.rings();
  const Colour ring[] = {0x8080FF, 0xFFFF, 0xFF8080, 0xC000};
  for (int n = 0; n < 1000; ++n) r.tick();
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(r.rings()[i].colour, ring[i]) << i;
    EXPECT_EQ(r.dotColour(i), ring[(i + 2) % 4]) << i;
    EXPECT_EQ(r.rings()[i].a, float((int(start[i].a) + 1000) % 360)) << i;
    EXPECT_TRUE(r.rings()[i].b == start[i].b && r.rings()[i].c == start[i].c) << i;
  }
}

TEST(RingAnimation, PointsFollowTheTwoAnglesAndCloseTheRing) {
  constexpr int cx = 110, cy = 100;
  const double h = 70 * std::sqrt(0.5);  // 70 cos 45
  // t: degrees
  const std::tuple<int, int, int, double, double> cases[] = {
      // The first ring lies flat in the picture: a circle of radius 70, counter-clockwise.
      {0, 0, 0, cx + 70, cy},
      {0, 0, 90, cx, cy - 70},
      // Seen edge-on (a = b = 90) a ring is an upright stroke of half-length 70 sqrt 2.
      {0, 1, 45, cx, cy - 2 * h},
      {0, 1, 225, cx, cy + 2 * h},
      {0, 2, 45, cx, cy - 2 * h},  // c takes no part
      {0, 3, 0, cx - h, cy - h},   // a = 135
      // Turned by a: the first ring after 90 frames matches the second at rest.
      {90, 0, 45, cx, cy - 2 * h},
      {180, 0, 0, cx - 70, cy},
      {225, 3, 0, cx + 70, cy},  // 135 + 225 wraps to 0
  };
  for (const auto& [ticks, ring, t, x, y] : cases) {
    SCOPED_TRACE(testing::Message() << "ticks " << ticks << " ring " << ring << " t " << t);
    RingAnimation r;
    for (int i = 0; i < ticks; ++i) r.tick();
    const auto pts = r.points(ring, cx, cy);
    EXPECT_NEAR(pts[std::size_t(t / 15)].x, x, 1e-9);
    EXPECT_NEAR(pts[std::size_t(t / 15)].y, y, 1e-9);
    EXPECT_NEAR(pts.front().x, pts.back().x, 1e-9);
    EXPECT_NEAR(pts.front().y, pts.back().y, 1e-9);
  }
}

}  // namespace
}  // namespace kp
