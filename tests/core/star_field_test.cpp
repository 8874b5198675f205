#include "core/star_field.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

namespace kp {
namespace {

using Point = StarField::Point;

// The launcher's field: centre, vertical range, horizontal range.
constexpr int kCentre = 4250, kRangeA = 8410, kRangeB = 14900;

// The random numbers that make Int(range * r) + 1 come out as `start`, x before y, then
// 0.25 and 0.75 for any rebirth: x = Int(14900 * 0.25) + 1, y = Int(8410 * 0.75) + 1.
std::function<double()> placing(Point start) {
  auto values = std::make_shared<std::vector<double>>(
      std::vector<double>{(start.x - 0.5) / kRangeB, (start.y - 0.5) / kRangeA, 0.25, 0.75});
  auto next = std::make_shared<std::size_t>(0);
  return [values, next] { return (*values)[(*next)++ % values->size()]; };
}

TEST(StarFieldTest, AStarMovesOutByTheWholePartOfAFortiethAndIsRebornPastAnEdge) {
  const Point reborn{3726, 6308};
  const std::tuple<const char*, Point, int, bool, Point> cases[] = {
      {"400 away: 10 a tick", {4650, 3850}, 1, false, {4660, 3840}},
      {"79 / 40 rounds down to 1", {4171, 4329}, 1, false, {4170, 4330}},
      {"each coordinate on its own", {14000, 200}, 1, false, {14243, 99}},
      {"39 away: stands still for good", {4211, 4289}, 500, false, {4211, 4289}},
      {"40 away: one unit out", {4210, 4290}, 1, false, {4209, 4291}},
      {"lands exactly on the right edge", {14641, 4250}, 1, false, {14900, 4250}},
      {"passes the right edge", {14642, 4250}, 1, true, reborn},
      {"lands exactly on the left edge", {103, 4250}, 1, false, {0, 4250}},
      {"passes the left edge", {102, 4250}, 1, true, reborn},
      {"passes the bottom edge", {4250, 8400}, 1, true, reborn},
      {"passes the top edge", {4250, 50}, 1, true, reborn},
      {"reborn, then moves on as any star", {4250, 50}, 2, false, {3713, 6359}},
  };
  for (const auto& [name, from, ticks, reborn, to] : cases) {
    SCOPED_TRACE(name);
    StarField field(kCentre, kRangeA, kRangeB, 1, placing(from));
    ASSERT_EQ(field.stars()[0], from) << "initial stars are drawn like reborn ones, x first";
    for (int t = 0; t < ticks; ++t) field.tick();
    EXPECT_EQ(field.stars()[0], to);
    EXPECT_EQ(field.respawned(0), reborn);
  }
  // Every star moves, each on its own: the second is placed by the two numbers after the first's.
  StarField two(kCentre, kRangeA, kRangeB, 2, placing({4650, 3850}));
  two.tick();
  EXPECT_EQ(two.stars(), (std::vector<Point>{{4660, 3840}, {3713, 6359}}));
}

}  // namespace
}  // namespace kp
