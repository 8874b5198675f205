#pragma once
#include <cstdint>
#include <vector>

#include "core/board_graph.h"
#include "core/claim.h"
#include "core/random.h"

namespace kp {

// The Expert: a strong player of Tolva (a Cell scores for whoever claims its last Line,
// and the scorer moves again) on any board graph, joined partners included. It counts
// chains and loops, keeps control by declining the last Cells of a chain, and solves
// positions exactly once few enough Lines are free.

// What the Expert makes of a position, for the player to move.
struct ExpertAnalysis {
  // Every Line whose claim is an optimal move, ascending; both Lines of a joined pair
  // (either click plays the same move).
  std::vector<int> best;
  // (points the player to move will still gain) - (points the opponent will still gain)
  // from here with best play by both; an estimate unless exact.
  int value = 0;
  bool exact = false;
};

struct ExpertLimits {
  // Positions visited before the exact search gives up on a position and the chain
  // analysis decides instead.
  std::int64_t nodes = 500'000;
};

// claimed: [line] -> nonzero when the Line is claimed (index 0 unused).
ExpertAnalysis analyseTolva(const BoardGraph& g, const std::vector<char>& claimed, ExpertLimits limits = {});

// The Expert's Line for the player to move: one of the best, chosen by random where
// several are equally good (so a game replays with the same seed); 0 when none is free.
int chooseExpert(const BoardGraph& g, const std::vector<char>& claimed, Random& random, ExpertLimits limits = {});

// The claimed flags of the rules' claims.
std::vector<char> claimedFlags(const Claims& claims);

}  // namespace kp
