// kp_click_bench: the time from a mouse press on a free Line of a game window (any window of
// the catalogue, the square window unless named) to the end of the repaint that shows it
// claimed, as a person waits for it.
//
// The windows open on a Krunk game, so Tolva is chosen first (its entry of the Games
// menu); two people take turns. Each press goes through the window system queue like a
// real one; the clock stops when the board's first paint after it has drawn the claimed
// Line (the window's flush follows at once). Games are played to the end in a random order
// of Lines; a press that ends a game also opens the result box and is reported on its own,
// with the time until the event loop is free again (the box built and shown).
//
//   kp_click_bench [GAMES] [WINDOW] [MENU ID...]     (WINDOW: a name of krunkplexa-play --list-windows)
#include <QApplication>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPushButton>
#include <QtTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "floor_window.h"
#include "shell/board_view.h"
#include "shell/game_window.h"
#include "shell/shell.h"

namespace {

using Clock = std::chrono::steady_clock;

// Counts the board's paint events and the area they cover, and notes when each has
// finished: the filter hands the event to the board itself and stamps the clock after.
class PaintWatcher : public QObject {
 public:
  int paints = 0;
  long long area = 0;
  Clock::time_point lastPainted;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) area += (long long)r.width() * r.height();
    watched->event(event);  // QObject::event is public; the board paints here
    lastPainted = Clock::now();
    ++paints;
    return true;
  }
};

double percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, std::size_t(p * double(v.size() - 1) + 0.5))];
}

// Where a person clicks to claim the Line drawn at a place: on the first piece of the
// picture that takes the click for it (a click region along it, its number label, or its
// stroke), the point nearest the piece's middle that nothing drawn over it (a completed
// square's circle) takes for itself.
QPoint clickPoint(const kp::BoardView& view, const kp::Scene& scene, int place) {
  const kp::Target target = kp::Target::line(place);
  std::vector<QPointF> tries;
  auto along = [&](kp::Point2 a, kp::Point2 b) {
    for (double t : {0.5, 0.4, 0.6, 0.3, 0.7, 0.2, 0.8})
      tries.emplace_back(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t);
  };
  // A click region (along it) or a number label (its centre), where the board has them.
  for (const kp::Shape& s : scene.shapes)
    if (tries.empty() && s.target == target && s.kind == kp::Shape::Kind::Region && s.points.size() == 2) {
      along(s.points[0], s.points[1]);
    } else if (tries.empty() && s.target == target && s.points.size() >= 2) {
      QPointF sum;
      for (const kp::Point2& p : s.points) sum += QPointF(p.x, p.y);
      tries.push_back(sum / double(s.points.size()));
    }
  for (const kp::Stroke& s : scene.strokes)
    if (tries.empty() && s.target == target) along(s.a, s.b);
  if (tries.empty()) return {};
  for (const QPointF& p : tries)
    if (const QPoint at = view.toWidget({p.x(), p.y()}).toPoint(); view.targetAt(at) == target) return at;
  return view.toWidget({tries.front().x(), tries.front().y()}).toPoint();
}

// The Games entry that plays Tolva (its Lines are the targets); nullptr when the window has none.
QAction* tolvaEntry(const kp::GameWindow& w) {
  for (int i = 0; i < 100; ++i)  // a variant table's indices need not start at 0
    if (QAction* entry = w.action("games." + std::to_string(i));
        entry && entry->text().remove('&').trimmed().startsWith("Tolva"))
      return entry;
  return nullptr;
}

void closeMessageBoxes() {
  for (QWidget* top : QApplication::topLevelWidgets())
    if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) box->button(QMessageBox::Ok)->click();
  QCoreApplication::processEvents();
}

}  // namespace

