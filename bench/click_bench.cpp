// kp_click_bench: the time from a mouse press on a free Line of a game window (any window of
// the catalogue, the square window unless named) to the end of the repaint that shows it
// claimed, as a person waits for it.
//
// The windows open on a Krunk game, so Tolva is chosen first (its entry of the Games
// menu); two people take turns. Each press goes through the window system queue like a
// real one; the clock stops when the board's first paint after it has drawn the claimed
// Line (the window's flush follows at once). Games are played to the end in a random order
// of Lines; a press that ends a game also opens the result box and is reported on its own,
// with the time until the event loop is free again (the box built and shown).
//
// With `uncover`, the Expert is kept thinking (5 s a move) over Tolva positions of the square
// window, and while it thinks the window is uncovered again and again: the time from
// uncovering to the board painted and the window's picture handed on (see uncoverBench).
//
//   kp_click_bench [GAMES] [WINDOW] [MENU ID...]     (WINDOW: a name of krunkplexa-play --list-windows)
//   kp_click_bench uncover [SAMPLES] [WINDOW] [MENU ID...]
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPushButton>
#include <QtTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "core/expert_thinker.h"
#include "floor_window.h"
#include "shell/board_view.h"
#include "shell/game_window.h"
#include "shell/shell.h"

namespace {

using Clock = std::chrono::steady_clock;

// Counts the paint events of a widget (or another event of an object: a window's Expose)
// and the area painted, and notes when each has finished: the filter hands the event to
// the object itself and stamps the clock after.
class PaintWatcher : public QObject {
 public:
  explicit PaintWatcher(QEvent::Type type = QEvent::Paint) : type_(type) {}
  int paints = 0;
  long long area = 0;
  Clock::time_point lastPainted;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != type_) return false;
    if (type_ == QEvent::Paint)
      for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) area += (long long)r.width() * r.height();
    watched->event(event);  // QObject::event is public; the board paints here
    lastPainted = Clock::now();
    ++paints;
    return true;
  }

 private:
  QEvent::Type type_;
};

double percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, std::size_t(p * double(v.size() - 1) + 0.5))];
}

// Where a person clicks to claim the Line drawn at a place: on the first piece of the
// picture that takes the click for it (a click region along it, its number label, or its
// stroke), the point nearest the piece's middle that nothing drawn over it (a completed
// square's circle) takes for itself.
QPoint clickPoint(const kp::BoardView& view, const kp::Scene& scene, int place) {
  const kp::Target target = kp::Target::line(place);
  std::vector<QPointF> tries;
  auto along = [&](kp::Point2 a, kp::Point2 b) {
    for (double t : {0.5, 0.4, 0.6, 0.3, 0.7, 0.2, 0.8})
      tries.emplace_back(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t);
  };
  // A click region (along it) or a number label (its centre), where the board has them.
  for (const kp::Shape& s : scene.shapes)
    if (tries.empty() && s.target == target && s.kind == kp::Shape::Kind::Region && s.points.size() == 2) {
      along(s.points[0], s.points[1]);
    } else if (tries.empty() && s.target == target && s.points.size() >= 2) {
      QPointF sum;
      for (const kp::Point2& p : s.points) sum += QPointF(p.x, p.y);
      tries.push_back(sum / double(s.points.size()));
    }
  for (const kp::Stroke& s : scene.strokes)
    if (tries.empty() && s.target == target) along(s.a, s.b);
  if (tries.empty()) return {};
  for (const QPointF& p : tries)
    if (const QPoint at = view.toWidget({p.x(), p.y()}).toPoint(); view.targetAt(at) == target) return at;
  return view.toWidget({tries.front().x(), tries.front().y()}).toPoint();
}

// The Games entry that plays Tolva (its Lines are the targets); nullptr when the window has none.
QAction* tolvaEntry(const kp::GameWindow& w) {
  for (int i = 0; i < 100; ++i)  // a variant table's indices need not start at 0
    if (QAction* entry = w.action("games." + std::to_string(i));
        entry && entry->text().remove('&').trimmed().startsWith("Tolva"))
      return entry;
  return nullptr;
}

