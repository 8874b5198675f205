#pragma once
#include <set>
#include <vector>

#include "core/greedy_choice.h"

namespace kp {

// Every Line the greedy computer picks, over `seeds` seeds, on a board where `claimed` are
// Blue's: by the units of `units` (the graph's Cells unless given), never one of `closed`.
inline std::set<int> greedyPicks(const BoardGraph& graph, const std::vector<int>& claimed, Completing completing,
                                 const std::vector<std::vector<int>>* units = nullptr,
                                 const std::vector<int>& closed = {}, int seeds = 400) {
  StatusLabels status;
  Drawing drawing;
  drawing.resize(graph.lineCount, graph.cellCount);
  LineGame game{status, drawing};
  game.setGraph(&graph);
  for (int l : claimed) game.claimLine(l, kBlue, 2, Player::Blue);
  std::set<int> picks;
  for (int seed = 1; seed <= seeds; ++seed) {
    Random random(seed);
    picks.insert(chooseGreedy(units ? *units : graph.cellSides, game, drawing, completing, random, closed));
  }
  return picks;
}

}  // namespace kp
