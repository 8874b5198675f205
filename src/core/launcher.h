#pragma once
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "core/colours.h"
#include "core/drawing.h"
#include "core/program_state.h"
#include "core/window_kind.h"

namespace kp {

// One text label of the launcher's list.
struct LauncherLabel {
  std::string caption;
  Colour colour = kBlack;
  bool visible = false;
  std::string tip;  // a game name's: the board and the game it opens
};

// What a click on the launcher's list asks of whoever shows it.
struct LaunchResult {
  enum class Kind {
    Nothing,           // not a label, a hidden one, a heading, a marker, an expanded header
    Expanded,          // a group header showed its games
    Open,              // close the launcher for good and load `window`
    NotInThisVersion,  // tell the person `message`; the launcher stays
  };
  Kind kind = Kind::Nothing;
  WindowKind window = WindowKind::Square;
  std::string message;
};

// The launcher's list of game names without a toolkit: labels addressed by index 0 to 122
// (not every index is a label), three group headers that open their group once, game names
// that open a window, and the hover highlight. A hidden label takes no events, as on screen.
class Launcher {
 public:
  static constexpr int kLastIndex = 122;
  static constexpr int kHeader2d = 0;
  static constexpr int kHeader3d = 29;
  static constexpr int kHeader4d = 49;
  static constexpr int kInstruction = 122;

  static constexpr Colour kName2d = 0xFF0000;
  static constexpr Colour kName3d = 0xC00000;  // also the 4D names, and every name after a hover
  static constexpr Colour kHighlight = 0xC000;
  static constexpr Colour kNewRed = 0xFF;
  static constexpr Colour kNewOrange = 0x80FF;
  static constexpr Colour kInstructionColour = 0x800080;
  static constexpr Colour kHeaderColour = 0x800000;
  static constexpr Colour kNoteColour = 0x404040;

  Launcher();

  const std::map<int, LauncherLabel>& labels() const { return labels_; }
  // nullptr when the index is not a label.
  const LauncherLabel* label(int index) const;
  // The window a click on this label would open, whether or not this version has it.
  std::optional<WindowKind> target(int index) const;
  // Whether a click on this label would do anything now: a shown game name, or a shown
  // header still offering its group.
  bool clickable(int index) const;
  // The label last highlighted by the mouse, if any.
  std::optional<int> hoverIndex() const { return hover_; }

  // A click on label `index`. Writes SubLevel or WallLevel into `program` only when the
  // click opens a window, that is when `available` says this version has it.
  LaunchResult click(int index, ProgramState& program, const std::function<bool(WindowKind)>& available);
  // The mouse moved over label `index`; true when a colour changed.
  bool hover(int index);

 private:
  std::map<int, LauncherLabel> labels_;
  std::optional<int> hover_;
};

// One of the four rings that turn beside the list. Angles in degrees.
struct Ring {
  float a = 0;
  float b = 0;
  float c = 0;  // kept with the ring, takes no part in the drawing
  Colour colour = kBlack;
};

// The turning rings without any drawing: their angles, and the points a painter joins.
class RingAnimation {
 public:
  static constexpr int kRingCount = 4;
  static constexpr int kPointCount = 25;  // t = 0 to 360 in steps of 15; first and last coincide
  static constexpr int kStepDegrees = 15;
  static constexpr double kRadius = 70;
  static constexpr double kDotRadius = 2;

  RingAnimation();

  // Rings are numbered from 0 here.
  const std::array<Ring, kRingCount>& rings() const { return rings_; }
  // One frame: angle a of every ring turns by a degree, its whole part kept below 360.
  void tick();
  // Ring i's points for a picture centred on (cx, cy), with y growing downwards.
  std::array<Point2, kPointCount> points(int i, int cx, int cy) const;
  // The dots on ring i take the colour of the ring two places further on.
  Colour dotColour(int i) const { return rings_[(i + 2) % kRingCount].colour; }

  static double radians(double degrees);

 private:
  std::array<Ring, kRingCount> rings_;
};

}  // namespace kp
