#pragma once
#include <vector>

#include "core/board_graph.h"
#include "core/claim.h"
#include "core/drawing.h"
#include "core/random.h"

namespace kp::triangular {

// The hexagon of side 3 cut into unit triangles: 37 lattice points in rows of 4, 5, 6, 7,
// 6, 5 and 4, 90 Lines and 54 triangles (rows of 7, 9, 11, 11, 9 and 7).
inline constexpr int kPoints = 37;
inline constexpr int kLines = 90;
inline constexpr int kTriangles = 54;

// Whether the triangle (1..54) has its apex on top.
bool pointsUp(int triangle);

// Entry 1..3 of the triangle table: right side, base, left side for a triangle pointing
// up; top, right side, left side for one pointing down. 0 outside the table.
int side(int triangle, int entry);

// The Line joined to a boundary Line in Globoria (opposite sides of the hexagon meet by
// translation), or 0 for an inner Line.
int wrapPartner(int line);

// Planor: the flat hexagon. Globoria: the 9 boundary pairs are joined, so a claim on one
// Line of a pair also sets the side of the triangle across the join through its partner.
BoardGraph graph(bool globoria);

// Unit Lines 100 design units long with a margin; circles at the triangle centroids,
// dots at the lattice points.
BoardGeometry geometry();

// The Lines a Super Krunk circle move claims after the triangle's own three, in claiming
// order: `first` in Super Krunk and Super Krunk Plus, `second` in Super Krunk Plus only.
struct Extension {
  std::vector<int> first, second;
};

// Planor (`krunkexten`): each side prolonged by one unit Line past both corners, except
// where that leaves the hexagon; with Plus, at every corner where both prolongations
// exist, the Line closing the triangle they span. The Lines come in the order the Globoria
// row of the same triangle claims them. Empty outside 1..54. Worked out once.
const Extension& planorExtension(int triangle);

// Globoria (`withbubble`): the table as the game has it; at the joins it follows no single
// rule. Empty outside 1..54.
const Extension& globoriaExtension(int triangle);

// The computer's circle: in three passes over triangles 1 to 54, the first playable one
// with three, then two, then one claimed Line; otherwise one of the playable triangles at
// random with equal chances. 0 when none is playable.
int chooseTriangle(const Claims& claims, const std::vector<bool>& playable, Random& random);

}  // namespace kp::triangular
