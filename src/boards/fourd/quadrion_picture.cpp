#include "boards/fourd/quadrion_picture.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "boards/fourd/tesseract_picture.h"

namespace kp {

namespace {

using Q = QuadrionBoard;
constexpr int kLines = Q::kLines, kSquares = Q::kSquares;

// The layout, in twips (15 to a pixel): three rows of three cells, the ring of figures round
// the key in the middle.
constexpr double kPixelsPerTwip = 1.0 / 15;
constexpr double kCellWidth = 4650, kCellHeight = 3450, kCaption = 330, kMargin = 250;
constexpr Colour kRedTint = 0xDCDCFF, kBlueTint = 0xFFE0D0;  // a scored square, by its scorer
constexpr double kLabelSize = 13;  // the numbers: digits about 9 pixels high
constexpr double kCircleRadius = 150;  // the squares' circles, the number inside

struct Figure {
  const char* caption;
  int ring;
  bool joining;  // the tesseract of the cube and the next one, with the Lines joining them
  int column, row;
};
constexpr Figure kFigures[8] = {
    {"Outer White cube", Q::White, false, 0, 0}, {"Inside White cube", Q::White, true, 1, 0},
    {"Outer Red cube", Q::Red, false, 2, 0},     {"Inside Red cube", Q::Red, true, 2, 1},
    {"Outer Black cube", Q::Black, false, 2, 2}, {"Inside Black cube", Q::Black, true, 1, 2},
    {"Outer Blue cube", Q::Blue, false, 0, 2},   {"Inside Blue cube", Q::Blue, true, 0, 1},
};

// A corner in a figure's tesseract: the figure's own cube large (fourth coordinate +1), its
// neighbour small inside it (-1).
Point4 inFigure(Q::Corner c, const Figure& f) {
  const Point4 p = Q::point(c);
  return {2 * p.x - 1, 2 * p.y - 1, 2 * p.z - 1, c.ring == f.ring ? 1.0 : -1.0};
}

fourd::Box boxOf(const Figure& f) {
  return {f.column * kCellWidth + kMargin, f.row * kCellHeight + kCaption + 60, kCellWidth - 2 * kMargin,
          kCellHeight - kCaption - 2 * 60};
}

Point2 at(Q::Corner c, int figure) {
  static const std::vector<fourd::Fit> fits = [] {
    std::vector<fourd::Fit> out;
    for (const Figure& f : kFigures) {
      std::vector<Point2> raw;
      for (int v = 0; v < 16; ++v)
        if (f.joining || fourd::corner(v).w > 0) raw.push_back(fourd::picture(fourd::corner(v)));
      out.emplace_back(raw, boxOf(f));
    }
    return out;
  }();
  return fits[std::size_t(figure)](fourd::picture(inFigure(c, kFigures[figure])));
}

// Whether a figure draws a Line, and the figure its number and click area belong to.
bool draws(const Figure& f, int line) {
  const int ring = Q::ringOf(line);
  if (Q::joining(line)) return f.joining && ring == f.ring;
  return ring == f.ring || (f.joining && ring == (f.ring + 1) % 4);
}
int homeFigure(int line) {
  for (int k = 0; k < 8; ++k)
    if (kFigures[k].ring == Q::ringOf(line) && kFigures[k].joining == Q::joining(line)) return k;
  return 0;
}

Point2 mix(Point2 a, Point2 b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

// How near the segment a-b comes to the box of half sizes `half` round `centre`, to within
// a few units (0 where it enters the box).
double roomBetween(Point2 a, Point2 b, Point2 centre, Point2 half) {
  double room = 1e9;
  for (int k = 0; k <= 128 && room > 0; ++k) {
    const Point2 p = mix(a, b, k / 128.0);
    room = std::min(room, std::hypot(std::max(std::abs(p.x - centre.x) - half.x, 0.0),
                                     std::max(std::abs(p.y - centre.y) - half.y, 0.0)));
  }
  return room;
}

// Where the number of a Line too short to carry it stands: the nearest place round the
// Line's middle that keeps clear of every Line of its figure and of the other numbers there.
Point2 besideLine(int line, int figure, const std::vector<Point2>& labels, Point2 half) {
  constexpr double kRoom = 30;
  const auto ends = Q::ends(line);
  const Point2 middle = mix(at(ends[0], figure), at(ends[1], figure), 0.5);
  Point2 best = middle;
  double bestRoom = -1;
  for (double reach = 180; reach <= 720; reach += 30)
    for (int d = 0; d < 24; ++d) {
      const double angle = d * std::numbers::pi / 12;
      const Point2 p{middle.x + reach * std::cos(angle), middle.y + reach * std::sin(angle)};
      double room = 1e9;
      for (int l = 1; l <= kLines; ++l) {
        if (!draws(kFigures[figure], l)) continue;
        const auto e = Q::ends(l);
        room = std::min(room, roomBetween(at(e[0], figure), at(e[1], figure), p, half));
      }
      for (int l = 1; l < int(labels.size()); ++l)
        if (l != line && homeFigure(l) == figure)
          room = std::min(room, std::max(std::abs(p.x - labels[std::size_t(l)].x) - 2 * half.x,
                                         std::abs(p.y - labels[std::size_t(l)].y) - 2 * half.y));
      if (room >= kRoom) return p;
      if (room > bestRoom) bestRoom = room, best = p;
    }
  return best;
}

}  // namespace

Scene quadrionScene(const Drawing& drawing, const QuadrionInputs& in) {
  Scene s{.width = 3 * kCellWidth, .height = 3 * kCellHeight, .pixelsPerUnit = kPixelsPerTwip, .fixedSize = true};
  const bool open = !in.circles;
  // A scored square is tinted in its scorer's colour in every figure that draws it.
  for (int k = 0; k < 8; ++k)
    for (int sq = 1; sq <= kSquares; ++sq) {
      const auto& lines = Q::squareLines(sq);
      if (!std::all_of(lines.begin(), lines.end(), [&](int l) { return draws(kFigures[k], l); })) continue;
      std::vector<Point2> corners;
      for (int l : {lines[0], lines[2]})
        for (const auto& end : Q::ends(l)) corners.push_back(at(end, k));
      Point2 middle;
      for (Point2 c : corners) middle = middle + 0.25 * c;
      std::sort(corners.begin(), corners.end(), [&](Point2 a, Point2 b) {
        return std::atan2(a.y - middle.y, a.x - middle.x) < std::atan2(b.y - middle.y, b.x - middle.x);
      });
      const int owner = in.rules.unitOwner(0, sq);
      s.backdrop.push_back({.kind = Shape::Kind::Polygon,
                            .points = corners,
                            .border = owner == 1 ? kRedTint : kBlueTint,
                            .fill = owner == 1 ? kRedTint : kBlueTint,
                            .borderWidth = 0,
                            .visible = owner != 0});
    }
  for (int k = 0; k < 8; ++k) {
    const Figure& f = kFigures[k];
    // The claimed Lines first, then the free ones over them, so that no free Line hides
    // behind a claim; each far first, so the near ones cross over them.
    for (const bool claimedPass : {true, false})
      for (int l = 1; l <= kLines; ++l) {
        if (!draws(f, l)) continue;
        const auto ends = Q::ends(l);
        const LineDraw& d = drawing.lines[std::size_t(l)];
        const bool claimed = in.rules.claimed(l);
        s.strokes.push_back({.a = at(ends[0], k),
                             .b = at(ends[1], k),
                             .colour = d.colour,
                             .width = double(d.width),
                             .dotted = Q::joining(l) && !in.rules.claimed(l) && d.colour != kYellow,
                             .visible = claimed == claimedPass,
                             .target = open && d.targetVisible ? Target::line(l) : Target{}});
      }
    s.texts.push_back({.at = {f.column * kCellWidth + kCellWidth / 2, f.row * kCellHeight + kCaption / 2 + 40},
                       .text = f.caption,
                       .size = 12});
  }
  // Two joining Lines of each tesseract, hard to reach among the others, have click areas
  // of their own: the inner one from the right back bottom corner (corner 3: x 1, y 0, z 0)
  // and the short one at the crowded left back bottom corner (corner 1).
  for (int k = 0; k < 8; ++k) {
    if (!kFigures[k].joining) continue;
    for (int m : {2, 0}) {
      const int line = Q::joinsFrom(kFigures[k].ring)[std::size_t(m)];
      const auto ends = Q::ends(line);
      s.shapes.push_back({.kind = Shape::Kind::Region,
                          .points = {at(ends[0], k), at(ends[1], k)},
                          .radiusX = m == 0 ? 90.0 : 60.0,
                          .visible = open && drawing.lines[std::size_t(line)].targetVisible && !in.rules.claimed(line),
                          .target = Target::line(line)});
    }
  }
  // The number labels, with the grid: on each Line in its own figure, clear of the others;
  // beside the short joining Lines, which they would hide. Their layout, the longest of the
  // picture's, waits for the grid's first showing.
  auto labelAt = []() -> const std::vector<Point2>& {
    static const std::vector<Point2> spots = [] {
      std::vector<fourd::Segment> lines(1);
      std::vector<Point2> corners;
      for (int l = 1; l <= kLines; ++l) {
        const auto ends = Q::ends(l);
        lines.push_back({at(ends[0], homeFigure(l)), at(ends[1], homeFigure(l))});
        for (const auto& end : ends) corners.push_back(at(end, homeFigure(l)));
      }
      std::vector<Point2> out = fourd::labelsAlong(lines, {160, 105}, corners);
      for (int ring = Q::White; ring <= Q::Blue; ++ring) {
        const int line = Q::joinsFrom(ring)[0];
        out[std::size_t(line)] = besideLine(line, homeFigure(line), out, {160, 105});
      }
      return out;
    }();
    return spots;
  };
  for (int l = 1; l <= kLines && in.grid && open; ++l) {
    const Point2 mid = labelAt()[std::size_t(l)];
    s.shapes.push_back({.kind = Shape::Kind::Polygon,
                        .points = {{mid.x - 160, mid.y - 105},
                                   {mid.x + 160, mid.y - 105},
                                   {mid.x + 160, mid.y + 105},
                                   {mid.x - 160, mid.y + 105}},
                        .border = kBlack,
                        .fill = 0xFFFFFF,
                        .borderWidth = 1,
                        .target = Target::line(l)});
    s.texts.push_back({.at = mid, .text = std::to_string(l), .size = kLabelSize});
  }
  // The squares' circles, in Plexa (Squares): a cube's faces in its own figure, the joining
  // squares in their tesseract; laid out on their first showing.
  auto circleAt = []() -> const std::vector<Point2>& {
    static const std::vector<Point2> spots = [] {
      // At the square's middle, or moved towards one of its corners where another is in the way.
      std::vector<std::vector<Point2>> candidates(1);
      for (int sq = 1; sq <= kSquares; ++sq) {
        const auto& lines = Q::squareLines(sq);
        const int k = homeFigure(sq <= 24 ? lines[0] : lines[1]);
        std::vector<Point2> corners;
        for (int l : {lines[0], lines[2]})
          for (const auto& end : Q::ends(l)) corners.push_back(at(end, k));
        Point2 middle;
        for (Point2 c : corners) middle = middle + 0.25 * c;
        std::vector<Point2> places = {middle};
        for (double reach : {0.3, 0.5})
          for (Point2 c : corners) places.push_back(mix(middle, c, reach));
        candidates.push_back(places);
      }
      return fourd::spread(candidates, kCircleRadius);
    }();
    return spots;
  };
  for (int sq = 1; sq <= kSquares && in.circles; ++sq) {
    const Point2 centre = circleAt()[std::size_t(sq)];
    const CircleDraw& d = drawing.circles[std::size_t(sq)];
    s.shapes.push_back({.kind = Shape::Kind::Circle,
                        .centre = centre,
                        .radiusX = kCircleRadius,
                        .border = d.border,
                        .fill = d.fill == kBackground ? Colour(0xFFFFFF) : d.fill,
                        .visible = d.targetVisible,
                        .target = Target::circle(sq)});
    s.texts.push_back({.at = centre,
                       .text = std::to_string(sq),
                       .fore = d.fill == kRed || d.fill == kBlue ? Colour(0xFFFFFF) : kBlack,
                       .size = kLabelSize});
  }

  // The middle: the key, the hint, and in the Super Krunk Plus games their picture.
  const double left = kCellWidth + kMargin, top = kCellHeight;
  for (int r = 0; r < 4; ++r)
    s.texts.push_back({.at = {left + 700 + (r % 2) * 2000, top + 300 + (r / 2) * 330},
                       .text = std::string(Q::name(r)) + " cube",
                       .fore = r == Q::White ? Colour(0xFFFFFF) : kQuadrionCubeColours[r],
                       .back = r == Q::White ? std::optional<Colour>(kQuadrionCubeColours[r]) : std::nullopt,
                       .size = 12});
  const char* hint[4] = {"If you are not familiar with this level and", "are confused, turn on the grid on the top",
                         "menu bar to see possible moves", ""};
  for (int r = 0; r < 3; ++r)
    s.texts.push_back({.at = {left + 2075, top + 1080 + r * 250}, .text = hint[r], .fore = kBlue, .size = 10});
  if (in.superKrunk) {
    // A cube all of whose Lines are claimed is taken whole: the marker shows one, taken.
    const fourd::Fit fit({fourd::picture(fourd::corner(8)), fourd::picture(fourd::corner(15)),
                          fourd::picture(fourd::corner(9)), fourd::picture(fourd::corner(14))},
                         {left + 200, top + 1900, 1300, 1200});
    for (int v = 8; v < 16; ++v)
      for (int bit : {1, 2, 4})
        if (!(v & bit))
          s.strokes.push_back({.a = fit(fourd::picture(fourd::corner(v))),
                               .b = fit(fourd::picture(fourd::corner(v | bit))),
                               .colour = kRed,
                               .width = 3});
    s.texts.push_back({.at = {left + 2700, top + 2350}, .text = "Super Krunk Plus:", .fore = kRed, .size = 11});
    s.texts.push_back(
        {.at = {left + 2700, top + 2620}, .text = "close a cube, take it whole", .fore = kRed, .size = 10});
  }
  return s;
}

}  // namespace kp
