#pragma once

namespace kp {

// The options of the standard menus as a window reads them. The menus show them: a check
// mark is written from these, never read back.
struct Options {
  bool onePlayer = false;  // one player against the computer ("players.0")
  int suddenDeath = 1;     // the Sudden Death entry checked (1: no time limit)
  bool keypad = false;     // the keypad for entering moves shown
  bool grid = false;       // the Line and circle numbers shown
  // The Tolva hints: "No good moves left" on the computer's turn, the Super Hint's count,
  // the Best Hint's Lines.
  bool hintComputer = false, hintSuper = false, hintBest = false;
  bool globoria = false;   // the Sub-Levels' Globoria (else Planor)
  bool cumulative = true;  // the running totals kept, where a window offers the choice
  bool hideIdle = true;    // claimed Lines that scored nothing hidden in the Krunk games
};

}  // namespace kp
