#include "shell/launcher_window.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>
#include <vector>

#include "boards/registry.h"
#include "core/game_controller.h"
#include "shell/animation_frames.h"
#include "shell/qt_colour.h"
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
constexpr int kStarWidth = 420;
constexpr int kStarHeight = kStarWidth * LauncherWindow::kStarRangeA / LauncherWindow::kStarRangeB;

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
  setFixedSize(kSide, kSide);
  timer_.setInterval(kAnimationFrameMs);
  connect(&timer_, &QTimer::timeout, this, [this] {
    for (int i = 0; i < kAnimationTicksPerFrame; ++i) rings_.tick();
    // The black around the rings stays as it is.
    const QRect next = ringBounds();
    update(drawn_.united(next));
    drawn_ = next;
  });
}

QRect RingWidget::ringBounds() const {
  const int cx = width() / 2, cy = height() / 2;
  double left = cx, right = cx, top = cy, bottom = cy;
  for (int i = 0; i < RingAnimation::kRingCount; ++i)
    for (const Point2& p : rings_.points(i, cx, cy)) {
      left = std::min(left, p.x), right = std::max(right, p.x);
      top = std::min(top, p.y), bottom = std::max(bottom, p.y);
    }
  const double margin = RingAnimation::kDotRadius + 4;
  return QRectF(QPointF(left - margin, top - margin), QPointF(right + margin, bottom + margin)).toAlignedRect();
}

const QImage& RingWidget::dot(Colour colour) {
  auto it = dots_.find(colour);
  if (it != dots_.end()) return it->second;
  constexpr int kDotSide = 2 * int(RingAnimation::kDotRadius) + 3;
  QImage image(kDotSide, kDotSide, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setPen(toQColor(colour));
  painter.setBrush(toQColor(colour));
  painter.drawEllipse(QPointF(kDotSide / 2, kDotSide / 2), RingAnimation::kDotRadius, RingAnimation::kDotRadius);
  return dots_.emplace(colour, std::move(image)).first->second;
}

void RingWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::black);
  const int cx = width() / 2, cy = height() / 2;
  for (int i = 0; i < RingAnimation::kRingCount; ++i) {
    const auto points = rings_.points(i, cx, cy);
    QPointF ring[RingAnimation::kPointCount];
    for (std::size_t k = 0; k < points.size(); ++k) ring[k] = QPointF(points[k].x, points[k].y);
    // The ring first, then its dots over it.
    painter.setPen(toQColor(rings_.rings()[std::size_t(i)].colour));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(ring, RingAnimation::kPointCount);
    const QImage& sprite = dot(rings_.dotColour(i));
    const int half = sprite.width() / 2;
    for (const QPointF& p : ring) painter.drawImage(QPoint(qRound(p.x()) - half, qRound(p.y()) - half), sprite);
  }
}

void RingWidget::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  timer_.start();
}

void RingWidget::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  timer_.stop();
}

LauncherLabelWidget::LauncherLabelWidget(int index, QWidget* parent) : QLabel(parent), index_(index) {
  setMouseTracking(true);        // hover is judged on plain mouse moves, no button held
  setTextFormat(Qt::PlainText);  // captions keep their leading blanks
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

LauncherWindow::LauncherWindow(Shell& shell) : shell_(shell), ringDelay_(this) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromUtf8(kProgramTitle));

  auto* list = new QWidget(this);
  auto* grid = new QGridLayout(list);
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
    const bool clickable = isHeader(index) || model_.target(index).has_value();
    if (isHeader(index))
      w->setFont(headerFont);
    else if (l->caption == "New!")
      w->setFont(markerFont);
    else if (index == Launcher::kInstruction)
      w->setFont(instructionFont);
    else if (clickable)
      w->setFont(nameFont);
    else
      w->setFont(noteFont);
    if (clickable) w->setCursor(Qt::PointingHandCursor);
    connect(w, &LauncherLabelWidget::clicked, this, &LauncherWindow::labelClicked);
    connect(w, &LauncherLabelWidget::hovered, this, &LauncherWindow::labelHovered);
    labels_[index] = w;
    return w;
  };

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
      for (int index : cells) grid->addWidget(makeLabel(index, list), row, column++);
    }
    ++row;
  }
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(row, 1);

  // The rings keep their place while they are still hidden, so nothing moves when they appear.
  auto* ringPlace = new QWidget(this);
  ringPlace->setFixedSize(RingWidget::kSide, RingWidget::kSide);
  rings_ = new RingWidget(ringPlace);
  rings_->hide();

  stars_ = new StarFieldWidget(
      kStarCentre, kStarRangeA, kStarRangeB, [&shell] { return shell.program().random.next(); }, this);
  stars_->setFixedSize(kStarWidth, kStarHeight);

  auto* side = new QVBoxLayout();
  side->addWidget(ringPlace, 0, Qt::AlignHCenter);
  side->addSpacing(20);
  side->addWidget(stars_);
  side->addStretch(1);

  auto* top = new QHBoxLayout(this);
  top->addWidget(list, 1);
  top->addLayout(side);

  ringDelay_.setSingleShot(true);
  ringDelay_.setInterval(kRingDelayMs);
  connect(&ringDelay_, &QTimer::timeout, this, [this] {
    rings_->show();  // showing it starts the turning
    // The stars move on the rings' frames from now on: one repaint a frame shows both.
    stars_->followFrames(rings_->frames());
  });
  ringDelay_.start();

  refresh();
  resize(1000, 660);
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

void LauncherWindow::refresh() {
  for (auto& [index, w] : labels_) {
    const LauncherLabel& l = *model_.label(index);
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

void LauncherWindow::showMessage(const QString& text) {
  auto* box = new QMessageBox(QMessageBox::NoIcon, QString::fromUtf8(kProgramTitle), text, QMessageBox::Ok, this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::ApplicationModal);
  box->show();
}

}  // namespace kp
