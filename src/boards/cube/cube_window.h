#pragma once
#include <vector>

#include "boards/cube/cube_games_window.h"

namespace kp {

// The cube window: the lattice of 3 by 3 by 3 Dots (54 Lines, 36 squares, 8 unit cubes)
// drawn as one fixed oblique picture, seen in four views (quarter turns about the upright
// axis). Before a game is chosen it shows its design: Krunk, every square's mark.
class CubeWindow : public CubeGamesWindow {
 public:
  static constexpr int kLines = 54, kSquares = 36, kCubes = 8, kRegions = 98;

  CubeWindow(Host& host, ProgramState& program);

  Scene scene() const override;
  // Its cubes, and the Lines' click regions.
  void report(BoardReport& r) const override;

 private:
  std::vector<int> placeOfRegion_;  // [region] -> line place
};

}  // namespace kp
