#include "core/move_timer.h"

namespace kp {

MoveTimer::MoveTimer(Schedule schedule, Cancel cancel, std::function<void()> timeUp)
    : schedule_(std::move(schedule)), cancel_(std::move(cancel)), timeUp_(std::move(timeUp)) {}

void MoveTimer::setNoLimit(bool on) {
  noLimit_ = on;
  if (on) stop();
}

void MoveTimer::reset() {
  remaining_ = limit_;
  // The ticks count from the move, so the phase starts again too.
  if (running_) {
    cancel_(step_);
    step_ = schedule_(kTickMs, [this] { tick(); });
  }
}

void MoveTimer::start() {
  if (noLimit_ || running_) return;
  running_ = true;
  step_ = schedule_(kTickMs, [this] { tick(); });
}

void MoveTimer::stop() {
  if (!running_) return;
  running_ = false;
  cancel_(step_);
  step_ = 0;
}

void MoveTimer::restore() {
  stop();
  remaining_ = limit_;
}

void MoveTimer::tick() {
  step_ = 0;
  remaining_ -= kTickMs;
  if (remaining_ < 0) {
    running_ = false;
    timeUp_();
    return;
  }
  step_ = schedule_(kTickMs, [this] { tick(); });
}

}  // namespace kp
