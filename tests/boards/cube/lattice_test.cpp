#include "boards/cube/lattice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kp::cube {

using Lines = std::vector<int>;

TEST(CubeLattice, TwoByTwoByTwoNumbersAsTheTablesSay) {
  const Lattice l(2, 2, 2);
  ASSERT_TRUE(l.lineCount() == 54 && l.squareCount() == 36 && l.cubeCount() == 8);
  // clang-format off
  const std::vector<Lines> squares = {{},
      {1, 3, 11, 12},   {2, 4, 10, 11},   {3, 5, 8, 9},     {4, 6, 7, 8},     {13, 15, 23, 24}, {14, 16, 22, 23},
      {15, 17, 20, 21}, {16, 18, 19, 20}, {25, 27, 35, 36}, {26, 28, 34, 35}, {27, 29, 32, 33}, {28, 30, 31, 32},
      {12, 24, 37, 40}, {9, 21, 40, 43},  {24, 36, 46, 49}, {21, 33, 49, 52}, {11, 23, 38, 41}, {8, 20, 41, 44},
      {23, 35, 47, 50}, {20, 32, 50, 53}, {10, 22, 39, 42}, {7, 19, 42, 45},  {22, 34, 48, 51}, {19, 31, 51, 54},
      {5, 17, 43, 44},  {6, 18, 44, 45},  {17, 29, 52, 53}, {18, 30, 53, 54}, {3, 15, 40, 41},  {4, 16, 41, 42},
      {15, 27, 49, 50}, {16, 28, 50, 51}, {1, 13, 37, 38},  {2, 14, 38, 39},  {13, 25, 46, 47}, {14, 26, 47, 48}};
  const std::vector<Lines> cubeLines = {{},
      {1, 11, 3, 12, 37, 38, 40, 41, 13, 23, 15, 24},   {2, 10, 4, 11, 38, 39, 41, 42, 14, 22, 16, 23},
      {3, 8, 5, 9, 40, 41, 43, 44, 15, 20, 17, 21},     {4, 7, 6, 8, 41, 42, 44, 45, 16, 19, 18, 20},
      {13, 23, 15, 24, 46, 47, 49, 50, 25, 35, 27, 36}, {14, 22, 16, 23, 47, 48, 50, 51, 26, 34, 28, 35},
      {15, 20, 17, 21, 49, 50, 52, 53, 27, 32, 29, 33}, {16, 19, 18, 20, 50, 51, 53, 54, 28, 31, 30, 32}};
  const std::vector<Lines> cubeSquares = {{},
      {1, 5, 13, 17, 29, 33}, {2, 6, 17, 21, 30, 34}, {3, 7, 14, 18, 25, 29}, {4, 8, 18, 22, 26, 30},
      {5, 9, 15, 19, 31, 35}, {6, 10, 19, 23, 32, 36}, {7, 11, 16, 20, 27, 31}, {8, 12, 20, 24, 28, 32}};
  EXPECT_EQ(l.cornerTriples(), (std::vector<std::array<int, 3>>{{1, 13, 33}, {9, 15, 35}, {3, 14, 25}, {11, 16, 27},
                                {2, 21, 34}, {10, 23, 36}, {4, 22, 26}, {12, 24, 28}}));
  // clang-format on
  for (int s = 1; s <= 36; ++s) EXPECT_EQ(l.squares()[s], squares[s]) << "square " << s;
  EXPECT_EQ(l.cubeLineTable(), cubeLines);
  for (int c = 1; c <= 8; ++c) EXPECT_EQ(l.cubeSquares(c), cubeSquares[c]) << "cube " << c;
  EXPECT_EQ(l.innerSquares(), (Lines{5, 6, 7, 8, 17, 18, 19, 20, 29, 30, 31, 32}));
  const BoardGraph g = l.graph();
  std::vector<Lines> bySquares(7);  // [how many squares a Line borders] -> those Lines
  for (int n = 1; n <= 54; ++n) bySquares.at(g.lineCells[n].size()).push_back(n);
  EXPECT_TRUE(bySquares[2].size() == 24 && bySquares[3].size() == 24);  // with the six below, all 54
  EXPECT_EQ(bySquares[4], (Lines{15, 16, 20, 23, 41, 50}));
}

// One quarter turn takes Line 1 (x = 0 along y, on top) to the back edge of the top, Line
// 10, and the front-left top square 1 to the back-left one, 2. Each turn's tables are
// checked to be bijections as the View is built.
TEST(CubeLattice, QuarterTurnsFormACycleOfFourAndCarrySquaresWithTheirLines) {
  EXPECT_TRUE(Lattice(2, 2, 2).quarterTurns(1).line(10) == 1 && Lattice(2, 2, 2).quarterTurns(1).circle(2) == 1);
  for (const Lattice& l : {Lattice(2, 2, 2), Lattice(3, 3, 1)}) {
    const View one = l.quarterTurns(1);
    EXPECT_EQ(one.power(4), View::identity(l.lineCount(), l.squareCount()));
    for (int t = 0; t <= 3; ++t) EXPECT_EQ(l.quarterTurns(t), one.power(t)) << t;
    for (int s = 1; s <= l.squareCount(); ++s) {
      const Lines& there = l.squares()[one.circlePlace(s)];
      for (int n : l.squares()[s]) EXPECT_TRUE(std::count(there.begin(), there.end(), one.place(n))) << s << " " << n;
    }
  }
  EXPECT_THROW(Lattice(3, 2, 1).quarterTurns(1), std::logic_error);
  EXPECT_THROW(Lattice(2, 0, 1), std::invalid_argument);
}

