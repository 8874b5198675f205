#include "shell/shell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QIcon>
#include <QTimer>

#include "boards/registry.h"
#include "shell/about_box.h"
#include "shell/game_window.h"
#include "shell/launcher_window.h"
#include "shell/screen_fit.h"

namespace kp {

Shell::Shell(QObject* parent) : QObject(parent), urlOpener_([](const QUrl& u) { return QDesktopServices::openUrl(u); }) {
  clock_.start();
  // Every window of the program shows its icon (the desktop entry names the same one).
  QIcon icon;
  for (const int size : {48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/%1x%1/org.krunkplexa.KrunkPlexa.png").arg(size), QSize(size, size));
  QApplication::setWindowIcon(icon);
  // The program always goes on: the Expert's jobs are its only workers, one at a time but
  // for a cancelled one winding down.
  aside_.setMaxThreadCount(2);
  // The Expert thinks for the time the player chose.
  program_.expertOnClock = true;
}

Shell::~Shell() {
  for (const auto& weak : asideStops_)
    if (const auto stop = weak.lock()) *stop = true;
  aside_.waitForDone();
}

void Shell::runAside(std::shared_ptr<std::atomic<bool>> stop, std::function<void()> job) {
  std::erase_if(asideStops_, [](const auto& weak) { return weak.expired(); });
  asideStops_.push_back(stop);
  aside_.start(std::move(job));
}

GameWindow* Shell::openWindow(WindowKind kind) {
  if (!windowBuilt(kind)) return nullptr;
  auto* w = new GameWindow(*this, kind);
  w->show();
  QTimer::singleShot(0, w, [w] { keepOnScreen(*w); });
  emit windowOpened(w);
  return w;
}

LauncherWindow* Shell::openLauncher() {
  auto* w = new LauncherWindow(*this);
  w->show();
  QTimer::singleShot(0, w, [w] { keepOnScreen(*w); });
  return w;
}

void Shell::showAbout() {
  auto* box = new AboutBox([this] { return program_.random.next(); }, [this](const QString& url) { openUrl(QUrl(url)); });
  box->show();
}

void Shell::quit() {
  for (QWidget* w : QApplication::topLevelWidgets()) w->close();
  QCoreApplication::quit();
}

}  // namespace kp
