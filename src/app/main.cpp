// krunkplexa: the game.
#include <QApplication>
#include <QCommandLineParser>
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <fstream>
#include <memory>

#include "app/first_paint_probe.h"
#include "core/window_kind.h"
#include "shell/game_window.h"
#include "shell/launcher_window.h"
#include "shell/scripted_run.h"
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

struct Options {
  QCommandLineOption open{"open", "Start in the game window WINDOW instead of the launcher: square, largesquare, "
                                  "house, torus, triangular, cube, wall, tetrahedron, wireframe, triangular4d or "
                                  "quadrion.",
                          "WINDOW"};
  QCommandLineOption wallLevel{"wall-level", "With --open wall: 1 Krunk the Wall, 2 a Bigger Wall, 3 the Great Wall.",
                               "N"};
  QCommandLineOption script{"script", "Play the user events of FILE in the windows (the commands of krunkplexa-play's "
                                      "scripts that a person makes: launcher, hover, open, menu, line, circle, region, "
                                      "button, check, keypad, wait), then quit.",
                            "FILE"};
  QCommandLineOption screenshot{"screenshot", "With --script: save a picture of the window shown at its end as PNG.",
                                "PNG"};
  // Measuring hook for bench/run: ends the program at the end of its first paint.
  QCommandLineOption firstPaint{"bench-first-paint", "Quit after the first paint."};
};

// Reads the command line; --help, --version and a bad option end the program here, with
// or without a display.
void parse(QCommandLineParser& parser, Options& options, const QCoreApplication& app) {
  parser.setApplicationDescription("Krunk Plexa: line-and-cell games on flat boards and in 3D and 4D.");
  parser.addHelpOption();
  parser.addVersionOption();
  options.firstPaint.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOptions({options.open, options.wallLevel, options.script, options.screenshot, options.firstPaint});
  parser.process(app);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication::setApplicationName("krunkplexa");
  QCoreApplication::setApplicationVersion(KP_VERSION);
  QCommandLineParser parser;
  Options options;
  if (!haveDisplay()) {
    {
      QCoreApplication text(argc, argv);
      parse(parser, options, text);
    }
    std::cerr << "krunkplexa: there is no display to open the game window on.\n"
                 "Start it from a desktop session, or under a virtual display:\n"
                 "  xvfb-run -a krunkplexa\n"
                 "(xvfb-run comes with the xvfb package: apt-get install -y xvfb xauth)\n";
    return 1;
  }
  QApplication app(argc, argv);
  parse(parser, options, app);
  QGuiApplication::setDesktopFileName("org.krunkplexa.KrunkPlexa");
  if (parser.isSet(options.firstPaint)) new kp::FirstPaintProbe(app);
  kp::Shell shell;
  if (parser.isSet(options.wallLevel)) shell.program().wallLevel = std::clamp(parser.value(options.wallLevel).toInt(), 1, 3);
  if (parser.isSet(options.screenshot) && !parser.isSet(options.script)) {
    std::cerr << "krunkplexa: --screenshot is taken at the end of a --script.\n";
    return 2;
  }
  std::vector<kp::ScriptCommand> script;
  if (parser.isSet(options.script)) {
    std::ifstream file(parser.value(options.script).toStdString());
    if (!file) {
      std::cerr << "krunkplexa: cannot read " << parser.value(options.script).toStdString() << "\n";
      return 2;
    }
    try {
      script = kp::parseScript(file);
    } catch (const kp::ScriptError& e) {
      std::cerr << "krunkplexa: " << parser.value(options.script).toStdString() << ": " << e.what() << "\n";
      return 2;
    }
  }
  QWidget* first = nullptr;
  if (parser.isSet(options.open)) {
    const auto kind = kp::windowFromName(parser.value(options.open).toStdString());
    if (!kind || !(first = shell.openWindow(*kind))) {
      std::cerr << "krunkplexa: no window '" << parser.value(options.open).toStdString() << "' in this version.\n";
      return 2;
    }
  } else {
    first = shell.openLauncher();
  }
  if (!parser.isSet(options.script)) return app.exec();
  auto* run = new kp::ScriptedRun(shell, std::move(script), parser.value(options.screenshot), first);
  run->start();
  const int code = app.exec();
  if (!run->finished()) std::cerr << "krunkplexa: the program ended before the script did.\n";
  return code ? code : run->result();
}
