#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <tuple>

#include "core/expert.h"
#include "play/match.h"
#include "play/positions.h"
#include "support/tolva_brute_force.h"

namespace kp {
namespace {

using Answer = std::pair<int, std::vector<int>>;  // the value, every optimal Line

// Runs check on every position of the suite, on its board as the runner opens it.
template <class Check>
void forEachPosition(Check check) {
  std::ifstream file(KP_POSITIONS_DIR "/tolva.txt");
  const auto positions = readPositions(file);
  ASSERT_GE(positions.size(), 40u);
  for (const TolvaPosition& p : positions) {
    SCOPED_TRACE(p.name);
    const BoardGraph g = tolvaBoard(p.board, p.subLevel).graph;
    check(g, positionFlags(p, g), Answer(p.value.value_or(-99), p.best));
  }
}

TEST(ExpertPositions, RecordedAnswersAreTheBruteForces) {
  forEachPosition([](const BoardGraph& g, const std::vector<char>& claimed, const Answer& answer) {
    if (freeMoves(g, claimed) > 20) return;
    EXPECT_EQ(bruteForce(g, claimed), answer);
  });
}

TEST(ExpertPositions, ExpertFindsEveryRecordedAnswer) {
  forEachPosition([](const BoardGraph& g, const std::vector<char>& claimed, const Answer& answer) {
    const ExpertAnalysis a = analyseTolva(g, claimed);
    EXPECT_EQ(std::tuple(Answer(a.value, a.best), a.exact), std::tuple(answer, true));
  });
}

// In the open game the Expert does not search to the end, so it is held to how often every
// move it rates best is one of the long search's, and to how far its estimate misses the
// long search's value, at a reduced budget where the exact search rarely finishes. A safe
// move picked at random would be optimal in about 11 of the 44; the Expert's sampling
// reached 15, missing by 125 points in all (about 3 a position). Sampled games credited to
// the wrong player miss by 280 to 390 and find 9 to 14.
TEST(ExpertPositions, InTheOpenGameTheExpertOftenFindsOnlyOptimalMoves) {
  std::ifstream file(KP_POSITIONS_DIR "/middle.txt");
  const auto positions = readPositions(file);
  ASSERT_GE(positions.size(), 44u);
  int optimal = 0, missed = 0;
  for (const TolvaPosition& p : positions) {
    const BoardGraph g = tolvaBoard(p.board, p.subLevel).graph;
    const ExpertAnalysis a = analyseTolva(g, positionFlags(p, g), {.nodes = 200'000});
    ASSERT_FALSE(a.best.empty()) << p.name;
    optimal += std::ranges::includes(p.best, a.best);
    missed += std::abs(a.value - p.value.value_or(0));
  }
  EXPECT_GE(optimal, 12);
  EXPECT_LE(missed, 4 * int(positions.size()));
}

// Moves claimed at random (a joined pair together) until 10 to 16 are left.
TEST(ExpertPositions, ExpertAgreesWithTheBruteForceOnRandomPositions) {
  for (const char* board : {"square", "triangular"})
    for (int subLevel : {0, 1}) {
      const BoardGraph g = tolvaBoard(board, subLevel).graph;
      Random random(std::uint32_t(101 + subLevel));
      for (int k = 0; k < 10; ++k) {
        std::vector<char> claimed(std::size_t(g.lineCount) + 1, 0);
        while (freeMoves(g, claimed) > 10 + k % 7) {
          const int l = random.pick(g.lineCount);
          claimed[l] = 1;
          claimed[g.partner[l]] = g.partner[l] != 0;  // index 0 stays unused
        }
        SCOPED_TRACE(testing::Message() << board << ", sub-level " << subLevel << ", position " << k);
        const ExpertAnalysis a = analyseTolva(g, claimed);
        EXPECT_EQ(std::tuple(Answer(a.value, a.best), a.exact), std::tuple(bruteForce(g, claimed), true));
      }
    }
}

}  // namespace
}  // namespace kp
