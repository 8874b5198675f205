#pragma once
#include <QFont>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QWidget>
#include <vector>

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

  // Where the grid writes a Line's number: the outline of the digits' ink, in widget
  // coordinates.
  QPolygonF lineLabel(int line);

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

  // The grid's number labels for the current size, laid out again when the size changed.
  void layOutLabels();
  // Places the Line numbers written in this font; returns how far, in all, they reach
  // into what they should keep clear of (0: nothing hidden, nothing crowded).
  double placeLineNumbers(const QFont& font);
  static QRect paintBounds(const QPolygonF& ink) { return ink.boundingRect().adjusted(-2, -2, 2, 2).toAlignedRect(); }
  void paintLabels(QPainter& painter, const QRegion& dirty);

  GameController& controller_;
  // The picture as last asked for, to tell what a change of the model touched.
  Drawing shown_;
  bool shownGameOver_ = false;
  double shownScale_ = 0;
  bool shownGrid_ = false;
  int shownView_ = 1;

  struct NumberLabel {
    QPointF centre;
    double angle = 0;  // degrees clockwise
    QPolygonF outline;
  };
  struct Labels {
    double scale = 0;
    QPointF origin;
    QSize size;
    QFont lineFont, circleFont;
    std::vector<NumberLabel> lines;  // [line]
  } labels_;
};

}  // namespace kp
