#pragma once
#include <string>

#include "boards/triangular/tetrahedron.h"
#include "boards/triangular/triangle_solid_window.h"

namespace kp {

// The tetrahedron window (Krunk Delvo in 3D): the solid with its edges halved, on the Easy
// board (20 triangles) or the Full board (36, the mirror half added), seen in three views
// (third turns). Tolva is played on the Lines, the Krunk and Super Krunk games on the
// triangles.
class TetrahedronWindow : public TriangleSolidWindow {
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

 protected:
  void onBoardMenu(const std::string& id) override;
  void variantChosen() override;
  void openGame() override;
  // Sub-levels, Games and Options open again once a game is over (Other Games waits for
  // New game): a game chosen then shows its board over the finished one.
  void gameFinished() override;
  int linesShown() const override;
  int trianglesShown() const override;
  bool superKrunk() const override;
  bool krunkMove() const override;
  bool classic() const override;

 private:
  static bool fullGame(int index);
  void showLevel(bool full);
  void useBoard(bool full);

  BoardGraph easy_ = tetrahedron::graph(false);
  BoardGraph fullGraph_ = tetrahedron::graph(true);
  bool full_ = false;  // the board played (the board of the game chosen from New game on)
};

}  // namespace kp
