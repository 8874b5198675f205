#include "boards/flat/torus_window.h"

#include <algorithm>
#include <numeric>

#include "boards/flat/torus_board.h"
#include "core/scene.h"

namespace kp {

namespace {

constexpr Colour kNearFace = 0xDCEBF7;  // a pale cream

// The far side is drawn faint: two parts background to one part its own colour.
Colour faint(Colour c) {
  Colour out = 0;
  for (int shift : {0, 8, 16}) {
    const int own = int(c >> shift & 0xFF), back = int(kBackground >> shift & 0xFF);
    out |= Colour((own + 2 * back) / 3) << shift;
  }
  return out;
}

// Numbers 1..n ordered far to near by `depth`, so the near side is painted last.
template <class Depth>
std::vector<int> farToNear(int n, Depth depth) {
  std::vector<int> order(static_cast<std::size_t>(n));
  std::iota(order.begin(), order.end(), 1);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return depth(a) < depth(b); });
  return order;
}

}  // namespace

TorusWindow::TorusWindow(Host& host, ProgramState& program)
    : CellGamesWindow(host, program, WindowKind::Torus, torus(), {.opening = SuperKrunkPlus}) {
  for (int steps = 1; steps < TorusBoard::kAround; ++steps) {
    std::vector<int> lines{0}, cells{0};
    for (int p = 1; p <= TorusBoard::kLines; ++p) lines.push_back(TorusBoard::lineTurned(p, steps));
    for (int p = 1; p <= TorusBoard::kCells; ++p) cells.push_back(TorusBoard::cellTurned(p, steps));
    addView(View(std::move(lines), std::move(cells)));
  }
  controls_.push_back({.id = "turn.back",
                       .caption = "<<",
                       .tip = "Turn the wheel one cell to the left: each place shows the line that stood to its right",
                       .group = "Turn the wheel"});
  controls_.push_back({.id = "turn.on",
                       .caption = ">>",
                       .tip = "Turn the wheel one cell to the right: each place shows the line that stood to its left",
                       .group = "Turn the wheel"});
}

// ">>" turns the wheel to the right: the front place then shows the Line that stood to
// its left.
void TorusWindow::onControl(const Control& c) { turnView(c.id == "turn.on" ? -1 : 1); }

Scene TorusWindow::scene() const {
  const TorusBoard& b = torus();
  const View& view = views().current();
  Scene s{.width = b.width(), .height = b.height(), .pixelsPerUnit = 1};
  static const std::vector<int> lineOrder = farToNear(TorusBoard::kLines, [](int p) { return torus().place(p).depth; });
  static const std::vector<int> cellOrder = farToNear(TorusBoard::kCells, [](int p) { return torus().spot(p).depth; });
  s.strokes.reserve(lineOrder.size());
  for (int p : lineOrder) {
    const TorusBoard::Place& at = b.place(p);
    const int line = view.line(p);
    const LineDraw& d = drawing_.lines[std::size_t(line)];
    s.strokes.push_back({.a = at.at.a,
                         .b = at.at.b,
                         .colour = at.near ? d.colour : faint(d.colour),
                         .width = at.near ? double(d.width) : std::max(1.0, 0.6 * d.width),
                         .visible = d.visible,
                         .target = d.targetVisible ? Target::line(p) : Target{},
                         .number = line,
                         .highlighted = d.highlighted});
  }
  // The faces turned to the eye, shaded as the donut's near side.
  for (int p : cellOrder)
    if (b.spot(p).near) s.backdrop.push_back({.kind = Shape::Kind::Polygon, .points = b.spot(p).corners, .fill = kNearFace});
  s.shapes.reserve(cellOrder.size());
  for (int p : cellOrder) {
    const TorusBoard::Spot& at = b.spot(p);
    const int cell = view.circle(p);
    const CircleDraw& d = drawing_.circles[std::size_t(cell)];
    s.shapes.push_back({.kind = Shape::Kind::Circle,
                        .centre = at.centre,
                        .radiusX = at.radius,
                        .radiusY = at.radius,
                        .border = at.near ? d.border : faint(d.border),
                        .fill = at.near ? d.fill : faint(d.fill),
                        .borderWidth = at.near ? 2.0 : 1.0,
                        .visible = d.visible,
                        .target = d.targetVisible ? Target::circle(p) : Target{},
                        .number = cell});
  }
  for (Point2 corner : b.nearCorners()) s.dots.push_back({corner, 4});
  return s;
}

}  // namespace kp
