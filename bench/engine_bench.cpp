// The engine's hot paths, without any toolkit: one move's evaluation, one computer
// decision, and whole games per second on every board this version has; and the review of
// a whole game by the Expert.
//
// Positions come from random games played through the window models themselves, so
// every figure is taken on boards a person could reach. The benchmark's own choices use
// a fixed seed; the program's generator keeps its default seed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <vector>

#include "allocation_count.h"
#include "boards/cube/wall_window.h"
#include "boards/flat/large_square_window.h"
#include "boards/flat/square_board.h"
#include "core/greedy_choice.h"
#include "boards/flat/square_window.h"
#include "boards/triangular/triangular_window.h"
#include "core/colour_choice.h"
#include "core/game_review.h"
#include "core/line_game.h"
#include "core/virtual_host.h"
#include "play/play_session.h"
#include "support/reviewed_game.h"

namespace kp {
namespace {

using Clock = std::chrono::steady_clock;

// Made just before a benchmark's loop: reports the allocations an iteration makes on average.
class AllocationsPerIteration {
 public:
  explicit AllocationsPerIteration(benchmark::State& state) : state_(state), start_(allocationCount()) {}
  ~AllocationsPerIteration() {
    state_.counters["allocs"] =
        benchmark::Counter(double(allocationCount() - start_), benchmark::Counter::kAvgIterations);
  }

