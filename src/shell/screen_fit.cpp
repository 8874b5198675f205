#include "shell/screen_fit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace kp {

namespace {

// The window manager's frame around the window: as it is once the window is shown and the
// frame known, else room for a title bar (none on the offscreen platform).
QMargins frameOf(const QWidget& window) {
  if (window.isVisible()) {
    const QRect f = window.frameGeometry(), g = window.geometry();
    const QMargins shown(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
    if (!shown.isNull()) return shown;  // else the window manager has not told it yet
  }
  if (QGuiApplication::platformName() == QLatin1String("offscreen")) return {};
  return {0, window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window), 0, 0};
}

}  // namespace

void fitToScreen(QWidget& window, QSize wanted) {
  const QScreen* screen = window.screen();
  if (!screen) return window.resize(wanted);
  const QRect room = screen->availableGeometry();
  const QMargins frame = frameOf(window);
  const QSize size = wanted.boundedTo(room.size().shrunkBy(frame)).expandedTo(window.minimumSize());
  window.resize(size);
  const QSize outer = size.grownBy(frame);
  // A window larger than the room (its minimum is) keeps its top left corner in it.
  window.move(room.x() + std::max(0, (room.width() - outer.width()) / 2),
              room.y() + std::max(0, (room.height() - outer.height()) / 2));
}

void keepOnScreen(QWidget& window) { fitToScreen(window, window.size()); }

RoomyScrollArea::RoomyScrollArea(QWidget* content, QSize least, bool vertical, QWidget* parent)
    : QScrollArea(parent), least_(least), vertical_(vertical) {
  setFrameShape(QFrame::NoFrame);
  // The keyboard stays with what the area holds.
  setFocusPolicy(Qt::NoFocus);
  // A column of word-wrapped labels would be given the height it prefers at its width, the
  // roomy lists' included, and scroll long before it must: the area sizes it itself.
  setWidgetResizable(!vertical);
  setWidget(content);
  if (vertical) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    content->installEventFilter(this);
    // The area grows by the scroll bar while it shows, so nothing it holds is hidden under it.
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, [this] { updateGeometry(); });
  }
}

int RoomyScrollArea::columnHeight() const {
  const QLayout* layout = widget()->layout();
  const int least = widget()->minimumSizeHint().height();
  return layout && layout->hasHeightForWidth() ? std::max(least, layout->minimumHeightForWidth(widget()->width()))
                                               : least;
}

void RoomyScrollArea::fitColumn() {
  const QSize room = viewport()->size();
  widget()->resize(room.width(), std::max(room.height(), columnHeight()));
}

bool RoomyScrollArea::eventFilter(QObject* watched, QEvent* event) {
  if (watched == widget() && event->type() == QEvent::LayoutRequest) fitColumn();
  return QScrollArea::eventFilter(watched, event);
}

void RoomyScrollArea::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  if (!widgetResizable()) fitColumn();
}

int RoomyScrollArea::barWidth() const {
  // Only once shown: before that its range is reckoned for a viewport not yet laid out.
  return verticalScrollBar()->isVisible() ? style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) : 0;
}

QSize RoomyScrollArea::sizeHint() const {
  // A column shows all it holds at its least size; a board asks for the size it is drawn at.
  if (vertical_) return minimumSizeHint().expandedTo({0, columnHeight()});
  return widget()->sizeHint().expandedTo(widget()->minimumSizeHint()).expandedTo(widget()->minimumSize());
}

QSize RoomyScrollArea::minimumSizeHint() const {
  if (!vertical_) return least_;
  const QSize content = widget()->minimumSizeHint().expandedTo(widget()->minimumSize()).boundedTo(widget()->maximumSize());
  return {content.width() + barWidth(), least_.height()};
}

}  // namespace kp
