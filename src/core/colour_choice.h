#pragma once
#include <initializer_list>
#include <vector>

#include "core/board_graph.h"
#include "core/claim.h"
#include "core/random.h"

namespace kp {

// A move of the colour games: what it paints, partners included.
struct ColourMove {
  int id;  // circle or Line number
  std::vector<int> lines;
};

// The colour games (the Krunk family and Line Krunk), where a Cell counts for whoever has
// claimed all its sides in their colour: the computer (Red) takes the move that leaves it furthest ahead after the
// person's best answer. Ties are broken at random with equal chances.
int chooseByColour(const BoardGraph& graph, const Claims& claims, const std::vector<ColourMove>& moves,
                   std::initializer_list<Colour> redColours, Random& random);

}  // namespace kp
