#pragma once
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "core/board_graph.h"
#include "core/expert.h"
#include "core/program_state.h"
#include "core/status_labels.h"
#include "core/step_scheduler.h"

namespace kp {

inline constexpr const char* kExpertThinking = "The Expert is thinking...";

// The Expert asked aside, off the user-interface thread where the host has one, on a copy
// of the position and within the program's limits. Each answer comes back as a step of the
// window, so New game, another game and closing drop it; "The Expert is thinking..."
// stands in the status labels while a question is open.
class ExpertThinker {
 public:
  ExpertThinker(StepScheduler& steps, StatusLabels& status, const ProgramState& program)
      : steps_(steps), status_(status), program_(program) {}

  using Answer = std::function<void(const ExpertAnalysis&)>;
  // The analysis of the position: with the estimate of an unsolved position's value
  // (`estimate`, as analyseTolva gives it) or only its best moves (as expertMoves). Clicks
  // meanwhile as `clicks` says. Returns the question's id, or 0 once it is answered.
  StepId ask(const BoardGraph& g, std::vector<char> claimed, bool estimate, Clicks clicks, Answer answer);
  // The question dropped, unanswered.
  void cancel(StepId id);
  // Every question forgotten: their steps were cancelled with the window's.
  void forgetAll();

 private:
  void showLabel() { status_.thinking = open_.empty() ? "" : kExpertThinking; }

  StepScheduler& steps_;
  StatusLabels& status_;
  const ProgramState& program_;
  std::uint64_t asked_ = 0;
  std::vector<std::pair<std::uint64_t, StepId>> open_;  // own number, step
};

}  // namespace kp
