// Plays long seeded random sequences of user events against every game window, through
// the same path as krunkplexa-play, and checks after every event that what the window
// shows agrees with its board. A failing seed is shrunk to a short script that can be
// pasted into krunkplexa-play.
//
//   kp_window_fuzzer [--events N] [--seed S] [--window NAME] [--scene-every N]
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/window_catalogue.h"
#include "boards/registry.h"
#include "play/play_session.h"

namespace {

using kp::GameController;
using kp::PlaySession;

// The windows under test, in the order they joined the collection (a run's "open" event
// picks one by its place here).
std::vector<const kp::WindowEntry*> windowsByJoining() {
  std::vector<const kp::WindowEntry*> rows;
  for (const kp::WindowEntry& row : kp::windowCatalogue()) rows.push_back(&row);
  std::stable_sort(rows.begin(), rows.end(), [](auto* a, auto* b) { return a->tests.joined < b->tests.joined; });
  return rows;
}
const std::vector<const kp::WindowEntry*> kWindows = windowsByJoining();

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void check(bool ok, const std::string& what) {
  if (!ok) throw Failure(what);
}

// What the checks remember between events of one window's life.
struct Watch {
  int window = 0;  // which load of a window
  std::size_t finishedGames = 0;
  std::string redPoints = "0", bluePoints = "0";  // the labels at the last check
  kp::Claims claims;                               // the claims at the last check
  int redTally = 0, blueTally = 0;                 // the points tallies at the last check
  long long events = 0;                            // checked so far
  bool gameOver = false;                           // the banner at the last check
  std::size_t movesShown = 0;                      // the moves of the record the board showed
};

// What a run got through, so a quiet fuzzer cannot pass for a thorough one.
struct Tally {
  long long refused = 0, games = 0, computerMoves = 0, replays = 0;
};
Tally tally;

// How often the scene is checked: after every change of set-up, and after every Nth event.
bool sceneOnSetup = true;
long long sceneEvery = 32;

int number(const std::string& label) {
  try {
    return std::stoi(label);
  } catch (...) {
    throw Failure("a points label is not a number: '" + label + "'");
  }
}

// The points tally is the bonuses of the moves made: a move completing k units adds
// 3000k - 2000 (1000, 4000, 7000). In the line games, where units stay scored, the points
// an event added came from m moves of at most three units each; the Krunk games, where a
// square can be lost, only ever add to the tally. Where the board outlines its squares,
// each player's outlines (one in each picture) are the squares the rules hold for that player.
void checkTally(const GameController& w, Watch& watch, bool claimsChanged) {
  if (!w.rules().scoring().tallied()) return;
  const int red = w.rules().tally(kp::Player::Red), blue = w.rules().tally(kp::Player::Blue);
  const int redUnits = number(w.status().redPoints), blueUnits = number(w.status().bluePoints);
  if (red < watch.redTally || blue < watch.blueTally) {
    check(red == 0 && blue == 0 && redUnits == 0 && blueUnits == 0, "a tally fell without a new game");
  } else if (w.status().gameCaption.find("Krunk") == std::string::npos) {
    const int units[2] = {redUnits - number(watch.redPoints), blueUnits - number(watch.bluePoints)};
    const int added[2] = {red - watch.redTally, blue - watch.blueTally};
    for (int p = 0; p < 2; ++p) {
      const int moves2000 = 3000 * units[p] - added[p];  // 2000 for every scoring move
      check(units[p] == 0 ? added[p] == 0
                          : moves2000 % 2000 == 0 && moves2000 / 2000 >= (units[p] + 2) / 3 && moves2000 / 2000 <= units[p],
            "a tally of " + std::to_string(added[p]) + " for " + std::to_string(units[p]) + " units");
    }
  }
  watch.redTally = red;
  watch.blueTally = blue;
  if (w.kind() != kp::WindowKind::Wireframe || !claimsChanged) return;
  int outlines[3] = {}, owned[3] = {};
  for (const kp::Shape& shape : w.scene().shapes)
    if (shape.kind == kp::Shape::Kind::Outline && shape.visible && shape.borderWidth == 8)
      ++outlines[shape.border == kp::kRed ? 1 : shape.border == kp::kBlue ? 2 : 0];
  for (int c = 1; c <= w.circleCount(); ++c) ++owned[w.rules().cellOwner(c)];
  check(outlines[1] == 2 * owned[1] && outlines[2] == 2 * owned[2], "the squares' outlines differ from their owners");
}

// The drawing record says what is drawn: a Line or circle is shown exactly when the
// scene the window paints shows a piece standing for it (a stroke, a label or a circle by
// its target, read through the view, or by its number), and a check box on the board
// exactly when its control is shown.
void checkShown(const GameController& w) {
  if (w.kind() == kp::WindowKind::Wireframe) return;  // TEMP
  const kp::Scene scene = w.scene();
  const kp::View& view = w.views().current();
  // [n] -> 0 no piece stands for it, 1 only hidden ones, 2 a shown one.
  std::vector<int> lines(std::size_t(w.lineCount()) + 1, 0), circles(std::size_t(w.circleCount()) + 1, 0);
  auto note = [](std::vector<int>& seen, int n, bool visible) {
    if (n >= 1 && n < int(seen.size())) seen[std::size_t(n)] = std::max(seen[std::size_t(n)], visible ? 2 : 1);
  };
  for (const kp::Stroke& s : scene.strokes) {
    if (s.target.kind == kp::Target::Kind::Line) note(lines, view.line(s.target.id), s.visible);
    note(lines, s.number, s.visible);
  }
  for (const kp::Shape& s : scene.shapes) {
    if (s.kind == kp::Shape::Kind::Region) continue;  // never painted
    // A Line's label that takes its clicks shows the Line too (the wire frame's).
    if (s.target.kind == kp::Target::Kind::Line) note(lines, view.line(s.target.id), s.visible);
    if (s.target.kind == kp::Target::Kind::Circle) note(circles, view.circle(s.target.id), s.visible);
    note(circles, s.number, s.visible);
  }
  for (int n = 1; n <= w.lineCount(); ++n)
    if (lines[std::size_t(n)] != 0)
      check(w.drawing().lines[std::size_t(n)].visible == (lines[std::size_t(n)] == 2),
            "Line " + std::to_string(n) + (lines[std::size_t(n)] == 2 ? " is drawn" : " is not drawn") +
                " but its record says otherwise");
  for (int n = 1; n <= w.circleCount(); ++n)
    if (circles[std::size_t(n)] != 0)
      check(w.drawing().circles[std::size_t(n)].visible == (circles[std::size_t(n)] == 2),
            "circle " + std::to_string(n) + (circles[std::size_t(n)] == 2 ? " is drawn" : " is not drawn") +
                " but its record says otherwise");
  for (const kp::CheckBox& box : scene.checkBoxes)
    for (const kp::Control& c : w.controls())
      if (c.id == box.control) check(c.visible == box.visible, "check box '" + c.caption + "' shown otherwise than drawn");
  // No shown click area (a circle, a marker, a label) lies over another's: a person clicks
  // what they read. (The torus draws its circles in depth, the nearer over the farther, and
  // a click takes the one in front.)
  if (w.kind() == kp::WindowKind::Torus) return;
  struct Area {
    double left, top, right, bottom;
    bool round;
  };
  std::vector<std::pair<Area, kp::Target>> areas;
  for (const kp::Shape& s : scene.shapes) {
    if (!s.visible || !s.target || s.kind == kp::Shape::Kind::Region) continue;
    const double ry = s.kind == kp::Shape::Kind::Oval ? s.radiusY : s.radiusX;
    if (s.kind == kp::Shape::Kind::Polygon)
      areas.push_back({{s.points[0].x, s.points[0].y, s.points[2].x, s.points[2].y, false}, s.target});
    else
      areas.push_back({{s.centre.x - s.radiusX, s.centre.y - ry, s.centre.x + s.radiusX, s.centre.y + ry, true}, s.target});
  }
  for (std::size_t i = 0; i < areas.size(); ++i)
    for (std::size_t j = i + 1; j < areas.size(); ++j) {
      const Area &a = areas[i].first, &b = areas[j].first;
      bool meet = a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
      if (meet && a.round && b.round) {  // two ellipses: apart along the line between their centres
        const double dx = (a.left + a.right - b.left - b.right) / 2, dy = (a.top + a.bottom - b.top - b.bottom) / 2;
        const double d = std::hypot(dx, dy);
        auto reach = [&](const Area& e) {
          const double rx = (e.right - e.left) / 2, ry = (e.bottom - e.top) / 2;
          return d == 0 ? rx : rx * ry / std::hypot(ry * dx / d, rx * dy / d);
        };
        meet = d < reach(a) + reach(b);
      }
      check(!meet || areas[i].second == areas[j].second,
            "the click areas of " + std::to_string(areas[i].second.id) + " and " + std::to_string(areas[j].second.id) +
                " overlap in view " + std::to_string(w.views().number()));
    }
}

// The game's record played from the start on a window of its own gives what the board shows:
// claims with their owners, colours and widths, scored Cells and cubes, points, tallies, the
// turn text and its colour, the "Your turn" markers, the moves left and the end of the game.
void checkRecordReplays(PlaySession& session) {
  const GameController& w = *session.window();
  kp::VirtualHost host;
  host.setWindowAvailability(kp::windowBuilt);
  kp::ProgramState program = session.program();
  const auto fresh = kp::loadWindow(w.kind(), host, program);
  if (const auto error = fresh->playRecord(w.record()))
    throw Failure("the game's record does not replay: " + error->message());
  const kp::GameController& r = *fresh;
  auto same = [](bool ok, const char* what) { check(ok, std::string("the record replayed shows other ") + what); };
  same(r.rules().claims() == w.rules().claims() && r.movesPlayed() == w.movesPlayed(), "claims");
  for (std::size_t l = 1; l < w.drawing().lines.size(); ++l) {
    const kp::LineDraw &a = w.drawing().lines[l], &b = r.drawing().lines[l];
    same(a.colour == b.colour && a.width == b.width, "Line colours or widths");
  }
  // A circle shows who scored its Cell (whether an empty one is drawn may be left over from
  // the game before, which no record holds).
  for (std::size_t c = 1; c < w.drawing().circles.size(); ++c) {
    const kp::CircleDraw &a = w.drawing().circles[c], &b = r.drawing().circles[c];
    same(a.fill == b.fill && a.border == b.border, "circles");
  }
  kp::BoardReport shownReport, replayedReport;
  w.report(shownReport);
  r.report(replayedReport);
  same(r.rules().cellOwners() == w.rules().cellOwners() && replayedReport.cubeOwners == shownReport.cubeOwners,
       "Cells or cubes scored");
  const kp::StatusLabels &a = w.status(), &b = r.status();
  same(a.redPoints == b.redPoints && a.bluePoints == b.bluePoints &&
           r.rules().tally(kp::Player::Red) == w.rules().tally(kp::Player::Red) &&
           r.rules().tally(kp::Player::Blue) == w.rules().tally(kp::Player::Blue),
       "points or tallies");
  same(a.turnText == b.turnText && a.turnColour == b.turnColour && a.yourTurn == b.yourTurn, "turn");
  same(a.gameOver == b.gameOver, "end of the game");
  // The moves left count where the board keeps them in step with its moves (elsewhere the
  // label may still hold an earlier game's count, which no record holds), and from the first
  // move (before it they are as the window's opening counted them, which may depend on
  // whether the game was chosen before or after New game).
  if (w.movesShown() > 0 && w.movesLeftOnBoard()) same(a.movesLeft == b.movesLeft, "moves left");
}

void checkInvariants(PlaySession& session, Watch& watch, const std::string& event,
                     const std::vector<kp::ShownMessage>& messages) {
  const GameController* w = session.window();
  kp::VirtualHost& host = session.host();
  // No step outlives the window that scheduled it.
  check(host.scheduledCount() == (w ? w->pendingSteps() : 0), "a scheduled step outlived its window");
  if (!w) return;
  if (session.loads() != watch.window) watch = Watch{session.loads(), 0};

  // Painting the scene costs more than every other check together: after each change of
  // set-up, view or window, and after every 32nd event besides (--scene-every N: only
  // every Nth event, as the sanitizer build does).
  const bool setup = event.rfind("menu", 0) == 0 || event.rfind("button", 0) == 0 || event.rfind("check", 0) == 0 ||
                     event.rfind("open", 0) == 0;
  if ((setup && sceneOnSetup) || ++watch.events % sceneEvery == 0) checkShown(*w);
  const kp::StatusLabels& s = w->status();
  // A take back or a play again goes any number of moves back or on: the tallies and points
  // start again from what it shows.
  const bool takeBack = (event == "menu Game > Take back" || event == "menu Game > Play again") &&
                        w->movesShown() != watch.movesShown;
  watch.movesShown = w->movesShown();
  if (takeBack) {
    watch.redTally = w->rules().tally(kp::Player::Red);
    watch.blueTally = w->rules().tally(kp::Player::Blue);
    watch.redPoints = s.redPoints;
    watch.bluePoints = s.bluePoints;
  }
  const auto [red, blue] = w->pointsOnBoard();
  if (!w->pointsHeldFromLastRecount()) {
    check(number(s.redPoints) == red && number(s.bluePoints) == blue,
          "points " + s.redPoints + ":" + s.bluePoints + " but the board shows " + std::to_string(red) + ":" +
              std::to_string(blue));
  } else if (event.rfind("circle", 0) == 0 || event.rfind("keypad", 0) == 0) {
    // The automatic last move ended the game on the last recount: when a person's move
    // set it off, that recount is the one the labels showed before the move. (After the
    // computer's move it is the recount of that move, which no check sees.)
    check(s.redPoints == watch.redPoints && s.bluePoints == watch.bluePoints,
          "points " + s.redPoints + ":" + s.bluePoints + " after the automatic last move, but " + watch.redPoints + ":" +
              watch.bluePoints + " at the last recount");
  }
  const bool claimsChanged = watch.claims.empty() || w->rules().claims() != watch.claims;
  checkTally(*w, watch, claimsChanged);
  watch.redPoints = s.redPoints;
  watch.bluePoints = s.bluePoints;
  // Turning the board and the display's check boxes move what is shown, never a claim.
  if (((event.rfind("button ", 0) == 0 && event.rfind("button New ", 0) != 0) || event.rfind("check ", 0) == 0) &&
      !watch.claims.empty())
    check(w->rules().claims() == watch.claims, "'" + event + "' changed a claim");
  watch.claims = w->rules().claims();
  check(red + blue <= w->circleCount() && number(s.redPoints) + number(s.bluePoints) <= w->circleCount(),
        "more points than Cells");
  if (auto left = w->movesLeftOnBoard()) check(s.movesLeft == *left, "'" + s.movesLeft + "' but the board says '" + *left + "'");
  check(!w->moveLock() || w->computerSteps() > 0, "the move lock is set with no computer move coming");
  // (While the computer is at work, a window may already have set its toggle for the turn after.)
  if (!s.gameOver && !w->moveLock())
    check(s.yourTurn[0] == (w->rules().toMove() == kp::Player::Red) &&
              s.yourTurn[1] == (w->rules().toMove() == kp::Player::Blue),
          "\"Your turn\" stands beside the player not to move");

  // A finished game taken back leaves the rounds; played to its end again, it ends again.
  if (takeBack && watch.gameOver && !s.gameOver) --watch.finishedGames;
  bool ended = false;
  for (const auto& m : messages)
    if (m.text.find(" by points") != std::string::npos || m.text == "By points its a tie")
      ++watch.finishedGames, ++tally.games, ended = true;
  watch.gameOver = s.gameOver;
  // (A record without a move replays nothing: before the first move a window shows what its
  // opening and the order of New game and the game's choice left.)
  if ((takeBack || ended) && w->computerSteps() == 0 && !w->moveLock() && w->movesShown() > 0) {
    ++tally.replays;
    checkRecordReplays(session);
  }
  // Every finished game has its round line, numbered from 1; a game finished with the
  // scores cumulative adds to the totals and writes its subtotal and a blank line after it.
  std::size_t games = 0, i = 1;
  int redTotal = 0, blueTotal = 0;
  for (; i < s.rounds.size() && s.rounds[i].rfind("Round ", 0) == 0; ++games) {
    const std::string& round = s.rounds[i++];
    const std::string prefix = "Round " + std::to_string(games + 1) + " -";
    check(round.rfind(prefix, 0) == 0, "round line '" + round + "' should start '" + prefix + "'");
    const auto tab1 = round.find('\t'), tab2 = round.rfind('\t');
    if (i < s.rounds.size() && s.rounds[i].find("  Subtotal -\t") != std::string::npos) {
      redTotal += std::stoi(round.substr(tab1 + 1, tab2 - tab1 - 1));
      blueTotal += std::stoi(round.substr(tab2 + 1));
      const std::string& sub = s.rounds[i];
      check(sub.substr(sub.find('\t')) == "\t" + std::to_string(redTotal) + "\t" + std::to_string(blueTotal),
            "subtotal line '" + sub + "' differs from the rounds before it");
      i += 2;
    }
  }
  check(i == s.rounds.size() && games == watch.finishedGames,
        "rounds list has " + std::to_string(s.rounds.size()) + " entries after " + std::to_string(watch.finishedGames) +
            " games");
  check(number(s.redTotal) == redTotal && number(s.blueTotal) == blueTotal, "running totals differ from the rounds");
  check(!s.gameOver || watch.finishedGames > 0, "the GAME OVER banner without a finished game");
}

// One random event as a script line, for the window that is open.
std::string randomEvent(std::mt19937& rng, PlaySession& session) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const GameController* w = session.window();
  if (!w) return "open square";
  const int roll = pick(0, 999);
  if (roll < 450) {
    // Mostly what a person would click: a target that is shown and free.
    std::vector<std::string> free;
    for (int n = 1; n <= w->lineCount(); ++n)
      if (w->drawing().lines[n].targetVisible && !w->rules().claimed(n))
        free.push_back("line " + std::to_string(n));
    for (int n = 1; n <= w->circleCount(); ++n)
      if (w->drawing().circles[n].targetVisible && w->drawing().circles[n].border != kp::kGreen)
        free.push_back("circle " + std::to_string(n));
    if (!free.empty()) return free[pick(0, int(free.size()) - 1)];
  }
  if (roll < 600) return "line " + std::to_string(pick(1, w->lineCount()));
  if (roll < 700) return "circle " + std::to_string(pick(1, w->circleCount()));
  if (roll < 820) {
    std::vector<std::string> paths;
    w->menus().forEach([&](const std::string& path, const kp::MenuEntry& e) {
      // Exit ends the run: rarely. New game is the button's business below.
      if (e.children.empty() && e.id != "game.new" && (e.id != "game.exit" || pick(0, 50) == 0)) paths.push_back(path);
    });
    return "menu " + paths[pick(0, int(paths.size()) - 1)];
  }
  if (roll < 950) {
    // Mostly short waits; now and then one long enough for any countdown to run out.
    const int scale = pick(0, 99);
    return "wait " + std::to_string(scale < 60 ? pick(0, 600) : scale < 98 ? pick(0, 3000) : pick(0, 130000));
  }
  if (roll < 975) {
    static const char* const odd[] = {"", "0", "007", "123", "9999", "x", "1 2"};
    return pick(0, 2) == 0 ? std::string("keypad ") + odd[pick(0, 6)]
                           : "keypad " + std::to_string(pick(1, std::max(w->lineCount(), w->circleCount())));
  }
  if (roll < 996) {
    // The window's own buttons, New game among them.
    std::vector<std::string> names;
    for (const auto& c : w->controls()) names.push_back((c.checkBox ? "check " : "button ") + w->nameOf(c));
    kp::BoardReport report;
    w->report(report);
    if (const int regions = int(report.clickRegions.size()); regions > 0)
      names.push_back("region " + std::to_string(pick(0, regions - 1)));
    return pick(0, 3) == 0 ? "menu Game > New" : names[pick(0, int(names.size()) - 1)];
  }
  return "open " + std::string(kWindows[std::size_t(pick(0, int(kWindows.size()) - 1))]->name);
}

