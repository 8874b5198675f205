#include "core/standard_menus.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/virtual_host.h"

namespace kp {
namespace {

// An entry of the standard menus chosen on a window that opened with its defaults (no time
// limit running, Other Games available only where the case says): what it changed.
struct Case {
  const char* id;
  bool handled;  // false: the entry belongs to the game's flow or to the window
  bool available = true;
  bool keypad = false, expert = false, ended = false, about = false;
  int suddenDeath = 1;
  std::optional<int> limitMs;  // the limit stored once chosen (nothing: the opening limit)
  bool noLimit = true;
  std::string message;  // the only message shown ("" for none)
  std::optional<WindowKind> switched;
  int wallLevel = 1;
};

TEST(StandardMenus, EntriesChosen) {
  const Case cases[] = {
      {.id = "game.keypad", .handled = true, .keypad = true},
      {.id = "expert", .handled = true, .expert = true},
      {.id = "game.exit", .handled = true, .ended = true},
      {.id = "help.about", .handled = true, .about = true},
      {.id = "game.call", .handled = true, .message = "Playing over the network is not available in this version."},
      {.id = "sd.4", .handled = true, .suddenDeath = 4, .limitMs = 60000, .noLimit = false},
      {.id = "sd.1", .handled = true},
      {.id = "other.9", .handled = true, .switched = WindowKind::Wall, .wallLevel = 2},
      {.id = "other.9", .handled = true, .available = false, .message = "Krunk the Wall is not in this version yet."},
      // The game's own entries and a window's, left to them.
      {.id = "game.new", .handled = false},
      {.id = "players.0", .handled = false},
      {.id = "games.3", .handled = false},
      {.id = "help.expert", .handled = false},
      {.id = "sd.", .handled = false},
      {.id = "size.2", .handled = false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    VirtualHost host;
    host.setWindowAvailability([&](WindowKind) { return c.available; });
    ProgramState program;
    Options options;
    MoveTimer timer([&](int ms, std::function<void()> step) { return host.schedule(ms, std::move(step)); },
                    [&](StepId id) { host.cancel(id); }, [] {});
    timer.setNoLimit(true);
    EXPECT_EQ(chooseStandardEntry(c.id, {host, program, options, timer}), c.handled);
    EXPECT_EQ(options.keypad, c.keypad);
    EXPECT_EQ(program.expert, c.expert);
    EXPECT_EQ(host.ended(), c.ended);
    EXPECT_EQ(host.aboutOpen(), c.about);
    EXPECT_EQ(options.suddenDeath, c.suddenDeath);
    EXPECT_EQ(timer.limit(), c.limitMs.value_or(MoveTimer::kOpeningLimitMs));
    EXPECT_EQ(timer.noLimit(), c.noLimit);
    const auto shown = host.takeMessages();
    EXPECT_EQ(shown.size(), c.message.empty() ? 0u : 1u);
    if (!shown.empty()) {
      EXPECT_EQ(shown.front().text, c.message);
    }
    EXPECT_EQ(host.takeSwitch(), c.switched);
    EXPECT_EQ(program.wallLevel, c.wallLevel);
  }
}

}  // namespace
}  // namespace kp
