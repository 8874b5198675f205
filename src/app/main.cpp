// krunkplexa: the game.
#include <QApplication>
#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "app/first_paint_probe.h"
#include "core/window_kind.h"
#include "shell/shell.h"

namespace {

// Without a display Qt would abort with a message few players understand.
bool haveDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform) return true;
  const char* x = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (wayland && *wayland);
}

}  // namespace

int main(int argc, char** argv) {
  if (!haveDisplay()) {
    std::cerr << "krunkplexa: there is no display to open the game window on.\n"
                 "Start it from a desktop session, or under a virtual display:\n"
                 "  xvfb-run -a ./krunkplexa\n"
                 "(xvfb-run comes with the xvfb package: apt-get install -y xvfb xauth)\n";
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Krunk Plexa");
  // Measuring hooks for bench/run (see the README, Performance): --bench-first-paint
  // ends the program at the end of its first paint; --open NAME starts in that game
  // window instead of the launcher, on the wall --wall-level N names (1 to 3).
  const QStringList args = QApplication::arguments();
  if (args.contains("--bench-first-paint")) new kp::FirstPaintProbe(app);
  kp::Shell shell;
  if (const qsizetype wall = args.indexOf("--wall-level"); wall > 0 && wall + 1 < args.size())
    shell.program().wallLevel = std::clamp(args[wall + 1].toInt(), 1, 3);
  const qsizetype open = args.indexOf("--open");
  if (open > 0 && open + 1 < args.size()) {
    const auto kind = kp::windowFromName(args[open + 1].toStdString());
    if (!kind || !shell.openWindow(*kind)) {
      std::cerr << "krunkplexa: no window '" << args[open + 1].toStdString() << "' in this version.\n";
      return 2;
    }
  } else {
    shell.openLauncher();
  }
  return app.exec();
}
