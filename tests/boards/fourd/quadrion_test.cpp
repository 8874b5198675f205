#include "boards/fourd/quadrion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <set>

#include "play/play_session.h"
#include "support/greedy_picks.h"

namespace kp {
namespace {

using Q = QuadrionBoard;
using Key = std::array<int, 4>;

Key key(Q::Corner c) {
  const Point4 p = Q::point(c);
  return {int(p.x), int(p.y), int(p.z), int(p.w)};
}

// The squares of the ring found from its corners alone: every four Lines that close a
// cycle through four corners spanning a plane (not the four joining Lines of one corner
// around the ring, which lie on a line).
std::set<std::set<int>> squaresFromCorners() {
  std::map<std::pair<Key, Key>, int> lineAt;
  for (int l = 1; l <= Q::kLines; ++l) {
    const auto [a, b] = Q::ends(l);
    lineAt[{key(a), key(b)}] = lineAt[{key(b), key(a)}] = l;
  }
  std::set<std::set<int>> out;
  for (const auto& [ab, l1] : lineAt)
    for (const auto& [cd, l2] : lineAt) {
      if (cd.first != ab.second || cd.second == ab.first) continue;
      for (const auto& [ef, l3] : lineAt) {
        if (ef.first != cd.second || ef.second == cd.first || ef.second == ab.first) continue;
        const auto back = lineAt.find({ef.second, ab.first});
        if (back == lineAt.end()) continue;
        const Key& p = ab.first;
        const Key& q = ab.second;
        const Key& r = cd.second;
        bool flat = true;  // q - p and r - p parallel: the four corners lie on one line
        for (int i = 0; i < 4; ++i)
          for (int j = 0; j < 4; ++j) flat = flat && (q[i] - p[i]) * (r[j] - p[j]) == (q[j] - p[j]) * (r[i] - p[i]);
        if (!flat) out.insert({l1, l2, l3, back->second});
      }
    }
  return out;
}

TEST(QuadrionBoard, SquaresAreTheFacesOfTheRingOfTesseracts) {
  std::set<std::set<int>> table;
  std::vector<int> inSquares(Q::kLines + 1, 0);
  for (int s = 1; s <= Q::kSquares; ++s) {
    const auto& lines = Q::squareLines(s);
    table.insert({lines.begin(), lines.end()});
    for (int l : lines) ++inSquares[std::size_t(l)];
    if (s <= 24) continue;
    // A joining square: an edge of each of two neighbouring cubes and the joining Lines at their ends.
    const auto a = Q::ends(lines[0]), b = Q::ends(lines[2]);
    EXPECT_TRUE(!Q::joining(lines[0]) && !Q::joining(lines[2]) && Q::joining(lines[1]) && Q::joining(lines[3])) << s;
    EXPECT_EQ((Q::ringOf(lines[0]) + 1) % 4, Q::ringOf(lines[2])) << s;
    EXPECT_EQ(a[0].m, b[0].m) << s;
    EXPECT_EQ(a[1].m, b[1].m) << s;
    EXPECT_EQ(Q::ends(lines[1])[0].m, a[1].m) << s;
    EXPECT_EQ(Q::ends(lines[3])[0].m, a[0].m) << s;
  }
  EXPECT_EQ(table.size(), std::size_t(Q::kSquares));
  EXPECT_EQ(table, squaresFromCorners());
  for (int l = 1; l <= Q::kLines; ++l) EXPECT_EQ(inSquares[std::size_t(l)], Q::joining(l) ? 3 : 4) << "line " << l;
  const std::vector<int> one = {1, 2, 49, 61};
  EXPECT_EQ(Q::graph().lineCells[1], one);
}

TEST(QuadrionBoard, CubesAreTheNamedCubesThenTheSideCubesOfEachTesseract) {
  std::vector<int> inCubes(Q::kSquares + 1, 0);
  for (int c = 1; c <= Q::kCubes; ++c) {
    EXPECT_EQ(Q::cubeSquares(c).size(), 6u) << "cube " << c;
    EXPECT_EQ(Q::cubeLines(c).size(), 12u) << "cube " << c;
    std::set<Key> corners;
    for (int l : Q::cubeLines(c))
      for (const auto& end : Q::ends(l)) corners.insert(key(end));
    EXPECT_EQ(corners.size(), 8u) << "cube " << c;
    for (int s : Q::cubeSquares(c)) ++inCubes[std::size_t(s)];
  }
  for (int s = 1; s <= Q::kSquares; ++s) EXPECT_EQ(inCubes[std::size_t(s)], s <= 24 ? 3 : 2) << "square " << s;
  // White's faces are squares 13 to 18; the first side cube of White-Red is on face 13,
  // the first of Blue-White on the Blue cube's face 1.
  EXPECT_EQ(Q::cubeSquares(Q::White + 1), (std::vector<int>{13, 14, 15, 16, 17, 18}));
  EXPECT_EQ(Q::cubeSquares(4), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Q::cubeSquares(5), (std::vector<int>{13, 19, 25, 26, 27, 28}));
  EXPECT_EQ(Q::cubeSquares(23), (std::vector<int>{1, 13, 61, 62, 63, 64}));
}

// The computer on the ring: of the squares lacking one Line the lowest-numbered is closed
// first; otherwise no square is given its third Line.
TEST(QuadrionComputer, ClosesTheLowestSquareElseGivesNothingAway) {
  std::vector<int> safe;
  for (int l = 1; l <= Q::kLines; ++l)
    if (l != 1 && l != 6 && l != 5 && l != 7) safe.push_back(l);
  const std::pair<std::vector<int>, std::vector<int>> cases[] = {
      {{52, 37, 50, 5, 7, 6}, {1}},  // squares 25 and 1 lack one Line each
      {{5, 7}, safe},                // square 1 has two: Lines 1 and 6 would give it away
  };
  for (const auto& [claimed, expected] : cases)
    EXPECT_EQ(greedyPicks(Q::graph(), claimed, Completing::LowestUnitFirst, nullptr, {}, 800),
              std::set<int>(expected.begin(), expected.end()));
}

// The short joining Lines at the crowded corner of each tesseract, as the deep ones: a click
// 4 px from the middle of one takes it; with the grid its number takes a click too, and a
// short Line's number stands beside it, clear of every Line.
TEST(QuadrionWindow, ShortJoiningLinesCanBeFoundAndTheirNumbersStandBeside) {
  PlaySession session;
  ASSERT_EQ(session.open("quadrion"), "");
  const Scene bare = session.window()->scene();
  ASSERT_EQ(session.menu("Grid > Show grid"), "");
  const Scene grid = session.window()->scene();
  for (int line : {49, 57, 65, 73, 51, 59, 67, 75}) {
    const Target target = Target::line(line);
    const Stroke stroke =
        *std::find_if(bare.strokes.begin(), bare.strokes.end(), [&](auto& s) { return s.target == target; });
    const Point2 mid = 0.5 * (stroke.a + stroke.b);
    for (double angle = 0; angle < 6.2; angle += std::numbers::pi / 4)
      EXPECT_EQ(bare.hit(mid + Point2{60 * std::cos(angle), 60 * std::sin(angle)}, bare.hitTolerance()), target)
          << line;
    const std::vector<Point2> box = std::find_if(grid.shapes.begin(), grid.shapes.end(), [&](auto& s) {
                                      return s.kind == Shape::Kind::Polygon && s.target == target;
                                    })->points;
    EXPECT_EQ(grid.hit(0.5 * (box[0] + box[2]), grid.hitTolerance()), target) << line;
    for (const Stroke& s : grid.strokes)
      for (double t = 0; t <= 1 && line % 8 == 1; t += 1.0 / 64) {
        const Point2 p = (1 - t) * s.a + t * s.b;
        EXPECT_FALSE(p.x >= box[0].x && p.x <= box[2].x && p.y >= box[0].y && p.y <= box[2].y)
            << line << " on " << s.target.id;
      }
  }
}

}  // namespace
}  // namespace kp
