#pragma once
#include <memory>

#include "core/game_controller.h"

namespace kp {

// Whether this version has the window, and a fresh one as the launcher or Other Games
// would load it (nullptr for a window not in this version).
bool windowBuilt(WindowKind kind);
std::unique_ptr<GameController> loadWindow(WindowKind kind, Host& host, ProgramState& program);

}  // namespace kp
