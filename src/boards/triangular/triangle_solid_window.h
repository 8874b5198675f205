#pragma once
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "boards/triangular/triangle_solid_picture.h"
#include "core/game_controller.h"
#include "core/line_game.h"

namespace kp {

// What the windows of the solids cut into triangles share (the tetrahedron, the 4D
// simplex): Tolva on the Lines, the Krunk and Super Krunk games on the triangles, the
// computer, the moves-left label, the "<<" and ">>" buttons that turn the views, and the
// pieces of their pictures. A window gives its board and keeps its menus and its picture.
class TriangleSolidWindow : public GameController {
 public:
  // A board: the points by their coordinates (any number of them, the same for every point),
  // [line] -> its two points and [triangle] -> its three Lines (index 0 unused in both).
  // Several boards of one window are the first Lines and triangles of the largest.
  struct Solid {
    std::vector<std::vector<double>> points;
    std::vector<std::pair<int, int>> ends;
    std::vector<std::vector<int>> triangles;
  };

  std::pair<int, int> pointsOnBoard() const override;
  std::optional<std::string> movesLeftOnBoard() const override;

  // How the games of the solids score, for their Games menus: the same on every board.
  static constexpr const char* kTolvaTip = "Whoever claims the third line of a triangle scores it and moves again";
  static constexpr const char* kClassicTip =
      "A triangle's marker claims its three lines in your colour; a triangle is yours while all three are your colour";
  static constexpr const char* kSetCountTip =
      "A triangle's marker claims its three lines in your colour; the first to colour all three keeps the triangle";
  static constexpr const char* kSuperClassicTip =
      "As Krunk (Classic), and a side that is half an edge of the solid claims the edge's other half too";
  static constexpr const char* kSuperSetCountTip =
      "As Krunk (Set count), and a side that is half an edge of the solid claims the edge's other half too";
  static constexpr const char* kKrunkMoveTip =
      "As Krunk (Set count); the last triangle plays itself in black, for nobody";
  static constexpr const char* kSuperKrunkMoveTip =
      "As Super Krunk (Set count); the last triangle plays itself in black, for nobody";

 protected:
  TriangleSolidWindow(Host& host, ProgramState& program, WindowKind kind, Solid solid, ViewTips views);

  // The game chosen, as the rules see it.
  virtual bool superKrunk() const = 0;
  virtual bool krunkMove() const = 0;
  virtual bool classic() const = 0;
  // The window's own menus, after "hide" (non-scoring made moves), which is handled here.
  virtual void onBoardMenu(const std::string&) {}

  void onLineClick(int n) override;
  void onCircleClick(int t) override;
  void onMenu(const std::string& id) override;
  void onControl(const Control& c) override;
  void openGame() override;
  // Every triangle marker drawn in the Krunk games, in Tolva once its triangle is scored.
  void showMarkers();
  ComputerPacing computerPacing() const override;
  void computerPlays(int choice) override;
  std::string circleWord() const override { return "triangle marker"; }
  // Every line game here is Tolva on the triangles.
  bool expertGame() const override { return !circleVariant(); }
  void showMovesLeft() override;

  // The Options menu's own entry: hiding non-scoring made moves.
  static std::vector<MenuEntry> solidOptions();
  // The menus after Options, open in a game as in between: "Grid" with the numbers (shown
  // from the start: they are what a person clicks) and "Keypad".
  static std::vector<MenuEntry> solidMenus();
  // The Lines and triangles drawn: the board's, unless a window shows the next game's
  // board over a finished one.
  virtual int linesShown() const { return lineCount(); }
  virtual int trianglesShown() const { return circleCount(); }
  // The points of a finished game stay as it counted them whatever game is chosen after.
  void gameFinished() override;

  // The picture on a canvas of this size, the points drawn at `at`: every place of the
  // largest board's Lines and triangles (those beyond the board drawn hidden) with the
  // look of what the view shows there, the board's first `dots` points, "View n" on top.
  Scene solidScene(double width, double height, const std::vector<Point2>& at, int dots,
                   const std::function<FreeLineLook(int place)>& freeLook) const;

 private:
  ColourCircles colourCircles() const override;
  int claimWidth() const override;
  // The Lines a triangle move on triangle t claims: its three, and in Super Krunk the far
  // half of every edge of the solid that one of them is half of.
  void addCircleLines(int t, std::vector<int>& lines) const override;
  void playLine(int n, Player mover);
  int movesLeft() const;

  Solid solid_;
  bool finishedByColour_ = false;
  mutable TriangleSolidPicture picture_;
  // [line] -> the Lines that carry it on in a straight row beyond one of its ends.
  std::vector<std::vector<int>> straightOn_;
  std::vector<std::vector<int>> trianglePoints_;  // [triangle] -> its three points
};

}  // namespace kp
