#pragma once
// A board built only from the engine's vocabulary for boards in space, to show that it
// carries one: a unit cube in 3D (12 Lines, its 6 faces and the cube itself as scoring
// units), drawn from 3D points, with two views (as it stands, and turned a quarter about
// the upright axis). Played with the Tolva rule; the computer closes the lowest-numbered
// unit first.
#include <array>
#include <map>
#include <memory>

#include "core/game_controller.h"
#include "core/greedy_choice.h"
#include "core/projection.h"

namespace kp::testing {

class UnitCubeWindow : public GameController {
 public:
  static constexpr int kLines = 12, kUnits = 7;

  UnitCubeWindow(Host& host, ProgramState& program) : GameController(host, program, WindowKind::Cube) {
    addGameMenu();
    addOtherGamesMenu();
    addGamesMenu({{0, "Tolva", "Game = Tolva", false, false, kLinePrompt}});
    addOptionsMenu();
    addHelpMenu();
    // Two buttons of one caption, told apart by their groups.
    controls_ = {{.id = kNewGameButton, .caption = "New game"},
                 {.id = "turn", .caption = ">", .group = "Turn"},
                 {.id = "back", .caption = ">", .group = "Back"}};

    // Corner i is (x, y, z) = (i & 1, i >> 1 & 1, i >> 2 & 1). Lines 1-4 run along x,
    // 5-8 along y, 9-12 along z.
    for (int axis = 0; axis < 3; ++axis)
      for (int k = 0; k < 4; ++k) {
        const int other1 = (axis + 1) % 3, other2 = (axis + 2) % 3;
        const int from = (k & 1) << std::min(other1, other2) | (k >> 1) << std::max(other1, other2);
        ends_[std::size_t(1 + 4 * axis + k)] = {from, from | 1 << axis};
      }
    std::vector<std::vector<int>> units(kUnits + 1);
    for (int f = 0; f < 6; ++f)  // faces x=0, x=1, y=0, y=1, z=0, z=1
      for (int l = 1; l <= kLines; ++l)
        if (onFace(ends_[l][0], f) && onFace(ends_[l][1], f)) units[std::size_t(f + 1)].push_back(l);
    for (int l = 1; l <= kLines; ++l) units[kUnits].push_back(l);
    graph_ = BoardGraph::fromCellSides(kLines, std::move(units));

    setBoardSize(kLines, kUnits);
    rules_.setGraph(&graph_);
    rules_.rememberInitialLines();
    rules_.setScoring({.manyScored = {"  Double score!      Two cool!", "   Triple score!     Three!", " Quadruple score!"}});
    addView(quarterTurn());
    buildPicture();
    status_.turnText = kLinePrompt;
    chooseVariant(0);
  }

  const BoardGeometry& geometry() const override { return geometry_; }
  int lineCount() const override { return kLines; }
  int circleCount() const override { return kUnits; }
  std::pair<int, int> pointsOnBoard() const override { return countPointsOnBoard(graph_, false, {kRed}); }
  std::optional<std::string> movesLeftOnBoard() const override { return std::nullopt; }

 protected:
  void onLineClick(int n) override {
    if (rules_.moveLock() || status_.gameOver) return;
    if (rules_.claimed(n)) return message("Invalid move!");
    const Player mover = rules_.takeTurn();
    rules_.claimLine(n, lineColour(mover), int(mover), mover);
    evaluate();
  }
  void onCircleClick(int) override {}
  void onMenu(const std::string&) override {}
  void onControl(const Control& c) override { turnView(c.id == "turn" ? 1 : -1); }
  void openGame() override {
    rules_.setToggle(0);
    status_.yourTurn = {false, true, false};
  }
  void computerTurn() override {
    schedule(500, [this] {
      const int line = chooseGreedy(graph_.cellSides, rules_, drawing_, Completing::LowestUnitFirst, program_.random);
      rules_.setMoveLock(false);
      onLineClick(line);
    });
  }

 private:
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
    std::vector<int> lineAt(kLines + 1, 0), unitAt(kUnits + 1, kUnits);
    for (int l = 1; l <= kLines; ++l) lineAt[std::size_t(lineBetween(turn(ends_[l][0]), turn(ends_[l][1])))] = l;
    const int faceTo[6] = {5, 4, 2, 3, 0, 1};
    for (int f = 0; f < 6; ++f) unitAt[std::size_t(faceTo[f] + 1)] = f + 1;
    return View(lineAt, unitAt);
  }
  void buildPicture() {
    auto at = [](int corner) {
      const auto [x, y, z] = coords(corner);
      const Point2 p = oblique(Point3{200.0 * x, 200.0 * (1 - y), 200.0 * z}, 0.5, 30);
      return Point2{p.x + 40, p.y + 90};
    };
    geometry_.lines.resize(kLines + 1);
    for (int l = 1; l <= kLines; ++l) geometry_.lines[std::size_t(l)] = {at(ends_[l][0]), at(ends_[l][1])};
    geometry_.circles.resize(kUnits + 1);
    for (int u = 1; u <= kUnits; ++u) {
      Point2 centre{0, 0};
      for (int l : graph_.cellSides[u]) {
        const Segment& s = geometry_.lines[std::size_t(l)];
        centre = {centre.x + s.a.x + s.b.x, centre.y + s.a.y + s.b.y};
      }
      const double n = 2.0 * double(graph_.cellSides[u].size());
      geometry_.circles[std::size_t(u)] = {centre.x / n, centre.y / n};
    }
    geometry_.circleRadius = 12;
    for (int c = 0; c < 8; ++c) geometry_.dots.push_back(at(c));
    geometry_.width = 380;
    geometry_.height = 340;
  }
  void evaluate() {
    lockSetup();
    timer_.stop();
    if (rules_.checkwins(LineRule::Tolva) == Outcome::GameOver) finishGame();
    else handOver();
  }

  std::array<std::array<int, 2>, kLines + 1> ends_{};
  BoardGraph graph_;
  BoardGeometry geometry_;
};

}  // namespace kp::testing
