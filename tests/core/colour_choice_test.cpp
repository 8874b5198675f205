#include "core/colour_choice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

#include "boards/flat/house_board.h"
#include "boards/flat/square_board.h"
#include "boards/triangular/triangle_board.h"

namespace kp {
namespace {

// The colour games' choice written the plain way: copy the board for every move and
// every answer and count every Cell. chooseByColour only weighs the Cells a move touches;
// it must pick exactly as this does. Red and its second colour count for the computer.
int plainChoice(const BoardGraph& g, const Claims& d, const ColourMoves& moves, Random& random) {
  enum Owner { None, Red, Blue, Neutral };
  std::vector<int> board(std::size_t(g.lineCount + 1), None);
  for (int l = 1; l <= g.lineCount; ++l)
    if (d[std::size_t(l)].owner != 0) {
      const Colour c = d[std::size_t(l)].colour;
      board[std::size_t(l)] = c == kBlue ? Blue : c == kRed || c == kRedTurnText ? Red : Neutral;
    }
  auto balance = [&](const std::vector<int>& b) {
    int total = 0;
    for (int c = 1; c <= g.cellCount; ++c) {
      const int first = b[std::size_t(g.cellSides[c][0])];
      if ((first == Red || first == Blue) &&
          std::ranges::all_of(g.cellSides[c], [&](int l) { return b[std::size_t(l)] == first; }))
        total += first == Red ? 1 : -1;
    }
    return total;
  };
  auto painted = [&](std::vector<int> b, std::size_t m, Owner owner) {
    for (int l : moves.lines(m)) b[std::size_t(l)] = owner;
    return b;
  };
  int best = INT_MIN;
  std::vector<int> bestMoves;
  for (std::size_t mine = 0; mine < moves.size(); ++mine) {
    const std::vector<int> after = painted(board, mine, Red);
    int worst = balance(after);
    for (std::size_t reply = 0; reply < moves.size(); ++reply)
      if (moves.id(reply) != moves.id(mine)) worst = std::min(worst, balance(painted(after, reply, Blue)));
    if (worst > best) best = worst, bestMoves.clear();
    if (worst == best) bestMoves.push_back(moves.id(mine));
  }
  return bestMoves[std::size_t(random.pick(int(bestMoves.size())) - 1)];
}

// Random positions part-way through a game: Lines claimed in Red, Red's second colour,
// Blue or a colour nobody counts; moves of a few Lines each, some sharing Lines, some
// with joined partners, one of them at times painting a Line twice. Both square boards,
// both triangular ones (more than 64 Lines), the 9 by 9 square board (more than 64 Cells,
// more than 128 Lines) on both sub-levels, and the house of squares and triangles.
TEST(ColourChoiceAgreesWithThePlainCount, RandomPositionsOnEveryBoard) {
  const std::pair<BoardGraph, int> boards[] = {
      {square::graph(false), 500},    {square::graph(true), 400},           {triangular::graph(false), 300},
      {triangular::graph(true), 300}, {square::board(9).graph(false), 200}, {square::board(9).graph(true), 150},
      {house().graph(false), 150},
  };
  std::mt19937 rng(1);
  const Colour colours[] = {kRed, kRedTurnText, kBlue, kBlack};
  for (const auto& [g, positions] : boards)
    for (int p = 0; p < positions; ++p) {
      Claims d(std::size_t(g.lineCount + 1));
      for (int i = int(rng() % unsigned(g.lineCount)); i > 0; --i) d[1 + rng() % unsigned(g.lineCount)] = {1, colours[rng() % 4]};
      ColourMoves moves;
      for (int id = 1, count = 1 + int(rng() % 30); id <= count; ++id)
        moves.add(id, [&](std::vector<int>& lines) {
          const std::size_t first = lines.size();
          for (int i = int(rng() % 14); i >= 0; --i) {
            const int l = 1 + int(rng() % unsigned(g.lineCount));
            lines.push_back(l);
            if (g.partner[l]) lines.push_back(g.partner[l]);
          }
          if (rng() % 5 == 0) lines.push_back(lines[first]);
        });
      for (std::uint32_t s = 1; s <= 4; ++s) {
        Random a(s), b(s);
        ASSERT_EQ(chooseByColour(g, d, moves, {kRed, kRedTurnText}, a), plainChoice(g, d, moves, b))
            << g.lineCount << " Lines, position " << p << ", seed " << s;
      }
    }
}

}  // namespace
}  // namespace kp
