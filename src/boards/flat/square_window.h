#pragma once
#include "boards/flat/cell_games_window.h"
#include "boards/flat/square_board.h"

namespace kp {

// The beginner square window: the 5 by 5 board on its Planor and Globoria sub-levels,
// opening on Krunk.
class SquareWindow : public CellGamesWindow {
 public:
  SquareWindow(Host& host, ProgramState& program)
      : CellGamesWindow(host, program, WindowKind::Square, square::beginner(),
                        {.subLevels = true, .opening = Krunk, .beginner = true}) {}
};

}  // namespace kp
