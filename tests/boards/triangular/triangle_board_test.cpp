#include "boards/triangular/triangle_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "core/line_game.h"

namespace kp::triangular {
namespace {

bool same(Point2 a, Point2 b) { return std::abs(a.x - b.x) < 1e-6 && std::abs(a.y - b.y) < 1e-6; }
Point2 midpoint(const Segment& s) { return {(s.a.x + s.b.x) / 2, (s.a.y + s.b.y) / 2}; }
bool contains(const std::vector<int>& v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }

TEST(TriangleBoard, TableMatchesTheTellingRows) {
  struct Row {
    int triangle;
    bool up;
    int a, b, c;
  };
  const Row rows[] = {
      {1, true, 32, 4, 31},    {2, false, 1, 33, 32},   {7, true, 38, 7, 37},    {8, true, 40, 8, 39},
      {9, false, 4, 41, 40},   {16, true, 48, 12, 47},  {17, true, 50, 13, 49},  {27, true, 60, 18, 59},
      {28, false, 13, 62, 61}, {29, true, 63, 19, 62},  {38, false, 18, 72, 71}, {39, false, 19, 74, 73},
      {47, false, 23, 82, 81}, {48, false, 24, 84, 83}, {49, true, 85, 28, 84},  {54, false, 27, 90, 89},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.triangle);
    EXPECT_EQ(pointsUp(r.triangle), r.up);
    EXPECT_EQ(side(r.triangle, 1), r.a);
    EXPECT_EQ(side(r.triangle, 2), r.b);
    EXPECT_EQ(side(r.triangle, 3), r.c);
  }
  EXPECT_EQ(side(0, 1), 0);
  EXPECT_EQ(side(55, 1), 0);
  EXPECT_EQ(side(1, 4), 0);
}

TEST(TriangleBoard, LatticeAndTriangleRowsHaveTheirLengths) {
  const BoardGeometry geo = geometry();
  ASSERT_EQ(geo.dots.size(), std::size_t(kPoints));
  ASSERT_EQ(geo.lines.size(), std::size_t(kLines + 1));
  ASSERT_EQ(geo.circles.size(), std::size_t(kTriangles + 1));
  std::map<long, int> dotsPerRow;
  for (Point2 p : geo.dots) ++dotsPerRow[std::lround(p.y)];
  std::vector<int> dotRows;
  std::vector<double> rowY;
  for (auto [y, n] : dotsPerRow) {
    dotRows.push_back(n);
    rowY.push_back(double(y));
  }
  EXPECT_EQ(dotRows, (std::vector<int>{4, 5, 6, 7, 6, 5, 4}));
  // Left to right in rows of 7, 9, 11, 11, 9 and 7, alternating; the upper half starts
  // pointing up, the lower half down.
  int t = 0, row = 0;
  for (int length : {7, 9, 11, 11, 9, 7}) {
    for (int i = 0; i < length; ++i) {
      ++t;
      EXPECT_EQ(pointsUp(t), (i % 2 == 0) == (row < 3)) << t;
      EXPECT_TRUE(geo.circles[t].y > rowY[row] && geo.circles[t].y < rowY[row + 1]) << t;
      if (i > 0) {
        EXPECT_GT(geo.circles[t].x, geo.circles[t - 1].x) << t;
      }
    }
    ++row;
  }
}

TEST(TriangleBoard, TableEntriesRunClockwiseFromTheRightSideOrTheTop) {
  const BoardGeometry geo = geometry();
  for (int t = 1; t <= kTriangles; ++t) {
    SCOPED_TRACE(t);
    const Point2 centre = geo.circles[t];
    const Segment s[3] = {geo.lines[side(t, 1)], geo.lines[side(t, 2)], geo.lines[side(t, 3)]};
    const int horizontal = pointsUp(t) ? 1 : 0, right = pointsUp(t) ? 0 : 1;
    EXPECT_NEAR(s[horizontal].a.y, s[horizontal].b.y, 1e-6);
    EXPECT_EQ(midpoint(s[horizontal]).y > centre.y, pointsUp(t));  // base below, top above
    EXPECT_GT(midpoint(s[right]).x, centre.x);
    EXPECT_LT(midpoint(s[2]).x, centre.x);
    // Each two sides meet at exactly one corner.
    for (int i = 0; i < 3; ++i) {
      const Segment &p = s[i], &q = s[(i + 1) % 3];
      const int shared = same(p.a, q.a) + same(p.a, q.b) + same(p.b, q.a) + same(p.b, q.b);
      EXPECT_EQ(shared, 1) << "entries " << i + 1 << " and " << (i + 1) % 3 + 1;
    }
    // The circle stays clear of every side.
    for (const Segment& e : s) {
      const double cross = (e.b.x - e.a.x) * (centre.y - e.a.y) - (e.b.y - e.a.y) * (centre.x - e.a.x);
      EXPECT_GT(std::abs(cross) / 100, geo.circleRadius + 5);
    }
  }
}

TEST(TriangleBoard, PlanorInnerLinesBorderTwoTrianglesAndTheBoundaryOne) {
  const BoardGraph g = graph(false);
  ASSERT_EQ(g.lineCount, kLines);
  ASSERT_EQ(g.cellCount, kTriangles);
  int boundary = 0;
  for (int l = 1; l <= kLines; ++l) {
    const bool edge = g.lineCells[l].size() == 1;
    boundary += edge;
    EXPECT_TRUE(edge || g.lineCells[l].size() == 2) << l;
    EXPECT_EQ(edge, wrapPartner(l) != 0) << "exactly the boundary Lines are paired: " << l;
    EXPECT_EQ(g.partner[l], 0);
  }
  EXPECT_EQ(boundary, 18);
  EXPECT_EQ(g.lineCells[41], (std::vector<int>{9, 10}));
}

TEST(TriangleBoard, GloboriaPairsJoinOppositeSidesByTranslation) {
  const BoardGeometry geo = geometry();
  const BoardGraph g = graph(true);
  std::set<std::pair<long, long>> shifts;
  int paired = 0;
  for (int l = 1; l <= kLines; ++l) {
    const int p = wrapPartner(l);
    EXPECT_EQ(g.partner[l], p);
    if (p == 0) continue;
    ++paired;
    const Segment &a = geo.lines[l], &b = geo.lines[p];
    const double dx = midpoint(b).x - midpoint(a).x, dy = midpoint(b).y - midpoint(a).y;
    EXPECT_TRUE(same({a.a.x + dx, a.a.y + dy}, b.a) || same({a.a.x + dx, a.a.y + dy}, b.b)) << l;
    if (l < p) shifts.insert({std::lround(dx), std::lround(dy)});
    // Counting through its partner the Line borders two triangles, one on each side.
    std::set<int> across(g.lineCells[l].begin(), g.lineCells[l].end());
    across.insert(g.lineCells[p].begin(), g.lineCells[p].end());
    EXPECT_EQ(across.size(), 2u) << l;
  }
  EXPECT_EQ(paired, 18);
  EXPECT_EQ(shifts.size(), 3u) << "one shift per pair of opposite sides";
}

// The rules core, fed the Globoria graph, reaches the triangle across the join through the
// partner Line.
class TriangleGloboriaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drawing.resize(kLines, kTriangles);
    game.setGraph(&g);
    game.rememberInitialLines();
  }
  Outcome play(int line) {
    const Player mover = game.takeTurn();
    game.claimLine(line, lineColour(mover), int(mover), mover);
    return game.checkwins(LineRule::Tolva);
  }
  int entryOf(int triangle, int line) const {
    for (int e = 1; e <= 3; ++e)
      if (side(triangle, e) == line) return e;
    return 0;
  }

  BoardGraph g = graph(true);
  StatusLabels status;
  Drawing drawing;
  LineGame game{status, drawing};
};

