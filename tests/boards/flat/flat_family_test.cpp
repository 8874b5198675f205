// The boards of the square window's family beyond the beginner board: Our House, the
// torus, the shape-read rules on the square boards, and the large window at 5 by 5.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>

#include "boards/flat/house_board.h"
#include "boards/flat/square_board.h"
#include "boards/flat/torus_board.h"
#include "play/play_session.h"

namespace kp {
namespace {

std::set<int> asSet(const std::vector<int>& v) { return {v.begin(), v.end()}; }

// The Lines read from the picture agree with the square boards' own rules at every size.
TEST(FlatFamily, ShapeReadRulesAgreeWithTheSquareBoards) {
  for (int n = 5; n <= 9; ++n) {
    const square::SquareBoard& b = square::board(n);
    EXPECT_EQ(linesOffTheOutline(b.graph(false), b.geometry()), b.interiorLines()) << n;
    for (int k = 1; k <= b.cells(); ++k)
      for (bool plus : {false, true})
        EXPECT_EQ(asSet(superKrunkByShape(b.graph(false), b.geometry(), k, plus)), asSet(b.superKrunkClaims(k, false, plus)))
            << n << " by " << n << ", cell " << k << (plus ? " plus" : "");
  }
}

// Every Cell is a closed polygon of distinct Lines in the picture: each of its corners is
// the end of exactly two of its sides.
void expectClosedCells(const CellBoard& b) {
  const BoardGraph& g = b.graph(false);
  for (int k = 1; k <= g.cellCount; ++k) {
    std::map<std::pair<long, long>, int> ends;
    for (int l : g.cellSides[std::size_t(k)])
      for (Point2 p : {b.geometry().lines[std::size_t(l)].a, b.geometry().lines[std::size_t(l)].b})
        ++ends[{std::lround(p.x), std::lround(p.y)}];
    EXPECT_EQ(ends.size(), g.cellSides[std::size_t(k)].size()) << "cell " << k;
    for (const auto& [corner, count] : ends) EXPECT_EQ(count, 2) << "cell " << k;
  }
}

TEST(FlatFamily, OurHouseIsOneBoardOfSquaresAndTriangles) {
  const HouseBoard& b = house();
  const BoardGraph& g = b.graph(false);
  expectClosedCells(b);
  // 20 wall Cells (two of them windows), 17 roof triangles, a chimney of two squares.
  std::map<HouseBoard::Part, std::pair<int, int>> parts;  // Cells, of them triangles
  for (int k = 1; k <= g.cellCount; ++k) {
    ++parts[b.part(k)].first;
    parts[b.part(k)].second += g.cellSides[std::size_t(k)].size() == 3;
  }
  using P = HouseBoard::Part;
  EXPECT_EQ(parts, (std::map<P, std::pair<int, int>>{{P::Roof, {17, 17}}, {P::Chimney, {2, 0}}, {P::Wall, {18, 0}}, {P::Window, {2, 0}}}));
  // One piece without holes: Dots - Lines + Cells = 1 (Euler); every Line in one or two Cells.
  EXPECT_EQ(int(b.geometry().dots.size()) - g.lineCount + g.cellCount, 1);
  for (int l = 1; l <= g.lineCount; ++l) EXPECT_TRUE(g.lineCells[std::size_t(l)].size() == 1 || g.lineCells[std::size_t(l)].size() == 2) << l;
  // Reading order: Lines by their middles, top to bottom and left to right within a row.
  auto mid = [&](int l) {
    const Segment& s = b.geometry().lines[std::size_t(l)];
    return std::pair{std::lround(s.a.y + s.b.y), std::lround(s.a.x + s.b.x)};
  };
  for (int l = 1; l < g.lineCount; ++l) EXPECT_LT(mid(l), mid(l + 1)) << l;
  // The chimney's top Cell has Line 1 for its top; the doorway is no Cell's.
  EXPECT_EQ(b.part(3), P::Chimney);
  EXPECT_EQ(g.cellSides[3][0], 1);
  const Point2 doorway{(b.door()[0].x + b.door()[2].x) / 2, (b.door()[0].y + b.door()[2].y) / 2};
  for (int k = 1; k <= g.cellCount; ++k)
    EXPECT_GT(std::hypot(b.geometry().circles[std::size_t(k)].x - doorway.x, b.geometry().circles[std::size_t(k)].y - doorway.y), 70);
}

TEST(FlatFamily, TheTorusJoinsEveryEdgeAndTurnsOntoItself) {
  const TorusBoard& b = torus();
  const BoardGraph& g = b.graph(false);
  ASSERT_TRUE(g.cellCount == 48 && g.lineCount == 96);
  expectClosedCells(b);
  // Every Line lies between two Cells, neighbours on the grid cut open, counted round.
  auto rowCol = [](int k) { return std::pair{(k - 1) / 12, (k - 1) % 12}; };
  for (int l = 1; l <= g.lineCount; ++l) {
    ASSERT_EQ(g.lineCells[std::size_t(l)].size(), 2u) << l;
    const auto [r1, c1] = rowCol(g.lineCells[std::size_t(l)][0]);
    const auto [r2, c2] = rowCol(g.lineCells[std::size_t(l)][1]);
    const bool across = l <= 48;  // Lines 1..48 part Cells of one row
    EXPECT_TRUE(across ? r1 == r2 && (c2 - c1 + 12) % 12 % 10 == 1 : c1 == c2 && (r2 - r1 + 4) % 4 % 2 == 1) << l;
  }
  // A turn by one Cell maps every Cell's sides onto the turned Cell's; twelve are none.
  for (int k = 1; k <= 48; ++k) {
    std::set<int> turned;
    for (int l : g.cellSides[std::size_t(k)]) turned.insert(TorusBoard::lineTurned(l, 1));
    EXPECT_EQ(turned, asSet(g.cellSides[std::size_t(TorusBoard::cellTurned(k, 1))])) << k;
  }
  for (int l = 1; l <= 96; ++l) EXPECT_EQ(TorusBoard::lineTurned(l, 12), l);
  // Half of the Lines, give or take, face the eye.
  int near = 0;
  for (int l = 1; l <= 96; ++l) near += b.place(l).near;
  EXPECT_TRUE(near > 30 && near < 66) << near;
}

// Every drawn place of the torus takes a click somewhere on it: the far side where it
// shows, past the near side in front of it.
TEST(FlatFamily, EveryPlaceOfTheTorusTakesAClick) {
  PlaySession session;
  ASSERT_EQ(session.open("torus"), "");
  for (const char* game : {"Tolva", "Krunk"}) {
    ASSERT_EQ(session.menu(std::string("Games Menu > ") + game), "");
    const Scene scene = session.window()->scene();
    std::set<int> reached;
    for (const Stroke& s : scene.strokes)
      for (double t = 0.05; t < 1; t += 0.05)
        if (const Target hit = scene.hit({s.a.x + t * (s.b.x - s.a.x), s.a.y + t * (s.b.y - s.a.y)}, scene.hitTolerance());
            hit.kind == Target::Kind::Line)
          reached.insert(hit.id);
    for (const Shape& c : scene.shapes)
      for (double angle = 0; angle < 6.3; angle += 0.5)
        for (double r : {0.0, 0.5, 0.9})
          if (const Target hit = scene.hit({c.centre.x + r * c.radiusX * std::cos(angle), c.centre.y + r * c.radiusX * std::sin(angle)},
                                           scene.hitTolerance());
              hit.kind == Target::Kind::Circle)
            reached.insert(hit.id);
    EXPECT_EQ(reached.size(), std::string(game) == "Tolva" ? 96u : 48u) << game;
  }
}

// The large window at 5 by 5 plays exactly the beginner board: a Super Krunk Plus circle
// claims the same Lines on both, on both sub-levels.
TEST(FlatFamily, TheLargeBoardAtFiveIsTheBeginnerBoard) {
  auto claimed = [](const std::string& setup, int circle) {
    PlaySession session;
    std::istringstream in(setup + "menu Games Menu > Super Krunk Plus\ncircle " + std::to_string(circle) + "\nstate\n");
    std::set<int> lines;
    for (const auto& cmd : parseScript(in))
      if (auto s = session.run(cmd))
        for (const auto& [n, l] : (*s)["lines"].items())
          if (l["owner"] != 0) lines.insert(std::stoi(n));
    return lines;
  };
  for (const char* level : {"", "menu Sub-Levels > Globoria\n"})
    for (int k = 1; k <= 25; ++k)
      EXPECT_EQ(claimed(std::string("open largesquare\nmenu Size > 5 x 5\n") + level, k),
                claimed(std::string("open square\n") + level, k))
          << k << " " << level;
}

}  // namespace
}  // namespace kp
