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

// Nimstring by exhaustion over the free moves: a move that completes a Cell moves again,
// and whoever must move with none left loses. Whether the player to move wins.
class NimstringBruteForce {
 public:
  explicit NimstringBruteForce(const Position& p) : p_(p) {
    for (int m = 0; m < p.moveCount(); ++m)
      if (p.isFree(m)) moves_.push_back(m);
  }
  bool wins() { return wins(0); }
  // Whether the player to move wins after playing moves_[i] (a move that completes nothing).
  bool winsBy(int move) {
    p_.play(move);
    const bool opponentWins = wins(0);
    p_.undo(move);
    return !opponentWins;
  }

 private:
  bool wins(int depth) {
    std::uint32_t played = 0;
    for (std::size_t i = 0; i < moves_.size(); ++i) played |= std::uint32_t(!p_.isFree(moves_[i])) << i;
    if (auto it = known_.find(played); it != known_.end()) return it->second;
    bool win = false;
    for (std::size_t i = 0; i < moves_.size() && !win; ++i) {
      const int m = moves_[i];
      if (!p_.isFree(m)) continue;
      const bool completes = p_.play(m) > 0;
      win = completes ? wins(depth + 1) : !wins(depth + 1);
      p_.undo(m);
    }
    return known_[played] = win;
  }

  Position p_;
  std::vector<int> moves_;
  std::unordered_map<std::uint32_t, bool> known_;
};

// Random positions with nothing on offer, on boards where a move bounds at most two Cells: the nimstring value is zero exactly where the player
// to move loses, and the winning moves are those after which the opponent loses.
TEST(ExpertNimstring, AgreesWithExhaustionOnRandomPositions) {
  int checked = 0, won = 0;
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
      const Position p(g, claimed);
      SCOPED_TRACE(testing::Message() << board << ", position " << k);
      Budget budget({.nodes = 0});
      const std::optional<int> value = nimstringValue(p, budget);
      const std::optional<std::vector<int>> winning = nimstringWinningMoves(p, budget);
      ASSERT_TRUE(value && winning);
      NimstringBruteForce exhaustion(p);
      const bool wins = exhaustion.wins();
      EXPECT_EQ(*value != 0, wins);
      std::vector<int> expected;
      for (int m = 0; m < p.moveCount(); ++m)
        if (p.isFree(m) && exhaustion.winsBy(m)) expected.push_back(m);
      EXPECT_EQ(*winning, expected);
      ++checked;
      won += wins;
    }
  }
  // Both outcomes are well represented.
  EXPECT_GE(checked, 80);
  EXPECT_GE(won, checked / 5);
  EXPECT_LE(won, checked * 4 / 5);
}

}  // namespace
}  // namespace kp
