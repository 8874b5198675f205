#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "core/expert_nimstring.h"
#include "play/match.h"
#include "play/positions.h"

namespace kp {
namespace {

using namespace expert_detail;

// Nimstring by exhaustion, memoized on the free set: a move that completes a Cell moves
// again, and whoever must move with none left loses. Whether the player to move wins.
bool winsByExhaustion(Position& p, std::unordered_map<std::uint64_t, bool>& known) {
  if (auto it = known.find(p.key()); it != known.end()) return it->second;
  bool win = false;
  for (int m = 0; m < p.moveCount() && !win; ++m) {
    if (!p.isFree(m)) continue;
    const bool completes = p.play(m) > 0;
    win = completes == winsByExhaustion(p, known);
    p.undo(m);
  }
  return known[p.key()] = win;
}

// Random positions with nothing on offer, on boards where a move bounds at most two Cells:
// the nimstring value is zero exactly where the player to move loses, and the winning moves
// are those after which the opponent loses.
TEST(ExpertNimstring, AgreesWithExhaustionOnRandomPositions) {
  int won = 0;
  for (const char* board : {"square", "triangular"}) {
    const BoardGraph g = tolvaBoard(board, 0).graph;
    Random random(7);
    for (int k = 0; k < 60; ++k) {
      std::vector<char> claimed(std::size_t(g.lineCount) + 1, 0);
      // Safe Lines at random, and once none is left a chain opened and taken, until few are
      // free; then what is on offer is taken.
      auto claim = [&](int move) {
        const Position p(g, claimed);
        claimed[std::size_t(p.line(move))] = 1;
        claimed[std::size_t(p.partner(move))] = p.partner(move) != 0;  // index 0 stays unused
      };
      while (freeMoves(g, claimed) > 12 + k % 8) {
        const Position p(g, claimed);
        std::vector<int> safe, all;
        for (int m = 0; m < p.moveCount(); ++m)
          if (p.isFree(m)) (p.safe(m) ? safe : all).push_back(m);
        const std::vector<int>& from = safe.empty() ? all : safe;
        claim(from[std::size_t(random.pick(int(from.size())) - 1)]);
        for (int m = Position(g, claimed).capture(); m >= 0; m = Position(g, claimed).capture()) claim(m);
      }
      Position p(g, claimed);
      SCOPED_TRACE(testing::Message() << board << ", position " << k);
      Budget budget({.nodes = 0});
      const std::optional<int> value = nimstringValue(p, budget);
      const std::optional<std::vector<int>> winning = nimstringWinningMoves(p, budget);
      ASSERT_TRUE(value && winning);
      std::unordered_map<std::uint64_t, bool> known;
      const bool wins = winsByExhaustion(p, known);
      EXPECT_EQ(*value != 0, wins);
      std::vector<int> expected;
      for (int m = 0; m < p.moveCount(); ++m) {
        if (!p.isFree(m)) continue;
        p.play(m);
        if (!winsByExhaustion(p, known)) expected.push_back(m);
        p.undo(m);
      }
      EXPECT_EQ(*winning, expected);
      won += wins;
    }
  }
  // Both outcomes are well represented among the 120.
  EXPECT_GE(won, 24);
  EXPECT_LE(won, 96);
}

}  // namespace
}  // namespace kp
