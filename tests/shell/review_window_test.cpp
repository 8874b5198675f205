#include "shell/review_window.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <functional>

#include "shell/game_window.h"
#include "shell/shell.h"

using namespace kp;

namespace {

// Tolva between two people on the square window's 5 by 5 board, its first moves played.
GameWindow* playShortGame(Shell& shell, int moves) {
  static const int kLines[] = {13, 50, 46, 55, 11, 7, 41, 56};
  GameWindow* w = shell.openWindow(WindowKind::Square);
  w->action("games.0")->trigger();
  for (int i = 0; i < moves; ++i) w->controller().lineClicked(kLines[i]);
  return w;
}

QPushButton* button(QWidget* window, const QString& caption) {
  for (QPushButton* b : window->findChildren<QPushButton*>())
    if (b->text() == caption) return b;
  return nullptr;
}

}  // namespace

class ReviewWindowTest : public QObject {
  Q_OBJECT
 private slots:
  // The finished review lists every move; a click or Return on one shows the position before
  // it; a new game makes the review stale, and its moves then show nothing.
  void theReviewListsTheMovesAndShowsTheirPositions() {
    Shell shell;
    GameWindow* w = playShortGame(shell, 8);
    w->action("help.review")->trigger();
    auto* review = w->findChild<ReviewWindow*>();
    QVERIFY(review && review->isVisible());
    QTreeWidget* list = review->moveList();
    QTRY_VERIFY_WITH_TIMEOUT(!review->reviewing(), 60000);
    QCOMPARE(list->topLevelItemCount(), 8);
    w->action("help.review")->trigger();  // brings up the review shown
    QCOMPARE(w->findChildren<ReviewWindow*>().size(), 1);
    QVERIFY(!review->reviewing());

    QTreeWidgetItem* third = list->topLevelItem(2);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(third).center());
    QCOMPARE(w->controller().movesShown(), 2u);
    QVERIFY(w->controller().replayShown());
    list->setCurrentItem(list->topLevelItem(5));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(w->controller().movesShown(), 5u);
    QTest::qWait(10);
    QVERIFY(!review->stale());  // steps through the same game

    w->action("game.new")->trigger();
    QTRY_VERIFY(review->stale());
    QVERIFY(review->findChild<QLabel*>("state")->text().startsWith("The game has changed"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(third).center());
    QCOMPARE(w->controller().movesShown(), 0u);
    button(review, "Review again")->click();  // a new game has nothing to review
    QVERIFY(!review->reviewing() && !review->stale());
  }

  // Cancel, closing the review and closing the game window each stop the review at once.
  void everyWayOutStopsTheReview() {
    Shell shell;
    const std::function<void(GameWindow*, ReviewWindow*)> ways[] = {
        [](GameWindow*, ReviewWindow* r) { button(r, "Cancel")->click(); },
        [](GameWindow*, ReviewWindow* r) { r->close(); },
        [](GameWindow* w, ReviewWindow*) { w->close(); },
    };
    for (const auto& stop : ways) {
      QPointer<GameWindow> w = playShortGame(shell, 8);
      w->action("help.review")->trigger();
      QPointer<ReviewWindow> review = w->findChild<ReviewWindow*>();
      QVERIFY(review->reviewing());
      QTRY_COMPARE(shell.jobsAside(), 1);
      stop(w, review);
      QTRY_COMPARE_WITH_TIMEOUT(shell.jobsAside(), 0, 2000);
      if (review && review->isVisible()) {
        QCOMPARE(review->findChild<QLabel*>("state")->text(), QString("Review cancelled"));
        QCOMPARE(review->moveList()->topLevelItemCount(), 0);
      }
      if (w) w->close();
      QTest::qWait(10);
    }
  }
};

QTEST_MAIN(ReviewWindowTest)
#include "review_window_test.moc"
