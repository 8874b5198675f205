#pragma once
// A board built only from the engine's vocabulary for boards in space, to show that it
// carries one: a unit cube in 3D (12 Lines; its 6 faces are the Cells, the cube itself a
// second table of scoring units), its scene drawn from 3D points (the hidden edges dotted
// while a check box on the board says so), with two views (as it stands, and turned a
// quarter about the upright axis). Tolva scores the faces; Plexa scores the cube, keeps a
// points tally and judges by points and by score. The computer closes the lowest-numbered
// unit first.
#include <array>
#include <memory>
#include <numeric>

#include "core/game_controller.h"
#include "core/greedy_choice.h"
#include "core/projection.h"

namespace kp::testing {

class UnitCubeWindow : public GameController {
 public:
  static constexpr int kLines = 12, kFaces = 6;
  static constexpr int kTolva = 0, kPlexa = 1;

  UnitCubeWindow(Host& host, ProgramState& program) : GameController(host, program, WindowKind::Cube) {
    addMenus({{.index = kTolva, .caption = "Tolva", .boardCaption = "Game = Tolva", .prompt = kLinePrompt},
              {.index = kPlexa, .caption = "Plexa", .boardCaption = "Game = Plexa", .prompt = kLinePrompt}},
             false);
    // Two buttons of one caption, told apart by their groups.
    controls_ = {{.id = kNewGameButton, .caption = "New game"},
                 {.id = "turn", .caption = ">", .group = "Turn"},
                 {.id = "back", .caption = ">", .group = "Back"},
                 {.id = "dotted", .caption = "Dotted back", .checkBox = true, .checked = true, .onBoard = true}};

    std::vector<std::vector<int>> faces(kFaces + 1);
    for (int f = 0; f < 6; ++f)  // faces x=0, x=1, y=0, y=1, z=0, z=1
      for (int l = 1; l <= kLines; ++l)
        if (onFace(ends_[l][0], f) && onFace(ends_[l][1], f)) faces[std::size_t(f + 1)].push_back(l);
    graph_ = BoardGraph::fromCellSides(kLines, std::move(faces));

    setBoardSize(kLines, kFaces);
    rules_.setGraph(&graph_);
    rules_.rememberInitialLines();
    std::vector<int> cube(kLines);
    std::iota(cube.begin(), cube.end(), 1);
    cubes_ = rules_.addUnits({{}, cube});
    addView(quarterTurn());
    status_.turnText = kLinePrompt;
    chooseVariant(0);
  }

  int lineCount() const override { return kLines; }
  int circleCount() const override { return kFaces; }
  std::pair<int, int> pointsOnBoard() const override {
    if (variant() == kTolva) return countPointsOnBoard(rules_, drawing_, graph_, false, {kRed});
    const int owner = rules_.unitOwner(cubes_, 1);
    return {owner == 1, owner == 2};
  }

  Scene scene() const override {
    Scene s{.width = 380, .height = 340, .pixelsPerUnit = 1};
    const View& view = views().current();
    const bool dotted = controlNamed("Dotted back")->checked;
    for (int place = 1; place <= kLines; ++place) {
      const int line = view.line(place);
      const LineDraw& d = drawing_.lines[std::size_t(line)];
      const int a = ends_[place][0], b = ends_[place][1];
      s.strokes.push_back({.a = at(a),
                           .b = at(b),
                           .colour = d.colour,
                           .width = double(d.width),
                           .dotted = dotted && (a == kHidden || b == kHidden),
                           .target = d.targetVisible ? Target::line(place) : Target{},
                           .number = line});
    }
    for (int place = 1; place <= kFaces; ++place) {
      const int face = view.circle(place);
      const CircleDraw& d = drawing_.circles[std::size_t(face)];
      Point2 centre{0, 0};
      for (int l : graph_.cellSides[std::size_t(place)]) {
        const int a = ends_[l][0], b = ends_[l][1];
        centre = {centre.x + (at(a).x + at(b).x) / 8, centre.y + (at(a).y + at(b).y) / 8};
      }
      s.shapes.push_back({.centre = centre,
                          .radiusX = 12,
                          .border = d.border,
                          .fill = d.fill,
                          .target = d.targetVisible ? Target::circle(place) : Target{},
                          .number = face});
    }
    for (int c = 0; c < 8; ++c) s.dots.push_back({at(c)});
    s.texts.push_back({.at = {190, 20}, .text = "View " + std::to_string(views().number()), .back = 0xFFFFFF});
    const Control& box = *controlNamed("Dotted back");
    s.checkBoxes.push_back({.control = box.id, .caption = box.caption, .at = {10, 300}, .width = 120, .height = 24,
                            .checked = box.checked});
    return s;
  }
  std::optional<std::string> movesLeftOnBoard() const override { return std::nullopt; }

