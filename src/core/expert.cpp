#include "core/expert.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <limits>
#include <optional>

#include "core/expert_nimstring.h"
#include "core/expert_open_game.h"

namespace kp {

namespace {

using namespace expert_detail;

// The share of the budget the nimstring value of an open game may take.
constexpr double kNimstringShare = 0.1;

// Negamax with alpha-beta over the free set, the transposition table, and the reductions of
// the chain game where every move bounds at most two Cells: a capture that opens no further
// Cell is taken at once; otherwise a capture is either taken or declined by the move that
// hands its last two Cells over.
class Search {
 public:
  Search(Position& p, Budget& budget) : p_(p), budget_(budget), history_(std::size_t(p.moveCount()), 0) {}

  // The value of playing move m now, for the player to move.
  int valueOf(int m, int alpha, int beta) {
    const int gain = p_.play(m);
    const int v = gain > 0 ? gain + search(alpha - gain, beta - gain) : -search(-beta, -alpha);
    p_.undo(m);
    return v;
  }

  int search(int alpha, int beta) {
    if (p_.freeCount() == 0) return 0;
    if (budget_.spent()) throw SearchAborted{};
    const int most = p_.openCells();
    if (most <= alpha) return most;
    if (-most >= beta) return -most;
    const std::uint64_t key = p_.key();
    int ttMove = -1;
    if (Entry* e = table().find(key)) {
      if (e->bound == 1) return e->value;
      if (e->bound == 2 && e->value >= beta) return e->value;
      if (e->bound == 3 && e->value <= alpha) return e->value;
      ttMove = e->best;
    }

    std::array<int, kMaxSearchMoves> moves;
    int n = 0;
    const int capture = p_.simple() ? p_.capture() : -1;
    if (capture < 0 && p_.chainsAndLoops(chains_, loops_)) return chainsAndLoopsValue(chains_, loops_);
    if (capture >= 0) {
      if (const int free = p_.freeCapture(); free >= 0) {
        // Nothing is handed on: take it.
        const int gain = p_.play(free);
        const int v = gain + search(alpha - gain, beta - gain);
        p_.undo(free);
        return v;
      }
      // Every capture, and every decline that hands the last two Cells of a chain over.
      n = p_.capturesAndDeclines(moves.data());
    } else {
      // The table's move first, then safe moves by how often they refuted others, then the
      // sacrifices that open fewest Cells.
      std::array<int, kMaxSearchMoves> rank;
      for (int m = 0; m < p_.moveCount(); ++m) {
        if (!p_.isFree(m)) continue;
        const Position::Effect e = p_.effect(m);
        rank[std::size_t(n)] = m == ttMove                         ? std::numeric_limits<int>::min()
                               : e.completes == 0 && e.opens == 0 ? -history_[std::size_t(m)] - 1
                               : e.completes > 0                  ? 0
                                                                  : e.opens;
        moves[std::size_t(n++)] = m;
      }
      for (int i = 1; i < n; ++i)
        for (int j = i; j > 0 && rank[std::size_t(j)] < rank[std::size_t(j - 1)]; --j) {
          std::swap(rank[std::size_t(j)], rank[std::size_t(j - 1)]);
          std::swap(moves[std::size_t(j)], moves[std::size_t(j - 1)]);
        }
    }

    const int alphaIn = alpha;
    int best = -kInfinity, bestMove = -1;
    for (int i = 0; i < n; ++i) {
      const int v = valueOf(moves[std::size_t(i)], alpha, beta);
      if (v > best) {
        best = v;
        bestMove = moves[std::size_t(i)];
      }
      alpha = std::max(alpha, v);
      if (alpha >= beta) {
        history_[std::size_t(moves[std::size_t(i)])] += p_.freeCount();
        break;
      }
    }
    table().store(key, best, best <= alphaIn ? 3 : best >= beta ? 2 : 1, bestMove);
    return best;
  }

