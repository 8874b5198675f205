#include "core/colour_choice.h"

#include <algorithm>
#include <climits>

namespace kp {

namespace {

enum Owner : unsigned char { None, Red, Blue, Neutral };

struct Board {
  const BoardGraph& graph;
  std::vector<Owner> lines;

  int balance() const {  // Red's Cells minus Blue's
    int total = 0;
    for (int c = 1; c <= graph.cellCount; ++c) {
      const Owner first = lines[graph.cellSides[c][0]];
      if (first != Red && first != Blue) continue;
      bool all = true;
      for (int l : graph.cellSides[c]) all = all && lines[l] == first;
      if (all) total += first == Red ? 1 : -1;
    }
    return total;
  }
};

}  // namespace

int chooseByColour(const BoardGraph& graph, const Drawing& drawing, const std::vector<ColourMove>& moves,
                   std::initializer_list<Colour> redColours, Random& random) {
  if (moves.empty()) return 0;
  Board board{graph, std::vector<Owner>(graph.lineCount + 1, None)};
  for (int l = 1; l <= graph.lineCount; ++l) {
    const LineDraw& d = drawing.lines[l];
    if (d.width != kClaimedWidth) continue;
    board.lines[l] = d.colour == kBlue ? Blue
                     : std::find(redColours.begin(), redColours.end(), d.colour) != redColours.end() ? Red
                                                                                                     : Neutral;
  }

  int best = INT_MIN;
  std::vector<int> bestMoves;
  for (const auto& mine : moves) {
    Board after = board;
    for (int l : mine.lines) after.lines[l] = Red;
    int worst = after.balance();
    for (const auto& reply : moves) {
      if (reply.id == mine.id) continue;
      Board answered = after;
      for (int l : reply.lines) answered.lines[l] = Blue;
      worst = std::min(worst, answered.balance());
    }
    if (worst > best) best = worst, bestMoves.clear();
    if (worst == best) bestMoves.push_back(mine.id);
  }
  return bestMoves[random.pick(int(bestMoves.size())) - 1];
}

}  // namespace kp
