#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "boards/cube/lattice.h"
#include "core/game_controller.h"
#include "core/line_game.h"

namespace kp {

// The games of a lattice of cubes: Line games (Tolva, Line Krunk) on the Lines, circle
// games (Plexa on squares, the Krunk and Super Krunk Plus games) on the squares' circles; a
// cube whose squares are all played settles for one player. The cube and the walls are
// windows of this family: each brings its lattice, its picture and its views.
class CubeGamesWindow : public GameController {
 public:
  // Menu indices of the Games menu (6, 10, 13 and 16 are separators; 2, 4 and 5 hidden).
  enum Variant {
    Tolva = 1,
    PlexaLines = 2,
    PlexaSquares = 3,
    LineKrunk = 7,
    KrunkClassic = 8,
    KrunkSetCount = 9,
    SuperClassic = 11,
    SuperSetCount = 12,
    KrunkMove = 14,
    SuperKrunkMove = 15,
    LineKrunkMove = 17,
  };

  int lineCount() const override { return lattice_.lineCount(); }
  int circleCount() const override { return lattice_.squareCount(); }
  std::pair<int, int> pointsOnBoard() const override;
  std::optional<std::string> movesLeftOnBoard() const override;
  std::optional<std::pair<int, int>> secondScore() const override;
  void report(BoardReport& r) const override;

  const cube::Lattice& lattice() const { return lattice_; }

 protected:
  // What sets a window of the family apart: its Game menu, any menu of boards, and what
  // its view buttons show.
  struct Style {
    std::vector<MenuEntry> game;
    std::optional<MenuEntry> subLevels;
    ViewTips views;
  };
  CubeGamesWindow(Host& host, ProgramState& program, WindowKind kind, cube::Lattice lattice, Style style);

  // Another lattice between games: the drawing and the rules start again on it (the views
  // are the window's to add).
  void useLattice(cube::Lattice lattice);

  // How a window draws its lattice: where each Dot goes, the picture's size and its circles.
  struct Picture {
    std::function<Point2(cube::Dot3)> at;
    double width = 0, height = 0, pixelsPerUnit = 1;
    double circleWidth = 24, circleHeight = 19;  // a square's circle, in the picture's units
    double textSize = 10;                          // a square's number inside its circle
    bool lineTargets = false;                      // Lines take clicks on their strokes
    Point2 viewLabel;                              // where "View n" is written
  };
  // The Best Hint's marks, the Lines, the squares' marks, the Dots, the circles and the
  // view's number, for the view shown.
  Scene latticeScene(const Picture& picture) const;
  // The colour a Line is drawn in while nobody has it: by the plane it lies in.
  Colour planeColour(int line) const;

  void onLineClick(int n) override;
  void onCircleClick(int s) override;
  void onMenu(const std::string& id) override;
  void onControl(const Control& c) override;
  void openGame() override;
  void variantChosen() override;
  ComputerPacing computerPacing() const override;
  void computerPlays(int choice) override;

  // No game chosen or begun yet: the window as designed (the cube shows its squares' marks).
  bool designShown_ = false;

 private:
  bool lineGame() const { return !circleVariant(); }
  bool superKrunk() const { return variant() == SuperClassic || variant() == SuperSetCount || variant() == SuperKrunkMove; }
  bool krunkMove() const { return variant() == KrunkMove || variant() == SuperKrunkMove || variant() == LineKrunkMove; }
  bool lineKrunk() const { return variant() == LineKrunk || variant() == LineKrunkMove; }
  // The games judged by the colours of the Lines (the Krunk circle games).
  bool colourGame() const { return circleVariant() && variant() != PlexaSquares; }
  LineGame::CellCount cellCount() const;

  ColourCircles colourCircles() const override;
  int claimWidth() const override;
  void addCircleLines(int s, std::vector<int>& lines) const override;
  void afterCircle(Player scorer) override { settleCubes(scorer); }
  void showMovesLeft() override;
  void playLine(int n, Player mover);
  // After a Line move: the squares completed, the cubes settled, the turn, the end.
  void evaluateLine(Player mover);
  // Every cube played out and not settled yet settles: for the player holding more of its
  // squares, on a tie for `tie`; its Lines are redrawn in that player's colour.
  void settleCubes(std::optional<Player> tie);
  int movesLeft() const;

  cube::Lattice lattice_;
  // Its own object for each lattice: the rules start afresh on a graph they have not seen.
  std::unique_ptr<BoardGraph> graph_;
  std::vector<std::vector<int>> superLines_;  // [square] -> the Lines a Super Krunk Plus circle there claims
  std::vector<int> settled_;  // [cube] -> 0 not yet, 1 Red, 2 Blue, 3 nobody
};

}  // namespace kp
