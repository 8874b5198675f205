#include "boards/cube/wall_window.h"

#include <algorithm>
#include <array>

namespace kp {

namespace {

using cube::Dot3;

constexpr std::array<const char*, 3> kWallNames = {"Krunk the Wall", "Krunk a Bigger Wall", "Krunk the Great Wall"};
constexpr std::array<const char*, 3> kSubLevelCaptions = {"Krunk The Wall", "Krunk a Bigger Wall",
                                                          "Krunk the Great Wall"};

// The picture, in pixels, the same for every wall: the wall is drawn as large as it fits.
constexpr double kWidth = 720, kHeight = 560, kMargin = 40, kTop = 60, kLargestUnit = 190;
// The back face stands this far right and up of the front, in units of a Line: a thin wall
// seen a little from the right and above, every circle clear of every Line.
constexpr double kDepthRight = 0.31, kDepthUp = 0.35;
constexpr double kCircleWidth = 26, kCircleHeight = 19;

// Both buttons turn the wall half round: it has the two views only.
constexpr const char* kTurnTip =
    "Turn the wall half round about its upright axis: its front, or its back seen from the front";

int checkedLevel(int level) { return std::clamp(level, 1, 3); }

MenuEntry subLevelMenu() {
  MenuEntry sub{.id = "sub", .caption = "&Sub-Levels"};
  for (int level = 1; level <= 3; ++level)
    sub.children.push_back({.id = "sub." + std::to_string(level),
                            .caption = kSubLevelCaptions[std::size_t(level - 1)],
                            .checkable = true});
  return sub;
}

}  // namespace

// The cube's Game menu without its hidden "Play anyone anywhere", the About entry as the
// wall has always written it.
std::vector<MenuEntry> WallWindow::gameMenu() {
  std::vector<MenuEntry> game = spaceGameMenu();
  std::erase_if(game, [](const MenuEntry& e) { return e.id == "game.anywhere"; });
  for (MenuEntry& e : game)
    if (e.id == "game.about") e.caption = "&About,,,";
  return game;
}

std::pair<int, int> WallWindow::wallSize(int level) {
  constexpr std::array<std::pair<int, int>, 3> kSizes = {{{3, 2}, {4, 3}, {6, 4}}};
  return kSizes[std::size_t(checkedLevel(level) - 1)];
}

cube::Lattice WallWindow::wall(int level) {
  const auto [width, height] = wallSize(level);
  return cube::Lattice(width, 1, height);
}

WallWindow::WallWindow(Host& host, ProgramState& program)
    : CubeGamesWindow(host, program, WindowKind::Wall, wall(program.wallLevel),
                      {.game = gameMenu(), .subLevels = subLevelMenu(), .views = {kTurnTip, kTurnTip}}),
      level_(checkedLevel(program.wallLevel)) {
  addView(lattice().halfTurn());
  showLevel();
  chooseVariant(KrunkClassic);
  newGameKeepingOpener();
}

std::string WallWindow::caption() const {
  return std::string("Krunk Plexa 2014 in 3D  -  ") + kWallNames[std::size_t(level_ - 1)];
}

void WallWindow::showLevel() {
  for (int level = 1; level <= 3; ++level) menus_.at("sub." + std::to_string(level)).checked = level == level_;
}

void WallWindow::onMenu(const std::string& id) {
  const auto level = menuIndex(id, "sub.");
  if (!level) return CubeGamesWindow::onMenu(id);
  if (*level == level_) return;
  // Another wall between games: a fresh game on it, and the wall the next window opens on.
  level_ = program_.wallLevel = *level;
  showLevel();
  useLattice(wall(level_));
  addView(lattice().halfTurn());
  chooseVariant(variant());
  newGameKeepingOpener();
}

Scene WallWindow::scene() const {
  const cube::Lattice& l = lattice();
  const double across = l.a() + kDepthRight, down = l.c() + kDepthUp;
  const double unit = std::min({(kWidth - 2 * kMargin) / across, (kHeight - kTop - kMargin) / down, kLargestUnit});
  // The front face's top left Dot, with the wall centred in the picture.
  const double left = (kWidth - across * unit) / 2, top = kTop + (kHeight - kTop - kMargin - down * unit) / 2 +
                                                          kDepthUp * unit;
  return latticeScene({.at = [=](Dot3 d) {
                         return Point2{left + (d.x + kDepthRight * d.y) * unit, top + (d.z - kDepthUp * d.y) * unit};
                       },
                       .width = kWidth,
                       .height = kHeight,
                       .circleWidth = kCircleWidth,
                       .circleHeight = kCircleHeight,
                       .lineTargets = true,
                       .viewLabel = {kWidth / 2, 24}});
}

}  // namespace kp
