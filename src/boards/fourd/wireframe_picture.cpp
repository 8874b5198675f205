#include "boards/fourd/wireframe_picture.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "boards/fourd/tesseract_picture.h"
#include "core/projection.h"

namespace kp {

namespace {

using T = TesseractBoard;
using Side = WireframePicture::Side;
constexpr Side Main = WireframePicture::Main, Inverse = WireframePicture::Inverse;
constexpr int kLines = T::kLines, kSquares = T::kSquares, kCubes = T::kCubes;

// The twenty colour-pair boxes: the caption and the two cubes whose shared square it shows.
struct Pair {
  const char* caption;
  int a, b;
};
enum : int { Black = 1, Red, Yellow, Green, Magenta, LightBlue, White, Blue };
constexpr Pair kPairs[20] = {
    {"Yellow / Red", Yellow, Red},         {"Yellow / L. Blue", Yellow, LightBlue},
    {"Yellow / Blue", Yellow, Blue},       {"Yellow / Green", Yellow, Green},
    {"Purple / Red", Magenta, Red},        {"Purple / L. Blue", Magenta, LightBlue},
    {"Purple / Blue", Magenta, Blue},      {"Purple / Green", Magenta, Green},
    {"Red / Black", Red, Black},           {"Red / L.Blue", Red, LightBlue},
    {"Red / White", Red, White},           {"Red / Green", Red, Green},
    {"Blue / Black", Blue, Black},         {"Blue /  Green", Blue, Green},
    {"Blue / White", Blue, White},         {"Blue / L. Blue", Blue, LightBlue},
    {"Green / Black", Green, Black},       {"Green / White", Green, White},
    {"L. Blue / Black", LightBlue, Black}, {"L. Blue / White", LightBlue, White},
};

int sharedSquare(int a, int b) {
  for (int s = 1; s <= T::kSquares; ++s) {
    const auto cubes = T::squareCubes(s);
    if ((cubes[0] == a && cubes[1] == b) || (cubes[0] == b && cubes[1] == a)) return s;
  }
  return 0;
}

// The layout, in twips (15 to a pixel): the main view on the left, the inverse view at the
// upper right with the colour key and the check boxes under it.
constexpr double kPixelsPerTwip = 1.0 / 15;
using fourd::Box;
constexpr Box kMainBox{100, 380, 9300, 7900};
constexpr Box kInverseBox{9700, 380, 4200, 3500};
constexpr double kWidth = 14000, kHeight = 8800;
constexpr double kKeyTop = 4050, kRow = 285, kColumn = 2100, kRight = 9750;
constexpr double kPairsTop = kKeyTop + 6 * kRow + 80;

constexpr int kBaseWidth = kWireframeFreeWidth;
constexpr int kClaimInverse = 6;
constexpr int kUnitClaimMain = 4, kUnitClaimInverse = 3;
constexpr int kHiddenWidth = 3;           // a claimed Line that scores nothing, while hidden
constexpr Colour kHintColour = 0x80FF80;  // under a non-scoring Line, for the Best Hint
constexpr Colour kMarkerColour = 0x404040;
constexpr Colour kClaimHalo = 0xD8FFFF;  // pale yellow, under a claimed Line's strokes
constexpr double kClaimHaloMargin = 2.5;  // pixels each side
constexpr Colour kLabelBlue = 0xC06000;  // the second set of number labels

using fourd::corner;

// Fits the picture into a box for every turn it can be drawn in.
fourd::Fit fitFor(bool inverse, fourd::Box box) {
  std::vector<Point2> raw;
  for (int deg = 0; deg < 360; deg += 5)
    for (int v = 0; v < 16; ++v) raw.push_back(fourd::picture(corner(v), inverse, deg));
  return {raw, box};
}

Point2 mix(Point2 a, Point2 b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

double& coordinate(Point4& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : axis == 2 ? p.z : p.w; }

// The square's corners in order around it: its two free coordinates at (-,-), (+,-), (+,+), (-,+).
std::array<Point4, 4> squareCorners(int sq) {
  Point4 c = T::squareCentre(sq);
  int free[2], n = 0;
  for (int axis = 0; axis < 4; ++axis)
    if (coordinate(c, axis) == 0) free[n++] = axis;
  std::array<Point4, 4> out;
  const int signs[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  for (int k = 0; k < 4; ++k) {
    out[std::size_t(k)] = c;
    coordinate(out[std::size_t(k)], free[0]) = signs[k][0];
    coordinate(out[std::size_t(k)], free[1]) = signs[k][1];
  }
  return out;
}

// Where the number labels stand along their Lines: as near the middle as they can without
// covering another label or a corner.
constexpr double kLabelHalfWidth = 165, kLabelHalfHeight = 115;
constexpr double kLabelSize = 13;  // the letters' height: digits about 9 pixels high
// The number labels along their Lines, clear of each other and of the corners.
template <class Place>
std::vector<Point2> labelPlaces(Place place) {
  std::vector<Point2> corners;
  std::vector<fourd::Segment> lines(1);
  for (int v = 0; v < 16; ++v) corners.push_back(place(corner(v)));
  for (int k = 1; k <= T::kLines; ++k) lines.push_back({place(T::from(k)), place(T::to(k))});
  return fourd::labelsAlong(lines, {kLabelHalfWidth, kLabelHalfHeight}, corners);
}

// Where the square labels stand: at the square's middle, or moved towards one of its
// corners or sides where another label is in the way.
constexpr double kSquareLabelRadius = 150;
template <class Place>
std::vector<Point2> squarePlaces(Place place, const std::vector<Point2>& numberLabels) {
  std::vector<Point2> out(T::kSquares + 1);
  auto crowding = [&](Point2 p, int upTo) {
    double worst = 0;
    for (int s = 1; s < upTo; ++s)
      worst = std::max(
          worst, 2 * kSquareLabelRadius + 40 - std::hypot(p.x - out[std::size_t(s)].x, p.y - out[std::size_t(s)].y));
    for (std::size_t k = 1; k < numberLabels.size(); ++k) {
      const double dx = kLabelHalfWidth + kSquareLabelRadius - std::abs(p.x - numberLabels[k].x);
      const double dy = kLabelHalfHeight + kSquareLabelRadius - std::abs(p.y - numberLabels[k].y);
      if (dx > 0 && dy > 0) worst = std::max(worst, std::min(dx, dy));
    }
    return worst;
  };
  for (int s = 1; s <= T::kSquares; ++s) {
    const Point4 c = T::squareCentre(s);
    double best = 1e9;
    // Towards its corners and the middles of its sides.
    const std::array<Point4, 4> corners = squareCorners(s);
    std::vector<Point4> ways(corners.begin(), corners.end());
    for (std::size_t k = 0; k < 4; ++k) ways.push_back(0.5 * (corners[k] + corners[(k + 1) % 4]));
    for (double reach : {0.0, 0.3, 0.5, 0.65, 0.8})
      for (Point4 way : ways) {
        const Point2 p = place(c + reach * (way + (-1.0) * c));
        const double crowd = crowding(p, s);
        // (a clean place beats one that only just overlaps)
        if (crowd < best - 1 || (crowd <= 0 && best > 0)) best = crowd, out[std::size_t(s)] = p;
        if (reach == 0) break;  // the middle once
      }
  }
  return out;
}

// Where the second set of number labels stands: for each place one spot, on its Line or
// just beside it, whose box meets no white label, no square label and no other blue label,
// and crosses as few other Lines as it can (none, where the board leaves room).
constexpr double kOwnGap = 30;  // between a blue label and what it keeps clear of
template <class Place>
std::vector<Point2> ownNumberPlaces(Place place, const std::vector<Point2>& numberLabels,
                                    const std::vector<Point2>& squareLabels) {
  std::vector<fourd::Segment> lines(1);
  for (int k = 1; k <= T::kLines; ++k) lines.push_back({place(T::from(k)), place(T::to(k))});
  std::vector<Point2> out(T::kLines + 1);
  const double w = kLabelHalfWidth + kOwnGap, h = kLabelHalfHeight + kOwnGap;
  auto overlaps = [&](Point2 p, Point2 q) {
    return std::abs(p.x - q.x) < w + kLabelHalfWidth && std::abs(p.y - q.y) < h + kLabelHalfHeight;
  };
  auto cost = [&](Point2 p, int k) {
    double c = 0;
    for (int j = 1; j <= T::kLines; ++j) {
      c += 1000 * overlaps(p, numberLabels[std::size_t(j)]) + 1000 * (j < k && overlaps(p, out[std::size_t(j)]));
      if (j == k) continue;
      // Another Line through the box (a little widened): sampled along its length.
      const auto [a, b] = lines[std::size_t(j)];
      for (int i = 0; i <= 100; ++i) {
        const Point2 q = mix(a, b, i / 100.0);
        if (std::abs(q.x - p.x) < w && std::abs(q.y - p.y) < h) {
          c += 10;
          break;
        }
      }
    }
    // A square label's disc, as far as it takes a click.
    for (std::size_t sq = 1; sq < squareLabels.size(); ++sq) {
      const double dx = std::max(std::abs(p.x - squareLabels[sq].x) - kLabelHalfWidth, 0.0);
      const double dy = std::max(std::abs(p.y - squareLabels[sq].y) - kLabelHalfHeight, 0.0);
      c += 1000 * (std::hypot(dx, dy) < 1.4 * kSquareLabelRadius + kOwnGap);
    }
    return c;
  };
  for (int k = 1; k <= T::kLines; ++k) {
    const auto [a, b] = lines[std::size_t(k)];
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    const Point2 across{-(b.y - a.y) / len, (b.x - a.x) / len};
    double best = 1e18;
    for (double t : {0.5, 0.4, 0.6, 0.3, 0.7, 0.2, 0.8, 0.15, 0.85})
      for (double side : {0.0, 1.0, -1.0, 1.6, -1.6, 2.2, -2.2}) {
        const Point2 p = mix(a, b, t) + (side * (kLabelHalfHeight + kLabelHalfWidth)) * across;
        // Nearer the Line's middle and on it, all else equal.
        const double c = cost(p, k) + std::abs(t - 0.5) + std::abs(side) * 0.5;
        if (c < best) best = c, out[std::size_t(k)] = p;
      }
  }
  return out;
}

bool checked(const std::vector<Control>& controls, const std::string& id) {
  for (const Control& c : controls)
    if (c.id == id) return c.checked;
  return false;
}

// Where a corner of the tesseract is drawn in a view with the tesseract turned by
// `degrees` in the plane of the quarter turn.
Point2 project(Point4 p, Side side, double degrees) {
  static const fourd::Fit main = fitFor(false, kMainBox), inverse = fitFor(true, kInverseBox);
  return (side == Main ? main : inverse)(fourd::picture(p, side == Inverse, degrees));
}

void drawSide(Scene& s, Side side, const std::vector<std::vector<LineStrokes>>& strokes,
              const WireframePicture& picture, const Drawing& drawing, const WireframeInputs& in) {
  auto boxChecked = [&](const std::string& id) { return checked(in.controls, id); };
  const bool main = side == Main;
  const View& view = in.view;
  // The corners, drawn once: every Line runs between two of them.
  std::array<Point2, 16> corners;
  for (int v = 0; v < 16; ++v) corners[std::size_t(v)] = project(corner(v), side, picture.angle);
  auto at = [&](Point4 p) {
    const bool isCorner = std::abs(p.x * p.y * p.z * p.w) == 1;
    return isCorner ? corners[std::size_t((p.x > 0) | (p.y > 0) << 1 | (p.z > 0) << 2 | (p.w > 0) << 3)]
                    : project(p, side, picture.angle);
  };

  std::vector<char> hinted(kLines + 1, 0);
  if (main)
    for (int l : in.hinted) hinted[std::size_t(l)] = 1;

  for (int l = 1; l <= kLines; ++l) {
    const Point2 a = at(T::from(l)), b = at(T::to(l));
    const LineStrokes& ls = strokes[std::size_t(l)][std::size_t(side)];
    if (hinted[std::size_t(l)]) s.strokes.push_back({.a = a, .b = b, .colour = kHintColour, .width = 12});
    const bool idle = in.hideIdle && in.rules.claimed(l) &&
                      std::none_of(in.rules.graph().lineCells[std::size_t(l)].begin(),
                                   in.rules.graph().lineCells[std::size_t(l)].end(),
                                   [&](int c) { return in.rules.cellOwner(c) != 0; });
    const bool closed = std::find(in.closed.begin(), in.closed.end(), l) != in.closed.end();
    // The cube strokes side by side: the first on one side of the base, the second on the
    // other, the third beyond the first.
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    const Point2 across{len > 0 ? -(b.y - a.y) / len : 0, len > 0 ? (b.x - a.x) / len : 0};
    const double twips = 1 / kPixelsPerTwip;  // a pixel
    const double baseHalf = ls.base.visible ? ls.base.width / 2.0 : 0;
    double offset[3];
    offset[0] = -(baseHalf + ls.units[0].width / 2.0 + 0.5);
    offset[1] = baseHalf + ls.units[1].width / 2.0 + 0.5;
    offset[2] = offset[0] - (ls.units[0].width / 2.0 + ls.units[2].width / 2.0 + 0.5);
    // A claimed Line lies on a light halo as wide as its strokes and a little more, which
    // sets it apart from the free Lines' thin strokes in the same colours.
    const double from = offset[2] - ls.units[2].width / 2.0, to = offset[1] + ls.units[1].width / 2.0;
    const Point2 middle = ((from + to) / 2 * twips) * across;
    s.strokes.push_back({.a = a + middle,
                         .b = b + middle,
                         .colour = kClaimHalo,
                         .width = to - from + 2 * kClaimHaloMargin,
                         .visible = ls.marker && ls.base.visible && !idle});
    // Once the picture stands still, a click on the Line is a click on the place it is drawn at.
    s.strokes.push_back({.a = a,
                         .b = b,
                         .colour = ls.base.colour,
                         .width = double(idle ? std::min(ls.base.width, kHiddenWidth) : ls.base.width),
                         .dotted = closed,
                         .visible = ls.base.visible,
                         .target = main && !picture.turning() ? Target::line(view.place(l)) : Target{}});
    for (std::size_t k = 0; k < 3; ++k) {
      const StrokeLook& u = ls.units[k];
      const bool bright =
          std::find(in.highlighted.begin(), in.highlighted.end(), T::lineCubes(l)[k].cube) != in.highlighted.end();
      const Point2 shift = (offset[k] * twips) * across;
      s.strokes.push_back({.a = a + shift,
                           .b = b + shift,
                           .colour = u.colour,
                           .width = double(bright ? u.width + 3 : u.width),
                           .dotted = u.dashed,
                           .visible = u.visible});
    }
    // The marker across the Line's middle.
    const Point2 mid = mix(a, b, 0.5);
    const Point2 tick = (5 * twips) * across;
    s.strokes.push_back({.a = mid + (-1.0) * tick,
                         .b = mid + tick,
                         .colour = kMarkerColour,
                         .width = ls.marker ? 2.0 : 1.0,
                         .dotted = !ls.marker,
                         .visible = ls.base.visible && (ls.marker || in.cheat)});
  }

  // The squares: the outline of every square scored or played, well inside its Lines.
  auto outline = [&](int sq, double inside) {
    const Point4 c = T::squareCentre(sq);
    std::vector<Point2> corners;
    for (Point4 corner : squareCorners(sq)) corners.push_back(at(c + inside * (corner + (-1.0) * c)));
    return corners;
  };
  for (int sq = 1; sq <= kSquares; ++sq) {
    const CircleDraw& d = drawing.circles[std::size_t(sq)];
    const bool owned = d.fill == kRed || d.fill == kBlue;
    s.shapes.push_back({.kind = Shape::Kind::Outline,
                        .points = outline(sq, 0.55),
                        .border = owned ? d.fill : kCircleBorder,
                        .borderWidth = 8,
                        .visible = owned || in.rules.circleUsed(sq)});
  }
  // The colour-pair boxes: the square the two cubes share.
  for (int i = 0; i < 20 && main; ++i)
    if (boxChecked("pair." + std::to_string(i)))
      s.shapes.push_back({.kind = Shape::Kind::Outline,
                          .points = outline(sharedSquare(kPairs[i].a, kPairs[i].b), 0.35),
                          .border = kBlack,
                          .borderWidth = 2});
  if (boxChecked("dots"))
    for (Point2 c : corners) s.dots.push_back({c, main ? 5.0 : 3.0});
  // The mysterious boxes: the middle of every cube, in its colour (1 in the main view, 2 in
  // the inverse view).
  if (boxChecked(main ? "Mysterious 1" : "Mysterious 2"))
    for (int c = 1; c <= kCubes; ++c)
      s.shapes.push_back({.kind = Shape::Kind::Circle,
                          .centre = at(T::cubeCentre(c)),
                          .radiusX = main ? 110.0 : 70.0,
                          .border = kBlack,
                          .fill = T::cube(c).colour,
                          .borderWidth = 1});
}

}  // namespace

const char* cubePairCaption(int pair) { return kPairs[pair].caption; }

std::string cubePairTip(int pair) {
  // As the captions name them (magenta is "Purple" there).
  static const char* const kNames[] = {"", "black", "red", "yellow", "green", "purple", "light blue", "white", "blue"};
  return std::string("Outline in black, in the main view, the square the ") + kNames[kPairs[pair].a] + " and " +
         kNames[kPairs[pair].b] + " cubes share";
}

std::array<std::array<std::array<int, 3>, WireframePicture::kLines + 1>, 2> WireframePicture::thin() {
  std::array<std::array<std::array<int, 3>, kLines + 1>, 2> out;
  for (auto& side : out)
    for (auto& widths : side) widths = {1, 1, 1};
  return out;
}

void WireframePicture::drawClaim(int line) {
  unitWidth[Main][std::size_t(line)] = {kUnitClaimMain, kUnitClaimMain, kUnitClaimMain};
  unitWidth[Inverse][std::size_t(line)] = {kUnitClaimInverse, kUnitClaimInverse, kUnitClaimInverse};
}

void WireframePicture::hideHidden(const View& view) {
  // The Lines drawn now at the places of the far corner's Lines (orientation 0: 8, 20, 22, 25),
  // and in the inverse view at those of the near corner's (6, 12, 16, 32).
  for (int p = Main; p <= Inverse; ++p)
    for (int k : T::onlyIn(p == Inverse)) {
      const std::size_t line = std::size_t(view.line(k));
      hiddenBase[std::size_t(p)][line] = hiddenUnits[std::size_t(p)][line] = true;
    }
}

std::vector<std::vector<LineStrokes>> wireframeStrokes(const WireframePicture& picture, const Drawing& drawing,
                                                       const WireframeInputs& in) {
  auto boxChecked = [&](const std::string& id) { return checked(in.controls, id); };
  const bool dashes = boxChecked("dashes");
  // The colour key shows or hides a cube's drawing in the inverse view.
  std::array<bool, kCubes + 1> keyed{};
  for (int d = 1; d <= kCubes; ++d) keyed[std::size_t(T::cubeDrawn(d))] = boxChecked("key." + std::to_string(d));
  std::vector<std::vector<LineStrokes>> out(kLines + 1);
  for (int l = 1; l <= kLines; ++l) {
    const LineDraw& d = drawing.lines[std::size_t(l)];
    const bool claimed = in.rules.claimed(l);
    for (int p = Main; p <= Inverse; ++p) {
      LineStrokes ls;
      const bool shownWide = claimed || d.colour == kYellow;  // claimed, or the computer's choice
      // A claim (or the computer's choice) shows even where the accurate 4D view hid the Line.
      ls.base = {.colour = d.colour,
                 .width = p == Main   ? d.width
                          : shownWide ? kClaimInverse
                                      : kBaseWidth - 1,
                 .visible = shownWide || !picture.hiddenBase[std::size_t(p)][std::size_t(l)]};
      for (std::size_t k = 0; k < 3; ++k) {
        const int cube = T::lineCubes(l)[k].cube;
        ls.units[k] = {
            .colour = T::cube(cube).colour,
            .width = picture.unitWidth[std::size_t(p)][std::size_t(l)][k],
            .visible = !picture.hiddenUnits[std::size_t(p)][std::size_t(l)] && (p == Main || keyed[std::size_t(cube)]),
            .dashed = dashes && !claimed};
      }
      ls.marker = claimed;
      out[std::size_t(l)].push_back(ls);
    }
  }
  return out;
}

Scene wireframeScene(const WireframePicture& picture, const Drawing& drawing, const WireframeInputs& in) {
  Scene s{.width = kWidth, .height = kHeight, .pixelsPerUnit = kPixelsPerTwip, .fixedSize = true,
          .moving = picture.turning(), .keptLayers = 11};
  const auto strokes = wireframeStrokes(picture, drawing, in);
  drawSide(s, Main, strokes, picture, drawing, in);
  drawSide(s, Inverse, strokes, picture, drawing, in);
  const View& view = in.view;
  auto place = [&](Point4 p) { return project(p, Main, 0); };  // where orientation 0 draws it

  // The first set of number labels stays where orientation 0 draws its Line: label k names
  // the Line standing there now.
  static const std::vector<Point2> labelAt = labelPlaces([&](Point4 p) { return place(p); });
  for (int k = 1; k <= kLines; ++k) {
    const int line = view.line(k);
    const Point2 at = labelAt[std::size_t(k)];
    const bool open = drawing.lines[std::size_t(line)].targetVisible;
    s.shapes.push_back({.kind = Shape::Kind::Polygon,
                        .points = {{at.x - kLabelHalfWidth, at.y - kLabelHalfHeight},
                                   {at.x + kLabelHalfWidth, at.y - kLabelHalfHeight},
                                   {at.x + kLabelHalfWidth, at.y + kLabelHalfHeight},
                                   {at.x - kLabelHalfWidth, at.y + kLabelHalfHeight}},
                        .border = open ? kBlack : kUnclaimedLine,
                        .fill = 0xFFFFFF,
                        .borderWidth = 1,
                        .visible = open || !in.rules.claimed(line),
                        // (a label that takes no click leaves the square label under it free)
                        .target = open ? Target::line(k) : Target{}});
    s.texts.push_back({.at = at,
                       .text = std::to_string(k),
                       .fore = open ? kBlack : kUnclaimedLine,
                       .size = kLabelSize,
                       .visible = open || !in.rules.claimed(line)});
  }
  // The square labels: the circles of the Krunk games, and with the grid the squares' numbers.
  static const std::vector<Point2> squareAt = squarePlaces([&](Point4 p) { return place(p); }, labelAt);
  // The second set, with the grid: every Line's own number, white on blue, at the spot of
  // the place the tesseract has turned it to; a click on it is a click on that Line. While
  // the picture turns they wait, so that none passes over another label. Their layout, the
  // longest of the picture's, waits for the grid's first showing.
  auto ownAt = [&]() -> const std::vector<Point2>& {
    static const std::vector<Point2> spots = ownNumberPlaces([&](Point4 p) { return place(p); }, labelAt, squareAt);
    return spots;
  };
  for (int k = 1; k <= kLines && in.grid && !picture.turning(); ++k) {
    const int line = view.line(k);
    const Point2 at = ownAt()[std::size_t(k)];
    s.shapes.push_back({.kind = Shape::Kind::Polygon,
                        .points = {{at.x - kLabelHalfWidth, at.y - kLabelHalfHeight},
                                   {at.x + kLabelHalfWidth, at.y - kLabelHalfHeight},
                                   {at.x + kLabelHalfWidth, at.y + kLabelHalfHeight},
                                   {at.x - kLabelHalfWidth, at.y + kLabelHalfHeight}},
                        .border = kLabelBlue,
                        .fill = kLabelBlue,
                        .borderWidth = 1,
                        .target = drawing.lines[std::size_t(line)].targetVisible ? Target::line(k) : Target{}});
    s.texts.push_back({.at = at, .text = std::to_string(line), .fore = 0xFFFFFF, .size = kLabelSize});
  }
  for (int k = 1; k <= kSquares; ++k) {
    const CircleDraw& d = drawing.circles[std::size_t(view.circle(k))];
    const Point2 at = squareAt[std::size_t(k)];
    const bool shown = d.targetVisible || in.grid;
    s.shapes.push_back({.kind = Shape::Kind::Circle,
                        .centre = at,
                        .radiusX = 150,
                        .border = d.border,
                        .fill = d.fill == kBackground ? Colour(0xFFFFFF) : d.fill,
                        .visible = shown,
                        .target = d.targetVisible ? Target::circle(k) : Target{}});
    s.texts.push_back({.at = at,
                       .text = std::to_string(k),
                       .fore = d.fill == kRed || d.fill == kBlue ? Colour(0xFFFFFF) : kBlack,
                       .size = kLabelSize,
                       .visible = shown});
  }

  s.texts.push_back(
      {.at = {kMainBox.left + kMainBox.width / 2, 170}, .text = "View " + std::to_string(in.viewNumber), .size = 14});
  s.texts.push_back({.at = {kInverseBox.left + kInverseBox.width / 2, 170}, .text = "Inverse view", .size = 12});

  // The colour key under the inverse view, each box with its cube's colour, then the other boxes.
  auto boxAt = [&](const Control& c, Point2 at, double width) {
    s.checkBoxes.push_back({.control = c.id,
                            .caption = c.caption,
                            .at = at,
                            .width = width,
                            .height = kRow - 30,
                            .checked = c.checked,
                            .visible = c.visible,
                            .enabled = c.enabled});
  };
  int slot = 0;
  for (const Control& c : in.controls) {
    if (!c.onBoard) continue;
    const bool key = c.id.rfind("key.", 0) == 0;
    const int index = slot++;
    if (key) {
      const Point2 at{kRight + (index % 2) * kColumn, kKeyTop + (index / 2) * kRow};
      s.shapes.push_back(
          {.kind = Shape::Kind::Polygon,
           .points = {{at.x, at.y + 50}, {at.x + 160, at.y + 50}, {at.x + 160, at.y + 210}, {at.x, at.y + 210}},
           .border = kBlack,
           .fill = T::cube(T::cubeDrawn(std::stoi(c.id.substr(4)))).colour,
           .borderWidth = 1,
           .visible = c.visible});
      boxAt(c, {at.x + 220, at.y}, kColumn - 260);
    } else if (index < 12) {  // "Mysterious 1" and "Mysterious 2" close the key, then the dashes and dots
      boxAt(c, {kRight + (index % 2) * kColumn, kKeyTop + (index / 2) * kRow}, kColumn - 40);
    } else {
      const int pair = index - 12;
      boxAt(c, {kRight + (pair % 2) * kColumn, kPairsTop + (pair / 2) * kRow}, kColumn - 40);
    }
  }
  return s;
}

}  // namespace kp
