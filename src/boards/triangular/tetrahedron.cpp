#include "boards/triangular/tetrahedron.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <string>

namespace kp::tetrahedron {

namespace {

// [line] -> its two points. Lines 1-3 leave the Easy apex and 4-6 close the small
// triangle around it; 7-12, 13-18 and 19-24 lie about the shared face's corners 1, 2 and
// 3. In the mirror half 25-27, 28-30 and 31-33 meet those corners again, 34-36 close the
// small triangle around the mirror apex and 37-39 leave it.
// clang-format off
constexpr std::array<std::array<int, 2>, kFullLines + 1> kEnds = {{{0, 0},
    {0, 4}, {0, 5}, {0, 6}, {4, 5}, {5, 6}, {4, 6}, {1, 4}, {4, 7}, {4, 9}, {1, 7},
    {7, 9}, {1, 9}, {5, 7}, {2, 5}, {5, 8}, {2, 7}, {2, 8}, {7, 8}, {6, 9}, {6, 8},
    {3, 6}, {8, 9}, {3, 8}, {3, 9}, {1, 11}, {7, 11}, {9, 11}, {7, 12}, {2, 12}, {8, 12},
    {9, 13}, {8, 13}, {3, 13}, {11, 13}, {11, 12}, {12, 13}, {10, 11}, {10, 12}, {10, 13}}};

// The numbering of the triangles, each by its three Lines. Which three Lines make a
// triangle is worked out from kEnds; this table only says what each one is called.
constexpr std::array<std::array<int, 3>, kFullTriangles + 1> kNumbering = {{{0, 0, 0},
    {1, 2, 4},    {7, 8, 10},   {4, 8, 13},   {13, 14, 16}, {2, 3, 5},    {14, 15, 17}, {5, 15, 20},
    {20, 21, 23}, {1, 3, 6},    {19, 21, 24}, {6, 9, 19},   {7, 9, 12},   {4, 5, 6},    {8, 9, 11},
    {13, 15, 18}, {19, 20, 22}, {10, 11, 12}, {16, 17, 18}, {11, 18, 22}, {22, 23, 24}, {10, 25, 26},
    {16, 28, 29}, {26, 28, 35}, {35, 37, 38}, {17, 29, 30}, {23, 32, 33}, {30, 32, 36}, {36, 38, 39},
    {24, 31, 33}, {12, 25, 27}, {27, 31, 34}, {34, 37, 39}, {11, 26, 27}, {18, 28, 30}, {22, 31, 32},
    {34, 35, 36}}};

// Views 2 and 3: [place] -> the Line shown there. The first 24 places of each keep to the
// Easy Lines.
constexpr std::array<std::array<int, kFullLines + 1>, 2> kTurns = {{
    {0, 2, 3, 1, 5, 6, 4, 14, 15, 13, 17, 18, 16, 20, 21, 19, 23, 24, 22, 8, 9, 7, 11, 12, 10,
     29, 30, 28, 32, 33, 31, 26, 27, 25, 35, 36, 34, 38, 39, 37},
    {0, 3, 1, 2, 6, 4, 5, 21, 19, 20, 24, 22, 23, 9, 7, 8, 12, 10, 11, 15, 13, 14, 18, 16, 17,
     33, 31, 32, 27, 25, 26, 30, 28, 29, 36, 34, 35, 39, 37, 38}}};
// clang-format on

struct Cycle {
  std::array<int, 3> lines, points;
};

// The Line among the first `lines` joining points a and b, or 0.
int lineBetween(int a, int b, int lines) {
  for (int n = 1; n <= lines; ++n) {
    const auto [p, q] = kEnds[std::size_t(n)];
    if ((p == a && q == b) || (p == b && q == a)) return n;
  }
  return 0;
}

// Every three points pairwise joined by one of the board's Lines.
std::vector<Cycle> cyclesOf(bool full) {
  const int points = full ? kFullPoints : kEasyPoints, lines = full ? kFullLines : kEasyLines;
  std::vector<Cycle> cycles;
  for (int a = 0; a < points; ++a)
    for (int b = a + 1; b < points; ++b)
      for (int c = b + 1; c < points; ++c) {
        Cycle k{{lineBetween(a, b, lines), lineBetween(b, c, lines), lineBetween(a, c, lines)}, {a, b, c}};
        if (std::count(k.lines.begin(), k.lines.end(), 0)) continue;
        std::sort(k.lines.begin(), k.lines.end());
        cycles.push_back(k);
      }
  return cycles;
}

std::array<int, 3> sorted(std::array<int, 3> a) {
  std::sort(a.begin(), a.end());
  return a;
}

struct Solid {
  std::vector<Point3> points;
  std::vector<std::vector<int>> triangles;
  std::vector<std::array<int, 3>> corners;
  std::map<std::array<int, 3>, int> byLines, byCorners;
  std::vector<std::array<int, 4>> tetrahedra;
};

Solid build() {
  Solid s;
  // A regular tetrahedron of edge 2 standing on the shared face; the mirror apex is the
  // Easy apex reflected in that face.
  const double h = 2 * std::sqrt(2.0 / 3), r = 2 / std::sqrt(3.0);
  const Point3 apex{-h, 0, 0}, top{0, -r, 0}, back{0, r / 2, 1}, front{0, r / 2, -1}, mirrorApex{h, 0, 0};
  auto mid = [](Point3 p, Point3 q) { return 0.5 * (p + q); };
  s.points = {apex,
              top,
              back,
              front,
              mid(apex, top),
              mid(apex, back),
              mid(apex, front),
              mid(top, back),
              mid(back, front),
              mid(top, front),
              mirrorApex,
              mid(mirrorApex, top),
              mid(mirrorApex, back),
              mid(mirrorApex, front)};

  s.triangles.resize(kFullTriangles + 1);
  for (int t = 1; t <= kFullTriangles; ++t) {
    const auto& row = kNumbering[std::size_t(t)];
    s.triangles[t].assign(row.begin(), row.end());
    s.byLines[sorted(row)] = t;
  }
  s.corners.resize(kFullTriangles + 1);
  const std::vector<Cycle> cycles = cyclesOf(true);
  for (const Cycle& k : cycles) {
    const auto it = s.byLines.find(k.lines);
    if (it == s.byLines.end())
      throw std::logic_error("Lines " + std::to_string(k.lines[0]) + ", " + std::to_string(k.lines[1]) + ", " +
                             std::to_string(k.lines[2]) + " close a triangle the numbering lacks");
    s.corners[it->second] = k.points;
    s.byCorners[k.points] = it->second;
  }
  if (cycles.size() != std::size_t(kFullTriangles))
    throw std::logic_error("the numbering names triangles the Lines do not close");

  // A small tetrahedron is four points pairwise joined: a corner of a half and the
  // midpoints of its three edges there (the octahedron in the middle has no such four).
  std::vector<std::array<int, 4>> quads;
  for (const Cycle& k : cycles)
    for (int d = k.points[2] + 1; d < kFullPoints; ++d)
      if (std::all_of(k.points.begin(), k.points.end(), [&](int p) { return lineBetween(p, d, kFullLines) > 0; }))
        quads.push_back({k.points[0], k.points[1], k.points[2], d});
  // The Easy half (points below 10 only) first, each half by its corner, the lowest point.
  std::sort(quads.begin(), quads.end(), [](const auto& a, const auto& b) {
    return std::pair(a[3] >= kEasyPoints, a[0]) < std::pair(b[3] >= kEasyPoints, b[0]);
  });
  for (const auto& q : quads) {
    std::array<int, 4> faces{};
    for (int skip = 0; skip < 4; ++skip) {
      std::array<int, 3> face{};
      for (int i = 0, j = 0; i < 4; ++i)
        if (i != skip) face[std::size_t(j++)] = q[std::size_t(i)];
      faces[std::size_t(skip)] = s.byCorners.at(face);
    }
    std::sort(faces.begin(), faces.end());
    s.tetrahedra.push_back(faces);
  }
  return s;
}

const Solid& solid() {
  static const Solid s = build();
  return s;
}

}  // namespace

const std::vector<Point3>& points() { return solid().points; }

std::pair<int, int> ends(int line) {
  if (line < 1 || line > kFullLines) throw std::out_of_range("no Line " + std::to_string(line));
  const auto [a, b] = kEnds[std::size_t(line)];
  return {a, b};
}

const std::vector<std::vector<int>>& triangles() { return solid().triangles; }

const std::vector<std::array<int, 3>>& corners() { return solid().corners; }

std::vector<std::array<int, 3>> threeCycles(bool full) {
  std::vector<std::array<int, 3>> lines;
  for (const Cycle& k : cyclesOf(full)) lines.push_back(k.lines);
  return lines;
}

BoardGraph graph(bool full) {
  const auto& all = triangles();
  return BoardGraph::fromCellSides(full ? kFullLines : kEasyLines,
                                   {all.begin(), all.begin() + (full ? kFullTriangles : kEasyTriangles) + 1});
}

View view(int number, bool full) {
  if (number < 1 || number > 3)
    throw std::invalid_argument("the tetrahedron has views 1..3, not " + std::to_string(number));
  const int lines = full ? kFullLines : kEasyLines, cells = full ? kFullTriangles : kEasyTriangles;
  if (number == 1) return View::identity(lines, cells);
  const auto& turn = kTurns[std::size_t(number - 2)];
  std::vector<int> lineAt(turn.begin(), turn.begin() + lines + 1), circleAt(std::size_t(cells) + 1, 0);
  // The triangle shown at place t is the one made of the Lines shown at the places of t's Lines.
  for (int t = 1; t <= cells; ++t) {
    const auto& own = kNumbering[std::size_t(t)];
    const auto it = solid().byLines.find(sorted({lineAt[own[0]], lineAt[own[1]], lineAt[own[2]]}));
    if (it == solid().byLines.end())
      throw std::logic_error("view " + std::to_string(number) + " breaks triangle " + std::to_string(t));
    circleAt[std::size_t(t)] = it->second;
  }
  return View(std::move(lineAt), std::move(circleAt));
}

const std::vector<std::array<int, 4>>& cornerTetrahedra() { return solid().tetrahedra; }

}  // namespace kp::tetrahedron
