#pragma once
#include <array>
#include <map>
#include <vector>

#include "core/board_graph.h"
#include "core/view.h"

namespace kp::cube {

// A dot of the lattice: x left to right, y front to back, z from the top layer (0) down.
struct Dot3 {
  int x = 0, y = 0, z = 0;
  bool operator==(const Dot3&) const = default;
};

// A box of a by b by c unit cubes: its unit edges are the Lines, its unit faces the
// squares (the cells the rules score) and its unit cubes the units. Everything is numbered
// from 1 and every table keeps index 0 unused.
//
// Lines go layer by layer (z = 0..c), P = (a+1)b + a(b+1) to a layer: first those along y,
// x = 0..a outer, y = 0..b-1 inner; then those along x, x = a-1 down to 0 outer and
// y = b down to 0 inner. The upright Lines follow, slab by slab, x outer and y inner.
// Squares: the flat ones layer by layer (x outer, y inner), then those facing the viewer
// depth by depth (z outer, x inner), then the side ones for x = a down to 0 (z outer,
// y inner). Cubes slab by slab, x outer, y inner.
class Lattice {
 public:
  // Throws std::invalid_argument for a size below 1.
  Lattice(int a, int b, int c);

  int a() const { return a_; }
  int b() const { return b_; }
  int c() const { return c_; }
  int lineCount() const { return int(ends_.size()) - 1; }
  int squareCount() const { return int(squares_.size()) - 1; }
  int cubeCount() const { return int(cubeLines_.size()) - 1; }

  // The Line's two Dots, in the order its numbering names them.
  Dot3 from(int line) const { return ends_.at(std::size_t(line))[0]; }
  Dot3 to(int line) const { return ends_.at(std::size_t(line))[1]; }
  // The Line joining p and q (either order), 0 unless they are one unit edge apart.
  int lineBetween(Dot3 p, Dot3 q) const;

  // [square] -> its 4 Lines, increasing.
  const std::vector<std::vector<int>>& squares() const { return squares_; }
  // The square's corners in order around it, so corners[0] and corners[2] are opposite.
  std::array<Dot3, 4> corners(int square) const { return corners_.at(std::size_t(square)); }
  // The cube's 12 Lines: its top face (the Lines along y at x and x+1 alternating with those
  // along x at y+1 and y: y-Line (x,y), x-Line (x,y+1), y-Line (x+1,y), x-Line (x,y)), its
  // four upright Lines at (x,y), (x,y+1), (x+1,y), (x+1,y+1), then its bottom face as the top.
  const std::vector<int>& cubeLines(int cube) const { return cubeLines_.at(std::size_t(cube)); }
  // The cube's 6 squares, increasing.
  const std::vector<int>& cubeSquares(int cube) const { return cubeSquares_.at(std::size_t(cube)); }
  // The unit table: [cube] -> cubeLines(cube), index 0 empty.
  std::vector<std::vector<int>> cubeLineTable() const { return cubeLines_; }
  // The squares inside the box (not on its outside), increasing.
  const std::vector<int>& innerSquares() const { return innerSquares_; }
  // For each corner of the box (y in {0, b} outer, x in {0, a}, z in {0, c} inner): the
  // flat, the front-facing and the side square there, increasing.
  const std::vector<std::array<int, 3>>& cornerTriples() const { return cornerTriples_; }

  BoardGraph graph() const { return BoardGraph::fromCellSides(lineCount(), squares_); }
  // The square with these corners in any order, 0 if they are not a square's corners.
  int squareOf(const std::array<Dot3, 4>& corners) const;

  // For a square base (a == b): the view after `turns` (0..3) quarter turns about the
  // upright axis through the centre, (x, y, z) -> (y, a - x, z). The place a turn moves
  // Line l (square s) to shows l (s). Throws std::logic_error if a != b.
  View quarterTurns(int turns) const;
  // The half turn about the upright axis through the centre, (x, y, z) -> (a - x, b - y, z):
  // for any base, the back seen from the front.
  View halfTurn() const;

  // The squares lying in one plane with the square and sharing a Line with it, increasing.
  const std::vector<int>& planeNeighbours(int square) const { return planeNeighbours_.at(std::size_t(square)); }

 private:
  // The view after moving every Dot by `move`, a symmetry of the box.
  template <class Move>
  View movedBy(Move move) const;
  bool onLattice(Dot3 p) const;
  int dotKey(Dot3 p) const { return (p.z * (b_ + 1) + p.y) * (a_ + 1) + p.x; }
  // Lines and squares by position: a Line from its lower Dot, a square from its lowest
  // corner (the one with the smallest coordinates).
  int yLine(int x, int y, int z) const { return z * perLayer_ + x * b_ + y + 1; }
  int xLine(int x, int y, int z) const { return z * perLayer_ + (a_ + 1) * b_ + (a_ - 1 - x) * (b_ + 1) + b_ - y + 1; }
  int upLine(int x, int y, int z) const { return (c_ + 1) * perLayer_ + 1 + (z * (a_ + 1) + x) * (b_ + 1) + y; }
  int flatSquare(int x, int y, int z) const { return z * a_ * b_ + x * b_ + y + 1; }
  int frontSquare(int x, int y, int z) const { return firstFront_ + (y * c_ + z) * a_ + x + 1; }
  int sideSquare(int x, int y, int z) const { return firstSide_ + ((a_ - x) * c_ + z) * b_ + y + 1; }

  int a_, b_, c_, perLayer_, firstFront_, firstSide_;
  std::vector<std::array<Dot3, 2>> ends_;
  std::vector<std::vector<int>> squares_;
  std::vector<std::array<Dot3, 4>> corners_;
  std::map<std::array<int, 4>, int> squareByCorners_;
  std::vector<std::vector<int>> cubeLines_, cubeSquares_, planeNeighbours_;
  std::vector<int> innerSquares_;
  std::vector<std::array<int, 3>> cornerTriples_;
};

}  // namespace kp::cube
