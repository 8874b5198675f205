#include "boards/fourd/wireframe_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace kp {
namespace {

using T = TesseractBoard;

// The main view's strokes of a Line standing still in orientation 0: its base stroke
// (the one that takes the click), then its three cube strokes and its marker.
const Stroke* baseOf(const Scene& s, int line) {
  for (const Stroke& stroke : s.strokes)
    if (stroke.target == Target::line(line)) return &stroke;
  return nullptr;
}

// Each input of the picture, set alone on an empty board, shows where it should and only
// there: what a window hands the picture is what it draws.
TEST(WireframePicture, EachInputShowsOnItsLineAlone) {
  const BoardGraph graph = T::graph();
  StatusLabels status;
  Drawing drawing;
  drawing.resize(T::kLines, T::kSquares);
  for (int l = 1; l <= T::kLines; ++l) drawing.lines[std::size_t(l)].width = kWireframeFreeWidth;
  LineGame rules{status, drawing};
  rules.setGraph(&graph);
  const View view = T::view(0);
  const std::vector<Control> controls;
  auto units = [](const Scene& s, int line) { return baseOf(s, line) + 1; };
  const struct {
    const char* what;
    std::function<void(WireframePicture&, WireframeInputs&)> set;
    std::function<bool(const Scene&, int line)> shows;  // on Line `line`
    std::vector<int> lines;                             // where it shows
  } cases[] = {
      {"the Best Hint's halo under a Line",
       [](auto&, auto& in) { in.hinted = {5}; },
       [](const Scene& s, int line) {
         const Stroke* base = baseOf(s, line);  // (under the claim's halo)
         return base - s.strokes.data() >= 2 && (base - 2)->width == 12;
       },
       {5}},
      {"a closed Line dotted",
       [](auto&, auto& in) { in.closed = {5}; },
       [](const Scene& s, int line) { return baseOf(s, line)->dotted; },
       {5}},
      {"a completed cube's strokes thicker", [](auto&, auto& in) { in.highlighted = {7}; },
       [&](const Scene& s, int line) {
         for (int k = 0; k < 3; ++k)
           if (units(s, line)[k].width == 4 && T::lineCubes(line)[std::size_t(k)].cube == 7) return true;
         return false;
       },
       T::cubeLines(7)},
      {"a claim's cube strokes thick",
       [](auto& p, auto&) { p.drawClaim(5); },
       [&](const Scene& s, int line) { return units(s, line)[0].width == 4 && units(s, line)[2].width == 4; },
       {5}},
      {"the accurate view hides the far corner's Lines", [&](auto& p, auto&) { p.hideHidden(view); },
       [](const Scene& s, int line) { return !baseOf(s, line)->visible; }, T::onlyIn(false)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WireframePicture picture;
    WireframeInputs in{.rules = rules, .view = view, .controls = controls};
    c.set(picture, in);
    const Scene scene = wireframeScene(picture, drawing, in);
    for (int l = 1; l <= T::kLines; ++l) {
      ASSERT_NE(baseOf(scene, l), nullptr);
      EXPECT_EQ(c.shows(scene, l), std::find(c.lines.begin(), c.lines.end(), l) != c.lines.end()) << "Line " << l;
    }
  }
}

}  // namespace
}  // namespace kp
