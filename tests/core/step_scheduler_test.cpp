#include "core/step_scheduler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/virtual_host.h"

namespace kp {
namespace {

// A wait, then clicks arriving while it is pending: which are played, in what order, and
// what the window has done by the end.
struct Case {
  const char* name;
  Clicks clicks;
  bool animated;       // a flash of 4 frames 250 ms apart rather than one step
  bool personToMove;   // whether a person is to move once the wait is over
  bool cancelAll;      // New game before the wait is over
  std::vector<int> played;
};

TEST(StepScheduler, ClicksDuringAWait) {
  const Case cases[] = {
      {"held clicks played in order after the wait", Clicks::Held, false, true, false, {3, 7}},
      {"held clicks played after the flash's last frame", Clicks::Held, true, true, false, {3, 7}},
      {"held clicks dropped when the computer is to move", Clicks::Held, true, false, false, {}},
      {"held clicks dropped by New game", Clicks::Held, false, true, true, {}},
      {"a wait that ignores clicks holds none", Clicks::Ignored, false, true, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    VirtualHost host;
    std::vector<std::string> log;
    std::vector<int> played;
    StepScheduler steps(host, {.afterStep = [&] { log.push_back("changed"); },
                               .personToMove = [&] { return c.personToMove; },
                               .play = [&](Target t) { played.push_back(t.id); }});
    if (c.animated)
      steps.animate(4, 250, c.clicks, [&](int k) { log.push_back("frame " + std::to_string(k)); });
    else
      steps.schedule(500, [&] { log.push_back("step"); }, c.clicks);
    // The clicks a window would play at once when nothing holds them.
    for (int line : {3, 7})
      if (steps.holdsClicks()) steps.hold(Target::line(line));
    EXPECT_TRUE(played.empty());
    if (c.cancelAll) steps.cancelAll();
    while (host.runNextStepBy(10000)) {
    }
    EXPECT_EQ(played, c.played);
    EXPECT_FALSE(steps.holdsClicks());
    EXPECT_EQ(steps.pending(), 0u);
    if (c.animated) {
      EXPECT_EQ(log, (std::vector<std::string>{"frame 0", "frame 1", "changed", "frame 2", "changed", "frame 3",
                                                "changed"}));
    } else if (!c.cancelAll) {
      EXPECT_EQ(log, (std::vector<std::string>{"step", "changed"}));
    }
  }
}

}  // namespace
}  // namespace kp
