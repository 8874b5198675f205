#include "core/game_review.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "core/expert.h"
#include "core/expert_position.h"

namespace kp {

namespace {

using expert_detail::Position;

Player other(Player p) { return p == Player::Red ? Player::Blue : Player::Red; }

std::string cells(int n) { return std::to_string(n) + (n == 1 ? " Cell" : " Cells"); }

// The move of p that claims line (-1 for none).
int moveOf(const Position& p, int line) {
  for (int m = 0; m < p.moveCount(); ++m)
    if (p.isFree(m) && (p.line(m) == line || p.partner(m) == line)) return m;
  return -1;
}

// Claims line, with its joined partner, in claimed; returns how many Cells that completes.
int claimMove(const BoardGraph& g, std::vector<char>& claimed, int line) {
  std::vector<int> touched;
  for (int l : {line, g.partner[std::size_t(line)]})
    if (l != 0) touched.insert(touched.end(), g.lineCells[std::size_t(l)].begin(), g.lineCells[std::size_t(l)].end());
  std::ranges::sort(touched);
  touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
  auto complete = [&] {
    return std::ranges::count_if(touched, [&](int c) {
      return std::ranges::all_of(g.cellSides[std::size_t(c)], [&](int l) { return claimed[std::size_t(l)] != 0; });
    });
  };
  const auto before = complete();
  claimed[std::size_t(line)] = 1;
  claimed[std::size_t(g.partner[std::size_t(line)])] = g.partner[std::size_t(line)] != 0;  // index 0 stays unused
  return int(complete() - before);
}

// What a move that lost points did wrong, read from the position it was made in.
std::string whyLost(const BoardGraph& g, const std::vector<char>& claimed, int line, const std::vector<int>& best) {
  Position p(g, claimed);
  const int m = moveOf(p, line);
  if (m < 0) return {};
  const bool offered = p.capture() >= 0;
  const int expert = best.empty() ? -1 : moveOf(p, best.front());
  bool expertTakes = false;
  for (int l : best)
    if (const int e = moveOf(p, l); e >= 0) expertTakes = expertTakes || p.effect(e).completes > 0;
  if (p.effect(m).completes > 0)
    return offered && !expertTakes ? "took the last Cells instead of leaving two" : "took the wrong Cells first";
  if (offered && expertTakes) return "left Cells it could have taken";
  const int given = p.handedOverBy(m);
  if (given == 0) return "gave up control of the end";
  const int needed = expert >= 0 && p.effect(expert).completes == 0 ? p.handedOverBy(expert) : 0;
  return "gave away " + cells(given) +
         (needed > 0 && needed < given ? " where " + std::to_string(needed) + " would do" : "");
}

// The Expert's best Lines, one of each joined pair.
std::vector<int> bestMoves(const BoardGraph& g, const std::vector<int>& lines) {
  std::vector<int> out;
  for (int l : lines)
    if (g.partner[std::size_t(l)] == 0 || l < g.partner[std::size_t(l)]) out.push_back(l);
  return out;
}

// See GameReview::turningPoint. final: Red's points less Blue's at the end of the review,
// with the value of the position there for Red.
int turningPoint(const std::vector<ReviewedMove>& moves, int final) {
  const int sign = final > 0 ? 1 : final < 0 ? -1 : 0;
  int standing = final;  // for Red, after the move at hand: the margin had both played best from there
  for (auto m = moves.rbegin(); sign != 0 && m != moves.rend(); ++m) {
    standing += m->player == Player::Red ? m->loss : -m->loss;
    if (sign * standing <= 0) return m->move;
  }
  const Player loser = sign > 0 ? Player::Blue : Player::Red;
  int turn = 0, most = 0;
  for (const ReviewedMove& m : moves)
    if ((sign == 0 || m.player == loser) && m.loss > most) {
      most = m.loss;
      turn = m.move;
    }
  return turn;
}

// One move, played in the position claimed (analysed: before) for gain Cells, leaving the
// position analysed: after.
ReviewedMove reviewMove(const BoardGraph& g, const std::vector<char>& claimed, std::pair<int, Player> move, int gain,
                        const ExpertAnalysis& before, const ExpertAnalysis& after, ExpertLimits limits) {
  ReviewedMove m{.player = move.second, .line = move.first};
  m.valueBefore = before.value;
  m.valueAfter = gain + (gain > 0 ? after.value : -after.value);
  m.best = bestMoves(g, before.best);
  m.exact = before.exact && after.exact;
  const bool isBest = std::ranges::find(before.best, m.line) != before.best.end();
  if (!isBest && !before.exact && !before.best.empty()) {
    // Weighed against the Expert's move by the positions the two leave (see valueBefore).
    std::vector<char> instead = claimed;
    const int expertGain = claimMove(g, instead, before.best.front());
    const int value = analyseTolva(g, instead, limits).value;
    m.valueBefore = expertGain + (expertGain > 0 ? value : -value);
  }
  m.loss = isBest ? 0 : std::max(0, m.valueBefore - m.valueAfter);
  if (m.loss > 0) m.why = whyLost(g, claimed, m.line, before.best);
  return m;
}

}  // namespace

GameReview reviewTolva(const BoardGraph& g, const std::vector<std::pair<int, Player>>& moves, ExpertLimits perPosition,
                       const std::function<void(int done, int total)>& progress) {
  GameReview review;
  // The record replayed first: how far it holds, what each move scored and each
  // position's claims.
  std::vector<std::vector<char>> positions(1, std::vector<char>(std::size_t(g.lineCount) + 1, 0));
  std::vector<int> scored;
  for (const auto& [line, player] : moves) {
    const std::string at = "Move " + std::to_string(scored.size() + 1) + ": ";
    const std::vector<char>& claimed = positions.back();
    if (line < 1 || line > g.lineCount) {
      review.error = at + "there is no Line " + std::to_string(line) + " on this board (1 to " +
                     std::to_string(g.lineCount) + ").";
    } else if (claimed[std::size_t(line)]) {
      review.error = at + "Line " + std::to_string(line) + " is already claimed.";
    } else if (!scored.empty()) {
      const Player last = moves[scored.size() - 1].second;
      const Player toMove = scored.back() > 0 ? last : other(last);
      if (player != toMove)
        review.error = at + "it is " + playerName(toMove) + "'s turn, not " + playerName(player) + "'s.";
    }
    if (!review.error.empty()) break;
    std::vector<char> next = claimed;
    scored.push_back(claimMove(g, next, line));
    positions.push_back(std::move(next));
  }

  // Every position analysed once, in order: the one after a move is the one before the next.
  auto stopped = [&] { return perPosition.stop && perPosition.stop->load(); };
  std::optional<ExpertAnalysis> before;
  int redLead = 0;
  for (std::size_t i = 0; i < positions.size() && !stopped(); ++i) {
    ExpertAnalysis after = analyseTolva(g, positions[i], perPosition);
    std::optional<ReviewedMove> m;
    if (before) m = reviewMove(g, positions[i - 1], moves[i - 1], scored[i - 1], *before, after, perPosition);
    if (stopped()) break;  // cut short: not an answer
    if (m) {
      m->move = int(i);
      redLead += m->player == Player::Red ? scored[i - 1] : -scored[i - 1];
      review.moves.push_back(std::move(*m));
    }
    before = std::move(after);
    if (progress) progress(int(i) + 1, int(positions.size()));
  }
  if (stopped()) review.error.clear();
  if (before) {
    // Who is to move where the review ends: the record says, and after its last move the rules.
    const std::size_t end = review.moves.size();
    const Player toMove = end < scored.size()   ? moves[end].second
                          : end == 0            ? Player::Red  // nothing played
                          : scored[end - 1] > 0 ? moves[end - 1].second
                                                : other(moves[end - 1].second);
    const int value = before->value;
    review.turningPoint = turningPoint(review.moves, redLead + (toMove == Player::Red ? value : -value));
  }
  return review;
}

std::string reviewLine(const ReviewedMove& m) {
  std::string s =
      "-" + std::to_string(m.loss) + ": Line " + std::to_string(m.line) + " " + (m.why.empty() ? "lost points" : m.why);
  if (!m.best.empty()) {
    s += "; the Expert's move was Line ";
    const std::size_t shown = std::min<std::size_t>(m.best.size(), 3);
    for (std::size_t k = 0; k < shown; ++k)
      s += (k == 0 ? "" : k + 1 < shown || m.best.size() > shown ? ", " : " or ") + std::to_string(m.best[k]);
    if (const std::size_t more = m.best.size() - shown; more > 0)
      s += more == 1 ? " or another" : " or " + std::to_string(more) + " others";
  }
  if (!m.exact) s += " (estimated)";
  return s;
}

}  // namespace kp
