#include "core/greedy_choice.h"

#include <algorithm>

namespace kp {

int chooseGreedy(const std::vector<std::vector<int>>& units, const LineGame& rules, const Drawing& drawing,
                 Completing completing, Random& random, const std::vector<int>& closed) {
  const BoardGraph& g = rules.graph();
  auto open = [&](int l) { return std::find(closed.begin(), closed.end(), l) == closed.end(); };
  auto missing = [&](const std::vector<int>& unit) {
    return int(std::count_if(unit.begin(), unit.end(), [&](int l) { return !rules.claimed(l); }));
  };

  std::vector<int> candidates;
  for (const auto& unit : units) {
    if (unit.empty() || missing(unit) != 1) continue;
    const std::size_t before = candidates.size();
    for (int l : unit)
      if (!rules.claimed(l) && open(l)) candidates.push_back(l);
    if (completing == Completing::LowestUnitFirst && candidates.size() > before) break;
  }

  if (candidates.empty()) {
    std::vector<char> risky(std::size_t(g.lineCount) + 1, 0);
    for (const auto& unit : units) {
      if (unit.empty() || missing(unit) != 2) continue;
      for (int l : unit) risky[std::size_t(l)] = risky[std::size_t(g.partner[l])] = 1;
    }
    for (int l = 1; l <= g.lineCount; ++l)
      if (!rules.claimed(l) && !risky[std::size_t(l)] && open(l)) candidates.push_back(l);
  }
  if (candidates.empty())
    for (int l = 1; l <= g.lineCount; ++l)
      if (!rules.claimed(l) && drawing.lines[l].visible && open(l)) candidates.push_back(l);
  if (candidates.empty()) return 0;
  return candidates[std::size_t(random.pick(int(candidates.size())) - 1)];
}

}  // namespace kp
