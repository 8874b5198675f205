#include "core/move_rules.h"

#include <algorithm>

namespace kp {

std::string movesLeftText(int n, MovesWording wording) {
  if (n == 0 && wording == MovesWording::Counted) return "No moves left";
  if (n == 0 && wording == MovesWording::GameOver) return "Game over";
  if (n == 1 && wording == MovesWording::Counted) return "1 move left";
  return std::to_string(n) + " moves left";
}

std::pair<int, int> countPointsOnBoard(const LineGame& rules, const Drawing& drawing, const BoardGraph& graph,
                                       bool byColour, std::initializer_list<Colour> redColours) {
  if (byColour) {
    const UnitCount count = countByColour(graph.cellSides, rules.claims(), redColours);
    return {count.red, count.blue};
  }
  // The line games fill the circle of each Cell scored, once.
  int red = 0, blue = 0;
  for (int c = 1; c <= graph.cellCount; ++c) {
    red += drawing.circles[std::size_t(c)].fill == kRed;
    blue += drawing.circles[std::size_t(c)].fill == kBlue;
  }
  return {red, blue};
}

std::vector<int> nonScoringLines(const LineGame& rules, const std::vector<int>& closed) {
  const BoardGraph& g = rules.graph();
  std::vector<int> out;
  for (int l = 1; l <= g.lineCount; ++l) {
    if (rules.claimed(l) || std::find(closed.begin(), closed.end(), l) != closed.end()) continue;
    const bool safe = std::all_of(g.lineCells[std::size_t(l)].begin(), g.lineCells[std::size_t(l)].end(), [&](int c) {
      const auto& sides = g.cellSides[std::size_t(c)];
      return std::count_if(sides.begin(), sides.end(), [&](int side) { return rules.claimed(side); }) < 2;
    });
    if (safe) out.push_back(l);
  }
  return out;
}

void paintCircle(LineGame& rules, Drawing& drawing, StatusLabels& status, int c, const std::vector<int>& lines,
                 std::optional<Player> mover) {
  rules.setCircleUsed(c);
  drawing.circles[std::size_t(c)].border = kGreen;
  for (int l : lines) rules.paintLine(l, mover ? lineColour(*mover) : kBlack);
  status.lastMove = "Last move: " + std::to_string(c);
}

void keepTurn(LineGame& rules, StatusLabels& status, Player mover) {
  rules.setToggle(mover == Player::Red ? 1 : 0);
  status.yourTurn = {mover == Player::Red, mover == Player::Blue, false};
}

int krunkCount(LineGame& rules, StatusLabels& status, std::optional<Player> mover, Player scorer,
               const std::vector<int>& before, const std::vector<int>& painted, LineGame::CellCount how,
               const std::function<void()>& afterRecount) {
  rules.recount(how, {kRed, kRedTurnText}, scorer);
  if (afterRecount) afterRecount();
  if (!mover) return 0;
  const int won = rules.newlyWon(*mover, before, painted);
  if (won > 0) keepTurn(rules, status, *mover);
  return won;
}

void announceKrunk(LineGame& rules, StatusLabels& status) {
  status.turnText = "Krunk!";
  rules.setPen(kBlack);
}

int firstFreeLine(const LineGame& rules) {
  for (int l = 1; l <= rules.graph().lineCount; ++l)
    if (!rules.claimed(l)) return l;
  return 0;
}

void playForNobody(LineGame& rules, StatusLabels& status, int line) {
  rules.paintLine(line, kBlack);
  status.lastMove = "Last move: " + std::to_string(line);
}

}  // namespace kp
