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

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  double scale() const;
  QPointF origin() const;

  GameController& controller_;
};

}  // namespace kp
