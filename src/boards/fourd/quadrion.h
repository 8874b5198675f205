#pragma once
#include <array>
#include <vector>

#include "core/board_graph.h"
#include "core/projection.h"

namespace kp {

// The board of Quadrion Krunk: four cubes, White, Red, Black and Blue, in a ring, every two
// neighbours joined corner to corner by eight Lines, so that each pair with its joining
// Lines is a tesseract. 32 corners, 80 Lines, 72 squares (the Cells the rules score) and
// 28 cubes. Everything is numbered from 1; index 0 of every table is unused.
//
// Lines: the edges of the Blue (1-12), Black (13-24), White (25-36) and Red (37-48) cubes,
// then the joining Lines White-Red (49-56), Red-Black (57-64), Black-Blue (65-72) and
// Blue-White (73-80). Squares: the faces of the Blue, Black, White and Red cubes (1-24),
// then the joining squares of the same four pairs, twelve each (25-72). Cubes: White, Red,
// Black, Blue (1-4), then the side cubes of the tesseracts White-Red, Red-Black,
// Black-Blue and Blue-White, six each, in the order of their face in the first cube of the
// pair (its lowest square number).
class QuadrionBoard {
 public:
  static constexpr int kLines = 80, kSquares = 72, kCubes = 28;
  // The ring: White, Red, Black, Blue, each joined to the next and Blue to White.
  enum Ring { White = 0, Red = 1, Black = 2, Blue = 3 };
  static const char* name(int ring);  // "White", ...

  // A corner: corner m (1..8) of the cube at a place in the ring. Corner m sits at
  // x = ((m - 1) >> 1) & 1, y = (m - 1) >> 2, z = (m - 1) & 1 of its unit cube.
  struct Corner {
    int ring = 0, m = 1;
    bool operator==(const Corner&) const = default;
  };
  // Where a corner stands in 4D: its cube's unit cube, the ring place as the fourth coordinate.
  static Point4 point(Corner c);

  // The Line's two corners; the cube a cube edge belongs to (its ring place), or for a
  // joining Line the ring place it leaves from (to the next one).
  static std::array<Corner, 2> ends(int line);
  static bool joining(int line) { return line > 48; }
  static int ringOf(int line);
  // The Lines of a cube's 12 edges and the 8 joining Lines from a ring place to the next.
  static std::vector<int> edgesOf(int ring);
  static std::vector<int> joinsFrom(int ring);

  // The square's 4 Lines in stored order.
  static const std::vector<int>& squareLines(int s);
  // The cube's 6 squares, increasing, and its 12 Lines, increasing.
  static const std::vector<int>& cubeSquares(int c);
  static const std::vector<int>& cubeLines(int c);

  static BoardGraph graph();
};

}  // namespace kp
