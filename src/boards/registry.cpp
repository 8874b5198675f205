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

namespace {
using Factory = std::unique_ptr<GameController> (*)(Host&, ProgramState&);
template <class W>
std::unique_ptr<GameController> make(Host& host, ProgramState& program) {
  return std::make_unique<W>(host, program);
}

// No default: the compiler names a kind left without its window.
Factory factory(WindowKind kind) {
  switch (kind) {
    case WindowKind::Square: return make<SquareWindow>;
    case WindowKind::LargeSquare: return make<LargeSquareWindow>;
    case WindowKind::House: return make<HouseWindow>;
    case WindowKind::Torus: return make<TorusWindow>;
    case WindowKind::Triangular: return make<TriangularWindow>;
    case WindowKind::Cube: return make<CubeWindow>;
    case WindowKind::Wall: return make<WallWindow>;
    case WindowKind::Tetrahedron: return make<TetrahedronWindow>;
    case WindowKind::Triangular4d: return make<Triangular4dWindow>;
    case WindowKind::Wireframe: return make<WireframeWindow>;
    case WindowKind::Quadrion: return make<QuadrionWindow>;
  }
  return nullptr;
}
}  // namespace

bool windowBuilt(WindowKind kind) { return factory(kind) != nullptr; }

std::unique_ptr<GameController> loadWindow(WindowKind kind, Host& host, ProgramState& program) {
  const Factory make = factory(kind);
  return make ? make(host, program) : nullptr;
}

}  // namespace kp

namespace kp {

std::optional<RecordError> checkRecord(const GameRecord& record, const ProgramState& program) {
  const auto kind = windowFromName(record.window);
  if (!kind || !windowBuilt(*kind))
    return RecordError{record.windowLine, "this version has no window \"" + record.window + "\"."};
  VirtualHost host;
  host.setWindowAvailability(windowBuilt);
  ProgramState scratch = program;
  const std::unique_ptr<GameController> window = loadWindow(*kind, host, scratch);
  return window->playRecord(record);
}

std::variant<GameRecord, RecordError> checkedRecord(const std::string& path, const ProgramState& program) {
  auto read = readRecordFile(path);
  if (const auto* record = std::get_if<GameRecord>(&read))
    if (auto error = checkRecord(*record, program)) return *error;
  return read;
}

}  // namespace kp
