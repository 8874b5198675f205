#include "boards/fourd/wireframe_window.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "boards/fourd/tesseract_picture.h"
#include "core/projection.h"

namespace kp {

namespace {

using W = WireframeWindow;
using T = TesseractBoard;

constexpr const char* kStartLine = "Click a line to start playing";
constexpr const char* kStartCircle = "Click a circle to start playing";

const std::vector<VariantEntry> kVariants = {
    {W::Tolva, "&Tolva", "Game = Tolva", false, false, kStartLine},
    {W::Duarn, "&Duarn (2 Player only)", "Game = Duarn", false, true, kStartLine},
    {W::Plexa, "&Plexa", "Game = Plexa", false, false, kStartLine},
    {W::KrunkClassic, "Krunk  (Classic)", "Game = Krunk (Classic)", true, false, kStartCircle},
    {W::KrunkSetCount, "Krunk  (Set count)", "Game = Krunk (Set count)", true, false, kStartCircle},
    {W::LineKrunk, "Line Krunk", "Game = Line Krunk", false, false, kStartLine},
};

constexpr const char* kTaken =
    "Invalid move. You have clicked on a move already taken or clicked too close to a line which was already filled "
    "in. Please try again.";

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

constexpr int kBaseWidth = 3;                // an unclaimed Line's grey base stroke
constexpr int kClaimMain = 7, kClaimInverse = 6;
constexpr int kUnitClaimMain = 4, kUnitClaimInverse = 3;
constexpr int kHiddenWidth = 3;              // a claimed Line that scores nothing, while hidden
constexpr int kPauseMs = 1000;               // the computer's Line shown in yellow first
constexpr int kHighlightMs = 1500;           // a cube just completed in Plexa
constexpr int kFrameMs = 30;                 // the picture turning
constexpr double kDegreesPerFrame = 7.5;     // a quarter turn in 12 frames
constexpr Colour kHintColour = 0x80FF80;     // under a non-scoring Line, for the Best Hint
constexpr Colour kMarkerColour = 0x404040;
constexpr Colour kLabelBlue = 0xC06000;      // the second set of number labels

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
      worst = std::max(worst, 2 * kSquareLabelRadius + 40 - std::hypot(p.x - out[std::size_t(s)].x, p.y - out[std::size_t(s)].y));
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
  auto overlaps = [&](Point2 p, Point2 q) { return std::abs(p.x - q.x) < w + kLabelHalfWidth && std::abs(p.y - q.y) < h + kLabelHalfHeight; };
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

std::string movesText(int n) { return std::to_string(n) + " moves left"; }

}  // namespace

WireframeWindow::WireframeWindow(Host& host, ProgramState& program)
    : GameController(host, program, WindowKind::Wireframe) {
  FrameMenus frame;
  frame.gameCaption = "Game";
  frame.game = {
      {.id = "game.new", .caption = "New", .shortcut = "F5"},
      {.id = "game.exit", .caption = "E&xit", .shortcut = "F9"},
      {.id = "game.about", .caption = "&About...", .shortcut = "F2"},
  };
  frame.subLevels = MenuEntry{.id = "sub", .caption = "Sub-Levels"};
  frame.subLevels->children = {
      {.id = "sub.normal", .caption = "Normal", .checkable = true, .checked = true},
      {.id = "sub.half", .caption = "1/2 Level", .checkable = true},
  };
  frame.players = {
      {.id = "players.0", .caption = "&1 Player", .checkable = true},
      {.id = "players.1", .caption = "&2 Player", .checkable = true, .checked = true},
  };
  frame.options = {
      {.id = "cheat", .caption = "Cheat", .checkable = true},
      {.id = "hide", .caption = "Hide non-scoring made moves in Krunk game", .checkable = true, .checked = true},
      {.separator = true},
  };
  for (MenuEntry& hint : tolvaHints()) frame.options.push_back(std::move(hint));
  MenuEntry grid{.id = "grid", .caption = "Grid"};
  grid.children = {
      {.id = "grid.thin", .caption = "&Minimize fatness of lines", .checkable = true},
      {.id = "grid.accurate",
       .caption = "Show it in 4D accurately (without seeing through it, other than normally)",
       .checkable = true},
      {.id = "cumulative", .caption = "Cumulative scores", .checkable = true, .checked = true},
      {.id = "game.grid", .caption = "Show grid", .shortcut = "F12", .checkable = true},
  };
  MenuEntry keypad{.id = "keypad", .caption = "Keypad"};
  keypad.children = {{.id = "game.keypad",
                      .caption = "Show keypad for entering moves from online chats / text messages / phone",
                      .shortcut = "Ctrl+F1",
                      .checkable = true}};
  frame.afterOptions = {std::move(grid), std::move(keypad)};
  addMenus(kVariants, false, {}, std::move(frame));
  // Sudden Death closes the Options menu, after the window's own entries.
  std::vector<MenuEntry>& options = menus_.at("options").children;
  const auto sd = std::find_if(options.begin(), options.end(), [](const MenuEntry& e) { return e.id == "sd"; });
  MenuEntry suddenDeath = std::move(*sd);
  options.erase(sd);
  options.push_back({.separator = true});
  options.push_back(std::move(suddenDeath));
  for (auto [id, value] : {std::pair{"cheat", &cheat_}, {"grid.thin", &thin_}, {"grid.accurate", &accurate_},
                           {"sub.half", &halfLevel_}})
    bindCheck(id, *value);
  bindMark("sub.normal", [this] { return !halfLevel_; });

  controls_ = {{.id = kNewGameButton, .caption = "New Game"},
               {.id = "rot.left", .caption = "<", .group = "Rotate"},
               {.id = "rot.right", .caption = ">", .group = "Rotate"},
               {.id = "rot.half", .caption = "_/", .group = "Rotate"},
               {.id = "in.up", .caption = "^", .group = "Internal"},
               {.id = "in.right", .caption = ">", .group = "Internal"},
               {.id = "in.down", .caption = "\\/", .group = "Internal"},
               {.id = "in.left", .caption = "\\_", .group = "Internal"},
               {.id = "in.home", .caption = "-/", .group = "Internal"}};
  for (int d = 1; d <= kCubes; ++d)
    controls_.push_back({.id = "key." + std::to_string(d),
                         .caption = T::cube(T::cubeDrawn(d)).key,
                         .checkBox = true,
                         .checked = true,
                         .onBoard = true});
  for (const char* mysterious : {"Mysterious 1", "Mysterious 2"})
    controls_.push_back({.id = mysterious, .caption = mysterious, .checkBox = true, .onBoard = true});
  controls_.push_back({.id = "dashes", .caption = "Show as dashes", .checkBox = true, .onBoard = true});
  controls_.push_back({.id = "dots", .caption = "Show dots", .checkBox = true, .onBoard = true});
  for (int i = 0; i < 20; ++i)
    controls_.push_back({.id = "pair." + std::to_string(i), .caption = kPairs[i].caption, .checkBox = true, .onBoard = true});

  setBoardSize(kLines, kSquares);
  for (int l = 1; l <= kLines; ++l) drawing_.lines[std::size_t(l)].width = kBaseWidth;
  for (int s = 1; s <= 3; ++s) addView(T::view(s));
  rules_.setGraph(&graph_);
  cubeTable_ = rules_.addUnits(T::cubeTable());
  rules_.rememberInitialLines();
  rules_.setClaimWidth(kClaimMain);
  rules_.setScoring({.manyScored = {"  Double score!      Two cool!", "  Triple score!      Awesome!",
                                    " Quadruple score!   Killer move!"},
                     .tally = {1000, 4000, 7000, 10000},
                     .byScore = true});
  for (auto& picture : unitWidth_)
    for (auto& widths : picture) widths = {1, 1, 1};
  status_.rounds.push_back("");
  status_.lastMoveCaption = "";
  status_.lastMove = "Last move: ";
  chooseVariant(Tolva);
}

const std::vector<int>& WireframeWindow::closedLines() const {
  static const std::vector<int> half = {1, 4, 6, 26}, none;
  return halfLevel() ? half : none;
}

// ---- The picture ----

Point2 WireframeWindow::project(Point4 p, Picture picture, double degrees) const {
  static const fourd::Fit main = fitFor(false, kMainBox), inverse = fitFor(true, kInverseBox);
  return (picture == Main ? main : inverse)(fourd::picture(p, picture == Inverse, degrees));
}

bool WireframeWindow::boxChecked(const std::string& id) const {
  for (const Control& c : controls_)
    if (c.id == id) return c.checked;
  return false;
}

std::vector<std::vector<LineStrokes>> WireframeWindow::lineStrokes() const {
  const bool dashes = boxChecked("dashes");
  // The colour key shows or hides a cube's drawing in the inverse view.
  std::array<bool, kCubes + 1> keyed{};
  for (int d = 1; d <= kCubes; ++d) keyed[std::size_t(T::cubeDrawn(d))] = boxChecked("key." + std::to_string(d));
  std::vector<std::vector<LineStrokes>> out(kLines + 1);
  for (int l = 1; l <= kLines; ++l) {
    const LineDraw& d = drawing_.lines[std::size_t(l)];
    const bool claimed = rules_.claimed(l);
    for (int p = Main; p <= Inverse; ++p) {
      LineStrokes ls;
      const bool shownWide = claimed || d.colour == kYellow;  // claimed, or the computer's choice
      // A claim (or the computer's choice) shows even where the accurate 4D view hid the Line.
      ls.base = {.colour = d.colour,
                 .width = p == Main ? d.width : shownWide ? kClaimInverse : kBaseWidth - 1,
                 .visible = shownWide || !hiddenBase_[std::size_t(p)][std::size_t(l)]};
      for (std::size_t k = 0; k < 3; ++k) {
        const int cube = T::lineCubes(l)[k].cube;
        ls.units[k] = {.colour = T::cube(cube).colour,
                       .width = unitWidth_[std::size_t(p)][std::size_t(l)][k],
                       .visible = !hiddenUnits_[std::size_t(p)][std::size_t(l)] && (p == Main || keyed[std::size_t(cube)]),
                       .dashed = dashes && !claimed};
      }
      ls.marker = claimed;
      out[std::size_t(l)].push_back(ls);
    }
  }
  return out;
}

void WireframeWindow::drawPicture(Scene& s, Picture picture, const std::vector<std::vector<LineStrokes>>& strokes) const {
  const bool main = picture == Main;
  const bool cheat = cheat_;
  const bool hideIdle = options().hideIdle && variant() != Tolva && variant() != Duarn && variant() != Plexa;
  const View& view = views().current();
  // The corners, drawn once: every Line runs between two of them.
  std::array<Point2, 16> corners;
  for (int v = 0; v < 16; ++v) corners[std::size_t(v)] = project(corner(v), picture, angle_);
  auto at = [&](Point4 p) {
    const bool isCorner = std::abs(p.x * p.y * p.z * p.w) == 1;
    return isCorner ? corners[std::size_t((p.x > 0) | (p.y > 0) << 1 | (p.z > 0) << 2 | (p.w > 0) << 3)]
                    : project(p, picture, angle_);
  };

  std::vector<char> hinted(kLines + 1, 0);
  if (main && variant() == Tolva && options().hintBest)
    for (int l : nonScoringLines(closedLines())) hinted[std::size_t(l)] = 1;

  for (int l = 1; l <= kLines; ++l) {
    const Point2 a = at(T::from(l)), b = at(T::to(l));
    const LineStrokes& ls = strokes[std::size_t(l)][std::size_t(picture)];
    if (hinted[std::size_t(l)]) s.strokes.push_back({.a = a, .b = b, .colour = kHintColour, .width = 12});
    const bool idle = hideIdle && rules_.claimed(l) &&
                      std::none_of(graph_.lineCells[std::size_t(l)].begin(), graph_.lineCells[std::size_t(l)].end(),
                                   [&](int c) { return rules_.cellOwner(c) != 0; });
    const bool closed = std::find(closedLines().begin(), closedLines().end(), l) != closedLines().end();
    // Once the picture stands still, a click on the Line is a click on the place it is drawn at.
    s.strokes.push_back({.a = a,
                         .b = b,
                         .colour = ls.base.colour,
                         .width = double(idle ? std::min(ls.base.width, kHiddenWidth) : ls.base.width),
                         .dotted = closed,
                         .visible = ls.base.visible,
                         .target = main && !turning() ? Target::line(view.place(l)) : Target{}});
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
    for (std::size_t k = 0; k < 3; ++k) {
      const StrokeLook& u = ls.units[k];
      const bool bright = std::find(highlighted_.begin(), highlighted_.end(), T::lineCubes(l)[k].cube) != highlighted_.end();
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
                         .visible = ls.base.visible && (ls.marker || cheat)});
  }

