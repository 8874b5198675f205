#include "shell/board_view.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTransform>
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

// The grid's numbers are placed by these, many thousand times when the size changes.
double distanceToRect(QPointF p, const QRectF& r) {
  const double dx = std::max({r.left() - p.x(), 0.0, p.x() - r.right()});
  const double dy = std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()});
  return std::sqrt(dx * dx + dy * dy);
}

double distanceToSegment(QPointF p, QPointF a, QPointF b) {
  const QPointF d = b - a;
  const double len2 = QPointF::dotProduct(d, d);
  const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / len2, 0.0, 1.0) : 0;
  const QPointF off = p - (a + t * d);
  return std::sqrt(QPointF::dotProduct(off, off));
}

double distanceToSegment(const QRectF& r, QPointF a, QPointF b) {
  if (r.contains(a) || r.contains(b)) return 0;
  const QLineF s(a, b);
  const QPointF corners[4] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
  double d = std::min(distanceToRect(a, r), distanceToRect(b, r));
  for (int i = 0; i < 4; ++i) {
    if (s.intersects(QLineF(corners[i], corners[(i + 1) % 4])) == QLineF::BoundedIntersection) return 0;
    d = std::min(d, distanceToSegment(corners[i], a, b));
  }
  return d;
}

// Line widths are pixel widths on a board whose Cells are 80 pixels across; the
// board's design units put 100 to a Cell.
constexpr double kPixelsPerUnit = 80.0 / 100.0;

}  // namespace

