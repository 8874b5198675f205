#include "core/step_scheduler.h"

#include <algorithm>

namespace kp {

std::uint64_t StepScheduler::add(std::function<void()> step, Clicks clicks) {
  const std::uint64_t own = nextOwn_++;
  // Listed before the host is asked: a host may run it before it answers.
  steps_.push_back({0, own, std::move(step), clicks});
  if (clicks == Clicks::Held) ++holding_;
  return own;
}

StepId StepScheduler::schedule(int ms, std::function<void()> step, Clicks clicks) {
  const std::uint64_t own = add(std::move(step), clicks);
  const StepId id = host_->schedule(ms, [this, own] { run(own); });
  steps_.back().hostId = id;
  return id;
}

StepId StepScheduler::runAside(Host::AsideWork work, std::function<void()> done, Clicks clicks) {
  const std::uint64_t own = add(std::move(done), clicks);
  const StepId id = host_->runAside(std::move(work), [this, own] { run(own); });
  const auto it = std::find_if(steps_.begin(), steps_.end(), [own](const PendingStep& s) { return s.own == own; });
  if (it == steps_.end()) return 0;
  it->hostId = id;
  return id;
}

void StepScheduler::run(std::uint64_t own) {
  const auto it = std::find_if(steps_.begin(), steps_.end(), [own](const PendingStep& s) { return s.own == own; });
  if (it == steps_.end()) return;
  const std::function<void()> step = std::move(it->fn);
  const bool held = it->clicks == Clicks::Held;
  steps_.erase(it);
  if (held) --holding_;
  step();
  if (held && !holdsClicks()) playHeld();
  if (calls_.afterStep) calls_.afterStep();
}

void StepScheduler::animate(int frames, int ms, Clicks clicks, std::function<void(int)> frame) {
  if (clicks == Clicks::Held) ++holding_;
  frameOf(0, frames, ms, clicks, std::move(frame));
}

void StepScheduler::frameOf(int k, int frames, int ms, Clicks clicks, std::function<void(int)> frame) {
  if (k + 1 < frames) {
    frame(k);
    schedule(ms, [this, k, frames, ms, clicks, frame = std::move(frame)] { frameOf(k + 1, frames, ms, clicks, frame); });
    return;
  }
  // The last frame ends the wait before it runs, so what it starts may hold clicks anew.
  if (clicks == Clicks::Held) --holding_;
  frame(k);
  if (clicks == Clicks::Held && !holdsClicks()) playHeld();
}

void StepScheduler::divert(Host& to, const std::function<int(StepId)>& left) {
  Host& from = *host_;
  host_ = &to;
  for (PendingStep& s : steps_) {
    const int ms = left(s.hostId);
    from.cancel(s.hostId);
    s.hostId = to.schedule(ms, [this, own = s.own] { run(own); });
  }
}

void StepScheduler::cancel(StepId id) {
  const auto it = std::find_if(steps_.begin(), steps_.end(), [id](const PendingStep& s) { return s.hostId == id; });
  if (it == steps_.end()) return;
  if (it->clicks == Clicks::Held && --holding_ == 0) held_.clear();
  steps_.erase(it);
  host_->cancel(id);
}

void StepScheduler::cancelAll() {
  for (const PendingStep& step : steps_) host_->cancel(step.hostId);
  steps_.clear();
  holding_ = 0;
  held_.clear();
}

void StepScheduler::playHeld() {
  while (!held_.empty() && !holdsClicks()) {
    if (!calls_.personToMove()) return held_.clear();
    const Target move = held_.front();
    held_.erase(held_.begin());
    calls_.play(move);
  }
}

}  // namespace kp
