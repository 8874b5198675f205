#pragma once
#include <vector>

#include "core/board_graph.h"
#include "core/drawing.h"

namespace kp {

// A flat board of Cells as the square window's games see it: the beginner square, the
// larger squares, Our House and the torus. Each gives its graph (on a board with Planor
// and Globoria, the flat one and the one with opposite edges joined; elsewhere the same
// graph twice), its picture, the Lines Line Krunk must see claimed and the Lines each
// Super Krunk circle move claims.
class CellBoard {
 public:
  virtual ~CellBoard() = default;

  int lineCount() const { return graph(false).lineCount; }
  int cellCount() const { return graph(false).cellCount; }
  virtual const BoardGraph& graph(bool globoria) const = 0;
  virtual const BoardGeometry& geometry() const = 0;
  // The Lines a game of Line Krunk lasts until: those whose both end Dots lie inside the
  // board, off its outline.
  virtual const std::vector<int>& interiorLines() const = 0;
  // The Lines a Super Krunk circle move on cell k claims (with `plus`, Super Krunk Plus);
  // partners are not listed.
  virtual const std::vector<int>& superKrunkClaims(int k, bool globoria, bool plus) const = 0;
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
