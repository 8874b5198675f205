#include "boards/cube/cube_window.h"

#include <algorithm>

namespace kp {

namespace {

using cube::Dot3;

// Where each Dot is drawn, in twips: [z][y][x].
constexpr Point2 kDots[3][3][3] = {
    {{{840, 2640}, {3480, 3000}, {6720, 3360}},
     {{3120, 1680}, {5760, 1920}, {8640, 2160}},
     {{5040, 960}, {7440, 1080}, {10200, 1230}}},
    {{{840, 5280}, {3480, 5760}, {6720, 6240}},
     {{3120, 4320}, {5760, 4680}, {8640, 5040}},
     {{5040, 3480}, {7440, 3680}, {10200, 3960}}},
    {{{840, 7800}, {3480, 8400}, {6720, 9000}},
     {{3120, 6600}, {5760, 7020}, {8640, 7440}},
     {{5040, 5640}, {7440, 5880}, {10200, 6180}}},
};
Point2 at(Dot3 d) { return kDots[d.z][d.y][d.x]; }

// The click regions lying along each drawn Line, in order from its first Dot to its second.
const std::vector<std::vector<int>> kRegionsOfLine = {
    {},           {0},          {1},          {10, 94},     {9},          {59, 60},     {61},
    {8},          {7, 72},      {6, 73, 95},  {2},          {4, 5},       {3},          {37},
    {38, 39},     {51, 52, 53}, {54, 55},     {56, 57},     {58},         {49, 50},     {47, 48, 93},
    {45, 46, 97}, {42, 43, 92}, {40, 41},     {44},         {62},         {63, 64},     {74, 75, 76},
    {71},         {83, 84, 85}, {86, 87},     {67, 68},     {77, 78},     {81, 82},     {65, 66},
    {69, 70},     {79, 80},     {14},         {12, 13},     {11, 89, 96}, {21},         {23, 24},
    {26, 27, 88}, {31},         {33},         {35},         {15},         {16, 17},     {18, 19, 20},
    {22},         {25, 90, 91}, {28, 29},     {32},         {30, 34},     {36},
};

// The picture's size in twips, and the screen's 15 twips to a pixel.
constexpr double kWidth = 10900, kHeight = 9500, kPixelsPerTwip = 1.0 / 15;
constexpr double kRegionReach = 150;  // how far past its Line a region takes a click
// A square's circle: small enough that the circles of squares whose centres the picture
// draws close together (squares 3 and 21, 8 and 25) stay apart.
constexpr double kCircleWidth = 360, kCircleHeight = 280;

}  // namespace

CubeWindow::CubeWindow(Host& host, ProgramState& program)
    : CubeGamesWindow(host, program, WindowKind::Cube, cube::Lattice(2, 2, 2),
                      {.game = spaceGameMenu(),
                       .views = {.next = "Show the next view: the cube a quarter turn on about its upright axis",
                                 .before = "Show the view before: the cube a quarter turn back about that axis"}}) {
  for (int turns = 1; turns <= 3; ++turns) addView(lattice().quarterTurns(turns));

  placeOfRegion_.assign(kRegions, 0);
  for (int place = 1; place <= kLines; ++place)
    for (int r : kRegionsOfLine[std::size_t(place)]) placeOfRegion_[std::size_t(r)] = place;

  chooseVariant(KrunkClassic);
  // As designed, before a game is chosen.
  status_.gameCaption = "Game = Krunk";
  designShown_ = true;
}

void CubeWindow::report(BoardReport& r) const {
  CubeGamesWindow::report(r);
  for (int place : placeOfRegion_) r.clickRegions.push_back(Target::line(place));
}

Scene CubeWindow::scene() const {
  Scene s = latticeScene({.at = at,
                          .width = kWidth,
                          .height = kHeight,
                          .pixelsPerUnit = kPixelsPerTwip,
                          .circleWidth = kCircleWidth,
                          .circleHeight = kCircleHeight,
                          .viewLabel = {5400, 300}});
  // The Lines take clicks in regions along them, drawn in front of everything.
  const View& view = views().current();
  for (int r = 0; r < kRegions; ++r) {
    const int place = placeOfRegion_[std::size_t(r)];
    const auto& pieces = kRegionsOfLine[std::size_t(place)];
    const auto k = double(std::find(pieces.begin(), pieces.end(), r) - pieces.begin()), n = double(pieces.size());
    const Point2 a = at(lattice().from(place)), b = at(lattice().to(place));
    auto along = [&](double t) { return Point2{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; };
    s.shapes.push_back({.kind = Shape::Kind::Region,
                        .points = {along(k / n), along((k + 1) / n)},
                        .radiusX = kRegionReach,
                        .visible = drawing_.lines[std::size_t(view.line(place))].targetVisible,
                        .target = Target::line(place)});
  }

  return s;
}

}  // namespace kp
