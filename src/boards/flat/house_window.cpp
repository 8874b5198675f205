#include "boards/flat/house_window.h"

#include "boards/flat/house_board.h"
#include "core/scene.h"

namespace kp {

namespace {

// Soft shades, far from the players' red and blue.
constexpr Colour shade(int r, int g, int b) { return Colour(r | g << 8 | b << 16); }
constexpr Colour kRoof = shade(0xE4, 0xCF, 0xAE);
constexpr Colour kChimney = shade(0xC9, 0xB6, 0xA2);
constexpr Colour kWall = shade(0xFB, 0xF4, 0xDE);
constexpr Colour kWindow = shade(0xD2, 0xEA, 0xF6);
constexpr Colour kDoor = shade(0x9A, 0x78, 0x55);
constexpr Colour kGround = shade(0xC8, 0xE2, 0xB8);

Colour shadeOf(HouseBoard::Part part) {
  switch (part) {
    case HouseBoard::Part::Roof: return kRoof;
    case HouseBoard::Part::Chimney: return kChimney;
    case HouseBoard::Part::Window: return kWindow;
    case HouseBoard::Part::Wall: break;
  }
  return kWall;
}

}  // namespace

HouseWindow::HouseWindow(Host& host, ProgramState& program)
    : CellGamesWindow(host, program, WindowKind::House, house(), {.opening = SuperKrunkPlus}) {}

Scene HouseWindow::scene() const {
  Scene scene = CellGamesWindow::scene();
  const HouseBoard& b = house();
  const BoardGeometry& g = b.geometry();
  auto fill = [&scene](std::vector<Point2> points, Colour colour) {
    scene.backdrop.push_back({.kind = Shape::Kind::Polygon, .points = std::move(points), .fill = colour});
  };
  // The ground the house stands on, the length of the board under the walls.
  const double groundY = b.door()[2].y;
  fill({{0, groundY}, {g.width, groundY}, {g.width, g.height}, {0, g.height}}, kGround);
  for (int k = 1; k <= b.cellCount(); ++k) fill(b.outline(k), shadeOf(b.part(k)));
  fill(b.door(), kDoor);
  return scene;
}

}  // namespace kp
