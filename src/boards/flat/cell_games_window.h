#pragma once
#include <string>
#include <vector>

#include "boards/flat/cell_board.h"
#include "core/game_controller.h"
#include "core/line_game.h"

namespace kp {

// The square window's games on a flat board of Cells: Tolva, Duarn, Krunk, Super Krunk,
// Ribbon Krunk, Line Krunk and Super Krunk Plus, their evaluations and their computer. The
// beginner square, the larger squares, Our House and the torus are windows of this family:
// each brings its board and what sets its window apart.
class CellGamesWindow : public GameController {
 public:
  // Menu indices of the Games menu.
  enum Variant { Tolva = 0, Duarn = 1, Krunk = 2, SuperKrunk = 3, RibbonKrunk = 4, LineKrunk = 6, SuperKrunkPlus = 8 };

  const BoardGeometry& geometry() const override { return board_->geometry(); }
  int lineCount() const override { return board_->lineCount(); }
  int circleCount() const override { return board_->cellCount(); }
  std::pair<int, int> pointsOnBoard() const override;
  std::optional<std::string> movesLeftOnBoard() const override;

  bool globoria() const { return options().globoria; }

 protected:
  // What sets a window of the family apart.
  struct Style {
    bool subLevels = false;              // Planor and Globoria
    std::vector<MenuEntry> boardMenus;   // between the Games menu and Options
    int opening = SuperKrunkPlus;        // the game chosen when the window opens
    // The beginner's window keeps its design texts: a fixed last-move caption, the moves
    // left of its first board, and the game it opens on already set up. Otherwise the last
    // move is named ("Line 17", "Circle 4") and the window opens with a New game.
    bool beginner = false;
  };
  CellGamesWindow(Host& host, ProgramState& program, WindowKind kind, const CellBoard& board, Style style);

  // Another board between games (a size menu): the drawing, the rules and a New game.
  void useBoard(const CellBoard& board);
  const CellBoard& board() const { return *board_; }

  void onLineClick(int n) override;
  void onCircleClick(int n) override;
  void onMenu(const std::string& id) override;
  void openGame() override;
  void variantChosen() override { movesLeftKept_ = false; }
  ComputerPacing computerPacing() const override;
  int computerChoice(const ComputerPacing& pacing) override;
  void computerPlays(int choice) override;
  bool expertGame() const override { return variant() == Tolva; }
  // The Lines the computer weighs for a circle move: its claims and their partners.
  void addCircleLines(int c, std::vector<int>& lines) const override;

 private:
  void ver_Click();
  void useSubLevel(bool globoria);
  void noteMove(const char* what, int n);
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
  // The computer's Line in Line Krunk: its best by the colours against the person's best
  // answer (a joined pair one move).
  int lineKrunkChoice();
  const std::vector<int>& circleClaims(int k) const;

  const CellBoard* board_;
  Style style_;
  bool krunk_ = false;          // the last circle is being played by itself
  bool movesLeftKept_ = false;  // a colour game's evaluation has written the label
};

}  // namespace kp