 private:
  Position& p_;
  Budget& budget_;
  std::vector<int> chains_, loops_;
  std::vector<int> history_;  // [move] -> how much its cutoffs saved
};

std::vector<int> freeMoves(const Position& p) {
  std::vector<int> moves;
  for (int m = 0; m < p.moveCount(); ++m)
    if (p.isFree(m)) moves.push_back(m);
  return moves;
}

// The moves that complete a Cell at once.
std::vector<int> capturesOf(const Position& p) {
  std::vector<int> moves;
  for (int m = 0; m < p.moveCount(); ++m)
    if (p.isFree(m) && p.effect(m).completes > 0) moves.push_back(m);
  return moves;
}

void addLines(const Position& p, int m, std::vector<int>& lines) {
  lines.push_back(p.line(m));
  if (p.partner(m) != 0) lines.push_back(p.partner(m));
}

// The exact value of the position and every move that reaches it, or nothing when the
// search would take more than the budget.
std::optional<ExpertAnalysis> solve(const Position& start, Budget& budget) {
  if (start.freeCount() > kMaxSearchMoves) return std::nullopt;
  if (start.freeCount() == 0) return ExpertAnalysis{.exact = true};  // nothing left to gain
  table().clear();
  Position p = start;  // an abandoned search leaves its moves played
  Search s(p, budget);
  try {
    const std::vector<int> moves = freeMoves(p);
    std::vector<int> values(moves.size());
    std::vector<char> exact(moves.size(), 0);
    int best = -kInfinity;
    for (std::size_t i = 0; i < moves.size(); ++i) {
      // A move that cannot beat the best so far is only bounded...
      values[i] = s.valueOf(moves[i], best, kInfinity);
      exact[i] = values[i] > best;
      best = std::max(best, values[i]);
    }
    ExpertAnalysis a{.value = best, .exact = true, .depth = p.freeCount()};
    for (std::size_t i = 0; i < moves.size(); ++i) {
      // ...so whether it reaches the best is asked again.
      const bool optimal = exact[i] ? values[i] == best : s.valueOf(moves[i], best - 1, best) >= best;
      if (optimal) addLines(p, moves[i], a.best);
    }
    std::sort(a.best.begin(), a.best.end());
    return a;
  } catch (const SearchAborted&) {
    return std::nullopt;
  }
}

// The chain analysis for positions the search does not finish: capture what is offered,
// declining the last two Cells of a chain while that keeps control of a longer one; play a
// safe move while there is one; otherwise hand over as few Cells as can be.
std::vector<int> chainChoice(Position& p) {
  const std::vector<int> moves = freeMoves(p);
  std::vector<int> safe;
  for (int m : moves)
    if (p.safe(m)) safe.push_back(m);
  if (const int free = p.freeCapture(); free >= 0) return {free};
  const int capture = p.capture();
  if (capture >= 0) {
    // Declining pays when no safe move is left (so the opponent must then open something)
    // and something longer than the two Cells given is still to come.
    const std::vector<int> captures = capturesOf(p);
    // Only the last capture on the board: whatever else is offered is taken first.
    if (p.simple() && safe.empty() && captures.size() == 1)
      for (int c : captures) {
        const int d = p.declining(c);
        // Only the end of a chain: the decline leaves nothing else one side short.
        if (d < 0 || p.effect(d).opens != 1) continue;
        p.play(d);
        p.play(c);
        int longest = 0;
        for (int m : freeMoves(p))
          if (p.effect(m).completes == 0) longest = std::max(longest, p.handedOverBy(m));
        p.undo(c);
        p.undo(d);
        if (longest > 2) return {d};
      }
    return {capture};
  }
  if (!safe.empty()) return safe;
  int fewest = kInfinity;
  std::vector<int> cheapest;
  for (int m : moves) {
    p.play(m);
    // A handout the opponent cannot decline (no capture that opens a further Cell) is
    // counted a little cheaper.
    const int c = p.capture();
    const bool declinable = c >= 0 && p.effect(c).opens > 0;
    const int cost = 2 * p.handedOver() + (declinable ? 1 : 0);
    p.undo(m);
    if (cost < fewest) cheapest.clear();
    if (cost <= fewest) {
      fewest = cost;
      cheapest.push_back(m);
    }
  }
  return cheapest;
}

// The chain analysis playing both sides to the end: an estimate of the position's value.
int playOut(Position& p) {
  std::vector<int> played;
  int value = 0, sign = 1;
  while (p.freeCount() > 0) {
    const int m = chainChoice(p).front();
    const int gain = p.play(m);
    played.push_back(m);
    value += sign * gain;
    if (gain == 0) sign = -sign;
  }
  for (auto it = played.rbegin(); it != played.rend(); ++it) p.undo(*it);
  return value;
}

// The analysis; the estimate of an unsolved position's value only where it is asked for.
// While safe moves are left and many moves are free, the search of the open game decides;
// from there the exact search is tried first with most of the budget, and a little earlier
// with part of it.
ExpertAnalysis analyse(const BoardGraph& g, const std::vector<char>& claimed, ExpertLimits limits, bool estimate) {
  Position p(g, claimed);
  if (p.freeCount() == 0) return {.exact = true};
  Budget budget(limits);
  const bool open = p.freeCount() > kSearchWhileSafe && p.anySafe();
  if (!open || p.freeCount() <= kTrySolvingUpTo) {
    // Solved, the position needs no other look.
    budget.share(open ? 0.4 : 0.8);
    if (auto exact = solve(p, budget)) return *exact;
    budget.whole();
  }
  // A capture that hands nothing on is taken at once; where a move may bound more than two
  // Cells (no chains to keep control of), any capture. There, once every move hands
  // something over, the chain analysis (hand over as little as can be) chooses better than
  // the sampling does.
  const bool forced = (p.simple() ? p.freeCapture() : p.capture()) >= 0;
  const bool sampled = !forced && (p.simple() || p.anySafe());
  // Where the nimstring value can be worked out, the first move keeps to those that win it
  // (whoever wins it keeps control of the chains to come): the safe ones, or the sacrifices
  // where no safe move wins it. Where every move loses it, the sampling has them all.
  std::vector<int> keepTo;
  if (sampled && open && p.capture() < 0) {
    budget.share(kNimstringShare);
    if (auto winning = nimstringWinningMoves(p, budget)) {
      for (int m : *winning)
        if (p.safe(m)) keepTo.push_back(m);
      if (keepTo.empty()) keepTo = std::move(*winning);
    }
    budget.whole();
  }
  if (auto found = sampled ? searchOpenGame(p, budget, p.key(), keepTo) : std::nullopt) {
    ExpertAnalysis a{.value = found->value, .exact = false, .depth = found->depth};
    for (int m : found->best) addLines(p, m, a.best);
    std::sort(a.best.begin(), a.best.end());
    return a;
  }
  ExpertAnalysis a{.value = estimate ? playOut(p) : 0};
  for (int m : chainChoice(p)) addLines(p, m, a.best);
  std::sort(a.best.begin(), a.best.end());
  return a;
}

}  // namespace

ExpertAnalysis analyseTolva(const BoardGraph& g, const std::vector<char>& claimed, ExpertLimits limits) {
  return analyse(g, claimed, limits, true);
}

std::optional<ExpertAnalysis> solveTolva(const BoardGraph& g, const std::vector<char>& claimed, ExpertLimits limits) {
  Budget budget(limits);
  return solve(Position(g, claimed), budget);
}

ExpertAnalysis expertMoves(const BoardGraph& g, const std::vector<char>& claimed, ExpertLimits limits) {
  return analyse(g, claimed, limits, false);
}

int pickExpert(const BoardGraph& g, const std::vector<int>& best, Random& random) {
  std::vector<int> choices;  // one Line of each best move
  for (int l : best)
    if (g.partner[std::size_t(l)] == 0 || l < g.partner[std::size_t(l)]) choices.push_back(l);
  if (choices.empty()) return 0;
  return choices[std::size_t(random.pick(int(choices.size())) - 1)];
}

int chooseExpert(const BoardGraph& g, const std::vector<char>& claimed, Random& random, ExpertLimits limits) {
  return pickExpert(g, expertMoves(g, claimed, limits).best, random);
}

std::vector<char> claimedFlags(const Claims& claims) {
  std::vector<char> flags(claims.size(), 0);
  for (std::size_t l = 1; l < claims.size(); ++l) flags[l] = claims[l].owner != 0;
  return flags;
}

}  // namespace kp
