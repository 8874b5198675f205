#include "core/projection.h"

#include <cmath>

namespace kp {

double radians(double degrees) {
  static const double pi = 4 * std::atan(1.0);
  return degrees * pi / 180;
}

Point3 operator*(const Matrix3& m, Point3 p) {
  const auto& r = m.m;
  return {r[0][0] * p.x + r[0][1] * p.y + r[0][2] * p.z, r[1][0] * p.x + r[1][1] * p.y + r[1][2] * p.z,
          r[2][0] * p.x + r[2][1] * p.y + r[2][2] * p.z};
}

Point4 operator*(const Matrix4& m, Point4 p) {
  const double in[4] = {p.x, p.y, p.z, p.w};
  double out[4] = {};
  for (std::size_t i = 0; i < 4; ++i)
    for (std::size_t j = 0; j < 4; ++j) out[i] += m.m[i][j] * in[j];
  return {out[0], out[1], out[2], out[3]};
}

namespace {

// The turn taking coordinate a towards coordinate b.
template <std::size_t N>
Matrix<N> planeTurn(std::size_t a, std::size_t b, double degrees) {
  const double c = std::cos(radians(degrees)), s = std::sin(radians(degrees));
  Matrix<N> r = Matrix<N>::identity();
  r.m[a][a] = c;
  r.m[a][b] = -s;
  r.m[b][a] = s;
  r.m[b][b] = c;
  return r;
}

}  // namespace

Matrix3 rotation(Axis axis, double degrees) {
  switch (axis) {
    case Axis::X:
      return planeTurn<3>(1, 2, degrees);
    case Axis::Y:
      return planeTurn<3>(2, 0, degrees);
    case Axis::Z:
      break;
  }
  return planeTurn<3>(0, 1, degrees);
}

Matrix4 rotation(Plane plane, double degrees) {
  constexpr std::size_t x = 0, y = 1, z = 2, w = 3;
  switch (plane) {
    case Plane::XY:
      return planeTurn<4>(x, y, degrees);
    case Plane::XZ:
      return planeTurn<4>(x, z, degrees);
    case Plane::XW:
      return planeTurn<4>(x, w, degrees);
    case Plane::YZ:
      return planeTurn<4>(y, z, degrees);
    case Plane::YW:
      return planeTurn<4>(y, w, degrees);
    case Plane::ZW:
      break;
  }
  return planeTurn<4>(z, w, degrees);
}

Point2 oblique(Point3 p, double k, double angleDegrees) {
  const double a = radians(angleDegrees);
  return {p.x + k * p.z * std::cos(a), p.y - k * p.z * std::sin(a)};
}

Point2 perspective(Point3 p, double eye) {
  const double f = eye / (eye + p.z);
  return {f * p.x, f * p.y};
}

Point3 perspective(Point4 p, double eye) {
  const double f = eye / (eye + p.w);
  return {f * p.x, f * p.y, f * p.z};
}

}  // namespace kp
