#pragma once
#include <functional>
#include <vector>

#include "boards/triangular/triangle_board.h"
#include "core/game_controller.h"
#include "core/line_game.h"

namespace kp {

// The triangular window: the hexagon of 54 triangles on its Planor and Globoria
// sub-levels, with line games (Tolva, Duarn, Line Krunk) and circle games (Krunk,
// Super Krunk, Super Krunk Plus).
class TriangularWindow : public GameController {
 public:
  // Menu indices of the Games menu (5 is a separator).
  enum Variant { Tolva = 0, Duarn = 1, Krunk = 2, SuperKrunk = 3, SuperKrunkPlus = 4, LineKrunk = 6 };
  // Border of a triangle whose three Lines are all claimed.
  static constexpr Colour kPlayedBorder = 12583104;

  TriangularWindow(Host& host, ProgramState& program);

  const BoardGeometry& geometry() const override { return geometry_; }
  int lineCount() const override { return triangular::kLines; }
  int circleCount() const override { return triangular::kTriangles; }
  double boardScale() const override;
  std::pair<int, int> pointsOnBoard() const override;
  std::optional<std::string> movesLeftOnBoard() const override;

  bool globoria() const { return options().globoria; }
  // After the automatic last move the points stay as the last recount found them.
  bool pointsHeldFromLastRecount() const override { return krunk_; }

 protected:
  void onLineClick(int n) override;
  void onCircleClick(int t) override;
  void onMenu(const std::string& id) override;
  void openGame() override;
  bool computerOpens() const override { return false; }
  void onControl(const Control& c) override;
  void variantChosen() override;
  ComputerPacing computerPacing() const override;
  int computerChoice(const ComputerPacing& pacing) override;
  void computerPlays(int choice) override;
  void computerMoved() override;
  // Line Krunk here is scored as Tolva is: the Expert plays both.
  bool expertGame() const override { return variant() == Tolva || variant() == LineKrunk; }

 private:
  void ver(bool toGloboria);
  void szmen(int size);
  // The first move of a game fixes the board's size.
  void firstMove();
  int freeDistinctLines() const;

  // Line mode.
  void playLine(int n);
  Outcome checkwins();
  // Flashes what the move completed, then ends the game or hands the turn on.
  void goOn(Outcome outcome);
  // What the computer's Line did, judged as it was played; the turn goes on after its pause.
  Outcome computerOutcome_ = Outcome::GoesOn;

  // Circle mode.
  void claimTriangle(int t, Colour colour);
  void extension(int t);
  void chackmoves();
  // Writes the playable triangles to the moves-left label; returns their number and the
  // highest one.
  std::pair<int, int> writeMovesLeft();
  void nextTurn();
  void recount();
  // Playable triangles (shown and not played): their number and the highest one.
  std::pair<int, int> playable() const;
  // The computer's triangle played: its Lines, the extension, the turn to Blue, a recount.
  void redchack(int choice);
  void compmove(int t);
  void krunkLast(int t);

  BoardGraph planor_ = triangular::graph(false);
  BoardGraph globoria_ = triangular::graph(true);
  BoardGeometry geometry_ = triangular::geometry();
  int size_ = 3;          // 1 mini, 2 smaller, 3 normal
  bool notBegun_ = true;  // set by New game, cleared by every circle click
  bool movesLeftKept_ = false;
  bool krunk_ = false;                 // the last triangle is playing itself
  int recountMarked_ = 0;              // triangles the last recount found full
  bool countedBeforeRecount_ = false;  // the moves-left label came before that recount
};

}  // namespace kp