TEST_F(TriangleGloboriaTest, AClaimSetsTheSideOfTheTriangleAcrossTheJoin) {
  struct Case {
    int line, partner, own, across;
  };
  const Case cases[] = {{1, 28, 2, 49}, {28, 1, 49, 2}, {31, 72, 1, 38}, {72, 31, 38, 1}, {60, 83, 27, 48}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    SetUp();
    play(c.line);
    EXPECT_TRUE(game.claimed(c.partner));
    EXPECT_EQ(drawing.lines[c.partner].width, drawing.lines[c.line].width);
    ASSERT_NE(entryOf(c.across, c.partner), 0);
    EXPECT_NE(game.cellSideMarker(c.own, entryOf(c.own, c.line) - 1), 0);
    EXPECT_NE(game.cellSideMarker(c.across, entryOf(c.across, c.partner) - 1), 0);
  }
}

TEST_F(TriangleGloboriaTest, Line72CompletesTriangle1ThroughItsPartner) {
  play(4);
  play(32);
  EXPECT_TRUE(game.newlyCompleted().empty());
  play(72);
  EXPECT_EQ(game.newlyCompleted(), (std::vector<int>{1}));
  EXPECT_TRUE(game.scored(1));
  EXPECT_NE(game.cellSideMarker(38, entryOf(38, 72) - 1), 0);
  EXPECT_FALSE(game.scored(38));
}

struct ExtensionRow {
  int triangle;
  std::vector<int> first, second;
};

TEST(TriangleExtension, PlanorRowsFollowTheRuleInClaimingOrder) {
  const ExtensionRow rows[] = {
      {1, {5, 39, 42}, {43}},
      {3, {4, 6, 41, 44}, {40, 45}},
      {8, {31, 49, 9, 52}, {53}},
      {10, {32, 33, 8, 51, 10, 54}, {1, 50, 55}},
      {11, {32, 6, 4, 35, 53, 54}, {15, 31, 36}},
      {28, {51, 14, 73}, {52}},
      {45, {21, 23, 67, 70, 89, 88}, {30, 66, 71}},
      {54, {26, 79, 82}, {78}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.triangle);
    const Extension e = planorExtension(r.triangle);
    EXPECT_EQ(e.first, r.first);
    EXPECT_EQ(e.second, r.second);
  }
  EXPECT_TRUE(planorExtension(0).first.empty());
  EXPECT_TRUE(globoriaExtension(55).first.empty());
}

