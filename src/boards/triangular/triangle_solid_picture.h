#pragma once
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

#include "core/colours.h"
#include "core/drawing.h"
#include "core/line_game.h"
#include "core/scene.h"
#include "core/view.h"

// The picture of the solids cut into triangles (the tetrahedron, the 4D simplex): every
// place of the largest board's Lines and triangles with the look of what the view shows
// there, the points, the triangle markers and "View n" on top.
namespace kp {

// A free Line's grey by its depth (about -1.4 near to 1.4 far, in Lines): what lies
// further back is drawn lighter.
Colour depthGrey(double depth);

// How a free Line is drawn at a place.
struct FreeLineLook {
  Colour colour = kUnclaimedLine;
  double width = kUnclaimedWidth;
  bool dotted = false;
};

// What the picture keeps of its own between two scenes: where the markers stand ([place],
// 0 unused), laid out for these points and this many triangles shown.
struct TriangleSolidPicture {
  std::vector<Point2> at;
  int dots = -1;
  std::size_t count = 0;
  std::vector<Point2> centres;
};

// What the picture shows beyond the drawing.
struct TriangleSolidInputs {
  // The largest board: [place] -> the Line's two points and the triangle's three points
  // (index 0 unused in both).
  const std::vector<std::pair<int, int>>& ends;
  const std::vector<std::vector<int>>& trianglePoints;
  const LineGame& rules;
  const View& view;
  int viewNumber = 1;
  int lineCount = 0;                       // the Lines of the board played
  int linesShown = 0, trianglesShown = 0;  // the first Lines and triangles drawn
  bool hideIdle = false;                   // a claimed Line that scores nothing drawn thin
  double width = 0, height = 0;            // the canvas
  const std::vector<Point2>& at;           // where the points are drawn
  int dots = 0;                            // the first points drawn as dots
  std::function<FreeLineLook(int place)> freeLook;
};

// Triangle markers stand in their triangles, each clear of the others and of the points (at
// the middle of its points where there is room), and show with the grid the triangle they
// play in the view. Lines and triangles beyond the board played are drawn hidden.
Scene triangleSolidScene(TriangleSolidPicture& picture, const Drawing& drawing, const TriangleSolidInputs& in);

}  // namespace kp
