#pragma once
#include <array>
#include <utility>
#include <vector>

#include "core/board_graph.h"
#include "core/projection.h"
#include "core/view.h"

namespace kp::simplex4 {

// The four-dimensional tetrahedron (the regular 4-simplex) with every edge halved: its 5
// corners and 10 edge midpoints, 50 Lines (20 half edges, 30 joins of two midpoints of one
// triangular face) and 60 triangles: in each of the 10 faces three at the corners and one
// in the middle, and 20 inside, each on three midpoints of one corner's edges, cutting
// that corner off. Every edge is 2 long, so every Line is 1.
//
// The corners go round in a ring, 0 to 4 and back to 0, and everything at a corner c is
// numbered by the corners after it, c+1 .. c+4 (mod 5), so that one step round the ring
// takes Line and corner triangle n to n + 10:
//   Lines 10c+1 .. 10c+4     the half edges from c towards c+1, c+2, c+3, c+4;
//   Lines 10c+5 .. 10c+10    the joins of the midpoints of c's edges towards c+a and c+b,
//                            (a, b) = (1,2), (1,3), (1,4), (2,3), (2,4), (3,4): with the half
//                            edges they close the small simplex cut off at c;
//   triangles 10c+1 .. 10c+6   the corner triangles at c in the faces (c, c+a, c+b), (a, b)
//                              in the same order;
//   triangles 10c+7 .. 10c+10  the inside triangles at c, on the midpoints towards c plus
//                              {1,2,3}, {1,2,4}, {1,3,4}, {2,3,4};
//   triangles 51 .. 55         the middle triangles of the faces (c, c+1, c+2), c = 0 .. 4;
//   triangles 56 .. 60         those of the faces (c, c+1, c+3).
inline constexpr int kCorners = 5, kPoints = 15, kLines = 50, kTriangles = 60, kViews = 5;

// [0..14]: the corners 0..4, then the midpoints of the edges 0-1, 0-2, 0-3, 0-4, 1-2, 1-3,
// 1-4, 2-3, 2-4, 3-4 (points 5..14). The solid's centre is the origin.
const std::vector<Point4>& points();
// The point in the middle of the edge between corners a and b.
int midpoint(int a, int b);
// The two points of Line 1..50, lower index first. Throws std::out_of_range for another.
std::pair<int, int> ends(int line);
// [triangle 1..60] -> its three Lines, increasing; index 0 empty.
const std::vector<std::vector<int>>& triangles();
// [triangle] -> its three points, increasing; index 0 unused.
const std::vector<std::array<int, 3>>& corners();

BoardGraph graph();

// View v (1..5) shows the board with its corners moved v - 1 steps round the ring: the
// place the steps move a Line (a triangle) to shows that Line (triangle). In view 2 Line
// n stands at place n + 10 (41 .. 50 at 1 .. 10), and so do triangles 1 .. 50; the middle
// triangles move one on round their five (51 to 52, ..., 55 to 51). Throws
// std::invalid_argument for another number.
View view(int number);

}  // namespace kp::simplex4
