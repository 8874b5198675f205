// kp_floor: the bare Qt 6 program that krunkplexa's start and memory are compared with.
// With --bench-first-paint it reports the end of its first paint and ends, as krunkplexa does.
#include <QApplication>

#include "app/first_paint_probe.h"
#include "floor_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (QApplication::arguments().contains("--bench-first-paint")) new kp::FirstPaintProbe(app);
  kp::bench::FloorWindow window;
  window.show();
  return app.exec();
}
