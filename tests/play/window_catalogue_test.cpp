// Every row of the window catalogue is a window the tests reach: it loads, it has its
// scenarios and its screenshot script, and the menus and buttons the fuzzer and the variant
// test use on it are there.
#include "core/window_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <iterator>
#include <numeric>

#include "boards/registry.h"
#include "core/virtual_host.h"
#include "play/play_session.h"

namespace kp {
namespace {

TEST(WindowCatalogue, EveryWindowLoadsAndHasItsScenariosAndScreenshot) {
  std::vector<int> joined;
  for (const WindowEntry& row : windowCatalogue()) {
    SCOPED_TRACE(row.name);
    joined.push_back(row.tests.joined);
    EXPECT_EQ(windowFromName(row.name), row.kind);
    VirtualHost host;
    ProgramState program;
    const auto window = loadWindow(row.kind, host, program);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->kind(), row.kind);
    const std::string screenshot = std::string(KP_SCENARIO_DIR) + "/../../scripts/screenshots/" + row.name + ".play";
    EXPECT_TRUE(std::filesystem::exists(screenshot)) << screenshot;

    // Each scenario exists and opens the window, whichever way (by name, from the launcher, by Other Games).
    EXPECT_FALSE(row.tests.scenarios.empty());
    for (const char* file : row.tests.scenarios) {
      std::ifstream in(std::string(KP_SCENARIO_DIR) + "/" + file);
      ASSERT_TRUE(in) << file;
      PlaySession session;
      bool opened = false;
      for (const auto& cmd : parseScript(in)) {
        session.run(cmd);
        opened = opened || (session.window() && session.window()->kind() == row.kind);
      }
      EXPECT_TRUE(opened) << file;
    }

    // The boards the fuzzer and the variant test open, and the buttons that turn the view.
    PlaySession probe;
    ASSERT_EQ(probe.open(row.name), "");
    for (const auto* boards : {&row.tests.fuzzerBoards, &row.tests.variantBoards})
      for (const std::string menu : *boards)
        if (!menu.empty()) {
          EXPECT_EQ(probe.menu(menu), "");
        }
    for (const char* button : row.tests.turn) EXPECT_TRUE(probe.window()->controlNamed(button)) << button;
  }
  // The fuzzer's order of windows: each place once.
  std::sort(joined.begin(), joined.end());
  std::vector<int> places(joined.size());
  std::iota(places.begin(), places.end(), 1);
  EXPECT_EQ(joined, places);
}

// Alt and a letter opens one menu of the bar. Two menus with one letter make Alt cycle
// between them, and Enter then chooses in the wrong one (another board from Other Games).
TEST(WindowCatalogue, EveryTopLevelMenuHasALetterOfItsOwn) {
  for (const WindowEntry& row : windowCatalogue())
    for (const std::string board : row.tests.variantBoards) {
      SCOPED_TRACE(std::string(row.name) + " " + board);
      PlaySession session;
      ASSERT_EQ(session.open(row.name), "");
      ASSERT_TRUE(board.empty() || session.menu(board).empty());
      std::map<char, std::string> taken;
      for (const MenuEntry& menu : session.window()->menus().top()) {
        const std::size_t at = menu.caption.find('&');
        const char key = at + 1 < menu.caption.size() ? char(std::tolower(menu.caption[at + 1])) : '\0';
        EXPECT_NE(key, '\0') << menu.caption << " has no access letter";
        if (const auto [first, fresh] = taken.emplace(key, menu.caption); key && !fresh)
          ADD_FAILURE() << menu.caption << " and " << first->second << " share Alt+" << key;
      }
    }
}

// Every launcher name, every game a Games menu shows (on each of the window's boards) and
// every button and check box says in one line what it is; the help page lists the names'
// tips as they are.
TEST(WindowCatalogue, EveryNameGameAndButtonSaysWhatItIs) {
  std::ifstream helpFile(std::string(KP_SCENARIO_DIR) + "/../../data/krunk plexa help.htm");
  const std::string help{std::istreambuf_iterator<char>(helpFile), {}};
  ASSERT_FALSE(help.empty());
  auto oneLine = [](const std::string& tip) {
    return !tip.empty() && tip.size() <= 120 && tip.find('\n') == std::string::npos;
  };
  for (const WindowEntry& row : windowCatalogue()) {
    SCOPED_TRACE(row.name);
    for (const LauncherGame& g : row.launcher) {
      EXPECT_TRUE(oneLine(g.tip)) << g.caption;
      EXPECT_NE(help.find(g.tip), std::string::npos) << g.tip;
    }
    PlaySession probe;
    ASSERT_EQ(probe.open(row.name), "");
    int games = 0;
    for (const std::string level : row.tests.variantBoards) {
      if (!level.empty()) {
        ASSERT_EQ(probe.menu(level), "");
      }
      probe.window()->menus().forEach([&](const std::string& path, const MenuEntry& e) {
        if (!path.starts_with("Games Menu > ") || !e.visible) return;
        ++games;
        EXPECT_TRUE(oneLine(e.statusTip)) << path;
      });
    }
    EXPECT_EQ(games, row.tests.games);
    for (const Control& c : probe.window()->controls()) EXPECT_TRUE(oneLine(c.tip)) << c.id;
  }
}

}  // namespace
}  // namespace kp
