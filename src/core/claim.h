#pragma once
#include <initializer_list>
#include <vector>

#include "core/colours.h"

namespace kp {

// A Line's claim as the rules hold it: who holds it (0 nobody; otherwise the rules'
// marker: 1 Red, 2 Blue, and 1 for a joined partner or a Line a circle move painted) and
// the colour it was claimed in. How wide a claim is drawn is the board's own choice.
struct Claim {
  int owner = 0;
  Colour colour = kUnclaimedLine;
  bool operator==(const Claim&) const = default;
};
using Claims = std::vector<Claim>;  // [line], index 0 unused

// Scoring units by colour: a unit (a Cell, a cube, ...) counts for a player while every one
// of its Lines is claimed in that player's colour (Red's in any of redColours). The rules,
// the computers' checks and the fuzzer all count this one way. owner, when given, receives
// [unit] -> 0, 1 (Red) or 2 (Blue).
struct UnitCount {
  int red = 0, blue = 0;
};
UnitCount countByColour(const std::vector<std::vector<int>>& units, const Claims& claims,
                        std::initializer_list<Colour> redColours, std::vector<int>* owner = nullptr);

}  // namespace kp
