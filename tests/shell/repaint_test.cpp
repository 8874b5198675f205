#include <QApplication>
#include <QScreen>
#include <QtTest>
#include <functional>
#include <optional>
#include <random>
#include <utility>

#include "shell/board_view.h"
#include "shell/game_window.h"
#include "shell/launcher_window.h"
#include "shell/shell.h"
#include "shell/star_field_widget.h"

using namespace kp;

// The board view repaints only the pieces a move changed, the launcher's animations only
// what moved. What a window shows after many such repaints must be exactly the picture a
// full repaint gives.
class RepaintTest : public QObject {
  Q_OBJECT

  // What the window shows now where the widget stands.
  static QImage shown(QWidget* widget) {
    QWidget* top = widget->window();
    return top->screen()
        ->grabWindow(top->winId())
        .toImage()
        .copy(QRect(widget->mapTo(top, QPoint(0, 0)), widget->size()))
        .convertToFormat(QImage::Format_RGB32);
  }
  static QImage shownBoard(GameWindow& w) { return shown(w.boardView()); }

  // What the repaints so far left on the window, against the whole board repainted afresh
  // on the same window.
  static void expectTheFullPicture(GameWindow& w, const char* when) {
    QTest::qWait(5);  // the pending repaint
    const QImage shown = shownBoard(w);
    w.boardView()->repaint();
    QVERIFY2(shown == shownBoard(w), when);
  }

  // The banner's large letters are not drawn the same to the last pixel of their edges
  // from one paint to the next, so here the board is compared by the letters' solid
  // colour: all of the banner is shown, not the part a small repaint would give.
  static void expectTheWholeBanner(GameWindow& w) {
    QTest::qWait(5);
    auto bannerPixels = [](const QImage& image) {
      int n = 0;
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == qRgb(255, 210, 0);
      return n;
    };
    const int shown = bannerPixels(shownBoard(w));
    w.boardView()->repaint();
    const int full = bannerPixels(shownBoard(w));
    QVERIFY(full > 1000);
    QVERIFY2(std::abs(shown - full) < full / 50, qPrintable(QString("%1 of %2 banner pixels").arg(shown).arg(full)));
  }

  static void closeBoxes() {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->inherits("QMessageBox")) top->close();
  }

  // Random free targets until the game is over, checking the picture every few moves.
  static void playToTheEnd(GameWindow& w, bool circles, std::uint32_t seed) {
    GameController& c = w.controller();
    std::mt19937 rng(seed);
    for (int move = 0; !c.status().gameOver && move < 200; ++move) {
      std::vector<int> free;
      const Drawing& d = c.drawing();
      if (circles) {
        for (int k = 1; k <= c.circleCount(); ++k)
          if (d.circles[k].targetVisible && d.circles[k].border == kCircleBorder) free.push_back(k);
      } else {
        for (int l = 1; l <= c.lineCount(); ++l)
          if (d.lines[l].targetVisible && d.lines[l].width == kUnclaimedWidth) free.push_back(l);
      }
      QVERIFY(!free.empty());
      const int k = free[rng() % free.size()];
      if (circles)
        c.circleClicked(k);
      else
        c.lineClicked(k);
      if (move % 3 == 0) expectTheFullPicture(w, "during the game");
    }
    QVERIFY(c.status().gameOver);
    expectTheWholeBanner(w);
    closeBoxes();
    w.action("game.new")->trigger();
    expectTheFullPicture(w, "after New game");
  }

 private slots:
  void aTolvaGameOnJoinedEdges() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Square);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->action("games.0")->trigger();
    w->action("sub.globoria")->trigger();  // a Line on an edge claims its partner too
    w->action("game.grid")->trigger();     // numbers beside the Lines and in the circles
    playToTheEnd(*w, false, 1);
    w->close();
  }

  void aSuperKrunkPlusGame() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Square);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->action("games.8")->trigger();  // circles fill, many Lines change at once
    playToTheEnd(*w, true, 2);
    w->close();
  }

  void theTriangularBoardInItsSmallerSizes() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Triangular);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->action("size.1")->trigger();  // the board shrinks: nothing of the larger one may stay
    expectTheFullPicture(*w, "mini size");
    w->controller().lineClicked(40);
    w->action("size.2")->trigger();  // no longer offered once a game has begun: nothing changes
    expectTheFullPicture(*w, "after a move");
    // The numbers stand close to the Lines and circles here: a Line's repaint must not
    // wipe its neighbour's number, nor leave one behind when the size changes.
    w->action("game.grid")->trigger();
    expectTheFullPicture(*w, "grid shown");
    closeBoxes();
    w->action("game.new")->trigger();
    w->action("size.3")->trigger();
    expectTheFullPicture(*w, "normal size again");
    w->action("games.4")->trigger();  // Super Krunk Plus: no flashes to wait for
    playToTheEnd(*w, true, 3);
    w->close();
  }

  // A result box takes a while to build; the Line that ended the game is on screen by then.
  void theLastLineIsShownWhenTheResultBoxOpens() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Square);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->action("games.0")->trigger();
    GameController& c = w->controller();
    for (int l = 1; l < c.lineCount(); ++l) c.lineClicked(l);
    QVERIFY(!c.status().gameOver);
    QTest::qWait(5);
    const Segment& last = c.geometry().lines[std::size_t(c.lineCount())];
    const QPoint middle = w->boardView()->toWidget({(last.a.x + last.b.x) / 2, (last.a.y + last.b.y) / 2}).toPoint();
    const QRgb before = shownBoard(*w).pixel(middle);

    struct BoxWatcher : QObject {
      std::function<void()> onShow;
      bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && o->inherits("QMessageBox") && onShow) std::exchange(onShow, nullptr)();
        return false;
      }
    } watcher;
    std::optional<QRgb> atBox;
    watcher.onShow = [&] { atBox = shownBoard(*w).pixel(middle); };
    qApp->installEventFilter(&watcher);
    c.lineClicked(c.lineCount());
    qApp->removeEventFilter(&watcher);
    QVERIFY(c.status().gameOver);
    QVERIFY2(atBox.has_value(), "a result box opened");
    QVERIFY2(*atBox != before, "the last Line is drawn before the box shows");
    closeBoxes();
    w->close();
  }

  void theLaunchersRingsAndStars() {
    Shell shell;
    LauncherWindow* l = shell.openLauncher();
    QVERIFY(QTest::qWaitForWindowExposed(l));
    l->ringDelay()->start(0);  // the rings at once; the stars then move on the rings' frames
    QTRY_VERIFY(l->rings()->isAnimating() && l->stars()->isAnimating());
    for (int i = 0; i < 5; ++i) {
      QTest::qWait(150);  // frames of turning rings and moving stars
      l->rings()->frames()->stop();
      QTest::qWait(30);  // the last frame's repaint
      const QImage rings = shown(l->rings()), stars = shown(l->stars());
      l->rings()->repaint();
      l->stars()->repaint();
      QVERIFY(rings == shown(l->rings()));
      QVERIFY(stars == shown(l->stars()));
      l->rings()->frames()->start();
    }
    l->close();
  }
};

QTEST_MAIN(RepaintTest)
#include "repaint_test.moc"
