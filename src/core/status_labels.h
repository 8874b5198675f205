#pragma once
#include <array>
#include <string>
#include <vector>

#include "core/colours.h"

namespace kp {

// The status labels of a game window. The points labels are the store of the points:
// every update reads the number back from the label text and writes it again.
struct StatusLabels {
  std::string turnText;
  Colour turnColour = kBlue;
  std::array<bool, 3> yourTurn{false, true, false};  // Player 1 (Red), Player 2 (Blue), Player 3
  std::string redPoints = "0";
  std::string bluePoints = "0";
  std::string redTotal = "0";
  std::string blueTotal = "0";
  std::string movesLeft;
  std::string lastMoveCaption = "Last Move:";
  std::string lastMove;
  std::string gameCaption = "Game = Tolva";
  bool gameOver = false;  // the "GAME" "OVER" banner
  std::vector<std::string> rounds;
};

}  // namespace kp
