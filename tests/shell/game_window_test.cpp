#include "shell/game_window.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainterPath>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <algorithm>

#include "boards/flat/square_window.h"
#include "shell/board_view.h"
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

  // Opens the square window, shown, optionally on Tolva.
  static GameWindow* openSquare(Shell& shell, bool tolva = false) {
    GameWindow* w = shell.openWindow(WindowKind::Square);
    if (!QTest::qWaitForWindowExposed(w)) qWarning("the window was not exposed");
    if (tolva) w->action("games.0")->trigger();
    return w;
  }

  static int claimedLines(GameWindow& w) {
    int n = 0;
    for (int l = 1; l <= 60; ++l) n += w.controller().drawing().lines[l].width == kClaimedWidth;
    return n;
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
  void aClickOnADrawnLineClaimsItAndTheMenusFollow() {
    Shell shell;
    GameWindow* w = openSquare(shell);
    clickBoard(*w, midpoint(*w, 7));
    QCOMPARE(claimedLines(*w), 0);  // the window opens on Krunk: Lines have no targets
    w->action("games.0")->trigger();
    w->action("sub.globoria")->trigger();
    QVERIFY(w->action("sub.globoria")->isChecked() && !w->action("sub.planor")->isChecked());
    QCOMPARE(shell.program().subLevel, 1);
    clickBoard(*w, midpoint(*w, 1));
    QCOMPARE(w->controller().drawing().lines[1].colour, kBlue);
    QCOMPARE(w->controller().drawing().lines[26].width, kClaimedWidth);  // the joined edge
    QCOMPARE(w->controller().status().turnText, std::string("No score    Red's turn."));
    QVERIFY(!w->action("sub")->isEnabled() && !w->action("other")->isEnabled());
    // A click in the middle of a Cell, far from every Line, claims nothing.
    clickBoard(*w, w->boardView()->toWidget(w->controller().geometry().circles[13]));
    QCOMPARE(claimedLines(*w), 2);
    clickBoard(*w, midpoint(*w, 1));
    QCOMPARE(answerNextMessage(), QString("Invalid move!"));
    w->close();
  }

  void otherGamesMenuIsBuiltInThreeGroups() {
    Shell shell;
    GameWindow* w = openSquare(shell);
    QMenu* other = w->action("other")->menu();
    QVERIFY(other && w->action("other")->text() == "&Other Games");
    QStringList headings, entries;
    int separators = 0;
    for (QAction* a : other->actions()) {
      if (a->isSeparator())
        ++separators;
      else if (a->font().bold() && !a->isEnabled())
        headings << a->text();
      else
        entries << a->text();
    }
    QCOMPARE(separators, 2);
    QCOMPARE(headings, QStringList({"Planor Plexa 2014 in 2D (THIS VERSION!)", "Krunk Plexa 2014 in 3D",
                                    "Quadrion Plexa 2014 in 4D"}));
    QCOMPARE(entries.size(), 13);
    QCOMPARE(entries.first(), QString("2D - Beginner's Planor and Globoria"));
    QVERIFY(w->action("other.1")->isChecked() && !w->action("other.1")->isEnabled());
    for (auto [id, key] :
         {std::pair{"game.new", "F5"}, {"game.exit", "F9"}, {"game.about", "F2"}, {"help.rules", "F1"}})
      QCOMPARE(w->action(id)->shortcut(), QKeySequence(key));
    // A window not in this version says so and this one stays open.
    QPointer<GameWindow> guard(w);
    w->action("other.13")->trigger();
    QCOMPARE(answerNextMessage(), QString("Quadrion Krunk is not in this version yet."));
    QVERIFY(guard && w->isVisible());
    w->close();
  }

  void theKeypadPlaysTheEnteredNumber() {
    Shell shell;
    GameWindow* w = openSquare(shell);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_F1, Qt::ControlModifier);
    QVERIFY(w->controller().keypadShown());
    auto press = [&](const QString& caption) {
      for (auto* b : w->findChildren<QPushButton*>())
        if (b->text() == caption && b->isVisible()) return b->click();
      QFAIL(qPrintable("no button " + caption));
    };
    for (const char* key : {"1", "9", "< back", "3", "Play move"}) press(key);
    QCOMPARE(w->controller().drawing().circles[13].border, kGreen);  // Krunk: the number is a circle
    press("Play move");                                              // nothing entered
    QCOMPARE(answerNextMessage(), QString("Enter the number of a circle first (1 to 25)."));

    // Typed keys work the keypad wherever the focus is, and the menus keep their keys.
    QWidget* list = w->findChild<QListWidget*>();
    auto type = [&](std::initializer_list<int> keys) {
      w->activateWindow();  // back from a message box
      QVERIFY(QTest::qWaitForWindowActive(w));
      list->setFocus();
      for (int k : keys) QTest::keyClick(list, Qt::Key(k));
    };
    type({Qt::Key_2, Qt::Key_5, Qt::Key_Backspace, Qt::Key_1, Qt::Key_Return});
    QCOMPARE(w->controller().drawing().circles[21].border, kGreen);
    type({Qt::Key_4, Qt::Key_Escape, Qt::Key_Enter});
    QCOMPARE(answerNextMessage(), QString("Enter the number of a circle first (1 to 25)."));
    type({Qt::Key_F12});
    QVERIFY(w->controller().gridShown() && w->action("game.grid")->isChecked());
    // A hidden keypad takes no keys.
    QTest::keyClick(w, Qt::Key_F1, Qt::ControlModifier);
    type({Qt::Key_7, Qt::Key_Return});
    QCOMPARE(w->controller().drawing().circles[7].border, kCircleBorder);
    w->close();
  }

  // At any size, the smallest included: every status label whole and apart from the
  // others, every Line's number clear of the other numbers and of the circles, and nearer
  // to its own Line than to any other.
  void theLabelsAndTheGridNumbersHoldTogether() {
    Shell shell;
    for (WindowKind kind : {WindowKind::Square, WindowKind::Triangular}) {
      GameWindow* w = shell.openWindow(kind);
      QVERIFY(QTest::qWaitForWindowExposed(w));
      for (const char* id : {"game.grid", "game.keypad"}) w->action(id)->trigger();
      w->controller().keypadEntered("1");  // the texts of a game under way
      const BoardGeometry& g = w->controller().geometry();
      BoardView* view = w->boardView();
      for (QSize size : {QSize(1, 1), QSize(940, 660)}) {
        w->resize(size);
        QTest::qWait(20);
        const QList<QLabel*> labels = w->findChildren<QLabel*>();
        for (QLabel* a : labels) {
          if (!a->isVisible()) continue;
          const QRect at(a->mapTo(w, QPoint()), a->size());
          const QSize need = a->wordWrap()
                                 ? QSize(0, a->heightForWidth(a->width()))
                                 : QSize(a->fontMetrics().horizontalAdvance(a->text()), a->fontMetrics().height());
          QVERIFY2(a->width() >= need.width() && a->height() >= need.height(), qPrintable(a->text()));
          for (QLabel* b : labels)
            QVERIFY2(a == b || !b->isVisible() || !at.intersects(QRect(b->mapTo(w, QPoint()), b->size())),
                     qPrintable(a->text() + " / " + b->text()));
        }
        for (int l = 1; l <= w->controller().lineCount(); ++l) {
          const QPolygonF number = view->lineLabel(l);
          const QPointF centre = number.boundingRect().center();
          auto distance = [&](int k) {
            const QPointF a = view->toWidget(g.lines[k].a), b = view->toWidget(g.lines[k].b);
            const double t =
                std::clamp(QPointF::dotProduct(centre - a, b - a) / QPointF::dotProduct(b - a, b - a), 0.0, 1.0);
            return QLineF(centre, a + t * (b - a)).length();
          };
          QVERIFY(view->rect().contains(number.boundingRect().toRect()));
          for (int k = 1; k <= w->controller().lineCount(); ++k)
            QVERIFY2(k == l || (distance(l) < distance(k) && (k > l || !number.intersects(view->lineLabel(k)))),
                     qPrintable(QString("Line %1 beside Line %2").arg(l).arg(k)));
          QPainterPath ink;
          ink.addPolygon(number);
          for (std::size_t k = 1; k < g.circles.size(); ++k) {
            const Point2& c = g.circles[k];
            const QPointF middle = view->toWidget(c);
            const double r = view->toWidget({c.x + g.circleRadius, c.y}).x() - middle.x();
            QPainterPath circle;
            circle.addEllipse(middle, r, r);
            QVERIFY2(!circle.intersects(ink), qPrintable(QString("Line %1 on a circle").arg(l)));
          }
        }
      }
      w->close();
    }
  }

  void exitWhileTheComputerWaitsAndAMessageIsOpen() {
    Shell shell;
    GameWindow* w = openSquare(shell);
    w->action("players.0")->trigger();
    w->controller().circleClicked(1);
    QVERIFY(w->controller().computerSteps() > 0);
    w->controller().keypadEntered("0");  // a message box is open now
    auto visible = [](bool boxesOnly) {
      return std::ranges::count_if(QApplication::topLevelWidgets(), [&](QWidget* top) {
        return top->isVisible() && (!boxesOnly || qobject_cast<QMessageBox*>(top));
      });
    };
    QCOMPARE(visible(true), 1);
    QPointer<GameWindow> guard(w);
    w->action("game.exit")->trigger();
    QTRY_VERIFY(!guard);
    QCOMPARE(visible(false), 0);
    QTest::qWait(1200);  // the computer's pauses have passed: nothing runs
  }

  void switchingWhileTheComputerOpensLoadsAFreshBoardLeftAlone() {
    Shell shell;
    GameWindow* first = shell.openWindow(WindowKind::Square);
    QPointer<GameWindow> guard(first);
    first->action("games.0")->trigger();
    first->action("players.0")->trigger();
    first->action("game.new")->trigger();  // Red, the computer, opens this game after a pause
    QVERIFY(first->controller().moveLock());
    QVERIFY(first->action("other")->isEnabled());  // the opening announcement locks nothing
    GameWindow* second = nullptr;
    connect(&shell, &Shell::windowOpened, [&](GameWindow* w) { second = w; });
    first->switchWindow(WindowKind::Square);
    QTRY_VERIFY(second && !guard);
    QTest::qWait(2000);
    QCOMPARE(claimedLines(*second), 0);
    QVERIFY(!second->controller().moveLock());
    QCOMPARE(second->controller().status().gameCaption, std::string("Game = Krunk"));
    second->close();
  }

  void theBoardScalesWithTheWindowFromTinyToHuge() {
    Shell shell;
    GameWindow* w = openSquare(shell, true);
    w->resize(500, 400);
    QTest::qWait(20);
    const QSize small = w->boardView()->size();
    const QPointF a = midpoint(*w, 60);
    w->resize(1400, 1000);
    QTest::qWait(20);
    QVERIFY(w->boardView()->width() > small.width() && midpoint(*w, 60).y() > a.y());
    for (QSize size : {QSize(1, 1), QSize(5000, 4000), QSize(300, 200)}) {
      w->resize(size);
      QTest::qWait(20);
      QVERIFY(!w->grab().isNull());
      QVERIFY(w->boardView()->width() > 0);
    }
    clickBoard(*w, midpoint(*w, 31));
    QCOMPARE(w->controller().drawing().lines[31].width, kClaimedWidth);
    w->close();
  }
};

QTEST_MAIN(GameWindowTest)
#include "game_window_test.moc"
