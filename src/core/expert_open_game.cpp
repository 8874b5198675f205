#include "core/expert_open_game.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <thread>
#include <utility>

namespace kp::expert_detail {

namespace {

// A key for a chain (or loop) of n Cells; a set's key is the sum of its members' keys, so
// taking one out or putting it back is a subtraction or an addition, whatever the order.
std::uint64_t componentKey(int n, bool loop) { return lineKey(2 * n + (loop ? 1 : 0) + 1'000'003); }

// The values found so far, by key; one per thread. A slot keeps the last value stored in it:
// what is pushed out is worked out again when next asked for.
struct ValueSlot {
  std::uint64_t key = 0;
  int value = 0;
};
constexpr std::size_t kValueSlots = std::size_t(1) << 18;
ValueSlot& valueSlot(std::uint64_t key) {
  static thread_local std::vector<ValueSlot> memo(kValueSlots);
  return memo[key & (kValueSlots - 1)];
}

int sortedValue(std::vector<int>& chains, std::vector<int>& loops, std::uint64_t key) {
  if (chains.empty() && loops.empty()) return 0;
  if (const ValueSlot& slot = valueSlot(key); slot.key == key) return slot.value;

  int best = -(1 << 20);
  // Opening one of them: the opponent takes it all and moves next, or (a long chain or a
  // loop of four or more) takes all but the last two Cells (four of a loop), hands those
  // back and leaves the opener to move next in the rest.
  auto open = [&](std::vector<int>& from, std::size_t i, int kept, int declinableFrom) {
    const int n = from[i];
    from.erase(from.begin() + std::ptrdiff_t(i));
    const int rest = sortedValue(chains, loops, key - componentKey(n, &from == &loops));
    from.insert(from.begin() + std::ptrdiff_t(i), n);
    int opponent = n + rest;
    if (n >= declinableFrom) opponent = std::max(opponent, n - 2 * kept - rest);
    best = std::max(best, -opponent);
  };
  for (std::size_t i = 0; i < chains.size(); ++i)
    if (i == 0 || chains[i] != chains[i - 1]) open(chains, i, 2, 3);
  for (std::size_t i = 0; i < loops.size(); ++i)
    if (i == 0 || loops[i] != loops[i - 1]) open(loops, i, 4, 4);
  valueSlot(key) = {key, best};
  return best;
}

// One tree's limit: about 16 MB. Once it is full the tree stops growing and its leaves keep
// being sampled.
constexpr std::size_t kMaxNodes = std::size_t(1) << 20;
// A leaf grows its moves once it has been visited this often.
constexpr int kGrowAt = 6;
// Where no budget ends it, a tree stops after this many visits.
constexpr int kMostVisits = 1'000'000;
// How far the sampling strays from the moves that did best so far.
constexpr double kExplore = 0.35;

struct Node {
  std::int32_t firstChild = -1;
  std::int16_t childCount = 0;
  std::int16_t move = -1;
  std::int32_t visits = 0;
  float total = 0;  // the rewards met below, for the player who chose this node's move
};

class Sampler {
 public:
  Sampler(const Position& start, const Budget& budget, std::uint64_t seed, const std::vector<int>& keepTo)
      : p_(start), budget_(budget), random_(seed), scale_(float(std::max(1, start.openCells()))), keepTo_(keepTo) {
    nodes_.reserve(4096);
    nodes_.emplace_back();
  }

  void run() {
    try {
      while (nodes_[0].visits < kMostVisits) visit();
    } catch (const SearchAborted&) {
    }
  }

  const std::vector<Node>& nodes() const { return nodes_; }
  int depth() const { return depth_; }

 private:
  // Plays a move for the player to move; a move that completes nothing passes the turn.
  void play(int m) {
    if (budget_.spent()) throw SearchAborted{};
    const int gain = p_.play(m);
    played_[std::size_t(playedCount_++)] = m;
    margin_ += sign_ * gain;
    if (gain == 0) sign_ = -sign_;
  }

