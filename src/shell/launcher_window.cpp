#include "shell/launcher_window.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "boards/registry.h"
#include "core/game_controller.h"
#include "shell/animation_frames.h"
#include "shell/qt_colour.h"
#include "shell/screen_fit.h"
#include "shell/shell.h"
#include "shell/star_field_widget.h"

namespace kp {

namespace {

// The list as it stands on screen, one row a line: a label, then the markers beside it.
// A row whose labels are all hidden takes no room. -1 is a gap between groups.
const std::vector<std::vector<int>> kRows = {
    {Launcher::kHeader2d},
    {2},
    {3},
    {4},
    {5},
    {6, 12},
    {7, 14},
    {11},
    {8, 15},
    {9},
    {10},
    {13},
    {-1},
    {Launcher::kHeader3d, 38},
    {30, 34},
    {31, 35},
    {32, 36},
    {33, 37},
    {100, 101},
    {-1},
    {Launcher::kHeader4d},
    {50},
    {51, 54},
    {52, 55},
    {53},
    {-1},
    {Launcher::kInstruction},
};

constexpr int kGroupGap = 14;
constexpr int kLongNote = 53;  // the screen-size note under the 4D names
// The smallest the two pictures get: the rings at their own size, a little wider for the
// stars, whose field is wider than high.
constexpr int kPictureWidth = RingWidget::kSide + 60;
constexpr int kPictureHeight = RingWidget::kSide;
constexpr int kPictureGap = 20;
constexpr int kFocusPadding = 3;  // room inside a label for its focus frame

// The rings above the stars, both as wide as the column and half its height, so the two
// boxes always share their size and their edges.
class PictureColumn : public QWidget {
 public:
  PictureColumn(QWidget* top, QWidget* bottom, QWidget* parent) : QWidget(parent), top_(top), bottom_(bottom) {
    top->setParent(this);
    bottom->setParent(this);
    setMinimumSize(minimumSizeHint());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  }
  QSize minimumSizeHint() const override { return {kPictureWidth, 2 * kPictureHeight + kPictureGap}; }
  QSize sizeHint() const override { return minimumSizeHint(); }

 protected:
  void resizeEvent(QResizeEvent*) override {
    const int h = (height() - kPictureGap) / 2;
    top_->setGeometry(0, 0, width(), h);
    bottom_->setGeometry(0, h + kPictureGap, width(), h);
  }

 private:
  QWidget* top_;
  QWidget* bottom_;
};

bool isHeader(int index) {
  return index == Launcher::kHeader2d || index == Launcher::kHeader3d || index == Launcher::kHeader4d;
}

void setTextColour(QLabel* label, Colour c) {
  const QColor colour = toQColor(c);
  if (label->palette().color(QPalette::WindowText) == colour) return;
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, colour);
  label->setPalette(p);
}

}  // namespace

RingWidget::RingWidget(QWidget* parent) : QWidget(parent), timer_(this) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // the picture is cleared by painting it black
  setMinimumSize(kSide, kSide);
  timer_.setInterval(kAnimationFrameMs);
  connect(&timer_, &QTimer::timeout, this, &RingWidget::step);
}

void RingWidget::step() {
  for (int i = 0; i < kAnimationTicksPerFrame; ++i) rings_.tick();
  // The black around the rings stays as it is.
  const QRect next = ringBounds();
  update(drawn_.united(next));
  drawn_ = next;
}

void RingWidget::setOwnClock(bool on) {
  ownClock_ = on;
  if (!on) timer_.stop();
  else if (isVisible()) timer_.start();
}

double RingWidget::scale() const { return std::max(1.0, double(std::min(width(), height())) / kSide); }

std::array<QPointF, RingAnimation::kPointCount> RingWidget::ringPoints(int i) const {
  // The model's picture is centred on the box's middle, then grown about it.
  const int cx = width() / 2, cy = height() / 2;
  const double s = scale();
  std::array<QPointF, RingAnimation::kPointCount> out;
  const auto points = rings_.points(i, cx, cy);
  for (std::size_t k = 0; k < points.size(); ++k)
    out[k] = QPointF(cx + (points[k].x - cx) * s, cy + (points[k].y - cy) * s);
  return out;
}

