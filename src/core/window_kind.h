#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace kp {

// The game windows of the collection, one per board family.
enum class WindowKind {
  Square,
  Triangular,
  LargeSquare,
  House,
  Torus,
  Cube,
  Wall,
  Tetrahedron,
  Wireframe,
  Triangular4d,
  Quadrion,
};

inline constexpr WindowKind kAllWindowKinds[] = {
    WindowKind::Square,      WindowKind::Triangular, WindowKind::LargeSquare, WindowKind::House,
    WindowKind::Torus,       WindowKind::Cube,       WindowKind::Wall,        WindowKind::Tetrahedron,
    WindowKind::Wireframe,   WindowKind::Triangular4d, WindowKind::Quadrion,
};

// Short name used by the headless runner ("open square").
std::string_view windowName(WindowKind kind);
std::optional<WindowKind> windowFromName(std::string_view name);
// Title bar text of the window.
std::string_view windowTitle(WindowKind kind);

}  // namespace kp
