#include "play/play_session.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <fstream>
#include <istream>
#include <sstream>

#include "boards/registry.h"
#include "core/colours.h"
#include "core/expert.h"
#include "core/game_review.h"
#include "play/state_json.h"

namespace kp {

namespace {

std::string trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  const auto e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

[[noreturn]] void fail(int lineNo, const std::string& what) {
  throw ScriptError("line " + std::to_string(lineNo) + ": " + what);
}

std::int64_t parseNumber(const std::string& arg, int lineNo, const std::string& command) {
  if (arg.empty()) fail(lineNo, command + " needs a number");
  std::int64_t value = 0;
  const auto [end, ec] = std::from_chars(arg.data(), arg.data() + arg.size(), value);
  if (ec != std::errc() || end != arg.data() + arg.size() || value < 0)
    fail(lineNo, command + " needs a whole number, not '" + arg + "'");
  return value;
}

// Where the JSON string opening at `at` ends (just past its closing quote), or npos.
std::size_t pastString(const std::string& s, std::size_t at) {
  for (std::size_t i = at + 1; i < s.size(); ++i) {
    if (s[i] == '\\') ++i;
    else if (s[i] == '"') return i + 1;
  }
  return std::string::npos;
}

// `expect FIELD VALUE`, from the text after the word: FIELD a JSON pointer, quoted as a JSON
// string where it holds spaces, or #claimed, #lines or #owned; VALUE JSON up to a comment.
ScriptCommand parseExpect(const std::string& rest, int lineNo) {
  using nlohmann::json;
  ScriptCommand cmd{ScriptCommand::Kind::Expect, "", 0, lineNo};
  std::size_t at = rest.find_first_not_of(" \t\r");
  if (at == std::string::npos) fail(lineNo, "expect needs a field and a value");
  const std::size_t fieldEnd = rest[at] == '"' ? pastString(rest, at) : rest.find_first_of(" \t\r", at);
  if (rest[at] == '"' && fieldEnd == std::string::npos) fail(lineNo, "expect's field has no closing quote");
  const std::string field = rest.substr(at, fieldEnd - at);
  try {
    cmd.text = field[0] == '"' ? json::parse(field).get<std::string>() : field;
    if (cmd.text != "#claimed" && cmd.text != "#lines" && cmd.text != "#owned") (void)json::json_pointer{cmd.text};
  } catch (const json::exception&) {
    fail(lineNo, "expect needs a field: a JSON pointer such as /turn_text, or #claimed, #lines or #owned, not '" +
                     field + "'");
  }
  // The value runs to the end of the line or to a '#' outside its strings.
  at = fieldEnd == std::string::npos ? rest.size() : fieldEnd;
  std::size_t end = at;
  while (end < rest.size() && rest[end] != '#') end = rest[end] == '"' ? pastString(rest, end) : end + 1;
  const std::string value = trim(rest.substr(at, end == std::string::npos ? std::string::npos : end - at));
  if (value.empty()) fail(lineNo, "expect " + field + " needs a value");
  try {
    cmd.value = json::parse(value);
  } catch (const json::exception&) {
    fail(lineNo, "expect " + field + " needs a JSON value, not '" + value + "'");
  }
  return cmd;
}

}  // namespace

std::vector<ScriptCommand> parseScript(std::istream& in) {
  std::vector<ScriptCommand> out;
  std::string raw;
  int lineNo = 0;
  while (std::getline(in, raw)) {
    ++lineNo;
    const auto hash = raw.find('#');
    const std::string text = trim(hash == std::string::npos ? raw : raw.substr(0, hash));
    if (text.empty()) continue;
    const auto space = text.find_first_of(" \t");
    const std::string word = text.substr(0, space);
    const std::string arg = space == std::string::npos ? "" : trim(text.substr(space));
    ScriptCommand cmd{ScriptCommand::Kind::State, arg, 0, lineNo};
    using K = ScriptCommand::Kind;
    if (word == "expect") {
      cmd = parseExpect(raw.substr(raw.find(word) + word.size()), lineNo);
    } else if (word == "open" || word == "menu" || word == "button" || word == "check") {
      if (arg.empty())
        fail(lineNo, word + " needs " + (word == "open" ? "a window name" : word == "menu" ? "a menu path" : "a caption"));
      cmd.kind = word == "open" ? K::Open : word == "menu" ? K::Menu : word == "button" ? K::Button : K::Check;
    } else if (word == "line" || word == "circle" || word == "wait" || word == "region") {
      cmd.kind = word == "line" ? K::Line : word == "circle" ? K::Circle : word == "region" ? K::Region : K::Wait;
      cmd.number = parseNumber(arg, lineNo, word);
    } else if (word == "launcher" || word == "hover") {
      cmd.kind = word == "launcher" ? ScriptCommand::Kind::Launcher : ScriptCommand::Kind::Hover;
      cmd.number = parseNumber(arg, lineNo, word);
    } else if (word == "keypad") {
      cmd.kind = ScriptCommand::Kind::Keypad;  // an empty entry is a person's mistake to show, not a script error
    } else if (word == "save" || word == "load") {
      if (arg.empty()) fail(lineNo, word + " needs a file name");
      cmd.kind = word == "save" ? K::Save : K::Load;
    } else if (word == "undo" || word == "redo") {
      if (!arg.empty()) fail(lineNo, word + " takes no argument");
      cmd.kind = word == "undo" ? K::Undo : K::Redo;
    } else if (word == "state" || word == "analyse" || word == "review") {
      if (!arg.empty()) fail(lineNo, word + " takes no argument");
      if (word == "analyse") cmd.kind = K::Analyse;
      if (word == "review") cmd.kind = K::Review;
    } else {
      fail(lineNo, "unknown command '" + word + "'");
    }
    out.push_back(std::move(cmd));
  }
  return out;
}

PlaySession::PlaySession(std::uint32_t seed) {
  program_.random = Random(seed);
  host_.setWindowAvailability(windowBuilt);
  // Like the program, the session starts in the launcher.
  launcher_ = std::make_unique<Launcher>();
}

void PlaySession::load(WindowKind kind) {
  launcher_.reset();  // closed for good once any window opens
  window_.reset();    // its pending steps go with it
  window_ = loadWindow(kind, host_, program_);
  ++loads_;
}

void PlaySession::load(const WindowMaker& make) {
  launcher_.reset();
  window_.reset();
  window_ = make(host_, program_);
  ++loads_;
}

void PlaySession::settle() {
  host_.answerMessages();
  if (auto target = host_.takeSwitch()) load(*target);
  if (host_.ended()) {
    launcher_.reset();
    window_.reset();
  }
}

std::string PlaySession::open(const std::string& name) {
  const auto kind = windowFromName(name);
  if (!kind) return "unknown window '" + name + "'";
  if (!windowBuilt(*kind)) return "the " + name + " window is not in this version yet";
  load(*kind);
  settle();
  return "";
}

std::string menuOn(GameController& w, const std::string& path) {
  const MenuEntry* e = w.menus().findPath(path);
  if (!e) return "no menu entry '" + path + "'";
  if (!w.menus().reachable(path)) return "menu entry '" + path + "' is hidden or disabled";
  w.menuChosen(e->id);
  return "";
}

std::string lineOn(GameController& w, int n) {
  if (!w.offers(Target::line(n))) return "line " + std::to_string(n) + " has no target to click";
  w.lineClicked(n);
  return "";
}

std::string circleOn(GameController& w, int n) {
  if (!w.offers(Target::circle(n))) return "circle " + std::to_string(n) + " has no target to click";
  w.circleClicked(n);
  return "";
}

std::vector<Target> clickRegions(const GameController& w) {
  BoardReport report;
  w.report(report);
  return std::move(report.clickRegions);
}

std::string regionOn(GameController& w, int n) {
  const std::vector<Target> regions = clickRegions(w);
  const Target t = n >= 0 && n < int(regions.size()) ? regions[std::size_t(n)] : Target{};
  if (!w.offers(t)) return "region " + std::to_string(n) + " has no target to click";
  w.targetClicked(t);
  return "";
}

std::string buttonOn(GameController& w, const std::string& caption) {
  const Control* c = w.controlNamed(caption);
  if (!c) return "no button '" + caption + "'";
  if (!c->visible || !c->enabled) return "button '" + caption + "' is hidden or disabled";
  w.controlPressed(c->id);
  return "";
}

std::string checkOn(GameController& w, const std::string& name) {
  const Control* c = w.controlNamed(name);
  if (!c || !c->checkBox) return "no check box '" + name + "'";
  return buttonOn(w, name);
}

std::string keypadOn(GameController& w, const std::string& text) {
  if (!w.keypadShown()) return "the keypad is not shown";
  w.keypadEntered(text);
  return "";
}

std::string notOnBoard(const GameController& w, const ScriptCommand& cmd) {
  using K = ScriptCommand::Kind;
  if (cmd.kind == K::Region) {
    const int regions = int(clickRegions(w).size());
    if (cmd.number < regions) return "";
    return "region " + std::to_string(cmd.number) + " is not on this board (" +
           (regions ? "0 to " + std::to_string(regions - 1) : std::string("it has no click regions")) + ")";
  }
  if (cmd.kind != K::Line && cmd.kind != K::Circle) return "";
  const bool isLine = cmd.kind == K::Line;
  const int count = isLine ? w.lineCount() : w.circleCount();
  if (cmd.number >= 1 && cmd.number <= count) return "";
  return std::string(isLine ? "line " : "circle ") + std::to_string(cmd.number) + " is not on this board (1 to " +
         std::to_string(count) + ")";
}

std::string playOn(GameController& w, const ScriptCommand& cmd) {
  using K = ScriptCommand::Kind;
  if (std::string why = notOnBoard(w, cmd); !why.empty()) return why;
  switch (cmd.kind) {
    case K::Menu: return menuOn(w, cmd.text);
    case K::Line: return lineOn(w, int(cmd.number));
    case K::Circle: return circleOn(w, int(cmd.number));
    case K::Region: return regionOn(w, int(cmd.number));
    case K::Button: return buttonOn(w, cmd.text);
    case K::Check: return checkOn(w, cmd.text);
    case K::Keypad: return keypadOn(w, cmd.text);
    default: return "not an event on a game window";
  }
}

std::string PlaySession::settled(std::string refusal) {
  if (refusal.empty()) settle();
  return refusal;
}

std::string PlaySession::menu(const std::string& path) {
  return window_ ? settled(menuOn(*window_, path)) : "no window is open";
}

std::string PlaySession::line(int n) { return window_ ? settled(lineOn(*window_, n)) : "no window is open"; }

std::string PlaySession::circle(int n) { return window_ ? settled(circleOn(*window_, n)) : "no window is open"; }

std::string PlaySession::keypad(const std::string& text) {
  return window_ ? settled(keypadOn(*window_, text)) : "no window is open";
}

std::string PlaySession::region(int n) { return window_ ? settled(regionOn(*window_, n)) : "no window is open"; }

std::string PlaySession::check(const std::string& name) {
  return window_ ? settled(checkOn(*window_, name)) : "no window is open";
}

std::string PlaySession::button(const std::string& caption) {
  if (caption == "OK" && host_.aboutOpen()) {
    host_.closeAbout();
    return "";
  }
  return window_ ? settled(buttonOn(*window_, caption)) : "no window is open";
}

std::string PlaySession::launcherClick(int n) {
  if (!launcher_) return "no launcher is open";
  const LauncherLabel* l = launcher_->label(n);
  if (!l) return "";  // a click on nothing
  if (!l->visible) return "launcher label " + std::to_string(n) + " is hidden";
  const LaunchResult r = launcher_->click(n, program_, windowBuilt);
  if (r.kind == LaunchResult::Kind::Open) load(r.window);
  if (r.kind == LaunchResult::Kind::NotInThisVersion) host_.showMessage(kProgramTitle, r.message, {});
  settle();
  return "";
}

std::string PlaySession::hover(int n) {
  if (!launcher_) return "no launcher is open";
  const LauncherLabel* l = launcher_->label(n);
  if (!l) return "";
  if (!l->visible) return "launcher label " + std::to_string(n) + " is hidden";
  launcher_->hover(n);
  return "";
}

std::string PlaySession::undo() {
  if (!window_) return "no window is open";
  if (!window_->canTakeBack()) return "there is no move to take back now";
  window_->takeBack();
  return settled("");
}

std::string PlaySession::redo() {
  if (!window_) return "no window is open";
  if (!window_->canPlayAgain()) return "there is no move to play again now";
  window_->playAgain();
  return settled("");
}

std::string PlaySession::save(const std::string& path) {
  if (!window_) return "no window is open";
  std::ofstream out(path, std::ios::binary);
  out << writeRecord(window_->record());
  return out ? "" : "cannot write " + path;
}

std::string PlaySession::load(const std::string& path) {
  if (!window_) return "no window is open";
  if (const MenuEntry* open = window_->menus().find("game.open"); open && !open->enabled)
    return "a game cannot be opened during a game";
  auto checked = checkedRecord(path, program_);
  if (const auto* error = std::get_if<RecordError>(&checked)) return error->message();
  const GameRecord& record = std::get<GameRecord>(checked);
  load(*windowFromName(record.window));
  window_->playRecord(record);
  return settled("");
}

void PlaySession::wait(std::int64_t ms) {
  // A century of virtual time is more than any game needs, and keeps the clock from overflowing.
  constexpr std::int64_t kLongest = 100LL * 366 * 24 * 3600 * 1000;
  const std::int64_t until = host_.nowMs() + std::clamp<std::int64_t>(ms, 0, kLongest);
  while (!host_.ended() && host_.runNextStepBy(until)) settle();
  host_.setClock(until);
}

nlohmann::json PlaySession::state() {
  nlohmann::json j = stateNow();
  host_.takeMessages();
  host_.takeDocuments();
  refused_.clear();
  return j;
}

nlohmann::json PlaySession::stateNow() {
  nlohmann::json j = window_ ? windowStateJson(*window_) : nlohmann::json{{"window", nullptr}};
  if (launcher_) {
    nlohmann::json labels = nlohmann::json::object();
    for (const auto& [index, l] : launcher_->labels())
      labels[std::to_string(index)] = {{"caption", l.caption}, {"colour", l.colour}, {"visible", l.visible}};
    j["launcher"] = std::move(labels);
  }
  nlohmann::json messages = nlohmann::json::array();
  for (const auto& m : host_.messages()) messages.push_back({{"title", m.title}, {"text", m.text}});
  j["messages"] = std::move(messages);
  j["documents"] = host_.documents();
  j["ended"] = host_.ended();
  j["about"] = host_.aboutOpen();
  j["sub_level"] = program_.subLevel;
  j["wall_level"] = program_.wallLevel;
  j["clock_ms"] = host_.nowMs();
  j["pending_steps"] = window_ ? window_->pendingSteps() : 0;
  j["refused"] = refused_;
  return j;
}

std::optional<nlohmann::json> expectedField(const nlohmann::json& state, const std::string& field) {
  using nlohmann::json;
  if (field.starts_with('#')) {
    std::vector<int> claimed, owned;
    const json lines = state.value("lines", json::object());
    for (const auto& [n, l] : lines.items()) {
      if (l.value("width", 0) == kClaimedWidth) claimed.push_back(std::stoi(n));
      if (l.value("owner", 0) != 0) owned.push_back(std::stoi(n));
    }
    std::ranges::sort(claimed);
    std::ranges::sort(owned);
    if (field == "#claimed") return json(claimed.size());
    if (field == "#lines") return json(claimed);
    if (field == "#owned") return json(owned);
    return std::nullopt;
  }
  try {
    const json::json_pointer at(field);
    if (state.contains(at)) return state.at(at);
  } catch (const json::exception&) {
    // a pointer that cannot name anything in this state, such as a word as an array index
  }
  return std::nullopt;
}

std::string ExpectationFailure::describe() const {
  return "line " + std::to_string(lineNo) + ": " + field + ": wanted " + wanted.dump() + ", got " +
         (got ? got->dump() : "nothing (no such field)");
}

nlohmann::json PlaySession::analyse() {
  const LineGame& rules = window_->rules();
  const auto start = std::chrono::steady_clock::now();
  const ExpertAnalysis a = analyseTolva(rules.graph(), claimedFlags(rules.claims()), program_.expertLimits());
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  return {{"best", a.best}, {"value", a.value}, {"exact", a.exact}, {"depth", a.depth}, {"ms", ms}};
}

nlohmann::json PlaySession::review() {
  const GameReview r = reviewTolva(window_->rules().graph(), window_->reviewMoves(),
                                   reviewLimits_.value_or(ExpertLimits{.nodes = kReviewNodes}));
  nlohmann::json out = nlohmann::json::array();
  for (const ReviewedMove& m : r.moves)
    out.push_back({{"move", m.move},
                   {"player", playerName(m.player)},
                   {"line", m.line},
                   {"value_before", m.valueBefore},
                   {"value_after", m.valueAfter},
                   {"loss", m.loss},
                   {"best", m.best},
                   {"exact", m.exact},
                   {"why", m.why},
                   {"turning_point", m.move == r.turningPoint}});
  return out;
}

std::optional<nlohmann::json> PlaySession::run(const ScriptCommand& cmd) {
  if (cmd.kind == ScriptCommand::Kind::State) return state();
  if (cmd.kind == ScriptCommand::Kind::Expect) {
    auto got = expectedField(stateNow(), cmd.text);
    if (!got || *got != cmd.value) failed_.push_back({cmd.lineNo, cmd.text, cmd.value, std::move(got)});
    return std::nullopt;
  }
  if (cmd.kind == ScriptCommand::Kind::Analyse && window_) return analyse();
  if (cmd.kind == ScriptCommand::Kind::Review && window_ && window_->reviewable()) return review();
  const std::string refusal = host_.ended() ? "the program has ended" : perform(cmd);
  if (!refusal.empty()) {
    refused_.push_back("line " + std::to_string(cmd.lineNo) + ": " + refusal);
    if (onRefused_) onRefused_(refused_.back());
  }
  return std::nullopt;
}

void PlaySession::checkApplies(const ScriptCommand& cmd) const {
  using K = ScriptCommand::Kind;
  if (cmd.kind == K::Open) {
    const auto kind = windowFromName(cmd.text);
    if (!kind) fail(cmd.lineNo, "unknown window '" + cmd.text + "'");
    if (!windowBuilt(*kind)) fail(cmd.lineNo, "the " + cmd.text + " window is not in this version yet");
  } else if (cmd.kind == K::Menu && window_ && !window_->menus().findPath(cmd.text)) {
    fail(cmd.lineNo, "no menu entry '" + cmd.text + "'");
  } else if (window_) {
    if (std::string why = notOnBoard(*window_, cmd); !why.empty()) fail(cmd.lineNo, why);
  }
}

std::string PlaySession::perform(const ScriptCommand& cmd) {
  using K = ScriptCommand::Kind;
  checkApplies(cmd);
  switch (cmd.kind) {
    case K::Open: return open(cmd.text);
    case K::Menu: return menu(cmd.text);
    case K::Line: return window_ ? line(int(cmd.number)) : "no window is open";
    case K::Circle: return window_ ? circle(int(cmd.number)) : "no window is open";
    case K::Region: return window_ ? region(int(cmd.number)) : "no window is open";
    case K::Button: return button(cmd.text);
    case K::Check: return check(cmd.text);
    case K::Keypad: return keypad(cmd.text);
    case K::Launcher:
    case K::Hover: {
      // Past the last index there is no label, however large the number.
      const int n = cmd.number > Launcher::kLastIndex ? Launcher::kLastIndex + 1 : int(cmd.number);
      return cmd.kind == K::Launcher ? launcherClick(n) : hover(n);
    }
    case K::Wait: wait(cmd.number); return "";
    case K::State:
    case K::Expect: return "";  // run() answers them
    case K::Analyse: return "no game window is open to analyse";  // run() analyses an open one
    case K::Review: return "the Expert does not review this game";  // run() reviews one it plays
    case K::Undo: return undo();
    case K::Redo: return redo();
    case K::Save: return save(cmd.text);
    case K::Load: return load(cmd.text);
  }
  return "";
}

}  // namespace kp