  // The squares: the outline of every square scored or played, well inside its Lines.
  auto outline = [&](int sq, double inside) {
    const Point4 c = T::squareCentre(sq);
    std::vector<Point2> corners;
    for (Point4 corner : squareCorners(sq)) corners.push_back(at(c + inside * (corner + (-1.0) * c)));
    return corners;
  };
  for (int sq = 1; sq <= kSquares; ++sq) {
    const CircleDraw& d = drawing_.circles[std::size_t(sq)];
    const bool owned = d.fill == kRed || d.fill == kBlue;
    s.shapes.push_back({.kind = Shape::Kind::Outline,
                        .points = outline(sq, 0.55),
                        .border = owned ? d.fill : kCircleBorder,
                        .borderWidth = 8,
                        .visible = owned || rules_.circleUsed(sq)});
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

Scene WireframeWindow::scene() const {
  Scene s{.width = kWidth, .height = kHeight, .pixelsPerUnit = kPixelsPerTwip, .fixedSize = true};
  const auto strokes = lineStrokes();
  drawPicture(s, Main, strokes);
  drawPicture(s, Inverse, strokes);
  const View& view = views().current();
  auto place = [&](Point4 p) { return project(p, Main, 0); };  // where orientation 0 draws it

  // The first set of number labels stays where orientation 0 draws its Line: label k names
  // the Line standing there now.
  static const std::vector<Point2> labelAt = labelPlaces([&](Point4 p) { return place(p); });
  for (int k = 1; k <= kLines; ++k) {
    const int line = view.line(k);
    const Point2 at = labelAt[std::size_t(k)];
    const bool open = drawing_.lines[std::size_t(line)].targetVisible;
    s.shapes.push_back({.kind = Shape::Kind::Polygon,
                        .points = {{at.x - kLabelHalfWidth, at.y - kLabelHalfHeight},
                                   {at.x + kLabelHalfWidth, at.y - kLabelHalfHeight},
                                   {at.x + kLabelHalfWidth, at.y + kLabelHalfHeight},
                                   {at.x - kLabelHalfWidth, at.y + kLabelHalfHeight}},
                        .border = open ? kBlack : kUnclaimedLine,
                        .fill = 0xFFFFFF,
                        .borderWidth = 1,
                        .visible = open || !rules_.claimed(line),
                        // (a label that takes no click leaves the square label under it free)
                        .target = open ? Target::line(k) : Target{}});
    s.texts.push_back({.at = at, .text = std::to_string(k), .fore = open ? kBlack : kUnclaimedLine, .size = 10,
                       .visible = open || !rules_.claimed(line)});
  }
  // The square labels: the circles of the Krunk games, and with the grid the squares' numbers.
  static const std::vector<Point2> squareAt = squarePlaces([&](Point4 p) { return place(p); }, labelAt);
  // The second set, with the grid: every Line's own number, white on blue, at the spot of
  // the place the tesseract has turned it to; a click on it is a click on that Line. While
  // the picture turns they wait, so that none passes over another label.
  static const std::vector<Point2> ownAt = ownNumberPlaces([&](Point4 p) { return place(p); }, labelAt, squareAt);
  for (int k = 1; k <= kLines && gridShown() && !turning(); ++k) {
    const int line = view.line(k);
    const Point2 at = ownAt[std::size_t(k)];
    s.shapes.push_back({.kind = Shape::Kind::Polygon,
                        .points = {{at.x - kLabelHalfWidth, at.y - kLabelHalfHeight},
                                   {at.x + kLabelHalfWidth, at.y - kLabelHalfHeight},
                                   {at.x + kLabelHalfWidth, at.y + kLabelHalfHeight},
                                   {at.x - kLabelHalfWidth, at.y + kLabelHalfHeight}},
                        .border = kLabelBlue,
                        .fill = kLabelBlue,
                        .borderWidth = 1,
                        .target = drawing_.lines[std::size_t(line)].targetVisible ? Target::line(k) : Target{}});
    s.texts.push_back({.at = at, .text = std::to_string(line), .fore = 0xFFFFFF, .size = 10});
  }
  for (int k = 1; k <= kSquares; ++k) {
    const CircleDraw& d = drawing_.circles[std::size_t(view.circle(k))];
    const Point2 at = squareAt[std::size_t(k)];
    const bool shown = d.targetVisible || gridShown();
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
                       .size = 9,
                       .visible = shown});
  }

