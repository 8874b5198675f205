#include <QPointer>
#include <QTemporaryDir>
#include <QToolButton>

#include "message_boxes.h"
#include "shell/game_window.h"
#include "shell/qt_colour.h"
#include "shell/replay_bar.h"
#include "shell/shell.h"

using namespace kp;

// What a person sees of a game: the Lines' colours and the points.
static QStringList seen(GameWindow& w) {
  QStringList out{QString::fromStdString(w.controller().status().redPoints + "/" + w.controller().status().bluePoints)};
  for (const LineDraw& l : w.controller().drawing().lines) out << toQColor(l.colour).name();
  return out;
}

class GameRecordWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // Tolva between two people: the replay bar steps with its keys; the game saved (".krunk"
  // added) opens again in place of the window; a refused file says why once, changing nothing.
  void aGameIsReplayedSavedAndOpenedAgain() {
    QTemporaryDir dir;
    Shell shell;
    QString chosen;
    shell.setFileChooser([&](QWidget*, bool, const QString&) { return chosen; });
    QList<GameWindow*> opened;
    connect(&shell, &Shell::windowOpened, this, [&](GameWindow* w) { opened << w; });
    QPointer<GameWindow> w = shell.openWindow(WindowKind::Square);
    QVERIFY(QTest::qWaitForWindowActive(w));
    for (const char* path : {"Options > 2 Players", "Games Menu > Tolva"})
      w->action(w->controller().menus().findPath(path)->id)->trigger();
    for (int line : {24, 32, 30, 13, 12}) w->controller().keypadEntered(std::to_string(line));
    const QStringList before = seen(*w);
    auto* bar = w->findChild<ReplayBar*>();
    w->action("game.replay")->trigger();
    for (const auto& [key, at, backOn, onOn] : {std::tuple{Qt::Key_Home, 0, false, true}, {Qt::Key_Right, 1, true, true},
                                                {Qt::Key_End, 5, true, false}, {Qt::Key_Left, 4, true, true}}) {
      QTest::keyClick(w, key);
      QCOMPARE(w->controller().movesShown(), std::size_t(at));
      QCOMPARE(bar->findChild<QLabel*>("replayPosition")->text(), QString("Move %1 of 5").arg(at));
      QVERIFY(bar->isVisible() && bar->findChild<QToolButton*>("replayBack")->isEnabled() == backOn &&
              bar->findChild<QToolButton*>("replayOn")->isEnabled() == onOn);
    }
    w->action("game.replay")->trigger();
    QTest::keyClick(w, Qt::Key_Home);  // the keys are the bar's only while it is shown
    QVERIFY(bar->isHidden());
    QCOMPARE(seen(*w), before);
    chosen = dir.filePath("mine");
    w->action("game.save")->trigger();
    w->action("game.new")->trigger();  // a game is opened between games
    const QStringList fresh = seen(*w);
    chosen = dir.filePath("bad.krunk");
    QFile bad(chosen);
    QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("krunkplexa-record 1\nprogram 1.0\nwindow nowhere\n") > 0);
    bad.close();
    w->action("game.open")->trigger();
    const QString box = answerNextMessage().join('|');
    QVERIFY2(box.startsWith("Open game|") && box.contains("\"bad.krunk\"") && box.contains("Line 3"), qPrintable(box));
    QVERIFY(answerNextMessage().isEmpty());
    QCOMPARE(seen(*w), fresh);
    chosen = dir.filePath("mine.krunk");
    w->action("game.open")->trigger();
    QCOMPARE(opened.size(), 2);  // the square the test opened, and the record's
    QCOMPARE(seen(*opened.back()), before);
    QTRY_VERIFY(!w);
  }
};

QTEST_MAIN(GameRecordWindowTest)
#include "game_record_window_test.moc"
