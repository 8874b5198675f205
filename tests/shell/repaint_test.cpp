#include <QtTest>
#include <QtWidgets>
#include <random>

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
    const QImage window = top->screen()->grabWindow(top->winId()).toImage();
    return window.copy(QRect(widget->mapTo(top, QPoint(0, 0)), widget->size())).convertToFormat(QImage::Format_RGB32);
  }

  // What the repaints so far left on the widget, against the widget repainted afresh. The
  // banner's large letters are not drawn the same to the last pixel of their edges from one
  // paint to the next: with `banner`, only the letters' solid colour counts, and a fiftieth
  // of it may differ (a partial repaint would show a part of the letters).
  static void expectTheFullPicture(QWidget* widget, const char* when, bool banner = false) {
    QTest::qWait(5);  // the pending repaint
    const QImage before = shown(widget);
    widget->repaint();
    const QImage after = shown(widget);
    const QRgb solid = qRgb(255, 210, 0);
    int differ = 0, letters = 0;
    for (int y = 0; y < after.height(); ++y)
      for (int x = 0; x < after.width(); ++x) {
        const QRgb a = before.pixel(x, y), b = after.pixel(x, y);
        letters += b == solid;
        differ += a != b && (!banner || a == solid || b == solid);
      }
    QVERIFY2(banner ? letters > 1000 && differ < letters / 50 : differ == 0,
             qPrintable(QString("%1: %2 pixels differ").arg(when).arg(differ)));
  }

  static void closeBoxes() {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->inherits("QMessageBox")) top->close();
  }

 private slots:
  // Random free targets until the game is over, the picture checked every few moves.
  void wholeGamesOfRandomMoves() {
    const struct {
      WindowKind kind;
      std::vector<const char*> setUp, afterwards;
      bool circles;
    } games[] = {
        // Tolva on Globoria with the grid: a Line on an edge claims its partner too, and
        // numbers stand beside the Lines and in the circles.
        {WindowKind::Square, {"games.0", "sub.globoria", "game.grid"}, {"game.new"}, false},
        // Super Krunk Plus: circles fill, many Lines change at once.
        {WindowKind::Square, {"games.8"}, {"game.new"}, true},
        // The smallest triangular board, its numbers close to the Lines and circles: a
        // repaint must not wipe a neighbour's number, nor leave the smaller board behind.
        {WindowKind::Triangular, {"games.4", "size.1", "game.grid"}, {"game.new", "size.3"}, true},
        // The largest square board, then the smallest; the house's shading under its Lines;
        // the torus's near side over its far side.
        {WindowKind::LargeSquare, {"size.9", "games.0"}, {"game.new", "size.5"}, false},
        {WindowKind::House, {"games.0", "game.grid"}, {"game.new"}, false},
        {WindowKind::Torus, {"games.2"}, {"game.new"}, true},
        // The Great Wall with its numbers, then the smallest wall drawn larger in its place.
        {WindowKind::Wall, {"sub.3", "games.1", "game.grid"}, {"game.new", "sub.1"}, false},
        // Long slanting Lines crossing each other, drawn in several strokes each, under labels:
        // a claim repaints only the strokes that come near it.
        {WindowKind::Wireframe, {"games.0", "game.grid"}, {"game.new"}, false},
        {WindowKind::Quadrion, {"games.0", "game.grid"}, {"game.new"}, false},
    };
    std::mt19937 rng(1);
    for (const auto& game : games) {
      Shell shell;
      GameWindow* w = shell.openWindow(game.kind);
      QVERIFY(QTest::qWaitForWindowExposed(w));
      for (const char* id : game.setUp) {
        w->action(id)->trigger();
        expectTheFullPicture(w->boardView(), id);
      }
      GameController& c = w->controller();
      const Drawing& d = c.drawing();
      for (int move = 0; !c.status().gameOver && move < 200; ++move) {
        std::vector<int> free;
        for (int k = 1; k <= (game.circles ? c.circleCount() : c.lineCount()); ++k)
          if (game.circles ? d.circles[k].targetVisible && d.circles[k].border == kCircleBorder
                           : d.lines[k].targetVisible && !c.rules().claimed(k))
            free.push_back(k);
        QVERIFY(!free.empty());
        const int k = free[rng() % free.size()];
        game.circles ? c.circleClicked(k) : c.lineClicked(k);
        // (The last move brings the banner.)
        if (move % 3 == 0) expectTheFullPicture(w->boardView(), "during the game", c.status().gameOver);
      }
      QVERIFY(c.status().gameOver);
      expectTheFullPicture(w->boardView(), "game over", true);
      closeBoxes();
      for (const char* id : game.afterwards) {
        w->action(id)->trigger();
        expectTheFullPicture(w->boardView(), id);
      }
      w->close();
    }
  }

  // The tesseract is drawn with square-ended Lines while it turns and round-ended ones at
  // rest: turned and turned back, it shows what it showed before, to the last pixel.
  void aTesseractTurnedAndTurnedBackLooksAsBefore() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Wireframe);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    GameController& c = w->controller();
    for (int line : {2, 12, 8, 5}) c.lineClicked(line);
    QTest::qWait(5);
    const QImage before = shown(w->boardView());
    for (auto [turn, back] : {std::pair{"rot.left", "rot.right"}, {"in.up", "in.down"}})
      for (const char* id : {turn, back}) {
        c.controlPressed(id);
        QTest::qWait(60);  // part way
        QVERIFY2(c.scene().moving, id);
        QTRY_VERIFY_WITH_TIMEOUT(!c.scene().moving, 2000);
      }
    QTest::qWait(5);
    QCOMPARE(shown(w->boardView()), before);
  }

  // A result box takes a while to build: the Line that ended the game is on screen by
  // the time the box opens.
  void theLastLineIsShownWhenTheResultBoxOpens() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Square);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->action("games.0")->trigger();
    GameController& c = w->controller();
    for (int l = 1; l < c.lineCount(); ++l) c.lineClicked(l);
    QTest::qWait(5);
    const Segment& last = c.geometry().lines[std::size_t(c.lineCount())];
    const QPoint middle = w->boardView()->toWidget({(last.a.x + last.b.x) / 2, (last.a.y + last.b.y) / 2}).toPoint();
    const QRgb before = shown(w->boardView()).pixel(middle);
    c.lineClicked(c.lineCount());  // the box opens within; no event is handled before the next line
    QVERIFY(QApplication::activeModalWidget());
    QVERIFY2(shown(w->boardView()).pixel(middle) != before, "the last Line is drawn before the box shows");
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
      expectTheFullPicture(l->rings(), "rings");
      expectTheFullPicture(l->stars(), "stars");
      l->rings()->frames()->start();
    }
    l->close();
  }
};

QTEST_MAIN(RepaintTest)
#include "repaint_test.moc"
