#pragma once
#include <cstddef>
#include <initializer_list>
#include <span>
#include <vector>

#include "core/board_graph.h"
#include "core/claim.h"
#include "core/random.h"

namespace kp {

// The moves of the colour games, each a circle or Line number and what it paints,
// partners included. The Lines of all the moves are kept in one list, so a list of moves
// costs a few allocations however many moves it holds.
class ColourMoves {
 public:
  void reserve(std::size_t moves, std::size_t lines) {
    ids_.reserve(moves);
    ends_.reserve(moves);
    lines_.reserve(lines);
  }
  // A move whose Lines `addLines(std::vector<int>& lines)` appends to the list.
  template <class AddLines>
  void add(int id, AddLines&& addLines) {
    ids_.push_back(id);
    addLines(lines_);
    ends_.push_back(lines_.size());
  }
  void add(int id, std::initializer_list<int> lines) {
    add(id, [&](std::vector<int>& all) { all.insert(all.end(), lines.begin(), lines.end()); });
  }

  std::size_t size() const { return ids_.size(); }
  bool empty() const { return ids_.empty(); }
  int id(std::size_t i) const { return ids_[i]; }
  std::span<const int> lines(std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return {lines_.data() + begin, ends_[i] - begin};
  }

 private:
  std::vector<int> ids_;
  std::vector<std::size_t> ends_;  // [move] -> where its Lines end in lines_
  std::vector<int> lines_;
};

// The colour games (the Krunk family and Line Krunk), where a Cell counts for whoever has
// claimed all its sides in their colour: the computer (Red) takes the move that leaves it furthest ahead after the
// person's best answer. Ties are broken at random with equal chances.
int chooseByColour(const BoardGraph& graph, const Claims& claims, const ColourMoves& moves,
                   std::initializer_list<Colour> redColours, Random& random);

}  // namespace kp
