#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/board_graph.h"
#include "core/board_report.h"
#include "core/computer_turn.h"
#include "core/drawing.h"
#include "core/expert_thinker.h"
#include "core/game_record.h"
#include "core/hints.h"
#include "core/host.h"
#include "core/line_game.h"
#include "core/menu_model.h"
#include "core/move_rules.h"
#include "core/move_timer.h"
#include "core/options.h"
#include "core/program_state.h"
#include "core/standard_menus.h"
#include "core/status_labels.h"
#include "core/step_scheduler.h"
#include "core/view.h"
#include "core/virtual_host.h"
#include "core/window_kind.h"

namespace kp {

// A push button or a check box of the window's own, named by its id: two controls may
// share a caption (in different groups).
struct Control {
  std::string id;
  std::string caption;
  std::string tip;    // what it does, in a line: the button's tooltip
  std::string group;  // the frame it stands in ("" for the window's panel)
  bool checkBox = false;
  bool checked = false;
  bool visible = true;
  bool enabled = true;
  bool onBoard = false;  // drawn in the board's scene (a check box there), not in the panel
  bool isDefault = false;  // the button Return presses
};

inline constexpr const char* kNewGameButton = "new";
inline constexpr const char* kNewGameTip = "Start a new game on a clear board; the rounds list and the totals stay";

// What the two buttons that turn a board's views ("<<" and ">>") show.
struct ViewTips {
  const char* next;
  const char* before;
};

// One entry of a window's Games menu.
struct VariantEntry {
  int index;                 // the entry's menu index
  const char* caption;       // in the menu
  const char* boardCaption;  // on the board while the game is chosen
  const char* tip = nullptr;  // how the game scores, in a line: the entry's status tip
  bool circles = false;      // moves are made on circles, not Lines
  bool twoPlayerOnly = false;
  // Written to the turn text when the game is chosen (nullptr: the text stays).
  const char* prompt = nullptr;
  bool hidden = false;  // in the menu but never shown, so never chosen
};

// The frame's menus where a window's captions differ from the flat windows'.
struct FrameMenus {
  std::vector<MenuEntry> game;     // the Game menu's entries (empty: the flat windows')
  std::vector<MenuEntry> players;  // the players' entries heading Options (empty: the flat windows')
  std::vector<MenuEntry> options;  // more of Options, after Sudden Death
  std::optional<MenuEntry> subLevels;  // the window's own Sub-Levels menu
  std::vector<MenuEntry> afterOptions;  // the window's menus between Options and Rules and Help
  // The Expert computer (Options) and the Expert's hint (Rules and Help): the windows whose
  // computer plays Tolva on the graph's Cells.
  bool expert = false;
};

inline constexpr const char* kLinePrompt = "Click a line to begin playing";
inline constexpr const char* kCirclePrompt = "Click a circle to begin playing";

// One game window without its toolkit: the frame every window shares (Game, Other Games
// and Rules and Help menus), the status labels, the drawing, the rules core, the steps it
// has scheduled, and the turn flow every window follows alike: choosing a game, passing
// the turn, handing over to the computer, finishing a game, New game. A board family
// derives from it and adds its board, its evaluation, its computer and its own controls.
class GameController {
 public:
  GameController(Host& host, ProgramState& program, WindowKind kind);
  virtual ~GameController();
  GameController(const GameController&) = delete;
  GameController& operator=(const GameController&) = delete;

