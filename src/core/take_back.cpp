// The game's record: moves kept as they are made, taken back and played again, replayed from
// the start, and a record from a file played on a fresh window.
#include <algorithm>
#include <limits>

#include "core/game_controller.h"
#include "core/window_catalogue.h"

namespace kp {

int GameController::movesMade() const {
  return rules_.claimedLineCount() + (rules_.graph().cellCount - rules_.unusedCircles());
}

void GameController::noteGameStart() {
  // The last look before the first move is the game's start (the computer may be handed the
  // turn before a person opens after all); a click's own hand-over comes after it.
  if (replaying_ || played_ > 0 || personMove_) return;
  start_ = {rules_.rounds(), status_, drawing_, rules_.toggle(), rules_.pen()};
  setup_ = setupNow();
  setupGame_ = variant();
}

void GameController::recordMove(RecordedMove move) {
  if (replaying_) return;
  moves_.resize(played_);
  moves_.push_back(move);
  played_ = moves_.size();
}

const std::vector<GameRecord::Setting>& GameController::setupNow() const {
  // Only a menu choice changes the set-up: the walk through the menus is kept until then.
  if (!setupSeen_) setupSeen_ = walkSetup();
  return *setupSeen_;
}

std::vector<GameRecord::Setting> GameController::walkSetup() const {
  showOptions();
  // The paths of the menus (or entries) the window locks during a game; the Games menu is
  // the record's game, Other Games its window.
  std::vector<std::string> locked;
  menus_.forEach([&](const std::string& path, const MenuEntry& e) {
    if (e.id != "other" && e.id != "games" && std::ranges::find(setupMenus_, e.id) != setupMenus_.end())
      locked.push_back(path);
  });
  std::vector<GameRecord::Setting> out;
  menus_.forEach([&](const std::string& path, const MenuEntry& e) {
    if (!e.checkable) return;
    for (const std::string& m : locked)
      if (path == m || (path.starts_with(m) && path.compare(m.size(), 3, " > ") == 0))
        return out.push_back({path, e.checked});
  });
  return out;
}

GameRecord GameController::record() const {
  GameRecord r;
  r.window = catalogueEntry(kind_).name;
  r.settings = played_ > 0 ? setup_ : setupNow();
  menus_.forEach([&](const std::string& path, const MenuEntry& e) {
    if (e.id == "games." + std::to_string(played_ > 0 ? setupGame_ : variant_->index)) r.game = path;
  });
  const bool computer = onePlayer() && !variant_->twoPlayerOnly;
  r.players = std::string("Red ") + (!computer ? "person" : program_.expert && expertGame() ? "Expert" : "computer") +
              ", Blue person";
  r.moves = movesPlayed();
  r.opener = moves_.empty() ? rules_.toMove() : start_.toggle == 1 ? Player::Red : Player::Blue;
  return r;
}

bool GameController::personMayMove() const {
  const bool computerToMove = onePlayer() && !variant_->twoPlayerOnly && rules_.toMove() == Player::Red;
  return !rules_.moveLock() && !steps_.holdsClicks() && (status_.gameOver || !computerToMove);
}

bool GameController::canTakeBack() const {
  if (replaying_ || played_ == 0 || !personMayMove() || !sameSetup()) return false;
  const bool computer = onePlayer() && !variant_->twoPlayerOnly;
  return !computer || std::any_of(moves_.begin(), moves_.begin() + std::ptrdiff_t(played_),
                                  [](const RecordedMove& m) { return m.by == MoveMaker::Person; });
}

bool GameController::canPlayAgain() const {
  return !replaying_ && played_ < moves_.size() && personMayMove() && sameSetup();
}

void GameController::takeBack() {
  if (!canTakeBack()) return;
  std::size_t to = played_ - 1;
  if (onePlayer() && !variant_->twoPlayerOnly)
    while (moves_[to].by != MoveMaker::Person) --to;
  replayTo(to, false);
}

void GameController::playAgain() {
  if (!canPlayAgain()) return;
  std::size_t to = played_ + 1;
  while (to < moves_.size() && moves_[to].by != MoveMaker::Person) ++to;
  replayTo(to, true);
}

void GameController::showMove(std::size_t moves) {
  if (!canReplay() || moves > moves_.size()) return;
  replayTo(moves, false);
}

bool GameController::canReplay() const {
  return !replaying_ && !moves_.empty() && (personMayMove() || replayPaused_) && sameSetup();
}

void GameController::replayStep(int step) {
  const std::size_t to = step == -2 ? 0 : step == 2 ? moves_.size() : step < 0 ? played_ - (played_ > 0) : played_ + 1;
  if (to != played_) showMove(std::min(to, moves_.size()));
}

std::vector<std::pair<int, Player>> GameController::reviewMoves() const {
  std::vector<std::pair<int, Player>> out;
  for (std::size_t i = 0; i < played_; ++i)
    if (!moves_[i].circle) out.emplace_back(moves_[i].id, moves_[i].player);
  return out;
}

void GameController::showReviewed(std::size_t moves, const std::vector<int>& best, int value, bool exact) {
  if (!canReplay() || moves > moves_.size()) return;
  replayShown_ = true;
  replayTo(moves, false);
  if (!best.empty()) hints_.showBest(best, value, exact);
  notifyChanged();
}

void GameController::settleReplay() {
  // Every wait of the game runs (not the countdown's); a picture that turns for ever would
  // never settle: a generous bound ends the wait.
  for (int guard = 0; guard < 100000 && !replayStalled_ && !replayError_; ++guard) {
    if (personMayMove() && computerSteps() == 0) return;
    if (!replayHost_.runNextStepBy(std::numeric_limits<std::int64_t>::max())) return;
  }
}

std::optional<RecordError> GameController::replayTo(std::size_t moves, bool showMessages) {
  cancelAllSteps();
  rules_.restoreRounds(start_.rounds);
  replaying_ = true;
  replayNext_ = 0;
  replayEnd_ = moves;
  replayStalled_ = false;
  replayError_.reset();
  replayMessages_.clear();
  steps_.divert(replayHost_, [](StepId) { return 0; });
  replayOpening_ = true;  // the computer's turn the opening may start is the record's to start
  newGameKeepingOpener();
  replayOpening_ = false;
  // The labels, the drawing and the turn as the game began with them: a window's first game
  // starts from what the window opened with, the computer may have been asked to open it
  // since, and a board may keep marks of the game before.
  // (The moves-left label stays as the opening writes it: the window keeps it in step with
  // the board from there on.)
  steps_.cancelAll();
  std::string movesLeft = std::move(status_.movesLeft);
  status_ = start_.status;
  status_.movesLeft = std::move(movesLeft);
  drawing_ = start_.drawing;
  rules_.setToggle(start_.toggle);
  rules_.setPen(start_.pen);
  if (!moves_.empty() && moves_.front().by != MoveMaker::Person) handOver();
  else rules_.setMoveLock(false);
  settleReplay();
  while (!replayError_ && !replayStalled_ && replayNext_ < replayEnd_) {
    const RecordedMove& m = moves_[replayNext_];
    auto refuse = [&](const std::string& why) {
      replayError_ = RecordError{m.line, "move " + std::to_string(replayNext_ + 1) + " (" +
                                             (m.circle ? "circle " : "Line ") + std::to_string(m.id) + ") " + why};
    };
    const int count = m.circle ? circleCount() : lineCount();
    if (m.id > count) {
      refuse("is not on this board (1 to " + std::to_string(count) + ").");
      break;
    }
    if (m.by != MoveMaker::Person || m.player != rules_.toMove()) {
      refuse(std::string("is not ") + playerName(rules_.toMove()) + "'s move here.");
      break;
    }
    const auto& target =
        m.circle ? drawing_.circles[std::size_t(m.id)].targetVisible : drawing_.lines[std::size_t(m.id)].targetVisible;
    const int before = movesMade();
    replayMessages_.clear();
    ++replayNext_;
    if (target) play(m.circle ? Target::circle(m.id) : Target::line(m.id));
    if (movesMade() == before) {
      --replayNext_;
      refuse("cannot be played there.");
      break;
    }
    settleReplay();
  }
  replaying_ = false;
  steps_.divert(host_, [this](StepId id) { return replayHost_.msLeft(id); });
  played_ = std::min(replayNext_, moves_.size());
  replayPaused_ = replayStalled_ && !replayError_;
  if (showMessages && !replayError_)
    for (auto& [text, onOk] : replayMessages_) message(text, std::move(onOk));
  replayMessages_.clear();
  notifyChanged();
  return replayError_;
}

std::optional<RecordError> GameController::playRecord(const GameRecord& record) {
  if (record.window != catalogueEntry(kind_).name)
    return RecordError{0, "the record is of another window."};
  replayOpening_ = true;
  const auto error = setUpFor(record);
  replayOpening_ = false;
  if (error) return error;
  noteGameStart();
  moves_ = record.moves;
  played_ = 0;
  auto replayed = replayTo(moves_.size(), true);
  if (!replayed && played_ < moves_.size())
    replayed = RecordError{moves_[played_].line, "move " + std::to_string(played_ + 1) + " is not the computer's move here."};
  if (!replayed && replayPaused_) {
    replayPaused_ = false;
    handOver();
  }
  notifyChanged();
  return replayed;
}

std::optional<RecordError> GameController::setUpFor(const GameRecord& record) {
  // Ticked entries first (a choice among several unticks the others), then the toggles left.
  for (bool on : {true, false})
    for (const GameRecord::Setting& s : record.settings) {
      const MenuEntry* e = menus_.findPath(s.path);
      if (!e || !e->checkable) return RecordError{s.line, "this window has no set-up entry \"" + s.path + "\"."};
      showOptions();
      if (s.on == on && e->checked != on) menuChosen(e->id);
    }
  const MenuEntry* game = menus_.findPath(record.game);
  if (!game || !game->id.starts_with("games.") || !game->visible)
    return RecordError{record.gameLine, "this window has no game \"" + record.game + "\"."};
  if (!game->checked) menuChosen(game->id);
  // A game the other player opens is the window's next New game.
  if (rules_.toMove() != record.opener) menuChosen("game.new");
  // Where the window opens its games otherwise (a game chosen after New game), the record says who.
  if (rules_.toMove() != record.opener) {
    rules_.setToggle(record.opener == Player::Red ? 1 : 0);
    status_.yourTurn = {record.opener == Player::Red, record.opener == Player::Blue, false};
    rules_.setPen(record.opener == Player::Red ? kRedTurnText : kBlue);
  }
  showOptions();
  for (const GameRecord::Setting& s : record.settings)
    if (menus_.findPath(s.path)->checked != s.on)
      return RecordError{s.line, "\"" + s.path + "\" cannot be " + (s.on ? "ticked" : "unticked") + " with this game."};
  if (!menus_.findPath(record.game)->checked)
    return RecordError{record.gameLine, "the game \"" + record.game + "\" cannot be chosen with this set-up."};
  return std::nullopt;
}

void GameController::showRecordMenus() {
  auto enable = [this](const char* id, bool on) {
    if (MenuEntry* e = menus_.find(id)) e->enabled = on;
  };
  enable("game.undo", canTakeBack());
  enable("game.redo", canPlayAgain());
  enable("game.save", played_ > 0);
  enable("game.replay", replayShown_ || canReplay());
  enable("help.review", reviewable() && played_ > 0 && canReplay());
  const MenuEntry* other = menus_.find("other");
  enable("game.open", !replaying_ && (!other || other->enabled));
}

}  // namespace kp
