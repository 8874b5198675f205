#include "boards/triangular/triangle_solid_picture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "core/projection.h"

namespace kp {

namespace {

constexpr int kHiddenWidth = 3;  // a claimed Line that scores nothing, while hidden
constexpr double kMarkerRadius = 10, kDotRadius = 4;
// How far apart markers stand, and a marker from a point: a gap between their rims.
constexpr double kMarkersApart = 2 * kMarkerRadius + 4, kMarkerOffPoint = kMarkerRadius + kDotRadius + 2;

double distance(Point2 a, Point2 b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Where the markers stand ([place], 0 unused) for the points drawn.
const std::vector<Point2>& markerCentres(TriangleSolidPicture& markers, const TriangleSolidInputs& in) {
  const std::vector<Point2>& at = in.at;
  const std::vector<std::vector<int>>& trianglePoints = in.trianglePoints;
  const int dots = in.dots;
  const std::size_t count = std::size_t(in.trianglesShown) + 1;
  if (markers.at == at && markers.dots == dots && markers.count == count) return markers.centres;
  std::vector<Point2>& centres = markers.centres;
  centres.assign(trianglePoints.size(), Point2{});
  std::vector<std::array<Point2, 3>> corners(count);
  for (std::size_t t = 1; t < trianglePoints.size(); ++t)
    for (int p : trianglePoints[t]) centres[t] = centres[t] + (1.0 / 3) * at[std::size_t(p)];
  for (std::size_t t = 1; t < count; ++t)
    for (std::size_t k = 0; k < 3; ++k) corners[t][k] = at[std::size_t(trianglePoints[t][k])];

  // How much room a marker at p has: its least distance to a point or a settled marker
  // beyond what it must keep (negative: it overlaps).
  std::vector<char> settled(count, 0);
  auto room = [&](Point2 p, std::size_t self, bool settledOnly) {
    double least = 1e9;
    for (int d = 0; d < dots; ++d) least = std::min(least, distance(p, at[std::size_t(d)]) - kMarkerOffPoint);
    for (std::size_t u = 1; u < count; ++u)
      if (u != self && (settled[u] || !settledOnly)) least = std::min(least, distance(p, centres[u]) - kMarkersApart);
    return least;
  };
  // A marker with room at the middle of its triangle stays there; each other takes the place
  // nearest that middle, well inside its triangle, that has room, or else the roomiest.
  for (std::size_t t = 1; t < count; ++t) settled[t] = room(centres[t], t, false) >= 0;
  constexpr int kSteps = 24, kInside = 4;  // barycentric steps, and the least a corner weighs
  for (std::size_t t = 1; t < count; ++t) {
    if (settled[t]) continue;
    const Point2 middle = centres[t];
    Point2 best = middle;
    double bestRoom = room(middle, t, true), bestOff = 0;
    for (int i = kInside; i <= kSteps - 2 * kInside; ++i)
      for (int j = kInside; i + j <= kSteps - kInside; ++j) {
        const double a = double(i) / kSteps, b = double(j) / kSteps;
        const Point2 p = a * corners[t][0] + b * corners[t][1] + (1 - a - b) * corners[t][2];
        const double r = room(p, t, true), off = distance(p, middle);
        const bool better = bestRoom >= 0 ? r >= 0 && off < bestOff : r > bestRoom;
        if (better) best = p, bestRoom = r, bestOff = off;
      }
    centres[t] = best;
    settled[t] = 1;
  }
  markers.at = at;
  markers.dots = dots;
  markers.count = count;
  return centres;
}

}  // namespace

Colour depthGrey(double depth) {
  const int g = std::clamp(int(std::lround(30 + 65 * (depth + 1.4))), 30, 205);
  return Colour(g | g << 8 | g << 16);
}

Scene triangleSolidScene(TriangleSolidPicture& picture, const Drawing& drawing, const TriangleSolidInputs& in) {
  Scene s{.width = in.width, .height = in.height};
  const LineGame& rules = in.rules;
  const auto& cells = rules.graph().lineCells;

  for (int place = 1; place < int(in.ends.size()); ++place) {
    const int line = in.view.line(place);
    const LineDraw& d = drawing.lines[std::size_t(line)];
    // (A Line beyond the board is one of the next game's, shown over a finished game.)
    const auto [a, b] = in.ends[std::size_t(place)];
    const bool idle = in.hideIdle && line <= in.lineCount && rules.claimed(line) &&
                      std::none_of(cells[std::size_t(line)].begin(), cells[std::size_t(line)].end(),
                                   [&](int c) { return rules.cellOwner(c) != 0; });
    const bool free = d.colour == kUnclaimedLine;
    const FreeLineLook look = free ? in.freeLook(place) : FreeLineLook{};
    s.strokes.push_back({.a = in.at[std::size_t(a)],
                         .b = in.at[std::size_t(b)],
                         .colour = free ? look.colour : d.colour,
                         .width = free ? look.width : double(idle ? std::min(d.width, kHiddenWidth) : d.width),
                         .dotted = free && look.dotted,
                         .visible = place <= in.linesShown,
                         .target = d.targetVisible ? Target::line(place) : Target{},
                         .number = line,
                         // the number of a claimed Line is no longer shown
                         .numberShown = line > in.lineCount || !rules.claimed(line),
                         .highlighted = d.highlighted});
  }
  for (int p = 0; p < in.dots; ++p) s.dots.push_back({in.at[std::size_t(p)], kDotRadius});
  const std::vector<Point2>& centres = markerCentres(picture, in);
  for (int place = 1; place < int(in.trianglePoints.size()); ++place) {
    const int t = in.view.circle(place);
    const CircleDraw& d = drawing.circles[std::size_t(t)];
    s.shapes.push_back({.kind = Shape::Kind::Circle,
                        .centre = centres[std::size_t(place)],
                        .radiusX = kMarkerRadius,
                        .border = d.border,
                        .fill = d.fill,
                        .visible = place <= in.trianglesShown && d.visible,
                        .target = d.targetVisible ? Target::circle(place) : Target{},
                        .number = t});
  }
  s.texts.push_back({.at = {s.width / 2, 20}, .text = "View " + std::to_string(in.viewNumber), .size = 14});
  return s;
}

}  // namespace kp
