#include "shell/board_view.h"

#include <QBackingStore>
#include <QFontMetricsF>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QToolTip>
#include <QTransform>
#include <algorithm>
#include <cstring>
#include <span>
#include <utility>
#include <cmath>

#include "shell/qt_colour.h"

namespace kp {

namespace {

// The grid's numbers stand on light plates, at least this many pixels high in their ink.
constexpr double kReadableInk = 9;
const QColor kPlate(255, 255, 238);
constexpr double kOverlapWeight = 100;
const QColor kPlateBorder(150, 150, 150);

// The smallest letter size whose digits are all kReadableInk pixels high.
int readableSize(QFont font) {
  for (int px = 9;; ++px) {
    font.setPixelSize(px);
    const QFontMetricsF metrics(font);
    double lowest = kReadableInk;
    for (char d = '0'; d <= '9'; ++d) lowest = std::min(lowest, metrics.tightBoundingRect(QString(QChar(d))).height());
    if (lowest >= kReadableInk || px >= 24) return px;
  }
}

// A number's plate in its own frame, centred on its ink.
QRectF plateOf(const QFontMetricsF& metrics, int number) {
  const QSizeF ink = metrics.tightBoundingRect(QString::number(number)).size();
  const double pad = 2;
  return QRectF(-ink.width() / 2 - pad - 1, -ink.height() / 2 - pad, ink.width() + 2 * pad + 2, ink.height() + 2 * pad);
}

// A hinted Line lies in a bright halo this much wider than the Line, in the board's pixels.
constexpr double kHaloExtra = 12;
const QColor kHalo(0, 220, 90, 190);

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

// Whether two scenes have the same pieces on a board of the same size: then only the
// pieces that differ need painting again.
bool sameLayout(const Scene& a, const Scene& b) {
  return a.width == b.width && a.height == b.height && a.pixelsPerUnit == b.pixelsPerUnit && a.moving == b.moving &&
         a.backdrop.size() == b.backdrop.size() && a.strokes.size() == b.strokes.size() &&
         a.shapes.size() == b.shapes.size() &&
         a.texts.size() == b.texts.size() && a.checkBoxes.size() == b.checkBoxes.size() &&
         a.dots.size() == b.dots.size();
}

// Whether the grid writes the same numbers in both (scenes of the same layout).
bool sameNumbers(const Scene& a, const Scene& b) {
  for (std::size_t i = 0; i < a.strokes.size(); ++i)
    if (a.strokes[i].number != b.strokes[i].number) return false;
  for (std::size_t i = 0; i < a.shapes.size(); ++i)
    if (a.shapes[i].number != b.shapes[i].number) return false;
  return true;
}

// The region the rectangles cover within `area`. Adding a rectangle to a region costs more
// the more the region holds, so many rectangles (a turning picture moves every piece) are
// first marked on a grid of small tiles, each row of tiles then giving its runs at once:
// the region grows by at most a tile's width around them, which is only painted again.
QRegion joined(const std::vector<QRect>& rects, const QRect& area) {
  constexpr std::size_t kFewRects = 128;
  constexpr int kTile = 8;
  QRegion region;
  if (rects.size() <= kFewRects) {
    // Joined pairwise, then the pairs pairwise, ...: each join costs as much as the two
    // regions hold, so this costs far less than adding the rectangles one by one.
    std::vector<QRegion> parts(rects.begin(), rects.end());
    for (std::size_t step = 1; step < parts.size(); step *= 2)
      for (std::size_t i = 0; i + step < parts.size(); i += 2 * step) parts[i] += parts[i + step];
    return parts.empty() ? region : parts.front();
  }
  const int columns = (area.width() + kTile - 1) / kTile, rows = (area.height() + kTile - 1) / kTile;
  std::vector<char> marked(std::size_t(columns) * std::size_t(rows), 0);
  for (const QRect& r : rects) {
    const QRect in = r.intersected(area).translated(-area.topLeft());
    if (in.isEmpty()) continue;
    for (int y = in.top() / kTile; y <= in.bottom() / kTile; ++y)
      std::fill_n(marked.begin() + std::ptrdiff_t(y * columns + in.left() / kTile), in.right() / kTile - in.left() / kTile + 1, 1);
  }
  std::vector<QRect> runs;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < columns; ++x) {
      if (!marked[std::size_t(y * columns + x)]) continue;
      const int from = x;
      while (x + 1 < columns && marked[std::size_t(y * columns + x + 1)]) ++x;
      runs.push_back(QRect(area.left() + from * kTile, area.top() + y * kTile, (x - from + 1) * kTile, kTile));
    }
  region.setRects(runs.data(), int(runs.size()));
  return region;
}

// The boxes around the parts of a region that lie apart (the two views of a turning picture,
// the patches of a click): its rectangles joined until no two boxes meet.
std::vector<QRect> apart(const QRegion& region) {
  std::vector<QRect> boxes;
  for (const QRect& r : region) {
    auto meets = [&](const QRect& b) { return b.adjusted(-1, -1, 1, 1).intersects(r); };
    if (auto at = std::find_if(boxes.begin(), boxes.end(), meets); at != boxes.end()) *at |= r;
    else boxes.push_back(r);
  }
  for (bool joinedSome = true; joinedSome;) {
    joinedSome = false;
    for (std::size_t i = 0; i < boxes.size() && !joinedSome; ++i)
      for (std::size_t j = i + 1; j < boxes.size() && !joinedSome; ++j)
        if (boxes[i].adjusted(-1, -1, 1, 1).intersects(boxes[j])) {
          boxes[i] |= boxes[j];
          boxes.erase(boxes.begin() + std::ptrdiff_t(j));
          joinedSome = true;
        }
  }
  return boxes;
}

// An image's pixels, and where the image stands in the board's widget coordinates.
struct Pixels {
  uchar* bits;
  qsizetype line;
  QRect rect;
};

// The image's own pixels, not a copy: constBits() never detaches the window's surface.
Pixels pixelsOf(const QImage& image, QPoint at) {
  return {const_cast<uchar*>(image.constBits()), image.bytesPerLine(), QRect(at, image.size())};
}

// Copies the region's pixels where both images hold them (32 bits a pixel, the same format).
void copyPixels(const Pixels& from, const Pixels& to, const QRegion& region) {
  for (const QRect& r : region) {
    const QRect in = r.intersected(from.rect).intersected(to.rect);
    if (in.isEmpty()) continue;
    const std::size_t bytes = std::size_t(in.width()) * 4;
    for (int y = in.top(); y <= in.bottom(); ++y)
      std::memcpy(to.bits + (y - to.rect.top()) * to.line + (in.left() - to.rect.left()) * 4,
                  from.bits + (y - from.rect.top()) * from.line + (in.left() - from.rect.left()) * 4, bytes);
  }
}

}  // namespace

