#pragma once
#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "boards/fourd/quadrion.h"
#include "boards/fourd/quadrion_picture.h"
#include "core/game_controller.h"
#include "core/line_game.h"

namespace kp {

// The Quadrion Krunk window: the ring of four tesseracts in eight figures, the four cubes
// ("Outer White cube" ...) and the four tesseracts of neighbours ("Inside White cube" ...,
// each the cube with its neighbour inside and the eight Lines joining them). Every game is
// played on the Lines but Plexa (Squares), played on the squares' circles.
class QuadrionWindow : public GameController {
 public:
  enum Variant {
    Tolva = 0,
    Duarn = 1,
    PlexaLines = 2,
    KrunkClassic = 3,
    KrunkSetCount = 4,
    KrunkMove = 5,
    LineKrunk = 6,
    PlexaSquares = 7,
    SuperClassic = 8,
    SuperSetCount = 9,
    SuperKrunkMove = 10,
    LineKrunkMove = 11,
  };
  static constexpr int kLines = QuadrionBoard::kLines, kSquares = QuadrionBoard::kSquares,
                       kCubes = QuadrionBoard::kCubes;

  QuadrionWindow(Host& host, ProgramState& program);

  Scene scene() const override;
  int lineCount() const override { return kLines; }
  int circleCount() const override { return kSquares; }
  std::pair<int, int> pointsOnBoard() const override;
  std::optional<std::string> movesLeftOnBoard() const override;
  std::optional<std::pair<int, int>> secondScore() const override;
  void report(BoardReport& r) const override;

 protected:
  void onLineClick(int n) override;
  void onCircleClick(int s) override;
  void onMenu(const std::string& id) override;
  void openGame() override;
  void variantChosen() override;
  bool variantRefused(const VariantEntry& v) override;
  ComputerPacing computerPacing() const override;
  void computerPlays(int choice) override;

 private:
  bool superKrunk() const { return variant() >= SuperClassic && variant() <= SuperKrunkMove; }
  // The Krunk games on the Lines: a square a move completes is painted in the mover's colour
  // and the squares are judged by their colours. Every other game on the Lines scores a
  // square for whoever claims its fourth Line (in Duarn only with all four his own).
  bool krunk() const { return (variant() >= KrunkClassic && variant() <= KrunkMove) || superKrunk(); }
  bool krunkMove() const { return variant() == KrunkMove || variant() == SuperKrunkMove || variant() == LineKrunkMove; }
  LineGame::CellCount cellCount() const;

  ColourCircles colourCircles() const override;
  int claimWidth() const override;
  void addCircleLines(int s, std::vector<int>& lines) const override {
    const std::vector<int>& sides = QuadrionBoard::squareLines(s);
    lines.insert(lines.end(), sides.begin(), sides.end());
  }
  void afterCircle(Player scorer) override { settleCubes(scorer); }
  void showMovesLeft() override;
  int movesLeft() const;

  void playLine(int line, Player mover);
  void playCircle(int s, Player mover);
  bool allClaimed(const std::vector<int>& lines) const {
    return std::all_of(lines.begin(), lines.end(), [&](int l) { return rules_.claimed(l); });
  }
  // Every cube whose twelve Lines are now all claimed goes to the mover (to nobody after
  // the Krunk move); returns those cubes.
  std::vector<int> settleCubes(std::optional<Player> mover);
  // The Krunk games' capture: every square the move completed, and in Super Krunk Plus
  // every cube it completed (`cubes`), painted in the mover's colour.
  void capture(Player mover, int line, const std::vector<int>& cubes);
  // With one Line left in the games "with Krunk move": "Krunk!" while the last Line, in
  // yellow, waits to play itself; then it is played in black, for nobody, and the turn
  // passes to the other player.
  void krunkPending();
  void playLastLine(int last);

  static constexpr int kNobody = 3;
  BoardGraph graph_ = QuadrionBoard::graph();
  // No move yet in this game: the last-move label shows the chosen game's start prompt.
  bool promptShown_ = false;
  std::vector<char> capturedSquare_;
  // [cube] -> who completed it: 0 not yet, 1 Red, 2 Blue, kNobody.
  std::vector<int> cubeWinner_;
};

}  // namespace kp
