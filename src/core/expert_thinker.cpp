#include "core/expert_thinker.h"

#include <algorithm>
#include <memory>

namespace kp {

StepId ExpertThinker::ask(const BoardGraph& g, std::vector<char> claimed, bool estimate, Clicks clicks,
                          Answer answer) {
  const std::uint64_t own = ++asked_;
  open_.emplace_back(own, 0);
  showLabel();
  auto result = std::make_shared<ExpertAnalysis>();
  Host::AsideWork work = [g, claimed = std::move(claimed), limits = program_.expertLimits(), estimate,
                          result](const std::atomic<bool>& stop) mutable {
    limits.stop = &stop;
    *result = estimate ? analyseTolva(g, claimed, limits) : expertMoves(g, claimed, limits);
  };
  auto done = [this, own, result, answer = std::move(answer)] {
    std::erase_if(open_, [own](const auto& q) { return q.first == own; });
    showLabel();
    answer(*result);
  };
  const StepId id = steps_.runAside(std::move(work), std::move(done), clicks);
  const auto it = std::find_if(open_.begin(), open_.end(), [own](const auto& q) { return q.first == own; });
  if (it == open_.end()) return 0;
  it->second = id;
  return id;
}

void ExpertThinker::cancel(StepId id) {
  const auto it = std::find_if(open_.begin(), open_.end(), [id](const auto& q) { return q.second == id; });
  if (it == open_.end()) return;
  steps_.cancel(id);
  open_.erase(it);
  showLabel();
}

void ExpertThinker::forgetAll() {
  open_.clear();
  showLabel();
}

}  // namespace kp