BoardView::BoardView(GameController& controller, QWidget* parent)
    : QWidget(parent), controller_(controller), scene_(controller.scene()) {
  // Small enough for a small screen, large enough that the grid's numbers still fit beside
  // the Lines of the crowded boards.
  setMinimumSize(470, 420);
  if (scene_.fixedSize)
    setMinimumSize(int(std::ceil(scene_.width * scene_.pixelsPerUnit)), int(std::ceil(scene_.height * scene_.pixelsPerUnit)));
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, toQColor(kBackground));
  setPalette(p);
}

double BoardView::scale() const {
  if (scene_.fixedSize) return scene_.pixelsPerUnit;
  if (scene_.width <= 0 || scene_.height <= 0) return 1;
  return std::max(0.01, std::min(width() / scene_.width, height() / scene_.height) * controller_.boardScale());
}

QPointF BoardView::origin() const {
  if (scene_.fixedSize) return {0, 0};
  const double s = scale();
  return {(width() - scene_.width * s) / 2, (height() - scene_.height * s) / 2};
}

QPointF BoardView::toWidget(Point2 p) const {
  const double s = scale();
  return origin() + QPointF(p.x * s, p.y * s);
}

// One of the board's pixels on the screen.
double BoardView::pixel() const { return std::max(0.25, scale() / scene_.pixelsPerUnit); }

QRectF BoardView::bounds(const Stroke& s) const {
  const double margin = reach(s);
  return QRectF(toWidget(s.a), toWidget(s.b)).normalized().adjusted(-margin, -margin, margin, margin);
}

double BoardView::reach(const Stroke& s) const {
  return std::max(1.0, (s.highlighted ? s.width + kHaloExtra : s.width) * pixel()) / 2 + 2;
}

void BoardView::addPieces(const Stroke& s, std::vector<QRect>& rects) const {
  constexpr double kPiece = 48;  // pixels along the Line
  const QPointF a = toWidget(s.a), b = toWidget(s.b);
  const double margin = reach(s);
  const int pieces = std::max(1, int(std::ceil(std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())) / kPiece)));
  for (int i = 0; i < pieces; ++i) {
    const QPointF from = a + (b - a) * (double(i) / pieces), to = a + (b - a) * (double(i + 1) / pieces);
    rects.push_back(QRectF(from, to).normalized().adjusted(-margin, -margin, margin, margin).toAlignedRect());
  }
}

bool BoardView::touches(const Stroke& s, const QRegion& dirty) const {
  return touches(s, dirty.begin(), dirty.end(), dirty.boundingRect());
}

bool BoardView::touches(const Stroke& s, const QRect& patch) const { return touches(s, &patch, &patch + 1, patch); }

bool BoardView::touches(const Stroke& s, const QRect* from, const QRect* to, const QRect& around) const {
  const QPointF a = toWidget(s.a), b = toWidget(s.b);
  const double margin = reach(s);
  const QRectF box = QRectF(a, b).normalized().adjusted(-margin, -margin, margin, margin);
  // Most of a picture's Lines lie far from a small repaint: its bounds rule them out at once.
  if (!box.intersects(QRectF(around).adjusted(-margin, -margin, margin, margin))) return false;
  for (const QRect& r : std::span(from, to)) {
    const QRectF near = QRectF(r).adjusted(-margin, -margin, margin, margin);
    if (!near.intersects(box)) continue;
    // The part of the segment a + t (b - a), 0 <= t <= 1, inside the widened rectangle.
    double t0 = 0, t1 = 1;
    const double d[2] = {b.x() - a.x(), b.y() - a.y()};
    const double lo[2] = {near.left() - a.x(), near.top() - a.y()}, hi[2] = {near.right() - a.x(), near.bottom() - a.y()};
    bool inside = true;
    for (int k = 0; k < 2 && inside; ++k) {
      if (d[k] == 0) {
        inside = lo[k] <= 0 && 0 <= hi[k];
        continue;
      }
      double e0 = lo[k] / d[k], e1 = hi[k] / d[k];
      if (e0 > e1) std::swap(e0, e1);
      t0 = std::max(t0, e0);
      t1 = std::min(t1, e1);
      inside = t0 <= t1;
    }
    if (inside) return true;
  }
  return false;
}

