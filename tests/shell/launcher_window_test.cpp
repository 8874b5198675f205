#include "shell/launcher_window.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "shell/game_window.h"
#include "shell/qt_colour.h"
#include "shell/shell.h"
#include "shell/star_field_widget.h"

using namespace kp;

namespace {

QColor textColour(QLabel* label) { return label->palette().color(QPalette::WindowText); }

void click(LauncherWindow* l, int index) {
  QLabel* label = l->label(index);
  QVERIFY(label);
  QVERIFY(label->isVisible());
  QTest::mouseClick(label, Qt::LeftButton);
}

void moveOver(QLabel* label) {
  const QPointF local(3, 3);
  QMouseEvent event(QEvent::MouseMove, local, label->mapToGlobal(local), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(label, &event);
}

struct Answer {
  QString title;
  QString text;
};

// Presses OK on the message box the last event opened; returns what it said.
Answer answerNextMessage() {
  auto seen = std::make_shared<Answer>();
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

  void clickingANameLaunchesItsWindowAndClosesTheLauncher() {
    Shell shell;
    LauncherWindow* l = shell.openLauncher();
    QVERIFY(QTest::qWaitForWindowExposed(l));
    QPointer<LauncherWindow> guard(l);
    GameWindow* opened = nullptr;
    connect(&shell, &Shell::windowOpened, [&](GameWindow* w) { opened = w; });
    QCOMPARE(l->windowTitle(), QString("Krunk Plexa"));
    QVERIFY(!l->label(3)->isVisible());
    QVERIFY(!l->label(1));

    click(l, 0);
    QCOMPARE(l->label(0)->text(), QString("Krunk Planor Plexa 2014 in 2D"));
    QCOMPARE(l->label(4)->text(), QString(" Krunk Delvo in Planor"));
    QVERIFY(!l->label(30)->isVisible());
    click(l, 3);  // "Beginner's Globoria"
    QTRY_VERIFY(!guard);
    QVERIFY(opened);
    QCOMPARE(opened->controller().kind(), WindowKind::Square);
    QCOMPARE(shell.program().subLevel, 1);
    QVERIFY(opened->action("sub.globoria")->isChecked());  // read when the window loaded
    opened->close();
  }

  void aGameNotInThisVersionIsNamedAndTheLauncherStays() {
    Shell shell;
    LauncherWindow* l = shell.openLauncher();
    QVERIFY(QTest::qWaitForWindowExposed(l));
    QPointer<LauncherWindow> guard(l);
    QSignalSpy opened(&shell, &Shell::windowOpened);

    click(l, 0);
    click(l, 7);  // "Triangular Globoria", the large square window
    Answer a = answerNextMessage();
    QCOMPARE(a.text, QString("Super Krunk Plus is not in this version yet."));
    QCOMPARE(a.title, QString("Krunk Plexa"));
    QCOMPARE(shell.program().subLevel, 0);

    click(l, 29);
    click(l, 32);  // "Krunk a Bigger Wall"
    a = answerNextMessage();
    QCOMPARE(a.text, QString("Krunk the Wall is not in this version yet."));
    QCOMPARE(shell.program().wallLevel, 1);

    QVERIFY(guard);
    QVERIFY(l->isVisible());
    QCOMPARE(opened.count(), 0);
  }

  void hoverGreensTheNameUnderTheMouse() {
    Shell shell;
    LauncherWindow* l = shell.openLauncher();
    QVERIFY(QTest::qWaitForWindowExposed(l));
    click(l, 0);
    QCOMPARE(textColour(l->label(3)), toQColor(0xFF0000));
    moveOver(l->label(3));
    QCOMPARE(textColour(l->label(3)), toQColor(0xC000));
    QCOMPARE(textColour(l->label(2)), toQColor(0xC00000));
    QCOMPARE(textColour(l->label(8)), toQColor(0xFF0000));  // Our House takes no part
    moveOver(l->label(8));
    QCOMPARE(textColour(l->label(3)), toQColor(0xC000));
    moveOver(l->label(2));
    QCOMPARE(textColour(l->label(3)), toQColor(0xC00000));
    QCOMPARE(textColour(l->label(2)), toQColor(0xC000));
  }

  void theRingsAppearAfterTheDelayAndTurn() {
    Shell shell;
    LauncherWindow* l = shell.openLauncher();
    QVERIFY(QTest::qWaitForWindowExposed(l));
    QVERIFY(l->stars()->isVisible());
    QVERIFY(l->stars()->isAnimating());
    QVERIFY(!l->rings()->isVisible());
    QVERIFY(!l->rings()->isAnimating());
    QVERIFY(l->ringDelay()->isSingleShot());
    QCOMPARE(l->ringDelay()->interval(), LauncherWindow::kRingDelayMs);
    QCOMPARE(LauncherWindow::kRingDelayMs, 6000);
    QVERIFY(l->ringDelay()->remainingTime() > 5000);

    l->ringDelay()->start(10);  // the test does not sit out the six seconds
    QTRY_VERIFY(l->rings()->isVisible());
    QVERIFY(l->rings()->isAnimating());
    QVERIFY(!l->ringDelay()->isActive());
    const float a = l->rings()->animation().rings()[0].a;
    QTRY_VERIFY(l->rings()->animation().rings()[0].a != a);
  }

  void animationsStopWhileTheLauncherIsHidden() {
    Shell shell;
    LauncherWindow* l = shell.openLauncher();
    QVERIFY(QTest::qWaitForWindowExposed(l));
    l->ringDelay()->start(0);
    QTRY_VERIFY(l->rings()->isAnimating());
    l->hide();
    QVERIFY(!l->rings()->isAnimating());
    QVERIFY(!l->stars()->isAnimating());
    const float a = l->rings()->animation().rings()[0].a;
    QTest::qWait(60);
    QCOMPARE(l->rings()->animation().rings()[0].a, a);
    l->show();
    QVERIFY(l->rings()->isAnimating());
    QVERIFY(l->stars()->isAnimating());
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
