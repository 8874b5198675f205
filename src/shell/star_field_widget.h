#pragma once
#include <QPointF>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

#include "core/star_field.h"

namespace kp {

// Paints a StarField on black and animates it. The animation only runs while the widget
// is shown, so a hidden backdrop costs nothing.
class StarFieldWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kStarCount = 30;
    static constexpr int kUnitsPerPixel = 15;  // the field's natural scale

    // rangeA is the field's vertical extent, rangeB its horizontal one (model units).
    StarFieldWidget(int centre, int rangeA, int rangeB, std::function<double()> random,
                    QWidget* parent = nullptr);

    const StarField& field() const { return field_; }
    bool isAnimating() const { return follow_ ? follow_->isActive() : timer_.isActive(); }

    // Model units to widget pixels: one scale for both axes, large enough that the field
    // covers the whole widget, with the field's origin at the top-left corner.
    QPointF toPixel(StarField::Point p) const;
    double scale() const;

    QSize sizeHint() const override;
    // From now on the stars move on the ticks of another animation's timer instead of
    // their own, so one repaint a frame shows both.
    void followFrames(QTimer* frames);
    // One frame. Stopped (false) the stars move only when told, by a scripted run's clock.
    void advance();
    void setOwnClock(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Where star i's trail (or dot) can put paint, antialiasing and round cap included.
    QRect starBounds(std::size_t i) const;

    StarField field_;
    QTimer timer_;
    QTimer* follow_ = nullptr;
    bool ownClock_ = true;
    // Round what the last frame drew: the next frame repaints only it and the new trails.
    QRect drawn_;
    // Where each star stood when the frame began, and whether it was reborn during the
    // frame: a star's trail runs along all the steps of one frame.
    std::vector<StarField::Point> from_;
    std::vector<char> reborn_;
};

}  // namespace kp