// A game window of the shell on Tolva, the board set up by the menu ids first; nullptr
// (and a word why) when it cannot be.
kp::GameWindow* openOnTolva(kp::Shell& shell, const std::string& name, const std::vector<std::string>& menuIds) {
  const auto kind = kp::windowFromName(name);
  if (!kind) return nullptr;
  kp::GameWindow* w = shell.openWindow(*kind);
  if (!w || !QTest::qWaitForWindowExposed(w)) return nullptr;
  for (const std::string& id : menuIds) w->action(id)->trigger();  // a board of the window's menus
  QAction* tolva = tolvaEntry(*w);
  if (!tolva) {
    std::fprintf(stderr, "%s: no Tolva in its Games menu\n", name.c_str());
    return nullptr;
  }
  tolva->trigger();
  QTest::qWait(50);
  return w;
}

void closeMessageBoxes() {
  for (QWidget* top : QApplication::topLevelWidgets())
    if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) box->button(QMessageBox::Ok)->click();
  QCoreApplication::processEvents();
}

}  // namespace

// The floor's figure for the same measure: a press on its painted widget, which repaints
// all of it, to the end of that paint. The median over `presses`.
double floorPressToPaint(int presses) {
  kp::bench::FloorWindow window;
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return -1;
  QWidget* canvas = window.centralWidget();
  PaintWatcher watcher;
  canvas->installEventFilter(&watcher);
  std::vector<double> times;
  for (int i = 0; i < presses; ++i) {
    QCoreApplication::processEvents();
    const int paintsBefore = watcher.paints;
    const auto start = Clock::now();
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(90 + i % 400, 90));
    while (watcher.paints == paintsBefore && Clock::now() - start < std::chrono::seconds(2))
      QCoreApplication::processEvents();
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(90 + i % 400, 90));
    if (watcher.paints == paintsBefore) return -1;
    if (i >= presses / 10) times.push_back(std::chrono::duration<double, std::milli>(watcher.lastPainted - start).count());
  }
  return percentile(times, 0.5);
}

namespace {

double cpuSeconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double msSince(Clock::time_point start, Clock::time_point end) {
  return std::chrono::duration<double, std::milli>(end - start).count();
}

// A game window's Tolva with the Expert given 5 s a move ("Expert thinks: 5 s", chosen in
// Options before the first move as a player does), kept thinking over middle-game
// positions. The computer's turn is paced (1.5 s around each move) and the Expert plays the
// open game at once, by its chain analysis, so two people play random Lines, and after each
// the Expert is asked for its move (Rules and Help, "Show me the Expert's move": the same
// search on the same worker thread, with the same "The Expert is thinking..." label) until
// it searches long.
class ExpertGame {
 public:
  explicit ExpertGame(kp::GameWindow& w) : w_(w), thinkingLabel_(w.findChild<QLabel*>("thinking")) {
    for (const char* id : {"players.1", "expert", "think.3"}) w_.action(id)->trigger();
  }

  bool chosen() const { return w_.action("think.3")->isChecked() && thinkingLabel_; }

  // Whether the Expert is thinking and the window says so.
  bool thinking() const {
    return w_.controller().status().thinking == kp::kExpertThinking && !thinkingLabel_->isHidden();
  }

  // Asks the Expert again over the same position, or plays on (a new game at the end of
  // one) until it thinks; false if it does not within two minutes.
  bool untilThinking() {
    const auto start = Clock::now();
    for (bool again = true; Clock::now() - start < std::chrono::minutes(2); again = false) {
      auto& controller = w_.controller();
      if (controller.status().gameOver) {
        closeMessageBoxes();
        w_.action("game.new")->trigger();
      } else if (!controller.moveLock()) {
        if (!again) controller.lineClicked(freeLine());
        if (!controller.status().gameOver && !controller.moveLock() && ask()) return true;
      }
      QTest::qWait(1);
    }
    return false;
  }