QRect RingWidget::ringBounds() const {
  double left = width() / 2, right = left, top = height() / 2, bottom = top;
  for (int i = 0; i < RingAnimation::kRingCount; ++i)
    for (const QPointF& p : ringPoints(i)) {
      left = std::min(left, p.x()), right = std::max(right, p.x());
      top = std::min(top, p.y()), bottom = std::max(bottom, p.y());
    }
  const double margin = RingAnimation::kDotRadius * scale() + 4;
  return QRectF(QPointF(left - margin, top - margin), QPointF(right + margin, bottom + margin)).toAlignedRect();
}

const QImage& RingWidget::dot(Colour colour) {
  auto it = dots_.find(colour);
  if (it != dots_.end()) return it->second;
  const double radius = RingAnimation::kDotRadius * scale();
  const int side = 2 * int(std::ceil(radius)) + 3;
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setPen(toQColor(colour));
  painter.setBrush(toQColor(colour));
  painter.drawEllipse(QPointF(side / 2, side / 2), radius, radius);
  return dots_.emplace(colour, std::move(image)).first->second;
}

void RingWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::black);
  const int penWidth = std::max(1, int(scale() + 0.5));
  for (int i = 0; i < RingAnimation::kRingCount; ++i) {
    const auto ring = ringPoints(i);
    // The ring first, then its dots over it.
    painter.setPen(QPen(toQColor(rings_.rings()[std::size_t(i)].colour), penWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(ring.data(), int(ring.size()));
    const QImage& sprite = dot(rings_.dotColour(i));
    const int half = sprite.width() / 2;
    for (const QPointF& p : ring) painter.drawImage(QPoint(qRound(p.x()) - half, qRound(p.y()) - half), sprite);
  }
}

void RingWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  dots_.clear();  // their size follows the box's
  drawn_ = rect();
}

void RingWidget::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (ownClock_) timer_.start();
}

void RingWidget::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  timer_.stop();
}

LauncherLabelWidget::LauncherLabelWidget(int index, QWidget* parent) : QLabel(parent), index_(index) {
  setMouseTracking(true);        // hover is judged on plain mouse moves, no button held
  setTextFormat(Qt::PlainText);  // captions keep their leading blanks
  // Every label keeps room for the frame, so the texts of a column stay lined up.
  setContentsMargins(kFocusPadding, 2, kFocusPadding, 2);
}

void LauncherLabelWidget::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void LauncherLabelWidget::mouseReleaseEvent(QMouseEvent* event) {
  // A click is a press and a release on the same label, as with a button.
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click) emit clicked(index_);
}

void LauncherLabelWidget::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  emit hovered(index_);
}

void LauncherLabelWidget::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() & ~Qt::KeypadModifier) {
    QLabel::keyPressEvent(event);
    return;
  }
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      emit clicked(index_);  // may close the window: nothing of this label is used after it
      return;
    case Qt::Key_Down:
    case Qt::Key_Right:
      focusNextChild();
      return;
    case Qt::Key_Up:
    case Qt::Key_Left:
      focusPreviousChild();
      return;
    default:
      QLabel::keyPressEvent(event);
  }
}

void LauncherLabelWidget::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!hasFocus()) return;
  // A frame in the style's selection colour, so the hover colours are left alone.
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(palette().color(QPalette::Highlight), 1.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75), 3, 3);
}

LauncherWindow::LauncherWindow(Shell& shell) : shell_(shell), ringDelay_(this) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromUtf8(kProgramTitle));

  QWidget* list = buildList();
  reserveListRoom(list);
  QWidget* pictures = buildPictures();

  // The list stands in the middle of its half, the pictures fill theirs; all of it scrolls
  // on a screen smaller than the list.
  auto* content = new QWidget(this);
  auto* top = new QHBoxLayout(content);
  top->setContentsMargins(16, 16, 16, 16);
  top->setSpacing(24);
  top->addWidget(list, 1, Qt::AlignCenter);
  top->addWidget(pictures, 1);
  auto* whole = new QVBoxLayout(this);
  whole->setContentsMargins(0, 0, 0, 0);
  whole->addWidget(new RoomyScrollArea(content, QSize(200, 200), false, this));

  startRingDelay();

  refresh();
  fitToScreen(*this, QSize(1100, 700).expandedTo(content->minimumSizeHint()));
}

