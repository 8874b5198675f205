#pragma once
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "core/launcher.h"

namespace kp {

class Shell;
class StarFieldWidget;

// The picture box of turning rings. It animates while shown, and only repaints itself.
// The rings are drawn for a square of kSide and grow with the box beyond that.
class RingWidget : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kSide = 220;  // room for a ring seen edge-on at 45 degrees

  explicit RingWidget(QWidget* parent = nullptr);

  const RingAnimation& animation() const { return rings_; }
  bool isAnimating() const { return timer_.isActive(); }
  // The frame timer, for the stars to follow.
  QTimer* frames() { return &timer_; }
  // One frame. Stopped (false) the rings turn only when told, by a scripted run's clock.
  void step();
  void setOwnClock(bool on);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  // Picture pixels per ring unit: 1 in a kSide square, more in a larger box.
  double scale() const;
  // Ring i's points in picture pixels.
  std::array<QPointF, RingAnimation::kPointCount> ringPoints(int i) const;
  // The part of the picture the rings cover now, dots included.
  QRect ringBounds() const;
  // A dot of each ring, drawn once per size: a hundred small circles a frame cost more
  // than the rest.
  const QImage& dot(Colour colour);

  RingAnimation rings_;
  QTimer timer_;
  QRect drawn_;  // what the last frame drew on
  std::map<Colour, QImage> dots_;
  bool ownClock_ = true;
};

// A list label that reports clicks and plain mouse moves by its index. When it takes the
// keyboard (the window makes the clickable ones reachable by Tab), the arrow keys move on
// to the next or previous such label, Enter and Return click it, and a frame round it shows
// where the keyboard is; its text colour is the model's alone.
class LauncherLabelWidget : public QLabel {
  Q_OBJECT
 public:
  LauncherLabelWidget(int index, QWidget* parent);
  int index() const { return index_; }

 signals:
  void clicked(int index);
  void hovered(int index);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  int index_;
  bool pressed_ = false;
};

// The window the program starts in: the list of game names by group, the rings (shown a
// few seconds after the window opens) and the stars. Launching a game closes it for good.
// The list keeps the room it needs with every group open, so the window's minimum size
// fits it whole in any state. Beyond that the list stays in the middle of its half and the
// two pictures, always the same size, one above the other, fill the other half.
class LauncherWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kRingDelayMs = 6000;
  // The launcher's star field, in its own units.
  static constexpr int kStarCentre = 4250;
  static constexpr int kStarRangeA = 8410;
  static constexpr int kStarRangeB = 14900;

  explicit LauncherWindow(Shell& shell);

  const Launcher& model() const { return model_; }
  // nullptr when the index is not a label.
  QLabel* label(int index) const;
  // Both pictures have their place from the start, the rings while still hidden too.
  RingWidget* rings() const { return rings_; }
  StarFieldWidget* stars() const { return stars_; }
  QTimer* ringDelay() { return &ringDelay_; }
  // What a click on label `index`, or the mouse over it, does.
  void labelClicked(int index);
  void labelHovered(int index);
  // A scripted run that takes a picture moves the rings and the stars on its own clock
  // (its waits), not the real one, so the same script always shows the same picture.
  void useScriptClock();
  void advanceScriptClock(std::int64_t ms);

 private:
  // The labels by group, in rows and wide lines, made in the order they stand on screen.
  QWidget* buildList();
  // Fixes the list's size to what it needs in any state.
  void reserveListRoom(QWidget* list);
  // The rings above the stars; the rings stay hidden until the delay has run.
  QWidget* buildPictures();
  // Shows the rings kRingDelayMs after the window opens.
  void startRingDelay();
  void showRings();
  void refresh();
  // Shows the labels as `state` has them.
  void showLabels(const Launcher& state);
  void showMessage(const QString& text);

  Shell& shell_;
  Launcher model_;
  std::map<int, LauncherLabelWidget*> labels_;
  std::vector<QWidget*> wideLines_;  // rows holding a header, the instruction or a long note
  RingWidget* rings_ = nullptr;
  StarFieldWidget* stars_ = nullptr;
  QTimer ringDelay_;
  // The script's clock since the window opened, and when its next frame is due.
  std::optional<std::int64_t> scriptTime_;
  std::int64_t nextFrame_ = 0;
};

}  // namespace kp
