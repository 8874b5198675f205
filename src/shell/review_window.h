#pragma once
#include <QWidget>
#include <atomic>
#include <memory>
#include <utility>
#include <vector>

#include "core/game_review.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kp {

class GameController;
class Shell;

// The Expert's review of the game in one game window, in a window of its own beside it. The
// Expert looks over a copy of the game on the shell's workers while both windows go on; the
// finished review lists every move with what it was worth, and a move picked in the list shows
// its position in the game window with the Expert's move outlined. The window belongs to its
// game window: closing either drops the review still running.
class ReviewWindow : public QWidget {
  Q_OBJECT
 public:
  ReviewWindow(Shell& shell, GameController& controller, QWidget* gameWindow);
  ~ReviewWindow() override;

  // Shows the window, up front; reviews the game unless a review of it is shown or under way.
  void bringUp();
  // Reviews the game as the game window shows it now, dropping any review under way.
  void reviewGame();
  // The game window's game has changed: a shown review may no longer be of it. Looked at once
  // the change has settled (a replay passes through every position on its way).
  void gameChanged();

  bool reviewing() const { return stop_ != nullptr; }
  bool stale() const { return stale_; }
  QTreeWidget* moveList() const { return list_; }

 private:
  void placeBeside(const QWidget& gameWindow);
  void cancelReview();
  void progressed(int done, int total);
  void finished(const GameReview& review);
  void checkGame();
  void showMove(QTreeWidgetItem* item);
  void showState(const QString& text, bool againOffered);

  Shell& shell_;
  GameController& controller_;
  QLabel* summary_ = nullptr;
  QLabel* state_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* again_ = nullptr;
  // The running review's flag: set here, on the user-interface thread, when its answer is no
  // longer wanted; nullptr while none runs.
  std::shared_ptr<std::atomic<bool>> stop_;
  // The game reviewed (or under review): its moves and how long its record was.
  std::vector<std::pair<int, Player>> moves_;
  std::size_t recordLength_ = 0;
  GameReview review_;
  bool stale_ = false;
  bool checkDue_ = false;
};

}  // namespace kp
