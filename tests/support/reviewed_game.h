#pragma once
#include <utility>
#include <vector>

#include "core/line_game.h"

namespace kp::testing {

// Tolva on the 5 by 5 Planor board in krunkplexa-play, its Lines in order: a person (Blue)
// against the standard computer (Red), taking any Cell offered, else the first Line of 13 46
// 11 41 51 54 31 1 20 30 52 40 23 34 17 48 18 15 49 24 29 10 5 25 6 36 2 9 21 16 33 45 that
// gives nothing away, else the first free one. Blue wins 14 to 11.
inline const std::vector<std::pair<int, Player>> kReviewedGame = [] {
  constexpr Player R = Player::Red, B = Player::Blue;
  return std::vector<std::pair<int, Player>>{
      {13, B}, {50, R}, {46, B}, {55, R}, {11, B}, {7, R},  {41, B}, {56, R}, {51, B}, {39, R}, {54, B}, {14, R},
      {31, B}, {22, R}, {1, B},  {37, R}, {20, B}, {58, R}, {30, B}, {57, R}, {52, B}, {19, R}, {40, B}, {43, R},
      {23, B}, {38, R}, {34, B}, {26, R}, {17, B}, {44, R}, {12, R}, {42, R}, {53, R}, {48, B}, {18, B}, {15, B},
      {49, B}, {24, B}, {29, B}, {10, B}, {5, B},  {25, B}, {60, R}, {59, R}, {32, R}, {6, B},  {36, B}, {2, B},
      {9, B},  {4, R},  {47, R}, {8, R},  {3, R},  {35, R}, {21, B}, {16, B}, {33, B}, {45, B}, {28, R}, {27, R}};
}();

}  // namespace kp::testing
