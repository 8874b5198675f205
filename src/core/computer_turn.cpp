#include <utility>

#include "core/colour_choice.h"
#include "core/expert.h"
#include "core/game_controller.h"

namespace kp {

void GameController::computerTurn() {
  const ComputerPacing pacing = computerPacing();
  computerWait(pacing.thinkMs, pacing.whileThinking, [this, pacing] {
    if (!circleVariant()) warnNoGoodMoves(pacing.warnsNoGoodMoves, pacing.table, pacing.closed);
    computerChooses(pacing);
  });
}

int GameController::recordedChoice() {
  // A replay plays the record's move for the computer, or stops where the record does.
  if (replayNext_ >= replayEnd_) {
    replayStalled_ = true;
    return 0;
  }
  const RecordedMove& m = moves_[replayNext_];
  const bool circles = circleVariant();
  const bool free = m.circle == circles && m.id <= (circles ? circleCount() : lineCount()) &&
                    (circles ? !rules_.circleUsed(m.id) : !rules_.claimed(m.id));
  if (m.by == MoveMaker::Person || m.player != rules_.toMove() || !free) {
    replayError_ = RecordError{m.line, "move " + std::to_string(replayNext_ + 1) + " (" +
                                           (m.circle ? "circle " : "Line ") + std::to_string(m.id) +
                                           ") is not a move the computer can make here."};
    return 0;
  }
  ++replayNext_;
  return m.id;
}

void GameController::computerChooses(const ComputerPacing& pacing) {
  // While a record's set-up is chosen, or a replay's opening runs, the computer's turn is the
  // record's to start.
  if (replayOpening_) return;
  computerMover_ = rules_.toMove();
  if (replaying_) {
    // The record's move; the computer's choice is still made for what it sets on the way.
    const int recorded = recordedChoice();
    if (recorded == 0) return;
    if (expertChooses(pacing)) expertAnswer_ = std::vector<int>{recorded};
    computerChoice(pacing);
    expertAnswer_.reset();
    return showAndPlay(recorded, pacing);
  }
  if (expertChooses(pacing) && !expertAnswer_) {
    // The Expert works on a copy of the position; the choice among its best moves is drawn
    // here when the answer is back, so a seed replays the same game.
    thinker_.ask(rules_.graph(), claimedFlags(rules_.claims()), false, pacing.whileThinking,
                 [this, pacing](const ExpertAnalysis& a) {
                   expertAnswer_ = a.best;
                   computerChooses(pacing);
                 });
    return;
  }
  const int choice = computerChoice(pacing);
  expertAnswer_.reset();
  if (choice != 0) showAndPlay(choice, pacing);
}

void GameController::showAndPlay(int choice, const ComputerPacing& pacing) {
  if (pacing.marked) showChoice(choice, pacing);
  computerWait(pacing.showMs, pacing.whileShown, [this, pacing, choice] {
    if (!pacing.thenShown) return playChoice(choice, pacing);
    drawing_.lines[std::size_t(choice)].colour = *pacing.thenShown;
    computerWait(pacing.showMs, pacing.whileShown, [this, pacing, choice] { playChoice(choice, pacing); });
  });
}

void GameController::playChoice(int choice, const ComputerPacing& pacing) {
  const RecordedMove move{circleVariant(), choice, computerMover_,
                          expertChooses(pacing) ? MoveMaker::Expert : MoveMaker::Computer};
  keepPersonMove();  // a computer that answers at once moves before the click is over
  computerPlays(choice);
  recordMove(move);
  computerWait(pacing.afterMs, pacing.afterPlayed, [this] { computerMoved(); });
}

bool GameController::expertChooses(const ComputerPacing& pacing) const {
  return !circleVariant() && program_.expert && expertGame() && pacing.table == 0 && pacing.closed.empty();
}

void GameController::computerWait(int ms, Clicks clicks, std::function<void()> next) {
  if (ms == 0) return next();
  schedule(ms, std::move(next), clicks);
}

void GameController::showChoice(int choice, const ComputerPacing& pacing) {
  if (circleVariant()) {
    drawing_.circles[std::size_t(choice)].border = kYellow;
    return;
  }
  if (const int partner = pacing.partnerShown ? rules_.graph().partner[std::size_t(choice)] : 0) {
    drawing_.lines[std::size_t(partner)].width = kClaimedWidth;
    drawing_.lines[std::size_t(partner)].colour = kRed;
  }
  drawing_.lines[std::size_t(choice)].width = pacing.width;
  drawing_.lines[std::size_t(choice)].colour = kYellow;
}

int GameController::computerChoice(const ComputerPacing& pacing) {
  return circleVariant() ? colourCircle() : greedyLine(pacing);
}

int GameController::greedyLine(const ComputerPacing& pacing) {
  if (expertChooses(pacing))
    return expertAnswer_ ? pickExpert(rules_.graph(), *expertAnswer_, program_.random)
                         : chooseExpert(rules_.graph(), claimedFlags(rules_.claims()), program_.random,
                                        program_.expertLimits());
  return chooseGreedy(rules_.units(pacing.table), rules_, drawing_, pacing.completing, program_.random,
                      pacing.closed);
}

int GameController::colourCircle() {
  ColourMoves moves;
  const std::size_t cells = std::size_t(rules_.graph().cellCount);
  moves.reserve(cells, 16 * cells);
  for (int c = 1; c <= rules_.graph().cellCount; ++c)
    if (!rules_.circleUsed(c)) moves.add(c, [&](std::vector<int>& lines) { addCircleLines(c, lines); });
  return chooseByColour(rules_.graph(), rules_.claims(), moves, {kRed}, program_.random);
}

}  // namespace kp