QRectF BoardView::bounds(const Shape& s) const {
  const double margin = std::max(1.0, s.borderWidth * pixel()) / 2 + 2;
  QRectF r;
  if (s.kind == Shape::Kind::Circle || s.kind == Shape::Kind::Oval) {
    const double rx = s.radiusX * scale(), ry = (s.kind == Shape::Kind::Circle ? s.radiusX : s.radiusY) * scale();
    const QPointF c = toWidget(s.centre);
    r = QRectF(c.x() - rx, c.y() - ry, 2 * rx, 2 * ry);
  } else {
    QPolygonF points;
    for (Point2 p : s.points) points << toWidget(p);
    r = points.boundingRect();
  }
  return r.adjusted(-margin, -margin, margin, margin);
}

QFont BoardView::textFont(const Text& t) const {
  QFont f = font();
  f.setPixelSize(std::max(6, int(std::lround(t.size * pixel()))));
  return f;
}

QRectF BoardView::bounds(const Text& t) const {
  const QFont font = textFont(t);
  if (textBoxes_.size() > 4096) textBoxes_.clear();  // many sizes after much resizing
  auto [box, added] = textBoxes_.try_emplace({font.pixelSize(), t.text});
  if (added) box->second = QFontMetricsF(font).boundingRect(QString::fromStdString(t.text));
  QRectF r = box->second;
  r.moveCenter(toWidget(t.at));
  return r.adjusted(-3, -3, 3, 3);
}

QRectF BoardView::bounds(const CheckBox& b) const {
  return QRectF(toWidget(b.at), toWidget({b.at.x + b.width, b.at.y + b.height})).adjusted(-2, -2, 2, 2);
}

QRectF BoardView::bounds(const Dot& d) const {
  const double r = std::max(2.0, d.radius * pixel()) + 1;
  const QPointF at = toWidget(d.at);
  return {at.x() - r, at.y() - r, 2 * r, 2 * r};
}

Target BoardView::targetAt(QPointF pos) const {
  const double s = scale();
  const QPointF o = origin();
  // A grid number stands for its Line: a click on its plate claims that Line.
  if (controller_.gridShown() && labels_.scale == s && labels_.origin == o)
    for (std::size_t l = 0; l < labels_.lines.size() && l < scene_.strokes.size(); ++l)
      if (labelShown(l) && scene_.strokes[l].target && labels_.lines[l].outline.boundingRect().contains(pos))
        return scene_.strokes[l].target;
  return scene_.hit({(pos.x() - o.x()) / s, (pos.y() - o.y()) / s}, scene_.hitTolerance());
}

QString BoardView::toolTipAt(QPointF pos) const {
  const CheckBox* box = scene_.checkBox(targetAt(pos));
  if (!box) return {};
  for (const Control& c : controller_.controls())
    if (c.id == box->control) return QString::fromStdString(c.tip);
  return {};
}

bool BoardView::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  if (const QString tip = toolTipAt(help->pos()); !tip.isEmpty()) {
    QToolTip::showText(help->globalPos(), tip, this);
  } else {
    QToolTip::hideText();
    event->ignore();
  }
  return true;
}

QRegion BoardView::changed(const Scene& was, const Scene& now) {
  std::vector<QRect> rects;
  auto compare = [&](const auto& before, const auto& after) {
    for (std::size_t i = 0; i < after.size(); ++i)
      if (!(before[i] == after[i])) rects.push_back((bounds(before[i]) | bounds(after[i])).toAlignedRect());
  };
  // What each change leaves behind in the kept pictures: the backdrop and a halo lie under
  // every stroke.
  auto leaves = [&](std::size_t stroke, std::size_t from) {
    if (layered())
      for (std::size_t k = from; k < rects.size(); ++k) layers_.changes.emplace_back(stroke, rects[k]);
  };
  compare(was.backdrop, now.backdrop);
  leaves(0, 0);
  // A slanting Line's box holds much that it never touches: it is taken piece by piece.
  for (std::size_t i = 0; i < now.strokes.size(); ++i)
    if (!(was.strokes[i] == now.strokes[i])) {
      const std::size_t from = rects.size();
      for (const Stroke* s : {&was.strokes[i], &now.strokes[i]}) addPieces(*s, rects);
      leaves(was.strokes[i].highlighted || now.strokes[i].highlighted ? 0 : i, from);
    }
  compare(was.shapes, now.shapes);
  compare(was.texts, now.texts);
  compare(was.checkBoxes, now.checkBoxes);
  compare(was.dots, now.dots);
  // A number stands beside its Line, and comes and goes with it.
  if (controller_.gridShown())
    for (std::size_t i = 0; i < now.strokes.size(); ++i)
      if ((now.strokes[i].visible != was.strokes[i].visible || now.strokes[i].numberShown != was.strokes[i].numberShown) &&
          now.strokes[i].number)
        rects.push_back(paintBounds(numberLabel(i)));
  return joined(rects, rect());
}