 private:
  benchmark::State& state_;
  std::uint64_t start_;
};

// Shuffled orders of 1..n to play from; a claimed target is skipped.
std::vector<std::vector<int>> shuffledOrders(int n, int count, std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<std::vector<int>> orders(static_cast<std::size_t>(count), std::vector<int>(static_cast<std::size_t>(n)));
  for (auto& o : orders) {
    for (int i = 0; i < n; ++i) o[std::size_t(i)] = i + 1;
    std::shuffle(o.begin(), o.end(), rng);
  }
  return orders;
}

// A window model of its own, with the host it reports to, for two people taking turns.
template <class Window>
struct Table {
  explicit Table(int subLevel) {
    program.subLevel = subLevel;
    host.setWindowAvailability([](WindowKind) { return false; });
    window = std::make_unique<Window>(host, program);
  }
  void choose(const std::string& id) { window->menuChosen(id); }
  // Answers the result box, forgets the messages and starts the next game.
  void nextGame() {
    host.answerMessages();
    host.takeMessages();
    window->controlPressed(kNewGameButton);
  }
  // A free target a person could click, at random (Lines, or circles in the circle games).
  int randomFreeTarget(bool circles, std::mt19937& rng) {
    const Drawing& d = window->drawing();
    const LineGame& game = window->rules();
    free.clear();
    for (int k = 1; k <= (circles ? window->circleCount() : window->lineCount()); ++k)
      if (circles ? d.circles[k].targetVisible && !game.circleUsed(k) : d.lines[k].targetVisible && !game.claimed(k))
        free.push_back(k);
    return free[std::uniform_int_distribution<std::size_t>(0, free.size() - 1)(rng)];
  }
  ProgramState program;
  VirtualHost host;
  std::unique_ptr<Window> window;
  std::vector<int> free;
};

// ---------------------------------------------------------------------------
// One move's evaluation.

// Tolva on the square board, the rules core alone: the claim and LineGame::checkwins,
// averaged over the moves of random games (a reset every 60 moves is included).
void Eval_SquareTolva_Core(benchmark::State& state) {
  const BoardGraph graph = square::graph(false);
  StatusLabels status;
  Drawing drawing;
  drawing.resize(square::kLines, square::kCells);
  LineGame game(status, drawing);
  game.setGraph(&graph);
  game.rememberInitialLines();
  const auto orders = shuffledOrders(square::kLines, 64, 1);
  std::size_t order = 0, next = 0;
  const AllocationsPerIteration allocations(state);
  for (auto _ : state) {
    if (next == square::kLines) {
      game.resetBoard();
      next = 0;
      order = (order + 1) % orders.size();
    }
    const int line = orders[order][next++];
    const Player mover = game.takeTurn();
    game.claimLine(line, lineColour(mover), int(mover), mover);
    benchmark::DoNotOptimize(game.checkwins(LineRule::Tolva));
  }
}
BENCHMARK(Eval_SquareTolva_Core);

// A move through a window model, as a click reaches it: the claim, the evaluation, the
// labels and menus, the turn passing (two people, no computer). New game is included
// where a game ends. This is what the shell waits for before it repaints.
template <class Window>
void modelMoves(benchmark::State& state, int subLevel, const char* variant, bool circles) {
  Table<Window> t(subLevel);
  t.choose(variant);
  const int n = circles ? t.window->circleCount() : t.window->lineCount();
  const auto orders = shuffledOrders(n, 64, 2);
  std::size_t order = 0, next = 0;
  const AllocationsPerIteration allocations(state);
  for (auto _ : state) {
    // Skip what is no longer free (a joined partner, a circle the game has used).
    for (;;) {
      if (t.window->status().gameOver || next == std::size_t(n)) {
        t.nextGame();
        next = 0;
        order = (order + 1) % orders.size();
      }
      const int target = orders[order][next];
      if (circles ? !t.window->rules().circleUsed(target) && t.window->drawing().circles[target].targetVisible
                  : !t.window->rules().claimed(target))
        break;
      ++next;
    }
    const int target = orders[order][next++];
    if (circles)
      t.window->circleClicked(target);
    else
      t.window->lineClicked(target);
  }
}

void Move_SquareTolva_Model(benchmark::State& state) { modelMoves<SquareWindow>(state, 0, "games.0", false); }
void Move_SquareSuperKrunkPlus_Model(benchmark::State& state) { modelMoves<SquareWindow>(state, 0, "games.8", true); }
void Move_TriangularSuperKrunkPlus_Globoria_Model(benchmark::State& state) {
  modelMoves<TriangularWindow>(state, 1, "games.4", true);
}
BENCHMARK(Move_SquareTolva_Model);
BENCHMARK(Move_SquareSuperKrunkPlus_Model);
BENCHMARK(Move_TriangularSuperKrunkPlus_Globoria_Model);

// ---------------------------------------------------------------------------
// One computer decision.

// A position the computer may meet: the board as the window model left it.
struct Position {
  StatusLabels status;
  Drawing drawing;
  Claims claims;  // the circle games' positions
  std::unique_ptr<LineGame> game;
  std::vector<int> unusedCircles;
};

// Positions from random two-person Tolva games on the square board, one after every move
// that leaves a Line free.
std::vector<std::unique_ptr<Position>> tolvaPositions(const BoardGraph& graph, int games) {
  std::vector<std::unique_ptr<Position>> out;
  const auto orders = shuffledOrders(square::kLines, games, 3);
  for (const auto& order : orders) {
    for (std::size_t moves = 0; moves < order.size(); ++moves) {
      auto p = std::make_unique<Position>();
      p->drawing.resize(square::kLines, square::kCells);
      p->game = std::make_unique<LineGame>(p->status, p->drawing);
      p->game->setGraph(&graph);
      for (std::size_t i = 0; i < moves; ++i) {
        if (p->game->claimed(order[i])) continue;
        const Player mover = p->game->takeTurn();
        p->game->claimLine(order[i], lineColour(mover), int(mover), mover);
        p->game->checkwins(LineRule::Tolva);
      }
      out.push_back(std::move(p));
    }
  }
  return out;
}

// The greedy Line choice (Tolva) over positions from every stage of a game.
void Computer_SquareTolva(benchmark::State& state) {
  const BoardGraph graph = square::graph(false);
  const auto positions = tolvaPositions(graph, 16);
  Random random;
  std::size_t i = 0;
  const AllocationsPerIteration allocations(state);
  for (auto _ : state) {
    const Position& p = *positions[i];
    benchmark::DoNotOptimize(chooseGreedy(p.game->graph().cellSides, *p.game, p.drawing, Completing::AtRandom, random));
    i = (i + 1) % positions.size();
  }
}
BENCHMARK(Computer_SquareTolva);

// Positions of a square circle game (two people, random circles) before every move.
std::vector<std::unique_ptr<Position>> circlePositions(const char* variant, int games) {
  std::vector<std::unique_ptr<Position>> out;
  Table<SquareWindow> t(0);
  t.choose(variant);
  const auto orders = shuffledOrders(square::kCells, games, 4);
  for (const auto& order : orders) {
    for (int k : order) {
      if (t.window->status().gameOver) break;
      if (t.window->rules().circleUsed(k)) continue;
      auto p = std::make_unique<Position>();
      p->claims = t.window->rules().claims();
      for (int c = 1; c <= square::kCells; ++c)
        if (!t.window->rules().circleUsed(c)) p->unusedCircles.push_back(c);
      out.push_back(std::move(p));
      t.window->circleClicked(k);
    }
    t.nextGame();
  }
  return out;
}

// The square circle games' decision as SquareWindow takes it: the list of moves (every
// unused circle with the Lines it claims), then chooseByColour. Over positions from every
// stage of a game, or only the computer's first decision (24 circles left to weigh, the
// most it ever weighs).
void computerByColour(benchmark::State& state, const char* variant, bool plus, bool firstOnly = false) {
  const BoardGraph graph = square::graph(false);
  auto positions = circlePositions(variant, 16);
  if (firstOnly) std::erase_if(positions, [](const auto& p) { return p->unusedCircles.size() != square::kCells - 1; });
  Random random;
  std::size_t i = 0;
  const AllocationsPerIteration allocations(state);
  for (auto _ : state) {
    const Position& p = *positions[i];
    ColourMoves moves;
    for (int c : p.unusedCircles)
      moves.add(c, [&](std::vector<int>& lines) {
        if (plus) {
          const std::vector<int>& claims = square::superKrunkClaims(c, false, true);
          lines.insert(lines.end(), claims.begin(), claims.end());
        } else {
          for (int k = 1; k <= 4; ++k) lines.push_back(square::side(c, k));
        }
      });
    benchmark::DoNotOptimize(chooseByColour(graph, p.claims, moves, {kRed}, random));
    i = (i + 1) % positions.size();
  }
}
void Computer_SquareKrunk_ByColour(benchmark::State& state) { computerByColour(state, "games.2", false); }
void Computer_SquareSuperKrunkPlus_ByColour(benchmark::State& state) { computerByColour(state, "games.8", true); }
void Computer_SquareKrunk_ByColour_First(benchmark::State& state) { computerByColour(state, "games.2", false, true); }
void Computer_SquareSuperKrunkPlus_ByColour_First(benchmark::State& state) {
  computerByColour(state, "games.8", true, true);
}
BENCHMARK(Computer_SquareKrunk_ByColour);
BENCHMARK(Computer_SquareKrunk_ByColour_First);
BENCHMARK(Computer_SquareSuperKrunkPlus_ByColour);
BENCHMARK(Computer_SquareSuperKrunkPlus_ByColour_First);

// The triangular games against the computer, measured through the window model: the time
// from the person's move to the computer's step being scheduled. In the circle games that
// is the person's circle, its evaluation and the computer's choice (redchack); in Line
// Krunk the person's Line, its evaluation and the computer's Line (chooseLine, which
// weighs every free Line against every answer). The computer's pauses and moves then run
// on the virtual clock outside the timing, as does New game.
void turnVsComputer(benchmark::State& state, int subLevel, const char* variant, bool circles) {
  Table<TriangularWindow> t(subLevel);
  t.choose(variant);
  t.choose("players.0");
  std::mt19937 rng(5);
  const AllocationsPerIteration allocations(state);
  for (auto _ : state) {
    if (t.window->status().gameOver) t.nextGame();
    const int k = t.randomFreeTarget(circles, rng);
    const auto start = Clock::now();
    if (circles)
      t.window->circleClicked(k);
    else
      t.window->lineClicked(k);
    const auto end = Clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    // The computer's pauses and moves, until it is the person's turn again or the game is over.
    while (t.window->moveLock() && t.host.runNextStepBy(t.host.nowMs() + 3000)) t.host.answerMessages();
    t.host.answerMessages();
  }
}
void Computer_TriangularKrunk_Turn(benchmark::State& state) { turnVsComputer(state, 0, "games.2", true); }
void Computer_TriangularSuperKrunkPlus_Globoria_Turn(benchmark::State& state) {
  turnVsComputer(state, 1, "games.4", true);
}
void Computer_TriangularLineKrunk_Turn(benchmark::State& state) { turnVsComputer(state, 0, "games.6", false); }
BENCHMARK(Computer_TriangularKrunk_Turn)->UseManualTime();
BENCHMARK(Computer_TriangularSuperKrunkPlus_Globoria_Turn)->UseManualTime();
BENCHMARK(Computer_TriangularLineKrunk_Turn)->UseManualTime();

// The computer's decision on the largest boards (the 9 by 9 square board, the Great
// Wall), as the window takes it: the step after its pause that chooses its move and shows
// it. The person's moves and the computer's other steps run outside the timing.
template <class Window>
void largeBoardDecision(benchmark::State& state, int subLevel, const char* board, const char* variant, bool circles) {
  Table<Window> t(subLevel);
  t.choose(board);
  t.choose(variant);
  t.choose("players.0");
  std::mt19937 rng(6);
  for (auto _ : state) {
    // The person moves until the computer is at work (or the game is over).
    while (!t.window->moveLock()) {
      if (t.window->status().gameOver) t.nextGame();
      if (t.window->moveLock()) break;
      const int k = t.randomFreeTarget(circles, rng);
      circles ? t.window->circleClicked(k) : t.window->lineClicked(k);
    }
    const auto start = Clock::now();
    t.host.runNextStepBy(t.host.nowMs() + 3000);
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    while (t.window->moveLock() && t.host.runNextStepBy(t.host.nowMs() + 3000)) t.host.answerMessages();
    t.host.answerMessages();
  }
}
void Computer_Large9_Tolva(benchmark::State& state) {
  largeBoardDecision<LargeSquareWindow>(state, 0, "size.9", "games.0", false);
}
void Computer_Large9_SuperKrunkPlus_Globoria(benchmark::State& state) {
  largeBoardDecision<LargeSquareWindow>(state, 1, "size.9", "games.8", true);
}
void Computer_Large9_LineKrunk(benchmark::State& state) {
  largeBoardDecision<LargeSquareWindow>(state, 0, "size.9", "games.6", false);
}
void Computer_GreatWall_Tolva(benchmark::State& state) { largeBoardDecision<WallWindow>(state, 0, "sub.3", "games.1", false); }
void Computer_GreatWall_SuperKrunkPlus(benchmark::State& state) {
  largeBoardDecision<WallWindow>(state, 0, "sub.3", "games.11", true);
}
void Computer_GreatWall_LineKrunk(benchmark::State& state) {
  largeBoardDecision<WallWindow>(state, 0, "sub.3", "games.7", false);
}
BENCHMARK(Computer_Large9_Tolva)->UseManualTime();
BENCHMARK(Computer_Large9_SuperKrunkPlus_Globoria)->UseManualTime();
BENCHMARK(Computer_Large9_LineKrunk)->UseManualTime();
BENCHMARK(Computer_GreatWall_Tolva)->UseManualTime();
BENCHMARK(Computer_GreatWall_SuperKrunkPlus)->UseManualTime();
BENCHMARK(Computer_GreatWall_LineKrunk)->UseManualTime();

// ---------------------------------------------------------------------------
// "Review this game with the Expert": a whole 5 by 5 game (a person against the standard
// computer), every position analysed at the review's budget.
void Review_SquareTolva_Game(benchmark::State& state) {
  const BoardGraph graph = square::graph(false);
  for (auto _ : state) benchmark::DoNotOptimize(reviewTolva(graph, testing::kReviewedGame, {.nodes = kReviewNodes}));
}
BENCHMARK(Review_SquareTolva_Game)->Unit(benchmark::kMillisecond)->Iterations(1);

// ---------------------------------------------------------------------------
// Whole games per second, headless, through PlaySession as krunkplexa-play plays them:
// random legal moves (uniform over what a person could click), result boxes answered,
// New game between games. With the computer, the virtual clock runs its pauses.

struct GameSetup {
  const char* window;
  std::vector<std::string> menus;
  bool circles;
  bool vsComputer;
  bool stateAfterEachMove = false;  // the whole observable state as JSON, as `state` prints it
};

// The rules core of a window, to tell which targets are still free.
const LineGame& gameOf(GameController& w) {
  if (auto* sq = dynamic_cast<SquareWindow*>(&w)) return sq->rules();
  return dynamic_cast<TriangularWindow&>(w).rules();
}

void wholeGames(benchmark::State& state, const GameSetup& setup) {
  PlaySession session;
  session.open(setup.window);
  for (const auto& m : setup.menus) session.menu(m);
  std::mt19937 rng(6);
  std::vector<int> free;
  long moves = 0;
  const AllocationsPerIteration allocations(state);
  for (auto _ : state) {
    GameController* w = session.window();
    const int n = setup.circles ? w->circleCount() : w->lineCount();
    const LineGame& game = gameOf(*w);
    const Drawing& d = w->drawing();
    // The computer's pauses run on the virtual clock until the person may move (Red
    // opens every second square Tolva game: then the computer moves first). Waiting no
    // longer than that keeps the countdown's ticks out of the figure.
    auto computerTurn = [&] {
      while (setup.vsComputer && w->moveLock() && !w->status().gameOver) session.wait(250);
    };
    computerTurn();
    while (!w->status().gameOver) {
      free.clear();
      // What a person could click now: a shown target not yet played.
      for (int k = 1; k <= n; ++k)
        if (setup.circles ? d.circles[k].targetVisible && !game.circleUsed(k)
                          : d.lines[k].targetVisible && !game.claimed(k))
          free.push_back(k);
      if (free.empty()) break;  // cannot happen in a running game; keeps a fault from hanging the run
      const int k = free[std::uniform_int_distribution<std::size_t>(0, free.size() - 1)(rng)];
      if (setup.circles)
        session.circle(k);
      else
        session.line(k);
      ++moves;
      computerTurn();
      if (setup.stateAfterEachMove) benchmark::DoNotOptimize(session.state().dump());
    }
    session.button("New game");
    session.host().takeMessages();
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["clicks_per_game"] = double(moves) / double(state.iterations());
}

void Games_SquareTolva(benchmark::State& s) { wholeGames(s, {"square", {"Games Menu > Tolva"}, false, false}); }
void Games_SquareSuperKrunkPlus(benchmark::State& s) {
  wholeGames(s, {"square", {"Games Menu > Super Krunk Plus"}, true, false});
}
void Games_TriangularSuperKrunkPlus_Globoria(benchmark::State& s) {
  wholeGames(s, {"triangular", {"Sub-Levels > Globoria", "Games Menu > Super Krunk Plus"}, true, false});
}
void Games_SquareTolva_VsComputer(benchmark::State& s) {
  wholeGames(s, {"square", {"Games Menu > Tolva", "Options > 1 player verus the computer"}, false, true});
}
void Games_TriangularSuperKrunkPlus_Globoria_VsComputer(benchmark::State& s) {
  wholeGames(s, {"triangular",
                 {"Sub-Levels > Globoria", "Games Menu > Super Krunk Plus", "Options > 1 player verus the computer"},
                 true,
                 true});
}
BENCHMARK(Games_SquareTolva);
BENCHMARK(Games_SquareSuperKrunkPlus);
BENCHMARK(Games_TriangularSuperKrunkPlus_Globoria);
void Games_SquareTolva_StateAfterEachMove(benchmark::State& s) {
  wholeGames(s, {"square", {"Games Menu > Tolva"}, false, false, true});
}
BENCHMARK(Games_SquareTolva_VsComputer);
BENCHMARK(Games_SquareTolva_StateAfterEachMove);
BENCHMARK(Games_TriangularSuperKrunkPlus_Globoria_VsComputer);

}  // namespace
}  // namespace kp

BENCHMARK_MAIN();
