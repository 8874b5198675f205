#pragma once
#include <array>
#include <string>
#include <vector>

#include "boards/fourd/tesseract.h"
#include "core/game_controller.h"
#include "core/line_game.h"
#include "core/scene.h"

// The wire-frame window's picture: the tesseract drawn twice from its 4D corners, large in
// the main view and small, from the opposite side, in the inverse view, each Line a base
// stroke with a thin stroke beside it for each of its three cubes; the number labels, the
// squares' circles, the colour key and the check boxes around them.
namespace kp {

// The widths the picture gives a Line's base stroke: free, and claimed in the main view.
inline constexpr int kWireframeFreeWidth = 3, kWireframeClaimWidth = 7;
// The colour-pair boxes under the colour key.
inline constexpr int kCubePairs = 20;
const char* cubePairCaption(int pair);
// What the check box of the pair does: "Outline in black, in the main view, the square the
// yellow and red cubes share".
std::string cubePairTip(int pair);

// What the picture keeps of its own between two scenes.
struct WireframePicture {
  static constexpr int kLines = TesseractBoard::kLines;
  enum Side { Main = 0, Inverse = 1 };

  // The turn drawn now and the turn the picture is heading for, in degrees (-90 per quarter
  // turn of the orientation, not reduced while turning).
  double angle = 0, targetAngle = 0;
  // [side][line]: the Line's base stroke, and its cube strokes, hidden by the accurate 4D
  // view; its cube strokes' widths.
  std::array<std::array<bool, kLines + 1>, 2> hiddenBase{}, hiddenUnits{};
  std::array<std::array<std::array<int, 3>, kLines + 1>, 2> unitWidth = thin();

  bool turning() const { return angle != targetAngle; }
  // The claim drawing: the Line's cube strokes thick in both views.
  void drawClaim(int line);
  // Every cube stroke back to width 1.
  void thinAll() { unitWidth = thin(); }
  // The accurate 4D view: hides the Lines drawn now at the corner farthest from the eye in
  // the main view and at the nearest corner in the inverse view.
  void hideHidden(const View& view);

 private:
  static std::array<std::array<std::array<int, 3>, kLines + 1>, 2> thin();
};

// What the picture shows beyond its own state: the claims, the view and the window's choices.
struct WireframeInputs {
  const LineGame& rules;
  const View& view;
  int viewNumber = 1;
  std::vector<int> closed;       // the Lines that take no move, drawn dotted
  std::vector<int> hinted;       // the Lines the Best Hint lays a halo under
  std::vector<int> highlighted;  // the cubes just completed, drawn thick for a while
  bool cheat = false;            // the markers of the free Lines shown too
  bool hideIdle = false;         // a claimed Line that scores nothing drawn thin
  bool grid = false;
  const std::vector<Control>& controls;  // the check boxes drawn on the board
};

// Every Line's look in the main and the inverse view: [line][side].
std::vector<std::vector<LineStrokes>> wireframeStrokes(const WireframePicture& picture, const Drawing& drawing,
                                                       const WireframeInputs& in);
Scene wireframeScene(const WireframePicture& picture, const Drawing& drawing, const WireframeInputs& in);

}  // namespace kp
