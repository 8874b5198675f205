#include "core/window_kind.h"

namespace kp {

namespace {
struct KindInfo {
  WindowKind kind;
  std::string_view name;
  std::string_view title;
  std::string_view caption = {};  // the window's own caption, where it is not the title
};
constexpr KindInfo kInfo[] = {
    {WindowKind::Square, "square", "Beginner's Planor and Globoria"},
    {WindowKind::Triangular, "triangular", "Krunk Delvo in Planor and Globoria"},
    {WindowKind::LargeSquare, "largesquare", "Super Krunk Plus", "Planor Plexa 2014 in 2D  -  Super Krunk Plus"},
    {WindowKind::House, "house", "Our House", "Planor Plexa 2014 in 2D  -  Our House"},
    {WindowKind::Torus, "torus", "Beyond Globoria - Torus Ferris Donut Wheel",
     "Planor Plexa 2014 in 2D  -  Beyond Globoria (Torus)"},
    {WindowKind::Cube, "cube", "Plexa Ultra Squared and Ultra Krunked",
     "Krunk Plexa 2014 in 3D  -  Plexa Ultra Squared and Ultra Krunked"},
    {WindowKind::Wall, "wall", "Krunk the Wall"},
    {WindowKind::Tetrahedron, "tetrahedron", "Krunk Delvo", "Krunk Plexa 2014 in 3D  -  Krunk Delvo"},
    {WindowKind::Wireframe, "wireframe", "Wire Frame", "Quadrion Plexa 2014 in 4D  -  Wire Frame"},
    {WindowKind::Triangular4d, "triangular4d", "Krunk Delvo in 4D", "Quadrion Plexa 2014 in 4D  -  Krunk Delvo in 4D"},
    {WindowKind::Quadrion, "quadrion", "Quadrion Krunk", "Quadrion Plexa 2014 in 4D  -  Quadrion Krunk"},
};
}  // namespace

std::string_view windowName(WindowKind kind) {
  for (const auto& i : kInfo)
    if (i.kind == kind) return i.name;
  return "";
}

std::optional<WindowKind> windowFromName(std::string_view name) {
  for (const auto& i : kInfo)
    if (i.name == name) return i.kind;
  return std::nullopt;
}

std::string_view windowTitle(WindowKind kind) {
  for (const auto& i : kInfo)
    if (i.kind == kind) return i.title;
  return "";
}

}  // namespace kp

namespace kp {

std::string_view windowCaption(WindowKind kind) {
  for (const auto& i : kInfo)
    if (i.kind == kind) return i.caption.empty() ? i.title : i.caption;
  return "";
}

}  // namespace kp
