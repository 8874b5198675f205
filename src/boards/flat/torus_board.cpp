#include "boards/flat/torus_board.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "boards/flat/square_board.h"

namespace kp {

namespace {

using T = TorusBoard;
constexpr double kRing = 3.0, kTubeRadius = 1.3;  // the donut, in its own units
constexpr double kElevation = 55 * std::numbers::pi / 180;
constexpr double kEyeDistance = 20;
constexpr double kScale = 80;   // picture units to one of the donut's
constexpr double kMargin = 30;
constexpr double kSpotRadius = 0.22;

struct Vec {
  double x, y, z;
};
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Ring angle of column boundary b and tube angle of row boundary b (fractions allowed).
// Column 1 faces the eye: no Line across the ring lies edge on to it, hidden behind
// another.
double ringAngle(double b) { return -std::numbers::pi / 2 + 2 * std::numbers::pi * (b - 0.5) / T::kAround; }
double tubeAngle(double b) { return 2 * std::numbers::pi * (b - 0.5) / T::kTube; }

Vec surface(double u, double v) {
  return {(kRing + kTubeRadius * std::cos(v)) * std::cos(u), (kRing + kTubeRadius * std::cos(v)) * std::sin(u),
          kTubeRadius * std::sin(v)};
}
Vec normal(double u, double v) { return {std::cos(v) * std::cos(u), std::cos(v) * std::sin(u), std::sin(v)}; }

// Toward the eye, the picture's right and up.
const Vec kToEye{0, -std::cos(kElevation), std::sin(kElevation)};
const Vec kRight{1, 0, 0};
const Vec kUp{0, std::sin(kElevation), std::cos(kElevation)};
const Vec kEye{0, -kEyeDistance * std::cos(kElevation), kEyeDistance * std::sin(kElevation)};

double depth(Vec p) { return dot(p, kToEye); }
double perspective(Vec p) { return kEyeDistance / (kEyeDistance - depth(p)); }
Point2 seen(Vec p) { return {kScale * perspective(p) * dot(p, kRight), -kScale * perspective(p) * dot(p, kUp)}; }
bool facesEye(double u, double v) { return dot(normal(u, v), kEye - surface(u, v)) > 0; }

// A row or column counted round: 1..n.
int round(int i, int n) { return ((i - 1) % n + n) % n + 1; }

}  // namespace

int TorusBoard::lineTurned(int line, int steps) {
  if (line <= kCells) {
    const int b = (line - 1) / kTube, r = (line - 1) % kTube + 1;
    return acrossLine(round(b + 1 + steps, kAround) - 1, r);
  }
  const int b = (line - kCells - 1) / kAround, c = (line - kCells - 1) % kAround + 1;
  return roundLine(b, round(c + steps, kAround));
}

int TorusBoard::cellTurned(int cell, int steps) {
  const int r = (cell - 1) / kAround + 1, c = (cell - 1) % kAround + 1;
  return cellAt(r, round(c + steps, kAround));
}

TorusBoard::TorusBoard() {
  std::vector<std::vector<int>> sides(kCells + 1);
  for (int r = 1; r <= kTube; ++r)
    for (int c = 1; c <= kAround; ++c)
      sides[std::size_t(cellAt(r, c))] = {roundLine(r - 1, c), acrossLine(c, r), roundLine(r, c), acrossLine(c - 1, r)};
  graph_[0] = BoardGraph::fromCellSides(kLines, std::move(sides));
  for (int l = 1; l <= kLines; ++l) interior_.push_back(l);
  for (bool plus : {false, true}) {
    claims_[0][plus].assign(kCells + 1, {});
    for (int k = 1; k <= kCells; ++k)
      claims_[0][plus][std::size_t(k)] = square::gridSuperKrunk(
          kTube, kAround, (k - 1) / kAround + 1, (k - 1) % kAround + 1, true, plus,
          [](int b, int c) { return roundLine(b, c); }, [](int b, int r) { return acrossLine(b, r); });
  }

  // The picture, then moved clear of the edges.
  places_.assign(kLines + 1, {});
  for (int b = 0; b < kAround; ++b)
    for (int r = 1; r <= kTube; ++r) {
      const double u = ringAngle(b);
      places_[std::size_t(acrossLine(b, r))] = {{seen(surface(u, tubeAngle(r - 1))), seen(surface(u, tubeAngle(r)))},
                                                depth(surface(u, tubeAngle(r - 0.5))),
                                                facesEye(u, tubeAngle(r - 0.5))};
    }
  for (int b = 0; b < kTube; ++b)
    for (int c = 1; c <= kAround; ++c) {
      const double v = tubeAngle(b);
      places_[std::size_t(roundLine(b, c))] = {{seen(surface(ringAngle(c - 1), v)), seen(surface(ringAngle(c), v))},
                                               depth(surface(ringAngle(c - 0.5), v)),
                                               facesEye(ringAngle(c - 0.5), v)};
    }
  spots_.assign(kCells + 1, {});
  for (int r = 1; r <= kTube; ++r)
    for (int c = 1; c <= kAround; ++c) {
      // In the middle of the Cell's four drawn corners, as large as the eye sees it there.
      Point2 centre;
      std::vector<Point2> corners;
      for (auto [cb, rb] : {std::pair{c - 1, r - 1}, {c, r - 1}, {c, r}, {c - 1, r}}) {
        corners.push_back(seen(surface(ringAngle(cb), tubeAngle(rb))));
        centre = {centre.x + corners.back().x / 4, centre.y + corners.back().y / 4};
      }
      const Vec mid = surface(ringAngle(c - 0.5), tubeAngle(r - 0.5));
      spots_[std::size_t(cellAt(r, c))] = {corners, centre, kScale * kSpotRadius * perspective(mid), depth(mid),
                                           facesEye(ringAngle(c - 0.5), tubeAngle(r - 0.5))};
    }
  for (int b = 0; b < kAround; ++b)
    for (int r = 0; r < kTube; ++r)
      if (facesEye(ringAngle(b), tubeAngle(r))) nearCorners_.push_back(seen(surface(ringAngle(b), tubeAngle(r))));

  double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
  for (std::size_t l = 1; l < places_.size(); ++l)
    for (Point2 p : {places_[l].at.a, places_[l].at.b}) {
      left = std::min(left, p.x), right = std::max(right, p.x);
      top = std::min(top, p.y), bottom = std::max(bottom, p.y);
    }
  auto shift = [&](Point2& p) { p = {p.x - left + kMargin, p.y - top + kMargin}; };
  for (std::size_t l = 1; l < places_.size(); ++l) shift(places_[l].at.a), shift(places_[l].at.b);
  for (std::size_t c = 1; c < spots_.size(); ++c) {
    shift(spots_[c].centre);
    for (Point2& p : spots_[c].corners) shift(p);
  }
  for (Point2& p : nearCorners_) shift(p);

  geometry_.width = right - left + 2 * kMargin;
  geometry_.height = bottom - top + 2 * kMargin;
  geometry_.lines.assign(kLines + 1, {});
  for (int l = 1; l <= kLines; ++l) geometry_.lines[std::size_t(l)] = places_[std::size_t(l)].at;
  geometry_.circles.assign(kCells + 1, {});
  for (int c = 1; c <= kCells; ++c) geometry_.circles[std::size_t(c)] = spots_[std::size_t(c)].centre;
  geometry_.circleRadius = kScale * kSpotRadius;
  geometry_.dots = nearCorners_;
}

const TorusBoard& torus() {
  static const TorusBoard board;
  return board;
}

}  // namespace kp
