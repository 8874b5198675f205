#pragma once
#include "core/random.h"

namespace kp {

// Values that outlive a single window: written by the launcher and the menus, read by a
// window when it loads. Nothing resets them while the program runs.
struct ProgramState {
  int subLevel = 0;     // 0 = Planor, 1 = Globoria
  int wallLevel = 1;    // 1, 2 or 3
  bool expert = false;  // the Expert plays Tolva for the computer
  Random random;
};

}  // namespace kp
