#include "shell/review_window.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/game_controller.h"
#include "shell/qt_colour.h"
#include "shell/shell.h"

namespace kp {

namespace {

enum Column { kMove, kPlayer, kLine, kBefore, kAfter, kNote, kColumns };

QString signedValue(int v) { return v > 0 ? QStringLiteral("+%1").arg(v) : QString::number(v); }

// Whether a begins b.
bool begins(const std::vector<std::pair<int, Player>>& a, const std::vector<std::pair<int, Player>>& b) {
  return a.size() <= b.size() && std::equal(a.begin(), a.end(), b.begin());
}

QString summaryOf(const GameReview& review) {
  int lost[3] = {};
  for (const ReviewedMove& m : review.moves) lost[int(m.player)] += m.loss > 0;
  auto moves = [](int n) { return n == 1 ? QStringLiteral("1 move") : QStringLiteral("%1 moves").arg(n); };
  QString s = QStringLiteral("Moves that lost points: Red %1, Blue %2.")
                  .arg(moves(lost[int(Player::Red)]), moves(lost[int(Player::Blue)]));
  if (review.turningPoint > 0) {
    const ReviewedMove& t = review.moves[std::size_t(review.turningPoint - 1)];
    s += QStringLiteral("\nTurning point: move %1, %2's Line %3.").arg(t.move).arg(playerName(t.player)).arg(t.line);
  } else {
    s += QStringLiteral("\nNo move turned the game.");
  }
  return s;
}

QTreeWidgetItem* rowOf(const ReviewedMove& m, bool turningPoint) {
  QString note;
  if (m.loss > 0) note = QString::fromStdString(reviewLine(m));
  else if (!m.exact) note = QStringLiteral("(estimated)");
  if (turningPoint) note = note.isEmpty() ? QStringLiteral("Turning point") : QStringLiteral("Turning point. ") + note;
  auto* item = new QTreeWidgetItem(QStringList{QString::number(m.move), playerName(m.player), QString::number(m.line),
                                               signedValue(m.valueBefore), signedValue(m.valueAfter), note});
  item->setData(kMove, Qt::UserRole, m.move);
  item->setForeground(kPlayer, toQColor(lineColour(m.player)));
  for (int c : {kMove, kLine, kBefore, kAfter}) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
  if (m.loss > 0) item->setForeground(kNote, QColor(200, 0, 0));
  if (!m.exact) {
    // An estimate is only the Expert's guess at a position it could not solve in its budget.
    QFont italic = item->font(kBefore);
    italic.setItalic(true);
    for (int c : {kBefore, kAfter}) {
      item->setFont(c, italic);
      item->setForeground(c, QColor(110, 110, 110));
      item->setToolTip(c, QStringLiteral("Estimated: the Expert could not work this position out to the end"));
    }
  }
  if (turningPoint) {
    for (int c = 0; c < kColumns; ++c) {
      QFont bold = item->font(c);
      bold.setBold(true);
      item->setFont(c, bold);
    }
    item->setBackground(kNote, QColor(255, 240, 190));
  }
  item->setToolTip(kNote, note);
  return item;
}

}  // namespace

ReviewWindow::ReviewWindow(Shell& shell, GameController& controller, QWidget* gameWindow)
    : QWidget(gameWindow, Qt::Window), shell_(shell), controller_(controller) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Review of this game - Krunk Plexa"));
  auto* col = new QVBoxLayout(this);

  summary_ = new QLabel(this);
  summary_->setObjectName("summary");
  QFont bold = font();
  bold.setBold(true);
  summary_->setFont(bold);
  col->addWidget(summary_);
  state_ = new QLabel(this);
  state_->setObjectName("state");
  state_->setWordWrap(true);
  col->addWidget(state_);
  progress_ = new QProgressBar(this);
  col->addWidget(progress_);

  list_ = new QTreeWidget(this);
  list_->setColumnCount(kColumns);
  list_->setHeaderLabels({"Move", "Player", "Line", "Before", "After", "What the Expert says"});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAllColumnsShowFocus(true);
  list_->header()->setStretchLastSection(true);
  for (int c = 0; c < kNote; ++c) list_->resizeColumnToContents(c);
  list_->setToolTip(QStringLiteral("The values are the points still to come for the player who moved, "
                                   "less the opponent's, before and after the move"));
  connect(list_, &QTreeWidget::itemClicked, this, &ReviewWindow::showMove);
  connect(list_, &QTreeWidget::itemActivated, this, &ReviewWindow::showMove);
  col->addWidget(list_, 1);

  auto* buttons = new QHBoxLayout();
  again_ = new QPushButton(QStringLiteral("Review again"), this);
  connect(again_, &QPushButton::clicked, this, &ReviewWindow::reviewGame);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  connect(cancel_, &QPushButton::clicked, this, [this] {
    cancelReview();
    progress_->hide();
    cancel_->hide();
    showState(QStringLiteral("Review cancelled"), true);
  });
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  buttons->addStretch(1);
  for (QPushButton* b : {again_, cancel_, close}) buttons->addWidget(b);
  col->addLayout(buttons);

  resize(640, 560);
  // Escape closes the window, as it closes a dialog.
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
  placeBeside(*gameWindow);
}

