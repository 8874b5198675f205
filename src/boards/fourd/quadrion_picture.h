#pragma once
#include "boards/fourd/quadrion.h"
#include "core/colours.h"
#include "core/drawing.h"
#include "core/line_game.h"
#include "core/scene.h"

// The Quadrion Krunk window's picture: the ring of four tesseracts in eight figures round
// the key, the number labels with the grid, and the squares' circles in Plexa (Squares).
namespace kp {

// The Lines' widths: free and claimed; the Line the computer (or the Krunk move) is about
// to play, in yellow, wide, so that even a short joining Line shows.
inline constexpr int kQuadrionFreeWidth = 2, kQuadrionClaimWidth = 4, kQuadrionPreviewWidth = 7;
// The cubes' Lines in tints of their colours, so that no free Line looks claimed by a
// player (red 255, blue 16711680) and the white cube shows on the light ground.
inline constexpr Colour kQuadrionCubeColours[4] = {0xB8B8B8, 0x9090D8, 0x404040, 0xD8B090};
inline constexpr Colour kQuadrionJoinColour = 0x8A7A6A;

// What the picture shows beyond the drawing.
struct QuadrionInputs {
  const LineGame& rules;
  bool circles = false;     // a game on the squares' circles: the Lines take no click
  bool grid = false;        // the number labels shown
  bool superKrunk = false;  // the Super Krunk Plus games' picture in the middle
};

Scene quadrionScene(const Drawing& drawing, const QuadrionInputs& in);

}  // namespace kp