  // One descent from the root to a leaf, its game finished by sampling, and the outcome
  // taken back up the path.
  void visit() {
    margin_ = 0;
    sign_ = 1;
    playedCount_ = 0;
    int pathCount = 0;
    int node = 0;
    path_[std::size_t(pathCount)] = 0;
    chooser_[std::size_t(pathCount++)] = 0;
    while (true) {
      takeFreeCaptures();
      if (p_.freeCount() == 0) break;
      if (p_.capture() < 0 && p_.chainsAndLoops(chains_, loops_)) {
        margin_ += sign_ * chainsAndLoopsValue(chains_, loops_);
        break;
      }
      if (nodes_[std::size_t(node)].childCount == 0) {
        if (nodes_[std::size_t(node)].visits < kGrowAt || nodes_.size() + kMaxSearchMoves > kMaxNodes) {
          finish();
          break;
        }
        grow(node);
      }
      const int child = select(node);
      path_[std::size_t(pathCount)] = child;
      chooser_[std::size_t(pathCount++)] = std::int8_t(sign_);
      play(nodes_[std::size_t(child)].move);
      node = child;
    }
    depth_ = std::max(depth_, pathCount - 1);
    const float reward = float(margin_) / scale_;
    nodes_[0].visits++;
    for (int i = 1; i < pathCount; ++i) {
      Node& n = nodes_[std::size_t(path_[std::size_t(i)])];
      n.visits++;
      n.total += float(chooser_[std::size_t(i)]) * reward;
    }
    while (playedCount_ > 0) p_.undo(played_[std::size_t(--playedCount_)]);
  }

  // What is on offer and hands nothing on; where chains cannot be counted, everything on
  // offer (declining pays only at the end of a chain).
  void takeFreeCaptures() {
    if (!p_.simple()) {
      for (int m = p_.capture(); m >= 0; m = p_.capture()) play(m);
      return;
    }
    for (int m = p_.freeCapture(); m >= 0; m = p_.freeCapture()) play(m);
  }

  // The moves worth trying from here: with something on offer, taking it or declining it;
  // with safe moves left, those and sacrifices of at most two Cells; otherwise every move.
  void grow(int node) {
    std::array<int, kMaxSearchMoves> moves;
    int n = 0;
    if (node == 0 && !keepTo_.empty()) {
      for (int m : keepTo_) moves[std::size_t(n++)] = m;
    } else if (p_.capture() >= 0) {
      n = p_.capturesAndDeclines(moves.data());
    } else {
      const bool anySafe = p_.anySafe();
      for (int m = 0; m < p_.moveCount(); ++m) {
        if (!p_.isFree(m)) continue;
        if (anySafe && !p_.safe(m) && p_.handedOverBy(m) > 2) continue;
        moves[std::size_t(n++)] = m;
      }
    }
    std::shuffle(moves.begin(), moves.begin() + n, random_);
    const auto first = std::int32_t(nodes_.size());
    for (int i = 0; i < n; ++i) nodes_.push_back(Node{.move = std::int16_t(moves[std::size_t(i)])});
    nodes_[std::size_t(node)].firstChild = first;
    nodes_[std::size_t(node)].childCount = std::int16_t(n);
  }

  int select(int node) const {
    const Node& parent = nodes_[std::size_t(node)];
    const double logVisits = std::log(double(std::max(1, parent.visits)));
    int best = parent.firstChild;
    double bestScore = -1e30;
    for (int c = parent.firstChild; c < parent.firstChild + parent.childCount; ++c) {
      const Node& n = nodes_[std::size_t(c)];
      if (n.visits == 0) return c;
      const double score = n.total / n.visits + kExplore * std::sqrt(logVisits / n.visits);
      if (score > bestScore) {
        bestScore = score;
        best = c;
      }
    }
    return best;
  }

  // Finishes the game from a leaf: what is on offer is taken, safe moves are played at
  // random by each player in turn until none is left, and the chains and loops left are
  // valued exactly (Cells where chains meet going to whoever keeps control).
  void finish() {
    if (!p_.simple()) return finishUncounted();
    for (int m = p_.capture(); m >= 0; m = p_.capture()) play(m);
    playSafeMovesAtRandom();
    int joints = 0;
    int v;
    if (p_.chainsAndLoops(chains_, loops_, &joints)) {
      v = chainsAndLoopsValue(chains_, loops_);
      v += v >= 0 ? joints : -joints;
    } else {
      // A Cell with both sides of one move among them: whoever must hand something over
      // is taken to lose half of what is left.
      v = -p_.openCells() / 2;
    }
    margin_ += sign_ * v;
  }

