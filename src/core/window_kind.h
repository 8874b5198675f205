#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace kp {

// The game windows of the collection, one per board family; each has its row in the
// window catalogue (core/window_catalogue.h), which these names are read from.
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

// Short name used by the headless runner ("open square").
std::string_view windowName(WindowKind kind);
std::optional<WindowKind> windowFromName(std::string_view name);
// The window's name in messages ("... is not in this version yet.").
std::string_view windowTitle(WindowKind kind);
// What the game window's title bar says.
std::string_view windowCaption(WindowKind kind);

}  // namespace kp
