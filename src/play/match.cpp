#include "play/match.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "core/expert.h"
#include "core/greedy_choice.h"
#include "core/line_game.h"
#include "play/play_session.h"

namespace kp {

TolvaBoard tolvaBoard(const std::string& window, int subLevel) {
  PlaySession session;
  session.program().subLevel = subLevel;
  if (const std::string refusal = session.open(window); !refusal.empty()) throw std::invalid_argument(refusal);
  // Copies: the window owns what it hands out, and it closes with the session.
  return {session.window()->rules().graph(), session.window()->drawing()};
}

const char* sideName(Side side) { return side == Side::Expert ? "expert" : "standard"; }

namespace {

// One decision of a side, timed.
int decide(Side side, const LineGame& rules, const Drawing& drawing, Random& random, SideRecord& record,
           ExpertLimits expert) {
  const auto start = std::chrono::steady_clock::now();
  const BoardGraph& g = rules.graph();
  const int line = side == Side::Expert ? chooseExpert(g, claimedFlags(rules.claims()), random, expert)
                                        // As the windows' computer chooses in Tolva.
                                        : chooseGreedy(g.cellSides, rules, drawing, Completing::AtRandom, random);
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  ++record.decisions;
  record.totalMs += ms;
  record.worstMs = std::max(record.worstMs, ms);
  return line;
}

}  // namespace

MatchResult playMatch(const MatchSettings& settings) {
  const TolvaBoard board = tolvaBoard(settings.window, settings.subLevel);
  Drawing drawing = board.drawing;
  StatusLabels status;
  LineGame rules(status, drawing);
  rules.setGraph(&board.graph);
  rules.rememberInitialLines();
  Random random(settings.seed);

  MatchResult result;
  result.red.side = settings.red;
  result.blue.side = settings.blue;
  for (int game = 0; game < settings.games; ++game) {
    rules.resetBoard();
    // New game flips the first-player flag, and Red opens while it stands at 0.
    rules.setToggle(rules.flipFirstPlayer() ? 0 : 1);
    Outcome outcome = Outcome::GoesOn;
    while (outcome == Outcome::GoesOn) {
      const bool red = rules.toMove() == Player::Red;
      SideRecord& record = red ? result.red : result.blue;
      const int line = decide(record.side, rules, drawing, random, record, settings.expert);
      if (line < 1 || line > board.graph.lineCount || rules.claimed(line))
        throw std::logic_error(std::string(sideName(record.side)) + " chose no free Line (" + std::to_string(line) +
                               ") with " + std::to_string(rules.claimedLineCount()) + " Lines claimed");
      const Player mover = rules.takeTurn();
      rules.claimLine(line, lineColour(mover), int(mover), mover);
      outcome = rules.checkwins(LineRule::Tolva);
    }
    const auto [red, blue] = rules.unitsScored(0);
    result.red.points += red;
    result.blue.points += blue;
    result.red.wins += red > blue;
    result.blue.wins += blue > red;
    result.ties += red == blue;
    ++result.games;
  }
  return result;
}

nlohmann::json matchJson(const MatchSettings& settings, const MatchResult& result) {
  auto side = [](const SideRecord& r) {
    return nlohmann::json{{"player", sideName(r.side)},
                          {"wins", r.wins},
                          {"points", r.points},
                          {"decisions", r.decisions},
                          {"mean_ms", r.decisions ? r.totalMs / r.decisions : 0.0},
                          {"worst_ms", r.worstMs}};
  };
  return {{"window", settings.window}, {"game", "tolva"},          {"sub_level", settings.subLevel},
          {"seed", settings.seed},     {"games", result.games},    {"ties", result.ties},
          {"red", side(result.red)},   {"blue", side(result.blue)}};
}

}  // namespace kp
