#include "boards/triangular/triangle_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>

#include "core/drawing.h"

namespace kp::triangular {
namespace {

bool same(Point2 a, Point2 b) { return std::abs(a.x - b.x) < 1e-6 && std::abs(a.y - b.y) < 1e-6; }
Point2 midpoint(const Segment& s) { return {(s.a.x + s.b.x) / 2, (s.a.y + s.b.y) / 2}; }
bool contains(const std::vector<int>& v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }

// The lattice has rows of 4, 5, 6, 7, 6, 5 and 4 dots. Triangles run left to right in rows
// of 7, 9, 11, 11, 9 and 7, alternating, the upper half starting with one pointing up and
// the lower half with one pointing down. A triangle's table entries run clockwise from its
// right side (pointing up) or its top (pointing down), meeting at one corner each, clear of
// the circle. Triangle 1 is Lines 32, 4 and 31; the table has no entry 0 past its ends.
TEST(TriangleBoard, TrianglesFillTheLatticeRowsAndTheirEntriesRunClockwise) {
  EXPECT_EQ((std::array{side(1, 1), side(1, 2), side(1, 3)}), (std::array{32, 4, 31}));
  EXPECT_TRUE(side(0, 1) == 0 && side(55, 1) == 0 && side(1, 4) == 0);
  const BoardGeometry geo = geometry();
  ASSERT_TRUE(geo.dots.size() == kPoints && geo.lines.size() == kLines + 1 && geo.circles.size() == kTriangles + 1);
  std::map<long, int> dotsPerRow;
  for (Point2 p : geo.dots) ++dotsPerRow[std::lround(p.y)];
  std::vector<int> dotRows;
  std::vector<double> rowY;
  for (auto [y, n] : dotsPerRow) dotRows.push_back(n), rowY.push_back(double(y));
  EXPECT_EQ(dotRows, (std::vector<int>{4, 5, 6, 7, 6, 5, 4}));
  int t = 0, row = 0;
  for (int length : {7, 9, 11, 11, 9, 7}) {
    for (int i = 0; i < length; ++i) {
      SCOPED_TRACE(++t);
      const Point2 centre = geo.circles[t];
      EXPECT_EQ(pointsUp(t), (i % 2 == 0) == (row < 3));
      EXPECT_TRUE(centre.y > rowY[row] && centre.y < rowY[row + 1]);
      EXPECT_TRUE(i == 0 || centre.x > geo.circles[t - 1].x);
      const Segment s[3] = {geo.lines[side(t, 1)], geo.lines[side(t, 2)], geo.lines[side(t, 3)]};
      const int horizontal = pointsUp(t) ? 1 : 0, right = pointsUp(t) ? 0 : 1;
      EXPECT_NEAR(s[horizontal].a.y, s[horizontal].b.y, 1e-6);
      EXPECT_EQ(midpoint(s[horizontal]).y > centre.y, pointsUp(t));  // base below, top above
      EXPECT_TRUE(midpoint(s[right]).x > centre.x && midpoint(s[2]).x < centre.x);
      for (int k = 0; k < 3; ++k) {
        const Segment &p = s[k], &q = s[(k + 1) % 3], &e = s[k];
        EXPECT_EQ(same(p.a, q.a) + same(p.a, q.b) + same(p.b, q.a) + same(p.b, q.b), 1) << "entry " << k + 1;
        const double cross = (e.b.x - e.a.x) * (centre.y - e.a.y) - (e.b.y - e.a.y) * (centre.x - e.a.x);
        EXPECT_GT(std::abs(cross) / 100, geo.circleRadius + 5) << "entry " << k + 1;
      }
    }
    ++row;
  }
}

// In Planor the 18 boundary Lines border one triangle and the inner ones two. Globoria
// pairs exactly the boundary Lines, joining opposite sides of the hexagon by one of three
// shifts, so that through its partner a boundary Line borders two triangles too.
TEST(TriangleBoard, GloboriaPairsTheBoundaryLinesOfOppositeSidesByTranslation) {
  const BoardGeometry geo = geometry();
  const BoardGraph planor = graph(false), g = graph(true);
  ASSERT_TRUE(planor.lineCount == kLines && planor.cellCount == kTriangles);
  EXPECT_EQ(planor.lineCells[41], (std::vector<int>{9, 10}));
  std::set<std::pair<long, long>> shifts;
  int paired = 0;
  for (int l = 1; l <= kLines; ++l) {
    const int p = wrapPartner(l);
    EXPECT_EQ(planor.partner[l], 0);
    EXPECT_EQ(g.partner[l], p);
    EXPECT_EQ(planor.lineCells[l].size(), p ? 1u : 2u) << l;
    if (p == 0) continue;
    ++paired;
    const Segment &a = geo.lines[l], &b = geo.lines[p];
    const double dx = midpoint(b).x - midpoint(a).x, dy = midpoint(b).y - midpoint(a).y;
    EXPECT_TRUE(same({a.a.x + dx, a.a.y + dy}, b.a) || same({a.a.x + dx, a.a.y + dy}, b.b)) << l;
    if (l < p) shifts.insert({std::lround(dx), std::lround(dy)});
    std::set<int> across(g.lineCells[l].begin(), g.lineCells[l].end());
    across.insert(g.lineCells[p].begin(), g.lineCells[p].end());
    EXPECT_EQ(across.size(), 2u) << l;
  }
  EXPECT_EQ(paired, 18);
  EXPECT_EQ(shifts.size(), 3u) << "one shift per pair of opposite sides";
}

// Planor: six continuations and three closing Lines for an inner triangle, fewer at the
// edge, each closing Line closing its own triangle that touches the played one at a
// corner. Globoria: at least six and two. No row repeats a Line or holds the triangle's
// own. A Planor row borrows its claiming order from the Globoria row, so every Line of it
// must be found there; away from the edge the two are the same. (Which Lines triangle 10's
// extension claims is shown in the scenario scripts.)
TEST(TriangleExtension, RowsHaveTheSizesTheRuleGivesAndPlanorRowsAreInGloboriaRows) {
  EXPECT_TRUE(planorExtension(0).first.empty() && globoriaExtension(55).first.empty());
  const BoardGraph g = graph(false);
  const BoardGeometry geo = geometry();
  auto onEdge = [&](Point2 p) {
    int lines = 0;
    for (int l = 1; l <= kLines; ++l) lines += same(geo.lines[l].a, p) || same(geo.lines[l].b, p);
    return lines < 6;
  };
  for (int t = 1; t <= kTriangles; ++t) {
    SCOPED_TRACE(t);
    const Extension &e = planorExtension(t), &glob = globoriaExtension(t);
    bool inner = true;
    for (int l : g.cellSides[t]) inner = inner && !onEdge(geo.lines[l].a) && !onEdge(geo.lines[l].b);
    EXPECT_TRUE(inner ? e.first.size() == 6 && e.second.size() == 3 : e.first.size() >= 3 && e.first.size() <= 5);
    EXPECT_TRUE(glob.first.size() >= 6 && glob.second.size() >= 2);
    for (const Extension* row : {&e, &glob}) {
      std::set<int> claimed(g.cellSides[t].begin(), g.cellSides[t].end());
      for (const auto* part : {&row->first, &row->second})
        for (int l : *part) EXPECT_TRUE(l >= 1 && l <= kLines && claimed.insert(l).second) << l;
      if (row != &e) continue;
      int closed = 0;
      for (int u = 1; u <= kTriangles; ++u)
        closed += u != t && std::all_of(g.cellSides[u].begin(), g.cellSides[u].end(),
                                        [&](int l) { return claimed.count(l) != 0; });
      EXPECT_EQ(closed, int(e.second.size()));
    }
    for (int l : e.first) EXPECT_TRUE(contains(glob.first, l)) << l;
    for (int l : e.second) EXPECT_TRUE(contains(glob.second, l)) << l;
    EXPECT_TRUE(!inner || (e.first == glob.first && e.second == glob.second));
  }
}

TEST(TriangleComputer, PrefersThreeThenTwoThenOneClaimedLinesInAscendingOrder) {
  Claims d(kLines + 1);
  std::vector<bool> playable(kTriangles + 1, true);
  playable[0] = false;
  auto claim = [&](int t, int lines) {
    for (int e = 1; e <= lines; ++e) d[std::size_t(side(t, e))].owner = 1;
  };
  Random random(1);
  // One claimed Line: the lower of the two triangles it borders.
  claim(30, 1);
  const BoardGraph g = graph(false);
  const auto& both = g.lineCells[side(30, 1)];
  EXPECT_EQ(chooseTriangle(d, playable, random), *std::min_element(both.begin(), both.end()));
  // Two claimed Lines beat one, wherever they are.
  claim(40, 2);
  EXPECT_EQ(chooseTriangle(d, playable, random), 40);
  claim(9, 3);
  claim(5, 3);
  EXPECT_EQ(chooseTriangle(d, playable, random), 5) << "triangle 5 before 9";
  playable[5] = false;
  EXPECT_EQ(chooseTriangle(d, playable, random), 9);
  std::fill(playable.begin(), playable.end(), false);
  EXPECT_EQ(chooseTriangle(d, playable, random), 0);
}

}  // namespace
}  // namespace kp::triangular
