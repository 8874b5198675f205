#include "boards/cube/cube_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "play/play_session.h"

namespace kp {
namespace {

// Every click region lies on a drawn Line, and a click in the middle of it reaches that
// Line, not a neighbour whose region overlaps it; every Line has at least one.
TEST(CubeWindow, EveryClickRegionReachesItsOwnLine) {
  PlaySession session;
  ASSERT_EQ(session.open("cube"), "");
  ASSERT_EQ(session.menu("Games Menu > Tolva"), "");
  const GameController& w = *session.window();
  const Scene scene = w.scene();
  std::vector<int> regions(CubeWindow::kLines + 1, 0);
  int checked = 0;
  for (const Shape& s : scene.shapes) {
    if (s.kind != Shape::Kind::Region) continue;
    const Target own = w.clickRegion(checked++);
    EXPECT_EQ(s.target, own);
    ASSERT_GE(own.id, 1) << "region " << checked - 1 << " lies on no Line";
    ++regions[std::size_t(own.id)];
    const Point2 middle{(s.points[0].x + s.points[1].x) / 2, (s.points[0].y + s.points[1].y) / 2};
    EXPECT_EQ(scene.hit(middle, scene.hitTolerance()), own) << "region " << checked - 1;
  }
  EXPECT_EQ(checked, CubeWindow::kRegions);
  for (int l = 1; l <= CubeWindow::kLines; ++l) EXPECT_GE(regions[std::size_t(l)], 1) << l;
}


// The line games score a square for whoever claims its last Line, and a scored square
// stays scored whatever colours its Lines wear: the points never fall, and every square
// ends scored but those the self-playing last Line of the Bonus game closes for nobody.
TEST(CubeWindow, LineGamesScoreBySquaresClaimed) {
  for (const char* game : {"Line Krunk", "Bonus game - Line Krunk with Krunk Move", "Tolva"}) {
    for (unsigned seed : {1u, 2u, 3u}) {
      SCOPED_TRACE(std::string(game) + " " + std::to_string(seed));
      PlaySession session(seed);
      ASSERT_EQ(session.open("cube"), "");
      ASSERT_EQ(session.menu(std::string("Games Menu > ") + game), "");
      const GameController& w = *session.window();
      std::vector<int> order(CubeWindow::kLines);
      std::iota(order.begin(), order.end(), 1);
      std::shuffle(order.begin(), order.end(), std::mt19937(seed));
      int red = 0, blue = 0, selfPlayed = 0;
      for (int l : order) {
        if (w.rules().claimed(l)) {  // the Bonus game's last Line plays itself
          selfPlayed = l;
          continue;
        }
        ASSERT_EQ(session.line(l), "");
        const int r = std::stoi(w.status().redPoints), b = std::stoi(w.status().bluePoints);
        ASSERT_GE(r, red);
        ASSERT_GE(b, blue);
        red = r, blue = b;
      }
      ASSERT_TRUE(w.status().gameOver);
      const int forNobody = selfPlayed ? int(w.rules().graph().lineCells[std::size_t(selfPlayed)].size()) : 0;
      EXPECT_EQ(std::string(game) == "Bonus game - Line Krunk with Krunk Move", selfPlayed != 0);
      EXPECT_EQ(red + blue, 36 - forNobody);
    }
  }
}

// From a game's first move to New game the set-up menus, Options among them, are locked,
// and a shortcut cannot reach what lies in them.
TEST(CubeWindow, OptionsAreLockedDuringAGame) {
  PlaySession session;
  ASSERT_EQ(session.open("cube"), "");
  ASSERT_EQ(session.menu("Games Menu > Tolva"), "");
  GameController& w = *session.window();
  ASSERT_TRUE(w.menus().at("options").enabled);
  ASSERT_EQ(session.line(1), "");
  for (const char* menu : {"options", "other", "games"}) EXPECT_FALSE(w.menus().at(menu).enabled) << menu;
  w.menuChosen("game.grid");
  EXPECT_FALSE(w.gridShown());
  ASSERT_EQ(session.menu("Game > New"), "");
  EXPECT_TRUE(w.menus().at("options").enabled);
}

}  // namespace
}  // namespace kp
