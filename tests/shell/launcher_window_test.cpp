#include "shell/launcher_window.h"

#include <vector>

#include "message_boxes.h"
#include "shell/animation_frames.h"
#include "shell/game_window.h"
#include "shell/qt_colour.h"
#include "shell/shell.h"
#include "shell/star_field_widget.h"

using namespace kp;

namespace {

QColor textColour(LauncherWindow* l, int index) { return l->label(index)->palette().color(QPalette::WindowText); }

void moveOver(QLabel* label) {
  const QPointF local(3, 3);
  QMouseEvent event(QEvent::MouseMove, local, label->mapToGlobal(local), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(label, &event);
}

// The index of the label holding the keyboard, -1 for none.
int focused() {
  auto* w = qobject_cast<LauncherLabelWidget*>(QApplication::focusWidget());
  return w ? w->index() : -1;
}

QRect inWindow(QWidget* w) { return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size()); }

}  // namespace

class LauncherWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    for (QWidget* top : QApplication::topLevelWidgets()) top->close();
    QTest::qWait(10);
  }

  // Tab and the arrows go round the labels a click acts on, Enter and Return click the one
  // holding the keyboard; a frame shows it and no colour changes. The mouse greens the
  // name under it, and a click on a game this version lacks names it and the launcher stays.
  void theKeyboardAndTheMouseReachWhatAClickActsOn() {
    Shell shell;
    LauncherWindow* l = shell.openLauncher();
    l->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(l));
    QPointer<LauncherWindow> guard(l);
    GameWindow* opened = nullptr;
    connect(&shell, &Shell::windowOpened, [&](GameWindow* w) { opened = w; });
    QCOMPARE(focused(), 0);
    QCOMPARE(l->label(0)->cursor().shape(), Qt::PointingHandCursor);
    const QImage framed = l->label(0)->grab().toImage();

    // The arrows go round, the last label back to the first. Enter on a header opens its group
    // and, as the header takes no more clicks, hands the keyboard on to its first name.
    const std::pair<QKeyCombination, int> steps[] = {
        {Qt::Key_Tab, 29},
        {Qt::Key_Down, 49},
        {Qt::Key_Right, 0},
        {Qt::Key_Up, 49},
        {Qt::Key_Left, 29},
        {Qt::Key_Up, 0},
        {Qt::KeypadModifier | Qt::Key_Enter, 2},
        {Qt::Key_Up, 49},
        {Qt::Key_Tab, 2},
        {Qt::Key_Down, 3},
    };
    for (const auto& [key, focus] : steps) {
      QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
      QCOMPARE(focused(), focus);
      if (focus == 29) QVERIFY2(l->label(0)->grab().toImage() != framed, "the frame leaves with the keyboard");
    }
    QCOMPARE(l->label(0)->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(l->label(0)->focusPolicy(), Qt::NoFocus);
    QVERIFY(!l->model().hoverIndex());
    for (const auto& [index, label] : l->model().labels()) QCOMPARE(textColour(l, index), toQColor(label.colour));

    moveOver(l->label(3));
    moveOver(l->label(8));  // Our House takes no part
    QCOMPARE(std::tuple(textColour(l, 3), textColour(l, 2), textColour(l, 8)),
             std::tuple(toQColor(0xC000), toQColor(0xC00000), toQColor(0xFF0000)));

    l->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(l));
    QCOMPARE(focused(), 3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // "Beginner's Globoria"
    QTRY_VERIFY(!guard);
    // SubLevel was written before the window loaded.
    QVERIFY(opened && opened->controller().kind() == WindowKind::Square && opened->action("sub.globoria")->isChecked());
  }

  // The rings show after a delay, and the pictures stop while the window is hidden. The
  // window cannot shrink past the room its list needs with every group open; beyond it the
  // two pictures, always alike, take the rest. Every label shown is whole and apart: inside
  // the window and every parent, no smaller than its text, overlapping neither another
  // label nor a picture.
  void thePicturesAndEveryLabelStayWholeFromTheLeastSizeUp() {
    Shell shell;
    LauncherWindow* l = shell.openLauncher();
    QVERIFY(QTest::qWaitForWindowExposed(l));
    QVERIFY(l->stars()->isAnimating() && !l->rings()->isVisible() && l->ringDelay()->remainingTime() > 5000);
    l->ringDelay()->start(10);  // the test does not sit out the six seconds
    QTRY_VERIFY(l->rings()->isVisible() && l->rings()->isAnimating());
    l->hide();
    QVERIFY(!l->rings()->isAnimating() && !l->stars()->isAnimating());
    l->show();
    QVERIFY(l->rings()->isAnimating() && l->stars()->isAnimating());

    const QSize least = l->minimumSize();
    QVERIFY2(least.width() <= 1280 && least.height() <= 720, "fits the smallest screen the list names");
    for (bool open : {false, true}) {
      if (open)
        for (int header : {0, 29, 49}) QTest::mouseClick(l->label(header), Qt::LeftButton);
      for (const QSize asked : {QSize(100, 100), QSize(1900, 1150)}) {
        l->resize(asked);
        QTest::qWait(20);
        const QSize size = l->size();
        QVERIFY(size.width() >= least.width() && size.height() >= least.height());
        const QRect rings = inWindow(l->rings()), stars = inWindow(l->stars());
        std::vector<QRect> taken = {rings, stars};
        for (QLabel* label : l->findChildren<QLabel*>()) {
          if (!label->isVisible()) continue;
          const QByteArray name = label->text().toUtf8();
          QVERIFY2(label->width() >= label->sizeHint().width() && label->height() >= label->sizeHint().height(), name);
          // Whole in what the window scrolls: the pictures' column stands in it.
          for (QWidget* w = label; w != l->rings()->parentWidget()->parentWidget(); w = w->parentWidget())
            QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), name);
          for (const QRect& other : taken) QVERIFY2(!inWindow(label).intersects(other), name);
          taken.push_back(inWindow(label));
        }
        QVERIFY(rings.size() == stars.size() && rings.left() == stars.left() && rings.bottom() < stars.top());
        if (asked.width() > least.width())
          QVERIFY2(stars.right() > size.width() - 40 && stars.bottom() > size.height() - 40,
                   "the pictures fill the window");
      }
    }
  }

  // On a scripted run's clock the rings and stars move only by the waits, as the timers
  // would have moved them: the same picture however the waits are cut, the rings turning
  // from the delay on, frame by frame.
  void theScriptClockMovesThePicturesByTheWaitsAlone() {
    Shell shellA, shellB;
    LauncherWindow* a = shellA.openLauncher();
    LauncherWindow* b = shellB.openLauncher();
    QVERIFY(QTest::qWaitForWindowExposed(a) && QTest::qWaitForWindowExposed(b));
    a->useScriptClock();
    b->useScriptClock();
    const auto start = a->stars()->field().stars();
    const float angle = a->rings()->animation().rings()[0].a;
    a->advanceScriptClock(7000);
    for (int ms : {3000, 2999, 1, 1000}) b->advanceScriptClock(ms);
    QTest::qWait(50);  // the real clock moves nothing
    QVERIFY(a->rings()->isVisible() && !a->rings()->isAnimating() && !a->stars()->isAnimating());
    QVERIFY(a->stars()->field().stars() != start);
    QCOMPARE(b->stars()->field().stars(), a->stars()->field().stars());
    QCOMPARE(b->rings()->animation().rings()[0].a, a->rings()->animation().rings()[0].a);
    const int frames = (7000 - LauncherWindow::kRingDelayMs) / kAnimationFrameMs;
    QCOMPARE(a->rings()->animation().rings()[0].a, angle + float(frames * kAnimationTicksPerFrame));
  }

  // A game name's tooltip says what it opens; a heading has none.
  void aGameNameSaysWhatItOpens() {
    Shell shell;
    LauncherWindow* l = shell.openLauncher();
    QCOMPARE(l->label(3)->toolTip(), QString::fromStdString(l->model().label(3)->tip));
    QVERIFY(l->label(3)->toolTip().contains("opposite edges joined"));
    QVERIFY(l->label(11)->toolTip().isEmpty());
  }

  // Runs the program's event loop, so it stays the last test.
  void closingTheLauncherWithNothingElseOpenEndsTheProgram() {
    Shell shell;
    LauncherWindow* l = shell.openLauncher();
    QVERIFY(QTest::qWaitForWindowExposed(l));
    QTimer::singleShot(0, l, &QWidget::close);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(7); });  // the program did not end
    QCOMPARE(QApplication::exec(), 0);
  }
};

QTEST_MAIN(LauncherWindowTest)
#include "launcher_window_test.moc"
