#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>
#include <string>
#include <vector>

#include "core/board_graph.h"
#include "core/drawing.h"
#include "core/host.h"
#include "core/menu_model.h"
#include "core/move_timer.h"
#include "core/program_state.h"
#include "core/status_labels.h"
#include "core/window_kind.h"

namespace kp {

inline constexpr const char* kProgramTitle = "Krunk Plexa";
inline constexpr const char* kMakerSite = "https://krunkplexa.example.org";

struct Button {
  std::string caption;
  bool visible = true;
  bool enabled = true;
};

// One game window without its toolkit: the frame every window shares (Game, Other Games
// and Rules and Help menus), the status labels, the drawing, the steps it has scheduled.
// A board family derives from it and adds its board, rules menus and move handlers.
class GameController {
 public:
  GameController(Host& host, ProgramState& program, WindowKind kind);
  virtual ~GameController();
  GameController(const GameController&) = delete;
  GameController& operator=(const GameController&) = delete;

  WindowKind kind() const { return kind_; }
  const MenuModel& menus() const { return menus_; }
  const StatusLabels& status() const { return status_; }
  const Drawing& drawing() const { return drawing_; }
  virtual const BoardGeometry& geometry() const = 0;
  const std::vector<Button>& buttons() const { return buttons_; }
  virtual int lineCount() const = 0;
  virtual int circleCount() const = 0;
  virtual bool moveLock() const = 0;
  // The share of the board area the board is drawn in (the size menus of some windows).
  virtual double boardScale() const { return 1.0; }

  // What the board itself says, for checks that the labels agree with it: the points as
  // the drawing shows them (Red, Blue), and the moves-left label the board calls for
  // while the game keeps that label up to date (nothing otherwise).
  virtual std::pair<int, int> pointsOnBoard() const = 0;
  virtual std::optional<std::string> movesLeftOnBoard() const = 0;
  // Whether the points labels hold an earlier count than the board shows (a game that
  // ends on the points of its last recount).
  virtual bool pointsHeldFromLastRecount() const { return false; }
  // Steps scheduled by the computer's turn (every pending step but the countdown's).
  std::size_t computerSteps() const { return steps_.size() - (timer_.running() ? 1 : 0); }

  const MoveTimer& timer() const { return timer_; }
  bool keypadShown() const { return menus_.find("game.keypad") && menus_.at("game.keypad").checked; }
  bool gridShown() const { return menus_.find("game.grid") && menus_.at("game.grid").checked; }

  // User events. Each returns after the model is updated and the change announced.
  void lineClicked(int n);
  void circleClicked(int n);
  void menuChosen(const std::string& id);
  void buttonPressed(const std::string& caption);
  // A move number entered on the keypad and confirmed: played as a click on that Line,
  // or on that circle while the circles are the targets. Bad entries are explained in a
  // message and change nothing.
  void keypadEntered(const std::string& text);
  // How many digits a move number of this board can have.
  int keypadDigits() const;

  // Called after every change a person could see (the shell repaints).
  void setOnChanged(std::function<void()> fn) { onChanged_ = std::move(fn); }
  std::size_t pendingSteps() const { return steps_.size(); }
  // Cancels every step this window has scheduled.
  void cancelAllSteps();

 protected:
  virtual void onLineClick(int n) = 0;
  virtual void onCircleClick(int n) = 0;
  // Menus other than the frame's.
  virtual void onMenu(const std::string& id) = 0;
  virtual void newGame() = 0;
  // Buttons other than "New game".
  virtual void onButton(const std::string&) {}

  // The frame's Game menu in the flat windows' captions, the Other Games menu and the
  // Rules and Help menu; board menus go between Other Games and Rules and Help.
  void addGameMenu();
  void addOtherGamesMenu();
  void addHelpMenu();
  // Sub-Levels: Planor (checked) and Globoria.
  void addSubLevelsMenu();
  // The points the board shows, for pointsOnBoard(): with byColour, the Cells all of whose
  // sides are one player's colour (Red's in any of redColours); otherwise the Cells whose
  // circle is filled in a player's colour.
  std::pair<int, int> countPointsOnBoard(const BoardGraph& graph, bool byColour,
                                         std::initializer_list<Colour> redColours) const;
  // Players and Sudden Death.
  void addOptionsMenu();
  bool onePlayer() const;
  // Whether the chosen game refuses the computer (Duarn).
  virtual bool twoPlayerOnly() const { return false; }
  // "1 player verus the computer" was just chosen.
  virtual void playersChanged() {}
  // Enables or disables the menus that fix a game's set-up (Other Games and the window's
  // own set-up menus, given by id).
  void setSetupMenusEnabled(bool enabled, const std::vector<std::string>& boardMenus);

  StepId schedule(int ms, std::function<void()> step);
  void cancelStep(StepId id);
  void message(const std::string& text, std::function<void()> onOk = {});
  void notifyChanged() {
    if (onChanged_) onChanged_();
  }

  Host& host_;
  ProgramState& program_;
  MenuModel menus_;
  StatusLabels status_;
  Drawing drawing_;
  std::vector<Button> buttons_;
  MoveTimer timer_;

 private:
  // The keypad plays circles while circles are what a person can click.
  bool keypadPlaysCircles() const;
  bool onFrameMenu(const std::string& id);
  void ip_Click(int index);
  void sd_Click(int index);
  void openHelp();
  void openOtherGame(WindowKind target, int wallLevel);

  // Runs the step the host has just called back for, if it is still pending.
  void runStep(std::uint64_t own);

  WindowKind kind_;
  // The steps handed to the host and not yet run or cancelled. The host holds only a call
  // naming the step by its own number (small enough for std::function to hold without
  // allocating); the step itself stays here, so scheduling a step, as every move does for
  // the move timer, allocates nothing once the list has grown.
  struct PendingStep {
    StepId hostId;
    std::uint64_t own;
    std::function<void()> fn;
  };
  std::vector<PendingStep> steps_;
  std::uint64_t nextOwn_ = 1;
  std::function<void()> onChanged_;
};

}  // namespace kp
