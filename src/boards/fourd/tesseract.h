#pragma once
#include <array>
#include <vector>

#include "core/board_graph.h"
#include "core/colours.h"
#include "core/projection.h"
#include "core/view.h"

namespace kp {

// The tesseract of the wire-frame window: 32 Lines (its edges), 24 squares (its square
// faces, the Cells the rules score) and 8 cubes (its cubic cells). Lines, squares and
// cubes are numbered from 1 as every message of the window names them; index 0 of every
// table is unused. Cubes go by their scoring number: 1 black, 2 red, 3 yellow, 4 green,
// 5 magenta, 6 light blue, 7 white, 8 blue.
//
// The tables are the board's own numbering. They sit on the corners (+-1, +-1, +-1, +-1)
// with every cube the cell where one coordinate has one sign: yellow/magenta on the first
// axis, red/blue on the second, white/black on the third, light blue/green on the fourth,
// the cube seen near from the front on the + side.
class TesseractBoard {
 public:
  static constexpr int kLines = 32, kSquares = 24, kCubes = 8;

  struct CubeInfo {
    const char* name;     // in messages: "yellow", "red", "mag", ...
    const char* key;      // the colour key's caption: "Yellow", "Magenta", "Light Blue", ...
    Colour colour;
    int drawing;          // the order of the colour key and the cube drawings (1..8)
    bool near;            // seen from the front, nearer than its opposite
    int axis, sign;       // the cell: coordinate `axis` (0..3) equals `sign`
  };
  // The Line in one cube's drawing: the cube (scoring number) and its stroke (1..12).
  struct CubeStroke {
    int cube, stroke;
  };

  static const CubeInfo& cube(int c);
  // The cube with this drawing number.
  static int cubeDrawn(int drawing);
  // The cube's 12 Lines in stored order.
  static const std::vector<int>& cubeLines(int c);
  // [cube] -> cubeLines, for the rules' unit table.
  static std::vector<std::vector<int>> cubeTable();
  // The square's 4 Lines in stored order, and the two cubes that share it.
  static const std::vector<int>& squareLines(int s);
  static std::array<int, 2> squareCubes(int s);
  // The Line's three cubes with their strokes, in the order the claim step names them.
  static const std::array<CubeStroke, 3>& lineCubes(int line);

  // The quarter turn R: the Line (square) a Line (square) goes to, and R applied s times
  // (s from 0, any number).
  static int turn(int line);
  static int turnSquare(int square);
  static int turned(int line, int s);
  // What number label k names, and what every place stands for, in orientation s (0..3):
  // place k shows Line R^s(k) and square R^s(k).
  static View view(int s);

  // The Line's ends on the corners of the tesseract: the three coordinates its cubes fix,
  // the fourth running from -1 to 1.
  static Point4 from(int line);
  static Point4 to(int line);
  // The middle of a square or of a cube.
  static Point4 squareCentre(int s);
  static Point4 cubeCentre(int c);

  // The Lines lying only in near cubes (all ending in the nearest corner) or only in far
  // cubes, increasing.
  static std::vector<int> onlyIn(bool near);

  static BoardGraph graph();
};

}  // namespace kp