// The floor's figure for the same measure: a press on its painted widget, which repaints
// all of it, to the end of that paint. The median over `presses`.
double floorPressToPaint(int presses) {
  kp::bench::FloorWindow window;
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return -1;
  QWidget* canvas = window.centralWidget();
  PaintWatcher watcher;
  canvas->installEventFilter(&watcher);
  std::vector<double> times;
  for (int i = 0; i < presses; ++i) {
    QCoreApplication::processEvents();
    const int paintsBefore = watcher.paints;
    const auto start = Clock::now();
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(90 + i % 400, 90));
    while (watcher.paints == paintsBefore && Clock::now() - start < std::chrono::seconds(2))
      QCoreApplication::processEvents();
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(90 + i % 400, 90));
    if (watcher.paints == paintsBefore) return -1;
    if (i >= presses / 10) times.push_back(std::chrono::duration<double, std::milli>(watcher.lastPainted - start).count());
  }
  return percentile(times, 0.5);
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int games = argc > 1 ? std::max(2, std::atoi(argv[1])) : 12;
  const std::string name = argc > 2 ? argv[2] : "square";
  const auto kind = kp::windowFromName(name);
  if (!kind) return 2;
  const double floorMs = floorPressToPaint(300);

  kp::Shell shell;
  kp::GameWindow* w = shell.openWindow(*kind);
  if (!QTest::qWaitForWindowExposed(w)) return 1;
  for (int i = 3; i < argc; ++i) w->action(argv[i])->trigger();  // a board of the window's menus
  QAction* tolva = tolvaEntry(*w);
  if (!tolva) {
    std::fprintf(stderr, "%s: no Tolva in its Games menu\n", name.c_str());
    return 2;
  }
  tolva->trigger();
  QTest::qWait(50);
  kp::BoardView* view = w->boardView();
  PaintWatcher watcher;
  view->installEventFilter(&watcher);
  const auto& controller = w->controller();

  std::mt19937 rng(7);
  std::vector<double> warmup, presses, ending, endingFree;
  std::vector<long long> areas;
  for (int g = 0; g < games; ++g) {
    std::vector<int> order(std::size_t(controller.lineCount()));
    for (int i = 0; i < controller.lineCount(); ++i) order[std::size_t(i)] = i + 1;
    std::shuffle(order.begin(), order.end(), rng);
    const kp::Scene scene = controller.scene();
    for (int line : order) {
      // The view is the first, where place n shows Line n. (A Globoria partner is claimed with its Line.)
      if (controller.rules().claimed(line)) continue;
      // A completed triangle flashes while the board takes no click: the next press waits.
      while (controller.moveLock()) QTest::qWait(10);
      QCoreApplication::processEvents();  // nothing left over from the last press
      const QPoint at = clickPoint(*view, scene, line);
      const int paintsBefore = watcher.paints;
      const long long areaBefore = watcher.area;
      const auto start = Clock::now();
      QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, at);
      while (watcher.paints == paintsBefore && Clock::now() - start < std::chrono::seconds(2))
        QCoreApplication::processEvents();
      const double ms = std::chrono::duration<double, std::milli>(watcher.lastPainted - start).count();
      const double freeMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, at);
      if (watcher.paints == paintsBefore) {
        std::fprintf(stderr, "line %d: no repaint within 2 s\n", line);
        return 1;
      }
      if (controller.status().gameOver) {
        ending.push_back(ms);
        endingFree.push_back(freeMs);
      } else {
        (g == 0 ? warmup : presses).push_back(ms);
        if (g > 0) areas.push_back(watcher.area - areaBefore);
      }
    }
    closeMessageBoxes();
    w->action("game.new")->trigger();
    QCoreApplication::processEvents();
  }

  std::vector<double> areaPx(areas.begin(), areas.end());
  std::printf(
      "click to finished repaint, %s window, Tolva, %zu presses on free Lines (%d games after one warm-up game)\n",
      name.c_str(), presses.size(), games - 1);
  std::printf("  median %.3f ms   p90 %.3f ms   p99 %.3f ms   worst %.3f ms\n", percentile(presses, 0.5),
              percentile(presses, 0.9), percentile(presses, 0.99), percentile(presses, 1.0));
  std::printf("  floor: a press on its painted widget to the end of its repaint: median %.3f ms; "
              "krunkplexa's median %.2f x the floor's\n",
              floorMs, floorMs > 0 ? percentile(presses, 0.5) / floorMs : 0.0);
  std::printf("  board area repainted per press: median %.0f px (board view %dx%d = %d px)\n", percentile(areaPx, 0.5),
              view->width(), view->height(), view->width() * view->height());
  std::printf("  warm-up game: median %.3f ms, worst %.3f ms (the first press %.3f ms)\n", percentile(warmup, 0.5),
              percentile(warmup, 1.0), warmup.empty() ? 0.0 : warmup.front());
  std::printf("  presses that end a game and open the result box (%zu): median %.3f ms, worst %.3f ms;\n"
              "    until the box is built and shown: median %.3f ms, worst %.3f ms\n",
              ending.size(), percentile(ending, 0.5), percentile(ending, 1.0), percentile(endingFree, 0.5),
              percentile(endingFree, 1.0));
  return 0;
}
