#include "core/star_field.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace kp {
namespace {

using Point = StarField::Point;

// The launcher's field.
constexpr int kCentre = 4250;
constexpr int kRangeA = 8410;   // vertical
constexpr int kRangeB = 14900;  // horizontal

// Replays a fixed list of numbers, starting over when it runs out.
std::function<double()> sequence(std::vector<double> values) {
    auto state = std::make_shared<std::pair<std::vector<double>, std::size_t>>(std::move(values), 0);
    return [state] {
        double r = state->first[state->second];
        state->second = (state->second + 1) % state->first.size();
        return r;
    };
}

// The numbers that make Int(range * r) + 1 come out as the given coordinates, x before y,
// followed by `tail` for later rebirths.
std::function<double()> placing(const std::vector<Point>& points, std::vector<double> tail = {0.5}) {
    std::vector<double> values;
    for (const Point& p : points) {
        values.push_back((p.x - 0.5) / kRangeB);
        values.push_back((p.y - 0.5) / kRangeA);
    }
    values.insert(values.end(), tail.begin(), tail.end());
    return sequence(values);
}

// A small fixed pseudo-random generator for long runs.
std::function<double()> lcg() {
    auto state = std::make_shared<std::uint32_t>(12345u);
    return [state] {
        *state = *state * 1664525u + 1013904223u;
        return (*state >> 8) / double(1u << 24);
    };
}

TEST(StarFieldTest, InitialStarsComeFromTheRandomNumbersHorizontalFirst) {
    StarField field(kCentre, kRangeA, kRangeB, 3, sequence({0.0, 0.5, 0.25, 0.999999, 0.1, 0.0}));
    ASSERT_EQ(field.stars().size(), 3u);
    EXPECT_EQ(field.stars()[0], (Point{1, 4206}));
    EXPECT_EQ(field.stars()[1], (Point{3726, 8410}));
    EXPECT_EQ(field.stars()[2], (Point{1491, 1}));
    EXPECT_EQ(field.previous(), field.stars());
    EXPECT_EQ(field.horizontalRange(), kRangeB);
    EXPECT_EQ(field.verticalRange(), kRangeA);
    EXPECT_EQ(field.centre(), kCentre);
}

struct MoveCase {
    Point from;
    Point to;
};

// Farther out means faster: 10 units a tick at 400 away, 100 at 4000 away.
TEST(StarFieldTest, StarsMoveAwayFromTheCentreByAFortiethOfTheirDistance) {
    const std::vector<MoveCase> cases = {
        {{4650, 4250 - 400}, {4660, 3840}},    // 400 away: 10 per tick
        {{8250, 4250 + 4000}, {8350, 8350}},   // 4000 away: 100 per tick
        {{4250 - 79, 4250 + 79}, {4170, 4330}},  // 79 / 40 rounds down to 1
        {{14000, 200}, {14243, 99}},           // 9750 / 40 = 243.75, 4050 / 40 = 101.25
    };
    std::vector<Point> starts;
    for (const auto& c : cases) starts.push_back(c.from);
    StarField field(kCentre, kRangeA, kRangeB, int(cases.size()), placing(starts));
    field.tick();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(field.stars()[i], cases[i].to);
        EXPECT_EQ(field.previous()[i], cases[i].from);
        EXPECT_FALSE(field.respawned(i));
    }
}

struct EdgeCase {
    const char* name;
    Point from;
    bool reborn;
    Point to;  // where it ends up: the next step, or the rebirth spot below
};

TEST(StarFieldTest, AStarPastAnEdgeIsRebornInsideTheField) {
    // Rebirths take 0.25 then 0.75: x = Int(14900 * 0.25) + 1, y = Int(8410 * 0.75) + 1.
    const Point reborn{3726, 6308};
    const std::vector<EdgeCase> cases = {
        {"lands exactly on the right edge", {14641, 4250}, false, {14900, 4251}},
        {"passes the right edge", {14642, 4250}, true, reborn},
        {"lands exactly on the left edge", {103, 4250}, false, {0, 4251}},
        {"passes the left edge", {102, 4250}, true, reborn},
        {"passes the bottom edge", {4250, 8400}, true, reborn},
        {"passes the top edge", {4250, 50}, true, reborn},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StarField field(kCentre, kRangeA, kRangeB, 1, placing({c.from}, {0.25, 0.75}));
        field.tick();
        EXPECT_EQ(field.respawned(0), c.reborn);
        EXPECT_EQ(field.stars()[0], c.to);
        EXPECT_EQ(field.previous()[0], c.from);  // the old spot is kept for wiping
    }
}

TEST(StarFieldTest, AStarOnOrNearTheCentreNeverSticks) {
    const std::vector<Point> starts = {{4250, 4250}, {4250 + 39, 4250 - 39}, {4250 - 1, 4250 + 1}};
    StarField field(kCentre, kRangeA, kRangeB, int(starts.size()), placing(starts));
    for (int t = 0; t < 50; ++t) {
        field.tick();
        for (std::size_t i = 0; i < starts.size(); ++i) {
            EXPECT_NE(field.stars()[i].x, field.previous()[i].x) << "star " << i << " tick " << t;
            EXPECT_NE(field.stars()[i].y, field.previous()[i].y) << "star " << i << " tick " << t;
        }
    }
    EXPECT_EQ(field.stars()[0], (Point{4300, 4300}));  // one unit a tick until 40 away, then on
}

struct FieldSize {
    int centre;
    int rangeA;
    int rangeB;
};

TEST(StarFieldTest, LongRunsKeepEveryStarMovingAndInsideTheField) {
    for (const FieldSize& f : {FieldSize{4250, 8410, 14900}, FieldSize{1250, 2600, 5900}}) {
        SCOPED_TRACE(f.rangeB);
        StarField field(f.centre, f.rangeA, f.rangeB, 30, lcg());
        int rebirths = 0;
        for (int t = 0; t < 3000; ++t) {
            field.tick();
            for (std::size_t i = 0; i < field.stars().size(); ++i) {
                const Point p = field.stars()[i];
                ASSERT_NE(p, field.previous()[i]) << "star " << i << " stuck at tick " << t;
                ASSERT_GE(p.x, 0);
                ASSERT_LE(p.x, f.rangeB);
                ASSERT_GE(p.y, 0);
                ASSERT_LE(p.y, f.rangeA);
                if (field.respawned(i)) {
                    ++rebirths;
                    ASSERT_GE(p.x, 1);
                    ASSERT_GE(p.y, 1);
                }
            }
        }
        EXPECT_GT(rebirths, 30);  // the stars keep streaming out and coming back
    }
}

}  // namespace
}  // namespace kp
