#pragma once
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "boards/fourd/tesseract.h"
#include "boards/fourd/wireframe_picture.h"
#include "core/game_controller.h"
#include "core/line_game.h"

namespace kp {

// The wire-frame window: the tesseract drawn twice from its 4D corners, large in the main
// view and small, from the opposite side, in the inverse view. Every Line is a base stroke
// with a thin stroke beside it in the colour of each of its three cubes. The number labels
// stay where they are while the tesseract turns under them (orientation s, 0..3): label k
// names Line R^s(k). Line games (Tolva, Duarn, Plexa on the cubes, Line Krunk) and the
// Krunk games on the squares' circles.
class WireframeWindow : public GameController {
 public:
  // Menu indices of the Games menu (3 and 6 are separators).
  enum Variant { Tolva = 0, Duarn = 1, Plexa = 2, KrunkClassic = 4, KrunkSetCount = 5, LineKrunk = 7 };
  static constexpr int kLines = TesseractBoard::kLines, kSquares = TesseractBoard::kSquares,
                       kCubes = TesseractBoard::kCubes;

  WireframeWindow(Host& host, ProgramState& program);

  Scene scene() const override;
  int lineCount() const override { return kLines; }
  int circleCount() const override { return kSquares; }
  std::pair<int, int> pointsOnBoard() const override;
  std::optional<std::string> movesLeftOnBoard() const override;
  // Its second verdict counts the units scored: cubes in Plexa, else squares.
  std::string_view scoreUnits() const override { return variant() == Plexa ? "cubes" : "squares"; }
  // Its cubes, its orientation and every Line's strokes.
  void report(BoardReport& r) const override;
  std::vector<std::vector<LineStrokes>> lineStrokes() const;

  // Whether the picture is still turning to the orientation.
  bool turning() const { return picture_.turning(); }
  bool halfLevel() const { return halfLevel_; }
  // The Lines that take no move on the "1/2 Level" (none on "Normal").
  const std::vector<int>& closedLines() const;

 protected:
  void onLineClick(int n) override;
  void onCircleClick(int s) override;
  void onMenu(const std::string& id) override;
  void onControl(const Control& c) override;
  void openGame() override;
  void variantChosen() override;
  ComputerPacing computerPacing() const override;
  void computerPlays(int choice) override;
  void onePlayerRefused() override;

 private:
  bool lineGame() const { return !circleVariant(); }
  bool accurate() const { return accurate_; }
  ColourCircles colourCircles() const override;
  int claimWidth() const override;
  void afterCircle(Player scorer) override;
  void showMovesLeft() override;
  int movesLeft() const;

  void playLine(int line, Player mover);
  void evaluateLine(Player mover, int line);
  void playCircle(int s, Player mover);
  // After a move: "New Game" is the default button while the game is over.
  void settle();

  // The claim drawing: the Line's cube strokes thick in both pictures.
  void drawClaim(int line);
  // Every cube stroke back to width 1, while "&Minimize fatness of lines" is checked.
  void backoff();
  // The accurate 4D view: hide the Lines at the corner farthest from the eye in the main
  // view and at the nearest corner in the inverse view (those drawn there now); show their
  // cube strokes again (a base stroke shows again once its Line is claimed).
  void losefour();
  void getfour();
  void setAccurate(bool on);
  void explainAccurate(int box);

  // Turns the tesseract by `quarters` quarter turns (-3 to 3), animated; with `inside` the
  // picture goes the other way round to the same orientation.
  void turnBy(int quarters, bool inside);
  void turnFrame();
  void finishTurning();
  void useLevel(bool half);
  void setColourKeysShown(bool shown);

  // What the picture shows beyond its own state.
  WireframeInputs pictureInputs() const;

  // The window's own options: "Cheat", "&Minimize fatness of lines", the accurate 4D view,
  // the "1/2 Level".
  bool cheat_ = false, thin_ = false, accurate_ = false, halfLevel_ = false;
  int orientation_ = 0;
  StepId frame_ = 0;  // the next frame of the turning picture, while one is scheduled
  WireframePicture picture_;
  std::vector<int> highlighted_;       // cubes just completed in Plexa, shown for a while
  std::vector<int> ownersBefore_;      // the squares' owners before a circle move
  BoardGraph graph_ = TesseractBoard::graph();
  int cubeTable_ = 0;
};

}  // namespace kp
