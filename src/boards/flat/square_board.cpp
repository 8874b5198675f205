#include "boards/flat/square_board.h"

#include <map>
#include <memory>
#include <stdexcept>

namespace kp::square {

SquareBoard::SquareBoard(int n) : n_(n) {
  wraps_ = true;
  if (n < 2) throw std::invalid_argument("a square board needs at least 2 by 2 Cells");
  for (int b = 1; b < n; ++b)
    for (int i = 2; i < n; ++i) interior_.push_back(verticalLine(b, i));
  for (int b = 1; b < n; ++b)
    for (int i = 2; i < n; ++i) interior_.push_back(horizontalLine(b, i));

  for (bool g : {false, true})
    for (bool p : {false, true}) {
      auto& rows = claims_[g][p];
      rows.resize(std::size_t(cells()) + 1);
      for (int k = 1; k <= cells(); ++k)
        rows[std::size_t(k)] = gridSuperKrunk(
            n, n, (k - 1) / n + 1, (k - 1) % n + 1, g, p, [this](int b, int c) { return horizontalLine(b, c); },
            [this](int b, int r) { return verticalLine(b, r); });
    }

  std::vector<std::vector<int>> sides(std::size_t(cells()) + 1);
  for (int k = 1; k <= cells(); ++k) sides[std::size_t(k)] = {side(k, 1), side(k, 2), side(k, 3), side(k, 4)};
  graph_[0] = BoardGraph::fromCellSides(lines(), std::move(sides));
  graph_[1] = graph_[0];
  for (int l = 1; l <= lines(); ++l)
    if (int p = wrapPartner(l); p > l) graph_[1].join(l, p);

  constexpr double kStep = 100, kMargin = 40;
  auto dot = [](int col, int row) { return Point2{kMargin + col * kStep, kMargin + row * kStep}; };
  geometry_.width = geometry_.height = 2 * kMargin + n * kStep;
  geometry_.lines.resize(std::size_t(lines()) + 1);
  for (int b = 0; b <= n; ++b)
    for (int i = 1; i <= n; ++i) {
      geometry_.lines[std::size_t(verticalLine(b, i))] = {dot(b, i - 1), dot(b, i)};
      geometry_.lines[std::size_t(horizontalLine(b, i))] = {dot(i - 1, b), dot(i, b)};
    }
  geometry_.circles.resize(std::size_t(cells()) + 1);
  for (int r = 1; r <= n; ++r)
    for (int c = 1; c <= n; ++c)
      geometry_.circles[std::size_t(cellAt(r, c))] = {kMargin + (c - 0.5) * kStep, kMargin + (r - 0.5) * kStep};
  geometry_.circleRadius = 17;
  for (int row = 0; row <= n; ++row)
    for (int col = 0; col <= n; ++col) geometry_.dots.push_back(dot(col, row));
}

int SquareBoard::side(int k, int s) const {
  const int r = (k - 1) / n_ + 1;
  const int c = (k - 1) % n_ + 1;
  switch (s) {
    case 1:
      return horizontalLine(r - 1, c);
    case 2:
      return verticalLine(c, r);
    case 3:
      return horizontalLine(r, c);
    case 4:
      return verticalLine(c - 1, r);
    default:
      return 0;
  }
}

int SquareBoard::wrapPartner(int line) const {
  const int half = n_ * (n_ + 1);  // the vertical Lines, then as many horizontal ones
  const int within = (line - 1) % half + 1;
  if (line < 1 || line > lines()) return 0;
  if (within <= n_) return line + n_ * n_;      // left or top edge
  if (within > n_ * n_) return line - n_ * n_;  // right or bottom edge
  return 0;
}

std::vector<int> gridSuperKrunk(int rows, int cols, int r, int c, bool wrap, bool plus,
                                const std::function<int(int, int)>& hLine, const std::function<int(int, int)>& vLine) {
  // A row or column index as the grid has it: wrapped, or 0 when off it.
  auto on = [wrap](int i, int n) {
    if (i >= 1 && i <= n) return i;
    if (!wrap) return 0;
    return i < 1 ? i + n : i - n;
  };
  std::vector<int> out;
  for (int b : {r - 1, r})
    for (int col = c - 1; col <= c + 1; ++col)
      if (on(col, cols)) out.push_back(hLine(b, on(col, cols)));
  for (int b : {c - 1, c})
    for (int row = r - 1; row <= r + 1; ++row)
      if (on(row, rows)) out.push_back(vLine(b, on(row, rows)));
  if (plus) {
    if (int col = on(c - 1, cols)) out.push_back(vLine(col - 1, r));    // left side of the left neighbour
    if (int col = on(c + 1, cols)) out.push_back(vLine(col, r));        // right side of the right neighbour
    if (int row = on(r - 1, rows)) out.push_back(hLine(row - 1, c));  // top of the one above
    if (int row = on(r + 1, rows)) out.push_back(hLine(row, c));      // bottom of the one below
  }
  return out;
}

const SquareBoard& board(int n) {
  static std::map<int, std::unique_ptr<SquareBoard>> boards;
  auto& b = boards[n];
  if (!b) b = std::make_unique<SquareBoard>(n);
  return *b;
}

}  // namespace kp::square
