#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/line_game.h"

namespace kp {

// Who made a move: a person at the computer, the standard computer or the Expert.
enum class MoveMaker { Person, Computer, Expert };

// How a record names who made a move: "person", "computer" or "Expert".
const char* makerWord(MoveMaker m);

// One move of a game: a Line or a circle by the board's own number, and who made it.
struct RecordedMove {
  bool circle = false;
  int id = 0;
  Player player = Player::Blue;
  MoveMaker by = MoveMaker::Person;
  int line = 0;  // where it stands in the file it was read from (0: not read from one)
  bool operator==(const RecordedMove& o) const {
    return circle == o.circle && id == o.id && player == o.player && by == o.by;
  }
};

// A game as a record: the window it was played in, the set-up of its menus (every checkable
// entry of the menus that fix a game, by its path, and whether it was ticked), the game
// chosen, and every move in order. Enough to open the window again and replay the game.
struct GameRecord {
  std::string window;  // the window's name, as the runner and the command line name it
  int windowLine = 0;
  struct Setting {
    std::string path;  // "Sub-Levels > Globoria"
    bool on = false;
    int line = 0;  // where it stands in the file read (0: not read from one)
    bool operator==(const Setting& o) const { return path == o.path && on == o.on; }
  };
  std::vector<Setting> settings;
  std::string game;     // the Games menu's entry, by its path
  int gameLine = 0;
  Player opener = Player::Blue;  // who is to move as the game begins
  std::string players;  // who plays Red and Blue, in words (for a reader; the settings decide)
  std::vector<RecordedMove> moves;
};

// The record as a text file (UTF-8, one item a line):
//   krunkplexa-record 1
//   program 1.0
//   window square
//   set Sub-Levels > Globoria          (a ticked set-up entry; "unset PATH" an unticked one)
//   game Games Menu > Tolva
//   opener Blue                        (who is to move as the game begins)
//   players Red computer, Blue person
//   move line 17 Blue person          (or "move circle 3 Red Expert")
// Lines starting with '#' and empty lines are ignored.
std::string writeRecord(const GameRecord& record);

// Why a record cannot be read or played: the line of the file it concerns (0: the file as
// a whole) and what is wrong there.
struct RecordError {
  int line = 0;
  std::string what;
  // "Line 12 of the record: ..."
  std::string message() const;
};

// The longest record the program reads: far more than any game's moves.
inline constexpr std::size_t kLongestRecord = 256 * 1024;

// Reads a record's text; the first line that is not well formed refuses the whole record.
std::variant<GameRecord, RecordError> parseRecord(std::string_view text);
// The same, of a file (refused unread when it is larger than any record).
std::variant<GameRecord, RecordError> readRecordFile(const std::string& path);

}  // namespace kp
