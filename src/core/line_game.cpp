#include "core/line_game.h"

#include <algorithm>
#include <string>

namespace kp {

namespace {
const char* winnerWord(int red, int blue) { return red > blue ? "Red" : blue > red ? "Blue" : "Tie"; }
}  // namespace

UnitCount countByColour(const std::vector<std::vector<int>>& units, const Claims& claims,
                        std::initializer_list<Colour> redColours, std::vector<int>* owner) {
  auto isRed = [&](Colour c) { return std::find(redColours.begin(), redColours.end(), c) != redColours.end(); };
  UnitCount count;
  if (owner) owner->assign(units.size(), 0);
  for (std::size_t u = 0; u < units.size(); ++u) {
    if (units[u].empty()) continue;
    std::size_t red = 0, blue = 0;
    for (int line : units[u]) {
      const Claim& c = claims[std::size_t(line)];
      if (c.owner == 0) continue;
      red += isRed(c.colour);
      blue += c.colour == kBlue;
    }
    const int who = blue == units[u].size() ? 2 : red == units[u].size() ? 1 : 0;
    count.red += who == 1;
    count.blue += who == 2;
    if (owner) (*owner)[u] = who;
  }
  return count;
}

std::string verdict(int red, int blue, const std::string& measure) {
  if (red == blue) return "By " + measure + " its a tie";
  return std::string(red > blue ? "Red" : "Blue") + " wins by " + measure + ".";
}

LineGame::LineGame(StatusLabels& status, Drawing& drawing) : status_(status), drawing_(drawing) {}

void LineGame::UnitTable::build(int lineCount) {
  lineUnits.assign(std::size_t(lineCount + 1), {});
  side.assign(lines.size(), {});
  for (std::size_t u = 1; u < lines.size(); ++u) {
    side[u].assign(lines[u].size(), 0);
    for (int l : lines[u]) lineUnits[std::size_t(l)].push_back(int(u));
  }
  scored.assign(lines.size(), 0);
  owner.assign(lines.size(), 0);
}

void LineGame::UnitTable::clear() {
  for (auto& markers : side) std::fill(markers.begin(), markers.end(), 0);
  std::fill(scored.begin(), scored.end(), 0);
  std::fill(owner.begin(), owner.end(), 0);
}

void LineGame::setGraph(const BoardGraph* graph) {
  // A New game keeps the graph: its unit tables stand, only their state is cleared.
  const bool sameGraph = graph == graph_ && !tables_.empty();
  graph_ = graph;
  claims_.assign(std::size_t(graph->lineCount + 1), Claim{});
  if (tables_.empty()) tables_.emplace_back();
  if (!sameGraph) tables_[0].lines = graph->cellSides;
  for (UnitTable& t : tables_) {
    if (sameGraph) t.clear();
    else t.build(graph->lineCount);
  }
  circleUsed_.assign(graph->cellCount + 1, 0);
  tally_ = {};
  showTally();
  newly_.clear();
}

int LineGame::addUnits(std::vector<std::vector<int>> lines) {
  tables_.push_back({.lines = std::move(lines)});
  tables_.back().build(graph_->lineCount);
  return int(tables_.size()) - 1;
}

void LineGame::rememberInitialLines() { initialLines_ = drawing_.lines; }

Player LineGame::takeTurn() {
  const Player mover = toMove();
  toggle_ = 1 - toggle_;
  status_.yourTurn[0] = toggle_ == 1;
  status_.yourTurn[1] = toggle_ == 0;
  return mover;
}

int LineGame::claimedLineCount() const {
  int n = 0;
  for (int l = 1; l <= graph_->lineCount; ++l) n += claimed(l);
  return n;
}

void LineGame::claim(int line, Colour colour, int owner) {
  claims_[std::size_t(line)] = {owner, colour};
  drawing_.lines[std::size_t(line)].width = claimWidth_;
  drawing_.lines[std::size_t(line)].colour = colour;
}

void LineGame::claimLine(int n, Colour colour, int marker, Player mover) {
  claim(n, colour, marker);
  markSides(n, marker);
  if (const int partner = graph_->partner[n]) {
    claim(partner, lineColour(mover), 1);
    markSides(partner, marker);
  }
}

void LineGame::paintLine(int n, Colour colour, bool withPartner) {
  for (int line : {n, withPartner ? graph_->partner[n] : 0}) {
    if (line == 0) continue;
    claim(line, colour, 1);
    markSides(line, 1);
  }
}

void LineGame::recolour(int n, Colour colour) {
  claims_[std::size_t(n)].colour = colour;
  drawing_.lines[std::size_t(n)].colour = colour;
}

void LineGame::markSides(int line, int marker) {
  for (UnitTable& t : tables_)
    for (int unit : t.lineUnits[std::size_t(line)]) {
      const auto& sides = t.lines[std::size_t(unit)];
      for (std::size_t s = 0; s < sides.size(); ++s)
        if (sides[s] == line) t.side[std::size_t(unit)][s] = marker;
    }
}

void LineGame::recount(CellCount how, std::initializer_list<Colour> redColours, Player mover) {
  UnitTable& t = tables_[0];
  std::vector<int>& now = colourOwners_;
  countByColour(graph_->cellSides, claims_, redColours, &now);
  int red = 0, blue = 0;
  for (int c = 1; c <= graph_->cellCount; ++c) {
    int& owner = t.owner[std::size_t(c)];
    if (how == CellCount::ByColour) {
      owner = now[std::size_t(c)];
    } else if (owner == 0) {
      const bool allClaimed = std::all_of(graph_->cellSides[std::size_t(c)].begin(), graph_->cellSides[std::size_t(c)].end(),
                                          [&](int l) { return claimed(l); });
      owner = how == CellCount::KeepByColour ? now[std::size_t(c)] : allClaimed ? int(mover) : 0;
    }
    t.scored[std::size_t(c)] = owner != 0;
    red += owner == 1;
    blue += owner == 2;
    drawing_.circles[c].fill = owner == 2 ? kBlue : owner == 1 ? kRed : kBackground;
  }
  points_ = {red, blue};
  showPoints();
}

int LineGame::newlyWon(Player mover, const std::vector<int>& before, const std::vector<int>& painted) const {
  int won = 0;
  for (int c = 1; c <= graph_->cellCount; ++c) {
    if (cellOwner(c) != int(mover) || before[std::size_t(c)] == int(mover)) continue;
    const auto& sides = graph_->cellSides[std::size_t(c)];
    won += !std::all_of(sides.begin(), sides.end(),
                        [&](int l) { return std::find(painted.begin(), painted.end(), l) != painted.end(); });
  }
  return won;
}

int LineGame::unusedCircles() const {
  int n = 0;
  for (int c = 1; c <= graph_->cellCount; ++c) n += circleUsed_[c] == 0;
  return n;
}

int LineGame::firstUnusedCircle() const {
  for (int c = 1; c <= graph_->cellCount; ++c)
    if (!circleUsed_[c]) return c;
  return 0;
}

void LineGame::addPoints(Player p, int n) {
  points_[p == Player::Red ? 0 : 1] += n;
  showPoints();
}

void LineGame::showPoints() {
  status_.redPoints = std::to_string(points_[0]);
  status_.bluePoints = std::to_string(points_[1]);
}

void LineGame::addTally(Player mover, int units) {
  if (units > 0) tally_[mover == Player::Red ? 0 : 1] += scoring_.tally[std::size_t(std::min(units, 4) - 1)];
  showTally();
}

void LineGame::showTally() {
  const bool tallied = scoring_.tallied();
  status_.redTally = tallied ? std::to_string(tally_[0]) : "";
  status_.blueTally = tallied ? std::to_string(tally_[1]) : "";
}

Outcome LineGame::checkwins(LineRule rule, int table) {
  const Player mover = lastMover();
  const int completed = completeUnits(rule, mover, table);
  if (completed > 0) {
    addPoints(mover, completed);
    addTally(mover, completed);
    // In Tolva the scorer moves again; in Duarn the turn has already passed with the move.
    if (rule == LineRule::Tolva) toggle_ = mover == Player::Red ? 1 : 0;
  }
  status_.yourTurn[0] = toggle_ == 1;
  status_.yourTurn[1] = toggle_ == 0;
  announce(rule, mover, completed);
  return claimedLineCount() == graph_->lineCount ? Outcome::GameOver : Outcome::GoesOn;
}

int LineGame::completeUnits(LineRule rule, Player mover, int table) {
  UnitTable& t = tables_[std::size_t(table)];
  const int moverMarker = int(mover);
  newly_.clear();
  const Colour fill = lineColour(mover);
  for (std::size_t u = 1; u < t.lines.size(); ++u) {
    int count = 0;
    for (int marker : t.side[u]) count += rule == LineRule::Tolva ? marker != 0 : marker == moverMarker;
    if (count != int(t.lines[u].size()) || t.scored[u]) continue;
    newly_.push_back(int(u));
    t.scored[u] = 1;
    t.owner[u] = moverMarker;
    if (table == 0) {
      // A scored Cell's circle shows its owner, also where circles are otherwise not drawn.
      drawing_.circles[u].fill = fill;
      drawing_.circles[u].visible = true;
    }
  }
  return int(newly_.size());
}

void LineGame::announce(LineRule rule, Player mover, int completed) {
  const Player next = toMove();
  std::string& text = status_.turnText;
  if (completed == 0)
    setText(text, {"No score    ", playerName(next), "'s turn."});
  else if (completed == 1 && rule == LineRule::Tolva)
    setText(text, {" Score!      ", playerName(mover), " goes again."});
  else if (completed == 1)
    setText(text, {" Score!      ", playerName(next), "'s turn now."});
  else
    setText(text, {scoring_.manyScored[std::size_t(std::min(completed, 4) - 2)]});
  // The pen, and with it the turn text, is always the colour of the player to move.
  setPen(turnColourOf(next));
}

std::vector<std::string> LineGame::endGame(std::optional<std::pair<int, int>> score, std::string_view scoreUnits) {
  const int red = points_[0];
  const int blue = points_[1];
  const bool tallied = scoring_.tallied();
  const std::pair<int, int> byPoints = tallied ? std::pair{tally_[0], tally_[1]} : std::pair{red, blue};
  std::vector<std::string> verdicts = {kp::verdict(byPoints.first, byPoints.second, "points")};
  if (!score && scoring_.byScore) score = {red, blue};
  if (score) verdicts.push_back(kp::verdict(score->first, score->second, "score"));
  showResult(byPoints, score, scoreUnits);

  const char* winner = tallied ? winnerWord(tally_[0], tally_[1]) : winnerWord(red, blue);
  status_.rounds.push_back("Round " + std::to_string(++gamesPlayed_) + " -" + winner + "\t" + std::to_string(red) +
                           "\t" + std::to_string(blue));
  status_.gameOver = true;
  if (!cumulative_) return verdicts;
  const int redTotal = totals_[0] += red;
  const int blueTotal = totals_[1] += blue;
  status_.redTotal = std::to_string(redTotal);
  status_.blueTotal = std::to_string(blueTotal);
  status_.rounds.push_back(std::string(winnerWord(redTotal, blueTotal)) + "  Subtotal -\t" + std::to_string(redTotal) +
                           "\t" + std::to_string(blueTotal));
  status_.rounds.push_back(" ");
  return verdicts;
}

void LineGame::showResult(std::pair<int, int> byPoints, std::optional<std::pair<int, int>> score,
                          std::string_view scoreUnits) {
  const auto [red, blue] = byPoints;
  setText(status_.result, {"Red ", std::to_string(red), " : ", std::to_string(blue), " Blue"});
  if (score)
    status_.result += std::string("\n").append(scoreUnits) + " " + std::to_string(score->first) + " : " +
                      std::to_string(score->second);
  status_.resultColour = red > blue ? kRed : blue > red ? kBlue : kBlack;
}

void LineGame::resetBoard() {
  status_.gameOver = false;
  status_.result.clear();
  status_.resultColour = kBlack;
  status_.lastMoveCaption = "Last:";
  moveLock_ = false;
  points_ = {};
  showPoints();
  setPen(kBlue);
  for (std::size_t c = 1; c < drawing_.circles.size(); ++c) {
    drawing_.circles[c].fill = kBackground;
    drawing_.circles[c].border = kCircleBorder;
  }
  for (std::size_t l = 1; l < drawing_.lines.size() && l < initialLines_.size(); ++l) {
    drawing_.lines[l].colour = initialLines_[l].colour;
    drawing_.lines[l].width = initialLines_[l].width;
  }
  setGraph(graph_);
}

}  // namespace kp
