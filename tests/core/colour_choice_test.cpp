#include "core/colour_choice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <tuple>

#include "boards/flat/square_board.h"
#include "boards/triangular/triangle_board.h"

namespace kp {
namespace {

// The colour games' choice written the plain way: copy the board for every move and
// every answer and count every Cell. chooseByColour only weighs the Cells a move touches;
// it must pick exactly as this does.
int plainChoice(const BoardGraph& g, const Claims& d, const std::vector<ColourMove>& moves,
                std::initializer_list<Colour> redColours, Random& random) {
  enum Owner { None, Red, Blue, Neutral };
  std::vector<int> board(std::size_t(g.lineCount + 1), None);
  for (int l = 1; l <= g.lineCount; ++l) {
    if (d[std::size_t(l)].owner == 0) continue;
    const Colour c = d[std::size_t(l)].colour;
    board[std::size_t(l)] = c == kBlue                                                               ? Blue
                            : std::find(redColours.begin(), redColours.end(), c) != redColours.end() ? Red
                                                                                                     : Neutral;
  }
  auto balance = [&](const std::vector<int>& b) {
    int total = 0;
    for (int c = 1; c <= g.cellCount; ++c) {
      const int first = b[std::size_t(g.cellSides[c][0])];
      if (first != Red && first != Blue) continue;
      bool all = true;
      for (int l : g.cellSides[c]) all = all && b[std::size_t(l)] == first;
      if (all) total += first == Red ? 1 : -1;
    }
    return total;
  };
  int best = INT_MIN;
  std::vector<int> bestMoves;
  for (const auto& mine : moves) {
    std::vector<int> after = board;
    for (int l : mine.lines) after[std::size_t(l)] = Red;
    int worst = balance(after);
    for (const auto& reply : moves) {
      if (reply.id == mine.id) continue;
      std::vector<int> answered = after;
      for (int l : reply.lines) answered[std::size_t(l)] = Blue;
      worst = std::min(worst, balance(answered));
    }
    if (worst > best) best = worst, bestMoves.clear();
    if (worst == best) bestMoves.push_back(mine.id);
  }
  return bestMoves[std::size_t(random.pick(int(bestMoves.size())) - 1)];
}

// An n by n board of squares, numbered like the beginner board: more than 64 Lines and Cells.
BoardGraph grid(int n) {
  const int vertical = n * (n + 1);
  std::vector<std::vector<int>> sides(std::size_t(n * n + 1));
  for (int r = 0; r < n; ++r)
    for (int c = 0; c < n; ++c)
      sides[std::size_t(r * n + c + 1)] = {vertical + r * n + c + 1, (c + 1) * n + r + 1,
                                           vertical + (r + 1) * n + c + 1, c * n + r + 1};
  return BoardGraph::fromCellSides(2 * vertical, std::move(sides));
}

// Random positions part-way through a game: Lines claimed in Red, Red's second colour,
// Blue or a colour nobody counts; moves of a few Lines each, some sharing Lines, some
// with joined partners, one of them at times painting a Line twice. With superKrunkPlus,
// positions where the choice matters most: square circle moves of Super Krunk Plus on
// boards mostly painted in Red and Blue, so that many Cells are won and lost.
void expectSameChoices(const BoardGraph& g, int positions, std::uint32_t seed, bool superKrunkPlus) {
  std::mt19937 rng(seed);
  const Colour colours[] = {kRed, kRedTurnText, kBlue, kBlack};
  for (int p = 0; p < positions; ++p) {
    Claims d(std::size_t(g.lineCount + 1));
    const int claimed = superKrunkPlus ? g.lineCount : int(rng() % unsigned(g.lineCount));
    for (int i = 0; i < claimed; ++i) {
      Claim& line = d[1 + rng() % unsigned(g.lineCount)];
      line.owner = 1;
      line.colour = superKrunkPlus ? colours[rng() % 2 * 2] : colours[rng() % 4];
    }
    std::vector<ColourMove> moves;
    const int count = superKrunkPlus ? g.cellCount : 1 + int(rng() % 30);
    for (int id = 1; id <= count; ++id) {
      ColourMove m{id, {}};
      if (superKrunkPlus) m.lines = square::superKrunkClaims(id, false, true);
      const int size = superKrunkPlus ? 0 : 1 + int(rng() % 14);
      for (int i = 0; i < size; ++i) {
        const int l = 1 + int(rng() % unsigned(g.lineCount));
        m.lines.push_back(l);
        if (g.partner[l]) m.lines.push_back(g.partner[l]);
      }
      if (rng() % 5 == 0) superKrunkPlus ? m.lines.clear() : m.lines.push_back(m.lines.front());
      if (!m.lines.empty()) moves.push_back(std::move(m));
    }
    for (std::uint32_t s = 1; s <= 4; ++s) {
      Random a(s), b(s);
      ASSERT_EQ(chooseByColour(g, d, moves, {kRed, kRedTurnText}, a), plainChoice(g, d, moves, {kRed, kRedTurnText}, b))
          << "position " << p << ", seed " << s;
    }
  }
}

// Both square boards, both triangular ones (more than 64 Lines), a board of more than 64
// Cells, and Super Krunk Plus.
TEST(ColourChoiceAgreesWithThePlainCount, RandomPositionsOnEveryBoard) {
  const std::tuple<BoardGraph, int, bool> boards[] = {
      {square::graph(false), 400, false},
      {square::graph(true), 400, false},
      {triangular::graph(false), 300, false},
      {triangular::graph(true), 300, false},
      {grid(9), 200, false},
      {square::graph(false), 300, true},
  };
  std::uint32_t seed = 0;
  for (const auto& [graph, positions, superKrunkPlus] : boards)
    expectSameChoices(graph, positions, ++seed, superKrunkPlus);
}

}  // namespace
}  // namespace kp
