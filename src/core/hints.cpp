#include "core/hints.h"

#include <algorithm>
#include <utility>

#include "core/expert.h"

namespace kp {

std::vector<MenuEntry> Hints::tolvaMenu() {
  return {
      {.id = "hint.computer",
       .caption = "(Tolva game only)  Hint when no good (non-scoring) moves are left (computer's turn)",
       .checkable = true},
      {.id = "hint.super",
       .caption = "(Tolva game only)  Super Hint: How many non-scoring moves left (your turn)",
       .checkable = true},
      {.id = "hint.best", .caption = "(Tolva game only)  Best Hint: Tell you what non-scoring moves are left",
       .checkable = true},
  };
}

void Hints::showExpert(bool expertGame) {
  if (!expertGame) return message_("The Expert plays Tolva only.");
  const std::vector<char> claimed = claimedFlags(rules_.claims());
  if (status_.gameOver || std::find(claimed.begin() + 1, claimed.end(), 0) == claimed.end())
    return message_("The game is over: no Line is left to play.");
  // While a move is under way the position it stands for is about to change.
  if (rules_.moveLock()) return message_("Wait until the move is over.");

  clear();
  const StepId id = thinker_.ask(rules_.graph(), claimed, true, Clicks::Ignored, [this](const ExpertAnalysis& a) {
    asking_.reset();
    show(a);
  });
  if (id != 0) asking_ = Asked{id, now()};
}

void Hints::show(const ExpertAnalysis& a) {
  for (int l : a.best) drawing_.lines[std::size_t(l)].highlighted = true;
  shownAt_ = now();

  const Player mover = rules_.toMove();
  std::string text =
      std::string("The Expert's move") + (a.best.size() > 1 ? "s" : "") + " for " + playerName(mover) + ": ";
  if (a.best.size() > 6) {
    text += "the " + std::to_string(a.best.size()) + " Lines outlined";
  } else {
    text += a.best.size() > 1 ? "Lines " : "Line ";
    for (std::size_t i = 0; i < a.best.size(); ++i) text += (i ? ", " : "") + std::to_string(a.best[i]);
  }
  if (a.exact) {
    // The points so far and what best play still brings.
    const Player other = mover == Player::Red ? Player::Blue : Player::Red;
    const int margin = rules_.points(mover) - rules_.points(other) + a.value;
    text += margin == 0 ? ". Best play ends in a tie."
                        : std::string(". Best play: ") + playerName(margin > 0 ? mover : other) + " wins by " +
                              std::to_string(margin > 0 ? margin : -margin) + ".";
  }
  status_.hint = std::move(text);
}

void Hints::expire() {
  if ((shownAt_ && *shownAt_ != now()) || (asking_ && asking_->at != now())) clear();
}

void Hints::clear() {
  if (asking_) thinker_.cancel(std::exchange(asking_, std::nullopt)->id);
  if (!shownAt_) return;
  for (LineDraw& d : drawing_.lines) d.highlighted = false;
  status_.hint.clear();
  shownAt_.reset();
}

void Hints::warnNoGoodMoves(int table, const std::vector<int>& closed) {
  const auto& units = rules_.units(table);
  const bool completing = std::any_of(units.begin(), units.end(), [&](const std::vector<int>& lines) {
    return std::count_if(lines.begin(), lines.end(), [&](int l) { return !rules_.claimed(l); }) == 1;
  });
  if (completing) return;
  // A Line is safe while no unit it lies in lacks two Lines.
  for (int l = 1; l <= rules_.graph().lineCount; ++l) {
    if (rules_.claimed(l) || std::find(closed.begin(), closed.end(), l) != closed.end()) continue;
    const bool risky = std::any_of(units.begin(), units.end(), [&](const std::vector<int>& lines) {
      return std::find(lines.begin(), lines.end(), l) != lines.end() &&
             std::count_if(lines.begin(), lines.end(), [&](int m) { return !rules_.claimed(m); }) == 2;
    });
    if (!risky) return;
  }
  message_("No good moves left");
}

}  // namespace kp
