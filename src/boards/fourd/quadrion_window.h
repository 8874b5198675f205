#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "boards/fourd/quadrion.h"
#include "core/game_controller.h"
#include "core/line_game.h"

namespace kp {

// The Quadrion Krunk window: the ring of four tesseracts in eight figures, the four cubes
// ("Outer White cube" ...) and the four tesseracts of neighbours ("Inside White cube" ...,
// each the cube with its neighbour inside and the eight Lines joining them). Every game is
// played on the Lines but Plexa (Squares), played on the squares' circles.
class QuadrionWindow : public GameController {
 public:
  enum Variant {
    Tolva = 0,
    Duarn = 1,
    PlexaLines = 2,
    KrunkClassic = 3,
    KrunkSetCount = 4,
    KrunkMove = 5,
    LineKrunk = 6,
    PlexaSquares = 7,
    SuperClassic = 8,
    SuperSetCount = 9,
    SuperKrunkMove = 10,
    LineKrunkMove = 11,
  };
  static constexpr int kLines = QuadrionBoard::kLines, kSquares = QuadrionBoard::kSquares,
                       kCubes = QuadrionBoard::kCubes;

  QuadrionWindow(Host& host, ProgramState& program);

  Scene scene() const override;
  int lineCount() const override { return kLines; }
  int circleCount() const override { return kSquares; }
  std::pair<int, int> pointsOnBoard() const override;
  std::optional<std::string> movesLeftOnBoard() const override;
  std::optional<std::pair<int, int>> secondScore() const override;
  std::vector<int> cubeOwners() const override;

 protected:
  void onLineClick(int n) override;
  void onCircleClick(int s) override;
  void onMenu(const std::string& id) override;
  void openGame() override;
  void variantChosen() override;
  bool variantRefused(const VariantEntry& v) override;
  void computerTurn() override;

 private:
  bool superKrunk() const { return variant() >= SuperClassic && variant() <= SuperKrunkMove; }
  // The Krunk games on the Lines: a square a move completes is painted in the mover's colour.
  bool krunk() const { return (variant() >= KrunkClassic && variant() <= KrunkMove) || superKrunk(); }
  bool lineKrunk() const { return variant() == LineKrunk || variant() == LineKrunkMove; }
  bool krunkMove() const { return variant() == KrunkMove || variant() == SuperKrunkMove || variant() == LineKrunkMove; }
  bool byColour() const { return krunk() || lineKrunk(); }
  LineGame::CellCount cellCount() const;

  ColourCircles colourCircles() const override;
  void addCircleLines(int s, std::vector<int>& lines) const override {
    const std::vector<int>& sides = QuadrionBoard::squareLines(s);
    lines.insert(lines.end(), sides.begin(), sides.end());
  }
  void showMovesLeft() override;
  int movesLeft() const;

  void playLine(int line, Player mover);
  // The Krunk games' capture: every square the move completed, and in Super Krunk Plus
  // every cube, painted in the mover's colour.
  void capture(Player mover, int line);
  void playLastLine();
  void computerLine();
  void computerCircle();

  BoardGraph graph_ = QuadrionBoard::graph();
  int cubeTable_ = 0;
  std::vector<char> capturedSquare_, capturedCube_;
};

}  // namespace kp
