#pragma once
#include <vector>

#include "core/projection.h"

// How the 4D boards draw a tesseract (corners at +-1 on every axis): the eye beyond its near
// side in 4D (eye distance 3: the far cube is drawn half as large as the near one), the 3D
// picture turned so that the near cubes face the eye, then seen in perspective. The near
// side is + on every axis; the first axis runs to the right, the second up, the third
// towards the eye, the fourth from the far (small) cube to the near (large) one.
namespace kp::fourd {

// Corner v of the tesseract: bit i of v sets coordinate i to +1, else -1.
Point4 corner(int v);

// Where a point is drawn, before the picture is fitted into its box: the tesseract turned
// by `degrees` in the plane of the first and fourth axes (a quarter turn takes the first
// to the fourth), seen from the near side or, `inverse`, from the far side.
Point2 picture(Point4 p, bool inverse = false, double degrees = 0);

// A rectangle of the board, in its own units.
struct Box {
  double left, top, width, height;
};

// The scale and place that fit pictures into a box: `raw` holds every point the pictures
// can draw; fit(p) is where the box shows the raw point p.
class Fit {
 public:
  Fit(const std::vector<Point2>& raw, Box box);
  Point2 operator()(Point2 p) const { return {centre_.x + p.x * scale_, centre_.y + p.y * scale_}; }

 private:
  double scale_ = 1;
  Point2 centre_;
};

struct Segment {
  Point2 a, b;
};
// Where number labels (boxes of half width and half height `half`) stand along segments:
// each as near its segment's middle as it can be without covering a label placed before it
// or coming within 260 units of a point of `keepClear` (the corners, say). Entry 0 of
// `segments` is unused, and so is entry 0 of the answer.
std::vector<Point2> labelsAlong(const std::vector<Segment>& segments, Point2 half, const std::vector<Point2>& keepClear);

// Round labels of the given radius, each at the first of its candidate places (in order of
// preference) that keeps clear of the labels placed before it, or else at the least crowded
// one. Entry 0 is unused.
std::vector<Point2> spread(const std::vector<std::vector<Point2>>& candidates, double radius);

}  // namespace kp::fourd
