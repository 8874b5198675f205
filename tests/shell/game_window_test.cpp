#include "shell/game_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QStatusTipEvent>
#include <QThread>
#include <atomic>
#include <memory>
#include <tuple>

#include "boards/cube/cube_window.h"
#include "core/window_catalogue.h"
#include "message_boxes.h"
#include "shell/board_view.h"
#include "shell/help_window.h"
#include "shell/qt_colour.h"
#include "shell/shell.h"
#include "support/hard_tolva_position.h"
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

// Counts the paint events of the widget it watches.
struct PaintCounter : QObject {
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    paints += e->type() == QEvent::Paint;
    return false;
  }
};

}  // namespace

class GameWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // A board in space: a click on a drawn place claims the Line the view shown puts there,
  // and the picture shows it at that place.
  void aClickReachesTheLineTheViewPutsThere() {
    Shell shell;
    auto* w = new GameWindow(shell, [](Host& h, ProgramState& p) {
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

  // The cube: its picture keeps its size when the window grows, and a click in a click
  // region claims the Line the view shown puts there.
  void theCubesFixedPictureTakesClicksThroughItsView() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Cube);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->windowTitle(), QString("Krunk Plexa 2014 in 3D  -  Plexa Ultra Squared and Ultra Krunked"));
    w->action("games.1")->trigger();  // Tolva
    w->resize(w->width() + 200, w->height() + 100);
    QTest::qWait(20);
    const Shape region = w->controller().scene().shapes[CubeWindow::kSquares];  // region 0, on place 1
    QCOMPARE(region.target, Target::line(1));
    const QPointF at = w->boardView()->toWidget(region.points[0]);
    QCOMPARE(at, QPointF(region.points[0].x / 15, region.points[0].y / 15));
    for (auto* b : w->findChildren<QPushButton*>())
      if (b->text() == "<<") b->click();
    const int there = w->controller().views().current().line(1);
    QVERIFY(there != 1);
    clickBoard(*w, w->boardView()->toWidget({(region.points[0].x + region.points[1].x) / 2,
                                             (region.points[0].y + region.points[1].y) / 2}));
    QCOMPARE(w->controller().drawing().lines[std::size_t(there)].colour, kBlue);
    QCOMPARE(w->controller().rules().claimedLineCount(), 1);
  }

  // The tetrahedron: a click on a Line's number claims the Line the view shows there.
  void aClickOnALinesNumberClaimsIt() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Tetrahedron);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->action("games.0")->trigger();  // Tolva on the Easy board
    for (auto* b : w->findChildren<QPushButton*>())
      if (b->text() == "<<") b->click();
    QTest::qWait(20);
    clickBoard(*w, w->boardView()->numberLabel(0).boundingRect().center());  // the number at place 1
    QCOMPARE(w->controller().rules().owner(2), 2);  // in view 2 place 1 shows Line 2, now Blue's
    QCOMPARE(w->controller().rules().claimedLineCount(), 1);
  }

  // The tetrahedron's two boards and the 4D board, in every view: each marker shows inside
  // itself the triangle it plays, off the Line numbers (that no two markers meet is the window
  // fuzzer's check). F12 and Ctrl+F1 work in a game.
  void theMarkersShowTheirTrianglesApart() {
    Shell shell;
    for (auto [kind, game, views] : {std::tuple{WindowKind::Tetrahedron, "games.5", 3},
                                     {WindowKind::Tetrahedron, "games.8", 3},
                                     {WindowKind::Triangular4d, "games.2", 5}}) {
      GameWindow* w = shell.openWindow(kind);
      QVERIFY(QTest::qWaitForWindowExposed(w));
      w->action(game)->trigger();
      BoardView* view = w->boardView();
      for (int v = 1; v <= views; ++v, w->controller().controlPressed("view.down")) {
        const Scene scene = w->controller().scene();
        for (std::size_t i = 0; i < scene.shapes.size(); ++i) {
          const Shape& m = scene.shapes[i];
          if (!m.visible) continue;
          const QString where = QString("marker %1, view %2 of %3").arg(m.number).arg(v).arg(game);
          QVERIFY2(m.number == w->controller().views().current().circle(int(i) + 1), qPrintable(where));
          const QRectF ink = view->shapeNumber(i);
          const QPointF c = view->toWidget(m.centre);
          for (QPointF corner : {ink.topLeft(), ink.topRight(), ink.bottomLeft(), ink.bottomRight()})
            QVERIFY2(QLineF(c, corner).length() <= view->toWidget({m.centre.x + m.radiusX, 0}).x() - c.x(),
                     qPrintable(where));
          for (std::size_t l = 0; l < scene.strokes.size(); ++l)
            QVERIFY2(!scene.strokes[l].visible || !view->numberLabel(l).intersects(QPolygonF(ink)), qPrintable(where));
        }
      }
      w->controller().circleClicked(1);
      QVERIFY(!w->controller().menus().at("options").enabled);
      QTest::keyClick(w, Qt::Key_F12);
      QTest::keyClick(w, Qt::Key_F1, Qt::ControlModifier);
      QVERIFY(!w->controller().gridShown() && w->controller().keypadShown());
      w->close();
    }
  }

  // The wire frame: its buttons stand in their frames; after a quarter turn a click on the
  // label "10" claims Line 32, and the tally shows beside the points.
  void theWireFramesLabelsNameTheLinesTheTurnBringsThere() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Wireframe);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->windowTitle(), QString("Quadrion Plexa 2014 in 4D  -  Wire Frame"));
    QMap<QString, QStringList> frames;
    for (auto* box : w->findChildren<QGroupBox*>())
      for (auto* b : box->findChildren<QPushButton*>()) frames[box->title()] << b->text();
    QCOMPARE(frames["Rotate"], QStringList({"<", ">", "_/"}));
    QCOMPARE(frames["Internal"], QStringList({"^", ">", "\\/", "\\_", "-/"}));
    for (auto* b : w->findChildren<QGroupBox*>().front()->findChildren<QPushButton*>())
      if (b->text() == ">") b->click();
    QPointF label;
    for (const Shape& s : w->controller().scene().shapes)
      if (s.kind == Shape::Kind::Polygon && s.target == Target::line(10))
        label = w->boardView()->toWidget({(s.points[0].x + s.points[2].x) / 2, (s.points[0].y + s.points[2].y) / 2});
    clickBoard(*w, label);
    QCOMPARE(w->controller().rules().owner(32), 2);
    QCOMPARE(w->controller().rules().claimedLineCount(), 1);
    int zeros = 0;  // the points, the tallies and the totals of both players
    for (auto* l : w->findChildren<QLabel*>()) zeros += l->text() == "0" && l->isVisible();
    QCOMPARE(zeros, 6);
  }

  // The wire frame's tips reach the widgets: a panel button's tooltip, a check box's on the
  // board, and a Games entry's status tip in the panel while the entry is pointed at.
  void theButtonsAndGamesShowTheirTips() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Wireframe);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    auto* rotate = w->findChildren<QGroupBox*>().front()->findChildren<QPushButton*>().front();
    QCOMPARE(rotate->toolTip(), QString::fromStdString(w->controller().controlNamed("<")->tip));
    QVERIFY(!rotate->toolTip().isEmpty());
    const CheckBox yellow = w->controller().scene().checkBoxes.front();
    QCOMPARE(w->boardView()->toolTipAt(w->boardView()->toWidget({yellow.at.x + 5, yellow.at.y + 5})),
             QString("Show or hide the yellow cube in the inverse view"));
    QAction* tolva = w->action("games.0");
    QCOMPARE(tolva->statusTip(), QString::fromStdString(w->controller().menus().at("games.0").statusTip));
    auto* shown = w->findChild<QLabel*>("statusTip");
    tolva->showStatusText(w);
    QVERIFY(shown->isVisible() && !tolva->statusTip().isEmpty());
    QCOMPARE(shown->text(), tolva->statusTip());
    QStatusTipEvent none{QString()};
    QCoreApplication::sendEvent(w, &none);
    QVERIFY(!shown->isVisible());
  }

  // Quadrion Krunk: a click on a cube edge where another figure draws it claims it there
  // too; the number labels come with the grid.
  void aQuadrionLineIsClaimedInEveryFigure() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Quadrion);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->windowTitle(), QString("Quadrion Plexa 2014 in 4D  -  Quadrion Krunk"));
    std::vector<Stroke> drawn;
    for (const Stroke& s : w->controller().scene().strokes)
      if (s.target == Target::line(1) && s.visible) drawn.push_back(s);
    QCOMPARE(drawn.size(), std::size_t(3));  // the Blue cube, and the tesseracts Black-Blue and Blue-White
    clickBoard(*w, w->boardView()->toWidget({(drawn[1].a.x + drawn[1].b.x) / 2, (drawn[1].a.y + drawn[1].b.y) / 2}));
    QCOMPARE(w->controller().rules().owner(1), 2);
    for (const Stroke& s : w->controller().scene().strokes)
      if (s.target == Target::line(1)) QCOMPARE(s.colour, kBlue);
    const auto labels = [&] { return std::ranges::count(w->controller().scene().shapes, Shape::Kind::Polygon, &Shape::kind); };
    QCOMPARE(labels(), 0);
    w->action("game.grid")->trigger();
    QCOMPARE(labels(), 80);
  }

  // The menus' keys; a click on the board reaches the circle or the Line drawn there, at
  // any size of the window.
  void theMenusAndAClickOnADrawnLineReachTheModel() {
    Shell shell;
    GameWindow* w = openSquare(shell);
    for (auto [id, key] :
         {std::pair{"game.new", "F5"}, {"game.exit", "F9"}, {"game.about", "F2"}, {"help.rules", "F1"}})
      QCOMPARE(w->action(id)->shortcut(), QKeySequence(key));
    // The program's icon, at every size the desktop entry installs.
    QCOMPARE(w->windowIcon().availableSizes(), (QList<QSize>{{48, 48}, {64, 64}, {128, 128}, {256, 256}}));
    // The window opens on Krunk: the circles take the clicks, the Lines none.
    clickBoard(*w, midpoint(*w, 7));
    QCOMPARE(claimedLines(*w), 0);
    clickBoard(*w, w->boardView()->toWidget(w->controller().geometry().circles[7]));
    QCOMPARE(w->controller().drawing().circles[7].border, kGreen);
    for (const char* id : {"game.new", "games.0"}) w->action(id)->trigger();
    const QSize small = w->boardView()->size();
    const QPointF before = midpoint(*w, 60);
    w->resize(1400, 1000);
    QTest::qWait(20);
    QVERIFY(w->boardView()->width() > small.width() && midpoint(*w, 60).y() > before.y());
    clickBoard(*w, midpoint(*w, 31));
    QCOMPARE(w->controller().drawing().lines[31].colour, kBlue);
    QVERIFY(!w->action("sub")->isEnabled());  // the menus follow the model
    clickBoard(*w, midpoint(*w, 31));
    QCOMPARE(answerNextMessage().value(1), QString("Invalid move!"));
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

  // In every window that writes its Lines' numbers beside them: with the grid shown, every
  // number stands upright on its plate, its digits at least 9 pixels high, apart from every
  // other number and inside the board.
  void everyGridNumberCanBeRead() {
    Shell shell;
    for (const WindowEntry& entry : windowCatalogue()) {
      GameWindow* w = shell.openWindow(entry.kind);
      QVERIFY(QTest::qWaitForWindowExposed(w));
      if (QAction* grid = w->action("game.grid"); grid && !grid->isChecked()) grid->trigger();
      QTest::qWait(20);
      BoardView* view = w->boardView();
      const Scene scene = w->controller().scene();
      std::vector<QRectF> plates;
      view->numberLabel(0);  // (laid out as the next paint would)
      for (std::size_t l = 0; l < scene.strokes.size(); ++l)
        if (view->labelShown(l)) plates.push_back(view->numberLabel(l).boundingRect());
      QVERIFY(plates.size() >= std::size_t(std::ranges::count_if(scene.strokes, [](const Stroke& s) {
                return s.number && s.numberShown && s.visible;
              })));
      for (std::size_t i = 0; i < plates.size(); ++i) {
        const QString where = QString("%1, number %2").arg(entry.name).arg(i);
        QVERIFY2(plates[i].height() >= 9 + 4 - 1e-6 && view->rect().contains(plates[i].toRect()), qPrintable(where));
        for (std::size_t k = 0; k < i; ++k) QVERIFY2(!plates[i].intersects(plates[k]), qPrintable(where));
      }
      // The circles' numbers (the markers' too) as high as the Lines'.
      for (std::size_t i = 0; i < scene.shapes.size(); ++i)
        if (scene.shapes[i].number && scene.shapes[i].visible && scene.shapes[i].kind == Shape::Kind::Circle)
          QVERIFY2(view->shapeNumber(i).height() >= 9 - 1e-6, qPrintable(QString("%1, circle %2").arg(entry.name).arg(i)));
      w->close();
    }
  }

  // Exit while the computer waits and a box is open closes every window and box and leaves
  // no step to run. (That a window loaded in its place cancels the steps is the window
  // fuzzer's check.)
  // The wire frame: Return starts nothing during a game; at its end "New Game" is the
  // default button and Return starts the next game.
  void returnStartsTheNextGameOnceOneIsOver() {
    Shell shell;
    GameWindow* w = shell.openWindow(WindowKind::Wireframe);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QPushButton* newGame = nullptr;
    for (auto* b : w->findChildren<QPushButton*>())
      if (b->text() == "New Game") newGame = b;
    QVERIFY(newGame);
    auto pressReturn = [w] {
      w->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(w));
      QTest::keyClick(w, Qt::Key_Return);
    };
    for (int l = 1; l <= 31; ++l) w->controller().lineClicked(l);
    pressReturn();
    QCOMPARE(w->controller().rules().claimedLineCount(), 31);
    QVERIFY(!newGame->isDefault());
    w->controller().lineClicked(32);
    while (!answerNextMessage().isEmpty()) {}  // the verdicts
    QVERIFY(newGame->isDefault());
    pressReturn();
    QCOMPARE(w->controller().rules().claimedLineCount(), 0);
    QVERIFY(!w->controller().status().gameOver && !newGame->isDefault());
  }

  void leavingWhileTheComputerWaitsLeavesNothingRunning() {
    Shell shell;
    GameWindow* w = openSquare(shell);
    w->action("players.0")->trigger();
    w->controller().circleClicked(1);
    QVERIFY(w->controller().computerSteps() > 0);
    w->controller().keypadEntered("0");  // a message box is open now
    QVERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
    QPointer<GameWindow> guard(w);
    w->action("game.exit")->trigger();
    QTRY_VERIFY(!guard);
    QVERIFY(std::ranges::none_of(QApplication::topLevelWidgets(), &QWidget::isVisible));
    QTest::qWait(1200);  // the computer's pauses have passed: nothing runs
  }

  // The Expert thinks aside: while it works on a long ending the window paints and says it
  // thinks; New game drops the search at once, and its answer never lands on the new board.
  void newGameDropsTheExpertsSearchWhileTheWindowGoesOn() {
    const kp::testing::HardTolvaPosition& hard = kp::testing::hardTolvaPosition();
    Shell shell;
    shell.program().expertThinkMs = 5000;
    GameWindow* w = openSquare(shell);
    w->action("games.0")->trigger();  // Tolva, two players
    for (std::size_t l = 1; l < hard.claimed.size(); ++l)
      if (hard.claimed[l]) w->controller().lineClicked(int(l));
    // Clicks made while a completed Cell flashes are played after it.
    QTRY_COMPARE_WITH_TIMEOUT(w->controller().rules().claimedLineCount(), 26, 10000);
    QTRY_VERIFY(!w->controller().moveLock());
    PaintCounter board;
    w->boardView()->installEventFilter(&board);
    const std::string& thinking = w->controller().status().thinking;

    w->action("help.expert")->trigger();
    QCOMPARE(thinking, std::string("The Expert is thinking..."));
    w->boardView()->update();
    QTest::qWait(20);
    QVERIFY(board.paints > 0);
    QVERIFY(!thinking.empty());  // the search goes on meanwhile
    w->action("game.new")->trigger();
    QVERIFY(thinking.empty());
    QTest::qWait(1500);  // longer than the search would need to finish
    QCOMPARE(w->controller().status().hint, std::string());
    QVERIFY(std::ranges::none_of(w->controller().drawing().lines, &LineDraw::highlighted));
  }

  // F1 with a page in the current directory, on a desktop whose opener refuses the request
  // (the two boxes, as when the page is missing) or starts and then fails (the page in the
  // program's own help window, one for both presses).
  void theHelpPageOpensInItsOwnWindowWhereTheDesktopCannotShowIt() {
    QTemporaryDir dir;
    const QString page = dir.filePath(kHelpFile);
    {
      QFile file(page);
      QVERIFY(file.open(QIODevice::WriteOnly) && file.write("<p><a href=\"#end\">Scoring</a></p><p><a name=\"end\">Krunk</a>.</p>"));
    }
    const auto back = qScopeGuard([was = QDir::currentPath()] { QDir::setCurrent(was); });
    QDir::setCurrent(dir.path());
    for (const bool startsThenFails : {false, true}) {
      Shell shell;
      shell.setUrlOpener([&](const QUrl&, std::function<void()> failed) {
        if (startsThenFails) QTimer::singleShot(0, failed);
        return startsThenFails;
      });
      GameWindow* w = openSquare(shell);
      w->action("help.rules")->trigger();
      const QStringList firstBox = answerNextMessage();
      if (!startsThenFails) {
        QCOMPARE(firstBox, (QStringList{kProgramTitle, QDir::currentPath()}));
        QCOMPARE(answerNextMessage().value(0), "No help");
        delete w;
        continue;
      }
      QVERIFY(firstBox.isEmpty());
      w->action("help.rules")->trigger();
      QVERIFY(answerNextMessage().isEmpty());
      QList<HelpWindow*> shown;
      for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* help = qobject_cast<HelpWindow*>(top); help && help->isVisible()) shown << help;
      QCOMPARE(shown.size(), 1);
      HelpWindow* help = shown.front();
      QCOMPARE(help->browser()->source(), QUrl::fromLocalFile(page));  // its links lead from the page's folder
      // The search box: found, found again round the end of the page, and said to be nowhere.
      for (const auto& [text, backward, found] :
           {std::tuple{"krunk", false, true}, {"krunk", false, true}, {"Krunk", true, true}, {"Tolva", false, false}}) {
        help->searchBox()->setText(text);
        QCOMPARE(help->findNext(backward), found);
        QCOMPARE(help->notFoundShown(), !found);
      }
      QCOMPARE(help->browser()->textCursor().selectedText(), "Krunk");
      // The program ends with its last game window, and the help window with it.
      QPointer<HelpWindow> guard(help);
      QTimer::singleShot(0, help, [help] {
        for (QWidget* top : QApplication::topLevelWidgets())
          if (top != help && top->isVisible()) top->close();
      });
      QTimer keptAlive;
      keptAlive.callOnTimeout([] { QCoreApplication::exit(1); });
      keptAlive.start(3000);
      QCOMPARE(QCoreApplication::exec(), 0);
      QTRY_VERIFY(!guard);
    }
  }

  // Closing a window stops its work aside, and the answer never comes.
  void closingAWindowStopsItsWorkAside() {
    Shell shell;
    GameWindow* w = openSquare(shell);
    auto ended = std::make_shared<std::atomic<bool>>(false);
    bool answered = false;
    w->runAside([ended](const std::atomic<bool>& stop) {
      for (int ms = 0; !stop && ms < 5000; ++ms) QThread::msleep(1);
      *ended = true;
    }, [&answered] { answered = true; });
    QTest::qWait(50);
    QVERIFY(!*ended);
    delete w;
    QTRY_VERIFY_WITH_TIMEOUT(*ended, 1000);
    QTest::qWait(50);
    QVERIFY(!answered);
  }
};

QTEST_MAIN(GameWindowTest)
#include "game_window_test.moc"
