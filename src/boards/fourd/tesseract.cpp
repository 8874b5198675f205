#include "boards/fourd/tesseract.h"

#include <algorithm>
#include <stdexcept>

namespace kp {

namespace {

using T = TesseractBoard;
enum : int { Black = 1, Red, Yellow, Green, Magenta, LightBlue, White, Blue };

const T::CubeInfo kCubeInfo[T::kCubes + 1] = {
    {},
    {"black", "Black", 0, 8, false, 2, -1},
    {"red", "Red", 255, 2, true, 1, 1},
    {"yellow", "Yellow", 65535, 1, true, 0, 1},
    {"green", "Green", 65280, 5, false, 3, -1},
    {"mag", "Magenta", 16711935, 3, false, 0, -1},
    {"lblue", "Light Blue", 16776960, 7, true, 3, 1},
    {"white", "White", 16777215, 6, true, 2, 1},
    {"blue", "Blue", 16711680, 4, false, 1, -1},
};

const std::vector<std::vector<int>> kCubeLines = {
    {},
    {1, 2, 3, 4, 8, 26, 27, 28, 22, 25, 29, 30},
    {1, 2, 3, 4, 31, 5, 6, 7, 10, 11, 12, 32},
    {1, 26, 28, 29, 31, 6, 23, 21, 32, 16, 9, 19},
    {3, 8, 22, 28, 7, 20, 21, 31, 9, 10, 17, 18},
    {2, 8, 25, 27, 5, 7, 20, 24, 11, 13, 15, 17},
    {4, 27, 26, 30, 5, 6, 23, 24, 12, 13, 14, 16},
    {10, 11, 12, 32, 9, 13, 16, 17, 14, 15, 18, 19},
    {14, 15, 18, 19, 20, 21, 23, 24, 25, 22, 29, 30},
};

struct SquareRow {
  std::vector<int> lines;
  std::array<int, 2> cubes;
};
const std::vector<SquareRow> kSquareRows = {
    {},
    {{1, 26, 29, 28}, {Black, Yellow}},      {{4, 27, 30, 26}, {Black, LightBlue}},
    {{2, 8, 25, 27}, {Black, Magenta}},      {{3, 28, 22, 8}, {Black, Green}},
    {{1, 2, 3, 4}, {Black, Red}},            {{22, 29, 30, 25}, {Black, Blue}},
    {{32, 16, 19, 9}, {Yellow, White}},      {{16, 12, 13, 14}, {LightBlue, White}},
    {{11, 17, 15, 13}, {Magenta, White}},    {{10, 9, 18, 17}, {Green, White}},
    {{32, 10, 11, 12}, {Red, White}},        {{19, 18, 15, 14}, {White, Blue}},
    {{3, 7, 10, 31}, {Red, Green}},          {{7, 2, 5, 11}, {Red, Magenta}},
    {{5, 4, 6, 12}, {Red, LightBlue}},       {{6, 1, 31, 32}, {Red, Yellow}},
    {{21, 18, 20, 22}, {Green, Blue}},       {{20, 15, 24, 25}, {Magenta, Blue}},
    {{24, 14, 23, 30}, {LightBlue, Blue}},   {{23, 19, 21, 29}, {Yellow, Blue}},
    {{28, 31, 9, 21}, {Yellow, Green}},      {{8, 7, 17, 20}, {Green, Magenta}},
    {{27, 5, 13, 24}, {Magenta, LightBlue}}, {{26, 6, 16, 23}, {Yellow, LightBlue}},
};

const std::array<T::CubeStroke, 3> kLineCubes[T::kLines + 1] = {
    {},
    {{{Yellow, 1}, {Red, 3}, {Black, 8}}},
    {{{Red, 1}, {Magenta, 3}, {Black, 5}}},
    {{{Red, 4}, {Green, 1}, {Black, 9}}},
    {{{Red, 2}, {LightBlue, 9}, {Black, 1}}},
    {{{Red, 6}, {Magenta, 7}, {LightBlue, 8}}},
    {{{Red, 7}, {Yellow, 6}, {LightBlue, 5}}},
    {{{Red, 5}, {Magenta, 6}, {Green, 8}}},
    {{{Magenta, 2}, {Green, 4}, {Black, 10}}},
    {{{Yellow, 12}, {Green, 10}, {White, 12}}},
    {{{Green, 9}, {White, 9}, {Red, 12}}},
    {{{Red, 9}, {White, 5}, {Magenta, 11}}},
    {{{Red, 10}, {White, 1}, {LightBlue, 1}}},
    {{{Magenta, 12}, {White, 2}, {LightBlue, 4}}},
    {{{Blue, 12}, {White, 3}, {LightBlue, 3}}},
    {{{Magenta, 9}, {Blue, 11}, {White, 6}}},
    {{{Yellow, 10}, {White, 4}, {LightBlue, 2}}},
    {{{Magenta, 10}, {Green, 12}, {White, 10}}},
    {{{Blue, 10}, {Green, 11}, {White, 11}}},
    {{{Yellow, 11}, {Blue, 9}, {White, 7}}},
    {{{Magenta, 5}, {Blue, 6}, {Green, 7}}},
    {{{Yellow, 8}, {Blue, 5}, {Green, 6}}},
    {{{Blue, 2}, {Green, 3}, {Black, 11}}},
    {{{Yellow, 7}, {Blue, 8}, {LightBlue, 6}}},
    {{{Magenta, 8}, {Blue, 7}, {LightBlue, 7}}},
    {{{Magenta, 1}, {Blue, 3}, {Black, 6}}},
    {{{Yellow, 2}, {LightBlue, 10}, {Black, 4}}},
    {{{Magenta, 4}, {LightBlue, 12}, {Black, 2}}},
    {{{Yellow, 4}, {Green, 2}, {Black, 12}}},
    {{{Yellow, 3}, {Blue, 1}, {Black, 7}}},
    {{{Blue, 4}, {LightBlue, 11}, {Black, 3}}},
    {{{Yellow, 5}, {Red, 8}, {Green, 5}}},
    {{{Yellow, 9}, {Red, 11}, {White, 8}}},
};

// The quarter turn, as its eight cycles.
constexpr int kCycles[8][4] = {{1, 4, 2, 3},     {5, 7, 31, 6},     {8, 28, 26, 27},   {9, 16, 13, 17},
                               {10, 32, 12, 11}, {14, 15, 18, 19}, {20, 21, 23, 24}, {22, 29, 30, 25}};

const std::array<int, T::kLines + 1>& turnTable() {
  static const std::array<int, T::kLines + 1> table = [] {
    std::array<int, T::kLines + 1> t{};
    for (const auto& cycle : kCycles)
      for (int i = 0; i < 4; ++i) t[std::size_t(cycle[i])] = cycle[(i + 1) % 4];
    return t;
  }();
  return table;
}

int squareWithLines(std::vector<int> lines) {
  std::sort(lines.begin(), lines.end());
  for (int s = 1; s <= T::kSquares; ++s) {
    std::vector<int> own = kSquareRows[std::size_t(s)].lines;
    std::sort(own.begin(), own.end());
    if (own == lines) return s;
  }
  throw std::logic_error("the quarter turn takes a square to no square");
}

double& at(Point4& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : axis == 2 ? p.z : p.w; }

}  // namespace

const T::CubeInfo& T::cube(int c) { return kCubeInfo[c]; }

int T::cubeDrawn(int drawing) {
  for (int c = 1; c <= kCubes; ++c)
    if (kCubeInfo[c].drawing == drawing) return c;
  return 0;
}

const std::vector<int>& T::cubeLines(int c) { return kCubeLines.at(std::size_t(c)); }
std::vector<std::vector<int>> T::cubeTable() { return kCubeLines; }
const std::vector<int>& T::squareLines(int s) { return kSquareRows.at(std::size_t(s)).lines; }
std::array<int, 2> T::squareCubes(int s) { return kSquareRows.at(std::size_t(s)).cubes; }
const std::array<T::CubeStroke, 3>& T::lineCubes(int line) { return kLineCubes[line]; }

int T::turn(int line) { return turnTable().at(std::size_t(line)); }

int T::turnSquare(int square) {
  static const std::array<int, kSquares + 1> table = [] {
    std::array<int, kSquares + 1> t{};
    for (int s = 1; s <= kSquares; ++s) {
      std::vector<int> lines;
      for (int l : kSquareRows[std::size_t(s)].lines) lines.push_back(turn(l));
      t[std::size_t(s)] = squareWithLines(lines);
    }
    return t;
  }();
  return table.at(std::size_t(square));
}

int T::turned(int line, int s) {
  for (int i = 0; i < s % 4; ++i) line = turn(line);
  return line;
}

View T::view(int s) {
  std::vector<int> lines(kLines + 1, 0), squares(kSquares + 1, 0);
  for (int k = 1; k <= kLines; ++k) lines[std::size_t(k)] = turned(k, s);
  for (int k = 1; k <= kSquares; ++k) {
    int sq = k;
    for (int i = 0; i < s % 4; ++i) sq = turnSquare(sq);
    squares[std::size_t(k)] = sq;
  }
  return View(std::move(lines), std::move(squares));
}

namespace {
// The corner the Line's cubes fix, the free coordinate at `end`.
Point4 lineEnd(int line, double end) {
  Point4 p;
  bool fixed[4] = {};
  for (const auto& [c, stroke] : kLineCubes[line]) {
    at(p, kCubeInfo[c].axis) = kCubeInfo[c].sign;
    fixed[kCubeInfo[c].axis] = true;
  }
  for (int axis = 0; axis < 4; ++axis)
    if (!fixed[axis]) at(p, axis) = end;
  return p;
}
}  // namespace

Point4 T::from(int line) { return lineEnd(line, -1); }
Point4 T::to(int line) { return lineEnd(line, 1); }

Point4 T::squareCentre(int s) {
  Point4 p;
  for (int c : squareCubes(s)) at(p, kCubeInfo[c].axis) = kCubeInfo[c].sign;
  return p;
}

Point4 T::cubeCentre(int c) {
  Point4 p;
  at(p, kCubeInfo[c].axis) = kCubeInfo[c].sign;
  return p;
}

std::vector<int> T::onlyIn(bool near) {
  std::vector<int> out;
  for (int l = 1; l <= kLines; ++l)
    if (std::all_of(kLineCubes[l].begin(), kLineCubes[l].end(),
                    [near](const CubeStroke& cs) { return kCubeInfo[cs.cube].near == near; }))
      out.push_back(l);
  return out;
}

BoardGraph T::graph() {
  std::vector<std::vector<int>> squares;
  for (const auto& row : kSquareRows) squares.push_back(row.lines);
  return BoardGraph::fromCellSides(kLines, std::move(squares));
}

}  // namespace kp
