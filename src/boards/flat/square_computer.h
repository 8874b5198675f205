#pragma once
#include <initializer_list>
#include <vector>

#include "core/drawing.h"
#include "core/line_game.h"
#include "core/colour_choice.h"
#include "core/random.h"

namespace kp::square {

// Tolva: close a Cell with three claimed sides if there is one; otherwise a Line that
// gives no Cell its third side; otherwise any free Line shown on the board. One of the
// candidates is taken at random with equal chances (a Line listed twice counts twice).
int chooseTolvaLine(const LineGame& game, const Drawing& drawing, Random& random);

}  // namespace kp::square
