#include "boards/flat/square_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <tuple>

namespace kp::square {
namespace {

struct SideRow {
  int cell, top, right, bottom, left;
};

// The rows of the side tables a person can check on the board picture.
TEST(SquareBoard, SideTablesMatchTheTellingRows) {
  const SideRow rows[] = {
      {1, 31, 6, 36, 1},    {2, 32, 11, 37, 6},  {5, 35, 26, 40, 21},  {6, 36, 7, 41, 2},
      {13, 43, 18, 48, 13}, {21, 51, 10, 56, 5}, {25, 55, 30, 60, 25},
  };
  for (const auto& r : rows)
    EXPECT_EQ((std::array{side(r.cell, 1), side(r.cell, 2), side(r.cell, 3), side(r.cell, 4)}),
              (std::array{r.top, r.right, r.bottom, r.left}))
        << r.cell;
}

TEST(SquareBoard, InteriorLinesAreThoseWithBothEndsOnInnerDots) {
  const BoardGeometry geo = geometry();
  const double lo = geo.dots.front().x, hi = geo.dots.back().x;  // outer ring of dots
  auto inner = [&](Point2 p) { return p.x > lo && p.x < hi && p.y > lo && p.y < hi; };
  std::vector<int> expected;
  for (int l = 1; l <= 60; ++l)
    if (inner(geo.lines[l].a) && inner(geo.lines[l].b)) expected.push_back(l);
  EXPECT_EQ(std::vector<int>(kInteriorLines.begin(), kInteriorLines.end()), expected);
}

// The 20 edge Lines bound one cell and the inner ones two; Globoria joins exactly the edge
// Lines, in pairs across the board, and Planor joins nothing.
TEST(SquareBoard, GloboriaJoinsOppositeEdges) {
  const BoardGraph planor = graph(false), g = graph(true);
  ASSERT_TRUE(planor.lineCount == 60 && planor.cellCount == 25);
  for (auto [a, b] : {std::pair{1, 26}, {5, 30}, {31, 56}, {35, 60}})
    EXPECT_TRUE(g.partner[a] == b && g.partner[b] == a);
  int joined = 0;
  for (int l = 1; l <= 60; ++l) {
    joined += g.partner[l] != 0;
    EXPECT_EQ(g.partner[l], wrapPartner(l));
    EXPECT_EQ(planor.partner[l], 0);
    EXPECT_EQ(planor.lineCells[l].size(), wrapPartner(l) ? 1u : 2u) << "line " << l;
  }
  EXPECT_EQ(joined, 20);  // 10 pairs, so 50 distinct Lines
  EXPECT_EQ(g.cellSides[13], (std::vector<int>{43, 18, 48, 13})) << "the centre keeps its sides on both sub-levels";
}

TEST(SquareBoard, SuperKrunkClaimsEachSideWithItsContinuation) {
  const std::tuple<int, bool, bool, std::vector<int>> cases[] = {
      {1, false, false, {31, 32, 36, 37, 1, 2, 6, 7}},
      {7, false, true, {36, 37, 38, 41, 42, 43, 6, 7, 8, 11, 12, 13, 2, 17, 32, 47}},
      {2, false, true, {31, 32, 33, 36, 37, 38, 6, 7, 11, 12, 1, 16, 42}},
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

TEST(SquareBoard, SuperKrunkPlusClosesEveryNeighbour) {
  for (bool globoria : {false, true}) {
    const BoardGraph g = graph(globoria);
    for (int k = 1; k <= kCells; ++k) {
      auto claimed = superKrunkClaims(k, globoria, true);
      for (int l : std::vector<int>(claimed)) claimed.push_back(g.partner[l]);
      auto has = [&](int l) { return std::find(claimed.begin(), claimed.end(), l) != claimed.end(); };
      std::set<int> neighbours;
      for (int line : g.cellSides[k])
        for (int l : {line, g.partner[line]})
          if (l != 0)
            for (int cell : g.lineCells[l]) neighbours.insert(cell);
      for (int n : neighbours)
        for (int line : g.cellSides[n])
          EXPECT_TRUE(has(line)) << "cell " << k << " neighbour " << n << " line " << line;
    }
  }
}

}  // namespace
}  // namespace kp::square
