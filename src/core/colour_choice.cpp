#include "core/colour_choice.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstdint>
#include <memory>
#include <utility>

namespace kp {

namespace {

// Sets of Lines or Cells as bit words, so a position after a move and a reply is a few
// word operations and never a copy of the board.
using Word = std::uint64_t;
constexpr int kBits = 64;

// The indices 0..key.size()-1 ordered by key, lowest first, equal keys in index order: a
// counting sort, since the keys are small (a move changes at most the Cells it touches).
void orderByKey(const std::vector<int>& key, std::vector<std::size_t>& order, std::vector<int>& counts) {
  order.resize(key.size());
  if (key.empty()) return;
  const auto [lo, hi] = std::minmax_element(key.begin(), key.end());
  const int low = *lo;
  counts.assign(std::size_t(*hi - low + 2), 0);
  for (int k : key) ++counts[std::size_t(k - low + 1)];
  for (std::size_t i = 1; i < counts.size(); ++i) counts[i] += counts[i - 1];
  for (std::size_t i = 0; i < key.size(); ++i) order[std::size_t(counts[std::size_t(key[i] - low)]++)] = i;
}

int wordsFor(int count) { return count / kBits + 1; }  // numbers run from 1 to count
void setBit(Word* set, int i) { set[i / kBits] |= Word(1) << (i % kBits); }
// The same for a set of a known number of words, without indexing it by a variable.
template <std::size_t N>
void addBit(std::array<Word, N>& set, int i) {
  for (std::size_t w = 0; w < N; ++w) set[w] |= std::size_t(i / kBits) == w ? Word(1) << (i % kBits) : 0;
}

// What the computer weighs: after its move (Lines to Red) and the person's answer (Lines
// to Blue), the Cells all of whose sides are Red less those all of whose sides are Blue.
// Only Cells a move touches can change, so each move and each answer is judged by the
// Cells it touches; an answer is looked at again after a move only where their Cells meet.
// A Cell is judged straight from the board's words and the moves' Lines, never from a copy
// of the board. LW and CW are the words a set of Lines and of Cells takes, fixed for the
// common sizes (the loops then unroll), 0 for any other size.
template <int LW, int CW>
class Weigher {
 public:
  Weigher(const BoardGraph& graph, const Claims& claims, const ColourMoves& moves,
          std::initializer_list<Colour> redColours)
      : lineWords_(wordsFor(graph.lineCount)),
        cellWords_(wordsFor(graph.cellCount)),
        cellSlots_(std::size_t(graph.cellCount + 1)),
        moveCount_(moves.size()) {
    red_.assign(std::size_t(lineWords_), 0);
    blue_.assign(std::size_t(lineWords_), 0);
    none_.assign(std::size_t(lineWords_), 0);
    for (int l = 1; l <= graph.lineCount; ++l) {
      const Claim& c = claims[std::size_t(l)];
      if (c.owner == 0) continue;
      if (c.colour == kBlue)
        setBit(blue_.data(), l);
      else if (std::find(redColours.begin(), redColours.end(), c.colour) != redColours.end())
        setBit(red_.data(), l);
    }
    sides_.assign(cellSlots_ * std::size_t(lineWords_), 0);
    base_.assign(cellSlots_, 0);
    for (int c = 1; c <= graph.cellCount; ++c) {
      for (int l : graph.cellSides[std::size_t(c)]) setBit(sidesOf(c), l);
      base_[std::size_t(c)] = cellAfter(c, none_.data(), none_.data());
    }

    moveLines_.assign(moveCount_ * std::size_t(lineWords_), 0);
    moveCells_.assign(moveCount_ * std::size_t(cellWords_), 0);
    for (std::size_t i = 0; i < moveCount_; ++i) {
      if constexpr (LW > 0 && CW > 0) {
        // Gathered in registers: setting bit after bit in memory waits on each store.
        std::array<Word, LW> lines{};
        std::array<Word, CW> cells{};
        for (int l : moves.lines(i)) {
          addBit(lines, l);
          for (int c : graph.lineCells[std::size_t(l)]) addBit(cells, c);
        }
        std::copy(lines.begin(), lines.end(), linesOf(i));
        std::copy(cells.begin(), cells.end(), cellsOf(i));
      } else {
        for (int l : moves.lines(i)) {
          setBit(linesOf(i), l);
          for (int c : graph.lineCells[std::size_t(l)]) setBit(cellsOf(i), c);
        }
      }
    }

    // Each move as the computer's and as the person's answer on the board as it stands.
    gain_.resize(moveCount_);
    answerAlone_.resize(moveCount_);
    raised_.resize(moveCount_);
    // Written and read only for the Cells each move touches: never cleared.
    mineCells_.reset(new std::int8_t[moveCount_ * cellSlots_]);
    aloneCells_.reset(new std::int8_t[moveCount_ * cellSlots_]);
    for (std::size_t i = 0; i < moveCount_; ++i) {
      int gain = 0, answer = 0, raised = 0;
      forEachCell(cellsOf(i), [&](int c) {
        const auto [mine, alone] = cellAfterOneMove(c, linesOf(i));
        mineCells_[i * cellSlots_ + std::size_t(c)] = std::int8_t(mine);
        aloneCells_[i * cellSlots_ + std::size_t(c)] = std::int8_t(alone);
        gain += mine - base_[std::size_t(c)];
        answer += alone - base_[std::size_t(c)];
        raised += std::max(0, mine - base_[std::size_t(c)]);
      });
      gain_[i] = gain;
      answerAlone_[i] = answer;
      raised_[i] = raised;
    }
    // The person's answers, the best for them first.
    orderByKey(answerAlone_, answersByAlone_, counts_);
  }

