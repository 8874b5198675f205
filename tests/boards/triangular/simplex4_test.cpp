#include "boards/triangular/simplex4.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "play/play_session.h"

namespace kp::simplex4 {
namespace {

double distance(Point4 a, Point4 b) { return std::sqrt(dot(a + -1.0 * b, a + -1.0 * b)); }

// The corners stand 2 apart with each midpoint 1 from both ends of its edge; every Line is
// half an edge long, each half edge lies in 3 triangles and each join in 4, and each
// triangle's Lines close round its three points.
TEST(Simplex4Board, LinesAndTrianglesMeetAsTheSolidSays) {
  auto apart = [](int p, int q) { return std::lround(2 * distance(points()[p], points()[q]) * 1e9) / 2e9; };
  for (int a = 0; a < kCorners; ++a)
    for (int b = a + 1; b < kCorners; ++b)
      EXPECT_TRUE(apart(a, b) == 2 && apart(a, midpoint(a, b)) == 1 && apart(b, midpoint(a, b)) == 1) << a << b;
  const BoardGraph g = graph();
  std::map<std::tuple<bool, std::size_t, double>, int> kinds;  // (half edge, triangles, length) -> Lines
  for (int n = 1; n <= kLines; ++n)
    ++kinds[{ends(n).first < kCorners, g.lineCells[n].size(), apart(ends(n).first, ends(n).second)}];
  EXPECT_EQ(kinds, (std::map<std::tuple<bool, std::size_t, double>, int>{{{true, 3, 1}, 20}, {{false, 4, 1}, 30}}));
  for (int t = 1; t <= kTriangles; ++t) {
    std::map<int, int> met;
    for (int n : triangles()[t]) ++met[ends(n).first], ++met[ends(n).second];
    const auto [p, q, r] = corners()[t];
    EXPECT_EQ(met, (std::map<int, int>{{p, 2}, {q, 2}, {r, 2}})) << t;
  }
  // A few by hand from the numbering: Line -> ends, triangles; triangle -> Lines.
  const std::tuple<int, std::pair<int, int>, std::vector<int>> lines[] = {
      {1, {0, 5}, {1, 2, 3}}, {5, {5, 6}, {1, 7, 8, 51}}, {14, {1, 5}, {13, 15, 16}}, {50, {13, 14}, {46, 49, 50, 53}}};
  for (const auto& [n, at, cells] : lines) EXPECT_TRUE(ends(n) == at && g.lineCells[n] == cells) << n;
  const std::pair<int, std::vector<int>> sides[] = {
      {1, {1, 2, 5}}, {7, {5, 6, 8}}, {51, {5, 17, 30}}, {60, {9, 28, 46}}};
  for (const auto& [t, lineSet] : sides) EXPECT_EQ(g.cellSides[t], lineSet) << t;
}

// View v moves every corner v - 1 steps round the ring: the place of a Line is the Line
// between its moved ends, a triangle goes with its Lines, and view 2 is ten on.
TEST(Simplex4Board, ViewsMoveTheCornersRoundTheRing) {
  std::map<int, std::pair<int, int>> edgeOf;
  for (int a = 0; a < kCorners; ++a)
    for (int b = a + 1; b < kCorners; ++b) edgeOf[midpoint(a, b)] = {a, b};
  for (int v = 1; v <= kViews; ++v) {
    const View view = simplex4::view(v);
    auto moved = [&](int p) {
      auto step = [&](int c) { return (c + v - 1) % kCorners; };
      return p < kCorners ? step(p) : midpoint(step(edgeOf[p].first), step(edgeOf[p].second));
    };
    for (int n = 1; n <= kLines; ++n) {
      const auto [p, q] = ends(n);
      EXPECT_EQ(ends(view.place(n)), std::pair(std::min(moved(p), moved(q)), std::max(moved(p), moved(q))))
          << v << " " << n;
    }
    for (int t = 1; t <= kTriangles; ++t) {
      std::vector<int> places;
      for (int n : triangles()[t]) places.push_back(view.place(n));
      std::sort(places.begin(), places.end());
      EXPECT_EQ(triangles()[view.circlePlace(t)], places) << v << " " << t;
    }
  }
  for (int n = 1; n <= kTriangles; ++n) {
    if (n <= kLines) {
      EXPECT_EQ(view(2).place(n), (n + 9) % kLines + 1) << n;
    }
    EXPECT_EQ(view(2).circlePlace(n), n <= 50 ? (n + 9) % 50 + 1 : n % 5 == 0 ? n - 4 : n + 1) << n;
  }
}

bool same(Point2 a, Point2 b) { return std::hypot(a.x - b.x, a.y - b.y) < 1e-9; }

double segmentDistance(Point2 p, Point2 a, Point2 b) {
  const Point2 ab = b + -1.0 * a, ap = p + -1.0 * a;
  const double t = std::clamp((ap.x * ab.x + ap.y * ab.y) / (ab.x * ab.x + ab.y * ab.y), 0.0, 1.0);
  return std::hypot(ap.x - t * ab.x, ap.y - t * ab.y);
}

// The picture keeps its pieces apart: no point on a Line it does not end (a claimed Line is
// 6 wide), so no two Lines overlap either (one would end on the other); the triangle
// markers clear of one another and of the points, with a few pixels to spare; and each
// Line (in Tolva) and each marker (in the Krunk games) takes a click somewhere on it.
TEST(Triangular4dPicture, EveryPieceStandsClearAndTakesAClick) {
  constexpr double spare = 3, dot = 4, marker = 7, halfClaim = 3;
  PlaySession session;
  ASSERT_EQ(session.open("triangular4d"), "");
  const Scene markers = session.window()->scene();
  ASSERT_EQ(session.menu("Games Menu > Tolva"), "");
  const Scene s = session.window()->scene();
  ASSERT_EQ(s.dots.size(), std::size_t(kPoints));
  for (std::size_t i = 0; i < s.strokes.size(); ++i) {
    const Stroke& l = s.strokes[i];
    for (const Dot& d : s.dots)
      if (!same(d.at, l.a) && !same(d.at, l.b)) {
        EXPECT_GE(segmentDistance(d.at, l.a, l.b), dot + halfClaim + spare) << "Line place " << i + 1;
      }
    bool clicked = false;
    for (double t = 0.05; t < 1 && !clicked; t += 0.05)
      clicked = s.hit(l.a + t * (l.b + -1.0 * l.a), s.hitTolerance()) == Target::line(int(i) + 1);
    EXPECT_TRUE(clicked) << "Line place " << i + 1;
  }
  for (std::size_t i = 0; i < markers.shapes.size(); ++i) {
    const Point2 c = markers.shapes[i].centre;
    for (std::size_t j = i + 1; j < markers.shapes.size(); ++j)
      EXPECT_GE(std::hypot(c.x - markers.shapes[j].centre.x, c.y - markers.shapes[j].centre.y), 2 * marker + spare)
          << i + 1 << " and " << j + 1;
    for (const Dot& d : s.dots) EXPECT_GE(std::hypot(c.x - d.at.x, c.y - d.at.y), marker + dot + spare) << i + 1;
    EXPECT_EQ(markers.hit(c, markers.hitTolerance()), Target::circle(int(i) + 1));
  }
}

}  // namespace
}  // namespace kp::simplex4
