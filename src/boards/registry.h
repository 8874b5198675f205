#pragma once
#include <memory>
#include <string>
#include <variant>

#include "core/game_controller.h"

namespace kp {

// The factory of the window catalogue (core/window_catalogue.h): a fresh window of each
// kind as the launcher or Other Games would load it. windowBuilt says whether this
// version has the window; loadWindow gives nullptr for one it has not.
bool windowBuilt(WindowKind kind);
std::unique_ptr<GameController> loadWindow(WindowKind kind, Host& host, ProgramState& program);

}  // namespace kp

namespace kp {

// A record file read and checked before anything on screen changes: parsed, its window in
// this version, and its set-up and moves played through on a window of its own (on a host
// without a toolkit and a copy of the program's values). The record, or why it is refused.
std::variant<GameRecord, RecordError> checkedRecord(const std::string& path, const ProgramState& program);
// The same for a record already read: nothing where it plays, else why not.
std::optional<RecordError> checkRecord(const GameRecord& record, const ProgramState& program);

}  // namespace kp
