#include "boards/flat/square_computer.h"

#include <algorithm>
#include <climits>

namespace kp::square {

int chooseTolvaLine(const LineGame& game, const Drawing& drawing, Random& random) {
  const BoardGraph& g = game.graph();
  auto claimedSides = [&](int cell) {
    int n = 0;
    for (std::size_t s = 0; s < g.cellSides[cell].size(); ++s) n += game.cellSideMarker(cell, int(s)) != 0;
    return n;
  };

  std::vector<int> candidates;
  for (int c = 1; c <= g.cellCount; ++c)
    if (claimedSides(c) == 3)
      for (std::size_t s = 0; s < g.cellSides[c].size(); ++s)
        if (game.cellSideMarker(c, int(s)) == 0) candidates.push_back(g.cellSides[c][s]);

  if (candidates.empty()) {
    std::vector<int> risky;
    for (int c = 1; c <= g.cellCount; ++c)
      if (claimedSides(c) == 2) risky.insert(risky.end(), g.cellSides[c].begin(), g.cellSides[c].end());
    for (int l = 1; l <= g.lineCount; ++l)
      if (!game.claimed(l) && std::find(risky.begin(), risky.end(), l) == risky.end()) candidates.push_back(l);
  }
  if (candidates.empty())
    for (int l = 1; l <= g.lineCount; ++l)
      if (!game.claimed(l) && drawing.lines[l].visible) candidates.push_back(l);
  if (candidates.empty()) return 0;
  return candidates[random.pick(int(candidates.size())) - 1];
}

}  // namespace kp::square
