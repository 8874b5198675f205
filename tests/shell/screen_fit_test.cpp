#include <QtTest>
#include <QtWidgets>

#include "core/window_catalogue.h"
#include "shell/board_view.h"
#include "shell/game_window.h"
#include "shell/launcher_window.h"
#include "shell/shell.h"

using namespace kp;

// On a screen smaller than the windows want (tests/CMakeLists.txt): every window opens inside
// the available area, centred, and a Line scrolled into view takes a click routed by the window.
class ScreenFitTest : public QObject {
  Q_OBJECT
 private slots:
  void everyWindowFitsAndAScrolledBoardTakesClicksWhereTheyLand() {
    Shell shell;
    int clicks = 0;
    std::vector<QWidget*> windows = {shell.openLauncher()};
    for (const WindowEntry& row : windowCatalogue()) windows.push_back(shell.openWindow(row.kind));
    for (QWidget* w : windows) {
      QVERIFY(QTest::qWaitForWindowExposed(w));
      QTest::qWait(10);
      const QRect room = w->screen()->availableGeometry(), frame = w->frameGeometry();
      QVERIFY2(room.contains(frame) && (frame.center() - room.center()).manhattanLength() <= 2, w->metaObject()->className());
      auto* g = qobject_cast<GameWindow*>(w);
      auto* area = g ? qobject_cast<QScrollArea*>(g->boardView()->parentWidget()->parentWidget()) : nullptr;
      if (!area) continue;
      const WindowKind kind = g->controller().kind();
      g->action(kind == WindowKind::Cube || kind == WindowKind::Wall ? "games.1" : "games.0")->trigger();  // Tolva
      BoardView* view = g->boardView();
      for (int y = view->height() - 5, x; y > 0; y -= 7)
        for (x = view->width() - 5; x > 0; x -= 7)
          if (const Target t = view->targetAt(QPointF(x, y));
              t.kind == Target::Kind::Line && !area->viewport()->rect().contains(view->mapTo(area->viewport(), QPoint(x, y)))) {
            area->ensureVisible(x, y);
            QTest::qWait(10);
            QCOMPARE(w->childAt(view->mapTo(w, QPoint(x, y))), view);
            QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, view->mapTo(w, QPoint(x, y)));
            QVERIFY(g->controller().rules().owner(g->controller().views().current().line(t.id)) != 0);
            x = y = 0;
            ++clicks;
          }
    }
    QVERIFY(clicks > 0);
  }
};

QTEST_MAIN(ScreenFitTest)
#include "screen_fit_test.moc"
