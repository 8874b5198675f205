#include "shell/game_window.h"

#include <QCheckBox>

#include "message_boxes.h"
#include "shell/board_view.h"
#include "shell/qt_colour.h"
#include "shell/shell.h"
#include "support/unit_cube_window.h"

using namespace kp;

namespace {

// The middle of the stroke drawn at a Line's place.
QPointF midpoint(GameWindow& w, int place) {
  const Stroke s = w.controller().scene().strokes[std::size_t(place - 1)];
  return w.boardView()->toWidget({(s.a.x + s.b.x) / 2, (s.a.y + s.b.y) / 2});
}

void clickBoard(GameWindow& w, QPointF at) { QTest::mouseClick(w.boardView(), Qt::LeftButton, {}, at.toPoint()); }

int claimedLines(GameWindow& w) {
  return int(std::ranges::count(w.controller().drawing().lines, kClaimedWidth, &LineDraw::width));
}

// The square window, shown; it opens on Krunk.
GameWindow* openSquare(Shell& shell) {
  GameWindow* w = shell.openWindow(WindowKind::Square);
  if (!QTest::qWaitForWindowExposed(w)) qWarning("the window was not exposed");
  return w;
}

}  // namespace

class GameWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // A board in space: a click on a drawn place claims the Line the view shown puts there,
  // and the picture shows it at that place.
  void aClickReachesTheLineTheViewPutsThere() {
    Shell shell;
    auto* w = new GameWindow(shell, WindowKind::Cube, [](Host& h, ProgramState& p) {
      return std::make_unique<kp::testing::UnitCubeWindow>(h, p);
    });
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QList<QPushButton*> turns;
    for (auto* b : w->findChildren<QPushButton*>())
      if (b->text() == ">") turns.push_back(b);
    QCOMPARE(turns.size(), 2);
    turns.front()->click();
    const int there = w->controller().views().current().line(1);
    QVERIFY(w->controller().views().number() == 2 && there != 1);
    clickBoard(*w, midpoint(*w, 1));
    QCOMPARE(w->controller().drawing().lines[std::size_t(there)].colour, kBlue);
    QCOMPARE(w->controller().drawing().lines[1].width, kUnclaimedWidth);
    QCOMPARE(w->boardView()->grab().toImage().pixelColor(midpoint(*w, 1).toPoint()), toQColor(kBlue));
    // The check box drawn on the board, not in the panel, takes its click there.
    QVERIFY(w->findChildren<QCheckBox*>().isEmpty());
    QVERIFY(w->controller().scene().strokes[2].dotted);
    clickBoard(*w, w->boardView()->toWidget({20, 312}));
    QVERIFY(!w->controller().controlNamed("Dotted back")->checked && !w->controller().scene().strokes[2].dotted);
    delete w;
  }

  // The menus as the model builds them, then clicks on the board at two sizes.
  void theMenusAndAClickOnADrawnLineReachTheModel() {
    Shell shell;
    GameWindow* w = openSquare(shell);
    // Other Games: three bold headings that take no clicks, two separators, 13 entries.
    const QList<QAction*> other = w->action("other")->menu()->actions();
    QStringList headings;
    for (QAction* a : other)
      if (a->font().bold() && !a->isEnabled()) headings << a->text();
    QCOMPARE(headings, QStringList({"Planor Plexa 2014 in 2D (THIS VERSION!)", "Krunk Plexa 2014 in 3D",
                                    "Quadrion Plexa 2014 in 4D"}));
    QCOMPARE(std::ranges::count_if(other, &QAction::isSeparator), 2);
    QCOMPARE(other.size(), 3 + 2 + 13);
    QVERIFY(w->action("other.1")->isChecked() && !w->action("other.1")->isEnabled());
    for (auto [id, key] :
         {std::pair{"game.new", "F5"}, {"game.exit", "F9"}, {"game.about", "F2"}, {"help.rules", "F1"}})
      QCOMPARE(w->action(id)->shortcut(), QKeySequence(key));
    // A window not in this version says so and this one stays open.
    QPointer<GameWindow> guard(w);
    w->action("other.13")->trigger();
    QCOMPARE(answerNextMessage().value(1), QString("Quadrion Krunk is not in this version yet."));
    QVERIFY(guard && w->isVisible());

    // The window opens on Krunk: the circles take the clicks, the Lines none.
    clickBoard(*w, midpoint(*w, 7));
    QCOMPARE(claimedLines(*w), 0);
    clickBoard(*w, w->boardView()->toWidget(w->controller().geometry().circles[7]));
    QCOMPARE(w->controller().drawing().circles[7].border, kGreen);
    for (const char* id : {"game.new", "games.0"}) w->action(id)->trigger();
    w->action("sub.globoria")->trigger();
    QVERIFY(w->action("sub.globoria")->isChecked() && !w->action("sub.planor")->isChecked());
    clickBoard(*w, midpoint(*w, 1));
    QCOMPARE(w->controller().drawing().lines[1].colour, kBlue);
    QVERIFY(!w->action("sub")->isEnabled() && !w->action("other")->isEnabled());
    // A click in the middle of a Cell, far from every Line, claims nothing.
    clickBoard(*w, w->boardView()->toWidget(w->controller().geometry().circles[13]));
    QCOMPARE(claimedLines(*w), 2);  // Line 1 and its partner on the joined edge
    clickBoard(*w, midpoint(*w, 1));
    QCOMPARE(answerNextMessage().value(1), QString("Invalid move!"));
    // The board grows with the window, and a click still finds its Line.
    const QSize small = w->boardView()->size();
    const QPointF before = midpoint(*w, 60);
    w->resize(1400, 1000);
    QTest::qWait(20);
    QVERIFY(w->boardView()->width() > small.width() && midpoint(*w, 60).y() > before.y());
    clickBoard(*w, midpoint(*w, 31));
    QCOMPARE(w->controller().drawing().lines[31].width, kClaimedWidth);
    w->close();
  }

  void theKeypadTakesItsButtonsAndTypedKeys() {
    Shell shell;
    GameWindow* w = openSquare(shell);
    auto activate = [w] {
      w->activateWindow();  // also back from a message box
      QVERIFY(QTest::qWaitForWindowActive(w));
    };
    auto border = [w](int circle) { return w->controller().drawing().circles[std::size_t(circle)].border; };
    activate();
    QTest::keyClick(w, Qt::Key_F1, Qt::ControlModifier);
    QVERIFY(w->controller().keypadShown());
    for (QString caption : {"1", "9", "< back", "3", "Play move"})
      for (QPushButton* b : w->findChildren<QPushButton*>())
        if (b->text() == caption) b->click();
    QCOMPARE(border(13), kGreen);  // Krunk: the number is a circle

    // Typed keys work the keypad wherever the focus is, and the menus keep their keys.
    QWidget* list = w->findChild<QListWidget*>();
    auto type = [&](std::initializer_list<int> keys) {
      activate();
      list->setFocus();
      for (int k : keys) QTest::keyClick(list, Qt::Key(k));
    };
    type({Qt::Key_2, Qt::Key_5, Qt::Key_Backspace, Qt::Key_1, Qt::Key_Return});
    QCOMPARE(border(21), kGreen);
    type({Qt::Key_4, Qt::Key_Escape, Qt::Key_Enter});
    QCOMPARE(answerNextMessage().value(1), QString("Enter the number of a circle first (1 to 25)."));
    type({Qt::Key_F12});
    QVERIFY(w->controller().gridShown() && w->action("game.grid")->isChecked());
    QTest::keyClick(w, Qt::Key_F1, Qt::ControlModifier);  // a hidden keypad takes no keys
    type({Qt::Key_7, Qt::Key_Return});
    QCOMPARE(border(7), kCircleBorder);
    w->close();
  }

  // At any size, the smallest included: every status label whole and apart from the
  // others, every Line's number on the board, clear of the other numbers and of the
  // circles, and nearer to its own Line than to any other.
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
        auto place = [w](QLabel* l) { return QRect(l->mapTo(w, QPoint()), l->size()); };
        for (QLabel* a : labels) {
          if (!a->isVisible()) continue;
          const QFontMetrics m = a->fontMetrics();
          QVERIFY2(a->wordWrap() ? a->height() >= a->heightForWidth(a->width())
                                 : a->width() >= m.horizontalAdvance(a->text()) && a->height() >= m.height(),
                   qPrintable(a->text()));
          for (QLabel* b : labels)
            QVERIFY2(a == b || !b->isVisible() || !place(a).intersects(place(b)),
                     qPrintable(a->text() + " / " + b->text()));
        }
        for (int l = 1; l <= w->controller().lineCount(); ++l) {
          const QPolygonF number = view->numberLabel(std::size_t(l - 1));
          const QPointF centre = number.boundingRect().center();
          auto distance = [&](int k) {
            const QPointF a = view->toWidget(g.lines[k].a), b = view->toWidget(g.lines[k].b);
            const double t =
                std::clamp(QPointF::dotProduct(centre - a, b - a) / QPointF::dotProduct(b - a, b - a), 0.0, 1.0);
            return QLineF(centre, a + t * (b - a)).length();
          };
          QVERIFY(view->rect().contains(number.boundingRect().toRect()));
          for (int k = 1; k <= w->controller().lineCount(); ++k)
            QVERIFY2(k == l || (distance(l) < distance(k) && (k > l || !number.intersects(view->numberLabel(std::size_t(k - 1))))),
                     qPrintable(QString("Line %1 beside Line %2").arg(l).arg(k)));
          QPainterPath ink;
          ink.addPolygon(number);
          for (std::size_t k = 1; k < g.circles.size(); ++k) {
            const QPointF middle = view->toWidget(g.circles[k]);
            const double r = view->toWidget({g.circles[k].x + g.circleRadius, g.circles[k].y}).x() - middle.x();
            QPainterPath circle;
            circle.addEllipse(middle, r, r);
            QVERIFY2(!circle.intersects(ink), qPrintable(QString("Line %1 on a circle").arg(l)));
          }
        }
      }
      w->close();
    }
  }

  // Neither a switch nor Exit while the computer waits leaves a step to run: the switch
  // loads a fresh board that stays untouched, Exit closes every window and box.
  void leavingWhileTheComputerWaitsLeavesNothingRunning() {
    Shell shell;
    GameWindow* first = openSquare(shell);
    for (const char* id : {"games.0", "players.0"}) first->action(id)->trigger();
    first->action("game.new")->trigger();  // Red, the computer, opens this game after a pause
    QVERIFY(first->controller().moveLock());
    QPointer<GameWindow> guard(first);
    GameWindow* w = nullptr;
    connect(&shell, &Shell::windowOpened, [&](GameWindow* opened) { w = opened; });
    first->switchWindow(WindowKind::Square);
    QTRY_VERIFY(w && !guard);
    QTest::qWait(2000);
    QCOMPARE(claimedLines(*w), 0);
    QVERIFY(!w->controller().moveLock());
    QCOMPARE(w->controller().status().gameCaption, std::string("Game = Krunk"));

    w->action("players.0")->trigger();
    w->controller().circleClicked(1);
    QVERIFY(w->controller().computerSteps() > 0);
    w->controller().keypadEntered("0");  // a message box is open now
    QVERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
    guard = w;
    w->action("game.exit")->trigger();
    QTRY_VERIFY(!guard);
    QVERIFY(std::ranges::none_of(QApplication::topLevelWidgets(), &QWidget::isVisible));
    QTest::qWait(1200);  // the computer's pauses have passed: nothing runs
  }
};

QTEST_MAIN(GameWindowTest)
#include "game_window_test.moc"
