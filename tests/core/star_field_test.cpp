#include "core/star_field.h"

#include <gtest/gtest.h>

#include <cstdint>
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
      {"on the centre: stands still for good", {4250, 4250}, 500, false, {4250, 4250}},
      {"39 away: stands still", {4211, 4289}, 500, false, {4211, 4289}},
      {"40 away: one unit out", {4210, 4290}, 1, false, {4209, 4291}},
      {"still on one axis, moving on the other", {4260, 1000}, 1, false, {4260, 919}},
      {"lands exactly on the right edge", {14641, 4250}, 1, false, {14900, 4250}},
      {"passes the right edge", {14642, 4250}, 1, true, reborn},
      {"lands exactly on the left edge", {103, 4250}, 1, false, {0, 4250}},
      {"passes the left edge", {102, 4250}, 1, true, reborn},
      {"passes the bottom edge", {4250, 8400}, 1, true, reborn},
      {"passes the top edge", {4250, 50}, 1, true, reborn},
  };
  for (const auto& [name, from, ticks, reborn, to] : cases) {
    SCOPED_TRACE(name);
    StarField field(kCentre, kRangeA, kRangeB, 1, placing(from));
    ASSERT_EQ(field.stars()[0], from) << "initial stars are drawn like reborn ones, x first";
    for (int t = 0; t < ticks; ++t) field.tick();
    EXPECT_EQ(field.stars()[0], to);
    EXPECT_EQ(field.respawned(0), reborn);
  }
}

// Only a star within 39 units of the centre on both axes may stand still; the rest stream
// out and come back, and nothing strays off the field.
TEST(StarFieldTest, LongRunsKeepTheStarsStreamingAndInsideTheField) {
  auto state = std::make_shared<std::uint32_t>(12345u);
  StarField field(kCentre, kRangeA, kRangeB, 30, [state] {
    *state = *state * 1664525u + 1013904223u;
    return (*state >> 8) / double(1u << 24);
  });
  auto near = [](int v) { return v > kCentre - 40 && v < kCentre + 40; };
  int rebirths = 0;
  for (int t = 0; t < 3000; ++t) {
    const std::vector<Point> before = field.stars();
    field.tick();
    for (std::size_t i = 0; i < field.stars().size(); ++i) {
      const Point p = field.stars()[i];
      const int least = field.respawned(i) ? 1 : 0;  // a reborn star is never on an edge at 0
      rebirths += field.respawned(i);
      if (p == before[i]) {
        ASSERT_TRUE(near(p.x) && near(p.y)) << "star " << i << " stuck at tick " << t;
      }
      ASSERT_TRUE(p.x >= least && p.x <= kRangeB && p.y >= least && p.y <= kRangeA) << i << " at " << t;
    }
  }
  EXPECT_GT(rebirths, 30) << "the stars keep streaming out and coming back";
}

}  // namespace
}  // namespace kp