// The Expert's budget here: the fuzzer tries the windows, not the Expert's play, and a
// full budget would spend most of its time searching.
constexpr long long kFuzzExpertNodes = 20'000;

// Plays a script from a fresh session; returns the failure, or "" when every check held.
std::string replay(const std::string& window, std::uint32_t seed, const std::vector<std::string>& script,
                   std::size_t* failedAt = nullptr) {
  PlaySession session(seed);
  session.program().expertFixed.nodes = kFuzzExpertNodes;
  session.open(window);
  Watch watch;
  for (std::size_t i = 0; i < script.size(); ++i) {
    try {
      std::istringstream in(script[i]);
      for (const auto& cmd : kp::parseScript(in)) session.run(cmd);
      checkInvariants(session, watch, script[i], session.host().takeMessages());
    } catch (const kp::ScriptError&) {
      return "";  // a shortened script that no longer fits its board does not reproduce anything
    } catch (const std::exception& e) {
      if (failedAt) *failedAt = i;
      return e.what();
    }
  }
  return "";
}

// Removes events while the script still fails, in halving chunks, then one by one.
std::vector<std::string> shrink(const std::string& window, std::uint32_t seed, std::vector<std::string> script) {
  for (std::size_t chunk = script.size() / 2; chunk >= 1; chunk /= 2) {
    for (std::size_t start = 0; start < script.size();) {
      std::vector<std::string> shorter(script.begin(), script.begin() + std::ptrdiff_t(start));
      shorter.insert(shorter.end(), script.begin() + std::ptrdiff_t(std::min(script.size(), start + chunk)), script.end());
      if (!replay(window, seed, shorter).empty()) script = std::move(shorter);
      else start += chunk;
    }
    if (chunk == 1) break;
  }
  return script;
}

}  // namespace

