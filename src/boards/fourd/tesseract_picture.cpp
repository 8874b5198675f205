#include "boards/fourd/tesseract_picture.h"

#include <algorithm>
#include <cmath>

namespace kp::fourd {

namespace {
constexpr double kEye4 = 3, kEye3 = 7;
const Matrix3& tilt() {
  static const Matrix3 m = rotation(Axis::X, 22) * rotation(Axis::Y, 28);
  return m;
}
}  // namespace

Point4 corner(int v) { return {v & 1 ? 1.0 : -1.0, v & 2 ? 1.0 : -1.0, v & 4 ? 1.0 : -1.0, v & 8 ? 1.0 : -1.0}; }

Point2 picture(Point4 p, bool inverse, double degrees) {
  const double c = std::cos(radians(degrees)), s = std::sin(radians(degrees));
  const Point4 t{p.x * c - p.w * s, p.y, p.z, p.x * s + p.w * c};
  const double k = inverse ? -1 : 1;
  const Point4 q{k * t.x, -k * t.y, -k * t.z, -k * t.w};
  return perspective(tilt() * perspective(q, kEye4), kEye3);
}

Fit::Fit(const std::vector<Point2>& raw, Box box) {
  double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
  for (Point2 r : raw)
    left = std::min(left, r.x), right = std::max(right, r.x), top = std::min(top, r.y), bottom = std::max(bottom, r.y);
  scale_ = std::min(box.width / std::max(right - left, 1e-9), box.height / std::max(bottom - top, 1e-9));
  centre_ = {box.left + box.width / 2 - (left + right) / 2 * scale_, box.top + box.height / 2 - (top + bottom) / 2 * scale_};
}

std::vector<Point2> labelsAlong(const std::vector<Segment>& segments, Point2 half, const std::vector<Point2>& keepClear) {
  std::vector<Point2> out(segments.size());
  auto crowding = [&](Point2 p, std::size_t upTo) {
    double worst = 0;
    for (std::size_t k = 1; k < upTo; ++k) {
      const double dx = 2 * half.x + 40 - std::abs(p.x - out[k].x);
      const double dy = 2 * half.y + 40 - std::abs(p.y - out[k].y);
      if (dx > 0 && dy > 0) worst = std::max(worst, std::min(dx, dy));
    }
    for (Point2 c : keepClear) worst = std::max(worst, 260 - std::hypot(p.x - c.x, p.y - c.y));
    return worst;
  };
  for (std::size_t k = 1; k < segments.size(); ++k) {
    const auto [a, b] = segments[k];
    double best = 1e9;
    for (double step : {0.0, 0.08, -0.08, 0.16, -0.16, 0.24, -0.24, 0.3, -0.3}) {
      const double t = 0.5 + step;
      const Point2 p{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
      const double c = crowding(p, k);
      if (c < best - 1) best = c, out[k] = p;
      if (best <= 0) break;
    }
  }
  return out;
}

std::vector<Point2> spread(const std::vector<std::vector<Point2>>& candidates, double radius) {
  std::vector<Point2> out(candidates.size());
  for (std::size_t i = 1; i < candidates.size(); ++i) {
    double best = 1e9;
    for (Point2 p : candidates[i]) {
      double crowd = 0;
      for (std::size_t j = 1; j < i; ++j) crowd = std::max(crowd, 2 * radius + 40 - std::hypot(p.x - out[j].x, p.y - out[j].y));
      if (crowd < best - 1) best = crowd, out[i] = p;
      if (best <= 0) break;
    }
  }
  return out;
}

}  // namespace kp::fourd
