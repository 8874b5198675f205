#pragma once
#include <QObject>
#include <QElapsedTimer>
#include <QThreadPool>
#include <QUrl>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "core/program_state.h"
#include "core/window_kind.h"

namespace kp {

class GameWindow;
class LauncherWindow;

// What the windows of one program run share: the program-wide values, the clock, and
// the ways to open windows, the about box and documents.
class Shell : public QObject {
  Q_OBJECT
 public:
  explicit Shell(QObject* parent = nullptr);
  // Every job aside is told to stop, and waited for: no thread outlives the program.
  ~Shell() override;

  ProgramState& program() { return program_; }
  std::int64_t nowMs() const { return clock_.elapsed(); }

  // Loads a game window fresh and shows it; nullptr for a window not in this version.
  GameWindow* openWindow(WindowKind kind);
  // Shows the launcher, the window the program starts in.
  LauncherWindow* openLauncher();
  void showAbout();
  // Closes every window and ends the program.
  void quit();
  // Runs job on a worker thread. stop is the job's own flag: the shell sets it too when the
  // program ends.
  void runAside(std::shared_ptr<std::atomic<bool>> stop, std::function<void()> job);
  bool openUrl(const QUrl& url) { return urlOpener_(url); }
  // Tests replace the desktop's document opener.
  void setUrlOpener(std::function<bool(const QUrl&)> fn) { urlOpener_ = std::move(fn); }

 signals:
  void windowOpened(kp::GameWindow* window);

 private:
  ProgramState program_;
  QElapsedTimer clock_;
  std::function<bool(const QUrl&)> urlOpener_;
  std::vector<std::weak_ptr<std::atomic<bool>>> asideStops_;
  QThreadPool aside_;
};

}  // namespace kp
