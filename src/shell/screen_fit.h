#pragma once
#include <QScrollArea>
#include <QSize>

class QWidget;

namespace kp {

// Sizes a window to `wanted`, or to less where its screen's available area has less room
// (its frame included, never below its minimum size), and centres it in that area.
void fitToScreen(QWidget& window, QSize wanted);
// Fits a window shown a moment ago again, in the frame the window manager gave it.
void keepOnScreen(QWidget& window);

// A scroll area that asks for the room of everything it holds, makes do with `least`, and
// scrolls what does not fit (`vertical`: only up and down, as wide as what it holds).
class RoomyScrollArea : public QScrollArea {
 public:
  RoomyScrollArea(QWidget* content, QSize least, bool vertical, QWidget* parent);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int barWidth() const;
  // The least height of the column at the viewport's width.
  int columnHeight() const;
  // A column fills the viewport's height, or takes the least it needs where that is more.
  void fitColumn();
  QSize least_;
  bool vertical_;
};

}  // namespace kp
