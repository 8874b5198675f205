#pragma once
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/board_graph.h"
#include "core/drawing.h"
#include "core/line_game.h"
#include "core/status_labels.h"

namespace kp {

// The move procedures the boards share, over the rules, the drawing and the labels: what a
// circle move paints, the Krunk family's count after a move, the last move that plays
// itself, the owners counted from the board, and the words for the moves left and for a
// move already taken.

// How a board words its moves-left label.
enum class MovesWording {
  Plain,     // "12 moves left", "1 moves left", "0 moves left"
  Counted,   // "12 moves left", "1 move left", "No moves left"
  GameOver,  // "12 moves left", "1 moves left", "Game over"
};
std::string movesLeftText(int n, MovesWording wording);

// How a board answers a click on a Line or circle already played: a message, or the turn
// label's text.
struct InvalidMove {
  bool inMessage = true;
  const char* text = "Invalid move!";
};

// The points the board shows (Red, Blue): with byColour, the Cells all of whose sides are
// one player's colour (Red's in any of redColours); otherwise the Cells whose circle is
// filled in a player's colour.
std::pair<int, int> countPointsOnBoard(const LineGame& rules, const Drawing& drawing, const BoardGraph& graph,
                                       bool byColour, std::initializer_list<Colour> redColours);

// The free Lines (but those closed) that neither score nor give the opponent a Cell: in no
// Cell with two or three claimed Lines.
std::vector<int> nonScoringLines(const LineGame& rules, const std::vector<int>& closed = {});

// A circle move: circle c used (its border green), the Lines it claims painted in the
// mover's colour (nobody's: black), "Last move: c".
void paintCircle(LineGame& rules, Drawing& drawing, StatusLabels& status, int c, const std::vector<int>& lines,
                 std::optional<Player> mover);

// The Krunk family's count after a move that painted `painted`, the Cells' owners having
// been `before` (LineGame::cellOwners()): the Cells recounted (for `scorer` where they are
// kept by whoever completes them), then `afterRecount`; a mover who has won a Cell the move
// did not paint whole keeps the turn. Returns how many such Cells the mover won (0 for
// nobody's move).
int krunkCount(LineGame& rules, StatusLabels& status, std::optional<Player> mover, Player scorer,
               const std::vector<int>& before, const std::vector<int>& painted, LineGame::CellCount how,
               const std::function<void()>& afterRecount = {});

// The mover keeps the turn: toggle and "Your turn" markers.
void keepTurn(LineGame& rules, StatusLabels& status, Player mover);

// The Krunk move: "Krunk!" in black (the pen black: nobody's colour), and the last Line
// (the lowest-numbered free one, 0 for none) played for nobody, in black.
void announceKrunk(LineGame& rules, StatusLabels& status);
int firstFreeLine(const LineGame& rules);
void playForNobody(LineGame& rules, StatusLabels& status, int line);

}  // namespace kp
