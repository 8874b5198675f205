#include "shell/shell.h"

#include <QApplication>
#include <QDesktopServices>

#include "boards/registry.h"
#include "shell/about_box.h"
#include "shell/game_window.h"
#include "shell/launcher_window.h"

namespace kp {

Shell::Shell(QObject* parent) : QObject(parent), urlOpener_([](const QUrl& u) { return QDesktopServices::openUrl(u); }) {
  clock_.start();
}

GameWindow* Shell::openWindow(WindowKind kind) {
  if (!windowBuilt(kind)) return nullptr;
  auto* w = new GameWindow(*this, kind);
  w->show();
  emit windowOpened(w);
  return w;
}

LauncherWindow* Shell::openLauncher() {
  auto* w = new LauncherWindow(*this);
  w->show();
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
