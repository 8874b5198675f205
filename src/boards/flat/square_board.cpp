#include "boards/flat/square_board.h"

#include <array>

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

namespace {

std::vector<int> workOutClaims(int k, bool globoria, bool plus) {
  const int r = (k - 1) / 5 + 1;
  const int c = (k - 1) % 5 + 1;
  // A row or column index 1..5 as the board has it: wrapped in Globoria, 0 when off it.
  auto on = [globoria](int i) {
    if (i >= 1 && i <= kSize) return i;
    if (!globoria) return 0;
    return i < 1 ? i + kSize : i - kSize;
  };
  std::vector<int> out;
  for (int b : {r - 1, r})
    for (int col = c - 1; col <= c + 1; ++col)
      if (on(col)) out.push_back(horizontalLine(b, on(col)));
  for (int b : {c - 1, c})
    for (int row = r - 1; row <= r + 1; ++row)
      if (on(row)) out.push_back(verticalLine(b, on(row)));
  if (plus) {
    if (int col = on(c - 1)) out.push_back(verticalLine(col - 1, r));  // left side of the left neighbour
    if (int col = on(c + 1)) out.push_back(verticalLine(col, r));      // right side of the right neighbour
    if (int row = on(r - 1)) out.push_back(horizontalLine(row - 1, c));  // top of the one above
    if (int row = on(r + 1)) out.push_back(horizontalLine(row, c));      // bottom of the one below
  }
  return out;
}

}  // namespace

const std::vector<int>& superKrunkClaims(int k, bool globoria, bool plus) {
  // [globoria][plus][cell]
  static const auto tables = [] {
    std::array<std::array<std::vector<std::vector<int>>, 2>, 2> t;
    for (bool g : {false, true})
      for (bool p : {false, true}) {
        auto& rows = t[g][p];
        rows.resize(kCells + 1);
        for (int cell = 1; cell <= kCells; ++cell) rows[std::size_t(cell)] = workOutClaims(cell, g, p);
      }
    return t;
  }();
  return tables[globoria][plus].at(std::size_t(k));
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
