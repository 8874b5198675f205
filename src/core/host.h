#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/window_kind.h"

namespace kp {

using StepId = std::uint64_t;

// Everything the engine needs from the outside world. The Qt shell implements it with
// message boxes, QDesktopServices and QTimer; tests and the headless runner with a
// virtual clock and recorded messages.
class Host {
 public:
  virtual ~Host() = default;

  // A modal message with an OK button. The call returns at once; onOk runs when the
  // person has closed the box.
  virtual void showMessage(const std::string& title, const std::string& text, std::function<void()> onOk = {}) = 0;
  // Asks the desktop to open a document with its own program; false when the request fails.
  // A desktop that takes the request and then cannot show the document is the host's to
  // answer (the Qt shell shows the help page in a window of its own).
  virtual bool openDocument(const std::string& path) = 0;
  virtual std::string currentDirectory() = 0;
  // The folders the help page is looked for in after the current directory, in order:
  // the installed data folder, then the program's own folder.
  virtual std::vector<std::string> helpFolders() = 0;

  // Runs step once after ms milliseconds on the user-interface thread, unless cancelled.
  // A step's id is never 0.
  virtual StepId schedule(int ms, std::function<void()> step) = 0;
  virtual void cancel(StepId id) = 0;
  // Runs work aside, off the user-interface thread where the host has one, then done on the
  // user-interface thread. cancel(id) drops it as it drops a step: stop turns true so work
  // can end early, and done never runs. work touches nothing the user-interface thread
  // touches (it works on copies). A host without threads may run both before this returns.
  using AsideWork = std::function<void(const std::atomic<bool>& stop)>;
  virtual StepId runAside(AsideWork work, std::function<void()> done) = 0;
  // Clock in milliseconds since some fixed start.
  virtual std::int64_t nowMs() = 0;

  // Unloads the window that asks and loads target fresh. The asking window must not touch
  // itself after this call returns: hosts tear it down once its handler has finished.
  virtual void switchWindow(WindowKind target) = 0;
  // Whether this version of the program has the window at all.
  virtual bool windowAvailable(WindowKind target) = 0;
  virtual void showAbout() = 0;
  // Asks the person where to keep a game's record, and writes it there (the host tells them
  // when it cannot).
  virtual void saveRecord(const std::string& /*text*/) {}
  // Asks the person which record to open; the host reads and checks it, and opens its window
  // with it (it says why where it cannot, and the game shown stays as it was).
  virtual void openRecord() {}
  // Opens the Expert's review of the game in the window that asks (GameController::reviewMoves).
  virtual void openReview() {}
  // Ends the whole program, closing every window.
  virtual void quit() = 0;
};

}  // namespace kp