QWidget* LauncherWindow::buildList() {
  auto* list = new QWidget(this);
  auto* grid = new QGridLayout(list);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(2);
  QFont headerFont = font();
  headerFont.setPointSize(headerFont.pointSize() + 3);
  headerFont.setBold(true);
  QFont nameFont = font();
  nameFont.setPointSize(nameFont.pointSize() + 1);
  QFont markerFont = font();
  markerFont.setBold(true);
  QFont noteFont = font();
  noteFont.setItalic(true);
  QFont instructionFont = nameFont;
  instructionFont.setBold(true);

  auto makeLabel = [&](int index, QWidget* parent) {
    const LauncherLabel* l = model_.label(index);
    auto* w = new LauncherLabelWidget(index, parent);
    w->setObjectName(QStringLiteral("label%1").arg(index));
    w->setToolTip(QString::fromStdString(l->tip));  // a game name says what it opens
    if (isHeader(index))
      w->setFont(headerFont);
    else if (l->caption == "New!")
      w->setFont(markerFont);
    else if (index == Launcher::kInstruction)
      w->setFont(instructionFont);
    else if (model_.target(index))
      w->setFont(nameFont);
    else
      w->setFont(noteFont);
    connect(w, &LauncherLabelWidget::clicked, this, &LauncherWindow::labelClicked);
    connect(w, &LauncherLabelWidget::hovered, this, &LauncherWindow::labelHovered);
    labels_[index] = w;
    return w;
  };

  // Labels are made in the order they stand on screen, which is also the keyboard's order.
  int row = 0;
  for (const auto& cells : kRows) {
    if (cells.front() < 0) {
      grid->setRowMinimumHeight(row++, kGroupGap);
      continue;
    }
    const int first = cells.front();
    if (isHeader(first) || first == Launcher::kInstruction || first == kLongNote) {
      // Wide lines run across the columns of names and markers, their marker right after them.
      auto* line = new QWidget(list);
      auto* box = new QHBoxLayout(line);
      box->setContentsMargins(0, 0, 0, 0);
      box->setSpacing(10);
      for (int index : cells) box->addWidget(makeLabel(index, line));
      box->addStretch(1);
      grid->addWidget(line, row, 0, 1, 3);
      wideLines_.push_back(line);
    } else {
      int column = 0;
      // Each label as wide as its text, so the focus frame and the hover follow the text.
      for (int index : cells) grid->addWidget(makeLabel(index, list), row, column++, Qt::AlignLeft);
    }
    ++row;
  }
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(row, 1);
  return list;
}

void LauncherWindow::reserveListRoom(QWidget* list) {
  // The list takes the room of its widest captions and of every group open from the start:
  // the window's minimum size then shows it whole in any state, and opening a group moves
  // nothing above it.
  Launcher opened = model_;
  for (int header : {Launcher::kHeader2d, Launcher::kHeader3d, Launcher::kHeader4d}) {
    ProgramState scratch;
    opened.click(header, scratch, {});
  }
  QSize room;
  for (const Launcher* state : {&model_, &opened}) {
    showLabels(*state);
    for (QWidget* line : wideLines_) line->layout()->invalidate();
    list->layout()->invalidate();
    room = room.expandedTo(list->layout()->sizeHint());
  }
  list->setFixedSize(room);
}

QWidget* LauncherWindow::buildPictures() {
  rings_ = new RingWidget();
  rings_->hide();
  stars_ = new StarFieldWidget(
      kStarCentre, kStarRangeA, kStarRangeB, [&shell = shell_] { return shell.program().random.next(); }, nullptr);
  return new PictureColumn(rings_, stars_, this);
}

