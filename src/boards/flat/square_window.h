#pragma once
#include "boards/flat/square_board.h"
#include "core/game_controller.h"
#include "core/line_game.h"

namespace kp {

// The beginner square window: the 5 by 5 board on its Planor and Globoria sub-levels.
class SquareWindow : public GameController {
 public:
  // Menu indices of the Games menu.
  enum Variant { Tolva = 0, Duarn = 1, Krunk = 2, SuperKrunk = 3, RibbonKrunk = 4, LineKrunk = 6, SuperKrunkPlus = 8 };

  SquareWindow(Host& host, ProgramState& program);

  const BoardGeometry& geometry() const override { return geometry_; }
  int lineCount() const override { return square::kLines; }
  int circleCount() const override { return square::kCells; }
  std::pair<int, int> pointsOnBoard() const override;
  std::optional<std::string> movesLeftOnBoard() const override;

  bool globoria() const { return menus_.at("sub.globoria").checked; }

 protected:
  void onLineClick(int n) override;
  void onCircleClick(int n) override;
  void onMenu(const std::string& id) override;
  void openGame() override;
  void variantChosen() override { movesLeftKept_ = false; }
  void computerTurn() override;

 private:
  void ver_Click();
  void useSubLevel(bool globoria);
  // The evaluation of Tolva and Duarn. After a move it locks the set-up menus until New
  // game; the opening announcement at New game does not.
  void checkwins(bool afterMove);
  // A circle move of the Krunk family: the circle is used and its Lines painted in the
  // turn text colour; then the family's evaluation.
  void playCircle(int k);
  // The evaluation of the circle games (Krunk, Super Krunk, Ribbon Krunk, Super Krunk Plus).
  void circleEvaluation(bool afterMove);
  // Line Krunk: a move is a Line in the mover's colour, and the game lasts until every
  // interior Line is claimed.
  void lineKrunkEvaluation(bool afterMove);
  void computerTolva();
  void computerCircle();
  void computerLineKrunk();
  const std::vector<int>& circleClaims(int k) const;

  const square::SquareBoard& board_ = square::beginner();
  const BoardGraph& planor_ = board_.graph(false);
  const BoardGraph& globoria_ = board_.graph(true);
  const BoardGeometry& geometry_ = board_.geometry();
  bool krunk_ = false;          // the last circle is being played by itself
  bool movesLeftKept_ = false;  // a colour game's evaluation has written the label
};

}  // namespace kp