void BoardView::modelChanged() {
  const Scene was = std::exchange(scene_, controller_.scene());
  const bool gameOver = controller_.status().gameOver;
  const bool grid = controller_.gridShown();
  // A new view can move every claim and renumber every place: all of it is drawn again.
  if (!sameLayout(was, scene_) || !sameNumbers(was, scene_) || gameOver != shownGameOver_ ||
      scale() != shownScale_ || grid != shownGrid_) {
    update();
    layersLeftBehind();
  } else if (const QRegion dirty = changed(was, scene_); !dirty.isEmpty() && scene_.moving) {
    for (const QRect& box : apart(dirty)) update(box);
  } else if (!dirty.isEmpty()) {
    update(dirty);
    layers_.asked += dirty;
  }
  // Many changes and no paint (a hidden window): the pictures are drawn afresh when shown.
  if (constexpr std::size_t kMostChanges = 4096; layers_.changes.size() > kMostChanges) layersLeftBehind();
  shownGameOver_ = gameOver;
  shownScale_ = scale();
  shownGrid_ = grid;
}

QPolygonF BoardView::numberLabel(std::size_t stroke) {
  layOutLabels();
  return stroke < labels_.lines.size() ? labels_.lines[stroke].outline : QPolygonF();
}

bool BoardView::labelShown(std::size_t stroke) const {
  const Stroke& s = scene_.strokes[stroke];
  return s.number && s.numberShown && s.visible && stroke < labels_.lines.size();
}

QRectF BoardView::shapeNumber(std::size_t shape) {
  layOutLabels();
  const Shape& s = scene_.shapes.at(shape);
  const QRectF ink = QFontMetricsF(labels_.circleFont).tightBoundingRect(QString::number(s.number));
  return ink.translated(toWidget(s.centre) - ink.center());
}

void BoardView::layOutLabels() {
  const double s = scale();
  const QPointF o = origin();
  std::vector<int> numbers;
  numbers.reserve(scene_.strokes.size());
  for (const Stroke& stroke : scene_.strokes) numbers.push_back(stroke.number);
  if (s == labels_.scale && o == labels_.origin && size() == labels_.size && numbers == labels_.numbers) return;
  labels_.scale = s;
  labels_.origin = o;
  labels_.size = size();
  labels_.numbers = std::move(numbers);
  // The numbers grow with the board. Where the board is too crowded for them they get
  // smaller, down to the smallest size that can still be read.
  QFont font = this->font();
  const int least = readableSize(font);
  for (int px = std::max(least, std::min(int(std::lround(13 * s)), 16)); px >= least; --px) {
    font.setPixelSize(px);
    if (placeLineNumbers(font) == 0) break;
  }
  labels_.lineFont = font;
  // Inside a circle, as large as the Line numbers if the largest number fits the smallest
  // circle.
  labels_.circleFont = font;
  int widest = 1;
  double r = 0;
  for (const Shape& shape : scene_.shapes) {
    if (!shape.number || shape.kind != Shape::Kind::Circle) continue;
    widest = std::max(widest, shape.number);
    r = r == 0 ? shape.radiusX * s : std::min(r, shape.radiusX * s);
  }
  // (never smaller than can be read: the smallest circles are made for that size)
  for (int px = font.pixelSize();; --px) {
    labels_.circleFont.setPixelSize(px);
    const QRectF ink = QFontMetricsF(labels_.circleFont).tightBoundingRect(QString::number(widest));
    if ((ink.width() <= 1.6 * r && ink.height() <= 1.2 * r) || px <= least) break;
  }
}

