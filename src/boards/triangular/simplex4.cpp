#include "boards/triangular/simplex4.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <map>
#include <stdexcept>
#include <string>

namespace kp::simplex4 {

namespace {

// The corners a point lies between: one for a corner, two for a midpoint.
std::vector<int> cornersOf(int point) {
  if (point < kCorners) return {point};
  for (int a = 0, p = kCorners; a < kCorners; ++a)
    for (int b = a + 1; b < kCorners; ++b, ++p)
      if (p == point) return {a, b};
  throw std::out_of_range("no point " + std::to_string(point));
}

// How far round the ring corner x lies after corner c (1..4).
int after(int c, int x) { return (x - c + kCorners) % kCorners; }

// Where (a, b), 1 <= a < b <= 4, stands in (1,2), (1,3), (1,4), (2,3), (2,4), (3,4).
int pairIndex(int a, int b) {
  static constexpr int kIndex[5][5] = {{}, {0, 0, 0, 1, 2}, {0, 0, 0, 3, 4}, {0, 0, 0, 0, 5}, {}};
  return kIndex[a][b];
}

// The one corner every point of `points` lies at or next to, or -1.
int sharedCorner(std::initializer_list<int> points) {
  for (int c = 0; c < kCorners; ++c)
    if (std::all_of(points.begin(), points.end(), [c](int p) { return std::ranges::count(cornersOf(p), c) > 0; }))
      return c;
  return -1;
}

// The corners other than c that the points lie next to, as steps after c, increasing.
std::vector<int> stepsAfter(int c, std::initializer_list<int> points) {
  std::vector<int> ahead;
  for (int point : points)
    for (int x : cornersOf(point))
      if (x != c) ahead.push_back(after(c, x));
  std::sort(ahead.begin(), ahead.end());
  return ahead;
}

// The number a Line between points p and q gets (see the header).
int lineNumber(int p, int q) {
  const int c = sharedCorner({p, q});
  if (c < 0) throw std::logic_error("a Line with no corner in common");
  const std::vector<int> ahead = stepsAfter(c, {p, q});
  return 10 * c + 1 + (ahead.size() == 1 ? ahead[0] - 1 : 4 + pairIndex(ahead[0], ahead[1]));
}

// The number a triangle on points p < q < r gets (see the header).
int triangleNumber(int p, int q, int r) {
  if (const int c = sharedCorner({p, q, r}); c >= 0) {
    const std::vector<int> ahead = stepsAfter(c, {p, q, r});
    if (p < kCorners) return 10 * c + 1 + pairIndex(ahead[0], ahead[1]);  // p is the corner c itself
    const int missing = 10 - ahead[0] - ahead[1] - ahead[2];              // the step left out of 1..4
    return 10 * c + 7 + 4 - missing;
  }
  // The middle of a face: named by the corner from which the face reads c, c+1, c+2 or c, c+1, c+3.
  std::vector<int> face;
  for (int point : {p, q, r})
    for (int x : cornersOf(point))
      if (std::ranges::count(face, x) == 0) face.push_back(x);
  for (int c : face) {
    std::vector<int> ahead;
    for (int x : face) ahead.push_back(after(c, x));
    std::sort(ahead.begin(), ahead.end());
    if (ahead == std::vector<int>{0, 1, 2}) return 51 + c;
    if (ahead == std::vector<int>{0, 1, 3}) return 56 + c;
  }
  throw std::logic_error("a triangle that is neither at a corner nor in a face's middle");
}

struct Board {
  std::vector<Point4> points;
  std::vector<std::pair<int, int>> ends;
  std::map<std::pair<int, int>, int> lineBetween;
  std::vector<std::vector<int>> triangles;
  std::vector<std::array<int, 3>> corners;
  std::map<std::array<int, 3>, int> triangleOn;  // by its points, increasing
};

double squaredDistance(Point4 a, Point4 b) {
  const Point4 d = a + -1.0 * b;
  return dot(d, d);
}

Board build() {
  Board b;
  // Four corners on the axes and the fifth on the diagonal where it is as far from each of
  // them as they are from one another, all moved to have their centre at the origin.
  const double edge = 2, k = edge / std::sqrt(2.0), d = k * (1 - std::sqrt(5.0)) / 4;
  std::vector<Point4> corner = {{k, 0, 0, 0}, {0, k, 0, 0}, {0, 0, k, 0}, {0, 0, 0, k}, {d, d, d, d}};
  Point4 centre;
  for (Point4 p : corner) centre = centre + 0.2 * p;
  for (Point4& p : corner) p = p + -1.0 * centre;
  b.points = corner;
  for (int x = 0; x < kCorners; ++x)
    for (int y = x + 1; y < kCorners; ++y) b.points.push_back(0.5 * (corner[x] + corner[y]));

  // The Lines: every two points half an edge apart.
  b.ends.assign(kLines + 1, {0, 0});
  int lines = 0;
  for (int p = 0; p < kPoints; ++p)
    for (int q = p + 1; q < kPoints; ++q)
      if (std::abs(squaredDistance(b.points[p], b.points[q]) - 1) < 1e-9) {
        const int n = lineNumber(p, q);
        if (++lines > kLines || b.ends[n].second) throw std::logic_error("two Lines numbered " + std::to_string(n));
        b.ends[n] = {p, q};
        b.lineBetween[{p, q}] = n;
      }
  if (lines != kLines) throw std::logic_error(std::to_string(lines) + " Lines, not " + std::to_string(kLines));

  // The triangles: every three points pairwise joined by Lines.
  b.triangles.assign(kTriangles + 1, {});
  b.corners.assign(kTriangles + 1, {0, 0, 0});
  int triangles = 0;
  for (int p = 0; p < kPoints; ++p)
    for (int q = p + 1; q < kPoints; ++q)
      for (int r = q + 1; r < kPoints; ++r) {
        if (!b.lineBetween.count({p, q}) || !b.lineBetween.count({q, r}) || !b.lineBetween.count({p, r})) continue;
        const int t = triangleNumber(p, q, r);
        if (++triangles > kTriangles || !b.triangles[t].empty())
          throw std::logic_error("two triangles numbered " + std::to_string(t));
        b.triangles[t] = {b.lineBetween[{p, q}], b.lineBetween[{q, r}], b.lineBetween[{p, r}]};
        std::sort(b.triangles[t].begin(), b.triangles[t].end());
        b.corners[t] = {p, q, r};
        b.triangleOn[{p, q, r}] = t;
      }
  if (triangles != kTriangles)
    throw std::logic_error(std::to_string(triangles) + " triangles, not " + std::to_string(kTriangles));
  return b;
}

const Board& board() {
  static const Board b = build();
  return b;
}

}  // namespace

const std::vector<Point4>& points() { return board().points; }

int midpoint(int a, int b) {
  if (a > b) std::swap(a, b);
  if (a < 0 || a == b || b >= kCorners)
    throw std::out_of_range("no edge between corners " + std::to_string(a) + " and " + std::to_string(b));
  int p = kCorners;
  for (int x = 0; x < a; ++x) p += kCorners - 1 - x;
  return p + b - a - 1;
}

std::pair<int, int> ends(int line) {
  if (line < 1 || line > kLines) throw std::out_of_range("no Line " + std::to_string(line));
  return board().ends[std::size_t(line)];
}

const std::vector<std::vector<int>>& triangles() { return board().triangles; }

const std::vector<std::array<int, 3>>& corners() { return board().corners; }

BoardGraph graph() { return BoardGraph::fromCellSides(kLines, triangles()); }

View view(int number) {
  if (number < 1 || number > kViews)
    throw std::invalid_argument("the 4D board has views 1.." + std::to_string(kViews) + ", not " +
                                std::to_string(number));
  const Board& b = board();
  // Where the steps round the ring carry each point.
  std::vector<int> moved(kPoints);
  for (int p = 0; p < kPoints; ++p) {
    std::vector<int> at = cornersOf(p);
    for (int& c : at) c = (c + number - 1) % kCorners;
    moved[std::size_t(p)] = at.size() == 1 ? at[0] : midpoint(at[0], at[1]);
  }
  std::vector<int> lineAt(kLines + 1, 0), circleAt(kTriangles + 1, 0);
  for (int n = 1; n <= kLines; ++n) {
    const auto [p, q] = b.ends[std::size_t(n)];
    lineAt[std::size_t(b.lineBetween.at(std::minmax(moved[std::size_t(p)], moved[std::size_t(q)])))] = n;
  }
  for (int t = 1; t <= kTriangles; ++t) {
    std::array<int, 3> on;
    for (int i = 0; i < 3; ++i) on[std::size_t(i)] = moved[std::size_t(b.corners[std::size_t(t)][std::size_t(i)])];
    std::sort(on.begin(), on.end());
    circleAt[std::size_t(b.triangleOn.at(on))] = t;
  }
  return View(std::move(lineAt), std::move(circleAt));
}

}  // namespace kp::simplex4
