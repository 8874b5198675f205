#pragma once
#include <cstdint>
#include <random>

namespace kp {

// The program-wide generator. It is never seeded from the clock, so every start of the
// program replays the same choices; tests and the headless runner may pass their own seed.
class Random {
 public:
  static constexpr std::uint32_t kDefaultSeed = 5489u;

  explicit Random(std::uint32_t seed = kDefaultSeed) : engine_(seed) {}

  // Uniform in [0, 1), built from 53 random bits so it never reaches 1.
  double next() {
    const std::uint64_t hi = engine_() >> 5;  // 27 bits
    const std::uint64_t lo = engine_() >> 6;  // 26 bits
    return double((hi << 26) | lo) / double(std::uint64_t(1) << 53);
  }
  // A choice among n candidates: entry floor(r * n) + 1, so 1..n.
  int pick(int n) { return int(next() * n) + 1; }

 private:
  std::mt19937 engine_;
};

}  // namespace kp
