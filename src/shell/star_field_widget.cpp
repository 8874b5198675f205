#include "shell/star_field_widget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "shell/animation_frames.h"

namespace kp {

StarFieldWidget::StarFieldWidget(int centre, int rangeA, int rangeB, std::function<double()> random,
                                 QWidget* parent)
    : QWidget(parent), field_(centre, rangeA, rangeB, kStarCount, std::move(random)), timer_(this) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel is painted, no need to clear first
    timer_.setInterval(kAnimationFrameMs);
    from_ = field_.stars();
    reborn_.assign(from_.size(), 0);
    connect(&timer_, &QTimer::timeout, this, &StarFieldWidget::advance);
}

double StarFieldWidget::scale() const {
    const double sx = double(width()) / std::max(1, field_.horizontalRange());
    const double sy = double(height()) / std::max(1, field_.verticalRange());
    return std::max(sx, sy);
}

QPointF StarFieldWidget::toPixel(StarField::Point p) const {
    const double s = scale();
    return QPointF(p.x * s, p.y * s);
}

QSize StarFieldWidget::sizeHint() const {
    return QSize(field_.horizontalRange() / kUnitsPerPixel, field_.verticalRange() / kUnitsPerPixel);
}

QRect StarFieldWidget::starBounds(std::size_t i) const {
    const QPointF now = toPixel(field_.stars()[i]);
    const QPointF from = reborn_[i] ? now : toPixel(from_[i]);
    return QRectF(from, now).normalized().adjusted(-3, -3, 3, 3).toAlignedRect();
}

void StarFieldWidget::advance() {
    from_ = field_.stars();
    std::fill(reborn_.begin(), reborn_.end(), 0);
    for (int step = 0; step < kAnimationTicksPerFrame; ++step) {
        field_.tick();
        for (std::size_t i = 0; i < reborn_.size(); ++i) reborn_[i] |= char(field_.respawned(i));
    }
    // Only this frame's trails and the last frame's need repainting. One rectangle round
    // them all costs less to repaint and flush than sixty small ones.
    QRect next;
    for (std::size_t i = 0; i < field_.stars().size(); ++i) next |= starBounds(i);
    update(drawn_ | next);
    drawn_ = next;
}

void StarFieldWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRegion& dirty = event->region();
    for (const QRect& r : dirty) painter.fillRect(r, Qt::black);
    painter.setRenderHint(QPainter::Antialiasing);

    const auto& stars = field_.stars();
    const int c = field_.centre();
    // A star is dim near the centre and bright at the rim, like one coming closer.
    const int reach = std::max({1, c, field_.horizontalRange() - c, field_.verticalRange() - c});
    for (std::size_t i = 0; i < stars.size(); ++i) {
        if (!dirty.intersects(starBounds(i))) continue;
        const int distance = std::max(std::abs(stars[i].x - c), std::abs(stars[i].y - c));
        const int grey = 110 + 145 * std::min(distance, reach) / reach;
        QPen pen(QColor(grey, grey, grey), distance * 2 > reach ? 2.0 : 1.5);
        const QPointF now = toPixel(stars[i]);
        if (reborn_[i]) {
            pen.setCapStyle(Qt::RoundCap);
            painter.setPen(pen);
            painter.drawPoint(now);
        } else {
            // Square ends look the same as round ones on a line this thin, and cost
            // no curves to draw.
            pen.setCapStyle(Qt::SquareCap);
            painter.setPen(pen);
            painter.drawLine(toPixel(from_[i]), now);  // a short trail along the way it came
        }
    }
}

void StarFieldWidget::followFrames(QTimer* frames) {
    if (follow_) return;
    timer_.stop();
    follow_ = frames;
    connect(frames, &QTimer::timeout, this, &StarFieldWidget::advance);
}

void StarFieldWidget::setOwnClock(bool on) {
    ownClock_ = on;
    if (!on) timer_.stop();
    else if (isVisible() && !follow_) timer_.start();
}

void StarFieldWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!follow_ && ownClock_) timer_.start();
}

void StarFieldWidget::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    timer_.stop();
}

}  // namespace kp
