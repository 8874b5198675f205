#include "shell/board_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "shell/qt_colour.h"

namespace kp {

namespace {

double distanceToSegment(Point2 p, Segment s) {
  const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((p.x - s.a.x) * dx + (p.y - s.a.y) * dy) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (s.a.x + t * dx), p.y - (s.a.y + t * dy));
}

// Line widths are pixel widths on a board whose Cells are 80 pixels across; the
// board's design units put 100 to a Cell.
constexpr double kPixelsPerUnit = 80.0 / 100.0;

}  // namespace

BoardView::BoardView(GameController& controller, QWidget* parent) : QWidget(parent), controller_(controller) {
  setMinimumSize(120, 120);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, toQColor(kBackground));
  setPalette(p);
}

double BoardView::scale() const {
  const BoardGeometry& g = controller_.geometry();
  return std::max(0.01, std::min(width() / g.width, height() / g.height) * controller_.boardScale());
}

QPointF BoardView::origin() const {
  const BoardGeometry& g = controller_.geometry();
  const double s = scale();
  return {(width() - g.width * s) / 2, (height() - g.height * s) / 2};
}

QPointF BoardView::toWidget(Point2 p) const {
  const double s = scale();
  return origin() + QPointF(p.x * s, p.y * s);
}

double BoardView::pixel() const { return std::max(0.25, scale() / kPixelsPerUnit); }

QRectF BoardView::lineBounds(int line, int width) const {
  const Segment& seg = controller_.geometry().lines[std::size_t(line)];
  const double margin = std::max(1.0, width * pixel()) / 2 + 2;
  return QRectF(toWidget(seg.a), toWidget(seg.b)).normalized().adjusted(-margin, -margin, margin, margin);
}

QRectF BoardView::circleBounds(int circle) const {
  const BoardGeometry& g = controller_.geometry();
  const double reach = g.circleRadius * scale() + std::max(1.0, 2 * pixel()) / 2 + 2;
  const QPointF centre = toWidget(g.circles[std::size_t(circle)]);
  return QRectF(centre.x() - reach, centre.y() - reach, 2 * reach, 2 * reach);
}

void BoardView::modelChanged() {
  const Drawing& d = controller_.drawing();
  const bool gameOver = controller_.status().gameOver;
  const double s = scale();
  if (gameOver != shownGameOver_ || s != shownScale_ || d.lines.size() != shown_.lines.size() ||
      d.circles.size() != shown_.circles.size()) {
    update();
  } else {
    QRegion dirty;
    for (std::size_t l = 1; l < d.lines.size(); ++l) {
      const LineDraw &now = d.lines[l], &was = shown_.lines[l];
      if (now.colour != was.colour || now.width != was.width || now.visible != was.visible)
        dirty += lineBounds(int(l), std::max(now.width, was.width)).toAlignedRect();
    }
    for (std::size_t c = 1; c < d.circles.size(); ++c) {
      const CircleDraw &now = d.circles[c], &was = shown_.circles[c];
      if (now.fill != was.fill || now.border != was.border || now.visible != was.visible)
        dirty += circleBounds(int(c)).toAlignedRect();
    }
    if (!dirty.isEmpty()) update(dirty);
  }
  shown_ = d;
  shownGameOver_ = gameOver;
  shownScale_ = s;
}

std::pair<int, int> BoardView::targetAt(QPointF pos) const {
  const BoardGeometry& g = controller_.geometry();
  const Drawing& d = controller_.drawing();
  const double s = scale();
  const QPointF o = origin();
  const Point2 p{(pos.x() - o.x()) / s, (pos.y() - o.y()) / s};

  for (std::size_t c = 1; c < g.circles.size(); ++c)
    if (d.circles[c].targetVisible && std::hypot(p.x - g.circles[c].x, p.y - g.circles[c].y) <= g.circleRadius * 1.4)
      return {0, int(c)};

  // A Line is hit within a quarter of a Cell; the nearest one wins.
  int best = 0;
  double bestDistance = 25;
  for (std::size_t l = 1; l < g.lines.size(); ++l) {
    if (!d.lines[l].targetVisible) continue;
    const double dist = distanceToSegment(p, g.lines[l]);
    if (dist < bestDistance) bestDistance = dist, best = int(l);
  }
  return {best, 0};
}

void BoardView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const BoardGeometry& g = controller_.geometry();
  const Drawing& d = controller_.drawing();
  const double s = scale();
  const double pixel = this->pixel();
  // Only what reaches the region being repainted is drawn; the rest is clipped anyway.
  const QRegion& dirty = event->region();
  auto reaches = [&dirty](const QRectF& r) { return dirty.intersects(r.toAlignedRect()); };

  for (std::size_t l = 1; l < g.lines.size(); ++l) {
    const LineDraw& line = d.lines[l];
    if (!line.visible || !reaches(lineBounds(int(l), line.width))) continue;
    painter.setPen(QPen(toQColor(line.colour), std::max(1.0, line.width * pixel), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(toWidget(g.lines[l].a), toWidget(g.lines[l].b));
  }

  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  const double dotRadius = std::max(2.0, 5 * pixel);
  for (const Point2& p : g.dots) {
    const QPointF at = toWidget(p);
    if (reaches(QRectF(at.x() - dotRadius - 1, at.y() - dotRadius - 1, 2 * dotRadius + 2, 2 * dotRadius + 2)))
      painter.drawEllipse(at, dotRadius, dotRadius);
  }

  const double r = g.circleRadius * s;
  for (std::size_t c = 1; c < g.circles.size(); ++c) {
    const CircleDraw& circle = d.circles[c];
    if (!circle.visible || !reaches(circleBounds(int(c)))) continue;
    painter.setPen(QPen(toQColor(circle.border), std::max(1.0, 2 * pixel)));
    painter.setBrush(toQColor(circle.fill));
    painter.drawEllipse(toWidget(g.circles[c]), r, r);
  }

  if (controller_.status().gameOver) {
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(std::max(12, int(std::min(width(), height()) / 5)));
    painter.setFont(f);
    const QRectF top(0, 0, width(), height() / 2.0), bottom(0, height() / 2.0, width(), height() / 2.0);
    for (int shadow = 1; shadow >= 0; --shadow) {
      const QPointF offset = shadow ? QPointF(4, 4) : QPointF(0, 0);
      painter.setPen(shadow ? QColor(0, 0, 0, 200) : QColor(255, 210, 0));
      painter.drawText(top.translated(offset), Qt::AlignHCenter | Qt::AlignBottom, "GAME");
      painter.drawText(bottom.translated(offset), Qt::AlignHCenter | Qt::AlignTop, "OVER");
    }
  }
}

void BoardView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const auto [line, circle] = targetAt(event->position());
  if (circle) controller_.circleClicked(circle);
  else if (line) controller_.lineClicked(line);
}

}  // namespace kp
