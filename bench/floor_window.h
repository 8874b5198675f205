#pragma once
// The floor the program is measured against: what any Qt 6 Widgets program with a
// window costs. A main window with a menu bar and one painted widget, nothing more.
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace kp::bench {

class FloorCanvas : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  // A press repaints the canvas, as the plainest board program would.
  void mousePressEvent(QMouseEvent*) override { update(); }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QPen(Qt::black, 2));
    for (int i = 0; i <= 5; ++i) {
      p.drawLine(40 + 100 * i, 40, 40 + 100 * i, 540);
      p.drawLine(40, 40 + 100 * i, 540, 40 + 100 * i);
    }
  }
};

class FloorWindow : public QMainWindow {
 public:
  FloorWindow() {
    setWindowTitle("Floor");
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&New");
    file->addAction("E&xit", this, &QWidget::close);
    menuBar()->addMenu("&Help")->addAction("&About");
    setCentralWidget(new FloorCanvas(this));
    resize(940, 660);
  }
};

}  // namespace kp::bench
