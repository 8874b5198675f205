#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/colours.h"
#include "core/drawing.h"

// What a board shows and what its pieces mean when clicked, in the board's own units. The
// shell paints a scene scaled to the widget and asks it what a mouse press hit; it knows
// nothing of the board behind it.
namespace kp {

class View;

// What a click on a piece means. Line and circle numbers are drawn places: where a board
// turns, the frame reads them through its current view.
struct Target {
  enum class Kind { None, Line, Circle, CheckBox };
  Kind kind = Kind::None;
  int id = 0;

  static Target line(int n) { return {Kind::Line, n}; }
  static Target circle(int n) { return {Kind::Circle, n}; }
  // id: the check box's index in the scene.
  static Target checkBox(int index) { return {Kind::CheckBox, index}; }
  explicit operator bool() const { return kind != Kind::None; }
  bool operator==(const Target&) const = default;
};

// Widths are in the board's pixels (see Scene::pixelsPerUnit), so a claim keeps its
// width when the board is drawn larger or smaller.
struct Stroke {
  Point2 a, b;
  Colour colour = kUnclaimedLine;
  double width = kUnclaimedWidth;
  bool dotted = false;
  bool visible = true;
  Target target;
  // Written beside it while the grid is shown: the Line it stands for now (0: nothing).
  int number = 0;
  // Whether that number is written now. Its place is kept while it is not, so the other
  // numbers stay where they are.
  bool numberShown = true;
  // Outlined in a bright halo under it: a Line a hint points at.
  bool highlighted = false;
  bool operator==(const Stroke&) const = default;
};

struct Shape {
  enum class Kind {
    Circle,   // centre, radiusX
    Oval,     // centre, radiusX, radiusY
    Polygon,  // points, closed
    Outline,  // points, closed, never filled
    Region,   // never painted: a click area around the segment points[0]-points[1], its
              // bounding box widened by radiusX on every side
  };
  Kind kind = Kind::Circle;
  std::vector<Point2> points;
  Point2 centre;
  double radiusX = 0, radiusY = 0;
  Colour border = kCircleBorder;
  Colour fill = kBackground;
  bool filled = true;
  double borderWidth = 2;
  bool visible = true;
  Target target;
  // Written inside it while the grid is shown: the Cell it stands for now (0: nothing).
  int number = 0;
  bool operator==(const Shape&) const = default;
};

struct Text {
  Point2 at;  // the middle of the written text
  std::string text;
  Colour fore = kBlack;
  std::optional<Colour> back;  // none: the board shows through
  double size = 11;            // the letters' height in the board's pixels
  bool visible = true;
  bool operator==(const Text&) const = default;
};

// A check box drawn on the board: one of the window's controls, clicked like its box in
// the panel would be.
struct CheckBox {
  std::string control;  // the control's id
  std::string caption;
  Point2 at;                      // top left corner
  double width = 0, height = 0;  // what takes a click, the caption included
  bool checked = false;
  bool visible = true;
  bool enabled = true;
  bool operator==(const CheckBox&) const = default;
};

struct Dot {
  Point2 at;
  double radius = 5;  // pixels
  bool operator==(const Dot&) const = default;
};

// Painted in this order: backdrop, strokes, dots, shapes, texts, check boxes; each list in
// index order.
struct Scene {
  double width = 0, height = 0;
  // The board's pixels per unit, for widths and dot sizes: the flat boards put 100 units
  // to a Cell that has always been 80 pixels across.
  double pixelsPerUnit = 1;
  // Drawn at pixelsPerUnit from the top left corner whatever the widget's size, rather
  // than scaled to fit.
  bool fixedSize = false;
  // The picture is on the move (a turn under way): its Lines are drawn with square ends,
  // which take a fraction of the time of round ones, so a turning board stays cheap. The
  // picture at rest keeps its round ends.
  bool moving = false;
  // How many pictures of the board up to a stroke the view may keep (0: none), for a picture
  // of many long crossing Lines: a click's repaint then starts from the last kept picture
  // below the Lines it changed instead of drawing every Line beneath them again.
  int keptLayers = 0;
  // Filled polygons under everything else, never clicked: a board's own shading (the walls
  // and roof of a house).
  std::vector<Shape> backdrop;
  std::vector<Stroke> strokes;
  std::vector<Shape> shapes;
  std::vector<Text> texts;
  std::vector<CheckBox> checkBoxes;
  std::vector<Dot> dots;

  // The target a click at p means. A shown, enabled check box containing p comes first,
  // then a shown polygon containing p (the lowest index when several do), then the round
  // shape painted last whose drawn disc holds p (a circle in front of another), then of
  // the round shapes containing p the one nearest its centre (they take a click within 1.4
  // of their radii, as small circles are hard to hit), then of the regions containing p
  // the one whose segment is nearest.
  // Otherwise the shown stroke nearest to p, if nearer than `tolerance` units; the lowest
  // index on a tie. Hidden pieces and pieces without a target are never hit.
  Target hit(Point2 p, double tolerance) const;
  // A quarter of the median stroke length: how near a click must come to a Line. The
  // flat boards' Lines are 100 units, so 25.
  double hitTolerance() const;
  // The shown, enabled check box a check-box target names, or nullptr.
  const CheckBox* checkBox(Target t) const;
};

// The flat boards' picture: one stroke per Line (strokes[n - 1] for Line n), one circle per
// Cell (shapes[n - 1] for Cell n), and the dots, as the board window has always drawn them.
// Given a view, place p is drawn with the look of the Line or circle that stands there
// now; the targets stay places, the numbers are the Lines and Cells standing there.
Scene sceneOf(const BoardGeometry& geometry, const Drawing& drawing, const View* view = nullptr);

}  // namespace kp