  WindowKind kind() const { return kind_; }
  // The window's caption: its kind's, unless the board shown names it (the walls).
  virtual std::string caption() const { return std::string(windowCaption(kind_)); }
  // The menus, their check marks showing the options now.
  const MenuModel& menus() const {
    showOptions();
    return menus_;
  }
  const Options& options() const { return options_; }
  const StatusLabels& status() const { return status_; }
  // The drawing record, by Line and Cell number.
  const Drawing& drawing() const { return drawing_; }
  // The board as the shell paints it and a click reads it: every drawn place with the look
  // of what stands there in the view shown. A board overrides either this or geometry():
  // by default the flat boards' picture of geometry() and the drawing.
  virtual Scene scene() const;
  virtual const BoardGeometry& geometry() const;
  const std::vector<Control>& controls() const { return controls_; }
  // A control by the name a person sees: its caption where that is unique in the window,
  // else its group, a colon and its caption ("Rotate:>"). nullptr for none.
  const Control* controlNamed(const std::string& name) const;
  // How a control is named to a person (see controlNamed).
  std::string nameOf(const Control& c) const;
  virtual int lineCount() const = 0;
  virtual int circleCount() const = 0;
  bool moveLock() const { return rules_.moveLock(); }
  const LineGame& rules() const { return rules_; }
  // What every drawn place stands for now; a click names a place.
  const Views& views() const { return *views_; }
  // The checked entry of the Games menu.
  int variant() const { return variant_->index; }
  // The share of the board area the board is drawn in (the size menus of some windows).
  virtual double boardScale() const { return 1.0; }

  // What the board itself says, for checks that the labels agree with it: the points as
  // the drawing shows them (Red, Blue), and the moves-left label the board calls for
  // while the game keeps that label up to date (nothing otherwise).
  virtual std::pair<int, int> pointsOnBoard() const = 0;
  // The second measure a board compares at the end "by score", where it keeps its own
  // (Red, Blue); nothing where the points or the units scored are compared.
  virtual std::optional<std::pair<int, int>> secondScore() const { return std::nullopt; }
  // What the second measure counts, as the result label names it.
  virtual std::string_view scoreUnits() const { return "cubes"; }
  // What the board tells the runner and the fuzzer beyond the drawing record (its cubes, its
  // orientation, its Lines' strokes, its click regions), where it has it.
  virtual void report(BoardReport&) const {}
  virtual std::optional<std::string> movesLeftOnBoard() const = 0;
  // Whether the points labels hold an earlier count than the board shows (a game that
  // ends on the points of its last recount).
  virtual bool pointsHeldFromLastRecount() const { return false; }
  // Steps the window has scheduled for its own flow: the computer's turn, a completed unit
  // shown for a while, a picture turning (every pending step but the countdown's).
  std::size_t computerSteps() const { return steps_.pending() - (timer_.running() ? 1 : 0); }

  const MoveTimer& timer() const { return timer_; }
  bool keypadShown() const { return options_.keypad; }
  bool gridShown() const { return options_.grid; }

  // User events. Each returns after the model is updated and the change announced.
  // A click on a piece of the scene: the Line or circle drawn at a place, read through the
  // current view, or a check box on the board.
  void targetClicked(Target clicked);
  // Whether a click on this target reaches the game now: a place whose Line or circle is
  // shown and takes clicks, or a shown, enabled check box of the scene.
  bool offers(Target t) const;
  void lineClicked(int place) { targetClicked(Target::line(place)); }
  void circleClicked(int place) { targetClicked(Target::circle(place)); }
  void menuChosen(const std::string& id);
  // A button pressed or a check box clicked, by id.
  void controlPressed(const std::string& id);
  // A move number entered on the keypad and confirmed: played as a click on that Line,
  // or on that circle while the circles are the targets. Bad entries are explained in a
  // message and change nothing.
  void keypadEntered(const std::string& text);
  // How many digits a move number of this board can have.
  int keypadDigits() const;
  // What a person calls the targets of the circle games on this board, in the keypad's words.
  virtual std::string circleWord() const { return "circle"; }

