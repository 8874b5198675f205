#include "boards/registry.h"

#include "boards/flat/square_window.h"

namespace kp {

bool windowBuilt(WindowKind kind) { return kind == WindowKind::Square; }

std::unique_ptr<GameController> loadWindow(WindowKind kind, Host& host, ProgramState& program) {
  switch (kind) {
    case WindowKind::Square: return std::make_unique<SquareWindow>(host, program);
    default: return nullptr;
  }
}

}  // namespace kp
