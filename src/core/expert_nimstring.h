#pragma once
#include <optional>
#include <vector>

#include "core/expert_position.h"

namespace kp::expert_detail {

// Nimstring is Tolva played for the last word alone: completing a Cell still means moving
// again, and whoever must move when no move is left loses. Whoever wins it can keep control
// to the end, so in the open game it tells who will be handed the long chains. Its value
// is a nimber; independent regions (no Cell in common) add as nim sums, so each is worked
// out once however the others stand. A position where the player to move is handed a
// chain it can take or decline at will is loony: a win for that player whatever else is on
// the board.
constexpr int kLoony = -1;

// The moves that win the nimstring game of the position for the player to move: those after
// which the opponent faces a value of zero. Empty where every move loses it; nothing where
// the budget ends first or the position is not made of chains (a move bounding more than
// two Cells, or a Cell twice).
std::optional<std::vector<int>> nimstringWinningMoves(const Position& start, Budget& budget);

// The nimstring value of the position for the player to move (a nimber, or kLoony), or
// nothing as above.
std::optional<int> nimstringValue(const Position& start, Budget& budget);

}  // namespace kp::expert_detail
