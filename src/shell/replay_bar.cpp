#include "shell/replay_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

#include "core/game_controller.h"

namespace kp {

namespace {

// The bar's steps in its order, as GameController::replayStep counts them.
struct StepButton {
  int step;
  QStyle::StandardPixmap icon;
  Qt::Key key;
  const char* name;
  const char* tip;
};
constexpr std::array<StepButton, 4> kSteps{{
    {-2, QStyle::SP_MediaSkipBackward, Qt::Key_Home, "replayFirst", "First move (Home)"},
    {-1, QStyle::SP_MediaSeekBackward, Qt::Key_Left, "replayBack", "One move back (Left)"},
    {1, QStyle::SP_MediaSeekForward, Qt::Key_Right, "replayOn", "One move on (Right)"},
    {2, QStyle::SP_MediaSkipForward, Qt::Key_End, "replayLast", "Last move (End)"},
}};

}  // namespace

ReplayBar::ReplayBar(GameController& controller, QWidget* keysFor, QWidget* parent)
    : QGroupBox(QStringLiteral("Replay"), parent), controller_(controller) {
  setObjectName("replayBar");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 2, 4, 2);
  position_ = new QLabel(this);
  position_->setObjectName("replayPosition");
  position_->setAlignment(Qt::AlignCenter);
  for (std::size_t i = 0; i < kSteps.size(); ++i) {
    const StepButton& s = kSteps[i];
    auto* b = new QToolButton(this);
    b->setObjectName(s.name);
    b->setIcon(style()->standardIcon(s.icon));
    b->setToolTip(s.tip);
    b->setAccessibleName(s.tip);
    // The board keeps the focus; the keys reach the bar wherever it is.
    b->setFocusPolicy(Qt::NoFocus);
    const int step = s.step;
    connect(b, &QToolButton::clicked, this, [this, step] { controller_.replayStep(step); });
    keys_[i] = new QShortcut(QKeySequence(s.key), keysFor);
    keys_[i]->setEnabled(false);
    connect(keys_[i], &QShortcut::activated, this, [this, step] { controller_.replayStep(step); });
    buttons_[i] = b;
    if (i == 2) row->addWidget(position_, 1);
    row->addWidget(b);
  }
  setVisible(false);
}

void ReplayBar::refresh() {
  const bool shown = controller_.replayShown();
  for (QShortcut* key : keys_) key->setEnabled(shown);
  if (!shown) {
    setVisible(false);
    return;
  }
  const std::size_t at = controller_.movesShown();
  const std::size_t length = controller_.recordLength();
  const bool canStep = controller_.canReplay();
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    buttons_[i]->setEnabled(canStep && (kSteps[i].step < 0 ? at > 0 : at < length));
  position_->setText(QStringLiteral("Move %1 of %2").arg(at).arg(length));
  setVisible(true);
}

}  // namespace kp
