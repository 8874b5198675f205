#include "core/scene.h"

#include <algorithm>
#include <cmath>

#include "core/view.h"

namespace kp {

namespace {

// How far past its drawn radii a round target still takes a click.
constexpr double kRoundReach = 1.4;

double distanceToSegment(Point2 p, Point2 a, Point2 b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  const double t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Even-odd rule: a ray to the right crosses the border an odd number of times.
bool insidePolygon(Point2 p, const std::vector<Point2>& points) {
  bool inside = false;
  for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
    const Point2 &a = points[i], &b = points[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) inside = !inside;
  }
  return inside;
}

bool contains(const Shape& s, Point2 p) {
  switch (s.kind) {
    case Shape::Kind::Circle:
      return std::hypot(p.x - s.centre.x, p.y - s.centre.y) <= s.radiusX * kRoundReach;
    case Shape::Kind::Oval: {
      if (s.radiusX <= 0 || s.radiusY <= 0) return false;
      const double u = (p.x - s.centre.x) / s.radiusX, v = (p.y - s.centre.y) / s.radiusY;
      return u * u + v * v <= kRoundReach * kRoundReach;
    }
    case Shape::Kind::Polygon:
    case Shape::Kind::Outline:
      return !s.points.empty() && insidePolygon(p, s.points);
    case Shape::Kind::Region:
      return s.points.size() == 2 &&
             p.x >= std::min(s.points[0].x, s.points[1].x) - s.radiusX &&
             p.x <= std::max(s.points[0].x, s.points[1].x) + s.radiusX &&
             p.y >= std::min(s.points[0].y, s.points[1].y) - s.radiusX &&
             p.y <= std::max(s.points[0].y, s.points[1].y) + s.radiusX;
  }
  return false;
}

}  // namespace

Target Scene::hit(Point2 p, double tolerance) const {
  for (std::size_t i = 0; i < checkBoxes.size(); ++i) {
    const CheckBox& b = checkBoxes[i];
    if (b.visible && b.enabled && p.x >= b.at.x && p.x <= b.at.x + b.width && p.y >= b.at.y &&
        p.y <= b.at.y + b.height)
      return Target::checkBox(int(i));
  }
  // Of the round shapes whose drawn disc holds p the one painted last (on top) takes the
  // click; else of those whose reach holds p the nearest to its centre; then of the regions
  // the one whose segment is nearest.
  Target round, region, onTop;
  double roundDistance = 0, regionDistance = 0;
  for (const Shape& s : shapes) {
    if (!s.visible || !s.target || !contains(s, p)) continue;
    if (s.kind == Shape::Kind::Polygon || s.kind == Shape::Kind::Outline) return s.target;
    const bool isRegion = s.kind == Shape::Kind::Region;
    const double d = isRegion ? distanceToSegment(p, s.points[0], s.points[1])
                              : std::hypot((p.x - s.centre.x) / s.radiusX,
                                           (p.y - s.centre.y) / (s.kind == Shape::Kind::Oval ? s.radiusY : s.radiusX));
    if (!isRegion && d <= 1) onTop = s.target;
    Target& best = isRegion ? region : round;
    double& bestDistance = isRegion ? regionDistance : roundDistance;
    if (!best || d < bestDistance) best = s.target, bestDistance = d;
  }
  if (onTop) return onTop;
  if (round) return round;
  if (region) return region;
  Target best;
  double bestDistance = tolerance;
  for (const Stroke& s : strokes) {
    if (!s.visible || !s.target) continue;
    const double d = distanceToSegment(p, s.a, s.b);
    if (d < bestDistance) {
      bestDistance = d;
      best = s.target;
    }
  }
  return best;
}

double Scene::hitTolerance() const {
  if (strokes.empty()) return 0;
  std::vector<double> lengths;
  lengths.reserve(strokes.size());
  for (const Stroke& s : strokes) lengths.push_back(std::hypot(s.b.x - s.a.x, s.b.y - s.a.y));
  const auto middle = lengths.begin() + std::ptrdiff_t(lengths.size() / 2);
  std::nth_element(lengths.begin(), middle, lengths.end());
  return *middle / 4;
}

const CheckBox* Scene::checkBox(Target t) const {
  if (t.kind != Target::Kind::CheckBox || t.id < 0 || std::size_t(t.id) >= checkBoxes.size()) return nullptr;
  const CheckBox& b = checkBoxes[std::size_t(t.id)];
  return b.visible && b.enabled ? &b : nullptr;
}

Scene sceneOf(const BoardGeometry& geometry, const Drawing& drawing, const View* view) {
  constexpr double kCircleBorderWidth = 2;
  constexpr double kDotRadius = 5;
  Scene scene;
  scene.width = geometry.width;
  scene.height = geometry.height;
  scene.pixelsPerUnit = 80.0 / 100.0;

  const std::size_t lines = std::min(geometry.lines.size(), drawing.lines.size());
  for (std::size_t place = 1; place < lines; ++place) {
    const int line = view ? view->line(int(place)) : int(place);
    const LineDraw& d = drawing.lines[std::size_t(line)];
    const Segment& at = geometry.lines[place];
    scene.strokes.push_back({.a = at.a,
                             .b = at.b,
                             .colour = d.colour,
                             .width = double(d.width),
                             .visible = d.visible,
                             .target = d.targetVisible ? Target::line(int(place)) : Target{},
                             .number = line,
                             .highlighted = d.highlighted});
  }
  const std::size_t circles = std::min(geometry.circles.size(), drawing.circles.size());
  for (std::size_t place = 1; place < circles; ++place) {
    const int cell = view ? view->circle(int(place)) : int(place);
    const CircleDraw& d = drawing.circles[std::size_t(cell)];
    scene.shapes.push_back({.kind = Shape::Kind::Circle,
                            .centre = geometry.circles[place],
                            .radiusX = geometry.circleRadius,
                            .radiusY = geometry.circleRadius,
                            .border = d.border,
                            .fill = d.fill,
                            .borderWidth = kCircleBorderWidth,
                            .visible = d.visible,
                            .target = d.targetVisible ? Target::circle(int(place)) : Target{},
                            .number = cell});
  }
  scene.dots.reserve(geometry.dots.size());
  for (Point2 p : geometry.dots) scene.dots.push_back({p, kDotRadius});
  return scene;
}

}  // namespace kp
