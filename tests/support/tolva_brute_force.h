#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

#include "core/board_graph.h"

namespace kp {

// Tolva solved by exhaustion, the Expert's referee: negamax over the set of free moves (a
// joined pair of Lines is one move), memoized on that set, nothing more. Returns the value
// to the mover and every optimal Line, ascending, both Lines of a joined pair.
inline std::pair<int, std::vector<int>> bruteForce(const BoardGraph& g, const std::vector<char>& claimed) {
  std::vector<std::array<int, 2>> moves;  // [move] -> its Line and joined partner (or 0)
  for (int l = 1; l <= g.lineCount; ++l)
    if (!claimed[l] && (!g.partner[l] || l < g.partner[l])) moves.push_back({l, g.partner[l]});
  if (moves.size() > 24) throw std::length_error("too many free moves to search them all");
  std::vector<std::uint32_t> lacks(std::size_t(g.cellCount) + 1);  // [cell] -> the moves it lacks
  std::vector<std::vector<int>> cells(moves.size());               // [move] -> the Cells it bounds
  for (std::size_t m = 0; m < moves.size(); ++m)
    for (int l : moves[m])
      for (int c : g.lineCells[l])
        if (!(lacks[c] >> m & 1)) lacks[c] |= 1u << m, cells[m].push_back(c);
  std::vector<std::int8_t> memo(std::size_t(1) << moves.size(), -128);  // [free moves] -> value
  std::function<int(std::uint32_t, std::size_t)> play = [&](std::uint32_t free, std::size_t m) {
    const std::uint32_t rest = free & ~(1u << m);
    int closed = 0;
    for (int c : cells[m]) closed += !(lacks[c] & rest);
    if (std::int8_t& known = memo[rest]; known == -128) {
      int v = rest ? -99 : 0;
      for (std::size_t next = 0; next < moves.size(); ++next)
        if (rest >> next & 1) v = std::max(v, play(rest, next));
      known = std::int8_t(v);
    }
    return closed ? closed + memo[rest] : -memo[rest];
  };
  std::pair<int, std::vector<int>> answer{moves.empty() ? 0 : -99, {}};
  for (std::size_t m = 0; m < moves.size(); ++m) {
    const int v = play(std::uint32_t(memo.size() - 1), m);
    if (v > answer.first) answer = {v, {}};
    if (v == answer.first) answer.second.insert(answer.second.end(), moves[m].begin(), moves[m].end());
  }
  std::erase(answer.second, 0);
  std::sort(answer.second.begin(), answer.second.end());
  return answer;
}

}  // namespace kp
