#pragma once
#include <array>
#include <initializer_list>
#include <optional>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

#include "core/board_graph.h"
#include "core/claim.h"
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

// How many units an owner table gives each player ([unit] -> 0 nobody, 1 Red, 2 Blue, any
// other value nobody; entry 0 unused): (Red, Blue).
inline std::pair<int, int> countOwners(const std::vector<int>& owners) {
  std::pair<int, int> count;
  for (std::size_t u = 1; u < owners.size(); ++u) {
    count.first += owners[u] == 1;
    count.second += owners[u] == 2;
  }
  return count;
}

// "Red wins by points.", "Blue wins by score.", "By points its a tie".
std::string verdict(int red, int blue, const std::string& measure);

// What a board's scoring adds to the rules' common core, as the window's data.
struct Scoring {
  // The turn text when one move completes two, three or four units at once.
  std::array<std::string, 3> manyScored = {"  Double score!      Two cool!", "  Double score!      Two cool!",
                                           "  Double score!      Two cool!"};
  // A points tally beside the units scored: what a move completing one to four units adds
  // to the mover's tally (all 0: no tally; the points are the units scored).
  std::array<int, 4> tally{};
  bool tallied() const { return tally != std::array<int, 4>{}; }
  // The end also compares the units scored, "by score", after the points.
  bool byScore = false;
};

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
  // The pen: the colour the player to move paints with where a game paints in the mover's
  // colour (a Line Krunk Line, a circle's Lines). The turn label wears it, so it is written
  // here and shown there, never read back from the label.
  Colour pen() const { return pen_; }
  void setPen(Colour pen) {
    pen_ = pen;
    status_.turnColour = pen;
  }

  bool moveLock() const { return moveLock_; }
  void setMoveLock(bool on) { moveLock_ = on; }

  int owner(int line) const { return claims_[std::size_t(line)].owner; }
  bool claimed(int line) const { return owner(line) != 0; }
  const Claims& claims() const { return claims_; }
  // How wide the board draws a claimed Line (8 unless it says otherwise).
  void setClaimWidth(int width) { claimWidth_ = width; }
  // Another table of scoring units over the same Lines (cubes beside the Cells, say);
  // returns its number. Table 0 is the graph's Cells.
  int addUnits(std::vector<std::vector<int>> lines);
  const std::vector<std::vector<int>>& units(int table) const { return tables_[std::size_t(table)].lines; }
  bool scored(int cell, int table = 0) const { return tables_[std::size_t(table)].scored[std::size_t(cell)] != 0; }
  // Whom the rules have scored a unit for: 0 nobody, 1 Red, 2 Blue.
  int unitOwner(int table, int unit) const { return tables_[std::size_t(table)].owner[std::size_t(unit)]; }
  int cellOwner(int cell) const { return unitOwner(0, cell); }
  // How many units of a table the rules have scored for Red and for Blue.
  std::pair<int, int> unitsScored(int table) const { return countOwners(tables_[std::size_t(table)].owner); }
  bool circleUsed(int cell) const { return circleUsed_[cell] != 0; }
  void setCircleUsed(int cell) { circleUsed_[cell] = 1; }
  const std::vector<int>& newlyCompleted() const { return newly_; }
  int claimedLineCount() const;

  // Claims Line n in colour for the owner marker, then, where the graph identifies a
  // partner, the partner in the mover's colour for owner 1, draws both claimed, and writes
  // the marker on the side of every unit that either bounds.
  void claimLine(int n, Colour colour, int marker, Player mover);

  // Claims Line n in colour for owner 1, and its partner in the same colour, as the circle
  // moves of the Krunk family do (whether or not it was claimed before).
  void paintLine(int n, Colour colour, bool withPartner = true);
  // A claimed Line drawn in another colour; its owner stays.
  void recolour(int n, Colour colour);
  // The Krunk family's count: a Cell whose sides are all claimed in Blue's colour, or all
  // in one of Red's colours, counts for that player; its circle shows the colour. The
  // points labels are rebuilt from the board.
  void rebuildPointsByColour(std::initializer_list<Colour> redColours) { recount(CellCount::ByColour, redColours); }
  // How the circle games count Cells after a move.
  enum class CellCount {
    ByColour,      // as rebuildPointsByColour: a Cell belongs to whoever colours all its sides now
    KeepByColour,  // the first player to colour all its sides keeps it for good
    KeepClaimed,   // the mover keeps a Cell once all its sides are claimed, in any colour
  };
  // Rebuilds the Cells' owners (the circles show them) and the points labels from the board.
  void recount(CellCount how, std::initializer_list<Colour> redColours, Player mover = Player::Red);
  // [cell] -> its owner (0, 1 Red, 2 Blue).
  std::vector<int> cellOwners() const { return tables_[0].owner; }
  // The Cells that have come to be the mover's since `before` (cellOwners() then) and whose
  // sides `painted` does not hold all of: what a move won beyond what it painted itself.
  int newlyWon(Player mover, const std::vector<int>& before, const std::vector<int>& painted) const;
  int unusedCircles() const;
  // The lowest-numbered circle not yet played, or 0.
  int firstUnusedCircle() const;

  // The evaluation after a Line move: side counts, completed units of the table that
  // scores (the Cells unless another is given; the Cells' circles are filled), points and
  // tally, turn passing, turn text, end test.
  Outcome checkwins(LineRule rule, int table = 0);

  void setScoring(Scoring scoring) {
    scoring_ = std::move(scoring);
    showTally();
  }
  const Scoring& scoring() const { return scoring_; }

  // The points of this game so far.
  int points(Player p) const { return points_[p == Player::Red ? 0 : 1]; }
  // The points tally (0 where the board keeps none).
  int tally(Player p) const { return tally_[p == Player::Red ? 0 : 1]; }
  // Adds to the mover's tally the bonus of a move that won `units` units (none for 0).
  void addTally(Player mover, int units);

  // The turn text after a Line move that completed `completed` units.
  void announce(LineRule rule, Player mover, int completed);

  // Resets the board and the labels a New game resets; the caller writes the prompt and
  // runs the variant's opening.
  void resetBoard();
  // The first-player flag, flipped by every New game; true while it stands at 1.
  bool flipFirstPlayer() {
    firstPlayer_ = 1 - firstPlayer_;
    return firstPlayer_ == 1;
  }
  bool firstPlayerFlag() const { return firstPlayer_ == 1; }

  // Verdicts, rounds, banner and result; returns the verdicts to show, in order: by points
  // (the tallies where the board keeps them), then by score: the board's own second measure
  // where it gives one (Red, Blue), else the units scored where the board compares them;
  // `scoreUnits` names what the second one counts in the result.
  std::vector<std::string> endGame(std::optional<std::pair<int, int>> score = std::nullopt,
                                   std::string_view scoreUnits = "squares");
  // What outlives a game: the rounds list, the running totals and how many games were
  // played. A game taken back from its end gives them back as they were before it.
  struct Rounds {
    std::array<int, 2> totals{};
    int gamesPlayed = 0;
    std::vector<std::string> list;
    std::string redTotal = "0", blueTotal = "0";
  };
  Rounds rounds() const { return {totals_, gamesPlayed_, status_.rounds, status_.redTotal, status_.blueTotal}; }
  void restoreRounds(const Rounds& r) {
    totals_ = r.totals;
    gamesPlayed_ = r.gamesPlayed;
    status_.rounds = r.list;
    status_.redTotal = r.redTotal;
    status_.blueTotal = r.blueTotal;
  }
  // Whether a finished game also counts in the running totals and writes its subtotal line
  // (the rounds list numbers the games played either way).
  void setCumulative(bool on) { cumulative_ = on; }

 private:
  void addPoints(Player p, int n);
  // Writes the points labels from the points.
  void showPoints();
  // Writes the tally labels (empty where the board keeps no tally).
  void showTally();
  // Writes the result label from the verdicts' counts (Red, Blue).
  void showResult(std::pair<int, int> byPoints, std::optional<std::pair<int, int>> score, std::string_view scoreUnits);
  // The units of a table the mover's Line completed (side counts by the rule): scored, and
  // filled where they are Cells; their number.
  int completeUnits(LineRule rule, Player mover, int table);
  // Writes the marker on the side of every unit that Line bounds.
  void markSides(int line, int marker);


  StatusLabels& status_;
  Drawing& drawing_;
  const BoardGraph* graph_ = nullptr;
  Claims claims_;
  int claimWidth_ = kClaimedWidth;
  // Records a claim and draws it.
  void claim(int line, Colour colour, int owner);
  // A table of scoring units and what the rules know of each unit ([unit], 0 unused).
  struct UnitTable {
    std::vector<std::vector<int>> lines;      // [unit] -> its Lines in table order
    std::vector<std::vector<int>> lineUnits;  // [line] -> the units it bounds
    std::vector<std::vector<int>> side;       // [unit][k] -> the marker on its k-th Line
    std::vector<int> scored, owner;
    // Builds the tables that follow from lines (once per table and graph).
    void build(int lineCount);
    // Every unit unscored, every side unmarked; allocates nothing.
    void clear();
  };
  std::vector<UnitTable> tables_;
  Scoring scoring_;
  std::array<int, 2> points_{}, totals_{};  // Red, Blue; the labels only show them
  std::array<int, 2> tally_{};  // Red, Blue
  std::vector<int> circleUsed_;
  std::vector<int> newly_;
  std::vector<int> colourOwners_;  // recount's scratch: [cell] -> whom the colours give it
  std::vector<LineDraw> initialLines_;
  int toggle_ = 0;
  Colour pen_ = kBlue;
  int firstPlayer_ = 1;
  int gamesPlayed_ = 0;
  bool cumulative_ = true;
  bool moveLock_ = false;
};

}  // namespace kp
