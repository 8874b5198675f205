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

// Lookups by id remember where an entry stands; a menu changed after that must still give
// the entry with that id, never whatever now stands in its old place.
TEST(MenuModel, LookupsFollowAMenuThatChangedShape) {
  MenuModel m = sample();
  EXPECT_EQ(m.at("game").caption, "&Game");
  EXPECT_EQ(m.at("new").caption, "New");
  std::swap(m.top()[0], m.top()[1]);
  m.top()[1].children.erase(m.top()[1].children.begin());  // "New" goes; a separator takes its place
  EXPECT_EQ(m.at("game").caption, "&Game");
  EXPECT_EQ(m.at("opts").caption, "&Options");
  EXPECT_EQ(m.find("new"), nullptr);
  EXPECT_THROW(m.at("new"), std::out_of_range);
  EXPECT_EQ(m.at("exit").caption, "E&xit");
  m.add({.id = "late", .caption = "Late"});
  EXPECT_EQ(m.at("late").caption, "Late");
}

}  // namespace
}  // namespace kp