double BoardView::placeLineNumbers(const QFont& font) {
  const QFontMetricsF metrics(font);
  // What a number keeps clear of: every Line as wide as a claim, the dots, the circles,
  // the numbers placed before it, and the edge of the view.
  const double px = pixel();
  const double gap = std::max(1.0, metrics.height() / 8);
  const double lineReach = std::max(1.0, kClaimedWidth * px) / 2 + gap;
  std::vector<QLineF> segments;  // [stroke]
  for (const Stroke& stroke : scene_.strokes) segments.emplace_back(toWidget(stroke.a), toWidget(stroke.b));
  struct Obstacle {
    QPointF at;
    double reach;
  };
  std::vector<Obstacle> round;  // dots and circles
  for (const Dot& d : scene_.dots) round.push_back({toWidget(d.at), std::max(2.0, d.radius * px) + gap});
  for (const Shape& c : scene_.shapes)
    if (c.kind == Shape::Kind::Circle)
      round.push_back({toWidget(c.centre), c.radiusX * scale() + std::max(1.0, c.borderWidth * px) / 2 + gap});
  const QRectF inside = QRectF(rect()).adjusted(1, 1, -1, -1);

  // A number stands upright on its plate beside its Line, off the Line's middle on either
  // side, or if there is no room there a little further along: the places to try, best
  // first, each with what it clashes with on the board itself.
  struct Place {
    NumberLabel label;
    QRectF box;  // the ink in the number's own frame
    QTransform fromView;
    double clash = 0;  // how far it reaches into what it should keep clear of
  };
  std::vector<std::vector<Place>> places(segments.size());
  for (std::size_t l = 0; l < segments.size(); ++l) {
    if (!scene_.strokes[l].number) continue;
    const QLineF& line = segments[l];
    const QRectF box = plateOf(metrics, scene_.strokes[l].number);
    const QSizeF size = box.size();
    const QPointF u = line.length() > 0 ? (line.p2() - line.p1()) / line.length() : QPointF(1, 0);
    const QPointF normal(-u.y(), u.x());  // below a Line drawn left to right, left of one drawn downwards
    const double reach = lineReach + (size.width() * std::abs(normal.x()) + size.height() * std::abs(normal.y())) / 2;

    // Only what lies near the Line can be in the way.
    const double near = reach + size.width() + size.height();
    const QRectF around = QRectF(line.p1(), line.p2()).normalized().adjusted(-near, -near, near, near);
    std::vector<QLineF> lines;
    for (std::size_t k = 0; k < segments.size(); ++k)
      if (k != l && around.intersects(QRectF(segments[k].p1(), segments[k].p2()).normalized().adjusted(-1, -1, 1, 1)))
        lines.push_back(segments[k]);
    std::vector<Obstacle> nearRound;
    for (const Obstacle& o : round)
      if (around.adjusted(-o.reach, -o.reach, o.reach, o.reach).contains(o.at)) nearRound.push_back(o);

    // Where there is no room beside it, on the Line itself, the plate hiding a little of it.
    for (int step = 0; step <= 61; ++step) {
      const double t = 0.5 + 0.02 * ((step % 31 + 1) / 2) * (step % 2 ? -1 : 1);  // 0.5, 0.48, 0.52, ...
      for (int side : {1, -1, 0}) {
        if ((side == 0) != (step > 30)) continue;
        const QPointF centre = line.pointAt(t) + normal * (side * reach);
        const QTransform toView = QTransform().translate(centre.x(), centre.y());
        Place p{{centre, toView.map(QPolygonF(box))}, box, toView.inverted()};
        // Everything is taken into the number's frame, where its ink is a plain box.
        const QRectF bounds = p.label.outline.boundingRect();
        p.clash = std::max({0.0, inside.left() - bounds.left(), inside.top() - bounds.top(),
                            bounds.right() - inside.right(), bounds.bottom() - inside.bottom()});
        for (const QLineF& other : lines) {
          const QLineF seg = p.fromView.map(other);
          p.clash += std::max(0.0, lineReach - distanceToSegment(box, seg.p1(), seg.p2()));
        }
        for (const Obstacle& o : nearRound)
          p.clash += std::max(0.0, o.reach - distanceToRect(p.fromView.map(o.at), box));
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
  for (std::size_t l = 0; l < segments.size(); ++l)
    if (!places[l].empty()) order.push_back(l);
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
        // Two numbers overlapping are worse than a number over a Line: they count many
        // times as much as their overlap is deep.
        const QPolygonF there = p.fromView.map(other);
        const QRectF overlap = clear & there.boundingRect();
        if (!overlap.isEmpty() && QPolygonF(clear).intersects(there))
          clash += kOverlapWeight * (1 + std::min(overlap.width(), overlap.height()));
      }
      if (!best || clash < least) {
        best = &p;
        least = clash;
      }
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
  // Each number is drawn with its ink centred where the layout measured it.
  auto write = [&](QPointF centre, const QString& text, const QFontMetricsF& metrics) {
    painter.drawText(centre - metrics.tightBoundingRect(text).center(), text);
  };
  painter.setFont(labels_.lineFont);
  const QFontMetricsF lineMetrics(labels_.lineFont);
  for (std::size_t l = 0; l < scene_.strokes.size(); ++l) {
    const Stroke& stroke = scene_.strokes[l];
    const NumberLabel& label = labels_.lines[l];
    if (!labelShown(l) || !dirty.intersects(paintBounds(label.outline))) continue;
    // A light plate under the number keeps it clear of the Lines it stands among.
    painter.setPen(QPen(kPlateBorder, 1));
    painter.setBrush(kPlate);
    painter.drawRoundedRect(label.outline.boundingRect().adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    painter.setPen(QColor(30, 30, 30));
    write(label.centre, QString::number(stroke.number), lineMetrics);
  }
  painter.setBrush(Qt::NoBrush);
  painter.setFont(labels_.circleFont);
  const QFontMetricsF circleMetrics(labels_.circleFont);
  for (const Shape& shape : scene_.shapes) {
    if (!shape.number || !shape.visible || !dirty.intersects(bounds(shape).toAlignedRect())) continue;
    // Dark digits on a light fill, light ones on a dark fill.
    painter.setPen(qGray(toQColor(shape.fill).rgb()) > 140 ? Qt::black : Qt::white);
    write(toWidget(shape.centre), QString::number(shape.number), circleMetrics);
  }
}

void BoardView::paintCheckBox(QPainter& painter, const CheckBox& b) {
  QStyleOptionButton option;
  option.initFrom(this);
  option.rect = QRectF(toWidget(b.at), toWidget({b.at.x + b.width, b.at.y + b.height})).toAlignedRect();
  option.text = QString::fromStdString(b.caption);
  option.state = (b.checked ? QStyle::State_On : QStyle::State_Off) |
                 (b.enabled ? QStyle::State_Enabled : QStyle::State_None);
  style()->drawControl(QStyle::CE_CheckBox, &option, &painter, this);
}

void BoardView::paintBanner(QPainter& painter) {
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

void BoardView::paintEvent(QPaintEvent* event) {
  const QRegion& dirty = event->region();
  QPainter painter(this);
  // A moving picture's few boxes one by one, each clipped to a plain rectangle, which Qt
  // fills far faster than a region of many rectangles, for the little more it paints.
  if (constexpr int kFewBoxes = 4; scene_.moving && dirty.rectCount() > 1 && dirty.rectCount() <= kFewBoxes) {
    for (const QRect& box : dirty) {
      painter.setClipRect(box);
      paintScene(painter, QRegion(box), {});
    }
    return;
  }
  // A board scrolled in its area paints plainly: the patches and the kept pictures work on
  // the window's surface as far as the board reaches, also where it is hidden.
  if (visibleRegion() != QRegion(rect())) {
    layersLeftBehind();
    paintScene(painter, dirty, {});
    return;
  }
  if (paintFromLayers(painter, dirty)) return;
  const std::vector<std::unique_ptr<Patch>> patches = patchesOf(painter, dirty);
  const Surface surface = surfaceOf(painter);
  const bool canKeep = layered() && surface.image;
  // A paint of the whole board at rest draws the kept pictures afresh on its way; not the
  // window's first, which shows the board as soon as it can: the next, at once after it, does.
  if (canKeep && firstPainted_ && QRegion(rect()).subtracted(dirty).isEmpty()) {
    paintScene(painter, dirty, patches, keepLayers(surface));
    return;
  }
  if (canKeep && !firstPainted_) QTimer::singleShot(0, this, [this] { update(); });
  paintScene(painter, dirty, patches);
  // Changes the kept pictures did not take in: the whole board is painted again (the same
  // picture) once the program is idle, which draws them afresh.
  if (!layers_.changes.empty()) {
    layersLeftBehind();
    if (canKeep) QTimer::singleShot(0, this, [this] { update(); });
  }
}

void BoardView::layersLeftBehind() {
  layers_.fresh = false;
  layers_.changes.clear();
  layers_.asked = QRegion();
}

bool BoardView::paintFromLayers(QPainter& painter, const QRegion& dirty) {
  if (!layered() || !layers_.fresh) return false;
  const Surface surface = surfaceOf(painter);
  if (!surface.image || surface.image->size() != layers_.surface || surface.offset != layers_.offset ||
      size() != layers_.size || scale() != layers_.scale)
    return false;
  const std::vector<std::unique_ptr<Patch>> patches = patchesOf(painter, dirty);
  if (patches.empty()) return false;
  const Pixels onSurface = pixelsOf(*surface.image, -surface.offset);
  StrokeRange range;
  for (const Layer& layer : layers_.kept) range.stops.push_back(layer.upTo);
  for (const auto& patch : patches) {
    const QRegion here = dirty.intersected(patch->box);
    const QRect around = here.boundingRect();
    // The highest picture below every stroke changed here that holds the whole patch.
    std::size_t below = SIZE_MAX;
    for (const auto& [stroke, where] : layers_.changes)
      if (stroke < below && here.intersects(where)) below = stroke;
    int start = -1;
    const QImage* startImage = nullptr;
    QPoint startAt;
    for (int k = int(layers_.kept.size()) - 1; k >= 0 && !startImage; --k)
      for (const auto& [box, image] : layers_.kept[std::size_t(k)].pieces)
        if (layers_.kept[std::size_t(k)].upTo <= below && box.contains(around)) {
          start = k;
          startImage = &image;
          startAt = box.topLeft();
        }
    painter.setClipRegion(here);
    if (startImage) copyPixels(pixelsOf(*startImage, startAt), onSurface, here);
    range.from = startImage ? layers_.kept[std::size_t(start)].upTo : 0;
    // The pictures above take the patch's paint as it passes them.
    range.reached = [&](std::size_t k) {
      if (int(k) > start)
        for (const auto& [box, image] : layers_.kept[k].pieces) copyPixels(onSurface, pixelsOf(image, box.topLeft()), here);
    };
    paintScene(painter, here, std::span(&patch, 1), range);
  }
  // A change outside what was painted (a part of the board not shown) was not taken in.
  if (!layers_.asked.subtracted(dirty).isEmpty()) layersLeftBehind();
  layers_.changes.clear();
  layers_.asked = QRegion();
  return true;
}

BoardView::StrokeRange BoardView::keepLayers(const Surface& surface) {
  // Each picture holds only where the strokes above it reach, whatever their width: the
  // same places from one claim to the next.
  constexpr double kReach = 16;
  const std::size_t strokes = scene_.strokes.size();
  const std::size_t count = std::size_t(scene_.keptLayers);
  layers_.kept.resize(count);
  StrokeRange range;
  for (std::size_t k = 0; k < count; ++k) {
    Layer& layer = layers_.kept[k];
    layer.upTo = (k + 1) * strokes / (count + 1);
    std::vector<QRect> reached;
    for (std::size_t i = layer.upTo; i < strokes; ++i) {
      const Stroke& s = scene_.strokes[i];
      reached.push_back(QRectF(toWidget(s.a), toWidget(s.b)).normalized().adjusted(-kReach, -kReach, kReach, kReach).toAlignedRect());
    }
    std::vector<QRect> boxes;
    for (const QRect& box : apart(joined(reached, rect())))
      if (const QRect in = box.intersected(rect()); !in.isEmpty()) boxes.push_back(in);
    // The images are kept while their places stay.
    if (!std::equal(boxes.begin(), boxes.end(), layer.pieces.begin(), layer.pieces.end(),
                    [](const QRect& box, const auto& piece) { return box == piece.first; })) {
      layer.pieces.clear();
      for (const QRect& box : boxes) layer.pieces.emplace_back(box, QImage(box.size(), surface.image->format()));
    }
    range.stops.push_back(layer.upTo);
  }
  range.reached = [this, onSurface = pixelsOf(*surface.image, -surface.offset)](std::size_t k) {
    for (const auto& [box, image] : layers_.kept[k].pieces) copyPixels(onSurface, pixelsOf(image, box.topLeft()), QRegion(box));
  };
  layers_.fresh = true;
  layers_.surface = surface.image->size();
  layers_.offset = surface.offset;
  layers_.size = size();
  layers_.scale = scale();
  layers_.changes.clear();
  layers_.asked = QRegion();
  return range;
}

// Qt works out a wide Line's paint over the whole surface it draws on, however little of it
// shows, and the few small patches a click repaints are crossed by many long Lines. So where
// the board is painted straight onto the window's surface, the wide Lines of a small repaint
// are drawn through painters over just those patches of the same surface, each in its turn
// among the rest of the picture: the same paint, worked out over far fewer pixels. (Thin
// Lines are not: Qt starts a thin Line where it enters the surface it is drawn on.)
std::vector<std::unique_ptr<BoardView::Patch>> BoardView::patchesOf(QPainter& painter, const QRegion& dirty) {
  constexpr std::size_t kMostPatches = 12;
  std::vector<std::unique_ptr<Patch>> patches;
  const auto [surface, offset] = surfaceOf(painter);
  if (!surface) return patches;
  // The region's rectangles, joined until no two boxes meet.
  const std::vector<QRect> boxes = apart(dirty);
  qint64 area = 0;
  for (const QRect& b : boxes) area += qint64(b.width()) * b.height();
  if (boxes.size() > kMostPatches || area * 3 > qint64(width()) * height()) return patches;
  const qsizetype line = surface->bytesPerLine();
  for (const QRect& box : boxes) {
    const QRect on = box.translated(offset).intersected(surface->rect());
    if (on.isEmpty()) continue;
    auto patch = std::make_unique<Patch>();
    patch->box = on.translated(-offset);
    // The surface's own pixels, not a copy: its constBits() never detach it.
    uchar* pixels = const_cast<uchar*>(surface->constBits()) + on.y() * line + on.x() * 4;
    patch->surface = QImage(pixels, on.width(), on.height(), line, surface->format());
    patch->painter = std::make_unique<QPainter>(&patch->surface);
    patch->painter->setRenderHint(QPainter::Antialiasing);
    patch->painter->translate(-patch->box.topLeft());
    patch->painter->setClipRegion(dirty.intersected(patch->box));
    patches.push_back(std::move(patch));
  }
  return patches;
}

BoardView::Surface BoardView::surfaceOf(QPainter& painter) const {
  QBackingStore* store = window()->backingStore();
  QImage* surface = store ? dynamic_cast<QImage*>(store->paintDevice()) : nullptr;
  const QTransform toSurface = painter.deviceTransform();
  if (!surface || painter.paintEngine()->paintDevice() != surface || surface->depth() != 32 ||
      toSurface.type() > QTransform::TxTranslate)
    return {};
  return {surface, QPoint(int(toSurface.dx()), int(toSurface.dy()))};
}

void BoardView::paintScene(QPainter& painter, const QRegion& dirty, std::span<const std::unique_ptr<Patch>> patches,
                           const StrokeRange& range) {
  painter.setRenderHint(QPainter::Antialiasing);
  const double s = scale();
  const double pixel = this->pixel();
  // Only what reaches the region being repainted is drawn; the rest is clipped anyway.
  auto reaches = [&dirty](const QRectF& r) { return dirty.intersects(r.toAlignedRect()); };

  painter.setPen(Qt::NoPen);
  for (const Shape& shape : scene_.backdrop) {
    if (range.from > 0 || !shape.visible || !reaches(bounds(shape))) continue;
    QPolygonF points;
    for (Point2 p : shape.points) points << toWidget(p);
    painter.setBrush(toQColor(shape.fill));
    painter.drawPolygon(points);
  }

  // A stroke drawn with this pen: a wide one through the patches it reaches, if any. While
  // the picture moves, a thin one is drawn without antialiasing: the eye cannot follow the
  // difference, and it costs a fraction of the time (the picture at rest is drawn smooth).
  auto drawStroke = [&](const Stroke& stroke, const QPen& pen) {
    const QPointF a = toWidget(stroke.a), b = toWidget(stroke.b);
    if (patches.empty() || pen.widthF() <= 1) {
      const bool rough = scene_.moving && pen.widthF() <= 1;
      if (rough) painter.setRenderHint(QPainter::Antialiasing, false);
      painter.setPen(pen);
      painter.drawLine(a, b);
      if (rough) painter.setRenderHint(QPainter::Antialiasing);
      return;
    }
    for (const auto& patch : patches)
      if (touches(stroke, patch->box)) {
        patch->painter->setPen(pen);
        patch->painter->drawLine(a, b);
      }
  };

  // The halos first, so every Line is drawn over them as the rules drew it.
  for (const Stroke& stroke : scene_.strokes)
    if (range.from == 0 && stroke.visible && stroke.highlighted && touches(stroke, dirty))
      drawStroke(stroke, QPen(kHalo, (stroke.width + kHaloExtra) * pixel, Qt::SolidLine, Qt::RoundCap));
  const Qt::PenCapStyle ends = scene_.moving ? Qt::SquareCap : Qt::RoundCap;
  const std::size_t to = std::min(range.to, scene_.strokes.size());
  auto stop = std::lower_bound(range.stops.begin(), range.stops.end(), range.from);
  for (std::size_t i = range.from; i < to; ++i) {
    for (; stop != range.stops.end() && *stop == i; ++stop) range.reached(std::size_t(stop - range.stops.begin()));
    const Stroke& stroke = scene_.strokes[i];
    if (stroke.visible && touches(stroke, dirty))
      drawStroke(stroke, QPen(toQColor(stroke.colour), std::max(1.0, stroke.width * pixel),
                              stroke.dotted ? Qt::DotLine : Qt::SolidLine, ends));
  }
  for (; stop != range.stops.end() && *stop <= to; ++stop) range.reached(std::size_t(stop - range.stops.begin()));
  if (to < scene_.strokes.size()) return;

  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  for (const Dot& dot : scene_.dots) {
    const double r = std::max(2.0, dot.radius * pixel);
    if (reaches(bounds(dot))) painter.drawEllipse(toWidget(dot.at), r, r);
  }

  // An outline paints only along its sides: a large one whose sides pass the region by is
  // left out, however much of the region its box holds.
  auto sidesReach = [&](const Shape& shape, const auto& area) {
    for (std::size_t i = 0; i < shape.points.size(); ++i)
      if (touches(Stroke{.a = shape.points[i], .b = shape.points[(i + 1) % shape.points.size()], .width = shape.borderWidth},
                  area))
        return true;
    return false;
  };
  for (const Shape& shape : scene_.shapes) {
    if (!shape.visible || shape.kind == Shape::Kind::Region || !reaches(bounds(shape))) continue;
    if (shape.kind == Shape::Kind::Outline && !sidesReach(shape, dirty)) continue;
    // A wide outline, like a wide Line, through the patches it reaches.
    if (const QPen pen(toQColor(shape.border), shape.borderWidth * pixel);
        shape.kind == Shape::Kind::Outline && !patches.empty() && pen.widthF() > 1) {
      QPolygonF points;
      for (Point2 p : shape.points) points << toWidget(p);
      for (const auto& patch : patches)
        if (sidesReach(shape, patch->box)) {
          patch->painter->setPen(pen);
          patch->painter->setBrush(Qt::NoBrush);
          patch->painter->drawPolygon(points);
        }
      continue;
    }
    painter.setPen(QPen(toQColor(shape.border), std::max(1.0, shape.borderWidth * pixel)));
    const bool filled = shape.filled && shape.kind != Shape::Kind::Outline;
    painter.setBrush(filled ? QBrush(toQColor(shape.fill)) : QBrush(Qt::NoBrush));
    switch (shape.kind) {
      case Shape::Kind::Circle:
        painter.drawEllipse(toWidget(shape.centre), shape.radiusX * s, shape.radiusX * s);
        break;
      case Shape::Kind::Oval:
        painter.drawEllipse(toWidget(shape.centre), shape.radiusX * s, shape.radiusY * s);
        break;
      case Shape::Kind::Polygon:
      case Shape::Kind::Outline: {
        QPolygonF points;
        for (Point2 p : shape.points) points << toWidget(p);
        // Like the thin Lines, a moving picture's boxes are drawn without smoothing.
        if (scene_.moving) painter.setRenderHint(QPainter::Antialiasing, false);
        painter.drawPolygon(points);
        painter.setRenderHint(QPainter::Antialiasing);
        break;
      }
      case Shape::Kind::Region:
        break;
    }
  }

  for (const Text& text : scene_.texts) {
    if (!text.visible || !reaches(bounds(text))) continue;
    const QRectF box = bounds(text).adjusted(2, 2, -2, -2);
    if (text.back) painter.fillRect(box, toQColor(*text.back));
    painter.setFont(textFont(text));
    painter.setPen(toQColor(text.fore));
    painter.drawText(box, Qt::AlignCenter, QString::fromStdString(text.text));
  }

  // The captions in the window's own letters, whichever text was written last.
  painter.setFont(font());
  for (const CheckBox& box : scene_.checkBoxes)
    if (box.visible && reaches(bounds(box))) paintCheckBox(painter, box);

  // The window's first paint shows the board at once; the grid's numbers, whose layout
  // takes longer than the rest of the picture, follow in the next turn of the event loop.
  if (controller_.gridShown() && !firstPainted_)
    QTimer::singleShot(0, this, [this] { update(); });
  else if (controller_.gridShown())
    paintLabels(painter, dirty);
  firstPainted_ = true;
  if (controller_.status().gameOver) paintBanner(painter);
}

void BoardView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) textBoxes_.clear();
  QWidget::changeEvent(event);
}

void BoardView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (const Target t = targetAt(event->position())) controller_.targetClicked(t);
}

}  // namespace kp
