#include "core/game_review.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "boards/flat/square_board.h"
#include "core/expert.h"
#include "core/expert_position.h"
#include "support/reviewed_game.h"

namespace kp {
namespace {

// Wherever at most 30 Lines are free, each move's loss is the one the unlimited exact search
// finds: a move marked lost that much, and a move not marked lost nothing.
TEST(GameReview, MarksExactlyWhatTheEndingsMovesLost) {
  const BoardGraph g = square::graph(false);
  const GameReview review = reviewTolva(g, testing::kReviewedGame, {.nodes = kReviewNodes});
  ASSERT_EQ(std::pair(review.moves.size(), review.error), std::pair(testing::kReviewedGame.size(), std::string()));
  std::vector<char> claimed(std::size_t(g.lineCount) + 1, 0);
  auto exact = [&] { return solveTolva(g, claimed, {.nodes = 0}).value().value; };
  auto open = [&] { return expert_detail::Position(g, claimed).openCells(); };
  int checked = 0, marked = 0;
  for (const ReviewedMove& m : review.moves) {
    const bool ending = std::count(claimed.begin() + 1, claimed.end(), 0) <= 30;
    const int before = ending ? exact() : 0, cells = open();
    claimed[std::size_t(m.line)] = 1;
    if (!ending) continue;
    const int gain = cells - open();
    EXPECT_EQ(m.loss, before - gain - (gain > 0 ? 1 : -1) * exact()) << "move " << m.move << ": " << reviewLine(m);
    ++checked;
    marked += m.loss > 0;
  }
  EXPECT_EQ(std::pair(checked, marked), std::pair(30, 4));
  EXPECT_EQ(review.turningPoint, 31);  // Red's slip: Blue, the winner, leads for good after it
  EXPECT_EQ(reviewLine(review.moves[30]),
            "-8: Line 12 took the last Cells instead of leaving two; the Expert's move was Line 42");
}

// A faulty record is reviewed up to the fault, named; a stopped review analyses no more.
TEST(GameReview, StopsAtAFaultyMoveOrWhenStopped) {
  const BoardGraph g = square::graph(false);
  constexpr Player R = Player::Red, B = Player::Blue;
  const std::pair<std::vector<std::pair<int, Player>>, const char*> cases[] = {
      {{{13, B}, {61, R}}, "Move 2: there is no Line 61 on this board (1 to 60)."},
      {{{13, B}, {13, R}}, "Move 2: Line 13 is already claimed."},
      {{{13, B}, {50, B}}, "Move 2: it is Red's turn, not Blue's."},
  };
  for (const auto& [moves, error] : cases) {
    const GameReview r = reviewTolva(g, moves, {.nodes = 1000});
    EXPECT_EQ(std::pair(r.moves.size(), r.error), std::pair(std::size_t(1), std::string(error)));
  }
  std::atomic<bool> stop{false};
  int analysed = 0;
  const GameReview r = reviewTolva(g, testing::kReviewedGame, {.nodes = 1000, .stop = &stop}, [&](int done, int total) {
    EXPECT_EQ(std::pair(done, total), std::pair(++analysed, 61));
    if (done == 5) stop = true;
  });
  EXPECT_EQ(analysed, 5);
  EXPECT_TRUE(r.moves.size() <= 4 && r.error.empty());
}

}  // namespace
}  // namespace kp
