#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "core/board_graph.h"
#include "core/claim.h"
#include "core/expert_limits.h"
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
  // How many moves ahead the search looked: every free move when exact, otherwise the
  // longest line of play it weighed (forced captures not counted); 0 when the chain
  // analysis alone decided.
  int depth = 0;
};

// claimed: [line] -> nonzero when the Line is claimed (index 0 unused).
ExpertAnalysis analyseTolva(const BoardGraph& g, const std::vector<char>& claimed, ExpertLimits limits = {});

// The exact search alone, on any position, within the limits: nothing when they end it
// first (a long search to establish positions' answers).
std::optional<ExpertAnalysis> solveTolva(const BoardGraph& g, const std::vector<char>& claimed, ExpertLimits limits);

// As analyseTolva, without the estimate of an unsolved position's value (value 0): what
// the computer needs to choose its move.
ExpertAnalysis expertMoves(const BoardGraph& g, const std::vector<char>& claimed, ExpertLimits limits = {});

// One of the best Lines of an analysis, chosen by random where several are equally good
// (so a game replays with the same seed); one draw however the moves were found. 0 when
// there is none.
int pickExpert(const BoardGraph& g, const std::vector<int>& best, Random& random);

// The Expert's Line for the player to move: pickExpert of expertMoves.
int chooseExpert(const BoardGraph& g, const std::vector<char>& claimed, Random& random, ExpertLimits limits = {});

// The claimed flags of the rules' claims.
std::vector<char> claimedFlags(const Claims& claims);

}  // namespace kp
