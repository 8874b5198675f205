// kp_cpu_bench: the share of one core the process uses while a window just sits there,
// measured inside the process (CLOCK_PROCESS_CPUTIME_ID over the monotonic clock) while
// the ordinary event loop runs.
//
//   kp_cpu_bench floor [SECONDS]     the floor window idling
//   kp_cpu_bench launcher [SECONDS]  the launcher animating: stars and rings (the ring
//                                    delay is cut to nothing: the rings show at once)
//   kp_cpu_bench computer [TURNS]    the triangular window, Krunk against the computer:
//                                    after each of the person's circles the computer
//                                    waits 2 s; measured over 1.85 s of every wait
//   kp_cpu_bench countdown [SECONDS] the square window waiting for the person while the
//                                    move timer counts down (a tick every 100 ms)
//   kp_cpu_bench turning [SECONDS]   the wire-frame window turning the tesseract without a
//                                    pause: a quarter turn after each, measured while they run
//
// Each also prints the process's peak resident memory.
#include <sys/resource.h>

#include <QApplication>
#include <QPushButton>
#include <QEventLoop>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "floor_window.h"
#include "shell/board_view.h"
#include "shell/game_window.h"
#include "shell/launcher_window.h"
#include "shell/shell.h"

namespace {

double cpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double wallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Runs the event loop as the program does, for ms milliseconds.
void runFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

// The share over the whole measured time, and over each second of it: a burst of other
// work on a shared host shows as one high second, which the median of the seconds ignores.
struct Share {
  double cpu = 0, wall = 0;
  std::vector<double> seconds;  // the share of each measured window of at most 1 s
  void measure(int ms) {
    for (int left = ms; left > 0; left -= 1000) {
      const double c0 = cpuSeconds(), w0 = wallSeconds();
      runFor(std::min(left, 1000));
      const double c = cpuSeconds() - c0, w = wallSeconds() - w0;
      cpu += c;
      wall += w;
      seconds.push_back(c / w);
    }
  }
  void print(const char* what) const {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::vector<double> sorted = seconds;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted.empty() ? 0 : sorted[sorted.size() / 2];
    const double highest = sorted.empty() ? 0 : sorted.back();
    std::printf("%-34s %6.2f %% of one core (%.3f s CPU in %.1f s; seconds: median %.2f %%, highest %.2f %%; "
                "platform %s, peak %.1f MB)\n",
                what, 100 * cpu / wall, cpu, wall, 100 * median, 100 * highest,
                qPrintable(QGuiApplication::platformName()), double(usage.ru_maxrss) / 1024.0);
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const char* mode = argc > 1 ? argv[1] : "";
  const int amount = argc > 2 ? std::atoi(argv[2]) : 0;
  Share share;

  if (std::strcmp(mode, "floor") == 0) {
    kp::bench::FloorWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    runFor(1000);  // past the start
    share.measure(1000 * (amount > 0 ? amount : 10));
    share.print("floor idling");
  } else if (std::strcmp(mode, "launcher") == 0) {
    kp::Shell shell;
    kp::LauncherWindow* launcher = shell.openLauncher();
    if (!QTest::qWaitForWindowExposed(launcher)) return 1;
    launcher->ringDelay()->start(0);  // the rings now, as they would show after 6 s
    runFor(1000);
    share.measure(1000 * (amount > 0 ? amount : 10));
    share.print("launcher animating");
  } else if (std::strcmp(mode, "computer") == 0) {
    kp::Shell shell;
    kp::GameWindow* w = shell.openWindow(kp::WindowKind::Triangular);
    if (!QTest::qWaitForWindowExposed(w)) return 1;
    w->action("games.2")->trigger();    // Krunk: circles are the targets
    w->action("players.0")->trigger();  // against the computer
    runFor(200);
    auto& controller = w->controller();
    const int turns = amount > 0 ? amount : 4;
    for (int turn = 0; turn < turns && !controller.status().gameOver; ++turn) {
      int circle = 0;
      for (int c = 1; c <= controller.circleCount() && !circle; ++c)
        if (controller.drawing().circles[c].targetVisible &&
            controller.drawing().circles[c].border == kp::kCircleBorder)
          circle = c;
      if (!circle) break;
      const QPoint at = w->boardView()->toWidget(controller.geometry().circles[circle]).toPoint();
      QTest::mouseClick(w->boardView(), Qt::LeftButton, Qt::NoModifier, at);
      if (!controller.moveLock()) {
        std::fprintf(stderr, "circle %d: the computer is not waiting\n", circle);
        return 1;
      }
      runFor(50);  // the repaint of the person's move
      share.measure(1850);
      for (int i = 0; i < 100 && controller.moveLock(); ++i) runFor(20);  // the computer moves
      runFor(100);
    }
    share.print("computer's 2 s pause");
  } else if (std::strcmp(mode, "countdown") == 0) {
    kp::Shell shell;
    kp::GameWindow* w = shell.openWindow(kp::WindowKind::Square);
    if (!QTest::qWaitForWindowExposed(w)) return 1;
    w->action("games.0")->trigger();  // Tolva, two people
    w->controller().lineClicked(31);  // the countdown runs from the first move
    if (!w->controller().timer().running()) return 1;
    runFor(500);
    share.measure(1000 * (amount > 0 ? amount : 10));
    share.print("waiting for the person, countdown");
  } else if (std::strcmp(mode, "turning") == 0) {
    kp::Shell shell;
    kp::GameWindow* w = shell.openWindow(kp::WindowKind::Wireframe);
    if (!QTest::qWaitForWindowExposed(w)) return 1;
    QPushButton* turn = nullptr;
    for (auto* b : w->findChildren<QPushButton*>())
      if (b->text() == "_/") turn = b;  // a half turn: 24 frames
    if (!turn) return 1;
    const int seconds = amount > 0 ? amount : 10;
    for (int s = 0; s < seconds; ++s) {
      turn->click();
      share.measure(600);
      for (int i = 0; i < 100 && w->controller().pendingSteps() > 0; ++i) runFor(20);
    }
    share.print("tesseract turning");
  } else {
    std::fprintf(stderr, "usage: %s floor|launcher|countdown|turning [SECONDS] | computer [TURNS]\n", argv[0]);
    return 2;
  }
  return 0;
}
