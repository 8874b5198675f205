#pragma once
#include "boards/flat/cell_games_window.h"

namespace kp {

// Our House: the square window's games on a house of square and triangle Cells, opening
// on Super Krunk Plus. Roof, chimney, walls, windows and door are told apart by the
// shading behind the Cells; the Lines keep the players' colours.
class HouseWindow : public CellGamesWindow {
 public:
  HouseWindow(Host& host, ProgramState& program);
  Scene scene() const override;
};

}  // namespace kp
