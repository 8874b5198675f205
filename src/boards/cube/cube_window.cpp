#include "boards/cube/cube_window.h"

#include <algorithm>

#include "core/greedy_choice.h"

namespace kp {

namespace {

using cube::Dot3;

const std::vector<VariantEntry> kVariants = {
    {CubeWindow::Tolva, "&Tolva", "Game = Tolva (Original)", false, false, kLinePrompt},
    {CubeWindow::PlexaLines, "&Plexa  (Lines)", "Game = Plexa (Lines)", false, false, kLinePrompt, true},
    {CubeWindow::PlexaSquares, "Plexa  (Squares)", "Game = Plexa (Squares)", true, false, kCirclePrompt},
    {4, "Krunk  (Classic)", "", true, false, kCirclePrompt, true},
    {5, "Krunk  (Set count)", "", true, false, kCirclePrompt, true},
    {CubeWindow::LineKrunk, "Line Krunk", "Game = Line Krunk", false, false, kLinePrompt},
    {CubeWindow::KrunkClassic, "Krunk  (Classic)", "Game = Krunk (Classic)", true, false, kCirclePrompt},
    {CubeWindow::KrunkSetCount, "Krunk  (Set count)", "Game = Krunk (Set count)", true, false, kCirclePrompt},
    {CubeWindow::SuperClassic, "Super Krunk Plus  (Classic)", "Game = Super Krunk Plus (Classic)", true, false,
     kCirclePrompt},
    {CubeWindow::SuperSetCount, "Super Krunk Plus  (Set count)", "Game = Super Krunk Plus (Set count)", true, false,
     kCirclePrompt},
    {CubeWindow::KrunkMove, "Krunk  (Set count with Krunk move)", "Game = Krunk (Set count with Krunk move)", true,
     false, kCirclePrompt},
    {CubeWindow::SuperKrunkMove, "Super Krunk Plus  (Set count with Krunk move)",
     "Game = Super Krunk Plus (Set count with Krunk move)", true, false, kCirclePrompt},
    {CubeWindow::LineKrunkMove, "Bonus game - Line Krunk with Krunk Move", "Game = Line Krunk (with Krunk move)", false,
     false, kLinePrompt},
};

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
constexpr int kLineWidth = 3;         // a Line nobody has claimed
constexpr int kHiddenWidth = 4;       // a claimed Line that scores nothing, while such Lines are hidden
constexpr int kSuperWidth = 5;        // the Lines of a Super Krunk Plus move
constexpr int kPauseMs = 500;         // the computer's choice shown before it is played
constexpr Colour kHintColour = 0x80FF80;  // under a non-scoring Line, for the Best Hint

// The identification colours: the Lines running into the picture, and the other Lines of
// the front, middle and back planes.
constexpr Colour kDepthLines = 0xFFFF00, kFront = 0xC000, kMiddle = 0x0, kBack = 0x800080;

int marker(Player p) { return int(p); }

std::string movesText(int n) {
  if (n == 0) return "No moves left";
  if (n == 1) return "1 move left";
  return std::to_string(n) + " moves left";
}

}  // namespace

CubeWindow::CubeWindow(Host& host, ProgramState& program)
    : GameController(host, program, WindowKind::Cube), graph_(lattice_.graph()) {
  FrameMenus frame;
  frame.game = spaceGameMenu();
  frame.players = {
      {.id = "players.0", .caption = "&1 Player", .checkable = true},
      {.id = "players.1", .caption = "&2 Player", .checkable = true, .checked = true},
  };
  frame.options = {
      {.separator = true},
  };
  for (MenuEntry& hint : tolvaHints()) frame.options.push_back(std::move(hint));
  frame.options.insert(frame.options.end(), {
      {.separator = true},
      {.id = "cumulative", .caption = "Show Cumulative score", .checkable = true, .checked = true},
      {.id = "hide", .caption = "Hide non-scoring made moves in Krunk games", .checkable = true, .checked = true},
      {.id = "game.grid", .caption = "Show grid", .shortcut = "F12", .checkable = true},
      {.id = "game.keypad",
       .caption = "Show keypad for entering moves from online chats / text messages / phone",
       .shortcut = "Ctrl+F1",
       .checkable = true},
  });
  addMenus(kVariants, false, {}, std::move(frame));
  // The hints, the grid and the keypad serve during a game; who plays and the time limit
  // are fixed by its first move.
  setupMenus_ = {"other", "games", "players.0", "players.1", "sd"};
  controls_ = {{.id = kNewGameButton, .caption = "New Game"},
               {.id = "view.up", .caption = "<<"},
               {.id = "view.down", .caption = ">>"}};

  setBoardSize(kLines, kSquares);
  for (int l = 1; l <= kLines; ++l) {
    const Dot3 a = lattice_.from(l), b = lattice_.to(l);
    LineDraw& d = drawing_.lines[std::size_t(l)];
    d.width = kLineWidth;
    d.colour = a.y != b.y ? kDepthLines : a.y == 0 ? kFront : a.y == 1 ? kMiddle : kBack;
  }
  rules_.setGraph(&graph_);
  rules_.rememberInitialLines();
  for (int turns = 1; turns <= 3; ++turns) addView(lattice_.quarterTurns(turns));

  placeOfRegion_.assign(kRegions, 0);
  for (int place = 1; place <= kLines; ++place)
    for (int r : kRegionsOfLine[std::size_t(place)]) placeOfRegion_[std::size_t(r)] = place;

  status_.rounds.push_back("");
  status_.lastMoveCaption = "";
  status_.lastMove = "Last move: ";
  chooseVariant(KrunkClassic);
  // As designed, before a game is chosen.
  status_.gameCaption = "Game = Krunk";
  designShown_ = true;
}

Target CubeWindow::clickRegion(int n) const {
  if (n < 0 || n >= kRegions) return {};
  return Target::line(placeOfRegion_[std::size_t(n)]);
}

// ---- The picture ----

Scene CubeWindow::scene() const {
  Scene s{.width = kWidth, .height = kHeight, .pixelsPerUnit = kPixelsPerTwip, .fixedSize = true};
  const View& view = views().current();
  const bool hideIdle = menus_.at("hide").checked && colourGame();
  const bool tolva = variant() == Tolva;
  std::vector<char> hinted(kLines + 1, 0);
  if (tolva && menus_.at("hint.best").checked)
    for (int l : nonScoringLines()) hinted[std::size_t(l)] = 1;

  auto scoresNothing = [&](int line) {
    const auto& cells = graph_.lineCells[std::size_t(line)];
    return std::none_of(cells.begin(), cells.end(), [&](int c) { return rules_.cellOwner(c) != 0; });
  };
  // Under the Lines: the Best Hint's marks.
  for (int place = 1; place <= kLines; ++place)
    s.strokes.push_back({.a = at(lattice_.from(place)),
                         .b = at(lattice_.to(place)),
                         .colour = kHintColour,
                         .width = 12,
                         .visible = hinted[std::size_t(view.line(place))] != 0});
  for (int place = 1; place <= kLines; ++place) {
    const int line = view.line(place);
    const LineDraw& d = drawing_.lines[std::size_t(line)];
    const bool idle = hideIdle && rules_.claimed(line) && scoresNothing(line);
    s.strokes.push_back({.a = at(lattice_.from(place)),
                         .b = at(lattice_.to(place)),
                         .colour = d.colour,
                         .width = double(idle ? std::min(d.width, kHiddenWidth) : d.width),
                         .visible = d.visible,
                         .number = line});
  }
  // A square's mark, its diagonal: in its owner's colour once scored; as designed before
  // a game is chosen.
  for (int place = 1; place <= kSquares; ++place) {
    const auto corners = lattice_.corners(place);
    const int owner = rules_.cellOwner(view.circle(place));
    s.strokes.push_back({.a = at(corners[0]),
                         .b = at(corners[2]),
                         .colour = owner == 1 ? kRed : owner == 2 ? kBlue : kUnclaimedLine,
                         .width = owner != 0 ? 4.0 : 1.0,
                         .dotted = owner == 0,
                         .visible = designShown_ || owner != 0});
  }
  for (int z = 0; z <= 2; ++z)
    for (int y = 0; y <= 2; ++y)
      for (int x = 0; x <= 2; ++x) s.dots.push_back({at({x, y, z}), 4});

  for (int place = 1; place <= kSquares; ++place) {
    const int square = view.circle(place);
    const CircleDraw& d = drawing_.circles[std::size_t(square)];
    Point2 centre;
    for (Dot3 c : lattice_.corners(place)) centre = {centre.x + at(c).x / 4, centre.y + at(c).y / 4};
    s.shapes.push_back({.kind = Shape::Kind::Oval,
                        .centre = centre,
                        .radiusX = kCircleWidth / 2,
                        .radiusY = kCircleHeight / 2,
                        .border = d.border,
                        .fill = d.fill,
                        .visible = d.targetVisible,
                        .target = Target::circle(place)});
    // The square's number inside, light on a player's fill.
    s.texts.push_back({.at = centre,
                       .text = std::to_string(square),
                       .fore = d.fill == kRed || d.fill == kBlue ? Colour(0xFFFFFF) : kBlack,
                       .size = 10,
                       .visible = d.targetVisible});
  }
  for (int r = 0; r < kRegions; ++r) {
    const int place = placeOfRegion_[std::size_t(r)];
    const auto& pieces = kRegionsOfLine[std::size_t(place)];
    const auto k = double(std::find(pieces.begin(), pieces.end(), r) - pieces.begin()), n = double(pieces.size());
    const Point2 a = at(lattice_.from(place)), b = at(lattice_.to(place));
    auto along = [&](double t) { return Point2{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; };
    s.shapes.push_back({.kind = Shape::Kind::Region,
                        .points = {along(k / n), along((k + 1) / n)},
                        .radiusX = kRegionReach,
                        .visible = drawing_.lines[std::size_t(view.line(place))].targetVisible,
                        .target = Target::line(place)});
  }

  s.texts.push_back({.at = {5400, 300}, .text = "View " + std::to_string(views().number()), .size = 14});
  return s;
}

// ---- What the board says, for the checks ----

std::pair<int, int> CubeWindow::pointsOnBoard() const {
  // The Classic games and Line Krunk count the colours; the others keep what they scored,
  // shown in the circles.
  if (colourGame() && cellCount() == LineGame::CellCount::ByColour)
    return countPointsOnBoard(graph_, true, {kRed, kRedTurnText});
  return countPointsOnBoard(graph_, false, {});
}

std::optional<std::string> CubeWindow::movesLeftOnBoard() const { return movesText(movesLeft()); }

std::optional<std::pair<int, int>> CubeWindow::secondScore() const {
  std::pair<int, int> cubes;
  for (int c = 1; c <= kCubes; ++c) {
    cubes.first += settled_[std::size_t(c)] == 1;
    cubes.second += settled_[std::size_t(c)] == 2;
  }
  return cubes;
}

std::vector<int> CubeWindow::cubeOwners() const {
  std::vector<int> out(kCubes + 1, 0);
  for (int c = 1; c <= kCubes; ++c) out[std::size_t(c)] = settled_[std::size_t(c)] == 3 ? 0 : settled_[std::size_t(c)];
  return out;
}

int CubeWindow::movesLeft() const {
  return lineGame() ? kLines - rules_.claimedLineCount() : rules_.unusedCircles();
}

void CubeWindow::showMovesLeft() {
  status_.movesLeft = movesText(movesLeft());
  // The Super Hint is kept up to date with the count.
  status_.hint = superHint(variant() == Tolva);
}

// ---- Menus and buttons ----

void CubeWindow::onMenu(const std::string& id) {
  if (id == "hint.computer" || id == "hint.super" || id == "hint.best") toggleTolvaHint(id, variant() == Tolva);
  else if (id == "cumulative") status_.totalsShown = menus_.at(id).checked = !menus_.at(id).checked;
  else if (id == "hide") menus_.at(id).checked = !menus_.at(id).checked;
}

void CubeWindow::onControl(const Control& c) {
  // "<<" shows the next view, ">>" the one before, round and round.
  turnView(c.id == "view.up" ? 1 : -1);
}

void CubeWindow::variantChosen() {
  designShown_ = false;
  rules_.setScoring({.manyScored = {"  Double score!      Two cool!",
                                    lineKrunk() ? "  Triple score!      Awesome!" : "  Triple score!      Wow!",
                                    "  Quadruple score!    Amazing!"}});
  for (const char* hint : {"hint.computer", "hint.super", "hint.best"}) menus_.at(hint).checked = false;
  for (const char* hint : {"hint.super", "hint.best"}) menus_.at(hint).enabled = lineGame();
  if (!lineGame()) menus_.at("game.grid").checked = false;
  showMovesLeft();
}

void CubeWindow::openGame() {
  settled_ = {};
  rules_.setClaimWidth(kClaimedWidth);
  openWithBlue();
}

// ---- Line games ----

void CubeWindow::onLineClick(int n) {
  if (rules_.moveLock() || status_.gameOver) return;
  if (rules_.claimed(n)) {
    status_.turnText = "Invalid move!";
    return;
  }
  playLine(n, rules_.toMove());
}

void CubeWindow::playLine(int n, Player mover) {
  designShown_ = false;  // a game has begun: the marks show only scored squares
  rules_.takeTurn();
  // In Line Krunk a Line wears the turn text's colour.
  rules_.claimLine(n, lineKrunk() ? turnColourOf(mover) : lineColour(mover), marker(mover), mover);
  status_.lastMove = "Last move: " + std::to_string(n);
  timer_.reset();
  evaluateLine(mover, n);
}

void CubeWindow::evaluateLine(Player mover, int line) {
  lockSetup();
  timer_.stop();
  if (!lineKrunk()) {
    rules_.checkwins(LineRule::Tolva);
    settleCubes(mover);
  } else {
    const std::vector<int> before = rules_.cellOwners();
    rules_.recount(LineGame::CellCount::ByColour, {kRed, kRedTurnText});
    settleCubes(mover);
    const int won = rules_.newlyWon(mover, before, {line});
    if (won > 0) {
      rules_.setToggle(mover == Player::Red ? 1 : 0);
      status_.yourTurn = {mover == Player::Red, mover == Player::Blue, false};
    }
    rules_.announce(LineRule::Tolva, mover, won);
  }
  showMovesLeft();
  const int left = movesLeft();
  if (left == 1 && variant() == LineKrunkMove) {
    // The last Line plays itself, in black, for nobody.
    const int last = [&] {
      for (int l = 1; l <= kLines; ++l)
        if (!rules_.claimed(l)) return l;
      return 0;
    }();
    rules_.paintLine(last, kBlack);
    status_.lastMove = "Last move: " + std::to_string(last);
    rules_.recount(LineGame::CellCount::ByColour, {kRed, kRedTurnText});
    settleCubes(rules_.toMove());
    status_.turnText = "Krunk!";
    status_.turnColour = kBlack;
    showMovesLeft();
  }
  finishOrHandOver(movesLeft());
}

// ---- Circle games ----

LineGame::CellCount CubeWindow::cellCount() const {
  if (variant() == PlexaSquares) return LineGame::CellCount::KeepClaimed;
  if (variant() == KrunkClassic || variant() == SuperClassic || lineKrunk()) return LineGame::CellCount::ByColour;
  return LineGame::CellCount::KeepByColour;
}

std::vector<int> CubeWindow::claimedSquares(int s) const {
  if (!superKrunk()) return {s};
  const int first = (s - 1) / 4 * 4 + 1, k = s - first;
  // The first and fourth of a group touch the second and third, and the other way round.
  return k == 0 || k == 3 ? std::vector<int>{s, first + 1, first + 2} : std::vector<int>{s, first, first + 3};
}

void CubeWindow::onCircleClick(int s) {
  if (rules_.moveLock() || status_.gameOver) return;
  if (rules_.circleUsed(s)) {
    status_.turnText = "Invalid move!";
    return;
  }
  designShown_ = false;
  playColourCircle(s, rules_.toMove());
}

GameController::ColourCircles CubeWindow::colourCircles() const {
  return {.count = cellCount(), .claimWidth = superKrunk() ? kSuperWidth : kClaimedWidth, .krunkMove = krunkMove()};
}

std::vector<int> CubeWindow::circleLines(int s) const {
  std::vector<int> lines;
  for (int square : claimedSquares(s))
    for (int l : graph_.cellSides[std::size_t(square)]) lines.push_back(l);
  return lines;
}

// ---- Cubes ----

void CubeWindow::settleCubes(std::optional<Player> tie) {
  for (int c = 1; c <= kCubes; ++c) {
    if (settled_[std::size_t(c)] != 0) continue;
    const auto& squares = lattice_.cubeSquares(c);
    const bool done = lineGame() ? std::all_of(lattice_.cubeLines(c).begin(), lattice_.cubeLines(c).end(),
                                               [&](int l) { return rules_.claimed(l); })
                                 : std::all_of(squares.begin(), squares.end(), [&](int s) { return rules_.circleUsed(s); });
    if (!done) continue;
    int red = 0, blue = 0;
    for (int s : squares) {
      red += rules_.cellOwner(s) == 1;
      blue += rules_.cellOwner(s) == 2;
    }
    const std::optional<Player> to = red > blue ? Player::Red : blue > red ? Player::Blue : tie;
    settled_[std::size_t(c)] = to ? marker(*to) : 3;
    const Colour colour = !to ? kBlack : lineKrunk() ? turnColourOf(*to) : lineColour(*to);
    for (int l : lattice_.cubeLines(c)) rules_.recolour(l, colour);
    if (colourGame()) rules_.recount(cellCount(), {kRed, kRedTurnText}, to.value_or(Player::Red));
  }
}

// ---- The computer (Red) ----

void CubeWindow::computerTurn() {
  if (lineGame())
    schedule(kPauseMs, [this] { computerLine(); });
  else
    schedule(kPauseMs, [this] { computerCircle(); });
}

void CubeWindow::computerLine() {
  warnNoGoodMoves(variant() == Tolva);
  if (const int line = previewGreedyLine(kClaimedWidth))
    schedule(kPauseMs, [this, line] { playLine(line, Player::Red); });
}

void CubeWindow::computerCircle() {
  if (const int s = previewColourCircle()) schedule(kPauseMs, [this, s] { playColourCircle(s, Player::Red); });
}

}  // namespace kp
