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
// The window's name in messages ("... is not in this version yet.").
std::string_view windowTitle(WindowKind kind);
// What the game window's title bar says.
std::string_view windowCaption(WindowKind kind);

}  // namespace kp
