#include "core/launcher.h"

#include <cmath>

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

struct Game {
  int index;
  WindowKind window;
  int subLevel;   // written on launch when not -1 (only ever 1: Globoria)
  int wallLevel;  // written on launch when not 0
};
constexpr Game kGames[] = {
    {2, WindowKind::Square, -1, 0},        {3, WindowKind::Square, 1, 0},         {4, WindowKind::Triangular, -1, 0},
    {5, WindowKind::Triangular, 1, 0},     {6, WindowKind::LargeSquare, -1, 0},   {7, WindowKind::LargeSquare, 1, 0},
    {8, WindowKind::House, -1, 0},         {9, WindowKind::Torus, -1, 0},         {10, WindowKind::Torus, -1, 0},
    {30, WindowKind::Cube, -1, 0},         {31, WindowKind::Wall, -1, 1},         {32, WindowKind::Wall, -1, 2},
    {33, WindowKind::Wall, -1, 3},         {100, WindowKind::Tetrahedron, -1, 0}, {50, WindowKind::Wireframe, -1, 0},
    {51, WindowKind::Triangular4d, -1, 0}, {52, WindowKind::Quadrion, -1, 0},
};

const Game* gameAt(int index) {
  for (const auto& g : kGames)
    if (g.index == index) return &g;
  return nullptr;
}

// The names that take part in the hover highlight.
bool highlightable(int index) {
  return (index >= 2 && index <= 7) || (index >= 30 && index <= 33) || (index >= 50 && index <= 52) || index == 100;
}

}  // namespace

Launcher::Launcher() {
  auto add = [this](int index, const char* caption, Colour colour) { labels_[index] = {caption, colour, false}; };
  for (const auto& g : kGroups) add(g.header, g.preview, kHeaderColour);

  add(2, "Beginner's Planor", kName2d);
  add(3, "Beginner's Globoria", kName2d);
  add(4, " Krunk Delvo in Planor", kName2d);
  add(5, "Krunk Delvo in Globoria", kName2d);
  add(6, "Super Krunk Plus in Planor and Globoria", kName2d);
  add(7, "Triangular Globoria", kName2d);
  add(8, "  1: Our House", kName2d);
  add(9, " 2: Beyond Globoria (Torus)", kName2d);
  add(10, "Torus Ferris Donut Wheel", kName2d);  // never shown; opens the torus like 9
  add(11, "Formerly Secret levels:", kNoteColour);
  add(12, "New!", kNewRed);
  add(13, "Triangular Globoria", kName2d);
  add(14, "New!", kNewOrange);
  add(15, "New!", kNewRed);

  add(30, "Plexa Ultra Squared and Ultra Krunked", kName3d);
  add(31, "Krunk the Wall", kName3d);
  add(32, "Krunk a Bigger Wall", kName3d);
  add(33, "Krunk the Great Wall", kName3d);
  add(34, "New!", kNewRed);
  add(35, "New!", kNewOrange);
  add(36, "New!", kNewRed);
  add(37, "New!", kNewOrange);
  add(38, "New!", kNewRed);
  add(100, "Krunk Delvo", kName3d);
  add(101, "New!", kNewOrange);

  add(50, "Wire Frame", kName3d);
  add(51, "Krunk Delvo in 4D", kName3d);
  add(52, "Quadrion Krunk", kName3d);
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
  if (const Game* g = gameAt(index)) return g->window;
  return std::nullopt;
}

bool Launcher::clickable(int index) const {
  const LauncherLabel* l = label(index);
  if (!l || !l->visible) return false;
  for (const auto& g : kGroups)
    if (g.header == index) return l->caption == g.preview;
  return gameAt(index) != nullptr;
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

  const Game* g = gameAt(index);
  if (!g) return {};
  if (!available || !available(g->window))
    return {LaunchResult::Kind::NotInThisVersion, g->window,
            std::string(windowTitle(g->window)) + " is not in this version yet."};
  if (g->subLevel >= 0) program.subLevel = g->subLevel;
  if (g->wallLevel > 0) program.wallLevel = g->wallLevel;
  return {LaunchResult::Kind::Open, g->window};
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