  // The game as a record. Every move a person, the computer or the Expert makes is kept in
  // order; a take back leaves the moves after it to be played again until a new move is made.
  // The moves the board shows now:
  std::vector<RecordedMove> movesPlayed() const {
    return {moves_.begin(), moves_.begin() + std::ptrdiff_t(played_)};
  }
  // How many moves the record holds, those taken back included.
  std::size_t recordLength() const { return moves_.size(); }
  std::size_t movesShown() const { return played_; }
  // The record of the moves played, with the window and its set-up, for a file.
  GameRecord record() const;
  // Take back: the last move (against the computer, the person's last move and the
  // computer's moves that followed it). Play again: those moves again, until a new move is
  // made. Only while nobody is moving and the set-up is the game's.
  bool canTakeBack() const;
  bool canPlayAgain() const;
  void takeBack();
  void playAgain();
  // The board as it stood after the record's first `moves` moves (a replay's step): every
  // move replayed from the start by the rules, the pauses and flashes run at once.
  void showMove(std::size_t moves);
  // Replay: a bar of its own steps through the record (the board showing each position as it
  // was); playing a move from a position shown starts a new line of play from there. Closed,
  // it leaves the board at the record's last move.
  bool replayShown() const { return replayShown_; }
  bool canReplay() const;
  // The replay bar's steps: to the start (-2), one back (-1), one on (1), to the end (2).
  void replayStep(int step);
  // The Expert's review: where it plays this board and game, the game's Line moves with who
  // made them; and a reviewed position shown with the Expert's move outlined.
  bool reviewable() const { return expertOffered_ && expertGame() && !circleVariant(); }
  std::vector<std::pair<int, Player>> reviewMoves() const;
  void showReviewed(std::size_t moves, const std::vector<int>& best, int value, bool exact);
  // A record read from a file, played on this window as it stands after loading: the record's
  // set-up chosen from the menus, then its moves. Nothing when it applies; otherwise what
  // does not (the window is then to be dropped).
  std::optional<RecordError> playRecord(const GameRecord& record);

  // Called after every change a person could see (the shell repaints).
  void setOnChanged(std::function<void()> fn) { onChanged_ = std::move(fn); }
  std::size_t pendingSteps() const { return steps_.pending(); }
  // Cancels every step this window has scheduled.
  void cancelAllSteps();

 protected:
  virtual void onLineClick(int n) = 0;
  virtual void onCircleClick(int n) = 0;
  // Menus other than the frame's.
  virtual void onMenu(const std::string& id) = 0;
  // Controls other than "New game" (a check box has already changed its mark).
  virtual void onControl(const Control&) {}

  // The Games menu from the window's variant table (a separator wherever the menu
  // indices skip one), and the choice of an entry: checks, captions, click targets.
  void addGamesMenu(std::vector<VariantEntry> variants);
  void chooseVariant(int index);
  // What a window adds when a game is chosen.
  virtual void variantChosen() {}
  // Whether a window refuses a game the person chose (it says why itself); nothing changes.
  virtual bool variantRefused(const VariantEntry&) { return false; }
  bool circleVariant() const { return variant_->circles; }

  // The circle games of the boards in space. A circle move: circle c used by `mover`
  // (nobody: the automatic last move, in black), the Lines it claims painted in the mover's
  // colour; the Cells recounted, then afterCircle (the board's further rules); a move that
  // wins its mover a Cell it did not paint whole keeps the turn ("Score! Red goes again"),
  // any other passes it; with krunkMove the last circle then plays itself ("Krunk!"); the
  // game ends when no circle is left.
  struct ColourCircles {
    LineGame::CellCount count = LineGame::CellCount::ByColour;
    bool krunkMove = false;
  };
  void playColourCircle(int c, std::optional<Player> mover);
  virtual ColourCircles colourCircles() const { return {}; }
  // How wide the picture draws a claimed Line in the game chosen (set on the rules as the
  // game is chosen).
  virtual int claimWidth() const { return kClaimedWidth; }
  // Appends the Lines a circle move paints (the Cell's sides unless a board says more).
  virtual void addCircleLines(int c, std::vector<int>& lines) const {
    const std::vector<int>& sides = rules_.graph().cellSides[std::size_t(c)];
    lines.insert(lines.end(), sides.begin(), sides.end());
  }
  virtual void afterCircle(Player /*scorer*/) {}
  // Writes the moves-left label (and what goes with it) after a move.
  virtual void showMovesLeft() {}

