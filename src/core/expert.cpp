#include "core/expert.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <limits>
#include <optional>

namespace kp {

namespace {

constexpr int kInfinity = 1 << 20;
// Above this many free moves the exact search is not tried while safe moves are left: the
// game is still open and the chain analysis plays it.
constexpr int kSearchWhileSafe = 34;
// The most free moves the search ever takes on (its move lists live on the stack).
constexpr int kMaxSearchMoves = 160;

// A fixed, well-mixed 64-bit key per Line: a position's key is the exclusive or of its free
// moves' keys, so the same free set always meets the same table entry.
std::uint64_t lineKey(int line) {
  std::uint64_t z = std::uint64_t(line) * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

struct SearchAborted {};

// What the search remembers of a free set: its value for the player to move, as exact or
// as a bound, and the move that proved it.
struct Entry {
  std::uint64_t key = 0;
  std::int16_t value = 0;
  std::uint8_t bound = 0;  // 0 empty, 1 exact, 2 lower, 3 upper
  std::uint8_t generation = 0;
  std::int16_t best = -1;
};

// One table for every analysis of the program's life, cleared by a new generation.
class Table {
 public:
  static constexpr std::size_t kSize = std::size_t(1) << 19;
  Table() : entries_(kSize) {}
  void clear() {
    if (++generation_ == 0) {
      std::fill(entries_.begin(), entries_.end(), Entry{});
      generation_ = 1;
    }
  }
  Entry* find(std::uint64_t key) {
    Entry& e = entries_[key & (kSize - 1)];
    return e.generation == generation_ && e.key == key ? &e : nullptr;
  }
  void store(std::uint64_t key, int value, int bound, int best) {
    Entry& e = entries_[key & (kSize - 1)];
    e = {key, std::int16_t(value), std::uint8_t(bound), generation_, std::int16_t(best)};
  }

 private:
  std::vector<Entry> entries_;
  std::uint8_t generation_ = 1;
};

// One per thread: searches may run on several threads at once (an abandoned one still
// winding down beside the next).
Table& table() {
  static thread_local Table t;
  return t;
}

// The limits of one analysis as the search checks them: nodes counted on every visit, the
// clock and the stop flag read only every few thousand (reading them costs more than a
// node).
class Budget {
 public:
  explicit Budget(ExpertLimits limits)
      : nodes_(limits.nodes > 0 ? limits.nodes : std::numeric_limits<std::int64_t>::max()),
        timed_(limits.thinkMs > 0),
        deadline_(Clock::now() + std::chrono::milliseconds(limits.thinkMs)),
        stop_(limits.stop) {}

  // Counts a visit; true once any limit is reached.
  bool spent() {
    if (++visited_ > nodes_) return true;
    if ((visited_ & (kCheckEvery - 1)) != 0) return false;
    return (stop_ && stop_->load(std::memory_order_relaxed)) || (timed_ && Clock::now() >= deadline_);
  }

 private:
  using Clock = std::chrono::steady_clock;
  static constexpr std::int64_t kCheckEvery = 4096;
  std::int64_t nodes_;
  bool timed_;
  Clock::time_point deadline_;
  const std::atomic<bool>* stop_;
  std::int64_t visited_ = 0;
};

// A position reduced to its free moves (a joined pair is one move) and the Cells they
// bound, with the free-side count of every such Cell; moves are played and taken back.
class Position {
 public:
  Position(const BoardGraph& g, const std::vector<char>& claimed) {
    std::vector<int> cellIndex(std::size_t(g.cellCount) + 1, -1);
    for (int l = 1; l <= g.lineCount; ++l) {
      const int p = g.partner[std::size_t(l)];
      if (claimed[std::size_t(l)] || (p != 0 && p < l)) continue;
      const int m = int(lines_.size());
      lines_.push_back(l);
      partners_.push_back(p);
      cellStart_.push_back(int(cells_.size()));
      auto addCells = [&](int line) {
        for (int c : g.lineCells[std::size_t(line)]) {
          int& idx = cellIndex[std::size_t(c)];
          if (idx < 0) {
            idx = int(count_.size());
            count_.push_back(0);
            cellMoves_.emplace_back();
          }
          ++count_[std::size_t(idx)];
          auto it = std::find(cells_.begin() + cellStart_.back(), cells_.end(), idx);
          if (it != cells_.end()) {
            ++mult_[std::size_t(it - cells_.begin())];
          } else {
            cells_.push_back(idx);
            mult_.push_back(1);
            cellMoves_[std::size_t(idx)].push_back(m);
          }
        }
      };
      addCells(l);
      if (p != 0) addCells(p);
      key_ ^= lineKey(l);
    }
    cellStart_.push_back(int(cells_.size()));
    open_ = int(count_.size());
    free_.assign(lines_.size(), 1);
    freeCount_ = int(lines_.size());
    for (int m = 0; m < moveCount(); ++m) simple_ = simple_ && cellEnd(m) - cellStart_[std::size_t(m)] <= 2;
  }

  int moveCount() const { return int(lines_.size()); }
  int freeCount() const { return freeCount_; }
  bool isFree(int m) const { return free_[std::size_t(m)] != 0; }
  int line(int m) const { return lines_[std::size_t(m)]; }
  int partner(int m) const { return partners_[std::size_t(m)]; }
  std::uint64_t key() const { return key_; }
  // Every move bounds at most two Cells: the chain reductions hold.
  bool simple() const { return simple_; }

  // Plays move m; returns how many Cells it completes.
  int play(int m) {
    free_[std::size_t(m)] = 0;
    --freeCount_;
    key_ ^= lineKey(lines_[std::size_t(m)]);
    int gain = 0;
    for (int k = cellStart_[std::size_t(m)]; k < cellEnd(m); ++k)
      gain += (count_[std::size_t(cells_[std::size_t(k)])] -= mult_[std::size_t(k)]) == 0;
    open_ -= gain;
    return gain;
  }
  void undo(int m) {
    free_[std::size_t(m)] = 1;
    ++freeCount_;
    key_ ^= lineKey(lines_[std::size_t(m)]);
    for (int k = cellStart_[std::size_t(m)]; k < cellEnd(m); ++k)
      open_ += (count_[std::size_t(cells_[std::size_t(k)])] += mult_[std::size_t(k)]) == mult_[std::size_t(k)];
  }
  // Cells not yet complete: no player can gain more than these.
  int openCells() const { return open_; }

  // What move m would do: Cells it completes, Cells it leaves one side short.
  struct Effect {
    int completes = 0;
    int opens = 0;
  };
  Effect effect(int m) const {
    Effect e;
    for (int k = cellStart_[std::size_t(m)]; k < cellEnd(m); ++k) {
      const int after = count_[std::size_t(cells_[std::size_t(k)])] - mult_[std::size_t(k)];
      e.completes += after == 0;
      e.opens += after == 1;
    }
    return e;
  }
  // A free move that completes a Cell at once (-1 for none).
  int capture() const {
    for (std::size_t c = 0; c < count_.size(); ++c)
      if (count_[c] == 1)
        for (int m : cellMoves_[c])
          if (isFree(m)) return m;
    return -1;
  }
  // The declining answer to capture m: the other free side of a Cell that m would leave one
  // side short, played instead, hands both Cells over to the one move m (-1 for none).
  int declining(int m) const {
    for (int k = cellStart_[std::size_t(m)]; k < cellEnd(m); ++k) {
      const int c = cells_[std::size_t(k)];
      if (count_[std::size_t(c)] != 2 || mult_[std::size_t(k)] != 1) continue;
      for (int n : cellMoves_[std::size_t(c)])
        if (n != m && isFree(n) && effect(n).completes == 0) return n;
    }
    return -1;
  }
  // A capture that leaves no further Cell one side short (-1 for none).
  int freeCapture() const {
    for (std::size_t c = 0; c < count_.size(); ++c)
      if (count_[c] == 1)
        for (int m : cellMoves_[c])
          if (isFree(m) && effect(m).opens == 0) return m;
    return -1;
  }
  // Writes every capture and every decline of one into out (distinct); returns how many.
  int capturesAndDeclines(int* out) const {
    int n = 0;
    auto add = [&](int m) {
      if (m >= 0 && std::find(out, out + n, m) == out + n) out[n++] = m;
    };
    for (std::size_t c = 0; c < count_.size(); ++c)
      if (count_[c] == 1)
        for (int m : cellMoves_[c])
          if (isFree(m)) {
            add(m);
            add(declining(m));
          }
    return n;
  }
  // How many Cells the opponent takes after move m (already played) by capturing while
  // anything is capturable.
  int handedOver() {
    std::array<int, kMaxSearchMoves> taken;
    int n = 0, cells = 0;
    for (int m = capture(); m >= 0 && n < kMaxSearchMoves; m = capture()) {
      cells += play(m);
      taken[std::size_t(n++)] = m;
    }
    while (n > 0) undo(taken[std::size_t(--n)]);
    return cells;
  }

 private:
  int cellEnd(int m) const { return cellStart_[std::size_t(m) + 1]; }

  std::vector<int> lines_, partners_;
  std::vector<int> cellStart_, cells_, mult_;  // [move] -> its Cells and how many of its Lines each has
  std::vector<std::vector<int>> cellMoves_;    // [cell] -> the moves on its sides
  std::vector<int> count_;                     // [cell] -> free sides
  std::vector<char> free_;
  int freeCount_ = 0;
  int open_ = 0;
  std::uint64_t key_ = 0;
  bool simple_ = true;
};

// Negamax with alpha-beta over the free set, the transposition table, and the reductions of
// the chain game where every move bounds at most two Cells: a capture that opens no further
// Cell is taken at once; otherwise a capture is either taken or declined by the move that
// hands its last two Cells over.
class Search {
 public:
  Search(Position& p, Budget& budget) : p_(p), budget_(budget) {}

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
      // Safe moves first, then the sacrifices that open fewest Cells; the table's move first.
      std::array<int, kMaxSearchMoves> rank;
      for (int m = 0; m < p_.moveCount(); ++m) {
        if (!p_.isFree(m)) continue;
        const Position::Effect e = p_.effect(m);
        rank[std::size_t(n)] = m == ttMove ? -1 : e.completes > 0 ? 0 : e.opens;
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
      if (alpha >= beta) break;
    }
    table().store(key, best, best <= alphaIn ? 3 : best >= beta ? 2 : 1, bestMove);
    return best;
  }

 private:
  Position& p_;
  Budget& budget_;
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
std::optional<ExpertAnalysis> solve(const Position& start, ExpertLimits limits) {
  if (start.freeCount() > kMaxSearchMoves) return std::nullopt;
  table().clear();
  Position p = start;  // an abandoned search leaves its moves played
  Budget budget(limits);
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
    ExpertAnalysis a{.value = best, .exact = true};
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
  for (int m : moves) {
    const Position::Effect e = p.effect(m);
    if (e.completes == 0 && e.opens == 0) safe.push_back(m);
  }
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
        for (int m : freeMoves(p)) {
          if (p.effect(m).completes > 0) continue;
          p.play(m);
          longest = std::max(longest, p.handedOver());
          p.undo(m);
        }
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

bool safeMoveLeft(const Position& p) {
  for (int m = 0; m < p.moveCount(); ++m) {
    if (!p.isFree(m)) continue;
    const Position::Effect e = p.effect(m);
    if (e.completes == 0 && e.opens == 0) return true;
  }
  return false;
}

// The analysis; the estimate of an unsolved position's value only where it is asked for.
ExpertAnalysis analyse(const BoardGraph& g, const std::vector<char>& claimed, ExpertLimits limits, bool estimate) {
  Position p(g, claimed);
  if (p.freeCount() == 0) return {.exact = true};
  // While the game is still open the chain analysis plays; the search takes over from there.
  const bool open = p.freeCount() > kSearchWhileSafe && safeMoveLeft(p);
  if (!open)
    if (auto exact = solve(p, limits)) return *exact;
  ExpertAnalysis a{.value = estimate ? playOut(p) : 0};
  for (int m : chainChoice(p)) addLines(p, m, a.best);
  std::sort(a.best.begin(), a.best.end());
  return a;
}

}  // namespace

ExpertAnalysis analyseTolva(const BoardGraph& g, const std::vector<char>& claimed, ExpertLimits limits) {
  return analyse(g, claimed, limits, true);
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
