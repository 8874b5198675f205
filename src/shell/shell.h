#pragma once
#include <QObject>
#include <QElapsedTimer>
#include <QPointer>
#include <QThreadPool>
#include <QUrl>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "core/program_state.h"
#include "core/window_kind.h"

class QWidget;

namespace kp {

class GameWindow;
class HelpWindow;
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
  // How many jobs aside are running now (a stopped one until it has wound down).
  int jobsAside() const { return aside_.activeThreadCount(); }
  // Asks the desktop to open url with its own program. False when the request fails at once;
  // where the program starts and then reports failure, failed runs later (on this thread).
  using UrlOpener = std::function<bool(const QUrl& url, std::function<void()> failed)>;
  bool openUrl(const QUrl& url, std::function<void()> failed = {}) { return urlOpener_(url, std::move(failed)); }
  // Tests replace the desktop's document opener.
  void setUrlOpener(UrlOpener fn) { urlOpener_ = std::move(fn); }
  // The program's own help window on page: one at a time, brought up when it is open.
  HelpWindow* showHelp(const QString& page);
  // Asks the person for a game's record file: where to save one (offered the file name
  // suggested) or which to open. Empty when they cancel. Tests replace the dialogs.
  using FileChooser = std::function<QString(QWidget* parent, bool save, const QString& suggested)>;
  QString chooseRecordFile(QWidget* parent, bool save, const QString& suggested) {
    return fileChooser_(parent, save, suggested);
  }
  void setFileChooser(FileChooser fn) { fileChooser_ = std::move(fn); }

 signals:
  void windowOpened(kp::GameWindow* window);

 private:
  ProgramState program_;
  QElapsedTimer clock_;
  UrlOpener urlOpener_;
  FileChooser fileChooser_;
  QString recordFolder_;  // where the last record was saved or opened
  QPointer<HelpWindow> help_;
  std::vector<std::weak_ptr<std::atomic<bool>>> asideStops_;
  QThreadPool aside_;
};

}  // namespace kp