  int freeLines() const {
    int n = 0;
    for (int line = 1; line <= w_.controller().lineCount(); ++line) n += !w_.controller().rules().claimed(line);
    return n;
  }

 private:
  // Whether the Expert, asked for its move, is still thinking 0.4 s later, its label up
  // (it comes up after 150 ms): a search that will take a while.
  bool ask() {
    w_.action("help.expert")->trigger();
    const auto asked = Clock::now();
    while (!w_.controller().status().thinking.empty() && Clock::now() - asked < std::chrono::milliseconds(400))
      QTest::qWait(5);
    return thinking();
  }

  int freeLine() {
    std::vector<int> free;
    for (int line = 1; line <= w_.controller().lineCount(); ++line)
      if (!w_.controller().rules().claimed(line)) free.push_back(line);
    return free.empty() ? 0 : free[std::uniform_int_distribution<std::size_t>(0, free.size() - 1)(rng_)];
  }

  kp::GameWindow& w_;
  QLabel* thinkingLabel_;
  std::mt19937 rng_{11};
};

}  // namespace

// Uncovering a game window (the square one unless named) while the Expert thinks (5 s a
// move, aside on its worker thread), to the board's picture back, in two ways:
//  - the window hidden and shown again, as a window is unmapped and mapped: every widget is
//    painted again and the window's picture handed on (flushed). Clock: from show() to the
//    end of the board's paint, and to the end of the window's handling of its expose;
//  - a second window shown over the game window and hidden again: the window system sends
//    the game window an expose for what comes to light (under X; the offscreen platform sends
//    none). Qt answers from the window's stored picture, painting only what changed meanwhile.
//    Clock: from hide() of the cover to the end of the game window's handling of the expose.
// A sample counts only if the Expert was thinking (its label up) before and after it; none is
// begun later than 4 s after it was seen thinking. The share of a core the threads other than
// the user interface's (the Expert's) used meanwhile is printed.
int uncoverBench(int samples, const std::string& name, const std::vector<std::string>& menuIds) {
  kp::Shell shell;
  kp::GameWindow* w = openOnTolva(shell, name, menuIds);
  if (!w) return 1;
  ExpertGame game(*w);
  if (!game.chosen()) {
    std::fprintf(stderr, "Options: Expert thinks: 5 s not chosen\n");
    return 1;
  }
  PaintWatcher boardPaints, windowExposes(QEvent::Expose);
  w->boardView()->installEventFilter(&boardPaints);
  w->windowHandle()->installEventFilter(&windowExposes);
  QWidget cover;
  cover.setWindowTitle("cover");

  std::vector<double> toBoard, toExposed, coverToExposed, thinks, freeAtThink;
  int dropped = 0, coverBoardPaints = 0, coverNoExpose = 0;
  double workerCpu = 0, wall = 0;
  Clock::time_point thinkStart;
  bool wasThinking = false;
  const auto deadline = Clock::now() + std::chrono::minutes(5);
  while (int(toBoard.size()) < samples && Clock::now() < deadline) {
    if (!game.thinking()) {
      if (wasThinking) thinks.push_back(msSince(thinkStart, Clock::now()) / 1000);
      wasThinking = false;
      if (!game.untilThinking()) {
        std::fprintf(stderr, "the Expert does not think\n");
        return 1;
      }
      continue;
    }
    if (!wasThinking) {
      wasThinking = true;
      thinkStart = Clock::now();
      freeAtThink.push_back(game.freeLines());
    }
    if (Clock::now() - thinkStart > std::chrono::milliseconds(4000)) {  // the answer is near
      QTest::qWait(5);
      continue;
    }
    const double cpu0 = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    const auto wall0 = Clock::now();

    // Hidden, then shown again.
    w->hide();
    QTest::qWait(20);
    const int paints = boardPaints.paints, exposes = windowExposes.paints;
    const auto start = Clock::now();
    w->show();
    while ((boardPaints.paints == paints || windowExposes.paints == exposes) &&
           Clock::now() - start < std::chrono::seconds(2))
      QCoreApplication::processEvents();
    if (boardPaints.paints == paints) {
      std::fprintf(stderr, "the board is not painted again within 2 s of showing the window\n");
      return 1;
    }
    const double board = msSince(start, boardPaints.lastPainted);
    const double exposed = windowExposes.paints == exposes ? -1 : msSince(start, windowExposes.lastPainted);
    QTest::qWait(30);

    // Covered by another window, then uncovered (the offscreen platform tells the window
    // below nothing).
    double coverMs = -1;
    int coverPaints = boardPaints.paints;
    if (QGuiApplication::platformName() != "offscreen") {
      cover.setGeometry(w->frameGeometry());
      cover.show();
      if (!QTest::qWaitForWindowExposed(&cover)) {
        std::fprintf(stderr, "the covering window is not shown\n");
        return 1;
      }
      QTest::qWait(20);
      coverPaints = boardPaints.paints;
      const int coverExposes = windowExposes.paints;
      const auto uncovered = Clock::now();
      cover.hide();
      while (windowExposes.paints == coverExposes && Clock::now() - uncovered < std::chrono::milliseconds(500))
        QCoreApplication::processEvents();
      if (windowExposes.paints != coverExposes) coverMs = msSince(uncovered, windowExposes.lastPainted);
    }

    workerCpu += cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - cpu0;
    wall += msSince(wall0, Clock::now()) / 1000;
    if (!game.thinking()) {  // the answer came in meanwhile
      ++dropped;
      continue;
    }
    toBoard.push_back(board);
    if (exposed >= 0) toExposed.push_back(exposed);
    if (coverMs >= 0) {
      coverToExposed.push_back(coverMs);
      coverBoardPaints += boardPaints.paints != coverPaints;
    } else {
      ++coverNoExpose;
    }
    QTest::qWait(50);
  }

  const auto ms = [](const std::vector<double>& v) {
    return v.empty() ? std::string("none")
                     : QString("median %1 ms   p90 %2 ms   worst %3 ms")
                           .arg(percentile(v, 0.5), 0, 'f', 3)
                           .arg(percentile(v, 0.9), 0, 'f', 3)
                           .arg(percentile(v, 1.0), 0, 'f', 3)
                           .toStdString();
  };
  std::printf("uncover while the Expert thinks (5 s a move), %s window, Tolva, the Expert asked for its move, "
              "%zu samples over %zu searches (platform %s)\n",
              name.c_str(), toBoard.size(), freeAtThink.size(), qPrintable(QGuiApplication::platformName()));
  std::printf("  the window hidden and shown again, to the end of the board's paint:  %s\n", ms(toBoard).c_str());
  std::printf("    to the end of the window's expose (picture flushed):               %s\n", ms(toExposed).c_str());
  if (coverToExposed.empty())
    std::printf("  a window over it hidden again: no expose came to the game window (%d samples)\n", coverNoExpose);
  else
    std::printf("  a window over it hidden again, to the end of the game window's expose: %s\n"
                "    (the board painted again in %d of %zu; no expose in %d)\n",
                ms(coverToExposed).c_str(), coverBoardPaints, coverToExposed.size(), coverNoExpose);
  std::printf("  the Expert thinking in every sample (its label up before and after; samples dropped as its "
              "answer came: %d); its thread used %.0f %% of a core meanwhile; free Lines when it began: median "
              "%.0f of %d; its label stood for a median %.2f s a search (of %zu that ended)\n",
              dropped, wall > 0 ? 100 * workerCpu / wall : 0.0, percentile(freeAtThink, 0.5),
              w->controller().lineCount(), percentile(thinks, 0.5), thinks.size());
  return toBoard.size() == std::size_t(samples) ? 0 : 1;
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc > 1 && std::strcmp(argv[1], "uncover") == 0)
    return uncoverBench(argc > 2 ? std::max(1, std::atoi(argv[2])) : 40, argc > 3 ? argv[3] : "square",
                        std::vector<std::string>(argv + std::min(argc, 4), argv + argc));
  const int games = argc > 1 ? std::max(2, std::atoi(argv[1])) : 12;
  const std::string name = argc > 2 ? argv[2] : "square";
  if (!kp::windowFromName(name)) return 2;
  const double floorMs = floorPressToPaint(300);

  kp::Shell shell;
  kp::GameWindow* w = openOnTolva(shell, name, std::vector<std::string>(argv + std::min(argc, 3), argv + argc));
  if (!w) return 1;
  kp::BoardView* view = w->boardView();
  PaintWatcher watcher;
  view->installEventFilter(&watcher);
  const auto& controller = w->controller();

  std::mt19937 rng(7);
  std::vector<double> warmup, presses, ending, endingFree;
  std::vector<long long> areas;
  for (int g = 0; g < games; ++g) {
    std::vector<int> order(std::size_t(controller.lineCount()));
    for (int i = 0; i < controller.lineCount(); ++i) order[std::size_t(i)] = i + 1;
    std::shuffle(order.begin(), order.end(), rng);
    const kp::Scene scene = controller.scene();
    for (int line : order) {
      // The view is the first, where place n shows Line n. (A Globoria partner is claimed with its Line.)
      if (controller.rules().claimed(line)) continue;
      // A completed triangle flashes while the board takes no click: the next press waits.
      while (controller.moveLock()) QTest::qWait(10);
      QCoreApplication::processEvents();  // nothing left over from the last press
      const QPoint at = clickPoint(*view, scene, line);
      const int paintsBefore = watcher.paints;
      const long long areaBefore = watcher.area;
      const auto start = Clock::now();
      QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, at);
      while (watcher.paints == paintsBefore && Clock::now() - start < std::chrono::seconds(2))
        QCoreApplication::processEvents();
      const double ms = std::chrono::duration<double, std::milli>(watcher.lastPainted - start).count();
      const double freeMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, at);
      if (watcher.paints == paintsBefore) {
        std::fprintf(stderr, "line %d: no repaint within 2 s\n", line);
        return 1;
      }
      if (controller.status().gameOver) {
        ending.push_back(ms);
        endingFree.push_back(freeMs);
      } else {
        (g == 0 ? warmup : presses).push_back(ms);
        if (g > 0) areas.push_back(watcher.area - areaBefore);
      }
    }
    closeMessageBoxes();
    w->action("game.new")->trigger();
    QCoreApplication::processEvents();
  }

  std::vector<double> areaPx(areas.begin(), areas.end());
  std::printf(
      "click to finished repaint, %s window, Tolva, %zu presses on free Lines (%d games after one warm-up game)\n",
      name.c_str(), presses.size(), games - 1);
  std::printf("  median %.3f ms   p90 %.3f ms   p99 %.3f ms   worst %.3f ms\n", percentile(presses, 0.5),
              percentile(presses, 0.9), percentile(presses, 0.99), percentile(presses, 1.0));
  std::printf("  floor: a press on its painted widget to the end of its repaint: median %.3f ms; "
              "krunkplexa's median %.2f x the floor's\n",
              floorMs, floorMs > 0 ? percentile(presses, 0.5) / floorMs : 0.0);
  std::printf("  board area repainted per press: median %.0f px (board view %dx%d = %d px)\n", percentile(areaPx, 0.5),
              view->width(), view->height(), view->width() * view->height());
  std::printf("  warm-up game: median %.3f ms, worst %.3f ms (the first press %.3f ms)\n", percentile(warmup, 0.5),
              percentile(warmup, 1.0), warmup.empty() ? 0.0 : warmup.front());
  std::printf("  presses that end a game and open the result box (%zu): median %.3f ms, worst %.3f ms;\n"
              "    until the box is built and shown: median %.3f ms, worst %.3f ms\n",
              ending.size(), percentile(ending, 0.5), percentile(ending, 1.0), percentile(endingFree, 0.5),
              percentile(endingFree, 1.0));
  return 0;
}