  s.texts.push_back({.at = {kMainBox.left + kMainBox.width / 2, 170},
                     .text = "View " + std::to_string(views().number()),
                     .size = 14});
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
  for (const Control& c : controls_) {
    if (!c.onBoard) continue;
    const bool key = c.id.rfind("key.", 0) == 0;
    const int index = slot++;
    if (key) {
      const Point2 at{kRight + (index % 2) * kColumn, kKeyTop + (index / 2) * kRow};
      s.shapes.push_back({.kind = Shape::Kind::Polygon,
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

// ---- What the board says, for the checks ----

std::pair<int, int> WireframeWindow::pointsOnBoard() const {
  if (variant() == Plexa) return rules_.unitsScored(cubeTable_);
  const bool byColour = variant() == KrunkClassic || variant() == LineKrunk;
  return countPointsOnBoard(graph_, byColour, {kRed, kRedTurnText});
}

void WireframeWindow::report(BoardReport& r) const {
  r.cubeOwners.assign(kCubes + 1, 0);
  for (int c = 1; c <= kCubes; ++c) r.cubeOwners[std::size_t(c)] = rules_.unitOwner(cubeTable_, c);
  r.orientation = orientation_;
  r.lineStrokes = lineStrokes();
}

int WireframeWindow::movesLeft() const {
  if (circleVariant()) return rules_.unusedCircles();
  return kLines - int(closedLines().size()) - rules_.claimedLineCount();
}

std::optional<std::string> WireframeWindow::movesLeftOnBoard() const { return movesText(movesLeft()); }

void WireframeWindow::showMovesLeft() {
  status_.movesLeft = movesText(movesLeft());
  status_.hint = superHint(variant() == Tolva, closedLines());
}

// ---- Menus and controls ----

void WireframeWindow::onMenu(const std::string& id) {
  if (id == "hint.computer" || id == "hint.super" || id == "hint.best") {
    toggleTolvaHint(id, variant() == Tolva);
  } else if (id == "cumulative") {
    status_.totalsShown = options_.cumulative = !options_.cumulative;
    rules_.setCumulative(status_.totalsShown);
  } else if (id == "hide") {
    options_.hideIdle = !options_.hideIdle;
  } else if (id == "cheat") {
    cheat_ = !cheat_;
  } else if (id == "grid.thin") {
    thin_ = !thin_;
    backoff();
  } else if (id == "grid.accurate") {
    setAccurate(!accurate());
  } else if (id == "sub.normal" || id == "sub.half") {
    useLevel(id == "sub.half");
  }
}

void WireframeWindow::setAccurate(bool on) {
  if (!on) {
    // Turned off, it shows everything again, the base strokes too.
    getfour();
    hiddenBase_ = {};
    accurate_ = false;
    return;
  }
  accurate_ = true;
  losefour();
  explainAccurate(1);
}

void WireframeWindow::explainAccurate(int box) {
  static const char* const kTitles[3] = {"Explanation of a seeing a truely 4 dimensional point of view (1 of 3)",
                                         "Explanation of a seeing a truely 4 dimensional point of view (2 of 3)",
                                         "4D Viewpoint explained (3 of 3)"};
  static const char* const kTexts[3] = {
      "   This menu option when checked like it will be now, is to show the tesseract (that is what a 4D version of "
      "a cube is called) from an accurate 4D perspective, in which you can see all 6 sides of the 4 cubes closest "
      "to you (in this case (before turning) the yellow, light blue, white, and red cubes), but none of the sides of "
      "the 4 cubes farthest away from you (blue, black, green, purple), except when their sides are also part of one "
      "of the 6 sides of the 4 closest to you which you could see all at once.",
      "   Think of a die on the table in front of you. However you hold it, you can see at most three of its six "
      "faces at once: the three nearest you. The other three are turned away. A tesseract seen from a true 4D point "
      "of view is the same one dimension up: you see the four cubes nearest you whole, and the four farthest cubes "
      "are turned away from you.",
      "   To see all eight cubes you turn the tesseract (the Rotate and Internal buttons), just as you turn a die in "
      "your hand to see its other faces, or you look at the inverse view, which shows the tesseract from the other "
      "side, like a die seen in a mirror. The usual see-through picture shows all eight cubes at once, but it skews "
      "your understanding of what a 4D point of view really is.",
  };
  host_.showMessage(kTitles[box - 1], kTexts[box - 1], box < 3 ? std::function<void()>([this, box] {
    explainAccurate(box + 1);
    notifyChanged();
  })
                                                                 : std::function<void()>());
}

void WireframeWindow::losefour() {
  // The Lines drawn now at the places of the far corner's Lines (orientation 0: 8, 20, 22, 25),
  // and in the inverse view at those of the near corner's (6, 12, 16, 32).
  for (int p = Main; p <= Inverse; ++p)
    for (int k : T::onlyIn(p == Inverse)) {
      const std::size_t line = std::size_t(views().current().line(k));
      hiddenBase_[std::size_t(p)][line] = hiddenUnits_[std::size_t(p)][line] = true;
    }
}

void WireframeWindow::getfour() { hiddenUnits_ = {}; }

void WireframeWindow::backoff() {
  if (!thin_) return;
  for (auto& picture : unitWidth_)
    for (auto& widths : picture) widths = {1, 1, 1};
}

void WireframeWindow::drawClaim(int line) {
  unitWidth_[Main][std::size_t(line)] = {kUnitClaimMain, kUnitClaimMain, kUnitClaimMain};
  unitWidth_[Inverse][std::size_t(line)] = {kUnitClaimInverse, kUnitClaimInverse, kUnitClaimInverse};
}

void WireframeWindow::onControl(const Control& c) {
  if (c.id == "rot.left") turnBy(-1, false);
  else if (c.id == "rot.right") turnBy(1, false);
  else if (c.id == "rot.half") turnBy(2, false);
  else if (c.id == "in.up" || c.id == "in.right") turnBy(1, true);
  else if (c.id == "in.down" || c.id == "in.left") turnBy(-1, true);
  else if (c.id == "in.home") turnBy((4 - orientation_) % 4, true);
}

void WireframeWindow::turnBy(int quarters, bool inside) {
  if (quarters == 0) return;
  getfour();
  turnView(quarters);
  orientation_ = views().number() - 1;
  // Through the inside: the long way round to the same orientation.
  const int way = inside ? (quarters > 0 ? quarters - 4 : quarters + 4) : quarters;
  targetAngle_ -= 90.0 * way;
  if (!frame_) frame_ = schedule(kFrameMs, [this] { turnFrame(); });
}

void WireframeWindow::turnFrame() {
  frame_ = 0;
  const double gap = targetAngle_ - angle_;
  if (std::abs(gap) <= kDegreesPerFrame) return finishTurning();
  angle_ += gap > 0 ? kDegreesPerFrame : -kDegreesPerFrame;
  frame_ = schedule(kFrameMs, [this] { turnFrame(); });
}

void WireframeWindow::finishTurning() {
  if (frame_) cancelStep(std::exchange(frame_, 0));
  targetAngle_ = std::fmod(targetAngle_, 360.0);
  angle_ = targetAngle_;
}

void WireframeWindow::useLevel(bool half) {
  // Chosen between games, on a clean board.
  halfLevel_ = half;
  if (half) {
    if (accurate()) setAccurate(false);
    turnBy((4 - orientation_) % 4, false);
    finishTurning();
  }
  menus_.at("grid.accurate").enabled = !half;
  for (Control& c : controls_)
    if (c.group == "Rotate" || c.group == "Internal") c.enabled = !half;
  for (int l = 1; l <= kLines; ++l)
    drawing_.lines[std::size_t(l)].targetVisible =
        !circleVariant() && std::find(closedLines().begin(), closedLines().end(), l) == closedLines().end();
  showMovesLeft();
}

void WireframeWindow::setColourKeysShown(bool shown) {
  for (Control& c : controls_)
    if (c.id.rfind("key.", 0) == 0) {
      c.visible = shown;
      if (!shown) c.checked = true;
    }
}

void WireframeWindow::variantChosen() {
  options_.hintComputer = options_.hintSuper = options_.hintBest = false;
  useLevel(halfLevel());
}

void WireframeWindow::onePlayerRefused() {
  // The person asked to play the computer: Tolva, against the computer.
  chooseVariant(Tolva);
  menuChosen("players.0");
}

void WireframeWindow::openGame() {
  // A new game finds the picture standing still: its turning steps were cancelled.
  frame_ = 0;
  finishTurning();
  highlighted_.clear();
  for (auto& picture : unitWidth_)
    for (auto& widths : picture) widths = {1, 1, 1};
  setColourKeysShown(true);
  rules_.setClaimWidth(kClaimMain);
  openWithBlue();
  settle();
}

// ---- Line games ----

void WireframeWindow::onLineClick(int line) {
  if (rules_.moveLock() || status_.gameOver) return;
  // A click while the picture turns is read in the orientation it is turning to, as the
  // labels already name; the picture stands still at once.
  if (turning()) finishTurning();
  if (std::find(closedLines().begin(), closedLines().end(), line) != closedLines().end()) {
    message("Line " + std::to_string(line) + " takes no move on the 1/2 Level.");
    return;
  }
  if (rules_.claimed(line)) {
    message(variant() == LineKrunk ? "Invalid move!" : kTaken);
    return;
  }
  playLine(line, rules_.toMove());
}

void WireframeWindow::playLine(int line, Player mover) {
  lockSetup();
  // From the first claim on every cube drawing is shown.
  if (rules_.claimedLineCount() == 0) setColourKeysShown(false);
  rules_.takeTurn();
  rules_.claimLine(line, lineColour(mover), int(mover), mover);
  drawClaim(line);
  status_.lastMove = "Last move: " + std::to_string(line);
  backoff();
  timer_.reset();
  evaluateLine(mover, line);
  settle();
}

void WireframeWindow::evaluateLine(Player mover, int line) {
  timer_.stop();
  if (variant() == LineKrunk) {
    const std::vector<int> before = rules_.cellOwners();
    rules_.recount(LineGame::CellCount::ByColour, {kRed, kRedTurnText});
    const int won = rules_.newlyWon(mover, before, {line});
    if (won > 0) {
      rules_.setToggle(mover == Player::Red ? 1 : 0);
      status_.yourTurn = {mover == Player::Red, mover == Player::Blue, false};
    }
    rules_.addTally(mover, won);
    rules_.announce(LineRule::Tolva, mover, won);
  } else {
    rules_.checkwins(variant() == Duarn ? LineRule::Duarn : LineRule::Tolva, variant() == Plexa ? cubeTable_ : 0);
  }
  showMovesLeft();
  if (variant() != Plexa || rules_.newlyCompleted().empty()) return finishOrHandOver(movesLeft());
  // The cubes just completed stand out for a while before the game goes on.
  highlighted_ = rules_.newlyCompleted();
  rules_.setMoveLock(true);
  // Until the clock, rounded to a whole second, has gone on a second and a half.
  const std::int64_t now = host_.nowMs();
  schedule(int((now + 500) / 1000 * 1000 + kHighlightMs - now), [this] {
    highlighted_.clear();
    if (accurate()) losefour();
    rules_.setMoveLock(false);
    finishOrHandOver(movesLeft());
    settle();
  });
}

// ---- Circle games (the Krunk games on the squares) ----

void WireframeWindow::onCircleClick(int s) {
  if (rules_.moveLock() || status_.gameOver) return;
  if (turning()) finishTurning();
  if (rules_.circleUsed(s)) {
    message(kTaken);
    return;
  }
  playCircle(s, rules_.toMove());
}

void WireframeWindow::playCircle(int s, Player mover) {
  if (rules_.unusedCircles() == kSquares) setColourKeysShown(false);
  ownersBefore_ = rules_.cellOwners();
  for (int l : T::squareLines(s)) drawClaim(l);
  backoff();
  playColourCircle(s, mover);
  settle();
}

void WireframeWindow::settle() {
  // A finished game makes "New Game" the default button: Return starts the next game.
  for (Control& c : controls_)
    if (c.id == kNewGameButton) c.isDefault = status_.gameOver;
}

GameController::ColourCircles WireframeWindow::colourCircles() const {
  return {.count = variant() == KrunkClassic ? LineGame::CellCount::ByColour : LineGame::CellCount::KeepByColour,
          .claimWidth = kClaimMain};
}

void WireframeWindow::afterCircle(Player scorer) {
  int won = 0;
  for (int c = 1; c <= kSquares; ++c)
    won += rules_.cellOwner(c) == int(scorer) && ownersBefore_[std::size_t(c)] != int(scorer);
  rules_.addTally(scorer, won);
}

// ---- The computer (Red) ----

void WireframeWindow::computerTurn() {
  if (circleVariant()) return computerCircle();
  computerLine();
}

void WireframeWindow::computerLine() {
  const int table = variant() == Plexa ? cubeTable_ : 0;
  warnNoGoodMoves(variant() == Tolva, table, closedLines());
  if (const int line = previewGreedyLine(kClaimMain, table, closedLines()))
    schedule(kPauseMs, [this, line] { playLine(line, Player::Red); });
}

void WireframeWindow::computerCircle() {
  if (const int s = previewColourCircle()) schedule(kPauseMs, [this, s] { playCircle(s, Player::Red); });
}

}  // namespace kp
