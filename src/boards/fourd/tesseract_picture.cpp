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

}  // namespace kp::fourd
