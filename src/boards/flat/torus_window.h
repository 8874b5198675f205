#pragma once
#include "boards/flat/cell_games_window.h"

namespace kp {

// The torus: the square window's games on a donut of 48 square Cells, opening on Super
// Krunk Plus. "<<" and ">>" turn the wheel by one Cell: the drawn places stay, each then
// stands for the Line one Cell further round.
class TorusWindow : public CellGamesWindow {
 public:
  TorusWindow(Host& host, ProgramState& program);
  Scene scene() const override;

 protected:
  void onControl(const Control& c) override;
};

}  // namespace kp
