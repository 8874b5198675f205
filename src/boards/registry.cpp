#include "boards/registry.h"

#include "boards/cube/cube_window.h"
#include "boards/cube/wall_window.h"
#include "boards/flat/house_window.h"
#include "boards/flat/large_square_window.h"
#include "boards/flat/square_window.h"
#include "boards/flat/torus_window.h"
#include "boards/fourd/quadrion_window.h"
#include "boards/fourd/wireframe_window.h"
#include "boards/triangular/tetrahedron_window.h"
#include "boards/triangular/triangular4d_window.h"
#include "boards/triangular/triangular_window.h"

namespace kp {

bool windowBuilt(WindowKind kind) {
  return kind == WindowKind::Square || kind == WindowKind::Triangular || kind == WindowKind::Cube ||
         kind == WindowKind::Tetrahedron || kind == WindowKind::Wireframe ||
         kind == WindowKind::Quadrion || kind == WindowKind::LargeSquare ||
         kind == WindowKind::House || kind == WindowKind::Torus || kind == WindowKind::Wall ||
         kind == WindowKind::Triangular4d;
}

std::unique_ptr<GameController> loadWindow(WindowKind kind, Host& host, ProgramState& program) {
  switch (kind) {
    case WindowKind::Square: return std::make_unique<SquareWindow>(host, program);
    case WindowKind::LargeSquare: return std::make_unique<LargeSquareWindow>(host, program);
    case WindowKind::House: return std::make_unique<HouseWindow>(host, program);
    case WindowKind::Torus: return std::make_unique<TorusWindow>(host, program);
    case WindowKind::Triangular: return std::make_unique<TriangularWindow>(host, program);
    case WindowKind::Cube: return std::make_unique<CubeWindow>(host, program);
    case WindowKind::Wall: return std::make_unique<WallWindow>(host, program);
    case WindowKind::Tetrahedron: return std::make_unique<TetrahedronWindow>(host, program);
    case WindowKind::Triangular4d: return std::make_unique<Triangular4dWindow>(host, program);
    case WindowKind::Wireframe: return std::make_unique<WireframeWindow>(host, program);
    case WindowKind::Quadrion: return std::make_unique<QuadrionWindow>(host, program);
    default: return nullptr;
  }
}

}  // namespace kp
