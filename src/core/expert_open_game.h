#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "core/expert_position.h"

namespace kp::expert_detail {

// The value for the player to move of a position made only of separate chains and loops
// (lengths in Cells), where every move hands something over: exact, by the choice of
// which to open next and, for the opponent, whether to take all of it or keep control by
// declining its last two Cells (four of a loop).
int chainsAndLoopsValue(std::vector<int> chains, std::vector<int> loops);

// What the search of the open game makes of a position.
struct OpenGameAnswer {
  std::vector<int> best;  // the moves it rates best (Position's move numbers)
  int value = 0;          // its estimate for the player to move
  int depth = 0;          // the longest line of play its tree holds (forced captures not counted)
};

// By sampling while the budget lasts: a tree of the moves worth playing (safe moves, small
// sacrifices, taking or declining what is on offer) grows toward the lines of play that do
// best for the player choosing, and each visit finishes its game by safe moves played at
// random, then the exact value of the chains and loops they leave; where a move may bound
// more than two Cells (no chains to count), by handing over as little as can be and taking
// everything on offer. Two trees grow at once, one on each core. Answers with the most
// visited move and those that did about as well; nothing when no visit finished. The seed
// makes the sampling replay. Given moves to keep to (not empty), the first move is one of
// them.
std::optional<OpenGameAnswer> searchOpenGame(const Position& start, Budget& budget, std::uint64_t seed,
                                             const std::vector<int>& keepTo = {});

}  // namespace kp::expert_detail
