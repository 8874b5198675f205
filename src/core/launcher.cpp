#include "core/launcher.h"

#include <cmath>

#include "core/window_catalogue.h"

namespace kp {

namespace {

// The group headers: a preview caption until the first click, then the group's own.
struct Group {
  int header;
  const char* preview;
  const char* expanded;
  int ranges[2][2];  // inclusive index ranges shown by the first click; {0, -1} is empty
};
constexpr Group kGroups[] = {
    {Launcher::kHeader2d,
     "Krunk Planor Plexa 2014 - click here to preview the 2D games",
     "Krunk Planor Plexa 2014 in 2D",
     {{2, 9}, {11, 17}}},
    {Launcher::kHeader3d,
     "Krunk Plexa 2014 - click here to preview the 3D games",
     "Krunk Plexa in 3D",
     {{30, 40}, {100, 101}}},
    {Launcher::kHeader4d,
     "Krunk Quadrion Plexa 2014 - click here to preview more levels in 4D",
     "Krunk Quadrion Plexa 2014 in 4D",
     {{49, 57}, {0, -1}}},
};

// The launcher label `index` that opens a window, with its row.
struct Game {
  const LauncherGame* label = nullptr;
  WindowKind window = WindowKind::Square;
};
Game gameAt(int index) {
  for (const WindowEntry& row : windowCatalogue())
    for (const LauncherGame& g : row.launcher)
      if (g.index == index) return {&g, row.kind};
  return {};
}

// The names that take part in the hover highlight.
bool highlightable(int index) {
  const Game g = gameAt(index);
  return g.label && g.label->highlights;
}

}  // namespace

Launcher::Launcher() {
  auto add = [this](int index, const char* caption, Colour colour) { labels_[index] = {caption, colour, false}; };
  for (const auto& g : kGroups) add(g.header, g.preview, kHeaderColour);

  // The game names come with their windows; the notes and markers stand between them.
  for (const WindowEntry& row : windowCatalogue())
    for (const LauncherGame& g : row.launcher) {
      add(g.index, g.caption, row.dimensions == 2 ? kName2d : kName3d);
      labels_[g.index].tip = g.tip;
    }
  add(11, "Formerly Secret levels:", kNoteColour);
  add(12, "New!", kNewRed);
  add(13, "Triangular Globoria", kName2d);
  add(14, "New!", kNewOrange);
  add(15, "New!", kNewRed);

  add(34, "New!", kNewRed);
  add(35, "New!", kNewOrange);
  add(36, "New!", kNewRed);
  add(37, "New!", kNewOrange);
  add(38, "New!", kNewRed);
  add(101, "New!", kNewOrange);

  add(53, "(for last 2, screen minimum is 1280 x 768 but higher needed to play all games)", kNoteColour);
  add(54, "New!", kNewRed);
  add(55, "New!", kNewOrange);

  add(kInstruction, "Click the name of a game to Quick-Launch it", kInstructionColour);

  for (int shown : {kHeader2d, kHeader3d, kHeader4d, kInstruction}) labels_[shown].visible = true;
}

const LauncherLabel* Launcher::label(int index) const {
  auto it = labels_.find(index);
  return it == labels_.end() ? nullptr : &it->second;
}

std::optional<WindowKind> Launcher::target(int index) const {
  if (const Game g = gameAt(index); g.label) return g.window;
  return std::nullopt;
}

bool Launcher::clickable(int index) const {
  const LauncherLabel* l = label(index);
  if (!l || !l->visible) return false;
  for (const auto& g : kGroups)
    if (g.header == index) return l->caption == g.preview;
  return gameAt(index).label != nullptr;
}

LaunchResult Launcher::click(int index, ProgramState& program, const std::function<bool(WindowKind)>& available) {
  const LauncherLabel* l = label(index);
  if (!l || !l->visible) return {};

  for (const auto& g : kGroups) {
    if (g.header != index) continue;
    // Only the preview caption opens the group, so a second click finds the new one and does nothing.
    if (l->caption != g.preview) return {};
    labels_[index].caption = g.expanded;
    for (const auto& r : g.ranges)
      for (int i = r[0]; i <= r[1]; ++i)
        if (auto it = labels_.find(i); it != labels_.end()) it->second.visible = true;
    return {LaunchResult::Kind::Expanded};
  }

  const Game g = gameAt(index);
  if (!g.label) return {};
  if (!available || !available(g.window))
    return {LaunchResult::Kind::NotInThisVersion, g.window,
            std::string(windowTitle(g.window)) + " is not in this version yet."};
  if (g.label->subLevel >= 0) program.subLevel = g.label->subLevel;
  if (g.label->wallLevel > 0) program.wallLevel = g.label->wallLevel;
  return {LaunchResult::Kind::Open, g.window};
}

bool Launcher::hover(int index) {
  const LauncherLabel* l = label(index);
  if (!l || !l->visible || !highlightable(index) || hover_ == index) return false;
  for (auto& [i, label] : labels_)
    if (highlightable(i)) label.colour = kName3d;
  labels_[index].colour = kHighlight;
  hover_ = index;
  return true;
}

RingAnimation::RingAnimation() {
  rings_ = {{
      {0, 90, 0, 0x8080FF},
      {90, 90, 0, 0xFFFF},
      {90, 90, 90, 0xFF8080},
      {135, 90, 0, 0xC000},
  }};
}

double RingAnimation::radians(double degrees) {
  static const double pi = 4 * std::atan(1.0);
  return degrees * pi / 180;
}

void RingAnimation::tick() {
  for (auto& r : rings_) {
    const float turned = r.a + 1;
    const float whole = std::trunc(turned);
    r.a = float(std::fmod(whole, 360.0f)) + (turned - whole);
  }
}

std::array<Point2, RingAnimation::kPointCount> RingAnimation::points(int i, int cx, int cy) const {
  const Ring& r = rings_.at(std::size_t(i));
  const double ca = std::cos(radians(r.a)), sa = std::sin(radians(r.a));
  const double cb = std::cos(radians(r.b)), sb = std::sin(radians(r.b));
  std::array<Point2, kPointCount> out;
  for (int k = 0; k < kPointCount; ++k) {
    const double t = radians(k * kStepDegrees);
    const double x = kRadius * std::cos(t), y = kRadius * std::sin(t);
    out[std::size_t(k)] = {cx + x * ca + y * cb, cy - (x * sa + y * sb)};
  }
  return out;
}

}  // namespace kp
