#pragma once

#include "boards/triangular/simplex4.h"
#include "boards/triangular/triangle_solid_window.h"

namespace kp {

// The 4D triangular window (Krunk Delvo in 4D): the four-dimensional tetrahedron with its
// edges halved (60 triangles), drawn turned in 4D and seen straight down onto a plane,
// in five views (its corners moved round their ring). The tetrahedron's games: Tolva on
// the Lines, the Krunk and Super Krunk games on the triangles.
class Triangular4dWindow : public TriangleSolidWindow {
 public:
  // Menu indices of the Games menu (1, 4 and 7 separators).
  enum Variant {
    Tolva = 0,
    KrunkClassic = 2,
    KrunkSet = 3,
    SuperClassic = 5,
    SuperSet = 6,
    KrunkMove = 8,
    SuperMove = 9,
  };

  Triangular4dWindow(Host& host, ProgramState& program);

  Scene scene() const override;
  int lineCount() const override { return simplex4::kLines; }
  int circleCount() const override { return simplex4::kTriangles; }

 protected:
  bool superKrunk() const override {
    return variant() == SuperClassic || variant() == SuperSet || variant() == SuperMove;
  }
  bool krunkMove() const override { return variant() == KrunkMove || variant() == SuperMove; }
  bool classic() const override { return variant() == KrunkClassic || variant() == SuperClassic; }
  void variantChosen() override {
    showMarkers();
    showMovesLeft();
  }

 private:
  BoardGraph graph_ = simplex4::graph();
};

}  // namespace kp
