#pragma once
#include <array>
#include <cstddef>

#include "core/drawing.h"

// Points in three and four dimensions, their rotations, and the projections that bring the
// 3D and 4D boards onto the plane of the window.
namespace kp {

struct Point3 {
  double x = 0, y = 0, z = 0;
};
struct Point4 {
  double x = 0, y = 0, z = 0, w = 0;
};

inline Point2 operator+(Point2 a, Point2 b) { return {a.x + b.x, a.y + b.y}; }
inline Point2 operator*(double k, Point2 p) { return {k * p.x, k * p.y}; }
inline Point3 operator+(Point3 a, Point3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Point3 operator*(double k, Point3 p) { return {k * p.x, k * p.y, k * p.z}; }
inline double dot(Point3 a, Point3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Point4 operator+(Point4 a, Point4 b) { return {a.x + b.x, a.y + b.y, a.z + b.z, a.w + b.w}; }
inline Point4 operator*(double k, Point4 p) { return {k * p.x, k * p.y, k * p.z, k * p.w}; }
inline double dot(Point4 a, Point4 b) { return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w; }

// The program has always turned degrees into radians with pi = 4 * atan(1).
double radians(double degrees);

// A linear map of N coordinates; `a * b` applies b first, then a.
template <std::size_t N>
struct Matrix {
  std::array<std::array<double, N>, N> m{};

  static Matrix identity() {
    Matrix r;
    for (std::size_t i = 0; i < N; ++i) r.m[i][i] = 1;
    return r;
  }
  friend Matrix operator*(const Matrix& a, const Matrix& b) {
    Matrix r;
    for (std::size_t i = 0; i < N; ++i)
      for (std::size_t j = 0; j < N; ++j)
        for (std::size_t k = 0; k < N; ++k) r.m[i][j] += a.m[i][k] * b.m[k][j];
    return r;
  }
};
using Matrix3 = Matrix<3>;
using Matrix4 = Matrix<4>;

Point3 operator*(const Matrix3& m, Point3 p);
Point4 operator*(const Matrix4& m, Point4 p);

// Right-handed turns: a quarter turn about Z takes X to Y, about X takes Y to Z, about Y
// takes Z to X. (With y running down the screen, a turn about Z looks clockwise.)
enum class Axis { X, Y, Z };
Matrix3 rotation(Axis axis, double degrees);

// A 4D turn moves the two coordinates of its plane and leaves the other two alone; a
// quarter turn in the plane ab takes a to b.
enum class Plane { XY, XZ, XW, YZ, YW, ZW };
Matrix4 rotation(Plane plane, double degrees);

// Depth drawn slanting: (x + k z cos a, y - k z sin a), so with a = 45 a box shows its
// depth going up and to the right.
Point2 oblique(Point3 p, double k, double angleDegrees);

// The eye stands at distance `eye` in front of the plane z = 0, looking along +z: what lies
// further away (larger z) is drawn smaller, what lies on the plane keeps its size. Points
// must stay in front of the eye (z > -eye).
Point2 perspective(Point3 p, double eye);

// The same one dimension up, from the eye at w = -eye to the space w = 0: a tesseract whose
// w runs from -1 to 1 becomes a small cube (w = 1) inside a large one (w = -1).
Point3 perspective(Point4 p, double eye);

}  // namespace kp
