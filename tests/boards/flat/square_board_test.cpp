#include "boards/flat/square_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <tuple>

namespace kp::square {
namespace {

// Every size of the family, 5 by 5 (the beginner board) to 9 by 9; on the beginner board
// the rows of the side tables a person can check on the board picture.
TEST(SquareBoard, EverySizeIsALatticeOfCellsJoinedAcrossOppositeEdgesInGloboria) {
  const std::pair<int, std::array<int, 4>> rows[] = {
      {1, {31, 6, 36, 1}}, {2, {32, 11, 37, 6}}, {6, {36, 7, 41, 2}}, {21, {51, 10, 56, 5}}, {25, {55, 30, 60, 25}}};
  for (const auto& [cell, sides] : rows)
    EXPECT_EQ((std::array{side(cell, 1), side(cell, 2), side(cell, 3), side(cell, 4)}), sides) << cell;
  for (int n = 5; n <= 9; ++n) {
    SCOPED_TRACE(testing::Message() << n << " by " << n);
    const SquareBoard& b = board(n);
    const BoardGraph &planor = b.graph(false), &g = b.graph(true);
    ASSERT_TRUE(planor.lineCount == 2 * n * (n + 1) && planor.cellCount == n * n);
    for (int r = 1; r <= n; ++r)
      for (int c = 1; c <= n; ++c) {
        const int k = b.cellAt(r, c);
        EXPECT_TRUE(c == n || b.side(k, 2) == b.side(b.cellAt(r, c + 1), 4)) << k;
        EXPECT_TRUE(r == n || b.side(k, 3) == b.side(b.cellAt(r + 1, c), 1)) << k;
        EXPECT_EQ(std::set<int>(g.cellSides[k].begin(), g.cellSides[k].end()).size(), 4u);
      }
    // The 4n edge Lines bound one Cell and the inner ones two; Globoria joins exactly the
    // edge Lines, in pairs lying opposite each other, and Planor joins nothing.
    const BoardGeometry& geo = b.geometry();
    int joined = 0;
    for (int l = 1; l <= planor.lineCount; ++l) {
      const int p = g.partner[l];
      joined += p != 0;
      EXPECT_EQ(planor.partner[l], 0);
      EXPECT_EQ(planor.lineCells[l].size(), p ? 1u : 2u) << "line " << l;
      if (p == 0) continue;
      EXPECT_EQ(g.partner[p], l);
      const Segment &s = geo.lines[l], &t = geo.lines[p];
      EXPECT_TRUE((s.a.x == t.a.x && s.b.x == t.b.x) != (s.a.y == t.a.y && s.b.y == t.b.y)) << "line " << l;
    }
    EXPECT_EQ(joined, 4 * n);
    // Interior Lines: both ends on inner Dots.
    const double lo = geo.dots.front().x, hi = geo.dots.back().x;
    auto inner = [&](Point2 p) { return p.x > lo && p.x < hi && p.y > lo && p.y < hi; };
    std::vector<int> interior;
    for (int l = 1; l <= planor.lineCount; ++l)
      if (inner(geo.lines[l].a) && inner(geo.lines[l].b)) interior.push_back(l);
    EXPECT_EQ(b.interiorLines(), interior);
  }
  const BoardGraph g = graph(true);
  for (auto [a, b] : {std::pair{1, 26}, {5, 30}, {31, 56}, {35, 60}})
    EXPECT_TRUE(g.partner[a] == b && g.partner[b] == a);
  EXPECT_EQ(g.cellSides[13], (std::vector<int>{43, 18, 48, 13})) << "the centre keeps its sides on Globoria";
}

TEST(SquareBoard, SuperKrunkClaimsEachSideWithItsContinuation) {
  const std::tuple<int, bool, bool, std::vector<int>> cases[] = {
      {1, false, false, {31, 32, 36, 37, 1, 2, 6, 7}},
      {7, false, false, {36, 37, 38, 41, 42, 43, 6, 7, 8, 11, 12, 13}},
      {7, false, true, {36, 37, 38, 41, 42, 43, 6, 7, 8, 11, 12, 13, 2, 17, 32, 47}},
      // Across the joined edges the runs go on at the opposite edge: 10 and 15 from the
      // bottom row; the top run's partners 56 to 58 come with their Lines.
      {2, true, false, {31, 32, 33, 36, 37, 38, 10, 6, 7, 15, 11, 12}},
      {2, true, true, {31, 32, 33, 36, 37, 38, 10, 6, 7, 15, 11, 12, 1, 16, 52, 42}},
      {25, true, false, {54, 55, 51, 59, 60, 56, 24, 25, 21, 29, 30, 26}},
  };
  for (const auto& [cell, globoria, plus, lines] : cases) {
    SCOPED_TRACE(testing::Message() << "cell " << cell << (globoria ? " Globoria" : " Planor")
                                    << (plus ? " plus" : ""));
    EXPECT_EQ(superKrunkClaims(cell, globoria, plus), lines);
  }
}

}  // namespace
}  // namespace kp::square
