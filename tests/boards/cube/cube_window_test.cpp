#include "boards/cube/cube_window.h"

#include <gtest/gtest.h>

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
  BoardReport report;
  w.report(report);
  ASSERT_EQ(report.clickRegions.size(), std::size_t(CubeWindow::kRegions));
  int checked = 0;
  for (const Shape& s : scene.shapes) {
    if (s.kind != Shape::Kind::Region) continue;
    ASSERT_LT(checked, CubeWindow::kRegions);
    const Target own = report.clickRegions[std::size_t(checked++)];
    EXPECT_EQ(s.target, own);
    ASSERT_GE(own.id, 1) << "region " << checked - 1 << " lies on no Line";
    ++regions[std::size_t(own.id)];
    const Point2 middle{(s.points[0].x + s.points[1].x) / 2, (s.points[0].y + s.points[1].y) / 2};
    EXPECT_EQ(scene.hit(middle, scene.hitTolerance()), own) << "region " << checked - 1;
  }
  EXPECT_EQ(checked, CubeWindow::kRegions);
  for (int l = 1; l <= CubeWindow::kLines; ++l) EXPECT_GE(regions[std::size_t(l)], 1) << l;
}

}  // namespace
}  // namespace kp