  static std::vector<MenuEntry> spaceGameMenu() { return kp::spaceGameMenu(); }
  // Blue to move, the last move not yet made.
  void openWithBlue();
  // Who opens a game: the first-player flag flips with every New game (it stands at 1 when
  // the window opens), and while it stands at 0 Red opens the games of Tolva (`tolva`),
  // else Blue. True when Red opens.
  bool redOpens(bool tolva);
  // The opening of a game by that rule: Blue to move, or Red announced ("No score    Red's
  // turn.") and, against the computer, the computer's move at once.
  void openTurn(bool tolva);
  // Whether the computer may open a game (one board's computer only ever answers).
  virtual bool computerOpens() const { return true; }
  // A New game that is not another game of the set (the window's first, or another board
  // chosen between games): whoever was to open still does.
  void newGameKeepingOpener();
  // The turn text a game of the chosen kind starts with.
  const char* startPrompt() const;
  // A click on a Line or circle already played, answered as the board does.
  void refuseMove(const InvalidMove& how);
  // The Tolva hints of the Options menu ("hint.computer", "hint.super", "hint.best"), and
  // a click on one: checked or unchecked in Tolva, refused in the other games.
  static std::vector<MenuEntry> tolvaHints() { return Hints::tolvaMenu(); }
  void toggleTolvaHint(const std::string& id, bool tolva);
  // The Super Hint's text while it is asked for in Tolva, else "".
  std::string superHint(bool tolva, const std::vector<int>& closed = {}) const;
  // The computer's "No good moves left" where the game offers the hint (`offered`) and it is
  // ticked: a unit table of the rules with no unit lacking one Line, and no Line free that
  // gives nothing away.
  void warnNoGoodMoves(bool offered, int table = 0, const std::vector<int>& closed = {});
  // Whether the Expert plays the game chosen: Tolva's rule (a Cell scores for whoever claims
  // its last Line, and the scorer moves again) on the graph's Cells.
  virtual bool expertGame() const { return false; }
  // "1 Player" refused for a two-player game, after its message.
  virtual void onePlayerRefused() {}

  // New game: every pending step cancelled, the countdown restored, the board and the
  // labels reset, the set-up menus open again; then the window's opening.
  void newGame();
  virtual void openGame() = 0;

  // The turn goes to next: toggle, markers, "Red player's turn" / "Blue player's turn",
  // the pen (and so the text) Blue's, or redColour for Red.
  void passTurnTo(Player next, Colour redColour);
  // After an evaluation: the computer moves while it plays Red and Red is to move (the
  // lock is held until it hands back, and the set-up is locked: its move is the game's);
  // otherwise the person's countdown runs.
  void handOver();

  // The computer's turn (computer_turn.cpp), one procedure for every board: its pause to
  // think, its choice, the choice shown (in yellow, then maybe in another colour) for the
  // board's pauses, then played, then its pause after the move. A board gives its pacing
  // and plays the move; it may make its own choice (a Line, or a circle in the circle
  // games; 0 for none: the turn ends), and go on with the turn once the pause after the
  // move is over (computerMoved; at once where there is none).
  virtual ComputerPacing computerPacing() const { return {}; }
  virtual int computerChoice(const ComputerPacing& pacing);
  virtual void computerPlays(int choice) = 0;
  virtual void computerMoved() {}
  // The standard choices: the greedy rule's Line on the pacing's unit table (never one of
  // its closed Lines; the Expert's on the Cells while it is asked for and plays this game,
  // with no Line closed), and the colour games' circle (its best by the colours against
  // the person's best answer, each circle claiming its Lines).
  int greedyLine(const ComputerPacing& pacing);
  int colourCircle();
  // The verdict, rounds and banner, once.
  void finishGame();
  // What a window does once a game has ended, after its verdicts.
  virtual void gameFinished() {}
  // After an evaluation: the game is over when no move is left, else handOver().
  void finishOrHandOver(int movesLeft) {
    if (movesLeft == 0) finishGame();
    else handOver();
  }
  // Units just completed are shown: their circles' borders (and the Lines given) flash
  // yellow and back (0.25 s a step, 0.75 s in all) while the move lock is held; then next
  // runs. A person's clicks meanwhile wait and are played after it, while a person is then
  // to move (dropped when the computer is).
  void flashThen(std::vector<int> circles, std::function<void()> next, std::vector<int> lines = {});
  // From a game's first move to New game its set-up cannot change.
  void lockSetup() { setSetupMenusEnabled(false); }

