#pragma once
#include <initializer_list>
#include <vector>

#include "core/drawing.h"
#include "core/line_game.h"
#include "core/random.h"

namespace kp::square {

// Tolva: close a Cell with three claimed sides if there is one; otherwise a Line that
// gives no Cell its third side; otherwise any free Line shown on the board. One of the
// candidates is taken at random with equal chances (a Line listed twice counts twice).
int chooseTolvaLine(const LineGame& game, const Drawing& drawing, Random& random);

// A move of the colour games: what it paints, partners included.
struct ColourMove {
  int id;  // circle or Line number
  std::vector<int> lines;
};

// The Krunk family and Line Krunk, where a Cell counts for whoever owns all its sides'
// colours: the computer (Red) takes the move that leaves it furthest ahead after the
// person's best answer. Ties are broken at random with equal chances.
int chooseByColour(const BoardGraph& graph, const Drawing& drawing, const std::vector<ColourMove>& moves,
                   std::initializer_list<Colour> redColours, Random& random);

}  // namespace kp::square
