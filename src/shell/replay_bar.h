#pragma once
#include <QGroupBox>
#include <array>

class QLabel;
class QShortcut;
class QToolButton;

namespace kp {

class GameController;

// The replay's own bar, shown while Game > Replay is ticked: buttons to the first move, one
// back, one on and the last move, and where the board stands in the record ("Move 12 of 60").
// Its keys (Home, Left, Right, End) belong to the window they are given, and work only while
// the bar is shown; a widget with the focus that takes those keys itself keeps them.
class ReplayBar : public QGroupBox {
 public:
  ReplayBar(GameController& controller, QWidget* keysFor, QWidget* parent);
  // Shown or hidden with the replay, its buttons enabled where a step can be taken.
  void refresh();

 private:
  GameController& controller_;
  std::array<QToolButton*, 4> buttons_{};
  std::array<QShortcut*, 4> keys_{};
  QLabel* position_ = nullptr;
};

}  // namespace kp
