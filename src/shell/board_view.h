#pragma once
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/game_controller.h"

namespace kp {

// Paints a window's scene scaled to the widget and turns a mouse press into a click on
// the scene's nearest target.
class BoardView : public QWidget {
  Q_OBJECT
 public:
  BoardView(GameController& controller, QWidget* parent = nullptr);

  // Widget position of a point given in the board's design units.
  QPointF toWidget(Point2 p) const;
  // What a press at a widget position would click.
  Target targetAt(QPointF pos) const;
  // The tooltip at a widget position: what the check box drawn there does ("" elsewhere).
  QString toolTipAt(QPointF pos) const;

  // A fixed drawing asks for all of it.
  QSize sizeHint() const override { return scene_.fixedSize ? minimumSize() : QSize(600, 600); }

  // Where the grid writes the number of the scene's stroke at this index: the outline of
  // its plate, in widget coordinates.
  QPolygonF numberLabel(std::size_t stroke);
  // Where the grid writes the number of the scene's shape at this index: its ink, in
  // widget coordinates.
  QRectF shapeNumber(std::size_t shape);
  // Whether the grid writes a number for the stroke now (its layout made).
  bool labelShown(std::size_t stroke) const;

  // Called after every change of the model: repaints what the scene changed (a claimed
  // Line, a filled circle), not the whole board; all of it when the banner, the board's
  // size or what the places stand for changed.
  void modelChanged();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  double scale() const;
  QPointF origin() const;
  double pixel() const;
  // Where a piece of the picture can put paint, antialiasing and round caps included.
  QRectF bounds(const Stroke& s) const;
  QRectF bounds(const Shape& s) const;
  QRectF bounds(const Text& t) const;
  QRectF bounds(const CheckBox& b) const;
  QRectF bounds(const Dot& d) const;
  // How far a stroke's paint reaches from its segment.
  double reach(const Stroke& s) const;
  // The boxes of a stroke's pieces, which together hold all its paint.
  void addPieces(const Stroke& s, std::vector<QRect>& rects) const;
  // Whether a stroke's paint can reach the region.
  bool touches(const Stroke& s, const QRegion& dirty) const;
  bool touches(const Stroke& s, const QRect& patch) const;
  bool touches(const Stroke& s, const QRect* from, const QRect* to, const QRect& around) const;
  QFont textFont(const Text& t) const;
  // The part of the board whose paint differs between two scenes of the same layout.
  QRegion changed(const Scene& was, const Scene& now);

  // The grid's number labels for the current size, laid out again when the size or the
  // numbers changed.
  void layOutLabels();
  // Places the stroke numbers written in this font; returns how far, in all, they reach
  // into what they should keep clear of (0: nothing hidden, nothing crowded).
  double placeLineNumbers(const QFont& font);
  static QRect paintBounds(const QPolygonF& ink) { return ink.boundingRect().adjusted(-2, -2, 2, 2).toAlignedRect(); }
  // A painter over one patch of the window's surface, for the wide Lines of a small repaint.
  struct Patch {
    QRect box;  // in the board's widget coordinates
    QImage surface;
    std::unique_ptr<QPainter> painter;
  };
  std::vector<std::unique_ptr<Patch>> patchesOf(QPainter& painter, const QRegion& dirty);
  // The window's own surface, where the painter paints straight onto it, and where the board
  // stands on it; no image otherwise.
  struct Surface {
    QImage* image = nullptr;
    QPoint offset;
  };
  Surface surfaceOf(QPainter& painter) const;
  // Which of the scene's strokes a paint draws: [from, to), the backdrop and the halos only
  // from the first, the pieces drawn over the strokes only to the last; `reached(k)` before
  // the stroke at each stop k (the stops ascending).
  struct StrokeRange {
    std::size_t from = 0, to = SIZE_MAX;
    std::vector<std::size_t> stops;
    std::function<void(std::size_t)> reached;
  };
  // The scene's pieces that reach the region, in their order.
  void paintScene(QPainter& painter, const QRegion& dirty, std::span<const std::unique_ptr<Patch>> patches,
                  const StrokeRange& range);
  void paintScene(QPainter& painter, const QRegion& dirty, std::span<const std::unique_ptr<Patch>> patches) {
    paintScene(painter, dirty, patches, StrokeRange{});
  }

  // The kept pictures of the board up to a stroke, where the scene asks for them. A paint
  // of the whole board at rest draws them on its way. After a click each patch is painted
  // from the highest picture below every stroke changed there, and the pictures above it
  // take the patch's paint as it passes them, so all stay true to the board; a repaint that
  // does not go either way leaves them behind until the next paint of the whole board.
  struct Layer {
    std::size_t upTo = 0;  // the backdrop, the halos and the strokes before this one
    std::vector<std::pair<QRect, QImage>> pieces;  // only where the later strokes reach
  };
  struct Layers {
    std::vector<Layer> kept;
    bool fresh = false;
    // What they were drawn for.
    QSize surface, size;
    QPoint offset;
    double scale = 0;
    // The changes since the last paint: the first stroke each leaves behind, and where.
    std::vector<std::pair<std::size_t, QRect>> changes;
    QRegion asked;  // the repaints asked for since
  } layers_;
  bool layered() const { return scene_.keptLayers > 0 && !scene_.moving; }
  // Paints the region from the kept pictures, patch by patch; false where they cannot serve.
  bool paintFromLayers(QPainter& painter, const QRegion& dirty);
  // Lays the kept pictures out for a paint of the whole board, which fills them as it goes.
  StrokeRange keepLayers(const Surface& surface);
  void layersLeftBehind();
  void paintLabels(QPainter& painter, const QRegion& dirty);
  void paintCheckBox(QPainter& painter, const CheckBox& b);
  void paintBanner(QPainter& painter);

  GameController& controller_;
  // The scene as last asked for, to tell what a change of the model touched.
  Scene scene_;
  bool shownGameOver_ = false;
  double shownScale_ = 0;
  bool shownGrid_ = false;
  // The measured box of each text written so far, by letter height: measuring shapes the
  // text, which a turning picture would otherwise do for every text in every frame.
  mutable std::map<std::pair<int, std::string>, QRectF> textBoxes_;
  // Whether the board has been painted once: from then on the grid's numbers are laid out as
  // they are painted.
  bool firstPainted_ = false;

  struct NumberLabel {
    QPointF centre;
    QPolygonF outline;  // its plate
  };
  struct Labels {
    double scale = 0;
    QPointF origin;
    QSize size;
    std::vector<int> numbers;  // [stroke]
    QFont lineFont, circleFont;
    std::vector<NumberLabel> lines;  // [stroke]
  } labels_;
};

}  // namespace kp
