#include "shell/star_field_widget.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cstdlib>
#include <utility>

namespace kp {

StarFieldWidget::StarFieldWidget(int centre, int rangeA, int rangeB, std::function<double()> random,
                                 QWidget* parent)
    : QWidget(parent), field_(centre, rangeA, rangeB, kStarCount, std::move(random)), timer_(this) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel is painted, no need to clear first
    timer_.setInterval(kFrameMs);
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

void StarFieldWidget::advance() {
    field_.tick();
    update();
}

void StarFieldWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.setRenderHint(QPainter::Antialiasing);

    const auto& stars = field_.stars();
    const auto& before = field_.previous();
    const int c = field_.centre();
    // A star is dim near the centre and bright at the rim, like one coming closer.
    const int reach = std::max({1, c, field_.horizontalRange() - c, field_.verticalRange() - c});
    for (std::size_t i = 0; i < stars.size(); ++i) {
        const int distance = std::max(std::abs(stars[i].x - c), std::abs(stars[i].y - c));
        const int grey = 110 + 145 * std::min(distance, reach) / reach;
        QPen pen(QColor(grey, grey, grey), distance * 2 > reach ? 2.0 : 1.5);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        const QPointF now = toPixel(stars[i]);
        if (field_.respawned(i))
            painter.drawPoint(now);
        else
            painter.drawLine(toPixel(before[i]), now);  // a short trail along the way it came
    }
}

void StarFieldWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    timer_.start();
}

void StarFieldWidget::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    timer_.stop();
}

}  // namespace kp
