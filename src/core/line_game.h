#pragma once
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/board_graph.h"
#include "core/drawing.h"
#include "core/status_labels.h"

namespace kp {

enum class Player { Red = 1, Blue = 2 };

inline const char* playerName(Player p) { return p == Player::Red ? "Red" : "Blue"; }
inline Colour lineColour(Player p) { return p == Player::Red ? kRed : kBlue; }
inline Colour turnColourOf(Player p) { return p == Player::Red ? kRedTurnText : kBlue; }

// How the line games judge a completed Cell.
enum class LineRule {
  Tolva,  // a side counts when anybody claimed it; a scorer moves again
  Duarn,  // a side counts only in the mover's own marker; the turn always passes
};

enum class Outcome { GoesOn, GameOver };

// Scoring units by colour: a unit (a Cell, a cube, ...) counts for a player while every one
// of its Lines is drawn claimed in that player's colour (Red's in any of redColours). The
// rules, the computers' checks and the fuzzer all count this one way. owner, when given,
// receives [unit] -> 0, 1 (Red) or 2 (Blue).
// "Red wins by points.", "Blue wins by score.", "By points its a tie".
std::string verdict(int red, int blue, const std::string& measure);

struct UnitCount {
  int red = 0, blue = 0;
};
UnitCount countByColour(const std::vector<std::vector<int>>& units, const Drawing& drawing,
                        std::initializer_list<Colour> redColours, std::vector<int>* owner = nullptr);

// The rules core shared by every board: who owns which Line, which Cell sides are
// claimed, the turn, scoring, the end of a game and the rounds list. A board supplies its
// graph; the window that owns this supplies the labels and the drawing it writes to.
class LineGame {
 public:
  LineGame(StatusLabels& status, Drawing& drawing);

  // Called when the window loads (every Line at its initial look) and when the sub-level
  // changes the graph between games.
  void setGraph(const BoardGraph* graph);
  const BoardGraph& graph() const { return *graph_; }
  // Remembers every Line's current colour and width to restore them on New game.
  void rememberInitialLines();

  // The turn toggle: 1 while Red is to move, 0 while Blue is.
  int toggle() const { return toggle_; }
  void setToggle(int t) { toggle_ = t; }
  Player toMove() const { return toggle_ == 1 ? Player::Red : Player::Blue; }
  // After a Line is claimed the toggle already names the next player, so the mover is the other one.
  Player lastMover() const { return toggle_ == 1 ? Player::Blue : Player::Red; }
  // Flips the toggle for the player making a Line move and returns that player; shows
  // the other player's "Your turn" marker.
  Player takeTurn();

  bool moveLock() const { return moveLock_; }
  void setMoveLock(bool on) { moveLock_ = on; }

  int owner(int line) const { return owner_[line]; }
  bool claimed(int line) const { return owner_[line] != 0; }
  int cellSideMarker(int cell, int side) const { return cellSide_[cell][side]; }
  int sideCount(int cell) const { return sideCount_[cell]; }
  bool scored(int cell) const { return scored_[cell] != 0; }
  // Whom the rules have scored a Cell for: 0 nobody, 1 Red, 2 Blue.
  int cellOwner(int cell) const { return cellOwner_[cell]; }
  bool circleUsed(int cell) const { return circleUsed_[cell] != 0; }
  void setCircleUsed(int cell) { circleUsed_[cell] = 1; }
  const std::vector<int>& newlyCompleted() const { return newly_; }
  int claimedLineCount() const;

  // Draws Line n claimed (width 8, colour) with owner marker, then, where the graph
  // identifies a partner, the partner in the mover's colour with owner 1, then writes
  // the marker on the side of every Cell that either bounds.
  void claimLine(int n, Colour colour, int marker, Player mover);

  // Draws Line n claimed in colour with owner 1, and its partner in the same colour, as
  // the circle moves of the Krunk family do (whether or not it was claimed before).
  void paintLine(int n, Colour colour, bool withPartner = true);
  // The Krunk family's count: a Cell whose sides are all claimed in Blue's colour, or all
  // in one of Red's colours, counts for that player; its circle shows the colour. The
  // points labels are rebuilt from the board.
  void rebuildPointsByColour(std::initializer_list<Colour> redColours);
  int unusedCircles() const;
  // The lowest-numbered circle not yet played, or 0.
  int firstUnusedCircle() const;

  // The evaluation after a Line move: side counts, completed Cells, points, turn
  // passing, turn text, end test; at the end the verdict and the rounds list.
  Outcome checkwins(LineRule rule);

  // What the turn text says when one move completes two, three or four units at once.
  void setManyScoredTexts(std::array<std::string, 3> texts) { manyScored_ = std::move(texts); }

  // Points read back from their labels.
  int points(Player p) const;

  // Resets the board and the labels a New game resets; the caller writes the prompt and
  // runs the variant's opening.
  void resetBoard();
  // The first-player flag, flipped by every New game; true while it stands at 1.
  bool flipFirstPlayer() {
    firstPlayer_ = 1 - firstPlayer_;
    return firstPlayer_ == 1;
  }

  // Verdict, rounds and banner; returns the verdict text to show.
  std::string endGame();

 private:
  void addPoints(Player p, int n);
  // The Cells the mover's Line completed (side counts by the rule): scored, filled; their number.
  int completeCells(LineRule rule, Player mover);
  // The turn text after a Line move.
  void announce(LineRule rule, Player mover, int completed);

  StatusLabels& status_;
  Drawing& drawing_;
  const BoardGraph* graph_ = nullptr;
  std::vector<int> owner_;
  std::vector<std::vector<int>> cellSide_;
  std::vector<int> sideCount_;
  std::vector<int> scored_;
  std::vector<int> cellOwner_;
  std::array<std::string, 3> manyScored_ = {"  Double score!      Two cool!", "  Double score!      Two cool!",
                                            "  Double score!      Two cool!"};
  std::vector<int> circleUsed_;
  std::vector<int> newly_;
  std::vector<LineDraw> initialLines_;
  int toggle_ = 0;
  int firstPlayer_ = 1;
  bool moveLock_ = false;
};

}  // namespace kp
