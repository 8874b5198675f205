#pragma once
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "boards/cube/lattice.h"
#include "core/game_controller.h"
#include "core/line_game.h"

namespace kp {

// The cube window: the lattice of 3 by 3 by 3 Dots (54 Lines, 36 squares, 8 unit cubes)
// drawn as one fixed oblique picture, seen in four views (quarter turns about the upright
// axis). Line games (Tolva, Line Krunk) are played on the Lines, circle games (Plexa on
// squares, the Krunk and Super Krunk Plus games) on the squares' circles; a cube whose
// squares are all played settles for one player.
class CubeWindow : public GameController {
 public:
  // Menu indices of the Games menu (6, 10, 13 and 16 are separators; 2, 4 and 5 hidden).
  enum Variant {
    Tolva = 1,
    PlexaLines = 2,
    PlexaSquares = 3,
    LineKrunk = 7,
    KrunkClassic = 8,
    KrunkSetCount = 9,
    SuperClassic = 11,
    SuperSetCount = 12,
    KrunkMove = 14,
    SuperKrunkMove = 15,
    LineKrunkMove = 17,
  };
  static constexpr int kLines = 54, kSquares = 36, kCubes = 8, kRegions = 98;

  CubeWindow(Host& host, ProgramState& program);

  Scene scene() const override;
  int lineCount() const override { return kLines; }
  int circleCount() const override { return kSquares; }
  std::pair<int, int> pointsOnBoard() const override;
  std::optional<std::string> movesLeftOnBoard() const override;
  std::optional<std::pair<int, int>> secondScore() const override;
  std::vector<int> cubeOwners() const override;
  int clickRegionCount() const override { return kRegions; }
  Target clickRegion(int n) const override;

 protected:
  void onLineClick(int n) override;
  void onCircleClick(int s) override;
  void onMenu(const std::string& id) override;
  void onControl(const Control& c) override;
  void openGame() override;
  void variantChosen() override;
  void computerTurn() override;

 private:
  bool lineGame() const { return !circleVariant(); }
  bool superKrunk() const { return variant() == SuperClassic || variant() == SuperSetCount || variant() == SuperKrunkMove; }
  bool krunkMove() const { return variant() == KrunkMove || variant() == SuperKrunkMove || variant() == LineKrunkMove; }
  bool lineKrunk() const { return variant() == LineKrunk || variant() == LineKrunkMove; }
  // The games judged by the colours of the Lines (the Krunk families).
  bool colourGame() const { return lineKrunk() || (circleVariant() && variant() != PlexaSquares); }
  LineGame::CellCount cellCount() const;
  // The squares a circle move on square s claims: s, and in Super Krunk Plus the two of its
  // group of four that share a Line with it.
  std::vector<int> claimedSquares(int s) const;

  ColourCircles colourCircles() const override;
  std::vector<int> circleLines(int s) const override;
  void afterCircle(Player scorer) override { settleCubes(scorer); }
  void showMovesLeft() override;
  void playLine(int n, Player mover);
  // Tolva: the rules' completion; Line Krunk: the colours.
  void evaluateLine(Player mover, int line);
  // Every cube played out and not settled yet settles: for the player holding more of its
  // squares, on a tie for `tie`; its Lines are redrawn in that player's colour.
  void settleCubes(std::optional<Player> tie);
  int movesLeft() const;
  void computerLine();
  void computerCircle();

  cube::Lattice lattice_{2, 2, 2};
  BoardGraph graph_;
  std::array<int, kCubes + 1> settled_{};  // [cube] -> 0 not yet, 1 Red, 2 Blue, 3 nobody
  std::vector<int> placeOfRegion_;              // [region] -> line place
  bool designShown_ = true;  // no game chosen or begun yet: the window as designed
};

}  // namespace kp
