#pragma once
#include <string>

#include "boards/cube/cube_games_window.h"

namespace kp {

// The wall window: the cube window's games on a wall one cube thick, 3 cubes wide by 2
// high (Krunk the Wall), 4 by 3 (a Bigger Wall) or 6 by 4 (the Great Wall), chosen by
// WallLevel when it loads and in its Sub-Levels menu between games. Two views: the front,
// and the back seen from the front (the half turn about the upright axis).
class WallWindow : public CubeGamesWindow {
 public:
  WallWindow(Host& host, ProgramState& program);

  Scene scene() const override;
  std::string caption() const override;
  int level() const { return level_; }

  // A wall's size in cubes (width, height) for WallLevel 1..3; the smallest outside them.
  static std::pair<int, int> wallSize(int level);

 protected:
  void onMenu(const std::string& id) override;

 private:
  void showLevel();
  static cube::Lattice wall(int level);
  static std::vector<MenuEntry> gameMenu();

  int level_;
};

}  // namespace kp
