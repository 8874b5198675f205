#include "core/expert_nimstring.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace kp::expert_detail {

namespace {

// The values of regions found so far, by the key of their free moves; one per thread, cleared
// by a new generation for each position asked about.
struct RegionSlot {
  std::uint64_t key = 0;
  std::int8_t value = 0;
  std::uint8_t generation = 0;
};
constexpr std::size_t kRegionSlots = std::size_t(1) << 19;

class Nimstring {
 public:
  Nimstring(Position& p, Budget& budget) : p_(p), budget_(budget), mark_(std::size_t(p.moveCount()), 0) {
    static thread_local std::uint8_t generation = 0;
    if (++generation == 0) {
      std::fill(memo().begin(), memo().end(), RegionSlot{});
      generation = 1;
    }
    generation_ = generation;
  }

  // Every move bounds one or two Cells, each once.
  static bool madeOfChains(const Position& p) {
    if (!p.simple()) return false;
    for (int m = 0; m < p.moveCount(); ++m) {
      bool once = true;
      p.forEachCell(m, [&](int, int mult) { once = once && mult == 1; });
      if (!once) return false;
    }
    return true;
  }

  // The value for the player to move of the free moves listed (whole regions; outside them
  // nothing is on offer).
  int valueOf(std::vector<int> moves) {
    std::vector<int> taken;
    int value = 0;
    for (bool more = true; more;) {
      more = false;
      for (int c = 0; c < p_.cellCount() && value != kLoony; ++c) {
        if (p_.freeSides(c) != 1) continue;
        const Offer offer = offered(c);
        if (offer.loony) {
          value = kLoony;
        } else if (!more) {
          // Taking it keeps the move and changes no value: a chain too short to decline.
          p_.play(offer.take);
          taken.push_back(offer.take);
          more = true;
        }
      }
      if (value == kLoony) more = false;
    }
    if (value != kLoony) {
      std::erase_if(moves, [&](int m) { return !p_.isFree(m); });
      for (const std::vector<int>& region : regions(moves)) value ^= regionValue(region);
    }
    while (!taken.empty()) {
      p_.undo(taken.back());
      taken.pop_back();
    }
    return value;
  }

 private:
  struct Offer {
    bool loony = false;
    int take = -1;  // the capture to make when it is not
  };

  // The Cell of move m other than c (-1 for the board's edge).
  int across(int m, int c) const {
    int other = -1;
    p_.forEachCell(m, [&](int cell, int) {
      if (cell != c) other = cell;
    });
    return other;
  }
  int freeMoveOf(int c, int besides) const {
    for (int m : p_.movesOf(c))
      if (p_.isFree(m) && m != besides) return m;
    return -1;
  }

  // What Cell c, one side short, is the end of: a chain that runs to the board's edge or to
  // a joint (two Cells or more: the taker may decline its last two), or to another Cell one
  // side short (four Cells or more: the taker may hand the middle two pairs back).
  Offer offered(int c) const {
    const int first = freeMoveOf(c, -1);
    int cell = across(first, c);
    if (cell < 0 || p_.freeSides(cell) != 2) return {.take = first};
    int length = 2, came = first;
    while (true) {
      const int next = freeMoveOf(cell, came);
      const int beyond = across(next, cell);
      if (beyond < 0 || p_.freeSides(beyond) >= 3) return {.loony = true};
      if (p_.freeSides(beyond) == 1) return length + 1 >= 4 ? Offer{.loony = true} : Offer{.take = first};
      came = next;
      cell = beyond;
      ++length;
    }
  }

  // The free moves listed split into regions that share no Cell.
  std::vector<std::vector<int>> regions(const std::vector<int>& moves) {
    const int stamp = ++stamp_;
    for (int m : moves) mark_[std::size_t(m)] = stamp;
    std::vector<std::vector<int>> out;
    for (int start : moves) {
      if (mark_[std::size_t(start)] != stamp) continue;
      std::vector<int>& region = out.emplace_back(1, start);
      mark_[std::size_t(start)] = -stamp;
      for (std::size_t i = 0; i < region.size(); ++i)
        p_.forEachCell(region[i], [&](int cell, int) {
          for (int m : p_.movesOf(cell))
            if (mark_[std::size_t(m)] == stamp && p_.isFree(m)) {
              mark_[std::size_t(m)] = -stamp;
              region.push_back(m);
            }
        });
    }
    return out;
  }

  // A region with nothing on offer: the least nimber none of its moves leads to (a move
  // that hands over a chain the opponent may decline loses, and counts for nothing).
  int regionValue(const std::vector<int>& region) {
    std::uint64_t key = 0;
    for (int m : region) key ^= lineKey(p_.line(m));
    RegionSlot& slot = memo()[key & (kRegionSlots - 1)];
    if (slot.generation == generation_ && slot.key == key) return slot.value;
    std::uint64_t reached = 0;
    std::vector<int> rest(region.begin() + 1, region.end());
    for (std::size_t i = 0; i < region.size(); ++i) {
      if (budget_.spent()) throw SearchAborted{};
      if (i > 0) rest[i - 1] = region[i - 1];  // rest holds the region without region[i]
      p_.play(region[i]);
      const int v = valueOf(rest);
      p_.undo(region[i]);
      if (v != kLoony && v < 64) reached |= std::uint64_t(1) << v;
    }
    const int value = std::countr_one(reached);
    slot = {key, std::int8_t(value), generation_};
    return value;
  }

  static std::vector<RegionSlot>& memo() {
    static thread_local std::vector<RegionSlot> slots(kRegionSlots);
    return slots;
  }

  Position& p_;
  Budget& budget_;
  std::vector<int> mark_;
  int stamp_ = 0;
  std::uint8_t generation_ = 0;
};

std::vector<int> allFree(const Position& p) {
  std::vector<int> moves;
  for (int m = 0; m < p.moveCount(); ++m)
    if (p.isFree(m)) moves.push_back(m);
  return moves;
}

}  // namespace

std::optional<int> nimstringValue(const Position& start, Budget& budget) {
  if (!Nimstring::madeOfChains(start)) return std::nullopt;
  Position p = start;  // an abandoned search leaves its moves played
  Nimstring n(p, budget);
  try {
    return n.valueOf(allFree(p));
  } catch (const SearchAborted&) {
    return std::nullopt;
  }
}

std::optional<std::vector<int>> nimstringWinningMoves(const Position& start, Budget& budget) {
  if (!Nimstring::madeOfChains(start) || start.capture() >= 0) return std::nullopt;
  Position p = start;
  Nimstring n(p, budget);
  std::vector<int> winning;
  try {
    const std::vector<int> moves = allFree(p);
    for (int m : moves) {
      p.play(m);
      std::vector<int> rest = moves;
      std::erase(rest, m);
      if (n.valueOf(rest) == 0) winning.push_back(m);
      p.undo(m);
    }
  } catch (const SearchAborted&) {
    return std::nullopt;
  }
  return winning;
}

}  // namespace kp::expert_detail
