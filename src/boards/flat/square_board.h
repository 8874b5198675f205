#pragma once
#include <functional>
#include <vector>

#include "boards/flat/cell_board.h"

namespace kp::square {

// The Lines a Super Krunk circle move claims on the Cell in row r, column c of a grid of
// `rows` by `cols` Cells: each side of the Cell with its continuation one unit past both
// ends (top, bottom, left and right runs); with `plus`, also the far side of every
// neighbouring Cell. Without `wrap` what would leave the grid is dropped; with it, it goes
// on at the opposite edge. hLine(b, col) names the horizontal Line on row boundary b
// (0 = top edge, rows = bottom edge) in column col, vLine(b, row) the vertical one.
std::vector<int> gridSuperKrunk(int rows, int cols, int r, int c, bool wrap, bool plus,
                                const std::function<int(int, int)>& hLine, const std::function<int(int, int)>& vLine);

// A square board of n by n Cells in an (n+1) by (n+1) lattice of Dots. Numbering, for any
// n: Cells row by row from the top left; vertical Lines 1..n(n+1) column boundary by column
// boundary from the left, top to bottom within one; horizontal Lines after them, row
// boundary by row boundary from the top, left to right within one. Built once per size.
class SquareBoard : public CellBoard {
 public:
  explicit SquareBoard(int n);

  int size() const { return n_; }
  int cells() const { return n_ * n_; }
  int lines() const { return 2 * n_ * (n_ + 1); }

  // Cell in row r, column c (both 1..n).
  int cellAt(int r, int c) const { return n_ * (r - 1) + c; }
  // The vertical Line on column boundary b (0 = left edge) in row r.
  int verticalLine(int b, int r) const { return n_ * b + r; }
  // The horizontal Line on row boundary b (0 = top edge) in column c.
  int horizontalLine(int b, int c) const { return n_ * (n_ + 1) + n_ * b + c; }
  // Side s (1 above, 2 right, 3 below, 4 left) of cell k, as the side tables hold it.
  int side(int k, int s) const;
  // The wrap partner of an edge Line in Globoria (left with right, top with bottom), or 0.
  int wrapPartner(int line) const;
  // Line Krunk's Lines are those whose both end Dots are inner lattice points, vertical
  // first, then horizontal. The Super Krunk claims are gridSuperKrunk's: in Planor what
  // would leave the board is dropped; in Globoria it goes on at the opposite edge. Globoria
  // joins opposite edges into the same Lines. Dots stand 100 units apart with a margin;
  // circles at the Cell centres.

 private:
  int n_;
};

// The board of n by n Cells, built on first use (n from 2 up).
const SquareBoard& board(int n);

// The beginner board: 5 by 5 Cells, 60 Lines.
inline constexpr int kSize = 5;
inline constexpr int kCells = 25;
inline constexpr int kLines = 60;
inline const SquareBoard& beginner() { return board(kSize); }
inline int side(int k, int s) { return beginner().side(k, s); }
inline BoardGraph graph(bool globoria) { return beginner().graph(globoria); }
inline BoardGeometry geometry() { return beginner().geometry(); }
inline const std::vector<int>& superKrunkClaims(int k, bool globoria, bool plus) {
  return beginner().superKrunkClaims(k, globoria, plus);
}

}  // namespace kp::square
