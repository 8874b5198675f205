#include "core/line_game.h"

#include <algorithm>
#include <string>

namespace kp {

namespace {
int readNumber(const std::string& label) {
  try {
    return std::stoi(label);
  } catch (...) {
    return 0;  // an empty label counts as nothing
  }
}

const char* winnerWord(int red, int blue) { return red > blue ? "Red" : blue > red ? "Blue" : "Tie"; }
}  // namespace

UnitCount countByColour(const std::vector<std::vector<int>>& units, const Drawing& drawing,
                        std::initializer_list<Colour> redColours, std::vector<int>* owner) {
  auto isRed = [&](Colour c) { return std::find(redColours.begin(), redColours.end(), c) != redColours.end(); };
  UnitCount count;
  if (owner) owner->assign(units.size(), 0);
  for (std::size_t u = 0; u < units.size(); ++u) {
    if (units[u].empty()) continue;
    std::size_t red = 0, blue = 0;
    for (int line : units[u]) {
      const LineDraw& l = drawing.lines[std::size_t(line)];
      if (l.width != kClaimedWidth) continue;
      red += isRed(l.colour);
      blue += l.colour == kBlue;
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

void LineGame::setGraph(const BoardGraph* graph) {
  graph_ = graph;
  owner_.assign(graph->lineCount + 1, 0);
  cellSide_.assign(graph->cellCount + 1, {});
  for (int c = 1; c <= graph->cellCount; ++c) cellSide_[c].assign(graph->cellSides[c].size(), 0);
  sideCount_.assign(graph->cellCount + 1, 0);
  scored_.assign(graph->cellCount + 1, 0);
  cellOwner_.assign(graph->cellCount + 1, 0);
  circleUsed_.assign(graph->cellCount + 1, 0);
  newly_.clear();
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
  for (int l = 1; l <= graph_->lineCount; ++l) n += owner_[l] != 0;
  return n;
}

void LineGame::claimLine(int n, Colour colour, int marker, Player mover) {
  drawing_.lines[n].width = kClaimedWidth;
  drawing_.lines[n].colour = colour;
  owner_[n] = marker;
  const int partner = graph_->partner[n];
  if (partner != 0) {
    drawing_.lines[partner].width = kClaimedWidth;
    drawing_.lines[partner].colour = lineColour(mover);
    owner_[partner] = 1;
  }
  for (int line : {n, partner}) {
    if (line == 0) continue;
    for (int cell : graph_->lineCells[line]) {
      const auto& sides = graph_->cellSides[cell];
      for (std::size_t s = 0; s < sides.size(); ++s)
        if (sides[s] == line) cellSide_[cell][s] = marker;
    }
  }
}

void LineGame::paintLine(int n, Colour colour, bool withPartner) {
  for (int line : {n, withPartner ? graph_->partner[n] : 0}) {
    if (line == 0) continue;
    drawing_.lines[line].width = kClaimedWidth;
    drawing_.lines[line].colour = colour;
    owner_[line] = 1;
    for (int cell : graph_->lineCells[line]) {
      const auto& sides = graph_->cellSides[cell];
      for (std::size_t s = 0; s < sides.size(); ++s)
        if (sides[s] == line) cellSide_[cell][s] = 1;
    }
  }
}

void LineGame::rebuildPointsByColour(std::initializer_list<Colour> redColours) {
  const UnitCount count = countByColour(graph_->cellSides, drawing_, redColours, &cellOwner_);
  for (int c = 1; c <= graph_->cellCount; ++c)
    drawing_.circles[c].fill = cellOwner_[c] == 2 ? kBlue : cellOwner_[c] == 1 ? kRed : kBackground;
  status_.redPoints = std::to_string(count.red);
  status_.bluePoints = std::to_string(count.blue);
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
  std::string& label = p == Player::Red ? status_.redPoints : status_.bluePoints;
  label = std::to_string(readNumber(label) + n);
}

int LineGame::points(Player p) const { return readNumber(p == Player::Red ? status_.redPoints : status_.bluePoints); }

Outcome LineGame::checkwins(LineRule rule) {
  const Player mover = lastMover();
  const int completed = completeCells(rule, mover);
  if (completed > 0) {
    addPoints(mover, completed);
    // In Tolva the scorer moves again; in Duarn the turn has already passed with the move.
    if (rule == LineRule::Tolva) toggle_ = mover == Player::Red ? 1 : 0;
  }
  status_.yourTurn[0] = toggle_ == 1;
  status_.yourTurn[1] = toggle_ == 0;
  announce(rule, mover, completed);
  return claimedLineCount() == graph_->lineCount ? Outcome::GameOver : Outcome::GoesOn;
}

int LineGame::completeCells(LineRule rule, Player mover) {
  const int moverMarker = int(mover);
  for (int c = 1; c <= graph_->cellCount; ++c) {
    int count = 0;
    for (int marker : cellSide_[c]) count += rule == LineRule::Tolva ? marker != 0 : marker == moverMarker;
    sideCount_[c] = count;
  }
  newly_.clear();
  const Colour fill = status_.turnColour == kRedTurnText ? kRed : status_.turnColour;
  for (int c = 1; c <= graph_->cellCount; ++c) {
    if (sideCount_[c] == int(cellSide_[c].size()) && !scored_[c]) {
      newly_.push_back(c);
      scored_[c] = 1;
      cellOwner_[c] = moverMarker;
      drawing_.circles[c].fill = fill;
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
    setText(text, {manyScored_[std::size_t(std::min(completed, 4) - 2)]});
  // The turn text always wears the colour of the player to move.
  status_.turnColour = turnColourOf(next);
}

std::string LineGame::endGame() {
  const int red = points(Player::Red);
  const int blue = points(Player::Blue);
  const std::string verdict = kp::verdict(red, blue, "points");

  const int round = (int(status_.rounds.size()) + 2) / 3;
  status_.rounds.push_back("Round " + std::to_string(round) + " -" + winnerWord(red, blue) + "\t" +
                           std::to_string(red) + "\t" + std::to_string(blue));
  const int redTotal = readNumber(status_.redTotal) + red;
  const int blueTotal = readNumber(status_.blueTotal) + blue;
  status_.redTotal = std::to_string(redTotal);
  status_.blueTotal = std::to_string(blueTotal);
  status_.rounds.push_back(std::string(winnerWord(redTotal, blueTotal)) + "  Subtotal -\t" + std::to_string(redTotal) +
                           "\t" + std::to_string(blueTotal));
  status_.rounds.push_back(" ");
  status_.gameOver = true;
  return verdict;
}

void LineGame::resetBoard() {
  status_.gameOver = false;
  status_.lastMoveCaption = "Last:";
  moveLock_ = false;
  status_.redPoints = "0";
  status_.bluePoints = "0";
  status_.turnColour = kBlue;
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
