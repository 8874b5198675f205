#pragma once
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "core/board_graph.h"
#include "core/expert_limits.h"

// The Expert's working pieces, shared by its exact search and its search of the open game:
// a position reduced to its free moves, the transposition table, and the budget.
namespace kp::expert_detail {

constexpr int kInfinity = 1 << 20;
// Above this many free moves the exact search is not tried while safe moves are left: the
// game is still open and the search of the open game plays it.
constexpr int kSearchWhileSafe = 34;
// Up to this many free moves the exact search is tried with part of the budget even so.
constexpr int kTrySolvingUpTo = 40;
// The most free moves the search ever takes on (its move lists live on the stack).
constexpr int kMaxSearchMoves = 160;

// A fixed, well-mixed 64-bit key per Line: a position's key is the exclusive or of its free
// moves' keys, so the same free set always meets the same table entry.
inline std::uint64_t lineKey(int line) {
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
inline Table& table() {
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

  // Counts a visit (a costlier one as several); true once any limit is reached.
  bool spent(int cost = 1) {
    if ((visited_ += cost) > nodeCap_) return true;
    if (++sinceCheck_ < kCheckEvery) return false;
    sinceCheck_ = 0;
    return (stop_ && stop_->load(std::memory_order_relaxed)) || (timed_ && Clock::now() >= deadlineCap_);
  }

  // The answer is no longer wanted.
  bool stopped() const { return stop_ && stop_->load(std::memory_order_relaxed); }

  // Lets the next search spend only this share of what is left; whole() lifts that.
  void share(double part) {
    nodeCap_ = nodes_ == std::numeric_limits<std::int64_t>::max()
                   ? nodes_
                   : visited_ + std::int64_t(double(nodes_ - std::min(visited_, nodes_)) * part);
    const auto now = Clock::now();
    deadlineCap_ = now + std::chrono::duration_cast<Clock::duration>((std::max(deadline_, now) - now) * part);
  }
  void whole() {
    nodeCap_ = nodes_;
    deadlineCap_ = deadline_;
  }

 private:
  using Clock = std::chrono::steady_clock;
  static constexpr std::int64_t kCheckEvery = 4096;
  std::int64_t nodes_;
  bool timed_;
  Clock::time_point deadline_;
  std::int64_t nodeCap_ = nodes_;
  Clock::time_point deadlineCap_ = deadline_;
  const std::atomic<bool>* stop_;
  std::int64_t visited_ = 0;
  int sinceCheck_ = 0;
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
  // Neither completes a Cell nor leaves one a side short: gives the opponent nothing.
  bool safe(int m) const {
    const Effect e = effect(m);
    return e.completes == 0 && e.opens == 0;
  }
  bool anySafe() const {
    for (int m = 0; m < moveCount(); ++m)
      if (isFree(m) && safe(m)) return true;
    return false;
  }

  // Splits a position where every open Cell has exactly two free sides into its chains
  // (ending at the board's edge at both ends) and loops, as their lengths in Cells: the
  // position where every move hands something over and nothing else is in play. False
  // for any other position.
  //
  // Given somewhere to count them, Cells with three or more free sides (joints where
  // chains meet) are counted there and taken as the board's edge, so the chains between
  // them still count: a rough picture of a position where only such joints are left
  // besides chains and loops.
  bool chainsAndLoops(std::vector<int>& chains, std::vector<int>& loops, int* joints = nullptr) const {
    chains.clear();
    loops.clear();
    if (!simple_) return false;
    if (joints) *joints = 0;
    for (int c : count_) {
      if (c == 0 || c == 2) continue;
      if (!joints || c == 1) return false;
      ++*joints;
    }
    seen_.assign(count_.size(), 0);
    for (std::size_t start = 0; start < count_.size(); ++start) {
      if (count_[start] != 2 || seen_[start]) continue;
      // Walk the component: its Cells, and the free sides that lead to no other Cell of it.
      int cells = 0, ends = 0;
      stack_.assign(1, int(start));
      seen_[start] = 1;
      while (!stack_.empty()) {
        const int c = stack_.back();
        stack_.pop_back();
        ++cells;
        for (int m : cellMoves_[std::size_t(c)]) {
          if (!isFree(m)) continue;
          int other = -1;
          for (int k = cellStart_[std::size_t(m)]; k < cellEnd(m); ++k) {
            if (mult_[std::size_t(k)] != 1) return false;
            if (cells_[std::size_t(k)] != c) other = cells_[std::size_t(k)];
          }
          if (other < 0 || count_[std::size_t(other)] != 2) {
            ++ends;
          } else if (!seen_[std::size_t(other)]) {
            seen_[std::size_t(other)] = 1;
            stack_.push_back(other);
          }
        }
      }
      (ends == 0 ? loops : chains).push_back(cells);
    }
    return true;
  }

  // Cells not yet complete: no player can gain more than these.
  int openCells() const { return open_; }

  // The Cells as the reduction numbers them: how many there are, each one's free sides and
  // the moves on its sides, and the Cells of a move (with how many of its Lines each has).
  int cellCount() const { return int(count_.size()); }
  int freeSides(int c) const { return count_[std::size_t(c)]; }
  const std::vector<int>& movesOf(int c) const { return cellMoves_[std::size_t(c)]; }
  template <class F>
  void forEachCell(int m, F f) const {
    for (int k = cellStart_[std::size_t(m)]; k < cellEnd(m); ++k) f(cells_[std::size_t(k)], mult_[std::size_t(k)]);
  }

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
  // How many Cells the opponent takes after free move m, which is then taken back.
  int handedOverBy(int m) {
    play(m);
    const int cells = handedOver();
    undo(m);
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
  mutable std::vector<char> seen_;  // scratch of chainsAndLoops
  mutable std::vector<int> stack_;
};

}  // namespace kp::expert_detail
