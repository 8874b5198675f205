#include "core/menu_model.h"

#include <gtest/gtest.h>

namespace kp {
namespace {

MenuModel sample() {
  MenuModel m;
  MenuEntry game{.id = "game", .caption = "&Game"};
  game.children = {{.id = "new", .caption = "New"}, {.separator = true}, {.id = "exit", .caption = "E&xit"}};
  m.add(game);
  MenuEntry opts{.id = "opts", .caption = "&Options", .enabled = false};
  opts.children = {{.id = "sd", .caption = "Sudden Death", .children = {{.id = "sd2", .caption = "2 seconds"}}}};
  m.add(opts);
  return m;
}

TEST(MenuModel, MnemonicsAreDroppedButADoubledAmpersandStays) {
  EXPECT_EQ(stripMnemonic("E&xit"), "Exit");
  EXPECT_EQ(stripMnemonic("Rules and &Help"), "Rules and Help");
  EXPECT_EQ(stripMnemonic("Tom && Jerry"), "Tom & Jerry");
}

TEST(MenuModel, PathsFollowCaptionsAndReachabilityNeedsEveryLevelEnabled) {
  MenuModel m = sample();
  ASSERT_NE(m.findPath("Game > Exit"), nullptr);
  EXPECT_EQ(m.findPath("Game > Exit")->id, "exit");
  EXPECT_EQ(m.findPath("Game > Quit"), nullptr);
  EXPECT_TRUE(m.reachable("Game > New"));
  EXPECT_EQ(m.findPath("Options > Sudden Death > 2 seconds")->id, "sd2");
  EXPECT_FALSE(m.reachable("Options > Sudden Death > 2 seconds")) << "its top menu is disabled";
  m.at("opts").enabled = true;
  EXPECT_TRUE(m.reachable("Options > Sudden Death > 2 seconds"));
  m.at("sd").visible = false;
  EXPECT_FALSE(m.reachable("Options > Sudden Death > 2 seconds"));
}

TEST(MenuModel, ForEachListsEveryEntryButSeparatorsInOrder) {
  std::vector<std::string> paths;
  sample().forEach([&](const std::string& p, const MenuEntry&) { paths.push_back(p); });
  EXPECT_EQ(paths, (std::vector<std::string>{"Game", "Game > New", "Game > Exit", "Options", "Options > Sudden Death",
                                             "Options > Sudden Death > 2 seconds"}));
}

}  // namespace
}  // namespace kp
