#include "core/game_controller.h"

#include <algorithm>
#include <iterator>

#include "core/expert.h"
#include "core/hints.h"
#include "core/window_catalogue.h"

namespace kp {

GameController::GameController(Host& host, ProgramState& program, WindowKind kind)
    : host_(host),
      program_(program),
      steps_(host, {.afterStep = [this] { notifyChanged(); },
                    .personToMove =
                        [this] {
                          const bool computerToMove =
                              onePlayer() && !variant_->twoPlayerOnly && rules_.toMove() == Player::Red;
                          return !status_.gameOver && !rules_.moveLock() && !computerToMove;
                        },
                    .play = [this](Target move) { play(move); }}),
      timer_([this](int ms, std::function<void()> step) { return schedule(ms, std::move(step)); },
             [this](StepId id) { cancelStep(id); },
             [this] {
               // Time is up: the program ends once the person has read it.
               Host& host = host_;
               message("You lose.", [&host] { host.quit(); });
             }),
      kind_(kind) {}

GameController::~GameController() { cancelAllSteps(); }

void GameController::cancelAllSteps() {
  timer_.stop();
  steps_.cancelAll();
  thinker_.forgetAll();
  expertAnswer_.reset();
}

void GameController::play(Target move) {
  noteGameStart();
  personMove_ = PersonMove{{move.kind == Target::Kind::Circle, move.id, rules_.toMove(), MoveMaker::Person}, movesMade()};
  if (move.kind == Target::Kind::Line) onLineClick(move.id);
  else onCircleClick(move.id);
  keepPersonMove();
}

void GameController::keepPersonMove() {
  if (personMove_ && movesMade() != personMove_->before) recordMove(personMove_->move);
  personMove_.reset();
}

void GameController::message(const std::string& text, std::function<void()> onOk) {
  if (replaying_) {
    replayMessages_.emplace_back(text, std::move(onOk));
    return;
  }
  host_.showMessage(kProgramTitle, text, std::move(onOk));
}

void GameController::setBoardSize(int lines, int circles) {
  drawing_.resize(lines, circles);
  views_.emplace(lines, circles);
}

void GameController::notifyChanged() {
  hints_.expire();
  showRecordMenus();
  if (onChanged_) onChanged_();
}

void GameController::turnView(int steps) {
  for (; steps > 0; --steps) views_->next();
  for (; steps < 0; ++steps) views_->previous();
}

const BoardGeometry& GameController::geometry() const {
  static const BoardGeometry none;
  return none;
}

Scene GameController::scene() const {
  return sceneOf(geometry(), drawing_, views_->number() == 1 ? nullptr : &views_->current());
}

bool GameController::offers(Target t) const {
  switch (t.kind) {
    case Target::Kind::Line: {
      if (t.id < 1 || t.id > lineCount()) return false;
      const LineDraw& d = drawing_.lines[std::size_t(views_->current().line(t.id))];
      return d.visible && d.targetVisible;
    }
    case Target::Kind::Circle: {
      if (t.id < 1 || t.id > circleCount()) return false;
      const CircleDraw& d = drawing_.circles[std::size_t(views_->current().circle(t.id))];
      return d.visible && d.targetVisible;
    }
    case Target::Kind::CheckBox:
      return scene().checkBox(t) != nullptr;
    case Target::Kind::None:
      break;
  }
  return false;
}

void GameController::targetClicked(Target clicked) {
  if (clicked.kind == Target::Kind::CheckBox) {
    // controlPressed announces the change itself.
    const Scene now = scene();
    if (const CheckBox* box = now.checkBox(clicked)) controlPressed(box->control);
    return;
  }
  if (!offers(clicked)) return;
  const Target move = views_->current().read(clicked);
  if (steps_.holdsClicks()) return steps_.hold(move);
  play(move);
  notifyChanged();
}

void GameController::menuChosen(const std::string& id) {
  // A shortcut must not reach an entry whose menu is locked, as a click could not.
  if (!menus_.reachableId(id)) return;
  setupSeen_.reset();
  if (!onFrameMenu(id)) onMenu(id);
  setupSeen_.reset();
  notifyChanged();
}

void GameController::controlPressed(const std::string& id) {
  setupSeen_.reset();
  for (auto& c : controls_) {
    if (c.id != id || !c.visible || !c.enabled) continue;
    if (c.checkBox) c.checked = !c.checked;
    if (id == kNewGameButton) newGame();
    else onControl(c);
    notifyChanged();
    return;
  }
}

std::string GameController::nameOf(const Control& c) const {
  const auto same = std::count_if(controls_.begin(), controls_.end(),
                                  [&](const Control& other) { return other.caption == c.caption; });
  return same == 1 ? c.caption : c.group + ":" + c.caption;
}

const Control* GameController::controlNamed(const std::string& name) const {
  for (const auto& c : controls_)
    if (nameOf(c) == name) return &c;
  return nullptr;
}

bool GameController::keypadPlaysCircles() const {
  for (int c = 1; c <= circleCount(); ++c)
    if (drawing_.circles[c].targetVisible) return true;
  return false;
}

int GameController::keypadDigits() const {
  return int(std::to_string(keypadPlaysCircles() ? circleCount() : lineCount()).size());
}

void GameController::keypadEntered(const std::string& text) {
  const bool circles = keypadPlaysCircles();
  const int count = circles ? circleCount() : lineCount();
  const std::string what = circles ? circleWord() : "line";
  const std::string range = " (1 to " + std::to_string(count) + ")";
  if (text.empty()) {
    message("Enter the number of a " + what + " first" + range + ".");
  } else if (text.find_first_not_of("0123456789") != std::string::npos) {
    message("A move is entered as a number" + range + ".");
  } else if (int(text.size()) > keypadDigits()) {
    message("The numbers of this board have at most " + std::to_string(keypadDigits()) + " digits" + range + ".");
  } else if (const int n = std::stoi(text); n < 1 || n > count) {
    message("There is no " + what + " " + text + " on this board" + range + ".");
  } else if (steps_.holdsClicks()) {
    steps_.hold(circles ? Target::circle(n) : Target::line(n));
  } else {
    // Straight to the board, so a played circle gets the board's own answer.
    play(circles ? Target::circle(n) : Target::line(n));
  }
  notifyChanged();
}

void GameController::addMenus(std::vector<VariantEntry> variants, bool subLevels, std::vector<MenuEntry> boardMenus,
                              FrameMenus frame) {
  expertOffered_ = frame.expert;
  menus_.add(gameMenu(std::move(frame.game)));
  menus_.add(otherGamesMenu(kind_));
  if (frame.subLevels) menus_.add(std::move(*frame.subLevels));
  else if (subLevels) menus_.add(subLevelsMenu());
  addGamesMenu(std::move(variants));
  for (MenuEntry& m : boardMenus) menus_.add(std::move(m));
  addOptionsMenu(std::move(frame.players), std::move(frame.options));
  for (MenuEntry& m : frame.afterOptions) menus_.add(std::move(m));
  menus_.add(helpMenu(expertOffered_));
  for (auto [id, value] : {std::pair{"game.keypad", &options_.keypad}, {"game.grid", &options_.grid},
                           {"hint.computer", &options_.hintComputer}, {"hint.super", &options_.hintSuper},
                           {"hint.best", &options_.hintBest}, {"cumulative", &options_.cumulative},
                           {"hide", &options_.hideIdle}, {"players.0", &options_.onePlayer},
                           {"expert", &program_.expert}, {"game.replay", &replayShown_}})
    bindCheck(id, *value);
  bindCheck("sub.globoria", options_.globoria);
  bindMark("sub.planor", [this] { return !options_.globoria; });
  bindMark("players.1", [this] { return !options_.onePlayer; });
  for (int i = 1; i <= 12; ++i) bindMark("sd." + std::to_string(i), [this, i] { return options_.suddenDeath == i; });
  for (std::size_t i = 0; i < std::size(kExpertTimes); ++i)
    bindMark("think." + std::to_string(i + 1), [this, i] { return program_.expertThinkMs == kExpertTimes[i].ms; });
}

void GameController::bindCheck(const std::string& id, bool& value) {
  const MenuEntry* e = menus_.find(id);
  if (!e) return;
  value = e->checked;
  bindMark(id, [&value] { return value; });
}

void GameController::bindMark(const std::string& id, std::function<bool()> shown) {
  if (menus_.find(id)) marks_.emplace_back(id, std::move(shown));
}

void GameController::showOptions() const {
  // The marks are the options' picture, kept in step whenever the menus are looked at.
  MenuModel& menus = const_cast<MenuModel&>(menus_);
  for (const auto& [id, shown] : marks_)
    if (MenuEntry* e = menus.find(id)) e->checked = shown();
}

void GameController::addOptionsMenu(std::vector<MenuEntry> players, std::vector<MenuEntry> more) {
  menus_.add(optionsMenu(std::move(players), std::move(more), expertOffered_, program_.expert));
  // A window opens without a time limit (the stored limit keeps its opening value), so
  // nobody loses a game for thinking before they have chosen a limit.
  timer_.setNoLimit(true);
}

void GameController::ip_Click(int index) {
  if (index == 0) {
    if (variant_ && variant_->twoPlayerOnly) {
      message("   Duarn is a two player game only.");
      onePlayerRefused();
      return;
    }
    options_.onePlayer = true;
    playersChanged();
  } else if (index == 1) {
    options_.onePlayer = false;
  }
}

void GameController::playersChanged() {
  if (status_.gameOver || rules_.toMove() != Player::Red || rules_.moveLock() || rules_.claimedLineCount() != 0)
    return;
  if (computerOpens()) return handOver();
  // A computer that only answers leaves the opening to the person.
  openWithBlue();
  status_.turnText = startPrompt();
  rules_.setPen(kBlue);
}

namespace {
std::string variantId(int index) { return "games." + std::to_string(index); }
}  // namespace

void GameController::addGamesMenu(std::vector<VariantEntry> variants) {
  variants_ = std::move(variants);
  variant_ = &variants_.front();
  MenuEntry games{.id = "games", .caption = "Games &Menu"};
  int next = variants_.front().index;
  for (const auto& v : variants_) {
    if (v.index != next) games.children.push_back({.separator = true});
    next = v.index + 1;
    games.children.push_back({.id = variantId(v.index),
                              .caption = v.caption,
                              .statusTip = v.tip ? v.tip : "",
                              .checkable = true,
                              .visible = !v.hidden});
  }
  menus_.add(std::move(games));
}

void GameController::chooseVariant(int index) {
  const auto it =
      std::find_if(variants_.begin(), variants_.end(), [index](const VariantEntry& v) { return v.index == index; });
  if (it == variants_.end() || variantRefused(*it)) return;
  hints_.clear();
  variant_ = &*it;
  for (const auto& v : variants_) menus_.at(variantId(v.index)).checked = v.index == index;
  status_.gameCaption = variant_->boardCaption;
  rules_.setClaimWidth(claimWidth());
  // Every drawn Line and circle, also those of a larger board the game may bring.
  for (std::size_t c = 1; c < drawing_.circles.size(); ++c) drawing_.circles[c].targetVisible = variant_->circles;
  for (std::size_t l = 1; l < drawing_.lines.size(); ++l) drawing_.lines[l].targetVisible = !variant_->circles;
  // A game chosen after the end of one (where a board allows it) starts with New game: the
  // verdict's turn text stays until then.
  if (variant_->prompt && !status_.gameOver) status_.turnText = variant_->prompt;
  if (variant_->twoPlayerOnly) options_.onePlayer = false;
  variantChosen();
}

const char* GameController::startPrompt() const {
  return variant_->prompt ? variant_->prompt : variant_->circles ? kCirclePrompt : kLinePrompt;
}

void GameController::newGameKeepingOpener() {
  keepOpener_ = true;
  newGame();
  keepOpener_ = false;
}

void GameController::newGame() {
  cancelAllSteps();
  if (!replaying_) {
    moves_.clear();
    played_ = 0;
    replayShown_ = replayPaused_ = false;
  }
  hints_.clear();
  timer_.restore();
  rules_.resetBoard();
  setSetupMenusEnabled(true);
  status_.turnText = startPrompt();
  openGame();
}

void GameController::playColourCircle(int c, std::optional<Player> mover) {
  const ColourCircles how = colourCircles();
  std::vector<int> painted;
  addCircleLines(c, painted);
  paintCircle(rules_, drawing_, status_, c, painted, mover);
  timer_.reset();

  const Player scorer = mover.value_or(rules_.toMove());
  const int won = krunkCount(rules_, status_, mover, scorer, rules_.cellOwners(), painted, how.count,
                             [&] { afterCircle(scorer); });
  showMovesLeft();
  lockSetup();
  timer_.stop();
  const int left = rules_.unusedCircles();
  if (!mover) return left == 0 ? finishGame() : handOver();

  if (won > 0) {
    setText(status_.turnText, {"Score! ", playerName(*mover), " goes again"});
    rules_.setPen(lineColour(*mover));
  } else {
    passTurnTo(*mover == Player::Red ? Player::Blue : Player::Red, kRed);
  }
  if (left == 1 && how.krunkMove) {
    // The last circle plays itself, in black, for nobody.
    announceKrunk(rules_, status_);
    return playColourCircle(rules_.firstUnusedCircle(), std::nullopt);
  }
  if (left == 0) finishGame();
  else handOver();
}

void GameController::refuseMove(const InvalidMove& how) {
  if (how.inMessage) message(how.text);
  else status_.turnText = how.text;
}

void GameController::openWithBlue() {
  rules_.setToggle(0);
  status_.yourTurn = {false, true, false};
  status_.lastMoveCaption = "";
  status_.lastMove = "Last move: ";
  showMovesLeft();
}

bool GameController::redOpens(bool tolva) {
  const bool flagIsOne = keepOpener_ ? rules_.firstPlayerFlag() : rules_.flipFirstPlayer();
  return tolva && !flagIsOne;
}

void GameController::openTurn(bool tolva) {
  openWithBlue();
  if (!redOpens(tolva)) return;
  rules_.setToggle(1);
  status_.yourTurn = {true, false, false};
  // As the evaluation announces it with no Line claimed.
  rules_.announce(LineRule::Tolva, Player::Blue, 0);
  handOver();
}

void GameController::toggleTolvaHint(const std::string& id, bool tolva) {
  bool& on = id == "hint.computer" ? options_.hintComputer : id == "hint.super" ? options_.hintSuper : options_.hintBest;
  if (tolva) {
    on = !on;
    showMovesLeft();
    return;
  }
  on = false;
  message("This hint is for the Tolva game only.");
}

std::string GameController::superHint(bool tolva, const std::vector<int>& closed) const {
  if (!tolva || !options_.hintSuper) return "";
  return std::to_string(kp::nonScoringLines(rules_, closed).size()) + " non-scoring moves left";
}

void GameController::warnNoGoodMoves(bool offered, int table, const std::vector<int>& closed) {
  if (offered && options_.hintComputer) hints_.warnNoGoodMoves(table, closed);
}

void GameController::passTurnTo(Player next, Colour redColour) {
  rules_.setToggle(next == Player::Red ? 1 : 0);
  status_.yourTurn = {next == Player::Red, next == Player::Blue, false};
  setText(status_.turnText, {playerName(next), " player's turn"});
  rules_.setPen(next == Player::Red ? redColour : kBlue);
}

void GameController::handOver() {
  if (onePlayer() && !variant_->twoPlayerOnly && rules_.toMove() == Player::Red) {
    noteGameStart();  // where the computer opens the game
    rules_.setMoveLock(true);
    lockSetup();
    computerTurn();
    return;
  }
  rules_.setMoveLock(false);
  if (!timer_.noLimit()) timer_.start();
}

void GameController::finishGame() {
  if (status_.gameOver) return;
  timer_.stop();
  rules_.setMoveLock(false);
  // One box per verdict (two where the board compares score too), the second when the
  // first is closed.
  const std::vector<std::string> verdicts = rules_.endGame(secondScore(), scoreUnits());
  if (verdicts.size() == 1) message(verdicts[0]);
  else message(verdicts[0], [this, second = verdicts[1]] { message(second); });
  gameFinished();
}

void GameController::flashThen(std::vector<int> circles, std::function<void()> next, std::vector<int> lines) {
  if (circles.empty() && lines.empty()) return next();
  rules_.setMoveLock(true);
  std::vector<Colour> own;  // the Lines' own colours, shown again between the flashes
  for (int l : lines) own.push_back(drawing_.lines[std::size_t(l)].colour);
  constexpr int kFlashMs = 250;
  steps_.animate(4, kFlashMs, Clicks::Held,
                 [this, circles = std::move(circles), lines = std::move(lines), own = std::move(own),
                  next = std::move(next)](int k) {
                   const bool lit = k % 2 == 0 && k < 3;
                   for (int c : circles) drawing_.circles[std::size_t(c)].border = lit ? kYellow : kCircleBorder;
                   for (std::size_t i = 0; i < lines.size(); ++i)
                     drawing_.lines[std::size_t(lines[i])].colour = lit ? kYellow : own[i];
                   if (k < 3) return;
                   rules_.setMoveLock(false);
                   next();
                 });
}

bool GameController::onFrameMenu(const std::string& id) {
  if (id == "game.new") {
    newGame();
  } else if (id == "game.undo") {
    takeBack();
  } else if (id == "game.redo") {
    playAgain();
  } else if (id == "game.replay") {
    replayShown_ = !replayShown_;
    // Closed, the replay leaves the game as it stands at its last move.
    if (!replayShown_ && played_ < moves_.size() && canReplay()) replayTo(moves_.size(), true);
    if (!replayShown_ && replayPaused_) {
      replayPaused_ = false;
      handOver();
    }
  } else if (id == "game.save") {
    host_.saveRecord(writeRecord(record()));
  } else if (id == "game.open") {
    host_.openRecord();
  } else if (id == "help.expert") {
    hints_.showExpert(expertGame());
  } else if (id == "help.review") {
    if (reviewable()) host_.openReview();
  } else if (const auto players = menuIndex(id, "players.")) {
    ip_Click(*players);
  } else if (const auto game = menuIndex(id, "games.")) {
    chooseVariant(*game);
  } else {
    return chooseStandardEntry(id, {host_, program_, options_, timer_});
  }
  return true;
}

}  // namespace kp
