#include "boards/fourd/wireframe_window.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <utility>


namespace kp {

namespace {

using W = WireframeWindow;
using T = TesseractBoard;

constexpr const char* kStartLine = "Click a line to start playing";
constexpr const char* kStartCircle = "Click a circle to start playing";

const std::vector<VariantEntry> kVariants = {
    {.index = W::Tolva,
     .caption = "&Tolva",
     .boardCaption = "Game = Tolva",
     .tip = "Whoever claims a square's fourth line scores it and moves again; 1, 2, 3 at once tally 1000, 4000, 7000",
     .prompt = kStartLine},
    {.index = W::Duarn,
     .caption = "&Duarn (2 Player only)",
     .boardCaption = "Game = Duarn",
     .tip = "A square scores only when all four of its lines are the mover's own; the turn always passes",
     .twoPlayerOnly = true,
     .prompt = kStartLine},
    {.index = W::Plexa,
     .caption = "&Plexa",
     .boardCaption = "Game = Plexa",
     .tip = "The cubes score, not the squares: whoever claims a cube's twelfth line scores it and moves again",
     .prompt = kStartLine},
    {.index = W::KrunkClassic,
     .caption = "Krunk  (Classic)",
     .boardCaption = "Game = Krunk (Classic)",
     .tip = "A square's label claims its four lines in your colour; a square is yours while all four are your colour",
     .circles = true,
     .prompt = kStartCircle},
    {.index = W::KrunkSetCount,
     .caption = "Krunk  (Set count)",
     .boardCaption = "Game = Krunk (Set count)",
     .tip = "A square's label claims its four lines in your colour; the first to colour all four keeps the square",
     .circles = true,
     .prompt = kStartCircle},
    {.index = W::LineKrunk,
     .caption = "Line Krunk",
     .boardCaption = "Game = Line Krunk",
     .tip = "Lines in your colour; a square is yours while all four of its lines are your colour; a line winning one "
            "moves again",
     .prompt = kStartLine},
};

// What a turn of the Rotate and Internal buttons shows.
constexpr const char* kNextInside = "Turn on to the next view the long way round, through the inside of the tesseract";
constexpr const char* kBeforeInside =
    "Turn back to the view before the long way round, through the inside of the tesseract";

constexpr InvalidMove kTaken{
    .text = "Invalid move. You have clicked on a move already taken or clicked too close to a line which was already "
            "filled in. Please try again."};

constexpr int kPauseMs = 1000;            // the computer's Line shown in yellow first
constexpr int kHighlightMs = 1500;        // a cube just completed in Plexa
constexpr int kFrameMs = 30;              // the picture turning
constexpr double kDegreesPerFrame = 7.5;  // a quarter turn in 12 frames
constexpr int kClaimMain = kWireframeClaimWidth;


}  // namespace

WireframeWindow::WireframeWindow(Host& host, ProgramState& program)
    : GameController(host, program, WindowKind::Wireframe) {
  FrameMenus frame;
  frame.game = {
      {.id = "game.new", .caption = "New", .shortcut = "F5"},
      {.id = "game.exit", .caption = "E&xit", .shortcut = "F9"},
      {.id = "game.about", .caption = "&About...", .shortcut = "F2"},
  };
  frame.subLevels = MenuEntry{.id = "sub", .caption = "&Sub-Levels"};
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
  MenuEntry grid{.id = "grid", .caption = "G&rid"};
  grid.children = {
      {.id = "grid.thin", .caption = "&Minimize fatness of lines", .checkable = true},
      {.id = "grid.accurate",
       .caption = "Show it in 4D accurately (without seeing through it, other than normally)",
       .checkable = true},
      {.id = "cumulative", .caption = "Cumulative scores", .checkable = true, .checked = true},
      {.id = "game.grid", .caption = "Show grid", .shortcut = "F12", .checkable = true},
  };
  MenuEntry keypad{.id = "keypad", .caption = "&Keypad"};
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

  controls_ = {{.id = kNewGameButton, .caption = "New Game", .tip = kNewGameTip},
               {.id = "rot.left", .caption = "<", .tip = "Turn the tesseract a quarter turn back: the view before",
                .group = "Rotate"},
               {.id = "rot.right", .caption = ">", .tip = "Turn the tesseract a quarter turn on: the next view",
                .group = "Rotate"},
               {.id = "rot.half", .caption = "_/", .tip = "Turn the tesseract half round: the view two on",
                .group = "Rotate"},
               {.id = "in.up", .caption = "^", .tip = kNextInside, .group = "Internal"},
               {.id = "in.right", .caption = ">", .tip = kNextInside, .group = "Internal"},
               {.id = "in.down", .caption = "\\/", .tip = kBeforeInside, .group = "Internal"},
               {.id = "in.left", .caption = "\\_", .tip = kBeforeInside, .group = "Internal"},
               {.id = "in.home", .caption = "-/", .tip = "Turn back to View 1, through the inside of the tesseract",
                .group = "Internal"}};
  for (int d = 1; d <= kCubes; ++d) {
    const std::string key = T::cube(T::cubeDrawn(d)).key;
    std::string colour = key;
    std::transform(colour.begin(), colour.end(), colour.begin(), [](unsigned char c) { return std::tolower(c); });
    controls_.push_back({.id = "key." + std::to_string(d),
                         .caption = key,
                         .tip = "Show or hide the " + colour + " cube in the inverse view",
                         .checkBox = true,
                         .checked = true,
                         .onBoard = true});
  }
  for (auto [mysterious, view] : {std::pair{"Mysterious 1", "main"}, {"Mysterious 2", "inverse"}})
    controls_.push_back({.id = mysterious,
                         .caption = mysterious,
                         .tip = std::string("Mark the middle of every cube with a dot in its colour, in the ") + view +
                                " view",
                         .checkBox = true,
                         .onBoard = true});
  controls_.push_back({.id = "dashes",
                       .caption = "Show as dashes",
                       .tip = "Draw the cube strokes of the free lines dotted",
                       .checkBox = true,
                       .onBoard = true});
  controls_.push_back({.id = "dots",
                       .caption = "Show dots",
                       .tip = "Show the 16 corners of the tesseract",
                       .checkBox = true,
                       .onBoard = true});
  for (int i = 0; i < kCubePairs; ++i)
    controls_.push_back({.id = "pair." + std::to_string(i),
                         .caption = cubePairCaption(i),
                         .tip = cubePairTip(i),
                         .checkBox = true,
                         .onBoard = true});

  setBoardSize(kLines, kSquares);
  for (int l = 1; l <= kLines; ++l) drawing_.lines[std::size_t(l)].width = kWireframeFreeWidth;
  for (int s = 1; s <= 3; ++s) addView(T::view(s));
  rules_.setGraph(&graph_);
  cubeTable_ = rules_.addUnits(T::cubeTable());
  rules_.rememberInitialLines();
  rules_.setScoring({.manyScored = {"  Double score!      Two cool!", "  Triple score!      Awesome!",
                                    " Quadruple score!   Killer move!"},
                     .tally = {1000, 4000, 7000, 10000},
                     .byScore = true});
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

WireframeInputs WireframeWindow::pictureInputs() const {
  const bool lineScored = variant() == Tolva || variant() == Duarn || variant() == Plexa;
  return {.rules = rules_,
          .view = views().current(),
          .viewNumber = views().number(),
          .closed = closedLines(),
          .hinted = variant() == Tolva && options().hintBest ? nonScoringLines(rules_, closedLines()) : std::vector<int>{},
          .highlighted = highlighted_,
          .cheat = cheat_,
          .hideIdle = options().hideIdle && !lineScored,
          .grid = gridShown(),
          .controls = controls_};
}

std::vector<std::vector<LineStrokes>> WireframeWindow::lineStrokes() const {
  return wireframeStrokes(picture_, drawing_, pictureInputs());
}

Scene WireframeWindow::scene() const { return wireframeScene(picture_, drawing_, pictureInputs()); }

// ---- What the board says, for the checks ----

std::pair<int, int> WireframeWindow::pointsOnBoard() const {
  if (variant() == Plexa) return rules_.unitsScored(cubeTable_);
  const bool byColour = variant() == KrunkClassic || variant() == LineKrunk;
  return countPointsOnBoard(rules_, drawing_, graph_, byColour, {kRed, kRedTurnText});
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

std::optional<std::string> WireframeWindow::movesLeftOnBoard() const {
  return movesLeftText(movesLeft(), MovesWording::Plain);
}

void WireframeWindow::showMovesLeft() {
  status_.movesLeft = *movesLeftOnBoard();
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
    picture_.hiddenBase = {};
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

void WireframeWindow::losefour() { picture_.hideHidden(views().current()); }

void WireframeWindow::getfour() { picture_.hiddenUnits = {}; }

void WireframeWindow::backoff() {
  if (thin_) picture_.thinAll();
}

void WireframeWindow::drawClaim(int line) { picture_.drawClaim(line); }

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
  picture_.targetAngle -= 90.0 * way;
  if (!frame_) frame_ = schedule(kFrameMs, [this] { turnFrame(); });
}

void WireframeWindow::turnFrame() {
  frame_ = 0;
  const double gap = picture_.targetAngle - picture_.angle;
  if (std::abs(gap) <= kDegreesPerFrame) return finishTurning();
  picture_.angle += gap > 0 ? kDegreesPerFrame : -kDegreesPerFrame;
  frame_ = schedule(kFrameMs, [this] { turnFrame(); });
}

void WireframeWindow::finishTurning() {
  if (frame_) cancelStep(std::exchange(frame_, 0));
  picture_.targetAngle = std::fmod(picture_.targetAngle, 360.0);
  picture_.angle = picture_.targetAngle;
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
  picture_.thinAll();
  setColourKeysShown(true);
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
  if (rules_.claimed(line)) return refuseMove(variant() == LineKrunk ? InvalidMove{} : kTaken);
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
    const int won =
        krunkCount(rules_, status_, mover, mover, rules_.cellOwners(), {line}, LineGame::CellCount::ByColour);
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
  if (rules_.circleUsed(s)) return refuseMove(kTaken);
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
  return {.count = variant() == KrunkClassic ? LineGame::CellCount::ByColour : LineGame::CellCount::KeepByColour};
}

int WireframeWindow::claimWidth() const { return kClaimMain; }

void WireframeWindow::afterCircle(Player scorer) {
  int won = 0;
  for (int c = 1; c <= kSquares; ++c)
    won += rules_.cellOwner(c) == int(scorer) && ownersBefore_[std::size_t(c)] != int(scorer);
  rules_.addTally(scorer, won);
}

// ---- The computer (Red) ----

ComputerPacing WireframeWindow::computerPacing() const {
  return {.showMs = kPauseMs,
          .width = kClaimMain,
          .table = variant() == Plexa ? cubeTable_ : 0,
          .closed = closedLines(),
          .warnsNoGoodMoves = variant() == Tolva};
}

void WireframeWindow::computerPlays(int choice) {
  if (circleVariant()) playCircle(choice, Player::Red);
  else playLine(choice, Player::Red);
}

}  // namespace kp