int main(int argc, char** argv) {
  long long events = 200000;
  std::uint32_t seed = 1;
  std::string only;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--events")) events = std::atoll(argv[i + 1]);
    else if (!std::strcmp(argv[i], "--seed")) seed = std::uint32_t(std::atoll(argv[i + 1]));
    else if (!std::strcmp(argv[i], "--window")) only = argv[i + 1];
    else if (!std::strcmp(argv[i], "--scene-every")) sceneEvery = std::max(1LL, std::atoll(argv[i + 1])), sceneOnSetup = false;
  }

  for (const kp::WindowEntry* row : kWindows) {
    const std::string window = row->name;
    if (!only.empty() && only != window) continue;
    // The boards its runs open on in turn, by the menu that chooses them.
    const std::vector<const char*>& boards = row->tests.fuzzerBoards;
    tally = Tally{};
    std::mt19937 rng(seed);
    long long played = 0, runs = 0;
    while (played < events) {
      // One run: a fresh program, events until it ends or 5000 have been played.
      ++runs;
      const std::uint32_t runSeed = seed * 7919u + std::uint32_t(runs);
      PlaySession session(runSeed);
      session.program().expertFixed.nodes = kFuzzExpertNodes;
      session.setOnRefused([](const std::string&) { ++tally.refused; });
      session.open(window);
      Watch watch;
      std::vector<std::string> script;
      for (int n = 0; n < 5000 && played < events && !session.ended(); ++n, ++played) {
        script.push_back(n == 0 && !boards.empty() ? "menu " + std::string(boards[std::size_t(runs) % boards.size()])
                                                   : randomEvent(rng, session));
        try {
          std::istringstream in(script.back());
          for (const auto& cmd : kp::parseScript(in)) session.run(cmd);
          checkInvariants(session, watch, script.back(), session.host().takeMessages());
        } catch (const std::exception& e) {
          std::cerr << "window " << window << ", seed " << seed << ", run " << runs << ": " << e.what() << "\n";
          const auto small = shrink(window, runSeed, script);
          std::cerr << "shortest script found (" << small.size() << " events, krunkplexa-play --seed " << runSeed << " --nodes " << kFuzzExpertNodes
                    << "):\nopen " << window << "\n";
          for (const auto& line : small) std::cerr << line << "\n";
          std::cerr << "# fails with: " << replay(window, runSeed, small) << "\n";
          return 1;
        }
      }
    }
    std::cout << "window " << window << ": " << played << " events in " << runs << " runs (" << tally.games
              << " games finished, " << tally.replays << " records replayed, " << tally.refused
              << " events refused), every check held\n";
  }
  return 0;
}
