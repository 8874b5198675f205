#include "shell/scripted_run.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <iostream>

#include "core/window_kind.h"
#include "shell/game_window.h"
#include "shell/launcher_window.h"
#include "shell/shell.h"

namespace kp {

ScriptedRun::ScriptedRun(Shell& shell, std::vector<ScriptCommand> script, QString screenshot, QWidget* firstWindow)
    : QObject(&shell), shell_(shell), script_(std::move(script)), screenshot_(std::move(screenshot)), shown_(firstWindow) {
  window_ = qobject_cast<GameWindow*>(firstWindow);
  launcher_ = qobject_cast<LauncherWindow*>(firstWindow);
  connect(&shell_, &Shell::windowOpened, this, [this](GameWindow* w) { shown_ = window_ = w; });
  if (launcher_ && !screenshot_.isEmpty()) launcher_->useScriptClock();
}

void ScriptedRun::start() { QTimer::singleShot(0, this, &ScriptedRun::next); }

void ScriptedRun::next() {
  using K = ScriptCommand::Kind;
  while (at_ < script_.size()) {
    const ScriptCommand& cmd = script_[at_++];
    // Nothing to print or check: the windows show it (krunkplexa-play checks `expect`).
    if (cmd.kind == K::State || cmd.kind == K::Analyse || cmd.kind == K::Expect) continue;
    std::string refusal;
    if (cmd.kind == K::Wait) {
      if (launcher_) launcher_->advanceScriptClock(cmd.number);
      QTimer::singleShot(int(std::min<std::int64_t>(cmd.number, 3'600'000)), this, &ScriptedRun::next);
      return;
    }
    if (cmd.kind == K::Open) {
      // As Other Games opens a window: the new one first, then the one shown closes.
      const QPointer<QWidget> previous = shown_;
      const auto kind = windowFromName(cmd.text);
      if (!kind || !shell_.openWindow(*kind))
        refusal = "no window '" + cmd.text + "' in this version";
      else if (previous)
        previous->close();
    } else if (cmd.kind == K::Launcher || cmd.kind == K::Hover) {
      // As in the runner: past the last index there is no label, and a click on nothing does nothing.
      const int n = cmd.number > Launcher::kLastIndex ? Launcher::kLastIndex + 1 : int(cmd.number);
      const LauncherLabel* label = launcher_ ? launcher_->model().label(n) : nullptr;
      if (!launcher_)
        refusal = "no launcher is open";
      else if (label && !label->visible)
        refusal = "launcher label " + std::to_string(n) + " is hidden";
      else if (label && cmd.kind == K::Launcher)
        launcher_->labelClicked(n);
      else if (label)
        launcher_->labelHovered(n);
    } else if (!window_) {
      refusal = "no game window is open";
    } else {
      refusal = playOn(window_->controller(), cmd);
    }
    if (!refusal.empty()) {
      std::cerr << "krunkplexa: script line " << cmd.lineNo << ": " << refusal << "\n";
      result_ = 2;
    }
    // One command a turn of the event loop, so each is painted as a click would be.
    QTimer::singleShot(0, this, &ScriptedRun::next);
    return;
  }
  finish();
}

void ScriptedRun::finish() {
  if (!screenshot_.isEmpty()) {
    QPixmap picture;
    if (shown_) {
      // What the display shows of the window; drawn by the window itself where the
      // platform cannot read the screen back.
      if (QScreen* screen = shown_->screen()) picture = screen->grabWindow(shown_->winId());
      if (picture.isNull()) picture = shown_->grab();
    }
    if (picture.isNull() || !picture.save(screenshot_, "PNG")) {
      std::cerr << "krunkplexa: could not save the picture " << screenshot_.toStdString() << "\n";
      result_ = 2;
    }
  }
  finished_ = true;
  shell_.quit();
}

}  // namespace kp
