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

std::set<int> shown(const Launcher& l) {
  std::set<int> out;
  for (const auto& [i, label] : l.labels())
    if (label.visible) out.insert(i);
  return out;
}

// Every label as it shows: index, caption, colour, visibility.
std::vector<std::tuple<int, std::string, Colour, bool>> looks(const Launcher& l) {
  std::vector<std::tuple<int, std::string, Colour, bool>> out;
  for (const auto& [i, label] : l.labels()) out.emplace_back(i, label.caption, label.colour, label.visible);
  return out;
}

Launcher opened(const std::vector<int>& headers) {
  Launcher l;
  ProgramState p;
  for (int h : headers) l.click(h, p, everything);
  return l;
}

// Each header shows its group once. What a click then acts on is exactly what the keyboard
// can reach (a shown name, or a header still offering its group); a click on anything else
// changes nothing.
TEST(Launcher, HeadersShowTheirGroupsOnceAndClickableIsWhatAClickActsOn) {
  const std::tuple<std::vector<int>, std::set<int>, std::set<int>> cases[] = {
      {{}, {}, {0, 29, 49}},
      {{0}, {2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15}, {2, 3, 4, 5, 6, 7, 8, 9, 29, 49}},
      {{29}, {30, 31, 32, 33, 34, 35, 36, 37, 38, 100, 101}, {0, 30, 31, 32, 33, 100, 49}},
      {{49}, {50, 51, 52, 53, 54, 55}, {0, 29, 50, 51, 52}},
  };
  for (const auto& [headers, shows, expected] : cases) {
    const Launcher l = opened(headers);
    std::set<int> visible = shows;
    visible.insert({0, 29, 49, 122});
    EXPECT_EQ(shown(l), visible);
    std::set<int> acts;
    for (int i = -1; i <= Launcher::kLastIndex + 1; ++i) {
      Launcher tried = l;
      ProgramState p;
      if (tried.click(i, p, squareOnly).kind != Kind::Nothing)
        acts.insert(i);
      else
        EXPECT_EQ(looks(tried), looks(l)) << i;
      EXPECT_EQ(l.clickable(i), acts.contains(i)) << i;
    }
    EXPECT_EQ(acts, expected);
  }
}

// SubLevel and WallLevel start at -5; only the Globoria names and the walls write them,
// and only when this version has the window (else the name is given in a message).
TEST(Launcher, OnlyTheGloboriaNamesAndTheWallsWriteTheProgramValues) {
  // missing: the message when only the square window is in this version
  const std::tuple<int, WindowKind, int, int, const char*> cases[] = {
      {2, WindowKind::Square, -5, -5, nullptr},
      {5, WindowKind::Triangular, 1, -5, "Krunk Delvo in Planor and Globoria is not in this version yet."},
      {32, WindowKind::Wall, -5, 2, "Krunk the Wall is not in this version yet."},
      {52, WindowKind::Quadrion, -5, -5, "Quadrion Krunk is not in this version yet."},
  };
  for (const auto& [index, window, subLevel, wallLevel, missing] : cases)
    for (bool available : {true, false}) {
      if (!available && !missing) continue;
      SCOPED_TRACE(testing::Message() << index << (available ? " available" : " missing"));
      Launcher l = opened({0, 29, 49});
      const Launcher before = l;
      ProgramState p;
      p.subLevel = p.wallLevel = -5;
      const LaunchResult r = l.click(index, p, available ? everything : squareOnly);
      EXPECT_EQ(r.kind, available ? Kind::Open : Kind::NotInThisVersion);
      EXPECT_EQ(r.window, window);
      EXPECT_EQ(r.message, available ? "" : missing);
      EXPECT_EQ(std::pair(p.subLevel, p.wallLevel), available ? std::pair(subLevel, wallLevel) : std::pair(-5, -5));
      EXPECT_EQ(looks(l), looks(before));
    }
}

// The New! markers are blue or orange and launch nothing, the 2D names are red and the
// others dark red. (A hover greening one name and darkening the rest is shown in the
// launcher scenario script.)
TEST(Launcher, ColoursGoByGroup) {
  const Launcher l = opened({0, 29, 49});
  for (const auto& [i, label] : l.labels()) {
    if (label.caption == "New!") {
      EXPECT_TRUE((label.colour == 0xFFu || label.colour == 0x80FFu) && !l.target(i)) << i;
    } else if (l.target(i)) {
      EXPECT_EQ(label.colour, i < 29 ? 0xFF0000u : 0xC00000u) << i;
    }
  }
}

// A tick turns the first angle of every ring by a degree; the points follow the two angles.
TEST(RingAnimation, ThePointsFollowTheTwoAnglesAsTheTicksTurnTheFirst) {
  constexpr int cx = 110, cy = 100;
  const double h = 70 * std::sqrt(0.5);  // 70 cos 45
  // Ticks, ring, t in degrees, x, y.
  const std::tuple<int, int, int, double, double> cases[] = {
      {0, 0, 90, cx, cy - 70},       // the first ring lies flat: radius 70, counter-clockwise
      {0, 2, 225, cx, cy + 2 * h},   // edge-on (a = b = 90): upright, half-length 70 sqrt 2; c takes no part
      {0, 3, 0, cx - h, cy - h},     // a = 135
      {90, 0, 45, cx, cy - 2 * h},   // after 90 frames the first ring is the second at rest
      {450, 0, 45, cx, cy - 2 * h},  // and again a whole turn later
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
