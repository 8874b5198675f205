#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/host.h"
#include "core/scene.h"

namespace kp {

// What a person's click does while a wait is pending: ignored (the move lock turns it
// away) or held and played once the wait is over.
enum class Clicks { Ignored, Held };

// The steps one window has asked for: each runs once after its length unless cancelled.
// The host holds only a call naming the step by its own number (small enough for
// std::function to hold without allocating); the step itself stays here, so scheduling a
// step, as every move does for the move timer, allocates nothing once the list has grown.
class StepScheduler {
 public:
  struct Calls {
    std::function<void()> afterStep;      // after every step run (the change announced)
    std::function<bool()> personToMove;   // held clicks are played only while this holds
    std::function<void(Target)> play;     // plays a held click (a Line or circle by number)
  };
  StepScheduler(Host& host, Calls calls) : host_(&host), calls_(std::move(calls)) {}
  ~StepScheduler() { cancelAll(); }
  StepScheduler(const StepScheduler&) = delete;
  StepScheduler& operator=(const StepScheduler&) = delete;

  StepId schedule(int ms, std::function<void()> step, Clicks clicks = Clicks::Ignored);
  // Work run aside by the host (see Host::runAside), then done as a step: cancel() and
  // cancelAll() drop it like any other. Returns 0 where the host has already run it.
  StepId runAside(Host::AsideWork work, std::function<void()> done, Clicks clicks = Clicks::Ignored);
  // A step of `frames` frames: frame(0) at once, then frame(k) every ms until the last.
  void animate(int frames, int ms, Clicks clicks, std::function<void(int)> frame);
  void cancel(StepId id);
  // Every step cancelled and every held click dropped.
  void cancelAll();
  std::size_t pending() const { return steps_.size(); }
  // From now on steps are scheduled on `to`; every pending step moves there with the time it
  // has left on the host it was scheduled on (`left` tells it, by that host's id).
  void divert(Host& to, const std::function<int(StepId)>& left);

  // Whether a click now is held (a held wait is pending), and holding it.
  bool holdsClicks() const { return holding_ > 0; }
  void hold(Target move) { held_.push_back(move); }

 private:
  struct PendingStep {
    StepId hostId;
    std::uint64_t own;
    std::function<void()> fn;
    Clicks clicks;
  };
  // Runs the step the host has just called back for, if it is still pending.
  void run(std::uint64_t own);
  std::uint64_t add(std::function<void()> step, Clicks clicks);
  void frameOf(int k, int frames, int ms, Clicks clicks, std::function<void(int)> frame);
  // The clicks held during a wait, played in order once it is over, one at a time: a
  // click that starts another held wait holds the rest.
  void playHeld();

  Host* host_;
  Calls calls_;
  std::vector<PendingStep> steps_;
  std::uint64_t nextOwn_ = 1;
  int holding_ = 0;  // held waits pending, or an animation's frame running
  std::vector<Target> held_;
};

}  // namespace kp
