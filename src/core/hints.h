#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/expert_thinker.h"
#include "core/line_game.h"
#include "core/menu_model.h"

namespace kp {

// The hints a person can ask for: the Expert's move shown on the board, and the computer's
// "No good moves left". A hint stands for the position it was asked in.
class Hints {
 public:
  Hints(const LineGame& rules, Drawing& drawing, StatusLabels& status, ExpertThinker& thinker,
        std::function<void(const std::string&)> message)
      : rules_(rules), drawing_(drawing), status_(status), thinker_(thinker), message_(std::move(message)) {}

  // The Tolva hints of the Options menu ("hint.computer", "hint.super", "hint.best").
  static std::vector<MenuEntry> tolvaMenu();
  // "Show me the Expert's move" (`expertGame`: the Expert plays the game chosen): every
  // best Line for the player to move highlighted once the Expert has thought it over aside,
  // or a message why there is none to show.
  void showExpert(bool expertGame);
  // Once the claims or the board are others than the hint was asked for, it is taken down
  // (or its question dropped while the Expert still thinks).
  void expire();
  // Lines outlined and named as the Expert's move for the position shown (a review's
  // better move; `exact`: its value is solved).
  void showBest(std::vector<int> best, int value, bool exact) { show({.best = std::move(best), .value = value, .exact = exact}); }
  void clear();
  // "No good moves left", said when a unit table of the rules has no unit lacking one Line
  // and no Line but those closed is free that gives nothing away.
  void warnNoGoodMoves(int table, const std::vector<int>& closed);

 private:
  const LineGame& rules_;
  Drawing& drawing_;
  StatusLabels& status_;
  ExpertThinker& thinker_;
  std::function<void(const std::string&)> message_;
  struct Position {
    Claims claims;
    const BoardGraph* graph;
    bool operator==(const Position&) const = default;
  };
  Position now() const { return {rules_.claims(), &rules_.graph()}; }
  void show(const ExpertAnalysis& a);
  std::optional<Position> shownAt_;
  // The question the Expert is thinking over, and where it was asked.
  struct Asked {
    StepId id;
    Position at;
  };
  std::optional<Asked> asking_;
};

}  // namespace kp