TEST(CubeLattice, OtherSizesHoldTogether) {
  for (auto [a, b, c] : {std::array{3, 2, 1}, std::array{3, 1, 2}, std::array{4, 1, 3}, std::array{6, 1, 4},
                         std::array{1, 1, 1}}) {
    SCOPED_TRACE(testing::Message() << a << "x" << b << "x" << c);
    const Lattice l(a, b, c);
    EXPECT_EQ(l.lineCount(), (c + 1) * ((a + 1) * b + a * (b + 1)) + c * (a + 1) * (b + 1));
    EXPECT_EQ(l.squareCount(), (c + 1) * a * b + (b + 1) * a * c + (a + 1) * b * c);
    EXPECT_EQ(l.cubeCount(), a * b * c);
    EXPECT_EQ(l.innerSquares().size(), std::size_t((c - 1) * a * b + (b - 1) * a * c + (a - 1) * b * c));
    for (int n = 1; n <= l.lineCount(); ++n) {
      const Dot3 p = l.from(n), q = l.to(n);  // from the Dot nearer the top front left
      EXPECT_TRUE(l.lineBetween(q, p) == n && p.x + p.y + p.z < q.x + q.y + q.z) << n;
    }
    EXPECT_EQ(l.lineBetween({0, 0, 0}, {1, 1, 0}) + l.lineBetween({0, 0, 0}, {0, 0, -1}), 0);
    // A square's Lines join its corners in turn, so they
    // are 4 different Lines (none 0) only if the corners go round it.
    for (int s = 1; s <= l.squareCount(); ++s) {
      const auto k = l.corners(s);
      const Lines& sides = l.squares()[s];
      EXPECT_TRUE(sides[0] > 0 && std::set<int>(sides.begin(), sides.end()).size() == 4 &&
                  l.squareOf({k[2], k[0], k[3], k[1]}) == s);
    }
    for (int n = 1; n <= l.cubeCount(); ++n) {
      const std::set<int> lines(l.cubeLines(n).begin(), l.cubeLines(n).end());
      EXPECT_TRUE(lines.size() == 12 && std::set<int>(l.cubeSquares(n).begin(), l.cubeSquares(n).end()).size() == 6);
      for (int s : l.cubeSquares(n))
        for (int side : l.squares().at(s)) EXPECT_TRUE(lines.count(side)) << "cube " << n << " square " << s;
    }
  }
}

// The three walls: Lines, squares and cubes counted by hand on a drawing.
TEST(CubeLattice, WallsCountAsDrawn) {
  struct Wall {
    int a, c, lines, squares, cubes;
  };
  for (const Wall& w : {Wall{3, 2, 46, 29, 6}, Wall{4, 3, 82, 55, 12}, Wall{6, 4, 151, 106, 24}}) {
    const Lattice l(w.a, 1, w.c);
    EXPECT_EQ((std::array{l.lineCount(), l.squareCount(), l.cubeCount()}), (std::array{w.lines, w.squares, w.cubes}))
        << w.a << " x " << w.c;
  }
}

// In-plane neighbours: on the cube the two of a square's group of four that share a Line
// with it; on a wall a front square in the middle has four, a top square at an end one.
TEST(CubeLattice, PlaneNeighboursShareALineInOnePlane) {
  const Lattice cube(2, 2, 2);
  for (int s = 1; s <= 36; ++s) {
    const int first = (s - 1) / 4 * 4 + 1, k = s - first;
    EXPECT_EQ(cube.planeNeighbours(s), k == 0 || k == 3 ? Lines({first + 1, first + 2}) : Lines({first, first + 3}))
        << s;
  }
  const Lattice wall(6, 1, 4);
  const int front = wall.squareOf({Dot3{2, 0, 1}, {3, 0, 1}, {3, 0, 2}, {2, 0, 2}});
  const int top = wall.squareOf({Dot3{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}});
  EXPECT_EQ(wall.planeNeighbours(front).size(), 4u);
  EXPECT_EQ(wall.planeNeighbours(top), Lines({wall.squareOf({Dot3{1, 0, 0}, {2, 0, 0}, {2, 1, 0}, {1, 1, 0}})}));
}

// The half turn shows the back from the front: twice is no turn, and on a square base it
// is two quarter turns.
TEST(CubeLattice, HalfTurnIsItsOwnInverse) {
  for (const Lattice& l : {Lattice(6, 1, 4), Lattice(3, 1, 2)}) {
    EXPECT_EQ(l.halfTurn().power(2), View::identity(l.lineCount(), l.squareCount()));
    EXPECT_NE(l.halfTurn(), View::identity(l.lineCount(), l.squareCount()));
  }
  EXPECT_EQ(Lattice(2, 2, 2).halfTurn(), Lattice(2, 2, 2).quarterTurns(2));
  // The front top left Line along x shows at the back top right.
  const Lattice wall(3, 1, 2);
  EXPECT_EQ(wall.halfTurn().line(wall.lineBetween({2, 1, 0}, {3, 1, 0})), wall.lineBetween({0, 0, 0}, {1, 0, 0}));
}

}  // namespace kp::cube
