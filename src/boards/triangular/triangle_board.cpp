#include "boards/triangular/triangle_board.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>

namespace kp::triangular {

namespace {

// A lattice point in half units across (so every point has a whole x) and point rows down.
struct LatticePoint {
  int x2 = 0, row = 0;
};

constexpr int kRowLength[7] = {4, 5, 6, 7, 6, 5, 4};

bool onBoard(LatticePoint p) {
  if (p.row < 0 || p.row > 6) return false;
  const int first = 7 - kRowLength[p.row];  // rows are centred
  return p.x2 >= first && p.x2 <= first + 2 * (kRowLength[p.row] - 1) && (p.x2 - first) % 2 == 0;
}

// The whole board worked out once from the numbering: nothing here is typed in by hand.
struct Lattice {
  std::vector<LatticePoint> points;
  std::vector<std::array<LatticePoint, 2>> lines;    // [line] end points
  std::vector<std::array<LatticePoint, 3>> corners;  // [triangle] apex or bottom corner, then left, right
  std::vector<std::array<int, 3>> sides;             // [triangle] table entries 1..3
  std::vector<bool> up;                              // [triangle]
  std::map<std::pair<int, int>, int> lineByEnds;

  // A Line's key: its two end points, each as one number, lower first.
  static std::pair<int, int> ends(LatticePoint a, LatticePoint b) {
    const int ka = a.row * 16 + a.x2, kb = b.row * 16 + b.x2;
    return {std::min(ka, kb), std::max(ka, kb)};
  }
  // The Line joining two lattice points, or 0 (also when either point is off the hexagon).
  int lineAt(LatticePoint a, LatticePoint b) const {
    if (!onBoard(a) || !onBoard(b)) return 0;
    const auto it = lineByEnds.find(ends(a, b));
    return it == lineByEnds.end() ? 0 : it->second;
  }
  void addLine(LatticePoint a, LatticePoint b) {
    lines.push_back({a, b});
    lineByEnds[ends(a, b)] = int(lines.size()) - 1;
  }
};

Lattice build() {
  Lattice l;
  std::vector<std::vector<LatticePoint>> rows(7);
  for (int r = 0; r < 7; ++r)
    for (int i = 0; i < kRowLength[r]; ++i) rows[r].push_back({7 - kRowLength[r] + 2 * i, r});
  for (const auto& row : rows) l.points.insert(l.points.end(), row.begin(), row.end());

  l.lines.push_back({});  // Line 0 is unused
  for (const auto& row : rows)
    for (std::size_t i = 0; i + 1 < row.size(); ++i) l.addLine(row[i], row[i + 1]);
  // Band by band, left to right by midpoint, which makes the two slants alternate.
  for (int r = 0; r < 6; ++r)
    for (int mid2 = 0; mid2 <= 24; ++mid2)
      for (const LatticePoint a : rows[r])
        for (const LatticePoint b : rows[r + 1])
          if (std::abs(a.x2 - b.x2) == 1 && a.x2 + b.x2 == mid2) l.addLine(a, b);

  l.corners.push_back({});
  l.sides.push_back({});
  l.up.push_back(false);
  for (int r = 0; r < 6; ++r)
    for (int x2 = 0; x2 <= 12; ++x2) {  // x2 is the centroid's x in half units, left to right
      const LatticePoint apex{x2, r}, bottom{x2, r + 1};
      const LatticePoint upLeft{x2 - 1, r + 1}, upRight{x2 + 1, r + 1};
      const LatticePoint downLeft{x2 - 1, r}, downRight{x2 + 1, r};
      if (onBoard(apex) && onBoard(upLeft) && onBoard(upRight)) {
        l.corners.push_back({apex, upLeft, upRight});
        l.sides.push_back({l.lineAt(apex, upRight), l.lineAt(upLeft, upRight), l.lineAt(apex, upLeft)});
        l.up.push_back(true);
      } else if (onBoard(bottom) && onBoard(downLeft) && onBoard(downRight)) {
        l.corners.push_back({bottom, downLeft, downRight});
        l.sides.push_back({l.lineAt(downLeft, downRight), l.lineAt(downRight, bottom), l.lineAt(downLeft, bottom)});
        l.up.push_back(false);
      }
    }
  return l;
}

const Lattice& lattice() {
  static const Lattice l = build();
  return l;
}

constexpr std::pair<int, int> kPairs[9] = {{1, 28},  {2, 29},  {3, 30},  {31, 72}, {39, 82},
                                           {49, 90}, {38, 61}, {48, 73}, {60, 83}};

const std::vector<Extension>& globoriaTable() {
  static const std::vector<Extension> table = {
      {},
      /*  1 */ {{5, 39, 42, 23, 60, 82}, {43, 81}},
      /*  2 */ {{2, 41, 42, 83, 86, 29}, {9, 87}},
      /*  3 */ {{4, 6, 41, 44, 85, 86}, {25, 40, 45}},
      /*  4 */ {{1, 3, 43, 44, 85, 88, 28, 30}, {10, 84, 89}},
      /*  5 */ {{5, 7, 43, 46, 87, 88}, {42, 47, 26}},
      /*  6 */ {{2, 45, 46, 87, 90, 29}, {11, 86}},
      /*  7 */ {{6, 45, 48, 19, 49, 73}, {44, 75}},
      /*  8 */ {{31, 49, 9, 52, 27, 71, 72, 90}, {53, 18, 89}},
      /*  9 */ {{5, 33, 51, 52, 23, 71}, {70, 14, 34}},
      /* 10 */ {{32, 33, 8, 51, 10, 54}, {1, 50, 55}},
      /* 11 */ {{32, 6, 4, 35, 53, 54}, {15, 31, 36}},
      /* 12 */ {{35, 34, 9, 11, 53, 56}, {2, 52, 57}},
      /* 13 */ {{5, 7, 34, 37, 55, 56}, {16, 33, 38}},
      /* 14 */ {{36, 37, 12, 10, 55, 58}, {3, 54, 59}},
      /* 15 */ {{6, 36, 57, 58, 19, 62}, {17, 63, 35}},
      /* 16 */ {{11, 57, 38, 60, 61, 24, 62, 83}, {13, 84, 56}},
      /* 17 */ {{14, 63, 39, 90, 30, 81, 82}, {23, 64}},
      /* 18 */ {{9, 41, 62, 63, 27, 81}, {19, 42, 80}},
      /* 19 */ {{40, 41, 13, 15, 62, 65}, {4, 61, 66}},
      /* 20 */ {{8, 10, 43, 40, 65, 64}, {20, 39, 44}},
      /* 21 */ {{42, 43, 14, 16, 67, 64}, {5, 63, 68}},
      /* 22 */ {{9, 11, 42, 45, 67, 66}, {21, 41, 46}},
      /* 23 */ {{45, 44, 15, 17, 69, 66}, {6, 70, 65}},
      /* 24 */ {{10, 12, 44, 47, 69, 68}, {22, 43, 48}},
      /* 25 */ {{46, 47, 16, 18, 68, 71}, {7, 67, 72}},
      /* 26 */ {{11, 46, 70, 71, 24, 74}, {45, 23, 75}},
      /* 27 */ {{48, 17, 70, 73, 28, 74}, {69, 19}},
      /* 28 */ {{51, 14, 73, 47, 48, 3}, {52, 12}},
      /* 29 */ {{50, 51, 75, 20, 7, 47}, {8, 76, 46}},
      /* 30 */ {{15, 13, 53, 50, 75, 74}, {24, 49, 54}},
      /* 31 */ {{52, 53, 19, 21, 77, 74}, {9, 73, 78}},
      /* 32 */ {{16, 14, 52, 55, 77, 76}, {25, 51, 56}},
      /* 33 */ {{54, 55, 20, 22, 79, 76}, {10, 80, 75}},
      /* 34 */ {{15, 17, 54, 57, 79, 78}, {26, 53, 58}},
      /* 35 */ {{56, 57, 21, 23, 78, 81}, {11, 77, 82}},
      /* 36 */ {{16, 18, 56, 59, 80, 81}, {27, 60, 55}},
      /* 37 */ {{58, 59, 80, 22, 40, 4}, {12, 79, 41}},
      /* 38 */ {{58, 17, 82, 1, 39, 40}, {57, 8}},
      /* 39 */ {{61, 83, 64, 20, 60, 38, 7, 59}, {65, 18, 37}},
      /* 40 */ {{63, 64, 25, 85, 12, 59}, {14, 86, 58}},
      /* 41 */ {{19, 21, 63, 66, 85, 84}, {28, 62, 67}},
      /* 42 */ {{65, 66, 24, 26, 84, 87}, {15, 83, 88}},
      /* 43 */ {{20, 22, 65, 68, 87, 86}, {29, 64, 69}},
      /* 44 */ {{67, 68, 25, 27, 86, 89}, {16, 90, 85}},
      /* 45 */ {{21, 23, 67, 70, 89, 88}, {30, 66, 71}},
      /* 46 */ {{69, 70, 88, 26, 8, 50}, {17, 87, 51}},
      /* 47 */ {{69, 22, 90, 72, 31, 49, 4, 50}, {68, 13, 32}},
      /* 48 */ {{73, 76, 25, 12, 48, 72}, {77, 47}},
      /* 49 */ {{75, 76, 29, 31, 2, 34}, {20, 35}},
      /* 50 */ {{24, 26, 75, 78, 33, 34}, {74, 79, 5}},
      /* 51 */ {{77, 78, 28, 30, 1, 3, 33, 36}, {21, 32, 37}},
      /* 52 */ {{25, 27, 77, 80, 35, 36}, {76, 81, 6}},
      /* 53 */ {{80, 79, 29, 38, 2, 35}, {22, 34}},
      /* 54 */ {{26, 79, 82, 39, 8, 61}, {78, 40}},
  };
  return table;
}

// Puts the Lines in the order `order` claims them; Lines it lacks keep their place at the end.
void claimOrderOf(std::vector<int>& lines, const std::vector<int>& order) {
  auto rank = [&](int line) { return std::find(order.begin(), order.end(), line) - order.begin(); };
  std::stable_sort(lines.begin(), lines.end(), [&](int a, int b) { return rank(a) < rank(b); });
}

bool validTriangle(int triangle) { return triangle >= 1 && triangle <= kTriangles; }

}  // namespace

bool pointsUp(int triangle) { return validTriangle(triangle) && lattice().up[triangle]; }

int side(int triangle, int entry) {
  if (!validTriangle(triangle) || entry < 1 || entry > 3) return 0;
  return lattice().sides[triangle][entry - 1];
}

int wrapPartner(int line) {
  for (auto [a, b] : kPairs) {
    if (line == a) return b;
    if (line == b) return a;
  }
  return 0;
}

BoardGraph graph(bool globoria) {
  std::vector<std::vector<int>> sides(kTriangles + 1);
  for (int t = 1; t <= kTriangles; ++t) sides[t] = {side(t, 1), side(t, 2), side(t, 3)};
  BoardGraph g = BoardGraph::fromCellSides(kLines, std::move(sides));
  if (globoria)
    for (auto [a, b] : kPairs) g.join(a, b);
  return g;
}

BoardGeometry geometry() {
  constexpr double kUnit = 100, kMargin = 40;
  const double rowHeight = kUnit * std::sqrt(3.0) / 2;
  auto at = [&](LatticePoint p) { return Point2{kMargin + p.x2 * kUnit / 2, kMargin + p.row * rowHeight}; };
  const Lattice& l = lattice();
  BoardGeometry geo;
  geo.width = 2 * kMargin + 6 * kUnit;
  geo.height = 2 * kMargin + 6 * rowHeight;
  geo.lines.resize(kLines + 1);
  for (int n = 1; n <= kLines; ++n) geo.lines[n] = {at(l.lines[n][0]), at(l.lines[n][1])};
  geo.circles.resize(kTriangles + 1);
  for (int t = 1; t <= kTriangles; ++t) {
    Point2 c;
    for (LatticePoint p : l.corners[t]) {
      c.x += at(p).x / 3;
      c.y += at(p).y / 3;
    }
    geo.circles[t] = c;
  }
  geo.circleRadius = 16;  // the inscribed circle of a unit triangle is about 28.9
  for (LatticePoint p : l.points) geo.dots.push_back(at(p));
  return geo;
}

// The set of Lines follows the geometric rule alone. The claiming order is the one the
// Globoria table uses for the same triangle: every Planor row is its Globoria row with the
// Lines that only exist across the joins left out (so the inner rows are equal outright).
// No order by position alone fits the rows we know: triangle 3 claims its base's right
// continuation before the left side's lower one and triangle 8 the other way round, and the
// inner down-pointing triangles 11 and 45 take their six Lines in different orders.
namespace {

Extension workOutPlanorExtension(int triangle) {
  const Lattice& l = lattice();
  const auto& c = l.corners[triangle];
  Extension ext;
  for (int i = 0; i < 3; ++i) {
    const LatticePoint p = c[i], q = c[(i + 1) % 3], r = c[(i + 2) % 3];
    // One unit straight on past p along the sides coming from q and from r.
    const LatticePoint pastQ{2 * p.x2 - q.x2, 2 * p.row - q.row};
    const LatticePoint pastR{2 * p.x2 - r.x2, 2 * p.row - r.row};
    const int a = l.lineAt(p, pastQ), b = l.lineAt(p, pastR);
    if (a) ext.first.push_back(a);
    if (b) ext.first.push_back(b);
    if (a && b) ext.second.push_back(l.lineAt(pastQ, pastR));
  }
  const Extension& order = globoriaTable()[triangle];
  claimOrderOf(ext.first, order.first);
  claimOrderOf(ext.second, order.second);
  return ext;
}

const Extension kNoExtension;

}  // namespace

const Extension& planorExtension(int triangle) {
  static const std::vector<Extension> table = [] {
    std::vector<Extension> t(kTriangles + 1);
    for (int k = 1; k <= kTriangles; ++k) t[std::size_t(k)] = workOutPlanorExtension(k);
    return t;
  }();
  return validTriangle(triangle) ? table[std::size_t(triangle)] : kNoExtension;
}

const Extension& globoriaExtension(int triangle) {
  return validTriangle(triangle) ? globoriaTable()[triangle] : kNoExtension;
}

int chooseTriangle(const Claims& claims, const std::vector<bool>& playable, Random& random) {
  auto claimedSides = [&](int t) {
    int n = 0;
    for (int e = 1; e <= 3; ++e) n += claims[std::size_t(side(t, e))].owner != 0;
    return n;
  };
  for (int pass = 3; pass >= 1; --pass)
    for (int t = 1; t <= kTriangles; ++t)
      if (playable[t] && claimedSides(t) == pass) return t;
  std::vector<int> list;
  for (int t = 1; t <= kTriangles; ++t)
    if (playable[t]) list.push_back(t);
  return list.empty() ? 0 : list[random.pick(int(list.size())) - 1];
}

}  // namespace kp::triangular
