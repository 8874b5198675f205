#include "boards/triangular/tetrahedron.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

namespace kp::tetrahedron {

// Each board as (full, Lines, triangles).
constexpr std::tuple<bool, int, int> kBoards[] = {{false, 24, 20}, {true, 39, 36}};

double squaredDistance(Point3 a, Point3 b) { return dot(a + -1.0 * b, a + -1.0 * b); }

// Every pair of points half an edge apart is a Line and no other pair is; the threes of
// points pairwise joined are exactly the numbered triangles, on either board.
TEST(TetrahedronBoard, LinesAreTheShortestJoinsAndCloseExactlyTheNumberedTriangles) {
  std::set<std::pair<int, int>> halfEdgeApart, joined;
  for (int a = 0; a < kFullPoints; ++a)
    for (int b = a + 1; b < kFullPoints; ++b)
      if (std::abs(squaredDistance(points()[a], points()[b]) - 1) < 1e-9) halfEdgeApart.insert({a, b});
  for (int n = 1; n <= kFullLines; ++n) joined.insert(ends(n));
  EXPECT_EQ(joined, halfEdgeApart);
  for (const auto& [full, lineCount, triangleCount] : kBoards) {
    std::set<std::set<int>> numbered, closed;
    for (int t = 1; t <= triangleCount; ++t)
      numbered.insert(std::set<int>(triangles()[t].begin(), triangles()[t].end()));
    for (const auto& k : threeCycles(full)) closed.insert(std::set<int>(k.begin(), k.end()));
    EXPECT_TRUE(closed == numbered && threeCycles(full).size() == std::size_t(triangleCount)) << full;
  }
}

TEST(TetrahedronBoard, LinesBoundTwoToFourTrianglesAndTheSharedFaceBothHalves) {
  const std::map<std::size_t, int> linesByTriangles[] = {{{2, 12}, {3, 12}}, {{2, 12}, {3, 24}, {4, 3}}};
  for (const auto& [full, lineCount, triangleCount] : kBoards) {
    std::map<std::size_t, int> counts;
    for (int n = 1; n <= lineCount; ++n) ++counts[graph(full).lineCells[n].size()];
    EXPECT_EQ(counts, linesByTriangles[full]) << full;
  }
  const BoardGraph g = graph(true);
  for (int n : {10, 11, 12, 16, 17, 18, 22, 23, 24})  // the shared face, with triangles on both sides
    EXPECT_TRUE(g.lineCells[n].front() <= kEasyTriangles && g.lineCells[n].back() > kEasyTriangles) << n;
  EXPECT_EQ(g.lineCells[11], (std::vector<int>{14, 17, 19, 33}));
}

TEST(TetrahedronBoard, CornerTetrahedraEasyHalfFirst) {
  // clang-format off
  EXPECT_EQ(cornerTetrahedra(), (std::vector<std::array<int, 4>>{{1, 5, 9, 13}, {2, 12, 14, 17}, {4, 6, 15, 18},
      {8, 10, 16, 20}, {17, 21, 30, 33}, {18, 22, 25, 34}, {20, 26, 29, 35}, {24, 28, 32, 36}}));
  // clang-format on
}

// Views 2 and 3 turn the solid by rotation(Axis::X, 120) and 240: the place of a Line
// holds the Line the turn carries it onto (no two Lines share a midpoint), and a triangle
// goes with its Lines. The Easy views are built from their first places only, so they
// throw unless the turns keep the Easy Lines and triangles among themselves.
TEST(TetrahedronBoard, ViewsAreThirdTurnsAboutTheAxisThroughBothApexes) {
  auto middle = [](int line) { return 0.5 * (points()[ends(line).first] + points()[ends(line).second]); };
  for (const auto& [full, lineCount, triangleCount] : kBoards) {
    const View two = view(2, full), three = view(3, full);  // each a bijection, or View throws
    EXPECT_TRUE(view(1, full) == View::identity(lineCount, triangleCount) && two.lineCount() == lineCount &&
                two.circleCount() == triangleCount && two.inverse() == three && two.power(2) == three);
    for (const auto& [turned, degrees] : {std::pair{two, 120.0}, std::pair{three, 240.0}}) {
      for (int n = 1; n <= lineCount; ++n)
        EXPECT_LT(squaredDistance(rotation(Axis::X, degrees) * middle(n), middle(turned.place(n))), 1e-12) << n;
      for (int t = 1; t <= triangleCount; ++t)
        for (int n : triangles()[t])
          EXPECT_EQ(std::ranges::count(triangles()[turned.circlePlace(t)], turned.place(n)), 1);
    }
  }
  for (auto [place, t] : {std::pair{1, 5}, {5, 9}, {9, 1}, {2, 6}, {6, 10}, {10, 2}})
    EXPECT_EQ(view(2, true).circle(place), t);
}

}  // namespace kp::tetrahedron
