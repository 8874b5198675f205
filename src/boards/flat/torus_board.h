#pragma once
#include <vector>

#include "boards/flat/cell_board.h"

namespace kp {

// Square Cells on a torus: 12 around the ring by 4 around the tube, 48 Cells and 96 Lines,
// every Line between two Cells. The tube is square in section, so the ring is a wheel with
// an outer face, a top, an inner face and an underside. Cut open along the front and the
// lower outer edge it is a grid of 4 rows by 12 columns numbered as the square boards are:
// Cells row by row (row 1 the outer face, 2 the top, 3 the inner face, 4 the underside),
// column 1 the one in front, then round to the right; the Lines across the ring
// (1..48) by column boundary, within one by row; the Lines round the ring (49..96) by row
// boundary (0 the lower outer edge, 1 the upper outer edge, 2 the upper inner edge, 3 the
// lower inner edge), within one by column.
class TorusBoard : public CellBoard {
 public:
  static constexpr int kAround = 12, kTube = 4;
  static constexpr int kCells = kAround * kTube, kLines = 2 * kCells;

  // Where the board is seen from: lying flat, from 55 degrees above the front.
  struct Place {
    Segment at;          // a Line's drawn place
    double depth = 0;    // nearer the eye: larger
    bool near = false;   // on the side facing the eye
  };
  struct Spot {
    std::vector<Point2> corners;  // the Cell's face, round it
    Point2 centre;
    double radius = 0;
    double depth = 0;
    bool near = false;
  };

  TorusBoard();


  static int cellAt(int row, int column) { return kAround * (row - 1) + column; }
  // The Line across the ring on column boundary b (0..11, 0 left of column 1) in row r.
  static int acrossLine(int b, int r) { return kTube * (b % kAround) + r; }
  // The Line round the ring on row boundary b (0..3) in column c.
  static int roundLine(int b, int c) { return kCells + kAround * (b % kTube) + c; }
  // The Line or Cell `steps` Cells further round the ring (steps of any sign).
  static int lineTurned(int line, int steps);
  static int cellTurned(int cell, int steps);

  const Place& place(int line) const { return places_.at(std::size_t(line)); }
  const Spot& spot(int cell) const { return spots_.at(std::size_t(cell)); }
  // The corners facing the eye, where the picture shows its Dots.
  const std::vector<Point2>& nearCorners() const { return nearCorners_; }
  double width() const { return geometry_.width; }
  double height() const { return geometry_.height; }

 private:
  std::vector<Place> places_;
  std::vector<Spot> spots_;
  std::vector<Point2> nearCorners_;
};

const TorusBoard& torus();

}  // namespace kp
