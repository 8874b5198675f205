#include "core/board_graph.h"

namespace kp {

BoardGraph BoardGraph::fromCellSides(int lineCount, std::vector<std::vector<int>> cellSides) {
  BoardGraph g;
  g.lineCount = lineCount;
  g.cellCount = int(cellSides.size()) - 1;
  g.cellSides = std::move(cellSides);
  g.lineCells.assign(lineCount + 1, {});
  g.partner.assign(lineCount + 1, 0);
  for (int c = 1; c <= g.cellCount; ++c)
    for (int line : g.cellSides[c]) g.lineCells[line].push_back(c);
  return g;
}

void BoardGraph::join(int a, int b) {
  partner[a] = b;
  partner[b] = a;
}

}  // namespace kp