  // The menu bar in the frame's order: Game, Other Games, Sub-Levels (Planor and Globoria)
  // where the board has them, Games from the variant table, the board's own menus,
  // Options, Rules and Help.
  void addMenus(std::vector<VariantEntry> variants, bool subLevels, std::vector<MenuEntry> boardMenus = {},
                FrameMenus frame = {});
  // Players (the flat windows' four unless given), Sudden Death, then more of the window's.
  void addOptionsMenu(std::vector<MenuEntry> players = {}, std::vector<MenuEntry> more = {});
  bool onePlayer() const { return options_.onePlayer; }
  // One player against the computer was just chosen: between games, while Red is to open,
  // the computer opens at once.
  void playersChanged();
  // Enables or disables the menus that fix a game's set-up (setupMenus_).
  void setSetupMenusEnabled(bool enabled) { enableMenus(menus_, setupMenus_, enabled); }
  // The menus (or entries) locked from a game's first move to New game: by default
  // Options, Other Games, and the window's Sub-Levels and Games menus.
  std::vector<std::string> setupMenus_ = {"options", "other", "sub", "games"};

  // Sizes the drawing record for the board, with one view (every place its own Line).
  void setBoardSize(int lines, int circles);
  // Another view of the board; returns its number.
  int addView(View view) { return views_->add(std::move(view)); }
  // Shows the next (steps > 0) or an earlier view, round and round. Claims stay where they
  // are: only what the drawn places stand for changes.
  void turnView(int steps);

  // A checkable entry shows a window's own option: its mark is `value`, which starts as the
  // entry's mark (nothing happens where the window has no such entry).
  void bindCheck(const std::string& id, bool& value);
  // An entry's mark is what `shown` says (one entry of a choice).
  void bindMark(const std::string& id, std::function<bool()> shown);

  // A step of the window's own flow after ms (see StepScheduler).
  StepId schedule(int ms, std::function<void()> step, Clicks clicks = Clicks::Ignored) {
    return steps_.schedule(ms, std::move(step), clicks);
  }
  void cancelStep(StepId id) { steps_.cancel(id); }
  void message(const std::string& text, std::function<void()> onOk = {});
  void notifyChanged();

  Host& host_;
  ProgramState& program_;
  StepScheduler steps_;
  MenuModel menus_;
  Options options_;
  StatusLabels status_;
  Drawing drawing_;
  std::vector<Control> controls_;
  MoveTimer timer_;
  LineGame rules_{status_, drawing_};

 private:
  // The keypad plays circles while circles are what a person can click.
  bool keypadPlaysCircles() const;
  bool onFrameMenu(const std::string& id);
  void ip_Click(int index);