void ReviewWindow::placeBeside(const QWidget& gameWindow) {
  // Beside the game window where the screen has room; otherwise at the screen's right edge,
  // over the game window's panel and clear of its board, which shows the moves picked. The
  // frame is taken to be as wide as the game window's.
  const QRect screen = gameWindow.screen()->availableGeometry();
  const QRect game = gameWindow.frameGeometry();
  const QSize frame = game.size() - gameWindow.size();
  const QSize size = (this->size() + frame).boundedTo(screen.size());
  int x = game.right() + 8;
  if (x + size.width() > screen.right() + 1) x = std::max(screen.left(), screen.right() + 1 - size.width());
  const int y = std::clamp(game.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
  move(x, y);
}

ReviewWindow::~ReviewWindow() { cancelReview(); }

void ReviewWindow::cancelReview() {
  if (!stop_) return;
  *stop_ = true;
  stop_.reset();
}

void ReviewWindow::showState(const QString& text, bool againOffered) {
  state_->setText(text);
  state_->setVisible(!text.isEmpty());
  again_->setVisible(againOffered);
}

void ReviewWindow::bringUp() {
  if (!reviewing() && (stale_ || list_->topLevelItemCount() == 0)) reviewGame();
  show();
  raise();
  activateWindow();
}

void ReviewWindow::reviewGame() {
  cancelReview();
  moves_ = controller_.reviewMoves();
  recordLength_ = controller_.recordLength();
  stale_ = false;
  review_ = {};
  list_->clear();
  // The window may be asked again after the game has moved on to one the Expert cannot review.
  if (!controller_.reviewable() || moves_.empty()) {
    progress_->hide();
    cancel_->hide();
    summary_->setText(controller_.reviewable() ? QStringLiteral("There are no moves to review yet.")
                                               : QStringLiteral("The Expert does not play this game."));
    showState({}, true);
    return;
  }
  summary_->setText(QStringLiteral("The Expert is reviewing this game's %1 moves...").arg(moves_.size()));
  showState({}, false);
  progress_->setRange(0, 0);  // busy until the first position is done
  progress_->show();
  cancel_->show();

  // The work has copies of its own: the board, the moves and the flag outlive this window.
  auto graph = std::make_shared<const BoardGraph>(controller_.rules().graph());
  auto result = std::make_shared<GameReview>();
  auto stop = std::make_shared<std::atomic<bool>>(false);
  stop_ = stop;
  // Answers come back on the user-interface thread, where the flag is set: while it is clear
  // this window stands and wants them.
  auto back = [this, stop](std::function<void()> fn) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [stop, fn = std::move(fn)] { if (!*stop) fn(); }, Qt::QueuedConnection);
  };
  shell_.runAside(stop, [this, back, graph, result, stop, moves = moves_] {
    *result = reviewTolva(*graph, moves, ExpertLimits{.nodes = kReviewNodes, .stop = stop.get()},
                          [this, back](int done, int total) { back([this, done, total] { progressed(done, total); }); });
    back([this, result] { finished(*result); });
  });
}

void ReviewWindow::progressed(int done, int total) {
  progress_->setRange(0, total);
  progress_->setValue(done);
}

void ReviewWindow::finished(const GameReview& review) {
  stop_.reset();
  review_ = review;
  progress_->hide();
  cancel_->hide();
  summary_->setText(summaryOf(review_));
  for (const ReviewedMove& m : review_.moves) list_->addTopLevelItem(rowOf(m, m.move == review_.turningPoint));
  for (int c = 0; c < kNote; ++c) list_->resizeColumnToContents(c);
  if (stale_) {
    showState(QStringLiteral("The game has changed since this review: review it again"), true);
  } else if (!review_.error.empty()) {
    showState(QStringLiteral("The review stopped early. ") + QString::fromStdString(review_.error), false);
  } else {
    showState(QStringLiteral("Click a move (or press Return on it) to see its position in the game window, "
                             "with the Expert's move outlined."),
              false);
  }
}

void ReviewWindow::gameChanged() {
  if (checkDue_ || stale_ || moves_.empty()) return;
  checkDue_ = true;
  QTimer::singleShot(0, this, [this] {
    checkDue_ = false;
    checkGame();
  });
}

void ReviewWindow::checkGame() {
  if (stale_) return;
  // The review holds while the board shows its game, or, with the replay shown, any step of
  // the same record.
  const std::vector<std::pair<int, Player>> now = controller_.reviewMoves();
  if (now == moves_) return;
  if (controller_.replayShown() && controller_.recordLength() == recordLength_ &&
      (begins(now, moves_) || begins(moves_, now)))
    return;
  stale_ = true;
  showState(QStringLiteral("The game has changed since this review: review it again"), true);
}

void ReviewWindow::showMove(QTreeWidgetItem* item) {
  if (!item || stale_ || reviewing()) return;
  const int move = item->data(kMove, Qt::UserRole).toInt();
  const ReviewedMove& m = review_.moves[std::size_t(move - 1)];
  controller_.showReviewed(std::size_t(move - 1), m.best, m.valueBefore, m.exact);
  if (controller_.movesShown() != std::size_t(move - 1))
    showState(QStringLiteral("The game window cannot show that position while a move is under way: "
                             "try again in a moment."),
              false);
}

}  // namespace kp