BoardView::BoardView(GameController& controller, QWidget* parent) : QWidget(parent), controller_(controller) {
  // Small enough for a small screen, large enough that the grid's numbers still fit beside
  // the Lines of the crowded boards.
  setMinimumSize(470, 420);
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
  const Drawing& d = controller_.placedDrawing();
  const bool gameOver = controller_.status().gameOver;
  const double s = scale();
  const bool grid = controller_.gridShown();
  const int view = controller_.views().number();
  // A new view can move every claim and renumber every place: all of it is drawn again.
  if (gameOver != shownGameOver_ || s != shownScale_ || grid != shownGrid_ || view != shownView_ ||
      d.lines.size() != shown_.lines.size() || d.circles.size() != shown_.circles.size()) {
    update();
  } else {
    QRegion dirty;
    for (std::size_t l = 1; l < d.lines.size(); ++l) {
      const LineDraw &now = d.lines[l], &was = shown_.lines[l];
      if (now.colour != was.colour || now.width != was.width || now.visible != was.visible)
        dirty += lineBounds(int(l), std::max(now.width, was.width)).toAlignedRect();
      // A number stands beside its Line, and comes and goes with it.
      if (grid && now.visible != was.visible) dirty += paintBounds(lineLabel(int(l)));
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
  shownGrid_ = grid;
  shownView_ = view;
}

QPolygonF BoardView::lineLabel(int line) {
  layOutLabels();
  return labels_.lines[std::size_t(line)].outline;
}

void BoardView::layOutLabels() {
  const double s = scale();
  const QPointF o = origin();
  const BoardGeometry& g = controller_.geometry();
  if (s == labels_.scale && o == labels_.origin && size() == labels_.size && labels_.lines.size() == g.lines.size())
    return;
  labels_.scale = s;
  labels_.origin = o;
  labels_.size = size();
  // The numbers grow with the board. Where the board is too crowded for them they get
  // smaller, down to the smallest size that can still be read.
  QFont font = this->font();
  for (int px = std::clamp(int(std::lround(11 * s)), 9, 15); px >= 7; --px) {
    font.setPixelSize(px);
    if (placeLineNumbers(font) == 0) break;
  }
  labels_.lineFont = font;
  // Inside a circle, as large as the Line numbers if the largest number fits.
  labels_.circleFont = font;
  const double r = g.circleRadius * s;
  const QString widest = QString::number(std::max<std::size_t>(1, g.circles.size() - 1));
  for (int px = font.pixelSize(); px > 6; --px) {
    labels_.circleFont.setPixelSize(px);
    const QRectF ink = QFontMetricsF(labels_.circleFont).tightBoundingRect(widest);
    if (ink.width() <= 1.5 * r && ink.height() <= 1.2 * r) break;
  }
}

double BoardView::placeLineNumbers(const QFont& font) {
  const BoardGeometry& g = controller_.geometry();
  const QFontMetricsF metrics(font);
  // What a number keeps clear of: every Line as wide as a claim, the dots, the circles,
  // the numbers placed before it, and the edge of the view.
  const double px = pixel();
  const double gap = std::max(1.0, metrics.height() / 8);
  const double lineReach = std::max(1.0, kClaimedWidth * px) / 2 + gap;
  const double dotReach = std::max(2.0, 5 * px) + gap;
  const double circleReach = g.circleRadius * scale() + std::max(1.0, 2 * px) / 2 + gap;
  std::vector<QLineF> segments(1);  // [line]
  for (std::size_t l = 1; l < g.lines.size(); ++l)
    segments.emplace_back(toWidget(g.lines[l].a), toWidget(g.lines[l].b));
  const QRectF inside = QRectF(rect()).adjusted(1, 1, -1, -1);

  // A number runs along its Line (upright beside a steep one), off the Line's middle on
  // either side, or if there is no room there a little further along: the places to try,
  // best first, each with what it clashes with on the board itself.
  struct Place {
    NumberLabel label;
    QRectF box;  // the ink in the number's own frame
    QTransform fromView;
    double clash = 0;  // how far it reaches into what it should keep clear of
  };
  std::vector<std::vector<Place>> places(segments.size());
  for (std::size_t l = 1; l < segments.size(); ++l) {
    const QLineF& line = segments[l];
    const QSizeF size = metrics.tightBoundingRect(QString::number(l)).size();
    const QRectF box(QPointF(-size.width() / 2, -size.height() / 2), size);
    double angle = std::remainder(-line.angle(), 180.0);  // clockwise (y runs down), never upside down
    if (std::abs(angle) > 60.5) angle = 0;
    const QPointF u = line.length() > 0 ? (line.p2() - line.p1()) / line.length() : QPointF(1, 0);
    const QPointF normal(-u.y(), u.x());  // below a Line drawn left to right, left of one drawn downwards
    const QPointF normalInFrame = QTransform().rotate(-angle).map(normal);
    const double reach =
        lineReach + (size.width() * std::abs(normalInFrame.x()) + size.height() * std::abs(normalInFrame.y())) / 2;

    // Only what lies near the Line can be in the way.
    const double near = reach + size.width() + size.height();
    const QRectF around = QRectF(line.p1(), line.p2()).normalized().adjusted(-near, -near, near, near);
    std::vector<QLineF> lines;
    for (std::size_t k = 1; k < segments.size(); ++k)
      if (k != l && around.intersects(QRectF(segments[k].p1(), segments[k].p2()).normalized().adjusted(-1, -1, 1, 1)))
        lines.push_back(segments[k]);
    std::vector<QPointF> dots, circles;
    for (const Point2& d : g.dots)
      if (around.adjusted(-dotReach, -dotReach, dotReach, dotReach).contains(toWidget(d))) dots.push_back(toWidget(d));
    for (std::size_t c = 1; c < g.circles.size(); ++c)
      if (around.adjusted(-circleReach, -circleReach, circleReach, circleReach).contains(toWidget(g.circles[c])))
        circles.push_back(toWidget(g.circles[c]));

    for (int step = 0; step <= 30; ++step) {
      const double t = 0.5 + 0.02 * ((step + 1) / 2) * (step % 2 ? -1 : 1);  // 0.5, 0.48, 0.52, ...
      for (int side : {1, -1}) {
        const QPointF centre = line.pointAt(t) + normal * (side * reach);
        const QTransform toView = QTransform().translate(centre.x(), centre.y()).rotate(angle);
        Place p{{centre, angle, toView.map(QPolygonF(box))}, box, toView.inverted()};
        // Everything is taken into the number's frame, where its ink is a plain box.
        const QRectF bounds = p.label.outline.boundingRect();
        p.clash = std::max({0.0, inside.left() - bounds.left(), inside.top() - bounds.top(),
                            bounds.right() - inside.right(), bounds.bottom() - inside.bottom()});
        for (const QLineF& other : lines) {
          const QLineF seg = p.fromView.map(other);
          p.clash += std::max(0.0, lineReach - distanceToSegment(box, seg.p1(), seg.p2()));
        }
        for (QPointF d : dots) p.clash += std::max(0.0, dotReach - distanceToRect(p.fromView.map(d), box));
        for (QPointF c : circles) p.clash += std::max(0.0, circleReach - distanceToRect(p.fromView.map(c), box));
        places[l].push_back(std::move(p));
      }
    }
  }

  // The numbers with the fewest free places choose first; each takes its best place that
  // is free and clear of the numbers placed before it, or else the one that clashes least.
  auto freePlaces = [&](std::size_t l) {
    return std::count_if(places[l].begin(), places[l].end(), [](const Place& p) { return p.clash == 0; });
  };
  std::vector<std::size_t> order;
  for (std::size_t l = 1; l < segments.size(); ++l) order.push_back(l);
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return freePlaces(a) < freePlaces(b); });
  labels_.lines.assign(segments.size(), NumberLabel{});
  std::vector<std::size_t> placed;
  double total = 0;
  for (std::size_t l : order) {
    const Place* best = nullptr;
    double least = 0;
    for (const Place& p : places[l]) {
      const QRectF clear = p.box.adjusted(-gap, -gap, gap, gap);
      const QRectF reach = p.label.outline.boundingRect().adjusted(-gap, -gap, gap, gap);
      double clash = p.clash;
      for (std::size_t k : placed) {
        const QPolygonF& other = labels_.lines[k].outline;
        if (!reach.intersects(other.boundingRect())) continue;
        // Two numbers overlapping count as much as their overlap is deep.
        const QPolygonF there = p.fromView.map(other);
        const QRectF overlap = clear & there.boundingRect();
        if (!overlap.isEmpty() && QPolygonF(clear).intersects(there))
          clash += std::min(overlap.width(), overlap.height());
      }
      if (!best || clash < least) best = &p, least = clash;
      if (clash == 0) break;
    }
    labels_.lines[l] = best->label;
    placed.push_back(l);
    total += least;
  }
  return total;
}

