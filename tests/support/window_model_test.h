#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/program_state.h"
#include "core/virtual_host.h"

namespace kp {

// What a window model lives in during the engine tests: the virtual host it reports to and
// the program-wide state, with the virtual clock and the message boxes at hand.
class WindowModelTest : public ::testing::Test {
 protected:
  // Advances the virtual clock by ms, running what falls due and pressing OK on every box.
  void wait(std::int64_t ms) {
    const std::int64_t until = host.nowMs() + ms;
    while (host.runNextStepBy(until)) host.answerMessages();
    host.setClock(until);
  }
  // The texts of the boxes shown since the last call.
  std::vector<std::string> texts() {
    std::vector<std::string> out;
    for (auto& m : host.takeMessages()) out.push_back(m.text);
    return out;
  }

  VirtualHost host;
  ProgramState program;
};

}  // namespace kp