  void computerTurn();
  // After the pause: the choice made, shown and played. Where the Expert chooses it thinks
  // aside first, and its answer comes back here.
  void computerChooses(const ComputerPacing& pacing);
  // Whether the Expert makes the computer's choice now.
  bool expertChooses(const ComputerPacing& pacing) const;
  // A pause of the computer's turn (none for 0 ms); a person's clicks meanwhile are ignored
  // under the move lock, or held and played after it.
  void computerWait(int ms, Clicks clicks, std::function<void()> next);
  void showChoice(int choice, const ComputerPacing& pacing);
  // The choice shown for the pacing's pauses, then played.
  void showAndPlay(int choice, const ComputerPacing& pacing);
  // The computer's move that the record holds next while replaying (0: none here).
  int recordedChoice();
  Player computerMover_ = Player::Red;  // whose move the computer is choosing
  // The computer's move played, then its pause after the move, then computerMoved().
  void playChoice(int choice, const ComputerPacing& pacing);
  // Plays a move read from a click (or held during a flash) on the board.
  void play(Target move);
  bool keepOpener_ = false;

  // The record. moves_ holds every move of the game, played_ how many the board shows.
  void recordMove(RecordedMove move);
  // The person's move being played, kept once it has changed the board.
  struct PersonMove {
    RecordedMove move;
    int before;  // movesMade() before it
  };
  std::optional<PersonMove> personMove_;
  void keepPersonMove();
  // How many Lines are claimed and circles used: a click that changes it made a move.
  int movesMade() const;
  // The set-up entries' ticks: [path, ticked] of every checkable entry of the set-up menus.
  const std::vector<GameRecord::Setting>& setupNow() const;
  std::vector<GameRecord::Setting> walkSetup() const;
  mutable std::optional<std::vector<GameRecord::Setting>> setupSeen_;
  // The board rebuilt to the record's first `moves` moves; `showMessages`: the boxes the last
  // move opened are shown. The error where the record's moves do not apply.
  std::optional<RecordError> replayTo(std::size_t moves, bool showMessages);
  // Runs the replay's waits at once until a person is to move or the game stands.
  void settleReplay();
  bool personMayMove() const;
  // A record's set-up chosen from the menus, its game and who opens it.
  std::optional<RecordError> setUpFor(const GameRecord& record);
  void showRecordMenus();
  std::vector<RecordedMove> moves_;
  std::size_t played_ = 0;
  bool replayShown_ = false;
  // The board shows a replayed position where the computer is to move: it waits, under the
  // move lock, until the replay moves on or is closed.
  bool replayPaused_ = false;
  // What the board showed as the game began, beyond its fresh board: the set-up, the rounds
  // and totals, and the captions (taken as its first move is made).
  void noteGameStart();
  std::vector<GameRecord::Setting> setup_;
  int setupGame_ = 0;
  // Whether the set-up and the game are still those the game was started with.
  bool sameSetup() const { return setupNow() == setup_ && variant() == setupGame_; }
  struct Start {
    LineGame::Rounds rounds;
    StatusLabels status;
    Drawing drawing;
    int toggle = 0;
    Colour pen = kBlue;
  } start_;
  // While replaying: the waits run on a host of its own, the next move of moves_ to play,
  // where to stop, and the boxes the moves opened.
  bool replaying_ = false;
  std::size_t replayNext_ = 0, replayEnd_ = 0;
  bool replayStalled_ = false;
  bool replayOpening_ = false;  // the computer is to move past the end of the replay
  std::optional<RecordError> replayError_;
  VirtualHost replayHost_;
  std::vector<std::pair<std::string, std::function<void()>>> replayMessages_;

  // Writes every bound check mark from its option.
  void showOptions() const;
  std::vector<std::pair<std::string, std::function<bool()>>> marks_;

  WindowKind kind_;
  bool expertOffered_ = false;
  ExpertThinker thinker_{steps_, status_, program_};
  // The Expert's best moves for the computer's turn, once it has thought them over.
  std::optional<std::vector<int>> expertAnswer_;
  Hints hints_{rules_, drawing_, status_, thinker_, [this](const std::string& text) { message(text); }};
  std::vector<VariantEntry> variants_;
  std::optional<Views> views_;
  const VariantEntry* variant_ = nullptr;
  std::function<void()> onChanged_;
};

}  // namespace kp
