#pragma once
#include <vector>

namespace kp {

// A playing field reduced to what the rules need: Lines 1..L, Cells 1..C, each Cell's
// sides in table order, each Line's Cells, and the identified partner of a Line on a
// joined edge (0 for none). Index 0 of every table is unused so numbers read as written.
struct BoardGraph {
  int lineCount = 0;
  int cellCount = 0;
  std::vector<std::vector<int>> cellSides;  // [cell] -> side Lines in table order
  std::vector<std::vector<int>> lineCells;  // [line] -> Cells the Line bounds
  std::vector<int> partner;                 // [line] -> identified Line or 0

  // Builds lineCells from cellSides and sizes the partner table (no partners).
  static BoardGraph fromCellSides(int lineCount, std::vector<std::vector<int>> cellSides);
  // Identifies a and b both ways.
  void join(int a, int b);
};

}  // namespace kp
