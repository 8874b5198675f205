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

// Two entries of one caption: the path without an index names the visible one, and a
// hidden twin is never reachable, by path or by id.
TEST(MenuModel, EntriesSharingACaptionAreToldApartByIndex) {
  MenuModel m;
  MenuEntry games{.id = "games", .caption = "Games &Menu"};
  games.children = {{.id = "games.4", .caption = "Krunk  (Classic)", .visible = false},
                    {.id = "games.8", .caption = "Krunk  (Classic)"}};
  m.add(games);
  std::vector<std::string> paths;
  m.forEach([&](const std::string& path, const MenuEntry&) { paths.push_back(path); });
  EXPECT_EQ(paths, (std::vector<std::string>{"Games Menu", "Games Menu > Krunk  (Classic) [4]",
                                             "Games Menu > Krunk  (Classic) [8]"}));
  EXPECT_EQ(m.findPath("Games Menu > Krunk  (Classic)")->id, "games.8");
  EXPECT_EQ(m.findPath("Games Menu > Krunk  (Classic) [4]")->id, "games.4");
  EXPECT_TRUE(m.reachable("Games Menu > Krunk  (Classic)"));
  EXPECT_FALSE(m.reachable("Games Menu > Krunk  (Classic) [4]"));
  EXPECT_TRUE(m.reachableId("games.8"));
  EXPECT_FALSE(m.reachableId("games.4"));
}

}  // namespace
}  // namespace kp
