#include "core/star_field.h"

#include <utility>

namespace kp {

namespace {
constexpr int kSlowness = 40;  // a star covers 1/40 of its distance to the centre per tick
}

StarField::StarField(int centre, int rangeA, int rangeB, int count, std::function<double()> random)
    : centre_(centre), verticalRange_(rangeA), horizontalRange_(rangeB), random_(std::move(random)) {
    const std::size_t n = count > 0 ? std::size_t(count) : 0;
    stars_.reserve(n);
    for (std::size_t i = 0; i < n; ++i) stars_.push_back(randomPoint());
    respawned_.assign(n, 0);
}

int StarField::step(int coordinate, int centre) {
    return (coordinate - centre) / kSlowness;  // truncates towards zero: the integer part
}

StarField::Point StarField::randomPoint() {
    Point p;
    p.x = int(horizontalRange_ * random_()) + 1;
    p.y = int(verticalRange_ * random_()) + 1;
    return p;
}

void StarField::tick() {
    for (std::size_t i = 0; i < stars_.size(); ++i) {
        Point& s = stars_[i];
        s.x += step(s.x, centre_);
        s.y += step(s.y, centre_);
        const bool outside = s.x < 0 || s.x > horizontalRange_ || s.y < 0 || s.y > verticalRange_;
        respawned_[i] = outside ? 1 : 0;
        if (outside) s = randomPoint();
    }
}

}  // namespace kp
