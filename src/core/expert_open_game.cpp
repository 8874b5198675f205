#include "core/expert_open_game.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>
#include <utility>

namespace kp::expert_detail {

namespace {

// The values found so far, by chains and loops sorted and written out; one per thread.
std::unordered_map<std::string, int>& chainsAndLoopsMemo() {
  static thread_local std::unordered_map<std::string, int> memo;
  if (memo.size() > 200'000) memo.clear();
  return memo;
}

int sortedValue(std::vector<int>& chains, std::vector<int>& loops) {
  if (chains.empty() && loops.empty()) return 0;
  std::string key;
  key.reserve(chains.size() + loops.size() + 1);
  for (int n : chains) key.push_back(char(std::min(n, 255)));
  key.push_back(0);
  for (int n : loops) key.push_back(char(std::min(n, 255)));
  auto& memo = chainsAndLoopsMemo();
  if (auto it = memo.find(key); it != memo.end()) return it->second;

  int best = -(1 << 20);
  // Opening one of them: the opponent takes it all and moves next, or (a long chain or a
  // loop of four or more) takes all but the last two Cells (four of a loop), hands those
  // back and leaves the opener to move next in the rest.
  auto open = [&](std::vector<int>& from, std::size_t i, int kept, int declinableFrom) {
    const int n = from[i];
    from.erase(from.begin() + std::ptrdiff_t(i));
    const int rest = sortedValue(chains, loops);
    from.insert(from.begin() + std::ptrdiff_t(i), n);
    int opponent = n + rest;
    if (n >= declinableFrom) opponent = std::max(opponent, n - 2 * kept - rest);
    best = std::max(best, -opponent);
  };
  for (std::size_t i = 0; i < chains.size(); ++i)
    if (i == 0 || chains[i] != chains[i - 1]) open(chains, i, 2, 3);
  for (std::size_t i = 0; i < loops.size(); ++i)
    if (i == 0 || loops[i] != loops[i - 1]) open(loops, i, 4, 4);
  memo.emplace(std::move(key), best);
  return best;
}

// The open-game search's own table: its entries hold how far they looked.
Table& openTable() {
  static thread_local Table t;
  return t;
}

constexpr int kSolved = 127;  // an entry's depth when its value is exact
// A visit here, with its judging of positions, costs about as much time as this many of
// the exact search's: a node budget then stands for about the same time in both.
constexpr int kVisitCost = 4;

// Negamax with alpha-beta to a depth counted in moves that pass the turn, over safe moves
// and, in the first two moves of a look, sacrifices of at most two Cells (larger ones
// hardly ever pay while safe moves are left), with the exact search's reductions once
// something is capturable, a table of its own, and the exact value wherever only chains and
// loops are left.
class OpenSearch {
 public:
  OpenSearch(Position& p, Budget& budget) : p_(p), budget_(budget), history_(std::size_t(p.moveCount()), 0) {}

  int valueOf(int m, int depth, int alpha, int beta) {
    const int gain = p_.play(m);
    const int v = gain > 0 ? gain + search(depth, alpha - gain, beta - gain) : -search(depth - 1, -beta, -alpha);
    p_.undo(m);
    return v;
  }

  // Whether a position was judged without seeing it to its end since the last call.
  bool guessed() { return std::exchange(guessed_, false); }
  // The depth of the look under way: sacrifices are tried only near its start.
  void lookTo(int depth) { depth_ = depth; }

  int search(int depth, int alpha, int beta) {
    if (p_.freeCount() == 0) return 0;
    if (budget_.spent(kVisitCost)) throw SearchAborted{};
    const int most = p_.openCells();
    if (most <= alpha) return most;
    if (-most >= beta) return -most;
    const std::uint64_t key = p_.key();
    int ttMove = -1;
    if (Entry* e = openTable().find(key)) {
      if (e->depth >= depth) {
        const bool cut = e->bound == 1 || (e->bound == 2 && e->value >= beta) || (e->bound == 3 && e->value <= alpha);
        if (cut) {
          guessed_ = guessed_ || e->depth != kSolved;
          return e->value;
        }
      }
      ttMove = e->best;
    }

    std::array<int, kMaxSearchMoves> moves;
    int n = 0;
    bool exactBelow = true;  // every value below this node is exact
    const int capture = p_.simple() ? p_.capture() : -1;
    if (capture >= 0) {
      if (const int free = p_.freeCapture(); free >= 0) {
        const int gain = p_.play(free);
        const int v = gain + search(depth, alpha - gain, beta - gain);
        p_.undo(free);
        return v;
      }
      n = p_.capturesAndDeclines(moves.data());
    } else {
      if (p_.chainsAndLoops(chains_, loops_)) {
        const int v = chainsAndLoopsValue(chains_, loops_);
        openTable().store(key, v, 1, -1, kSolved);
        return v;
      }
      if (depth <= 0) {
        guessed_ = true;
        return judge();
      }
      n = orderedMoves(moves.data(), ttMove, depth);
    }

    const int alphaIn = alpha;
    const bool guessedBefore = guessed();
    int best = -kInfinity, bestMove = -1;
    for (int i = 0; i < n; ++i) {
      const int m = moves[std::size_t(i)];
      const int v = valueOf(m, depth, alpha, beta);
      if (v > best) {
        best = v;
        bestMove = m;
      }
      alpha = std::max(alpha, v);
      if (alpha >= beta) {
        history_[std::size_t(m)] += depth * depth;
        break;
      }
    }
    exactBelow = !guessed();
    guessed_ = guessedBefore || !exactBelow;
    openTable().store(key, best, best <= alphaIn ? 3 : best >= beta ? 2 : 1, bestMove, exactBelow ? kSolved : depth);
    return best;
  }

 private:
  // The moves worth looking at, best first: the table's move, the safe moves by how often
  // they refuted others, then sacrifices of one Cell and of two. With no safe move left,
  // every move, the cheapest handouts first.
  int orderedMoves(int* moves, int ttMove, int depth) {
    std::array<int, kMaxSearchMoves> rank;
    int n = 0;
    const bool anySafe = p_.anySafe();
    for (int m = 0; m < p_.moveCount(); ++m) {
      if (!p_.isFree(m)) continue;
      int r;
      if (p_.safe(m)) {
        r = -history_[std::size_t(m)] - 1;
      } else {
        p_.play(m);
        const int given = p_.handedOver();
        p_.undo(m);
        if (anySafe && (given > 2 || depth_ - depth > 1)) continue;
        r = given;
      }
      if (m == ttMove) r = std::numeric_limits<int>::min();
      rank[std::size_t(n)] = r;
      moves[n++] = m;
    }
    for (int i = 1; i < n; ++i)
      for (int j = i; j > 0 && rank[std::size_t(j)] < rank[std::size_t(j - 1)]; --j) {
        std::swap(rank[std::size_t(j)], rank[std::size_t(j - 1)]);
        std::swap(moves[j], moves[j - 1]);
      }
    return n;
  }

  // A position the search does not look further into: safe moves are played out, each
  // player in turn taking the first by a fixed shuffle of the board, until none is left;
  // what follows is valued by its chains and loops (exactly where nothing else is left).
  // A move that is not safe never becomes safe, so one pass over the
  // shuffle plays them all.
  int judge() {
    if (shuffle_.empty()) {
      for (int m = 0; m < p_.moveCount(); ++m) shuffle_.push_back(m);
      std::sort(shuffle_.begin(), shuffle_.end(), [&](int a, int b) { return lineKey(p_.line(a) + 7919) < lineKey(p_.line(b) + 7919); });
    }
    std::array<int, kMaxSearchMoves> played;
    int n = 0;
    for (int m : shuffle_)
      if (p_.isFree(m) && p_.safe(m)) {
        p_.play(m);
        played[std::size_t(n++)] = m;
      }
    int joints = 0;
    int v = 0;
    if (p_.chainsAndLoops(chains_, loops_, &joints)) {
      // The joints' Cells go with the last chains, mostly to whoever keeps control.
      v = chainsAndLoopsValue(chains_, loops_);
      v += v >= 0 ? joints : -joints;
    } else {
      // Not met where every move bounds at most two Cells and nothing is on offer, the only
      // positions searched here; should it be, whoever must hand something over is taken to
      // lose half of what is left.
      v = -p_.openCells() / 2;
    }
    for (int i = n; i > 0; --i) p_.undo(played[std::size_t(i - 1)]);
    return n % 2 == 0 ? v : -v;
  }

  Position& p_;
  Budget& budget_;
  std::vector<int> history_;
  std::vector<int> chains_, loops_;
  std::vector<int> shuffle_;  // the moves in the fixed order judge() plays them
  bool guessed_ = false;
  int depth_ = 0;
};

}  // namespace

std::optional<OpenGameAnswer> searchOpenGame(const Position& start, Budget& budget) {
  if (start.freeCount() > kMaxSearchMoves) return std::nullopt;
  openTable().clear();
  Position p = start;  // an abandoned search leaves its moves played
  OpenSearch s(p, budget);
  std::vector<int> order;
  for (int m = 0; m < p.moveCount(); ++m)
    if (p.isFree(m)) order.push_back(m);
  std::optional<OpenGameAnswer> answer;
  try {
    for (int depth = 1; depth <= std::min(p.freeCount(), kSolved - 1); ++depth) {
      OpenGameAnswer a{.value = -kInfinity, .depth = depth};
      s.guessed();
      s.lookTo(depth);
      if (budget.stopped()) break;
      for (int m : order) {
        // Only whether a move reaches the best so far matters, not by how much it falls short.
        const int v = s.valueOf(m, depth, a.value == -kInfinity ? -kInfinity : a.value - 1, kInfinity);
        if (v > a.value) {
          a.value = v;
          a.best.clear();
        }
        if (v == a.value) a.best.push_back(m);
      }
      a.exact = !s.guessed();
      // The best first in the next look.
      std::stable_partition(order.begin(), order.end(), [&](int m) {
        return std::find(a.best.begin(), a.best.end(), m) != a.best.end();
      });
      answer = std::move(a);
      if (answer->exact) break;
    }
  } catch (const SearchAborted&) {
  }
  return answer;
}

int chainsAndLoopsValue(std::vector<int> chains, std::vector<int> loops) {
  std::sort(chains.begin(), chains.end());
  std::sort(loops.begin(), loops.end());
  return sortedValue(chains, loops);
}

}  // namespace kp::expert_detail