  // A move that is not safe never becomes safe again, so one pass in a random order plays
  // them all.
  void playSafeMovesAtRandom() {
    order_.clear();
    for (int m = 0; m < p_.moveCount(); ++m)
      if (p_.isFree(m)) order_.push_back(m);
    std::shuffle(order_.begin(), order_.end(), random_);
    for (int m : order_)
      if (p_.isFree(m) && p_.safe(m)) play(m);
  }

  // Where a move may bound more than two Cells: safe moves at random, then whoever must
  // hand something over hands over as little as can be, and everything on offer is taken.
  void finishUncounted() {
    for (int m = p_.capture(); m >= 0; m = p_.capture()) play(m);
    playSafeMovesAtRandom();
    while (p_.freeCount() > 0) {
      for (int m = p_.capture(); m >= 0; m = p_.capture()) play(m);
      if (p_.freeCount() == 0) break;
      int fewest = kInfinity, cheapest = -1, ties = 0;
      for (int m = 0; m < p_.moveCount(); ++m) {
        if (!p_.isFree(m)) continue;
        const int given = p_.handedOverBy(m);
        if (given < fewest) {
          fewest = given;
          cheapest = m;
          ties = 1;
        } else if (given == fewest && std::uniform_int_distribution<int>(0, ties++)(random_) == 0) {
          cheapest = m;
        }
      }
      // Each move looked at costs about as much as a move played.
      if (budget_.spent(p_.freeCount())) throw SearchAborted{};
      play(cheapest);
    }
  }

  Position p_;
  Budget budget_;
  std::mt19937_64 random_;
  float scale_;
  const std::vector<int>& keepTo_;
  std::vector<Node> nodes_;
  std::array<int, kMaxSearchMoves * 2> played_{};
  std::array<int, kMaxSearchMoves * 2> path_{};
  std::array<std::int8_t, kMaxSearchMoves * 2> chooser_{};
  std::vector<int> chains_, loops_, order_;
  int playedCount_ = 0;
  int margin_ = 0;
  int sign_ = 1;
  int depth_ = 0;
};

}  // namespace

std::optional<OpenGameAnswer> searchOpenGame(const Position& start, Budget& budget, std::uint64_t seed,
                                             const std::vector<int>& keepTo) {
  if (start.freeCount() > kMaxSearchMoves || start.freeCount() == 0) return std::nullopt;
  // Two trees, one on each core, their root counts added up.
  Sampler second(start, budget, seed ^ 0x5DEECE66Dull, keepTo);
  std::thread helper([&] { second.run(); });
  Sampler first(start, budget, seed, keepTo);
  first.run();
  helper.join();

  struct Tally {
    std::int64_t visits = 0;
    double total = 0;
  };
  std::vector<Tally> tally(std::size_t(start.moveCount()));
  for (const Sampler* s : {&first, &second}) {
    const Node& root = s->nodes()[0];
    for (int c = root.firstChild; c >= 0 && c < root.firstChild + root.childCount; ++c) {
      const Node& n = s->nodes()[std::size_t(c)];
      tally[std::size_t(n.move)].visits += n.visits;
      tally[std::size_t(n.move)].total += n.total;
    }
  }
  const int scale = std::max(1, start.openCells());
  auto mean = [&](const Tally& t) { return t.total / double(t.visits) * scale; };
  int top = -1;
  for (int m = 0; m < start.moveCount(); ++m)
    if (tally[std::size_t(m)].visits > 0 && (top < 0 || tally[std::size_t(m)].visits > tally[std::size_t(top)].visits)) top = m;
  if (top < 0) return std::nullopt;
  OpenGameAnswer a;
  a.value = int(std::lround(mean(tally[std::size_t(top)])));
  a.depth = std::max(first.depth(), second.depth());
  // As good as the most visited: sampled nearly as often, and no worse by half a point.
  for (int m = 0; m < start.moveCount(); ++m) {
    const Tally& t = tally[std::size_t(m)];
    if (m == top || (3 * t.visits >= tally[std::size_t(top)].visits && mean(t) >= mean(tally[std::size_t(top)]) - 0.5))
      a.best.push_back(m);
  }
  return a;
}

int chainsAndLoopsValue(std::vector<int> chains, std::vector<int> loops) {
  std::sort(chains.begin(), chains.end());
  std::sort(loops.begin(), loops.end());
  std::uint64_t key = 0;
  for (int n : chains) key += componentKey(n, false);
  for (int n : loops) key += componentKey(n, true);
  return sortedValue(chains, loops, key);
}

}  // namespace kp::expert_detail
