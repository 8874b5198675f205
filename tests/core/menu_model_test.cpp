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
