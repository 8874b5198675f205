#include "core/colour_choice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

#include "boards/flat/square_board.h"
#include "boards/triangular/triangle_board.h"

namespace kp {
namespace {

// The colour games' choice written the plain way: copy the board for every move and
// every answer and count every Cell. chooseByColour only weighs the Cells a move touches;
// it must pick exactly as this does.
int plainChoice(const BoardGraph& g, const Drawing& d, const std::vector<ColourMove>& moves,
                std::initializer_list<Colour> redColours, Random& random) {
  enum Owner { None, Red, Blue, Neutral };
  std::vector<int> board(std::size_t(g.lineCount + 1), None);
  for (int l = 1; l <= g.lineCount; ++l) {
    if (d.lines[l].width != kClaimedWidth) continue;
    const Colour c = d.lines[l].colour;
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
// with joined partners, one of them at times painting a Line twice.
void expectSameChoices(const BoardGraph& g, int positions, std::uint32_t seed) {
  std::mt19937 rng(seed);
  const Colour colours[] = {kRed, kRedTurnText, kBlue, kBlack};
  for (int p = 0; p < positions; ++p) {
    Drawing d;
    d.resize(g.lineCount, g.cellCount);
    const int claimed = int(rng() % unsigned(g.lineCount));
    for (int i = 0; i < claimed; ++i) {
      LineDraw& line = d.lines[1 + rng() % unsigned(g.lineCount)];
      line.width = kClaimedWidth;
      line.colour = colours[rng() % 4];
    }
    std::vector<ColourMove> moves;
    const int count = 1 + int(rng() % 30);
    for (int id = 1; id <= count; ++id) {
      ColourMove m{id, {}};
      const int size = 1 + int(rng() % 14);
      for (int i = 0; i < size; ++i) {
        const int l = 1 + int(rng() % unsigned(g.lineCount));
        m.lines.push_back(l);
        if (g.partner[l]) m.lines.push_back(g.partner[l]);
      }
      if (rng() % 5 == 0) m.lines.push_back(m.lines.front());
      moves.push_back(std::move(m));
    }
    for (std::uint32_t s = 1; s <= 4; ++s) {
      Random a(s), b(s);
      ASSERT_EQ(chooseByColour(g, d, moves, {kRed, kRedTurnText}, a), plainChoice(g, d, moves, {kRed, kRedTurnText}, b))
          << "position " << p << ", seed " << s;
    }
  }
}

TEST(ColourChoiceAgreesWithThePlainCount, SquarePlanorAndGloboria) {
  expectSameChoices(square::graph(false), 400, 1);
  expectSameChoices(square::graph(true), 400, 2);
}

TEST(ColourChoiceAgreesWithThePlainCount, TriangularBoardsOfMoreThan64Lines) {
  expectSameChoices(triangular::graph(false), 300, 3);
  expectSameChoices(triangular::graph(true), 300, 4);
}

TEST(ColourChoiceAgreesWithThePlainCount, ABoardOfMoreThan64Cells) { expectSameChoices(grid(9), 200, 5); }

// Positions where the choice matters: every square circle move of Super Krunk Plus from
// boards most of whose Lines are painted, so many Cells are won and lost.
TEST(ColourChoiceAgreesWithThePlainCount, SuperKrunkPlusCircleMoves) {
  const BoardGraph g = square::graph(false);
  std::mt19937 rng(6);
  for (int p = 0; p < 300; ++p) {
    Drawing d;
    d.resize(square::kLines, square::kCells);
    for (int l = 1; l <= square::kLines; ++l)
      if (rng() % 4 != 0) {
        d.lines[l].width = kClaimedWidth;
        d.lines[l].colour = rng() % 2 ? kRed : kBlue;
      }
    std::vector<ColourMove> moves;
    for (int k = 1; k <= square::kCells; ++k)
      if (rng() % 3 != 0) moves.push_back({k, square::superKrunkClaims(k, false, true)});
    if (moves.empty()) continue;
    Random a(unsigned(p) + 1), b(unsigned(p) + 1);
    ASSERT_EQ(chooseByColour(g, d, moves, {kRed}, a), plainChoice(g, d, moves, {kRed}, b)) << "position " << p;
  }
}

}  // namespace
}  // namespace kp
