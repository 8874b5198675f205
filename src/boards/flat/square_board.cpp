#include "boards/flat/square_board.h"

namespace kp::square {

int side(int k, int s) {
  const int r = (k - 1) / 5 + 1;
  const int c = (k - 1) % 5 + 1;
  switch (s) {
    case 1: return 30 + k;
    case 2: return 5 * c + r;
    case 3: return 35 + k;
    case 4: return 5 * (c - 1) + r;
    default: return 0;
  }
}

int wrapPartner(int line) {
  if ((line >= 1 && line <= 5) || (line >= 31 && line <= 35)) return line + 25;
  if ((line >= 26 && line <= 30) || (line >= 56 && line <= 60)) return line - 25;
  return 0;
}

BoardGraph graph(bool globoria) {
  std::vector<std::vector<int>> sides(kCells + 1);
  for (int k = 1; k <= kCells; ++k) sides[k] = {side(k, 1), side(k, 2), side(k, 3), side(k, 4)};
  BoardGraph g = BoardGraph::fromCellSides(kLines, std::move(sides));
  if (globoria)
    for (int l = 1; l <= kLines; ++l)
      if (int p = wrapPartner(l); p > l) g.join(l, p);
  return g;
}

BoardGeometry geometry() {
  constexpr double kStep = 100, kMargin = 40;
  auto dot = [](int col, int row) { return Point2{kMargin + col * kStep, kMargin + row * kStep}; };
  BoardGeometry geo;
  geo.width = geo.height = 2 * kMargin + kSize * kStep;
  geo.lines.resize(kLines + 1);
  for (int b = 0; b <= kSize; ++b)
    for (int i = 1; i <= kSize; ++i) {
      geo.lines[verticalLine(b, i)] = {dot(b, i - 1), dot(b, i)};
      geo.lines[horizontalLine(b, i)] = {dot(i - 1, b), dot(i, b)};
    }
  geo.circles.resize(kCells + 1);
  for (int r = 1; r <= kSize; ++r)
    for (int c = 1; c <= kSize; ++c)
      geo.circles[cellAt(r, c)] = {kMargin + (c - 0.5) * kStep, kMargin + (r - 0.5) * kStep};
  geo.circleRadius = 17;
  for (int row = 0; row <= kSize; ++row)
    for (int col = 0; col <= kSize; ++col) geo.dots.push_back(dot(col, row));
  return geo;
}

}  // namespace kp::square
