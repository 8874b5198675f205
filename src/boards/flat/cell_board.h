#pragma once
#include <vector>

#include "core/board_graph.h"
#include "core/drawing.h"

namespace kp {

// A flat board of Cells as the square window's games see it: the beginner square, the
// larger squares, Our House and the torus. Each board fills in its graph (on a board with
// Planor and Globoria, the flat one and the one with opposite edges joined), its picture,
// the Lines Line Krunk must see claimed and the Lines each Super Krunk circle move claims.
class CellBoard {
 public:
  int lineCount() const { return graph_[0].lineCount; }
  int cellCount() const { return graph_[0].cellCount; }
  // Planor, or Globoria where the board has it (elsewhere the one graph it has).
  const BoardGraph& graph(bool globoria) const { return graph_[level(globoria)]; }
  // Where the pieces are drawn.
  const BoardGeometry& geometry() const { return geometry_; }
  // The Lines a game of Line Krunk lasts until: those whose both end Dots lie inside the
  // board, off its outline.
  const std::vector<int>& interiorLines() const { return interior_; }
  // The Lines a Super Krunk circle move on cell k claims (with `plus`, Super Krunk Plus);
  // partners are not listed.
  const std::vector<int>& superKrunkClaims(int k, bool globoria, bool plus) const {
    return claims_[level(globoria)][plus].at(std::size_t(k));
  }

 protected:
  std::size_t level(bool globoria) const { return globoria && wraps_ ? 1 : 0; }

  bool wraps_ = false;  // the board has a Globoria
  BoardGraph graph_[2];
  BoardGeometry geometry_;
  std::vector<int> interior_;
  std::vector<std::vector<int>> claims_[2][2];  // [globoria][plus][cell]
};

// For any board drawn with straight Lines: the Lines none of whose end Dots is an end of a
// Line that lies in one Cell only (on a board without an outline, every Line).
std::vector<int> linesOffTheOutline(const BoardGraph& graph, const BoardGeometry& geometry);

// The Super Krunk claims of Cell k read from the picture, for boards with Cells of any
// shape: each side with the Line that continues it straight on past either end; with
// `plus`, also every neighbour's side parallel to the side they share (a square's far
// side; a triangle has none).
std::vector<int> superKrunkByShape(const BoardGraph& graph, const BoardGeometry& geometry, int k, bool plus);

}  // namespace kp