  // The change move m makes as the computer's on the board as it stands: the most it can
  // count on, since an answer only takes it lower.
  int gain(std::size_t m) const { return gain_[m]; }
  // The moves by gain, highest first, equal gains in the order offered.
  const std::vector<std::size_t>& byGain() {
    keys_.resize(gain_.size());
    std::transform(gain_.begin(), gain_.end(), keys_.begin(), [](int g) { return -g; });
    orderByKey(keys_, byGain_, counts_);
    return byGain_;
  }

  // The balance the computer can count on after move m, whatever the answer: the balance
  // after m, or less if some answer r (not m itself) takes it lower. A move that cannot
  // reach `floor` is given up as soon as an answer shows it: then something below floor.
  int worstAfter(std::size_t m, const ColourMoves& moves, int floor) {
    const Word* mine = cellsOf(m);
    // The answers in the person's order, best for them first. One away from m's Cells
    // changes what it changes on the board as it stands. One meeting them lands on the
    // board after m, which can cost it at most what m raised where they meet: a Blue side
    // of its own spoils a Cell only as it would alone, and it loses a Cell m raised at most
    // by m's raise. So once an answer alone, less all m raised, cannot go below the worst
    // found, neither can any after it.
    const int gained = gain_[m];
    int worstAnswer = 0;  // no answer at all leaves the balance after m
    for (std::size_t r : answersByAlone_) {
      if (answerAlone_[r] - raised_[m] >= worstAnswer) break;
      if (moves.id(r) == moves.id(m)) continue;
      // Where r meets m is read straight from their Cells, a word or two: cheaper than
      // gathering the answers that meet m before the first is looked at, as most moves
      // are given up after a few answers.
      int delta = answerAlone_[r];
      const Word* theirs = cellsOf(r);
      for (int w = 0; w < cw(); ++w)
        for (Word shared = mine[w] & theirs[w]; shared != 0; shared &= shared - 1) {
          const int c = w * kBits + std::countr_zero(shared);
          delta += cellAfter(c, linesOf(m), linesOf(r)) - mineCells_[m * cellSlots_ + std::size_t(c)];
          delta -= aloneCells_[r * cellSlots_ + std::size_t(c)] - base_[std::size_t(c)];
        }
      worstAnswer = std::min(worstAnswer, delta);
      if (gained + worstAnswer < floor) break;
    }
    return gained + worstAnswer;  // relative to the board as it stands, which is the same for every move
  }

 private:
  Word* sidesOf(int c) { return sides_.data() + std::size_t(c) * std::size_t(lineWords_); }
  const Word* sidesOf(int c) const { return sides_.data() + std::size_t(c) * std::size_t(lineWords_); }
  Word* linesOf(std::size_t i) { return moveLines_.data() + i * std::size_t(lineWords_); }
  Word* cellsOf(std::size_t i) { return moveCells_.data() + i * std::size_t(cellWords_); }

  // Cell c on the board as it stands with the Lines `asRed` painted Red, then the Lines
  // `asBlue` painted Blue: +1 when every side is Red, -1 when every side is Blue, else 0.
  int cellAfter(int c, const Word* asRed, const Word* asBlue) const {
    const Word* sides = sidesOf(c);
    Word notRed = 0, notBlue = 0;  // sides missing from each colour
    for (int w = 0; w < lw(); ++w) {
      const Word red = (red_[std::size_t(w)] | asRed[w]) & ~asBlue[w];
      const Word blue = (blue_[std::size_t(w)] & ~asRed[w]) | asBlue[w];
      notRed |= sides[w] & ~red;
      notBlue |= sides[w] & ~blue;
    }
    return notRed == 0 ? 1 : notBlue == 0 ? -1 : 0;
  }

