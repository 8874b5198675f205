// krunkplexa: the game.
#include <QApplication>
#include <cstdlib>
#include <iostream>

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
  kp::Shell shell;
  shell.openLauncher();
  return app.exec();
}
