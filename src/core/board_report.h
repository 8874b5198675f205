#pragma once
#include <array>
#include <optional>
#include <vector>

#include "core/colours.h"
#include "core/scene.h"

namespace kp {

// How one drawn stroke looks.
struct StrokeLook {
  Colour colour = kUnclaimedLine;
  int width = 1;
  bool visible = true;
  bool dashed = false;
};
// A Line drawn as a base stroke with a thin stroke beside it for each unit it lies in (the
// wire frame's cubes) and a marker at its middle.
struct LineStrokes {
  StrokeLook base;
  std::array<StrokeLook, 3> units;
  bool marker = false;
};

// What a board tells the runner and the fuzzer beyond the drawing record, where it has it;
// every part left empty is what a board without it says.
struct BoardReport {
  // Who the rules hold each cube for ([cube] -> 0, 1 Red, 2 Blue; index 0 unused), on the
  // boards that judge cubes.
  std::vector<int> cubeOwners;
  // The turn a board is seen in where it keeps one beside its views.
  std::optional<int> orientation;
  // Every Line's strokes in each of the board's pictures ([line][picture]), where a board
  // draws its Lines in several strokes.
  std::vector<std::vector<LineStrokes>> lineStrokes;
  // The invisible click regions along the drawn Lines, where a board has them: the target
  // region n (from 0) stands on.
  std::vector<Target> clickRegions;
};

}  // namespace kp
