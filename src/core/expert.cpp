#include "core/expert.h"

namespace kp {

// Placeholder while the search is written: the first free Line.
ExpertAnalysis analyseTolva(const BoardGraph& g, const std::vector<char>& claimed, ExpertLimits) {
  ExpertAnalysis a;
  for (int l = 1; l <= g.lineCount; ++l)
    if (!claimed[std::size_t(l)]) {
      a.best.push_back(l);
      break;
    }
  return a;
}

int chooseExpert(const BoardGraph& g, const std::vector<char>& claimed, Random&, ExpertLimits limits) {
  const ExpertAnalysis a = analyseTolva(g, claimed, limits);
  return a.best.empty() ? 0 : a.best.front();
}

std::vector<char> claimedFlags(const Claims& claims) {
  std::vector<char> flags(claims.size(), 0);
  for (std::size_t l = 1; l < claims.size(); ++l) flags[l] = claims[l].owner != 0;
  return flags;
}

}  // namespace kp
