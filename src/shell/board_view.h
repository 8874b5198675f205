#pragma once
#include <QPointF>
#include <QWidget>

#include "core/game_controller.h"

namespace kp {

// Paints a window's drawing record scaled to the widget and turns a mouse press into a
// click on the nearest shown target (a circle first, then a Line).
class BoardView : public QWidget {
  Q_OBJECT
 public:
  BoardView(GameController& controller, QWidget* parent = nullptr);

  // Widget position of a point given in the board's design units.
  QPointF toWidget(Point2 p) const;
  // The target under a widget position: {line, 0}, {0, circle} or {0, 0}.
  std::pair<int, int> targetAt(QPointF pos) const;

  QSize sizeHint() const override { return {600, 600}; }

  // Called after every change of the model: repaints what the drawing changed (a claimed
  // Line, a filled circle), not the whole board; all of it when the banner or the board's
  // size changed.
  void modelChanged();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  double scale() const;
  QPointF origin() const;
  // Where a piece of the picture can put paint, antialiasing and round caps included.
  QRectF lineBounds(int line, int width) const;
  QRectF circleBounds(int circle) const;
  double pixel() const;

  GameController& controller_;
  // The picture as last asked for, to tell what a change of the model touched.
  Drawing shown_;
  bool shownGameOver_ = false;
  double shownScale_ = 0;
};

}  // namespace kp
