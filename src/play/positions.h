#pragma once
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/board_graph.h"
#include "core/line_game.h"

namespace kp {

// A Tolva position with its answer, as the regression files of tests/positions keep them
// (the format is described in tests/positions/README.md):
//
//   position NAME
//   board square            a runner window: square (5 by 5) or triangular
//   level planor            planor or globoria
//   mover blue              red or blue
//   claimed 1 2 3 ...       the claimed Lines (both Lines of a joined pair)
//   value -3                what the mover still gains minus what the opponent does
//   best 12 40              every optimal Line, ascending (both Lines of a joined pair)
struct TolvaPosition {
  std::string name;
  std::string board;
  int subLevel = 0;
  Player mover = Player::Blue;
  std::vector<int> claimed;
  std::optional<int> value;  // nothing while the answer is still to be worked out
  std::vector<int> best;
  int lineNo = 0;  // of its `position` line
};

// Every position of a file, in order. '#' starts a comment. A position without `value`
// and `best` has no answer yet; anything else missing, repeated or malformed throws
// std::runtime_error naming the line.
std::vector<TolvaPosition> readPositions(std::istream& in);

// The position's claimed flags on its board (see claimedFlags). Throws
// std::invalid_argument for a Line off the board or a joined pair claimed by half.
std::vector<char> positionFlags(const TolvaPosition& position, const BoardGraph& graph);

// How many moves are free (a joined pair is one move).
int freeMoves(const BoardGraph& graph, const std::vector<char>& claimed);

// What a solver answers for a position: its value and every optimal Line (as in the file).
using PositionSolver = std::function<std::pair<int, std::vector<int>>(const BoardGraph&, const std::vector<char>&)>;

// Copies a positions file from in to out with every position's `value` and `best` as
// `solve` answers them, written after its `claimed` line; answers given before are
// dropped, comments kept. Throws as readPositions and positionFlags.
void fillAnswers(std::istream& in, std::ostream& out, const PositionSolver& solve);

// Analyses every position with the Expert, prints one JSON line for each (its answer, the
// expected one, the time taken) and one summary line; returns how many positions it
// answered otherwise than expected, inexactly or without an answer to compare.
int checkPositions(const std::vector<TolvaPosition>& positions, std::ostream& out);

}  // namespace kp
