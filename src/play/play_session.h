#pragma once
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/game_controller.h"
#include "core/launcher.h"
#include "core/program_state.h"
#include "core/virtual_host.h"

namespace kp {

// One line of a script, already checked for form.
struct ScriptCommand {
  enum class Kind { Open, Menu, Line, Circle, Region, Button, Check, Wait, State, Launcher, Hover, Keypad, Analyse, Expect, Undo, Redo, Save, Load, Review };
  Kind kind;
  std::string text;         // window name, menu path, button, check box or the field expected
  std::int64_t number = 0;  // Line, circle, click region, launcher label or milliseconds
  int lineNo = 0;           // where it stands in the script, from 1
  nlohmann::json value;     // what `expect` wants the field to hold
};

// An `expect` that the state did not meet: what the field held, nothing when the state has
// no such field.
struct ExpectationFailure {
  int lineNo = 0;
  std::string field;
  nlohmann::json wanted;
  std::optional<nlohmann::json> got;
  // "line 12: /turn_text: wanted "Krunk!", got "Red's turn""
  std::string describe() const;
};

// What a field of `expect` names in a state: a JSON pointer's value, or for "#claimed" how
// many Lines are drawn claimed, "#lines" which (ascending), "#owned" the Lines the rules
// give an owner, however drawn. Nothing when the state has no such field.
std::optional<nlohmann::json> expectedField(const nlohmann::json& state, const std::string& field);

// A script that cannot be run; what() names the script line.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads a whole script: one command a line, '#' starts a comment (on an `expect` line only
// after the field, outside strings). Throws ScriptError on the first malformed line, before
// anything runs.
std::vector<ScriptCommand> parseScript(std::istream& in);

// A person's event on an open game window, as the runner and the program's scripted runs
// play it: the refusal, or "" when it was carried out. Menu entries are named by their
// captions without '&', buttons and check boxes as GameController::controlNamed names them.
std::string menuOn(GameController& w, const std::string& path);
std::string lineOn(GameController& w, int n);
std::string circleOn(GameController& w, int n);
std::string regionOn(GameController& w, int n);  // click region n, from 0
std::string buttonOn(GameController& w, const std::string& caption);
std::string checkOn(GameController& w, const std::string& name);
std::string keypadOn(GameController& w, const std::string& text);  // entered and confirmed
// Why a line, circle or region command names a place the board does not have, or "".
std::string notOnBoard(const GameController& w, const ScriptCommand& cmd);
// Whichever of these the command is (menu, line, circle, region, button, check, keypad);
// a Line, circle or click region the board does not have is refused too.
std::string playOn(GameController& w, const ScriptCommand& cmd);

// The program without a toolkit: it starts in the launcher, game windows are opened as the
// program opens them, user events are fed to them, a virtual clock, and the observable state.
class PlaySession {
 public:
  explicit PlaySession(std::uint32_t seed = Random::kDefaultSeed);

  // Runs one command. Returns the state JSON for `state`, the analysis for `analyse`; throws ScriptError when the
  // command cannot apply to this board (a Line number outside it, an unknown window). An
  // `expect` that fails is kept in failedExpectations() and the script goes on.
  std::optional<nlohmann::json> run(const ScriptCommand& cmd);

  // Direct event helpers (the fuzzer and tests use them too). Each returns an empty
  // string when done, otherwise why it was refused.
  std::string open(const std::string& name);
  std::string menu(const std::string& path);
  std::string line(int n);
  std::string circle(int n);
  // A click in click region n (from 0) of a board that has them.
  std::string region(int n);
  // A button pressed, or a check box clicked, named as GameController::controlNamed
  // names it (the whole text as a caption first).
  std::string button(const std::string& caption);
  std::string check(const std::string& name);
  // Enters text on the keypad and confirms it (the keypad must be shown).
  std::string keypad(const std::string& text);
  // A click, or the mouse, on launcher label n. An index that is not a label is ignored.
  std::string launcherClick(int n);
  std::string hover(int n);
  // Take back and play again on the open window, as its Game menu does.
  std::string undo();
  std::string redo();
  // The open window's game written as a record file; a record file opened as "Open game..."
  // opens it (refused, with the line it names, where it cannot be played).
  std::string save(const std::string& path);
  std::string load(const std::string& path);
  void wait(std::int64_t ms);
  nlohmann::json state();
  // The state as `state` would print it now, taking nothing: its messages, documents and
  // refusals stay for the next `state`. What `expect` checks.
  nlohmann::json stateNow();
  // Every `expect` run so far that the state did not meet, in the order run.
  const std::vector<ExpectationFailure>& failedExpectations() const { return failed_; }
  // The Expert's view of the open window's position as Tolva: {"best": [...], "value": V,
  // "exact": true|false, "ms": time taken} (see analyseTolva), within the program's
  // limits for the Expert. A game window must be open.
  nlohmann::json analyse();
  // The Expert's review of the open window's game (its Line moves as Tolva), at the review's
  // budget unless --nodes or --think-ms set the Expert's: a list of {"move", "player", "line",
  // "value_before", "value_after", "loss", "best", "exact", "why", "turning_point"}.
  nlohmann::json review();
  // The budget a review gives each position (nothing: the review's own).
  void setReviewLimits(std::optional<ExpertLimits> limits) { reviewLimits_ = limits; }

  GameController* window() { return window_.get(); }
  // How many game windows have been loaded so far: tells a fresh window from the last one.
  int loads() const { return loads_; }
  // The launcher while it is open; it closes for good when a window opens.
  const Launcher* launcher() const { return launcher_.get(); }
  VirtualHost& host() { return host_; }
  ProgramState& program() { return program_; }
  bool ended() const { return host_.ended(); }
  // Told of every refused event (also listed in the next state).
  void setOnRefused(std::function<void(const std::string&)> fn) { onRefused_ = std::move(fn); }

 private:
  // Carries out what the last event asked of the host: OK on message boxes, a window switch.
  void settle();
  // settle() after an event that was carried out; passes the refusal on.
  std::string settled(std::string refusal);
  void load(WindowKind kind);
  // A command's effect; the refusal, or "" when it was carried out. Commands that cannot
  // apply to the board stop the run (ScriptError) first.
  std::string perform(const ScriptCommand& cmd);
  void checkApplies(const ScriptCommand& cmd) const;

 public:
  // Opens a window that no launcher entry names (a board built for a check), as Other
  // Games opens one.
  using WindowMaker = std::function<std::unique_ptr<GameController>(Host&, ProgramState&)>;
  void load(const WindowMaker& make);

 private:

  ProgramState program_;
  VirtualHost host_;
  std::unique_ptr<Launcher> launcher_;
  std::unique_ptr<GameController> window_;
  std::vector<std::string> refused_;
  std::vector<ExpectationFailure> failed_;
  int loads_ = 0;
  std::function<void(const std::string&)> onRefused_;
  std::optional<ExpertLimits> reviewLimits_;
};

}  // namespace kp
