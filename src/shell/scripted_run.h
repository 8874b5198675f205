#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <vector>

#include "play/play_session.h"

class QWidget;

namespace kp {

class GameWindow;
class LauncherWindow;
class Shell;

// Plays a script of user events in the program's own windows on the real clock, for
// screenshots and demonstrations: `launcher` and `hover` go to the launcher while it is
// open, `open` loads a game window, the window-level commands (menu, line, circle, region,
// button, check, keypad) go to the game window opened last, and `wait` lets the program
// run (where a picture is taken, the launcher's rings and stars move by the waits instead, so
// the picture is the same every run). `state` and `analyse` have nothing to print here and are passed over; refused
// events are reported on standard error. Unlike the runner, nothing answers a message box:
// it stays open over the window while the events go on to the window. At the end it saves a picture of the window shown, if asked, and ends the program.
class ScriptedRun : public QObject {
  Q_OBJECT
 public:
  ScriptedRun(Shell& shell, std::vector<ScriptCommand> script, QString screenshot, QWidget* firstWindow);
  // Starts once the event loop runs.
  void start();
  // 0 when every command was carried out and the picture, if asked for, saved; 2 when
  // an event was refused, the picture could not be saved, or the program ended (Exit)
  // before the script did.
  int result() const { return finished_ ? result_ : 2; }
  bool finished() const { return finished_; }

 private:
  void next();
  void finish();

  Shell& shell_;
  std::vector<ScriptCommand> script_;
  std::size_t at_ = 0;
  QString screenshot_;
  QPointer<QWidget> shown_;  // the window the picture is taken of
  QPointer<GameWindow> window_;
  QPointer<LauncherWindow> launcher_;
  int result_ = 0;
  bool finished_ = false;
};

}  // namespace kp
