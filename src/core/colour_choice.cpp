#include "core/colour_choice.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>

namespace kp {

namespace {

// Sets of Lines or Cells as bit words, so a position after a move and a reply is a few
// word operations and never a copy of the board.
using Word = std::uint64_t;
constexpr int kBits = 64;

int wordsFor(int count) { return count / kBits + 1; }  // numbers run from 1 to count
void setBit(Word* set, int i) { set[i / kBits] |= Word(1) << (i % kBits); }

// What the computer weighs: after its move (Lines to Red) and the person's answer (Lines
// to Blue), the Cells all of whose sides are Red less those all of whose sides are Blue.
// Only Cells a move touches can change, so each move and each answer is judged by the
// Cells it touches; an answer is looked at again after a move only where their Cells meet.
// LW and CW are the words a set of Lines and of Cells takes, fixed for the boards that fit
// one or two words (the loops then unroll), 0 for any other size.
template <int LW, int CW>
class Weigher {
 public:
  Weigher(const BoardGraph& graph, const Claims& claims, const std::vector<ColourMove>& moves,
          std::initializer_list<Colour> redColours)
      : lineWords_(wordsFor(graph.lineCount)), cellWords_(wordsFor(graph.cellCount)), moveCount_(moves.size()) {
    red_.assign(std::size_t(lineWords_), 0);
    blue_.assign(std::size_t(lineWords_), 0);
    for (int l = 1; l <= graph.lineCount; ++l) {
      const Claim& c = claims[std::size_t(l)];
      if (c.owner == 0) continue;
      if (c.colour == kBlue)
        setBit(blue_.data(), l);
      else if (std::find(redColours.begin(), redColours.end(), c.colour) != redColours.end())
        setBit(red_.data(), l);
    }
    sides_.assign(std::size_t(graph.cellCount + 1) * std::size_t(lineWords_), 0);
    base_.assign(std::size_t(graph.cellCount + 1), 0);
    for (int c = 1; c <= graph.cellCount; ++c) {
      for (int l : graph.cellSides[c]) setBit(sidesOf(c), l);
      base_[std::size_t(c)] = value(c, red_.data(), blue_.data());
    }

    moveLines_.assign(moveCount_ * std::size_t(lineWords_), 0);
    moveCells_.assign(moveCount_ * std::size_t(cellWords_), 0);
    for (std::size_t i = 0; i < moveCount_; ++i)
      for (int l : moves[i].lines) {
        setBit(linesOf(i), l);
        for (int c : graph.lineCells[l]) setBit(cellsOf(i), c);
      }
    scratchRed_.resize(std::size_t(lineWords_));
    scratchBlue_.resize(std::size_t(lineWords_));
    otherRed_.resize(std::size_t(lineWords_));
    otherBlue_.resize(std::size_t(lineWords_));
    afterMine_.assign(std::size_t(graph.cellCount + 1), 0);

    // Each answer on the board as it stands.
    answerAlone_.resize(moveCount_);
    for (std::size_t r = 0; r < moveCount_; ++r) {
      play(red_.data(), blue_.data(), r, /*asRed=*/false, scratchRed_.data(), scratchBlue_.data());
      int delta = 0;
      forEachCell(cellsOf(r),
                  [&](int c) { delta += value(c, scratchRed_.data(), scratchBlue_.data()) - base_[std::size_t(c)]; });
      answerAlone_[r] = delta;
    }
  }

  // The balance the computer can count on after move m, whatever the answer: the balance
  // after m, or less if some answer r (not m itself) takes it lower.
  int worstAfter(std::size_t m, const std::vector<ColourMove>& moves) {
    Word* red = scratchRed_.data();
    Word* blue = scratchBlue_.data();
    play(red_.data(), blue_.data(), m, /*asRed=*/true, red, blue);
    int gain = 0;
    forEachCell(cellsOf(m), [&](int c) {
      afterMine_[std::size_t(c)] = value(c, red, blue);
      gain += afterMine_[std::size_t(c)] - base_[std::size_t(c)];
    });

    int worstAnswer = 0;  // no answer at all leaves the balance after m
    const Word* mine = cellsOf(m);
    for (std::size_t r = 0; r < moveCount_; ++r) {
      if (moves[r].id == moves[m].id) continue;
      int delta = answerAlone_[r];
      const Word* theirs = cellsOf(r);
      bool meet = false;
      for (int w = 0; w < cw() && !meet; ++w) meet = (mine[w] & theirs[w]) != 0;
      if (meet) {
        // Where the Cells meet, the answer lands on the board after m, not on the board as it stands.
        Word* answeredRed = otherRed_.data();
        Word* answeredBlue = otherBlue_.data();
        play(red, blue, r, /*asRed=*/false, answeredRed, answeredBlue);
        for (int w = 0; w < cw(); ++w) {
          for (Word shared = mine[w] & theirs[w]; shared != 0; shared &= shared - 1) {
            const int c = w * kBits + std::countr_zero(shared);
            // answerAlone_ counted this Cell as the answer left it on the board as it stands.
            delta += value(c, answeredRed, answeredBlue) - afterMine_[std::size_t(c)];
            delta -= aloneValue(c, r) - base_[std::size_t(c)];
          }
        }
      }
      worstAnswer = std::min(worstAnswer, delta);
    }
    return gain + worstAnswer;  // relative to the board as it stands, which is the same for every move
  }

