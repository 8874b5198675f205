// Coverage-guided fuzz target for the script reader and runner: whatever bytes arrive,
// a script either runs or stops with a ScriptError; it never crashes or hangs.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "play/play_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  try {
    const auto script = kp::parseScript(in);
    kp::PlaySession session;
    for (const auto& cmd : script) (void)session.run(cmd);
    (void)session.state().dump();
  } catch (const kp::ScriptError&) {
    // A clear error for a bad script is the expected outcome.
  }
  return 0;
}
