#pragma once
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

#include "core/board_graph.h"
#include "core/drawing.h"
#include "core/expert_limits.h"
#include "core/random.h"

namespace kp {

// A board as a runner window has it for Tolva: its graph on the sub-level it opened with,
// and its drawing (the greedy computer takes only Lines the board shows).
struct TolvaBoard {
  BoardGraph graph;
  Drawing drawing;
};

// Opens runner window `window` ("square", "triangular", ...) with SubLevel `subLevel` as
// Other Games opens it, and takes its board. Throws std::invalid_argument for a window the
// runner cannot open.
TolvaBoard tolvaBoard(const std::string& window, int subLevel);

// Who plays a side of a match.
enum class Side {
  Standard,  // the windows' own computer: the greedy chooser
  Expert,
};
const char* sideName(Side side);

struct MatchSettings {
  std::string window = "square";
  int subLevel = 0;
  int games = 1;
  std::uint32_t seed = Random::kDefaultSeed;
  Side red = Side::Standard;
  Side blue = Side::Standard;
  ExpertLimits expert;  // how far the Expert looks on either side
};

struct SideRecord {
  Side side = Side::Standard;
  int wins = 0;
  int points = 0;  // Cells over every game
  int decisions = 0;
  double totalMs = 0;
  double worstMs = 0;
};

struct MatchResult {
  int games = 0;
  int ties = 0;
  SideRecord red, blue;
};

// Plays settings.games whole games of Tolva on the window's board between the two sides,
// on the rules core the windows play on. The opener alternates as the flat windows' New
// game has it: Red opens the first game. One generator seeded with settings.seed serves
// both sides, so a seed replays the same match. Throws std::invalid_argument as tolvaBoard.
MatchResult playMatch(const MatchSettings& settings);

// The one line a match prints: settings, games, ties and for red and blue the player,
// wins, points and decision times (mean and worst, in ms).
nlohmann::json matchJson(const MatchSettings& settings, const MatchResult& result);

}  // namespace kp
