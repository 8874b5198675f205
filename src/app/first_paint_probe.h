#pragma once
// A hook for bench/run, off unless asked for: it reports the end of the first paint of
// the program's first window on standard output and ends the program there, so the time
// from process start to a finished picture can be taken from outside.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdio>

namespace kp {

class FirstPaintProbe : public QObject {
 public:
  // Watches every object of the application from now on.
  explicit FirstPaintProbe(QCoreApplication& app) : QObject(&app) { app.installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
      seen_ = true;
      // Runs once the repaint that holds this paint event (every widget of the window,
      // then the flush) has finished.
      QTimer::singleShot(0, this, [] {
        // The monotonic clock, the one the starter read before it started the process.
        const auto ns =
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
                .count();
        std::printf("first-paint-ns %lld\n", static_cast<long long>(ns));
        std::fflush(stdout);
        QCoreApplication::exit(0);
      });
    }
    return false;
  }

 private:
  bool seen_ = false;
};

}  // namespace kp
