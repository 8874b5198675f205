#include "shell/launcher_window.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <vector>

#include "shell/game_window.h"
#include "shell/qt_colour.h"
#include "shell/shell.h"
#include "shell/star_field_widget.h"

using namespace kp;

namespace {

QColor textColour(LauncherWindow* l, int index) { return l->label(index)->palette().color(QPalette::WindowText); }

void click(LauncherWindow* l, int index) {
  QVERIFY(l->label(index) && l->label(index)->isVisible());
  QTest::mouseClick(l->label(index), Qt::LeftButton);
}

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

// Keys go where a person's would: to the widget holding the keyboard.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* to = QApplication::focusWidget();
  QVERIFY(to);
  QTest::keyClick(to, key, modifiers);
}

// Every label shown is whole and apart: inside the window and every parent, no smaller than
// its text, overlapping neither another label nor a picture.
QRect inWindow(QWidget* w) { return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size()); }

void expectEveryLabelWhole(LauncherWindow* l) {
  std::vector<QRect> taken = {inWindow(l->rings()), inWindow(l->stars())};
  for (QLabel* label : l->findChildren<QLabel*>()) {
    if (!label->isVisible()) continue;
    const QString name = label->text();
    QVERIFY2(label->width() >= label->sizeHint().width() && label->height() >= label->sizeHint().height(),
             qPrintable(name));
    for (QWidget* w = label; w != l; w = w->parentWidget())
      QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), qPrintable(name));
    const QRect at = inWindow(label);
    for (const QRect& other : taken) QVERIFY2(!at.intersects(other), qPrintable(name));
    taken.push_back(at);
  }
}

// Presses OK on the message box the last event opened; returns its title and text.
QStringList answerNextMessage() {
  auto seen = std::make_shared<QStringList>();
  QTimer::singleShot(0, [seen] {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
        *seen = {box->windowTitle(), box->text()};
        box->button(QMessageBox::Ok)->click();
      }
  });
  QTest::qWait(50);
  return *seen;
}

}  // namespace

class LauncherWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    for (QWidget* top : QApplication::topLevelWidgets()) top->close();
    QTest::qWait(10);
  }

  // A game this version lacks is named and the launcher stays; a header shows its group,
  // the name under the mouse turns green, and a click on it launches it.
  void clickingANameLaunchesItsWindowAndClosesTheLauncher() {
    Shell shell;
    LauncherWindow* l = shell.openLauncher();
    QVERIFY(QTest::qWaitForWindowExposed(l));
    QPointer<LauncherWindow> guard(l);
    GameWindow* opened = nullptr;
    connect(&shell, &Shell::windowOpened, [&](GameWindow* w) { opened = w; });
    click(l, 29);
    click(l, 32);  // "Krunk a Bigger Wall"
    QCOMPARE(answerNextMessage(), QStringList({"Krunk Plexa", "Krunk the Wall is not in this version yet."}));
    QVERIFY(guard && l->isVisible() && !opened);
    QCOMPARE(shell.program().wallLevel, 1);

    QVERIFY(!l->label(3)->isVisible());
    click(l, 0);
    QCOMPARE(l->label(0)->text(), QString("Krunk Planor Plexa 2014 in 2D"));
    QCOMPARE(textColour(l, 3), toQColor(0xFF0000));
    moveOver(l->label(3));
    QCOMPARE(textColour(l, 3), toQColor(0xC000));
    QCOMPARE(textColour(l, 2), toQColor(0xC00000));
    moveOver(l->label(8));  // Our House takes no part
    QCOMPARE(textColour(l, 8), toQColor(0xFF0000));
    QCOMPARE(textColour(l, 3), toQColor(0xC000));

    click(l, 3);  // "Beginner's Globoria"
    QTRY_VERIFY(!guard);
    QVERIFY(opened);
    QCOMPARE(opened->controller().kind(), WindowKind::Square);
    QVERIFY(opened->action("sub.globoria")->isChecked());  // SubLevel was written before the window loaded
    opened->close();
  }

  // Tab and the arrows go round the labels a click acts on, Enter and Return click the one
  // holding the keyboard; a frame shows it and no colour changes.
  void theKeyboardReachesWhatAClickActsOnAndEnterClicksIt() {
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

    struct Step {
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
      int focus;
    };
    const Step steps[] = {
        {Qt::Key_Tab, Qt::NoModifier, 29},
        {Qt::Key_Down, Qt::NoModifier, 49},
        {Qt::Key_Right, Qt::NoModifier, 0},  // round to the top
        {Qt::Key_Backtab, Qt::ShiftModifier, 49},
        {Qt::Key_Up, Qt::NoModifier, 29},
        {Qt::Key_Left, Qt::NoModifier, 0},
        // The header opens its group and, taking no more clicks, hands on to its first name.
        {Qt::Key_Enter, Qt::KeypadModifier, 2},
        {Qt::Key_Up, Qt::NoModifier, 49},
        {Qt::Key_Tab, Qt::NoModifier, 2},
        {Qt::Key_Down, Qt::NoModifier, 3},
        {Qt::Key_Down, Qt::NoModifier, 4},
        {Qt::Key_Up, Qt::NoModifier, 3},
    };
    for (const Step& step : steps) {
      press(step.key, step.modifiers);
      QCOMPARE(focused(), step.focus);
      if (step.focus == 29) QVERIFY2(l->label(0)->grab().toImage() != framed, "the frame leaves with the keyboard");
    }
    QCOMPARE(l->label(0)->text(), QString("Krunk Planor Plexa 2014 in 2D"));
    QCOMPARE(l->label(0)->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(l->label(0)->focusPolicy(), Qt::NoFocus);
    QVERIFY(!l->model().hoverIndex());
    for (const auto& [index, label] : l->model().labels()) QCOMPARE(textColour(l, index), toQColor(label.colour));
    QCOMPARE(textColour(l, 3), toQColor(0xFF0000));

    press(Qt::Key_Return);  // "Beginner's Globoria", as the click in the test above
    QTRY_VERIFY(!guard);
    QVERIFY(opened);
    QCOMPARE(opened->controller().kind(), WindowKind::Square);
    QVERIFY(opened->action("sub.globoria")->isChecked());
    opened->close();
  }

  // The window cannot shrink past the room its list needs with every group open; beyond
  // it the two pictures, always alike, take the rest.
  void everyLabelStaysWholeFromTheLeastSizeUp() {
    Shell shell;
    LauncherWindow* l = shell.openLauncher();
    QVERIFY(QTest::qWaitForWindowExposed(l));
    const QSize least = l->minimumSize();
    QVERIFY2(least.width() <= 1280 && least.height() <= 720, "fits the smallest screen the list names");
    for (bool open : {false, true}) {
      if (open)
        for (int header : {0, 29, 49}) click(l, header);
      for (const QSize asked : {QSize(100, 100), QSize(1900, 1150)}) {
        l->resize(asked);
        QTest::qWait(20);
        const QSize size = l->size();
        QVERIFY(size.width() >= least.width() && size.height() >= least.height());
        expectEveryLabelWhole(l);
        if (QTest::currentTestFailed()) return;
        const QRect rings = inWindow(l->rings()), stars = inWindow(l->stars());
        QCOMPARE(rings.size(), stars.size());
        QCOMPARE(rings.left(), stars.left());
        QVERIFY(rings.bottom() < stars.top());
        if (asked.width() > least.width())
          QVERIFY2(stars.right() > size.width() - 40 && stars.bottom() > size.height() - 40,
                   "the pictures fill the window");
      }
    }
  }

  void theRingsAppearAfterTheDelayAndStopWhileHidden() {
    Shell shell;
    LauncherWindow* l = shell.openLauncher();
    QVERIFY(QTest::qWaitForWindowExposed(l));
    QVERIFY(l->stars()->isAnimating());
    QVERIFY(!l->rings()->isVisible() && !l->rings()->isAnimating());
    QVERIFY(l->ringDelay()->isSingleShot() && l->ringDelay()->remainingTime() > 5000);
    QCOMPARE(l->ringDelay()->interval(), 6000);
    l->ringDelay()->start(10);  // the test does not sit out the six seconds
    QTRY_VERIFY(l->rings()->isVisible() && l->rings()->isAnimating());
    l->hide();
    QVERIFY(!l->rings()->isAnimating() && !l->stars()->isAnimating());
    const float hidden = l->rings()->animation().rings()[0].a;
    QTest::qWait(60);
    QCOMPARE(l->rings()->animation().rings()[0].a, hidden);
    l->show();
    QVERIFY(l->rings()->isAnimating() && l->stars()->isAnimating());
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
