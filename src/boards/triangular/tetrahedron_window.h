#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "boards/triangular/tetrahedron.h"
#include "core/game_controller.h"
#include "core/line_game.h"

namespace kp {

// The tetrahedron window (Krunk Delvo in 3D): the solid with its edges halved, on the Easy
// board (20 triangles) or the Full board (36, the mirror half added), seen in three views
// (third turns). Tolva is played on the Lines, the Krunk and Super Krunk games on the
// triangles.
class TetrahedronWindow : public GameController {
 public:
  // Menu indices of the Games menu (1 and 3 hidden; 4, 7, 10, 13, 16, 19 separators).
  enum Variant {
    TolvaEasy = 0,
    TolvaFull = 2,
    KrunkClassicEasy = 5,
    KrunkSetEasy = 6,
    KrunkClassicFull = 8,
    KrunkSetFull = 9,
    SuperClassicEasy = 11,
    SuperSetEasy = 12,
    SuperClassicFull = 14,
    SuperSetFull = 15,
    KrunkMoveEasy = 17,
    KrunkMoveFull = 18,
    SuperMoveEasy = 20,
    SuperMoveFull = 21,
  };

  TetrahedronWindow(Host& host, ProgramState& program);

  Scene scene() const override;
  int lineCount() const override { return full_ ? tetrahedron::kFullLines : tetrahedron::kEasyLines; }
  int circleCount() const override { return full_ ? tetrahedron::kFullTriangles : tetrahedron::kEasyTriangles; }
  std::pair<int, int> pointsOnBoard() const override;
  std::optional<std::string> movesLeftOnBoard() const override;

  // The Lines a triangle move on triangle t claims: its three, and in Super Krunk the far
  // half of every edge of the solid that one of them is half of.
  std::vector<int> claimedLines(int t) const;

 protected:
  void onLineClick(int n) override;
  void onCircleClick(int t) override;
  void onMenu(const std::string& id) override;
  void onControl(const Control& c) override;
  void openGame() override;
  void variantChosen() override;
  void computerTurn() override;

 private:
  static bool fullGame(int index);
  bool superKrunk() const;
  bool krunkMove() const;
  bool classic() const;
  void showLevel(bool full);
  void useBoard(bool full);

  ColourCircles colourCircles() const override;
  std::vector<int> circleLines(int t) const override { return claimedLines(t); }
  void showMovesLeft() override;
  void playLine(int n, Player mover);
  int movesLeft() const;
  void computerLine();
  void computerTriangle();

  BoardGraph easy_ = tetrahedron::graph(false);
  BoardGraph fullGraph_ = tetrahedron::graph(true);
  bool full_ = false;
};

}  // namespace kp
