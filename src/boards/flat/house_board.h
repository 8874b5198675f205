#pragma once
#include <vector>

#include "boards/flat/cell_board.h"

namespace kp {

// Our House: walls of square Cells, 6 wide and 4 high, with a door 2 Cells wide and 2 high
// missing at the bottom middle, under a gable roof of 17 triangle Cells (its slopes at 45
// degrees, the peak 3 Cells above the walls) with a chimney of two square Cells standing
// on its right slope: 39 Cells. Cells and Lines are numbered in reading order: by rows
// from the top, left to right within a row (a Line by its middle).
class HouseBoard : public CellBoard {
 public:
  // What a Cell is part of, for its shading.
  enum class Part { Roof, Chimney, Wall, Window };

  HouseBoard();


  Part part(int cell) const { return parts_.at(std::size_t(cell)); }
  // Cell k's corners in the picture, in order round it.
  const std::vector<Point2>& outline(int cell) const { return outlines_.at(std::size_t(cell)); }
  // The doorway: the gap in the walls, in the picture.
  const std::vector<Point2>& door() const { return door_; }

 private:
  std::vector<Part> parts_;
  std::vector<std::vector<Point2>> outlines_;
  std::vector<Point2> door_;
};

const HouseBoard& house();

}  // namespace kp
