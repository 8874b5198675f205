#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "boards/flat/square_window.h"
#include "shell/board_view.h"
#include "shell/game_window.h"
#include "shell/shell.h"

using namespace kp;

class GameWindowTest : public QObject {
  Q_OBJECT

  static QPointF midpoint(GameWindow& w, int line) {
    const Segment& s = w.controller().geometry().lines[line];
    return w.boardView()->toWidget({(s.a.x + s.b.x) / 2, (s.a.y + s.b.y) / 2});
  }

  static void clickBoard(GameWindow& w, QPointF at) {
    QTest::mouseClick(w.boardView(), Qt::LeftButton, Qt::NoModifier, at.toPoint());
  }

  // Presses OK on the message box that the next event opens; returns its text.
  static QString answerNextMessage() {
    auto text = std::make_shared<QString>();
    QTimer::singleShot(0, [text] {
      for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
          *text = box->text();
          box->button(QMessageBox::Ok)->click();
        }
    });
    QTest::qWait(50);
    return *text;
  }

 private slots:
  void aClickOnADrawnLineClaimsIt() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Square);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    clickBoard(*w, midpoint(*w, 7));
    QCOMPARE(w->controller().drawing().lines[7].width, kUnclaimedWidth);  // the window opens on Krunk: Lines have no targets
    w->action("games.0")->trigger();
    clickBoard(*w, midpoint(*w, 7));
    QCOMPARE(w->controller().drawing().lines[7].width, 8);
    QCOMPARE(w->controller().drawing().lines[7].colour, kBlue);
    QCOMPARE(w->controller().status().turnText, std::string("No score    Red's turn."));
    // A click in the middle of a Cell, far from every Line, claims nothing.
    const Point2 centre = w->controller().geometry().circles[13];
    clickBoard(*w, w->boardView()->toWidget(centre));
    int claimed = 0;
    for (int l = 1; l <= 60; ++l) claimed += w->controller().drawing().lines[l].width == 8;
    QCOMPARE(claimed, 1);
    w->close();
  }

  void theBoardScalesWithTheWindow() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Square);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->action("games.0")->trigger();
    w->resize(500, 400);
    QTest::qWait(20);
    const QSize small = w->boardView()->size();
    const QPointF a = midpoint(*w, 60);
    w->resize(1400, 1000);
    QTest::qWait(20);
    QVERIFY(w->boardView()->width() > small.width());
    QVERIFY(midpoint(*w, 60).y() > a.y());
    clickBoard(*w, midpoint(*w, 60));
    QCOMPARE(w->controller().drawing().lines[60].width, 8);
    w->close();
  }

  void aClaimedLineShowsInvalidMove() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Square);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->action("games.0")->trigger();
    clickBoard(*w, midpoint(*w, 7));
    clickBoard(*w, midpoint(*w, 7));
    QCOMPARE(answerNextMessage(), QString("Invalid move!"));
    QCOMPARE(w->controller().status().turnText, std::string("No score    Red's turn."));
    w->close();
  }

  void otherGamesMenuIsBuiltInThreeGroups() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Square);
    QMenu* other = nullptr;
    for (QAction* a : w->menuBar()->actions())
      if (a->text() == "&Other Games") other = a->menu();
    QVERIFY(other);
    QStringList headings, entries;
    int separators = 0;
    for (QAction* a : other->actions()) {
      if (a->isSeparator()) {
        ++separators;
      } else if (a->font().bold()) {
        QVERIFY(!a->isEnabled());
        headings << a->text();
      } else {
        entries << a->text();
      }
    }
    QCOMPARE(separators, 2);
    QCOMPARE(headings, QStringList({"Planor Plexa 2014 in 2D (THIS VERSION!)", "Krunk Plexa 2014 in 3D",
                                    "Quadrion Plexa 2014 in 4D"}));
    QCOMPARE(entries.size(), 13);
    QCOMPARE(entries.first(), QString("2D - Beginner's Planor and Globoria"));
    QAction* self = w->action("other.1");
    QVERIFY(self->isChecked());
    QVERIFY(!self->isEnabled());
    QCOMPARE(w->action("game.new")->shortcut(), QKeySequence("F5"));
    QCOMPARE(w->action("game.exit")->shortcut(), QKeySequence("F9"));
    QCOMPARE(w->action("game.about")->shortcut(), QKeySequence("F2"));
    QCOMPARE(w->action("help.rules")->shortcut(), QKeySequence("F1"));
    w->close();
  }

  void menusFollowTheModelAfterEveryEvent() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Square);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->action("games.0")->trigger();
    w->action("sub.globoria")->trigger();
    QVERIFY(w->action("sub.globoria")->isChecked());
    QVERIFY(!w->action("sub.planor")->isChecked());
    QCOMPARE(shell.program().subLevel, 1);
    clickBoard(*w, midpoint(*w, 1));
    QCOMPARE(w->controller().drawing().lines[26].width, 8);  // the joined edge
    QVERIFY(!w->action("sub")->isEnabled());
    QVERIFY(!w->action("other")->isEnabled());
    w->close();
  }

  void aWindowNotInThisVersionLeavesThisOneOpen() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Square);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QPointer<GameWindow> guard(w);
    w->action("other.13")->trigger();
    QCOMPARE(answerNextMessage(), QString("Quadrion Krunk is not in this version yet."));
    QVERIFY(guard);
    QVERIFY(w->isVisible());
    w->close();
  }

  void theKeypadPlaysTheEnteredNumber() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Square);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_F1, Qt::ControlModifier);
    QVERIFY(w->controller().keypadShown());
    auto press = [&](const QString& caption) {
      for (auto* b : w->findChildren<QPushButton*>())
        if (b->text() == caption && b->isVisible()) return b->click();
      QFAIL(qPrintable("no button " + caption));
    };
    // Krunk: the number is a circle.
    press("1");
    press("9");
    press("< back");
    press("3");
    press("Play move");
    QVERIFY(w->controller().drawing().circles[13].border == kGreen);
    press("Play move");  // nothing entered
    QCOMPARE(answerNextMessage(), QString("Enter the number of a circle first (1 to 25)."));
    w->close();
  }

  void aPendingComputerMoveDiesWithItsWindow() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Square);
    w->action("players.0")->trigger();
    w->controller().circleClicked(1);
    QVERIFY(w->controller().moveLock());
    QVERIFY(w->controller().pendingSteps() > 0);
    QPointer<GameWindow> guard(w);
    w->close();
    QTRY_VERIFY(!guard);
    QTest::qWait(1200);  // past the computer's pauses: nothing may run on the closed window
  }

  void exitWhileTheComputerWaitsAndAMessageIsOpen() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Square);
    w->action("players.0")->trigger();
    w->controller().circleClicked(1);
    QVERIFY(w->controller().computerSteps() > 0);
    w->controller().keypadEntered("0");  // a message box is open now
    auto visibleWindows = [] {
      int open = 0, boxes = 0;
      for (QWidget* top : QApplication::topLevelWidgets()) {
        open += top->isVisible();
        boxes += top->isVisible() && qobject_cast<QMessageBox*>(top);
      }
      return std::make_pair(open, boxes);
    };
    QCOMPARE(visibleWindows().second, 1);
    QPointer<GameWindow> guard(w);
    w->action("game.exit")->trigger();
    QTRY_VERIFY(!guard);
    QCOMPARE(visibleWindows().first, 0);
    QTest::qWait(1200);  // the computer's pauses have passed: nothing runs
  }

  void switchingWhileTheComputerOpensLeavesTheNewBoardAlone() {
    Shell shell;
    GameWindow* first = shell.openWindow(WindowKind::Square);
    first->action("games.0")->trigger();
    first->action("players.0")->trigger();
    first->action("game.new")->trigger();  // Red, the computer, opens this game after a pause
    QVERIFY(first->controller().moveLock());
    QVERIFY(first->action("other")->isEnabled());  // the opening announcement locks nothing
    GameWindow* second = nullptr;
    connect(&shell, &Shell::windowOpened, [&](GameWindow* w) { second = w; });
    first->switchWindow(WindowKind::Square);
    QTRY_VERIFY(second);
    QTest::qWait(2000);
    int claimed = 0;
    for (int l = 1; l <= 60; ++l) claimed += second->controller().drawing().lines[l].width == 8;
    QCOMPARE(claimed, 0);
    QVERIFY(!second->controller().moveLock());
    second->close();
  }

  void tinyAndHugeWindowsStillDrawAndClick() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Square);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->action("games.0")->trigger();
    for (QSize size : {QSize(1, 1), QSize(5000, 4000), QSize(300, 200)}) {
      w->resize(size);
      QTest::qWait(20);
      QVERIFY(!w->grab().isNull());
      QVERIFY(w->boardView()->width() > 0);
    }
    clickBoard(*w, midpoint(*w, 31));
    QCOMPARE(w->controller().drawing().lines[31].width, 8);
    w->close();
  }

  void choosingTheSquareWindowAgainFromAnotherLoadsItFresh() {
    Shell shell;
    GameWindow* first = shell.openWindow(WindowKind::Square);
    QPointer<GameWindow> guard(first);
    GameWindow* second = nullptr;
    connect(&shell, &Shell::windowOpened, [&](GameWindow* w) { second = w; });
    first->controller().circleClicked(7);
    QCOMPARE(first->controller().drawing().lines[37].width, 8);
    first->switchWindow(WindowKind::Square);
    QTRY_VERIFY(!guard);
    QVERIFY(second);
    QCOMPARE(second->controller().drawing().lines[37].width, kUnclaimedWidth);
    second->close();
  }
};

QTEST_MAIN(GameWindowTest)
#include "game_window_test.moc"