TEST(TriangleExtension, InnerPlanorRowsAreTheGloboriaRows) {
  for (int t : {10, 11, 12, 13, 14, 19, 20, 21, 22, 23, 24, 25, 30, 31, 32, 33, 34, 35, 36, 41, 42, 43, 44, 45}) {
    SCOPED_TRACE(t);
    const Extension p = planorExtension(t), g = globoriaExtension(t);
    EXPECT_EQ(p.first, g.first);
    EXPECT_EQ(p.second, g.second);
  }
}

// Six continuations and three closing Lines for an inner triangle; fewer at the edge, and
// every closing Line closes its own triangle touching the played one at a corner.
TEST(TriangleExtension, PlanorRowsHaveTheSizesTheRuleGives) {
  const BoardGraph g = graph(false);
  const BoardGeometry geo = geometry();
  auto onEdge = [&](Point2 p) {
    int lines = 0;
    for (int l = 1; l <= kLines; ++l) lines += same(geo.lines[l].a, p) || same(geo.lines[l].b, p);
    return lines < 6;
  };
  for (int t = 1; t <= kTriangles; ++t) {
    SCOPED_TRACE(t);
    const Extension e = planorExtension(t);
    std::set<int> claimed(g.cellSides[t].begin(), g.cellSides[t].end());
    bool inner = true;
    for (int l : g.cellSides[t]) inner = inner && !onEdge(geo.lines[l].a) && !onEdge(geo.lines[l].b);
    if (inner) {
      EXPECT_EQ(e.first.size(), 6u);
      EXPECT_EQ(e.second.size(), 3u);
    } else {
      EXPECT_GE(e.first.size(), 3u);
      EXPECT_LE(e.first.size(), 5u);
    }
    claimed.insert(e.first.begin(), e.first.end());
    EXPECT_EQ(claimed.size(), 3 + e.first.size()) << "no Line twice, none of the triangle's own";
    claimed.insert(e.second.begin(), e.second.end());
    EXPECT_EQ(claimed.size(), 3 + e.first.size() + e.second.size());
    int closed = 0;
    for (int u = 1; u <= kTriangles; ++u)
      if (u != t)
        closed +=
            std::all_of(g.cellSides[u].begin(), g.cellSides[u].end(), [&](int l) { return claimed.count(l) != 0; });
    EXPECT_EQ(closed, int(e.second.size()));
    // The claiming order is borrowed from Globoria, so every Line must be found there.
    const Extension glob = globoriaExtension(t);
    for (int l : e.first) EXPECT_TRUE(contains(glob.first, l)) << l;
    for (int l : e.second) EXPECT_TRUE(contains(glob.second, l)) << l;
  }
}

TEST(TriangleExtension, SuperKrunkPlusOnTriangle10ClosesItsCornerNeighbours) {
  const Extension e = planorExtension(10);
  std::vector<int> claimed = {side(10, 1), side(10, 2), side(10, 3)};
  claimed.insert(claimed.end(), e.first.begin(), e.first.end());
  claimed.insert(claimed.end(), e.second.begin(), e.second.end());
  for (int t : {10, 2, 18, 22})
    for (int entry = 1; entry <= 3; ++entry)
      EXPECT_TRUE(contains(claimed, side(t, entry))) << "triangle " << t << " entry " << entry;
}

TEST(TriangleExtension, GloboriaTableIsWellFormed) {
  for (int t = 1; t <= kTriangles; ++t) {
    SCOPED_TRACE(t);
    const Extension e = globoriaExtension(t);
    EXPECT_GE(e.first.size(), 6u);
    EXPECT_GE(e.second.size(), 2u);
    std::vector<int> all = e.first;
    all.insert(all.end(), e.second.begin(), e.second.end());
    std::set<int> distinct;
    for (int l : all) {
      EXPECT_TRUE(l >= 1 && l <= kLines) << l;
      EXPECT_TRUE(distinct.insert(l).second) << "repeated " << l;
      for (int entry = 1; entry <= 3; ++entry) EXPECT_NE(l, side(t, entry)) << "own side " << l;
    }
  }
}

}  // namespace
}  // namespace kp::triangular

namespace kp::triangular {
namespace {

TEST(TriangleComputer, PrefersThreeThenTwoThenOneClaimedLinesInAscendingOrder) {
  Drawing d;
  d.resize(kLines, kTriangles);
  std::vector<bool> playable(kTriangles + 1, true);
  playable[0] = false;
  auto claim = [&](int t, int lines) {
    for (int e = 1; e <= lines; ++e) d.lines[side(t, e)].width = kClaimedWidth;
  };
  Random random(1);
  // Nothing claimed: a random playable triangle, spread over many.
  std::set<int> seen;
  for (int i = 0; i < 300; ++i) seen.insert(chooseTriangle(d, playable, random));
  EXPECT_GT(seen.size(), 30u);
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