 protected:
  void onLineClick(int n) override {
    if (rules_.moveLock() || status_.gameOver) return;
    if (rules_.claimed(n)) return message("Invalid move!");
    goOn(claim(n));
  }
  void onCircleClick(int) override {}
  void onMenu(const std::string&) override {}
  void onControl(const Control& c) override {
    if (c.id != "dotted") turnView(c.id == "turn" ? 1 : -1);
  }
  void variantChosen() override {
    // Plexa keeps a tally (1000 for one cube ...) and judges by points, then by score.
    Scoring scoring{.manyScored = {"  Double score!      Two cool!", "   Triple score!     Three!", " Quadruple score!"}};
    if (variant() == kPlexa) {
      scoring.tally = {1000, 4000, 7000, 10000};
      scoring.byScore = true;
    }
    rules_.setScoring(scoring);
  }
  void openGame() override {
    rules_.setToggle(0);
    status_.yourTurn = {false, true, false};
  }
  ComputerPacing computerPacing() const override {
    return {.thinkMs = 500,
            .afterMs = afterMs,
            .marked = false,
            .table = variant() == kPlexa ? cubes_ : 0,
            .whileThinking = thinking,
            .afterPlayed = afterPlayed};
  }
  // The turn goes on once the pause after the computer's move is over.
  void computerPlays(int line) override { computerOutcome_ = claim(line); }
  void computerMoved() override { goOn(computerOutcome_); }

 public:
  // What a person's click does while the computer thinks, and after its move for afterMs.
  Clicks thinking = Clicks::Ignored;
  int afterMs = 0;
  Clicks afterPlayed = Clicks::Ignored;

 protected:

 private:
  // Corner i is (x, y, z) = (i & 1, i >> 1 & 1, i >> 2 & 1). Lines 1-4 run along x,
  // 5-8 along y, 9-12 along z.
  static constexpr int ends_[kLines + 1][2] = {{0, 0}, {0, 1}, {2, 3}, {4, 5}, {6, 7}, {0, 2}, {1, 3},
                                               {4, 6}, {5, 7}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
  static bool onFace(int corner, int f) { return (corner >> (f / 2) & 1) == f % 2; }
  static std::array<int, 3> coords(int corner) { return {corner & 1, corner >> 1 & 1, corner >> 2 & 1}; }
  int lineBetween(int a, int b) const {
    for (int l = 1; l <= kLines; ++l)
      if ((ends_[l][0] == a && ends_[l][1] == b) || (ends_[l][0] == b && ends_[l][1] == a)) return l;
    return 0;
  }
  // A quarter turn about the upright (y) axis: (x, y, z) -> (z, y, 1 - x). The place
  // where the turn puts Line l (or face f) now stands for it. Faces are numbered by axis
  // and side, 2 * axis + side: x = side goes to z = 1 - side, z = side to x = side.
  View quarterTurn() const {
    auto turn = [](int corner) {
      const auto [x, y, z] = coords(corner);
      return z | y << 1 | (1 - x) << 2;
    };
    std::vector<int> lineAt(kLines + 1, 0), unitAt(kFaces + 1, 0);
    for (int l = 1; l <= kLines; ++l) lineAt[std::size_t(lineBetween(turn(ends_[l][0]), turn(ends_[l][1])))] = l;
    const int faceTo[6] = {5, 4, 2, 3, 0, 1};
    for (int f = 0; f < 6; ++f) unitAt[std::size_t(faceTo[f] + 1)] = f + 1;
    return View(lineAt, unitAt);
  }
  // The oblique picture of a corner, the cube 200 across.
  static Point2 at(int corner) {
    const auto [x, y, z] = coords(corner);
    const Point2 p = oblique(Point3{200.0 * x, 200.0 * (1 - y), 200.0 * z}, 0.5, 30);
    return Point2{p.x + 40, p.y + 90};
  }
  // Line n claimed by the player to move and scored.
  Outcome claim(int n) {
    const Player mover = rules_.takeTurn();
    rules_.claimLine(n, lineColour(mover), int(mover), mover);
    lockSetup();
    timer_.stop();
    return rules_.checkwins(LineRule::Tolva, variant() == kPlexa ? cubes_ : 0);
  }
  void goOn(Outcome outcome) {
    if (outcome == Outcome::GameOver)
      finishGame();
    else
      handOver();
  }

  // The corner hidden behind the others in the picture: (0, 0, 1).
  static constexpr int kHidden = 4;
  BoardGraph graph_;
  int cubes_ = 0;
  Outcome computerOutcome_ = Outcome::GoesOn;
};

}  // namespace kp::testing
