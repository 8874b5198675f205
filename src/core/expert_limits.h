#pragma once
#include <atomic>
#include <cstdint>

namespace kp {

// How far the Expert may look before the chain analysis decides instead. The search gives
// up at whichever limit comes first; a node budget alone makes every answer replay exactly.
struct ExpertLimits {
  // Positions visited (0: no limit).
  std::int64_t nodes = 2'000'000;
  // Wall time in milliseconds (0: no limit).
  int thinkMs = 0;
  // Set by another thread when the answer is no longer wanted: the search ends soon after,
  // and whatever it then answers is meant to be dropped.
  const std::atomic<bool>* stop = nullptr;
};

}  // namespace kp