 private:
  Word* sidesOf(int c) { return sides_.data() + std::size_t(c) * std::size_t(lineWords_); }
  const Word* sidesOf(int c) const { return sides_.data() + std::size_t(c) * std::size_t(lineWords_); }
  Word* linesOf(std::size_t i) { return moveLines_.data() + i * std::size_t(lineWords_); }
  Word* cellsOf(std::size_t i) { return moveCells_.data() + i * std::size_t(cellWords_); }

  // +1 when every side of Cell c is Red, -1 when every side is Blue, 0 otherwise.
  int value(int c, const Word* red, const Word* blue) const {
    const Word* sides = sidesOf(c);
    bool allRed = true, allBlue = true;
    for (int w = 0; w < lw(); ++w) {
      allRed = allRed && (sides[w] & ~red[w]) == 0;
      allBlue = allBlue && (sides[w] & ~blue[w]) == 0;
    }
    return allRed ? 1 : allBlue ? -1 : 0;
  }

  // Cell c after answer r alone on the board as it stands.
  int aloneValue(int c, std::size_t r) {
    const Word* lines = linesOf(r);
    const Word* sides = sidesOf(c);
    bool allRed = true, allBlue = true;
    for (int w = 0; w < lw(); ++w) {
      allRed = allRed && (sides[w] & ~(red_[std::size_t(w)] & ~lines[w])) == 0;
      allBlue = allBlue && (sides[w] & ~(blue_[std::size_t(w)] | lines[w])) == 0;
    }
    return allRed ? 1 : allBlue ? -1 : 0;
  }

  // The board (fromRed, fromBlue) with move i's Lines painted in one colour, into (toRed, toBlue).
  void play(const Word* fromRed, const Word* fromBlue, std::size_t i, bool asRed, Word* toRed, Word* toBlue) {
    const Word* lines = linesOf(i);
    for (int w = 0; w < lw(); ++w) {
      toRed[w] = asRed ? fromRed[w] | lines[w] : fromRed[w] & ~lines[w];
      toBlue[w] = asRed ? fromBlue[w] & ~lines[w] : fromBlue[w] | lines[w];
    }
  }

  template <class Fn>
  void forEachCell(const Word* cells, Fn fn) const {
    for (int w = 0; w < cw(); ++w)
      for (Word bits = cells[w]; bits != 0; bits &= bits - 1) fn(w * kBits + std::countr_zero(bits));
  }

  const int lineWords_;
  const int cellWords_;
  // The word counts the loops run to: constants where the board's size is known.
  int lw() const { return LW ? LW : lineWords_; }
  int cw() const { return CW ? CW : cellWords_; }
  std::size_t moveCount_;
  std::vector<Word> red_, blue_;             // the board as it stands
  std::vector<Word> sides_;                  // [cell] -> its side Lines
  std::vector<int> base_;                    // [cell] -> its value as it stands
  std::vector<Word> moveLines_, moveCells_;  // [move] -> Lines it paints, Cells they bound
  std::vector<int> answerAlone_;             // [move] -> change it makes as an answer on the board as it stands
  std::vector<Word> scratchRed_, scratchBlue_, otherRed_, otherBlue_;
  std::vector<int> afterMine_;  // [cell] -> value after the move being weighed
};

}  // namespace

int chooseByColour(const BoardGraph& graph, const Claims& claims, const std::vector<ColourMove>& moves,
                   std::initializer_list<Colour> redColours, Random& random) {
  if (moves.empty()) return 0;
  auto choose = [&](auto&& weigher) {
    int best = INT_MIN;
    std::vector<int> bestMoves;
    for (std::size_t m = 0; m < moves.size(); ++m) {
      const int worst = weigher.worstAfter(m, moves);
      if (worst > best) best = worst, bestMoves.clear();
      if (worst == best) bestMoves.push_back(moves[m].id);
    }
    return bestMoves[random.pick(int(bestMoves.size())) - 1];
  };
  const int lineWords = wordsFor(graph.lineCount), cellWords = wordsFor(graph.cellCount);
  if (lineWords == 1 && cellWords == 1) return choose(Weigher<1, 1>(graph, claims, moves, redColours));
  if (lineWords == 2 && cellWords == 1) return choose(Weigher<2, 1>(graph, claims, moves, redColours));
  return choose(Weigher<0, 0>(graph, claims, moves, redColours));
}

}  // namespace kp
