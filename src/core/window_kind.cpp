#include "core/window_kind.h"

#include "core/window_catalogue.h"

namespace kp {

std::string_view windowName(WindowKind kind) { return catalogueEntry(kind).name; }

std::optional<WindowKind> windowFromName(std::string_view name) {
  for (const WindowEntry& row : windowCatalogue())
    if (row.name == name) return row.kind;
  return std::nullopt;
}

std::string_view windowTitle(WindowKind kind) { return catalogueEntry(kind).title; }

std::string_view windowCaption(WindowKind kind) {
  const WindowEntry& row = catalogueEntry(kind);
  return row.caption ? row.caption : row.title;
}

}  // namespace kp
