#pragma once
#include <array>
#include <utility>
#include <vector>

#include "core/board_graph.h"
#include "core/projection.h"
#include "core/view.h"

namespace kp::tetrahedron {

// A regular tetrahedron with every edge halved: its 4 corners and 6 edge midpoints, 24
// Lines (12 half edges, 12 joins of two midpoints of one face) and 20 triangles, 16 on the
// outside (three at the corners of each face and one in its middle) and 4 inside, each
// cutting a corner off the octahedron in the middle. The Full board adds the mirror image
// across the face of triangles 17-20: its apex and the midpoints of its three new edges,
// Lines 25-39 and triangles 21-36.
//
// The solid lies on its side: the face it shares with the mirror stands upright in the
// plane x = 0 with its centre at the origin, the Easy apex at the left (x < 0), the mirror
// apex at the right, one corner of the shared face on top (y runs down) and the other two
// below it, in front (z < 0) and behind. Every Line is 1 long.
inline constexpr int kEasyLines = 24, kFullLines = 39, kEasyTriangles = 20, kFullTriangles = 36, kEasyPoints = 10,
                     kFullPoints = 14;

// [0..13]: the Easy apex 0, the shared face's corners 1 (top), 2 (behind), 3 (in front),
// the midpoints 4, 5, 6 of the edges from 0 to 1, 2, 3, then those of the shared face's
// edges 1-2 (7), 2-3 (8) and 1-3 (9); the mirror apex 10 and its edge midpoints 11, 12, 13
// towards 1, 2, 3. The first 10 make the Easy board.
const std::vector<Point3>& points();
// The two points of Line 1..39, lower index first.
std::pair<int, int> ends(int line);
// [triangle 1..36] -> its three Lines in table order; index 0 empty.
const std::vector<std::vector<int>>& triangles();
// [triangle] -> its three points, increasing; index 0 unused.
const std::vector<std::array<int, 3>>& corners();
// Every three points of the board pairwise joined by Lines, each as its three Lines,
// increasing: what the geometry says the triangles are, before they are numbered.
std::vector<std::array<int, 3>> threeCycles(bool full);

// Easy: Lines 1-24 and triangles 1-20; Full: all 39 and 36.
BoardGraph graph(bool full);

// View 1 is the solid as it stands; views 2 and 3 turn it a third and two thirds of a turn
// about the axis through both apexes (rotation(Axis::X, 120) and 240). The place a turn
// moves a Line (a triangle) to shows that Line (triangle). Number 1..3; the tables cover
// the board's own Lines and triangles. Throws std::invalid_argument for another number.
View view(int number, bool full);

// The 8 small tetrahedra, each a corner of one half cut off by an inside triangle, as
// their 4 triangles, increasing: the Easy half's corners 0, 1, 2, 3 first, then the
// mirror half's 1, 2, 3, 10.
const std::vector<std::array<int, 4>>& cornerTetrahedra();

}  // namespace kp::tetrahedron