void BoardView::paintLabels(QPainter& painter, const QRegion& dirty) {
  layOutLabels();
  const BoardGeometry& g = controller_.geometry();
  const Drawing& d = controller_.placedDrawing();
  // A place is numbered by the Line (or Cell) it stands for in the view shown: the number
  // a person enters on the keypad.
  const View& view = controller_.views().current();
  // Each number is drawn with its ink centred where the layout measured it.
  auto write = [&](QPointF centre, double angle, const QString& text, const QFontMetricsF& metrics) {
    const QRectF ink = metrics.tightBoundingRect(text);
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);
    painter.drawText(-ink.center(), text);
    painter.restore();
  };
  painter.setFont(labels_.lineFont);
  painter.setPen(QColor(40, 40, 40));
  const QFontMetricsF lineMetrics(labels_.lineFont);
  for (std::size_t l = 1; l < g.lines.size(); ++l) {
    const NumberLabel& label = labels_.lines[l];
    if (d.lines[l].visible && dirty.intersects(paintBounds(label.outline)))
      write(label.centre, label.angle, QString::number(view.line(int(l))), lineMetrics);
  }
  painter.setFont(labels_.circleFont);
  const QFontMetricsF circleMetrics(labels_.circleFont);
  for (std::size_t c = 1; c < g.circles.size(); ++c) {
    if (!d.circles[c].visible || !dirty.intersects(circleBounds(int(c)).toAlignedRect())) continue;
    // Dark digits on a light fill, light ones on a dark fill.
    painter.setPen(qGray(toQColor(d.circles[c].fill).rgb()) > 140 ? Qt::black : Qt::white);
    write(toWidget(g.circles[c]), 0, QString::number(view.circle(int(c))), circleMetrics);
  }
}

std::pair<int, int> BoardView::targetAt(QPointF pos) const {
  const BoardGeometry& g = controller_.geometry();
  const Drawing& d = controller_.placedDrawing();
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
  const Drawing& d = controller_.placedDrawing();
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

  if (controller_.gridShown()) paintLabels(painter, dirty);

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
