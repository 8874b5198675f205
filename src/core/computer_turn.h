#pragma once
#include <optional>
#include <vector>

#include "core/colours.h"
#include "core/drawing.h"
#include "core/greedy_choice.h"
#include "core/step_scheduler.h"

namespace kp {

// How a board's computer takes its turn, as data: the procedure is the frame's.
struct ComputerPacing {
  int thinkMs = 0;  // before the choice is made (0: at once)
  int showMs = 0;   // the choice shown before it is played (0: played at once)
  int afterMs = 0;  // after the move is played, before the turn goes on (0: at once)
  // The choice shown in yellow: a Line `width` wide (its joined partner, with partnerShown,
  // drawn in Red meanwhile), a circle by its border.
  bool marked = true;
  int width = kClaimedWidth;
  bool partnerShown = false;
  // Then the Line shown in this colour for another showMs.
  std::optional<Colour> thenShown;
  // The greedy choice: how a completing Line is taken, the unit table it completes, the
  // Lines that take no move.
  Completing completing = Completing::LowestUnitFirst;
  int table = 0;
  std::vector<int> closed;
  // Whether the computer offers "No good moves left" (where that hint is ticked).
  bool warnsNoGoodMoves = false;
  Clicks whileThinking = Clicks::Ignored;
  Clicks whileShown = Clicks::Ignored;
  Clicks afterPlayed = Clicks::Ignored;
};

}  // namespace kp
