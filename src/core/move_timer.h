#pragma once
#include <functional>
#include <string>

#include "core/host.h"

namespace kp {

// The per-move countdown of Sudden Death: 100 ms ticks from the last reset; a player
// whose limit is L has L plus one tick before time runs out.
class MoveTimer {
 public:
  static constexpr int kTickMs = 100;
  static constexpr int kOpeningLimitMs = 100000;  // before any limit is chosen

  using Schedule = std::function<StepId(int ms, std::function<void()>)>;
  using Cancel = std::function<void(StepId)>;

  MoveTimer(Schedule schedule, Cancel cancel, std::function<void()> timeUp);

  // A limit from the Sudden Death menu; "No time limit" keeps the stored limit but
  // stops the countdown from running.
  void setLimit(int ms) { limit_ = ms; }
  void setNoLimit(bool on);
  int limit() const { return limit_; }
  bool noLimit() const { return noLimit_; }

  // Every move: the remaining time starts again from the limit.
  void reset();
  void start();
  void stop();
  // New game: stopped, the strip at its full width.
  void restore();

  bool running() const { return running_; }
  int remaining() const { return remaining_; }
  std::string caption() const { return std::to_string(remaining_); }
  // Where the strip's marker stands, 0 (time up) to 1 (full).
  double fraction() const { return limit_ > 0 ? double(remaining_) / limit_ : 0; }

 private:
  void tick();

  Schedule schedule_;
  Cancel cancel_;
  std::function<void()> timeUp_;
  int limit_ = kOpeningLimitMs;
  int remaining_ = kOpeningLimitMs;
  bool noLimit_ = false;
  bool running_ = false;
  StepId step_ = 0;
};

}  // namespace kp
