#pragma once
#include <memory>

#include "core/game_controller.h"

namespace kp {

// The factory of the window catalogue (core/window_catalogue.h): a fresh window of each
// kind as the launcher or Other Games would load it. windowBuilt says whether this
// version has the window; loadWindow gives nullptr for one it has not.
bool windowBuilt(WindowKind kind);
std::unique_ptr<GameController> loadWindow(WindowKind kind, Host& host, ProgramState& program);

}  // namespace kp
