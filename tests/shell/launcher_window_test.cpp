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
