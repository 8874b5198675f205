#pragma once
#include <array>
#include <vector>

#include "core/board_graph.h"
#include "core/drawing.h"

namespace kp::square {

// The beginner board: 5 by 5 Cells in a 6 by 6 lattice of Dots, 60 Lines.
inline constexpr int kSize = 5;
inline constexpr int kCells = 25;
inline constexpr int kLines = 60;

// Cell in row r, column c (both 1..5).
constexpr int cellAt(int r, int c) { return 5 * (r - 1) + c; }
// The vertical Line on column boundary b (0 = left edge) in row r.
constexpr int verticalLine(int b, int r) { return 5 * b + r; }
// The horizontal Line on row boundary b (0 = top edge) in column c.
constexpr int horizontalLine(int b, int c) { return 30 + 5 * b + c; }

// Side s (1 above, 2 right, 3 below, 4 left) of cell k, as the side tables hold it.
int side(int k, int s);

// The 24 Lines whose both end Dots are inner lattice points, in their list order.
inline constexpr std::array<int, 24> kInteriorLines = {7,  8,  9,  12, 13, 14, 17, 18, 19, 22, 23, 24,
                                                       37, 38, 39, 42, 43, 44, 47, 48, 49, 52, 53, 54};

// The wrap partner of an edge Line in Globoria (left with right, top with bottom), or 0.
int wrapPartner(int line);

// The Lines a Super Krunk circle move on cell k claims: each side of the Cell with its
// continuation one unit past both ends (top, bottom, left and right runs); with `plus`,
// also the far side of every neighbouring Cell. In Planor what would leave the board is
// dropped; in Globoria it goes on at the opposite edge. Partners are not listed. The lists
// are worked out once for every Cell and board, so a move looks them up.
const std::vector<int>& superKrunkClaims(int k, bool globoria, bool plus);

// Planor: the flat board. Globoria: opposite edges are the same Lines.
BoardGraph graph(bool globoria);

// Dots 100 units apart with a margin; circles at the Cell centres.
BoardGeometry geometry();

}  // namespace kp::square
