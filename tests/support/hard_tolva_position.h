#pragma once
#include <stdexcept>
#include <vector>

#include "core/expert.h"
#include "play/match.h"
#include "play/positions.h"

namespace kp::testing {

// Moves claimed at random (a joined pair together) until `left` are free.
inline std::vector<char> randomTolvaPosition(const BoardGraph& g, int left, Random& random) {
  std::vector<char> claimed(std::size_t(g.lineCount) + 1, 0);
  while (freeMoves(g, claimed) > left) {
    const int l = random.pick(g.lineCount);
    claimed[l] = 1;
    claimed[g.partner[l]] = g.partner[l] != 0;  // index 0 stays unused
  }
  return claimed;
}

// A position on the square window's Planor board that the exact search needs more than a
// million positions to solve (a few tenths of a second).
struct HardTolvaPosition {
  BoardGraph g;
  std::vector<char> claimed;
};
inline const HardTolvaPosition& hardTolvaPosition() {
  static const HardTolvaPosition hard = [] {
    HardTolvaPosition h{tolvaBoard("square", 0).graph, {}};
    Random random(7);
    for (int k = 0; k < 50; ++k) {
      h.claimed = randomTolvaPosition(h.g, 34, random);
      if (!analyseTolva(h.g, h.claimed, {.nodes = 1'000'000}).exact) return h;
    }
    throw std::logic_error("no position of the sequence is hard");
  }();
  return hard;
}

}  // namespace kp::testing
