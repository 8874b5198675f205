#pragma once
#include <vector>

#include "core/colours.h"

namespace kp {

// What the board picture shows. Index 0 is unused. Where a rule judges a Cell by the
// colours and widths of its Lines it reads this record.
struct LineDraw {
  Colour colour = kUnclaimedLine;
  int width = kUnclaimedWidth;
  bool visible = true;
  bool targetVisible = true;  // the invisible click target lying over the Line
  bool highlighted = false;   // outlined as a hint points at it; no rule reads it
};

struct CircleDraw {
  Colour fill = kBackground;
  Colour border = kCircleBorder;
  bool visible = true;
  bool targetVisible = false;
};

struct Drawing {
  std::vector<LineDraw> lines;
  std::vector<CircleDraw> circles;

  void resize(int lineCount, int circleCount) {
    lines.assign(lineCount + 1, LineDraw{});
    circles.assign(circleCount + 1, CircleDraw{});
  }
};

// Where the pieces of the picture stand, in the board's own design units. The view scales
// these to its size.
struct Point2 {
  double x = 0, y = 0;
  bool operator==(const Point2&) const = default;
};
struct Segment {
  Point2 a, b;
};
struct BoardGeometry {
  double width = 0, height = 0;
  std::vector<Segment> lines;    // [line]
  std::vector<Point2> circles;   // [circle] centre
  double circleRadius = 0;
  std::vector<Point2> dots;      // lattice points, drawn only
};

}  // namespace kp