void LauncherWindow::startRingDelay() {
  ringDelay_.setSingleShot(true);
  ringDelay_.setInterval(kRingDelayMs);
  connect(&ringDelay_, &QTimer::timeout, this, &LauncherWindow::showRings);
  ringDelay_.start();
}

void LauncherWindow::showRings() {
  rings_->show();  // showing it starts the turning
  // The stars move on the rings' frames from now on: one repaint a frame shows both.
  stars_->followFrames(rings_->frames());
}

void LauncherWindow::useScriptClock() {
  if (scriptTime_) return;
  scriptTime_ = 0;
  nextFrame_ = kAnimationFrameMs;
  ringDelay_.stop();
  rings_->setOwnClock(false);
  stars_->setOwnClock(false);
}

void LauncherWindow::advanceScriptClock(std::int64_t ms) {
  if (!scriptTime_) return;
  const std::int64_t until = *scriptTime_ + ms;
  // The frames fall as the timers would fire them: the stars' every kAnimationFrameMs from
  // the start, then, from the delay on, the rings' (the stars following them).
  for (;;) {
    const bool delayDue = rings_->isHidden() && kRingDelayMs <= nextFrame_;
    const std::int64_t next = delayDue ? kRingDelayMs : nextFrame_;
    if (next > until) break;
    scriptTime_ = next;
    if (delayDue) {
      showRings();
      nextFrame_ = next + kAnimationFrameMs;
      continue;
    }
    if (!rings_->isHidden()) rings_->step();
    stars_->advance();
    nextFrame_ += kAnimationFrameMs;
  }
  scriptTime_ = until;
}

QLabel* LauncherWindow::label(int index) const {
  auto it = labels_.find(index);
  return it == labels_.end() ? nullptr : it->second;
}

void LauncherWindow::labelClicked(int index) {
  const LaunchResult r = model_.click(index, shell_.program(), windowBuilt);
  if (r.kind == LaunchResult::Kind::Open) {
    // The game window opens before the launcher closes, so the program always has a window.
    shell_.openWindow(r.window);
    close();  // and is deleted: the launcher never comes back
    return;
  }
  if (r.kind == LaunchResult::Kind::NotInThisVersion) showMessage(QString::fromStdString(r.message));
  refresh();
}

void LauncherWindow::labelHovered(int index) {
  if (model_.hover(index)) refresh();
}

void LauncherWindow::showLabels(const Launcher& state) {
  for (auto& [index, w] : labels_) {
    const LauncherLabel& l = *state.label(index);
    const QString caption = QString::fromStdString(l.caption);
    if (w->text() != caption) w->setText(caption);
    setTextColour(w, l.colour);
    w->setVisible(l.visible);
  }
  // A wide line with nothing to show takes no room.
  for (QWidget* line : wideLines_) {
    bool any = false;
    for (auto* w : line->findChildren<LauncherLabelWidget*>(Qt::FindDirectChildrenOnly)) any = any || !w->isHidden();
    line->setVisible(any);
  }
}

void LauncherWindow::refresh() {
  showLabels(model_);
  // What a click acts on points and takes the keyboard; an opened header does neither.
  // Labels start out taking neither (Qt's default for a label); only changes are applied,
  // as a hover refreshes too.
  bool stranded = false;
  for (auto& [index, w] : labels_) {
    const bool clickable = model_.clickable(index);
    if ((w->focusPolicy() != Qt::NoFocus) == clickable) continue;
    if (clickable)
      w->setCursor(Qt::PointingHandCursor);
    else
      w->unsetCursor();
    w->setFocusPolicy(clickable ? Qt::TabFocus : Qt::NoFocus);
    stranded = stranded || (!clickable && w->hasFocus());
  }
  // A header opened from the keyboard hands on to the first name it showed.
  if (stranded) focusNextChild();  // on from the focus widget, which is still the header
}

void LauncherWindow::showMessage(const QString& text) {
  auto* box = new QMessageBox(QMessageBox::NoIcon, QString::fromUtf8(kProgramTitle), text, QMessageBox::Ok, this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::ApplicationModal);
  box->show();
}

}  // namespace kp
