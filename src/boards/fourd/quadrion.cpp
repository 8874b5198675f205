#include "boards/fourd/quadrion.h"

#include <algorithm>
#include <set>

namespace kp {

namespace {

using Q = QuadrionBoard;

// The squares as the board numbers them, each with its Lines in stored order.
const std::vector<std::vector<int>> kSquareLines = {
    {},
    {1, 5, 7, 6},     {1, 3, 4, 2},     {5, 9, 11, 3},    {7, 9, 12, 8},    {6, 8, 10, 2},    {4, 11, 12, 10},
    {13, 17, 19, 18}, {13, 15, 16, 14}, {17, 21, 23, 15}, {19, 21, 24, 20}, {18, 20, 22, 14}, {16, 23, 24, 22},
    {25, 29, 31, 30}, {25, 27, 28, 26}, {29, 33, 35, 27}, {31, 33, 36, 32}, {30, 32, 34, 26}, {28, 35, 36, 34},
    {37, 41, 43, 42}, {37, 39, 40, 38}, {41, 45, 47, 39}, {43, 45, 48, 44}, {42, 44, 46, 38}, {40, 47, 48, 46},
    {25, 52, 37, 50}, {29, 56, 41, 52}, {31, 54, 43, 56}, {30, 50, 42, 54}, {27, 52, 39, 51}, {33, 55, 45, 56},
    {32, 53, 44, 54}, {26, 50, 38, 49}, {28, 51, 40, 49}, {35, 55, 47, 51}, {36, 53, 48, 55}, {34, 49, 46, 53},
    {37, 60, 13, 58}, {41, 64, 17, 60}, {43, 62, 19, 64}, {42, 58, 18, 62}, {39, 60, 15, 59}, {45, 63, 21, 64},
    {44, 61, 20, 62}, {38, 58, 14, 57}, {40, 59, 16, 57}, {47, 63, 23, 59}, {48, 61, 24, 63}, {46, 57, 22, 61},
    {13, 68, 1, 66},  {17, 72, 5, 68},  {19, 70, 7, 72},  {18, 66, 6, 70},  {15, 68, 3, 67},  {21, 71, 9, 72},
    {20, 69, 8, 70},  {14, 66, 2, 65},  {16, 67, 4, 65},  {23, 71, 11, 67}, {24, 69, 12, 71}, {22, 65, 10, 69},
    {1, 76, 25, 74},  {5, 80, 29, 76},  {7, 78, 31, 80},  {6, 74, 30, 78},  {3, 76, 27, 75},  {9, 79, 33, 80},
    {8, 77, 32, 78},  {2, 74, 26, 73},  {4, 75, 28, 73},  {11, 79, 35, 75}, {12, 77, 36, 79}, {10, 73, 34, 77},
};

// The twelve edges of a cube, by their place in its group: the corners they run between.
constexpr int kEdge[12][2] = {{2, 4}, {1, 2}, {3, 4}, {1, 3}, {4, 8}, {6, 2},
                              {8, 6}, {6, 5}, {8, 7}, {5, 1}, {3, 7}, {7, 5}};
// The cubes whose edges the four groups of cube edges are: Blue, Black, White, Red.
constexpr int kEdgeGroups[4] = {Q::Blue, Q::Black, Q::White, Q::Red};

std::set<int> linesOf(const std::vector<int>& squares) {
  std::set<int> out;
  for (int s : squares) out.insert(kSquareLines[std::size_t(s)].begin(), kSquareLines[std::size_t(s)].end());
  return out;
}

struct Cubes {
  std::vector<std::vector<int>> squares{{}}, lines{{}};
};

const Cubes& cubes() {
  static const Cubes table = [] {
    Cubes t;
    auto add = [&](std::vector<int> squares) {
      std::sort(squares.begin(), squares.end());
      const std::set<int> lines = linesOf(squares);
      t.squares.push_back(squares);
      t.lines.emplace_back(lines.begin(), lines.end());
    };
    auto within = [](int s, const std::vector<int>& lines) {
      const auto& own = kSquareLines[std::size_t(s)];
      return std::all_of(own.begin(), own.end(),
                         [&](int l) { return std::find(lines.begin(), lines.end(), l) != lines.end(); });
    };
    auto facesOf = [&](int ring) {
      std::vector<int> faces;
      for (int s = 1; s <= Q::kSquares; ++s)
        if (within(s, Q::edgesOf(ring))) faces.push_back(s);
      return faces;
    };
    for (int ring = Q::White; ring <= Q::Blue; ++ring) add(facesOf(ring));
    for (int ring = Q::White; ring <= Q::Blue; ++ring) {
      const int next = (ring + 1) % 4;
      std::vector<int> pair = Q::edgesOf(ring), joins = Q::joinsFrom(ring);
      for (int l : Q::edgesOf(next)) pair.push_back(l);
      for (int l : joins) pair.push_back(l);
      for (int face : facesOf(ring)) {
        // The face, the same face of the next cube, and the joining squares on its edges.
        std::vector<int> squares = {face};
        for (int s = 1; s <= Q::kSquares; ++s) {
          if (s == face || !within(s, pair)) continue;
          const auto& own = kSquareLines[std::size_t(s)];
          int shared = 0;
          for (int l : kSquareLines[std::size_t(face)]) shared += std::find(own.begin(), own.end(), l) != own.end();
          std::set<int> places;  // where its edges stand in their cubes
          for (int l : own)
            if (!Q::joining(l)) places.insert((l - 1) % 12);
          std::set<int> facePlaces;
          for (int l : kSquareLines[std::size_t(face)]) facePlaces.insert((l - 1) % 12);
          const bool sameFace = std::none_of(own.begin(), own.end(), [](int l) { return Q::joining(l); }) &&
                                places == facePlaces;
          const bool joins = std::any_of(own.begin(), own.end(), [](int l) { return Q::joining(l); });
          if ((joins && shared == 1) || sameFace) squares.push_back(s);
        }
        add(squares);
      }
    }
    return t;
  }();
  return table;
}

}  // namespace

const char* Q::name(int ring) {
  static const char* const names[4] = {"White", "Red", "Black", "Blue"};
  return names[ring];
}

Point4 Q::point(Corner c) {
  const int k = c.m - 1;
  return {double((k >> 1) & 1), double(k >> 2), double(k & 1), double(c.ring)};
}

int Q::ringOf(int line) { return joining(line) ? (line - 49) / 8 : kEdgeGroups[(line - 1) / 12]; }

std::array<Q::Corner, 2> Q::ends(int line) {
  const int ring = ringOf(line);
  if (joining(line)) {
    const int m = (line - 49) % 8 + 1;
    return {Corner{ring, m}, Corner{(ring + 1) % 4, m}};
  }
  const auto& e = kEdge[(line - 1) % 12];
  return {Corner{ring, e[0]}, Corner{ring, e[1]}};
}

std::vector<int> Q::edgesOf(int ring) {
  const int group = int(std::find(std::begin(kEdgeGroups), std::end(kEdgeGroups), ring) - std::begin(kEdgeGroups));
  std::vector<int> out;
  for (int k = 1; k <= 12; ++k) out.push_back(12 * group + k);
  return out;
}

std::vector<int> Q::joinsFrom(int ring) {
  std::vector<int> out;
  for (int m = 1; m <= 8; ++m) out.push_back(48 + 8 * ring + m);
  return out;
}

const std::vector<int>& Q::squareLines(int s) { return kSquareLines.at(std::size_t(s)); }
const std::vector<int>& Q::cubeSquares(int c) { return cubes().squares.at(std::size_t(c)); }
const std::vector<int>& Q::cubeLines(int c) { return cubes().lines.at(std::size_t(c)); }

BoardGraph Q::graph() { return BoardGraph::fromCellSides(kLines, kSquareLines); }

}  // namespace kp
