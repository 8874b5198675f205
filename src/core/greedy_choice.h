#pragma once
#include <vector>

#include "core/drawing.h"
#include "core/line_game.h"
#include "core/random.h"

namespace kp {

// How the greedy computer closes a scoring unit when it can.
enum class Completing {
  AtRandom,         // any missing Line of any unit that lacks only one
  LowestUnitFirst,  // the missing Line of the lowest-numbered such unit
};

// The computer of the line games on any board: close a scoring unit that lacks only one
// Line; otherwise a Line that gives no unit its last-but-one Line (through a joined
// partner too); otherwise any free Line shown on the board. One candidate is taken at
// random, entry floor(n * r) + 1 (a Line listed twice counts twice). units: [unit] -> its
// Lines (index 0 unused). Lines in `closed` are never taken. Returns 0 when no Line is free.
int chooseGreedy(const std::vector<std::vector<int>>& units, const LineGame& rules, const Drawing& drawing,
                 Completing completing, Random& random, const std::vector<int>& closed = {});

}  // namespace kp
