#pragma once
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
  int depth = 0;          // the moves of each line of play it looked ahead (captures not counted)
  bool exact = false;     // it saw every line of play to the end
};

// For a position where every move bounds at most two Cells (the chains can be counted):
// looks ahead one move more at a time while the budget lasts, and answers from the deepest
// look it finished; nothing when not even one finished. Where it stops short of the end, a
// position is judged by playing safe moves out to the point where every move hands
// something over and counting the chains and loops there.
std::optional<OpenGameAnswer> searchOpenGame(const Position& start, Budget& budget);

}  // namespace kp::expert_detail
