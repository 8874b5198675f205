#pragma once
#include <cstddef>
#include <functional>
#include <vector>

namespace kp {

// The moving-stars backdrop of the launcher and the about box, without any drawing.
//
// Stars live on an integer field whose horizontal coordinate runs over [0, horizontalRange]
// and whose vertical coordinate runs over [0, verticalRange]. Every tick pushes each star
// away from the point (centre, centre) by the whole part of a fortieth of its distance to it,
// per coordinate, so stars accelerate as they travel out and a coordinate within 39 units of
// the centre stays put. A star that leaves the field is reborn at a random spot:
// Int(range * r) + 1 for each coordinate, horizontal first. Only leaving the field rebirths
// a star, so one born within 39 units of the centre on both axes stays there for good as a
// still star in the middle (in the launcher's field about one rebirth in 20,000).
class StarField {
public:
    struct Point {
        int x = 0;  // horizontal
        int y = 0;  // vertical
        friend bool operator==(const Point&, const Point&) = default;
    };

    // rangeA is the vertical extent, rangeB the horizontal one; random yields r in [0, 1).
    // The initial stars are drawn from random the same way as reborn ones.
    StarField(int centre, int rangeA, int rangeB, int count, std::function<double()> random);

    // Moves every star one step; stars that left the field get a fresh position.
    void tick();

    const std::vector<Point>& stars() const { return stars_; }
    // Whether the star was reborn at a new random spot in the last tick (no trail to draw).
    bool respawned(std::size_t i) const { return respawned_.at(i) != 0; }

    int centre() const { return centre_; }
    int horizontalRange() const { return horizontalRange_; }
    int verticalRange() const { return verticalRange_; }

    // One step of a coordinate away from the centre: the integer part of distance / 40,
    // so nothing at all within 39 units of it.
    static int step(int coordinate, int centre);

private:
    Point randomPoint();

    int centre_;
    int verticalRange_;
    int horizontalRange_;
    std::function<double()> random_;
    std::vector<Point> stars_;
    std::vector<char> respawned_;
};

}  // namespace kp
