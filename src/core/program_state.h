#pragma once
#include "core/expert_limits.h"
#include "core/random.h"

namespace kp {

// Values that outlive a single window: written by the launcher and the menus, read by a
// window when it loads. Nothing resets them while the program runs.
struct ProgramState {
  int subLevel = 0;     // 0 = Planor, 1 = Globoria
  int wallLevel = 1;    // 1, 2 or 3
  bool expert = false;  // the Expert plays Tolva for the computer
  int expertThinkMs = 1000;  // the Expert's time for a move ("Expert thinks: ..." in Options)
  // Whether the Expert thinks by that clock (the program) or within expertFixed whatever the
  // option says (the runner and the tests: a node budget, so every answer replays).
  bool expertOnClock = false;
  ExpertLimits expertFixed;
  Random random;

  ExpertLimits expertLimits() const {
    return expertOnClock ? ExpertLimits{.nodes = 0, .thinkMs = expertThinkMs} : expertFixed;
  }
};

}  // namespace kp