  // Cell c, one of the move's, after the Lines painted Red by the computer's move, and
  // after them painted Blue by the person's: the two values cellAfter gives, in one pass
  // over the words.
  std::pair<int, int> cellAfterOneMove(int c, const Word* lines) const {
    // The move paints a side of c: Red, c cannot be all Blue after it; Blue, not all Red.
    const Word* sides = sidesOf(c);
    Word notRedMine = 0, notBlueTheirs = 0;
    for (int w = 0; w < lw(); ++w) {
      notRedMine |= sides[w] & ~(red_[std::size_t(w)] | lines[w]);
      notBlueTheirs |= sides[w] & ~(blue_[std::size_t(w)] | lines[w]);
    }
    return {notRedMine == 0 ? 1 : 0, notBlueTheirs == 0 ? -1 : 0};
  }

  template <class Fn>
  void forEachCell(const Word* cells, Fn fn) const {
    for (int w = 0; w < cw(); ++w)
      for (Word bits = cells[w]; bits != 0; bits &= bits - 1) fn(w * kBits + std::countr_zero(bits));
  }

  const int lineWords_;
  const int cellWords_;
  const std::size_t cellSlots_;  // Cells 1..count and the unused 0
  // The word counts the loops run to: constants where the board's size is known.
  int lw() const { return LW ? LW : lineWords_; }
  int cw() const { return CW ? CW : cellWords_; }
  std::size_t moveCount_;
  std::vector<Word> red_, blue_, none_;      // the board as it stands; no Lines
  std::vector<Word> sides_;                  // [cell] -> its side Lines
  std::vector<int> base_;                    // [cell] -> its value as it stands
  std::vector<Word> moveLines_, moveCells_;  // [move] -> Lines it paints, Cells they bound
  std::vector<int> gain_;                    // [move] -> change it makes as the computer's on the board as it stands
  std::vector<int> answerAlone_;             // [move] -> change it makes as an answer on the board as it stands
  std::vector<int> raised_;                  // [move] -> what it raises Cells by as the computer's, its losses left out
  std::unique_ptr<std::int8_t[]> mineCells_;   // [move][cell] -> the Cell's value after that move of the computer's
  std::unique_ptr<std::int8_t[]> aloneCells_;  // [move][cell] -> the Cell's value after that answer alone
  std::vector<std::size_t> answersByAlone_;  // the moves by answerAlone_, lowest first
  std::vector<std::size_t> byGain_;          // the moves by gain_, highest first
  std::vector<int> keys_, counts_;           // the counting sort's keys and buckets
};

}  // namespace

int chooseByColour(const BoardGraph& graph, const Claims& claims, const ColourMoves& moves,
                   std::initializer_list<Colour> redColours, Random& random) {
  if (moves.empty()) return 0;
  auto choose = [&](auto&& weigher) {
    // A move is given up as soon as it shows it cannot reach the best balance found, so
    // the moves that gain most are weighed first: the best balance is found early and the
    // others give up sooner. The moves tying for it are the same in any order; they are
    // drawn from in the order they were offered.
    const std::vector<std::size_t>& order = weigher.byGain();
    int best = INT_MIN;
    std::vector<std::size_t> bestMoves;
    for (std::size_t m : order) {
      const int worst = weigher.worstAfter(m, moves, best);
      if (worst > best) best = worst, bestMoves.clear();
      if (worst == best) bestMoves.push_back(m);
    }
    std::sort(bestMoves.begin(), bestMoves.end());
    return moves.id(bestMoves[std::size_t(random.pick(int(bestMoves.size())) - 1)]);
  };
  const int lineWords = wordsFor(graph.lineCount), cellWords = wordsFor(graph.cellCount);
  if (lineWords == 1 && cellWords == 1) return choose(Weigher<1, 1>(graph, claims, moves, redColours));
  if (lineWords == 2 && cellWords == 1) return choose(Weigher<2, 1>(graph, claims, moves, redColours));
  if (lineWords == 3 && cellWords == 2) return choose(Weigher<3, 2>(graph, claims, moves, redColours));
  return choose(Weigher<0, 0>(graph, claims, moves, redColours));
}

}  // namespace kp
