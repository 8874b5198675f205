#include "boards/fourd/tesseract.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>

namespace kp {
namespace {

using T = TesseractBoard;
using Corner = std::array<int, 4>;

Corner corner(Point4 p) { return {int(p.x), int(p.y), int(p.z), int(p.w)}; }
std::set<Corner> ends(int line) { return {corner(T::from(line)), corner(T::to(line))}; }
// The tesseract's edges lying in the cell where every coordinate in `fixed` has its value.
std::set<std::set<Corner>> edgesWhere(const std::vector<std::pair<int, int>>& fixed) {
  std::set<std::set<Corner>> out;
  for (int v = 0; v < 16; ++v)
    for (int axis = 0; axis < 4; ++axis) {
      Corner a, b;
      for (int i = 0; i < 4; ++i) a[std::size_t(i)] = b[std::size_t(i)] = (v >> i & 1) ? 1 : -1;
      if (a[std::size_t(axis)] != -1) continue;
      b[std::size_t(axis)] = 1;
      if (std::all_of(fixed.begin(), fixed.end(), [&](auto f) { return a[std::size_t(f.first)] == f.second && b[std::size_t(f.first)] == f.second; }))
        out.insert({a, b});
    }
  return out;
}
std::set<std::set<Corner>> edgesOf(const std::vector<int>& lines) {
  std::set<std::set<Corner>> out;
  for (int l : lines) out.insert(ends(l));
  return out;
}
std::pair<int, int> cell(int c) { return {T::cube(c).axis, T::cube(c).sign}; }

TEST(TesseractBoard, TablesAreTheFacesOfTheTesseractOnItsCorners) {
  std::vector<int> all;
  for (int l = 1; l <= T::kLines; ++l) all.push_back(l);
  EXPECT_EQ(edgesOf(all), edgesWhere({})) << "the 32 Lines are the 32 edges, each once";

  for (int c = 1; c <= T::kCubes; ++c) {
    EXPECT_EQ(edgesOf(T::cubeLines(c)), edgesWhere({cell(c)})) << "cube " << c;
    std::set<int> strokes;
    for (int l : T::cubeLines(c))
      for (const auto& cs : T::lineCubes(l))
        if (cs.cube == c) strokes.insert(cs.stroke);
    EXPECT_EQ(strokes.size(), 12u) << "cube " << c << " draws each of its Lines with its own stroke";
    EXPECT_EQ(*strokes.begin(), 1);
    EXPECT_EQ(*strokes.rbegin(), 12);
  }
  std::set<std::pair<int, int>> sharing;
  for (int s = 1; s <= T::kSquares; ++s) {
    const auto [a, b] = T::squareCubes(s);
    EXPECT_EQ(edgesOf(T::squareLines(s)), edgesWhere({cell(a), cell(b)})) << "square " << s;
    EXPECT_EQ(T::squareLines(s).size(), 4u);
    sharing.insert({std::min(a, b), std::max(a, b)});
  }
  EXPECT_EQ(sharing.size(), 24u) << "every two cubes that are not opposite share one square";
  int opposite = 0;
  for (int a = 1; a <= T::kCubes; ++a)
    for (int b = a + 1; b <= T::kCubes; ++b)
      if (!sharing.count({a, b})) {
        ++opposite;
        EXPECT_EQ(T::cube(a).axis, T::cube(b).axis) << a << " " << b;
        EXPECT_NE(T::cube(a).near, T::cube(b).near);
      }
  EXPECT_EQ(opposite, 4);

  const BoardGraph g = T::graph();
  for (int l = 1; l <= T::kLines; ++l) EXPECT_EQ(g.lineCells[std::size_t(l)].size(), 3u) << "line " << l;
  EXPECT_EQ(T::onlyIn(true), (std::vector<int>{6, 12, 16, 32}));
  EXPECT_EQ(T::onlyIn(false), (std::vector<int>{8, 20, 22, 25}));
}

TEST(TesseractBoard, QuarterTurnIsTheTurnInThePlaneOfTheFirstAndFourthAxes) {
  for (int l = 1; l <= T::kLines; ++l) {
    std::set<Corner> turned;
    for (Corner c : ends(l)) turned.insert({-c[3], c[1], c[2], c[0]});
    EXPECT_EQ(ends(T::turn(l)), turned) << "line " << l;
    EXPECT_EQ(T::turned(l, 4), l);
  }
  for (int s = 1; s <= T::kSquares; ++s) {
    std::set<int> image;
    for (int l : T::squareLines(s)) image.insert(T::turn(l));
    const auto& own = T::squareLines(T::turnSquare(s));
    EXPECT_EQ(image, std::set<int>(own.begin(), own.end())) << "square " << s;
    // The squares parallel to the plane of the turn keep their place: 5 and 12 among them.
    EXPECT_EQ(T::turnSquare(s) == s, s == 5 || s == 6 || s == 11 || s == 12) << "square " << s;
  }
  // Label k names Line R^s(k).
  struct Case {
    int s, label, line;
  };
  for (Case c : {Case{1, 10, 32}, {2, 10, 12}, {3, 10, 11}, {0, 10, 10}, {2, 1, 2}, {2, 2, 1}, {1, 22, 29}}) {
    EXPECT_EQ(T::view(c.s).line(c.label), c.line) << "orientation " << c.s << " label " << c.label;
  }
  EXPECT_EQ(T::view(1).then(T::view(1)), T::view(2));
}

}  // namespace
}  // namespace kp
