#pragma once
#include <nlohmann/json.hpp>

#include "core/game_controller.h"

namespace kp {

// Everything a person could see in a game window, as JSON.
nlohmann::json windowStateJson(const GameController& window);

}  // namespace kp
