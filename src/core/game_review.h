#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/board_graph.h"
#include "core/expert_limits.h"
#include "core/line_game.h"

namespace kp {

// A game of Tolva looked over by the Expert after it is played: every move with what it
// was worth to the player who made it.
struct ReviewedMove {
  int move = 0;  // 1-based
  Player player = Player::Red;
  int line = 0;
  // For the player who moved: the value of the position before the move, and what the move
  // scored plus the value of the position it left (the points still to come, the player's
  // less the opponent's, with best play by both). Where that position was only estimated
  // and the move was not the Expert's, valueBefore is what the Expert's move would have
  // scored and left, analysed like the move's own: estimates of positions a move apart may
  // come from looks of different depths and do not compare.
  int valueBefore = 0;
  int valueAfter = 0;
  // What the move cost against the best one: valueBefore - valueAfter, 0 for a best move.
  int loss = 0;
  std::vector<int> best;  // the Expert's moves there, one Line each (a joined pair's lower), ascending
  bool exact = false;     // both values solved, not estimated
  std::string why;        // for a move that lost points: what it did wrong, in a few words
};

struct GameReview {
  std::vector<ReviewedMove> moves;
  // The move after which the eventual winner was never again level or behind, reckoned back
  // from the end by the losses listed (the margin had both played best from each point on);
  // where the winner led from the start, or the game is tied, the costliest move of the
  // loser (of either player in a tie). 0: none.
  int turningPoint = 0;
  // Why the review stopped before the record's end (a move that is no move there, or a
  // record where the wrong player moves); empty when it reviewed every move. A cancelled
  // review stops with this empty and fewer moves.
  std::string error;
};

// A review's budget for each position: exact wherever the Expert solves within it (on the
// 5 by 5 board from about 35 free Lines), and a whole 5 by 5 game in a few seconds.
inline constexpr std::int64_t kReviewNodes = 300'000;

// Reviews a game of Tolva played on g from the empty board: moves are its Lines in order,
// each with who claimed it (a joined pair is one move: either Line names it). Every
// position is analysed once, within perPosition (and for a move that was not the Expert's
// where it did not solve, the position the Expert's move leaves); progress, when given,
// hears after each position (done of total). perPosition.stop ends the review early with
// the moves reviewed so far.
GameReview reviewTolva(const BoardGraph& g, const std::vector<std::pair<int, Player>>& moves, ExpertLimits perPosition,
                       const std::function<void(int done, int total)>& progress = {});

// A move that lost points as one line of text: "-3: Line 17 gave away 3 Cells; the Expert's
// move was Line 42" (estimated values say so at the end).
std::string reviewLine(const ReviewedMove& m);

}  // namespace kp
