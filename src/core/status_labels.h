#pragma once
#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/colours.h"

namespace kp {

// Writes the pieces one after another into a label's text, in the buffer the text already
// has: a label rewritten on every move allocates only when it outgrows its longest text.
inline void setText(std::string& text, std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (std::string_view p : pieces) size += p.size();
  text.resize(size);
  auto out = text.begin();
  for (std::string_view p : pieces) out = std::copy(p.begin(), p.end(), out);
}

// The status labels of a game window: what they show. The numbers they show (points,
// totals, who is to move) are kept by the rules as numbers and only written here.
struct StatusLabels {
  std::string turnText;
  // The colour of the turn text: the rules' pen (LineGame::pen), shown.
  Colour turnColour = kBlue;
  std::array<bool, 3> yourTurn{false, true, false};  // Player 1 (Red), Player 2 (Blue), Player 3
  std::string redPoints = "0";
  std::string bluePoints = "0";
  std::string redTotal = "0";
  std::string blueTotal = "0";
  bool totalsShown = true;  // the running totals' labels
  // The points tally beside the points, where a board keeps one ("" shows nothing).
  std::string redTally, blueTally;
  std::string movesLeft;
  std::string hint;  // a hint the player asked for ("" shows nothing)
  std::string thinking;  // while the Expert thinks aside ("" shows nothing)
  std::string lastMoveCaption = "Last Move:";
  std::string lastMove;
  std::string gameCaption = "Game = Tolva";
  bool gameOver = false;  // the "GAME" "OVER" banner
  // The finished game's result at a glance, a line a verdict ("Red 19 : 13 Blue", then
  // "cubes 3 : 5" where the board judges by score too), in the colour of the first verdict's
  // winner (black on a tie); "" while a game is on.
  std::string result;
  Colour resultColour = kBlack;
  std::vector<std::string> rounds;
};

}  // namespace kp
