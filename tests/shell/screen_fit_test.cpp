#include <QtTest>
#include <QtWidgets>

#include "core/window_catalogue.h"
#include "shell/board_view.h"
#include "shell/game_window.h"
#include "shell/launcher_window.h"
#include "shell/shell.h"

using namespace kp;

// Run on a screen smaller than the windows want (see tests/CMakeLists.txt): every window
// opens inside the screen's available area, and a board that does not fit scrolls in its
// area, a click on it still claiming the Line drawn where it lands.
class ScreenFitTest : public QObject {
  Q_OBJECT

  static void expectOnScreen(QWidget* w, const char* name) {
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTest::qWait(10);  // the check once shown
    const QRect room = w->screen()->availableGeometry();
    QVERIFY2(room.contains(w->frameGeometry()), name);
    // Centred, where it is smaller than the room.
    const QPoint off = w->frameGeometry().center() - room.center();
    QVERIFY2(std::abs(off.x()) <= 1 && std::abs(off.y()) <= 1, name);
  }

 private slots:
  void everyWindowOpensInsideTheScreen() {
    Shell shell;
    LauncherWindow* launcher = shell.openLauncher();
    expectOnScreen(launcher, "launcher");
    delete launcher;
    for (const WindowEntry& row : windowCatalogue()) {
      GameWindow* w = shell.openWindow(row.kind);
      QVERIFY(w);
      expectOnScreen(w, row.name);
      // The board is whole at its own size under the scroll bars, never squeezed.
      BoardView* view = w->boardView();
      QVERIFY2(view->width() >= view->minimumWidth() && view->height() >= view->minimumHeight(), row.name);
      delete w;
    }
  }

  // A Line drawn beyond the part of the picture shown at first, scrolled into view: a press
  // there, routed by the window as a person's, claims the Line the board view finds under it.
  void aScrolledBoardTakesClicksWhereTheyLand() {
    Shell shell;
    int scrolled = 0;
    for (auto [kind, game] : {std::pair{WindowKind::Cube, "games.1"}, {WindowKind::Wireframe, "games.0"}}) {
      GameWindow* w = shell.openWindow(kind);
      QVERIFY(QTest::qWaitForWindowExposed(w));
      w->action(game)->trigger();  // Tolva
      BoardView* view = w->boardView();
      auto* area = qobject_cast<QScrollArea*>(view->parentWidget()->parentWidget());
      QVERIFY(area && area->horizontalScrollBar()->maximum() > 0);
      QPoint at;
      Target target;
      for (int y = view->height() - 5; y > 0 && !target; y -= 3)
        for (int x = view->width() - 5; x > 0 && !target; x -= 3)
          if (const Target t = view->targetAt(QPointF(x, y));
              t.kind == Target::Kind::Line && !area->viewport()->rect().contains(x, y)) {
            target = t;
            at = QPoint(x, y);
          }
      if (!target) continue;  // only a strip without Lines is hidden
      ++scrolled;
      area->ensureVisible(at.x(), at.y());
      QTest::qWait(10);
      QVERIFY(area->horizontalScrollBar()->value() > 0 || area->verticalScrollBar()->value() > 0);
      const QPoint inWindow = view->mapTo(w, at);
      QCOMPARE(w->childAt(inWindow), view);
      QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, inWindow);
      QTest::qWait(10);
      const int line = w->controller().views().current().line(target.id);
      QVERIFY2(w->controller().rules().owner(line) != 0, qPrintable(QString("line %1").arg(line)));
      QCOMPARE(w->controller().rules().claimedLineCount(), 1);
      delete w;
    }
    QVERIFY(scrolled > 0);
  }
};

QTEST_MAIN(ScreenFitTest)
#include "screen_fit_test.moc"
