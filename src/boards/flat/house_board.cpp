#include "boards/flat/house_board.h"

#include <algorithm>
#include <map>
#include <utility>

namespace kp {

namespace {

// Corners in whole units: x from 0 to 6 left to right, y from -3 (the peak) down to 4 (the
// ground).
using Corner = std::pair<int, int>;
struct Piece {
  std::vector<Corner> corners;
  HouseBoard::Part part;
};

std::vector<Piece> pieces() {
  using P = HouseBoard::Part;
  std::vector<Piece> out;
  auto square = [&](int x, int y, P part) { out.push_back({{{x, y}, {x + 1, y}, {x + 1, y + 1}, {x, y + 1}}, part}); };
  auto triangle = [&](Corner a, Corner b, Corner c) { out.push_back({{a, b, c}, P::Roof}); };
  // The walls, windows in the middle row at either end, the doorway left out.
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x)
      if (!(y >= 2 && (x == 2 || x == 3))) square(x, y, y == 1 && (x == 0 || x == 5) ? P::Window : P::Wall);
  // The roof, row by row from the eaves: squares cut along the slope above them.
  triangle({0, 0}, {1, 0}, {1, -1});
  for (int x : {1, 2}) {
    triangle({x, 0}, {x + 1, 0}, {x + 1, -1});
    triangle({x, 0}, {x, -1}, {x + 1, -1});
  }
  for (int x : {3, 4}) {
    triangle({x, 0}, {x + 1, 0}, {x, -1});
    triangle({x, -1}, {x + 1, -1}, {x + 1, 0});
  }
  triangle({5, 0}, {6, 0}, {5, -1});
  triangle({1, -1}, {2, -1}, {2, -2});
  triangle({2, -1}, {3, -1}, {3, -2});
  triangle({2, -1}, {2, -2}, {3, -2});
  triangle({3, -1}, {4, -1}, {3, -2});
  triangle({3, -2}, {4, -2}, {4, -1});
  triangle({2, -2}, {3, -2}, {3, -3});
  triangle({3, -2}, {4, -2}, {3, -3});
  // The chimney, where the roof's last triangle on the right would be, and one above.
  square(4, -2, P::Chimney);
  square(4, -3, P::Chimney);
  return out;
}

constexpr double kStep = 100, kMargin = 40;
Point2 at(Corner c) { return {kMargin + c.first * kStep, kMargin + (c.second + 3) * kStep}; }

}  // namespace

HouseBoard::HouseBoard() {
  std::vector<Piece> cells = pieces();
  // Reading order: by the row the Cell's top lies on, then by its middle from the left.
  auto top = [](const Piece& p) {
    return std::min_element(p.corners.begin(), p.corners.end(), [](Corner a, Corner b) { return a.second < b.second; })->second;
  };
  auto middle = [](const Piece& p) {
    double x = 0;
    for (Corner c : p.corners) x += c.first;
    return x / double(p.corners.size());
  };
  std::stable_sort(cells.begin(), cells.end(), [&](const Piece& a, const Piece& b) {
    return top(a) != top(b) ? top(a) < top(b) : middle(a) < middle(b);
  });

  // The Lines: every side once, read by its middle (doubled to stay whole).
  using Side = std::pair<Corner, Corner>;
  auto sideOf = [](Corner a, Corner b) { return a < b ? Side{a, b} : Side{b, a}; };
  std::vector<Side> sides;
  for (const Piece& p : cells)
    for (std::size_t i = 0; i < p.corners.size(); ++i) sides.push_back(sideOf(p.corners[i], p.corners[(i + 1) % p.corners.size()]));
  std::sort(sides.begin(), sides.end());
  sides.erase(std::unique(sides.begin(), sides.end()), sides.end());
  auto midKey = [](const Side& s) {
    return std::pair{s.first.second + s.second.second, s.first.first + s.second.first};
  };
  std::sort(sides.begin(), sides.end(), [&](const Side& a, const Side& b) { return midKey(a) < midKey(b); });
  std::map<Side, int> number;
  for (std::size_t i = 0; i < sides.size(); ++i) number[sides[i]] = int(i) + 1;

  std::vector<std::vector<int>> cellSides(cells.size() + 1);
  parts_.assign(cells.size() + 1, Part::Wall);
  outlines_.assign(cells.size() + 1, {});
  geometry_.circles.assign(cells.size() + 1, {});
  for (std::size_t k = 0; k < cells.size(); ++k) {
    const Piece& p = cells[k];
    Point2 centre;
    for (std::size_t i = 0; i < p.corners.size(); ++i) {
      cellSides[k + 1].push_back(number.at(sideOf(p.corners[i], p.corners[(i + 1) % p.corners.size()])));
      outlines_[k + 1].push_back(at(p.corners[i]));
      centre.x += at(p.corners[i]).x / double(p.corners.size());
      centre.y += at(p.corners[i]).y / double(p.corners.size());
    }
    parts_[k + 1] = p.part;
    geometry_.circles[k + 1] = centre;
  }
  graph_[0] = BoardGraph::fromCellSides(int(sides.size()), std::move(cellSides));

  geometry_.width = 2 * kMargin + 6 * kStep;
  geometry_.height = 2 * kMargin + 7 * kStep;
  geometry_.circleRadius = 14;  // small enough for the roof's triangles
  geometry_.lines.assign(sides.size() + 1, {});
  std::vector<Corner> dots;
  for (const Side& s : sides) {
    geometry_.lines[std::size_t(number.at(s))] = {at(s.first), at(s.second)};
    dots.push_back(s.first);
    dots.push_back(s.second);
  }
  std::sort(dots.begin(), dots.end());
  dots.erase(std::unique(dots.begin(), dots.end()), dots.end());
  for (Corner d : dots) geometry_.dots.push_back(at(d));
  door_ = {at({2, 2}), at({4, 2}), at({4, 4}), at({2, 4})};

  interior_ = linesOffTheOutline(graph_[0], geometry_);
  for (bool plus : {false, true}) {
    claims_[0][plus].assign(cells.size() + 1, {});
    for (int k = 1; k <= graph_[0].cellCount; ++k) claims_[0][plus][std::size_t(k)] = superKrunkByShape(graph_[0], geometry_, k, plus);
  }
}

const HouseBoard& house() {
  static const HouseBoard board;
  return board;
}

}  // namespace kp
