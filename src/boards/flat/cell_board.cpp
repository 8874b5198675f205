#include "boards/flat/cell_board.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

namespace kp {

namespace {

// Dots compared to a hundredth of a unit: the pictures put them at whole or half units.
std::pair<long, long> key(Point2 p) { return {std::lround(p.x * 100), std::lround(p.y * 100)}; }
bool same(Point2 a, Point2 b) { return key(a) == key(b); }

double cross(Point2 u, Point2 v) { return u.x * v.y - u.y * v.x; }
Point2 minus(Point2 a, Point2 b) { return {a.x - b.x, a.y - b.y}; }
bool parallel(const Segment& s, const Segment& t) {
  const Point2 u = minus(s.b, s.a), v = minus(t.b, t.a);
  return std::abs(cross(u, v)) < 1e-6 * std::hypot(u.x, u.y) * std::hypot(v.x, v.y);
}

}  // namespace

std::vector<int> linesOffTheOutline(const BoardGraph& graph, const BoardGeometry& geometry) {
  std::set<std::pair<long, long>> outline;
  for (int l = 1; l <= graph.lineCount; ++l)
    if (graph.lineCells[std::size_t(l)].size() == 1) {
      outline.insert(key(geometry.lines[std::size_t(l)].a));
      outline.insert(key(geometry.lines[std::size_t(l)].b));
    }
  std::vector<int> out;
  for (int l = 1; l <= graph.lineCount; ++l)
    if (!outline.contains(key(geometry.lines[std::size_t(l)].a)) && !outline.contains(key(geometry.lines[std::size_t(l)].b)))
      out.push_back(l);
  return out;
}

std::vector<int> superKrunkByShape(const BoardGraph& graph, const BoardGeometry& geometry, int k, bool plus) {
  const auto& seg = [&](int l) -> const Segment& { return geometry.lines[std::size_t(l)]; };
  std::vector<int> out;
  auto add = [&out](int l) {
    if (std::find(out.begin(), out.end(), l) == out.end()) out.push_back(l);
  };
  // The Line leaving Dot `end` straight on, away from `from`.
  auto continuation = [&](int side, Point2 end, Point2 from) {
    for (int l = 1; l <= graph.lineCount; ++l) {
      if (l == side || !parallel(seg(l), seg(side))) continue;
      const Segment& t = seg(l);
      const Point2 far = same(t.a, end) ? t.b : same(t.b, end) ? t.a : Point2{1e300, 0};
      if (far.x == 1e300) continue;
      const Point2 on = minus(far, end), back = minus(end, from);
      if (on.x * back.x + on.y * back.y > 0) return l;
    }
    return 0;
  };
  for (int side : graph.cellSides[std::size_t(k)]) {
    add(side);
    if (int l = continuation(side, seg(side).a, seg(side).b)) add(l);
    if (int l = continuation(side, seg(side).b, seg(side).a)) add(l);
  }
  if (plus)
    for (int side : graph.cellSides[std::size_t(k)])
      for (int m : graph.lineCells[std::size_t(side)])
        if (m != k)
          for (int far : graph.cellSides[std::size_t(m)])
            if (far != side && parallel(seg(far), seg(side))) add(far);
  return out;
}

}  // namespace kp
