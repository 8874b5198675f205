// Coverage-guided fuzz target for the script reader and runner, and for game records: whatever
// bytes arrive, a script either runs or stops with a ScriptError, and a record is either played
// or refused with a RecordError; neither crashes or hangs.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "boards/registry.h"
#include "core/game_record.h"
#include "play/play_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  auto record = kp::parseRecord(text);
  if (const auto* r = std::get_if<kp::GameRecord>(&record)) {
    const kp::ProgramState program;
    (void)kp::checkRecord(*r, program);
  }
  std::istringstream in(text);
  try {
    const auto script = kp::parseScript(in);
    kp::PlaySession session;
    // A script may write a record wherever it names: not here.
    for (const auto& cmd : script)
      if (cmd.kind != kp::ScriptCommand::Kind::Save) (void)session.run(cmd);
    (void)session.state().dump();
  } catch (const kp::ScriptError&) {
    // A clear error for a bad script is the expected outcome.
  }
  return 0;
}
