#include "core/game_controller.h"

#include <algorithm>

#include "core/colour_choice.h"
#include "core/expert.h"
#include "core/hints.h"
#include "core/greedy_choice.h"

namespace kp {

namespace {

struct OtherGame {
  const char* id;
  const char* caption;
  WindowKind kind;
  int wallLevel;  // 0: the entry leaves WallLevel alone
};

struct OtherGroup {
  const char* caption;
  std::vector<OtherGame> games;
};

const std::vector<OtherGroup>& otherGroups() {
  static const std::vector<OtherGroup> groups = {
      {"Planor Plexa 2014 in 2D",
       {
           {"other.1", "2D - Beginner's Planor and Globoria", WindowKind::Square, 0},
           {"other.2", "2D - Krunk Delvo in Planor and Globoria   (Triangular)", WindowKind::Triangular, 0},
           {"other.3", "2D - Super Krunk Plus in Planor and Globoria", WindowKind::LargeSquare, 0},
           {"other.4", "2D - Secret Level 1- Our House", WindowKind::House, 0},
           {"other.5", "2D - Secret Level 2- Beyond Globoria - Torus Ferris Donut Wheel", WindowKind::Torus, 0},
       }},
      {"Krunk Plexa 2014 in 3D",
       {
           {"other.7", "3D - Plexa Ultra Squared and Ultra Krunked", WindowKind::Cube, 0},
           {"other.8", "3D - Krunk the Wall", WindowKind::Wall, 1},
           {"other.9", "3D - Krunk a Bigger Wall", WindowKind::Wall, 2},
           {"other.10", "3D - Krunk the Great Wall", WindowKind::Wall, 3},
           {"other.11", "3D - Krunk Delvo   (Triangular)", WindowKind::Tetrahedron, 0},
       }},
      {"Quadrion Plexa 2014 in 4D",
       {
           {"other.4d.11", "4D - Wire Frame", WindowKind::Wireframe, 0},
           {"other.12", "4D - Krunk Delvo in 4D   (Triangular)", WindowKind::Triangular4d, 0},
           {"other.13", "4D - Quadrion Krunk", WindowKind::Quadrion, 0},
       }},
  };
  return groups;
}

}  // namespace

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
}

void GameController::play(Target move) {
  if (move.kind == Target::Kind::Line) onLineClick(move.id);
  else onCircleClick(move.id);
}

void GameController::message(const std::string& text, std::function<void()> onOk) {
  host_.showMessage(kProgramTitle, text, std::move(onOk));
}

void GameController::setBoardSize(int lines, int circles) {
  drawing_.resize(lines, circles);
  views_.emplace(lines, circles);
}

void GameController::notifyChanged() {
  hints_.expire();
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
  if (!onFrameMenu(id)) onMenu(id);
  notifyChanged();
}

void GameController::controlPressed(const std::string& id) {
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
  } else if (circles) {
    // Straight to the board, so a played circle gets the board's own answer.
    onCircleClick(n);
  } else {
    onLineClick(n);
  }
  notifyChanged();
}

void GameController::addMenus(std::vector<VariantEntry> variants, bool subLevels, std::vector<MenuEntry> boardMenus,
                              FrameMenus frame) {
  expertOffered_ = frame.expert;
  addGameMenu(std::move(frame.game), frame.gameCaption);
  addOtherGamesMenu();
  if (frame.subLevels) menus_.add(std::move(*frame.subLevels));
  else if (subLevels) addSubLevelsMenu();
  addGamesMenu(std::move(variants));
  for (MenuEntry& m : boardMenus) menus_.add(std::move(m));
  addOptionsMenu(std::move(frame.players), std::move(frame.options));
  for (MenuEntry& m : frame.afterOptions) menus_.add(std::move(m));
  addHelpMenu();
  for (auto [id, value] : {std::pair{"game.keypad", &options_.keypad}, {"game.grid", &options_.grid},
                           {"hint.computer", &options_.hintComputer}, {"hint.super", &options_.hintSuper},
                           {"hint.best", &options_.hintBest}, {"cumulative", &options_.cumulative},
                           {"hide", &options_.hideIdle}, {"players.0", &options_.onePlayer},
                           {"expert", &program_.expert}})
    bindCheck(id, *value);
  bindCheck("sub.globoria", options_.globoria);
  bindMark("sub.planor", [this] { return !options_.globoria; });
  bindMark("players.1", [this] { return !options_.onePlayer; });
  for (int i = 1; i <= 12; ++i) bindMark("sd." + std::to_string(i), [this, i] { return options_.suddenDeath == i; });
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

std::pair<int, int> GameController::countPointsOnBoard(const BoardGraph& graph, bool byColour,
                                                       std::initializer_list<Colour> redColours) const {
  if (byColour) {
    const UnitCount count = countByColour(graph.cellSides, rules_.claims(), redColours);
    return {count.red, count.blue};
  }
  // The line games fill the circle of each Cell scored, once.
  int red = 0, blue = 0;
  for (int c = 1; c <= graph.cellCount; ++c) {
    red += drawing_.circles[c].fill == kRed;
    blue += drawing_.circles[c].fill == kBlue;
  }
  return {red, blue};
}

void GameController::addOtherGamesMenu() {
  MenuEntry other{.id = "other", .caption = "&Other Games"};
  bool first = true;
  for (const auto& group : otherGroups()) {
    if (!first) other.children.push_back({.separator = true});
    first = false;
    bool current = false;
    for (const auto& g : group.games) current = current || g.kind == kind_;
    std::string caption = group.caption;
    if (current) caption += " (THIS VERSION!)";
    other.children.push_back(
        {.id = std::string("heading.") + group.caption, .caption = caption, .enabled = false, .heading = true});
    for (const auto& g : group.games) {
      MenuEntry e{.id = g.id, .caption = g.caption, .checkable = true};
      if (g.kind == kind_) {
        e.checked = true;
        e.enabled = false;
      }
      other.children.push_back(std::move(e));
    }
  }
  if (kind_ == WindowKind::Wall) {
    // The wall window switches its walls in its own Sub-Levels menu.
    for (auto& e : other.children) {
      if (e.id == "other.8" || e.id == "other.9") e.visible = false;
      if (e.id == "other.10") e.caption = "3D - Krunk The Walls";
    }
  }
  menus_.add(std::move(other));
}

void GameController::addGameMenu(std::vector<MenuEntry> entries, const std::string& caption) {
  menus_.add(gameMenu(std::move(entries), caption));
}

void GameController::addSubLevelsMenu() { menus_.add(subLevelsMenu()); }

void GameController::addOptionsMenu(std::vector<MenuEntry> players, std::vector<MenuEntry> more) {
  menus_.add(optionsMenu(std::move(players), std::move(more), expertOffered_, program_.expert));
  // A window opens without a time limit (the stored limit keeps its opening value), so
  // nobody loses a game for thinking before they have chosen a limit.
  timer_.setNoLimit(true);
}

void GameController::addHelpMenu() { menus_.add(helpMenu(expertOffered_)); }

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
  status_.turnColour = kBlue;
}

void GameController::sd_Click(int index) {
  options_.suddenDeath = index;
  if (index >= 2) timer_.setLimit(kLimits[index - 1].ms);
  timer_.setNoLimit(index == 1);
}

void GameController::setSetupMenusEnabled(bool enabled) {
  for (const std::string& id : setupMenus_)
    if (MenuEntry* e = menus_.find(id)) e->enabled = enabled;
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
    games.children.push_back({.id = variantId(v.index), .caption = v.caption, .checkable = true, .visible = !v.hidden});
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
  hints_.clear();
  timer_.restore();
  rules_.resetBoard();
  setSetupMenusEnabled(true);
  status_.turnText = startPrompt();
  openGame();
}

void GameController::playColourCircle(int c, std::optional<Player> mover) {
  const ColourCircles how = colourCircles();
  rules_.setCircleUsed(c);
  drawing_.circles[std::size_t(c)].border = kGreen;
  rules_.setClaimWidth(how.claimWidth);
  std::vector<int> painted;
  addCircleLines(c, painted);
  for (int l : painted) rules_.paintLine(l, mover ? lineColour(*mover) : kBlack);
  status_.lastMove = "Last move: " + std::to_string(c);
  timer_.reset();

  const std::vector<int> before = rules_.cellOwners();
  const Player scorer = mover.value_or(rules_.toMove());
  rules_.recount(how.count, {kRed, kRedTurnText}, scorer);
  afterCircle(scorer);
  showMovesLeft();
  lockSetup();
  timer_.stop();
  const int left = rules_.unusedCircles();
  if (!mover) return left == 0 ? finishGame() : handOver();

  if (rules_.newlyWon(*mover, before, painted) > 0) {
    rules_.setToggle(*mover == Player::Red ? 1 : 0);
    status_.yourTurn = {*mover == Player::Red, *mover == Player::Blue, false};
    setText(status_.turnText, {"Score! ", playerName(*mover), " goes again"});
    status_.turnColour = lineColour(*mover);
  } else {
    passTurnTo(*mover == Player::Red ? Player::Blue : Player::Red, kRed);
  }
  if (left == 1 && how.krunkMove) {
    // The last circle plays itself, in black, for nobody.
    status_.turnText = "Krunk!";
    status_.turnColour = kBlack;
    return playColourCircle(rules_.firstUnusedCircle(), std::nullopt);
  }
  if (left == 0) finishGame();
  else handOver();
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

int GameController::previewGreedyLine(int width, int table, const std::vector<int>& closed) {
  const int line = program_.expert && expertGame() && table == 0 && closed.empty()
                       ? chooseExpert(rules_.graph(), claimedFlags(rules_.claims()), program_.random)
                       : chooseGreedy(rules_.units(table), rules_, drawing_, Completing::LowestUnitFirst,
                                      program_.random, closed);
  if (line == 0) return 0;
  drawing_.lines[std::size_t(line)].colour = kYellow;
  drawing_.lines[std::size_t(line)].width = width;
  return line;
}

int GameController::computerTolvaLine() {
  if (program_.expert && expertGame())
    return chooseExpert(rules_.graph(), claimedFlags(rules_.claims()), program_.random);
  return chooseGreedy(rules_.graph().cellSides, rules_, drawing_, Completing::AtRandom, program_.random);
}

int GameController::previewColourCircle() {
  ColourMoves moves;
  const std::size_t cells = std::size_t(rules_.graph().cellCount);
  moves.reserve(cells, 16 * cells);
  for (int c = 1; c <= rules_.graph().cellCount; ++c)
    if (!rules_.circleUsed(c)) moves.add(c, [&](std::vector<int>& lines) { addCircleLines(c, lines); });
  const int c = chooseByColour(rules_.graph(), rules_.claims(), moves, {kRed}, program_.random);
  if (c != 0) drawing_.circles[std::size_t(c)].border = kYellow;
  return c;
}

std::vector<int> GameController::nonScoringLines(const std::vector<int>& closed) const {
  const BoardGraph& g = rules_.graph();
  std::vector<int> out;
  for (int l = 1; l <= g.lineCount; ++l) {
    if (rules_.claimed(l) || std::find(closed.begin(), closed.end(), l) != closed.end()) continue;
    const bool safe = std::all_of(g.lineCells[std::size_t(l)].begin(), g.lineCells[std::size_t(l)].end(), [&](int c) {
      const auto& sides = g.cellSides[std::size_t(c)];
      return std::count_if(sides.begin(), sides.end(), [&](int side) { return rules_.claimed(side); }) < 2;
    });
    if (safe) out.push_back(l);
  }
  return out;
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
  return std::to_string(nonScoringLines(closed).size()) + " non-scoring moves left";
}

void GameController::warnNoGoodMoves(bool offered, int table, const std::vector<int>& closed) {
  if (offered && options_.hintComputer) hints_.warnNoGoodMoves(table, closed);
}

void GameController::passTurnTo(Player next, Colour redColour) {
  rules_.setToggle(next == Player::Red ? 1 : 0);
  status_.yourTurn = {next == Player::Red, next == Player::Blue, false};
  setText(status_.turnText, {playerName(next), " player's turn"});
  status_.turnColour = next == Player::Red ? redColour : kBlue;
}

void GameController::handOver() {
  if (onePlayer() && !variant_->twoPlayerOnly && rules_.toMove() == Player::Red) {
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
  const std::vector<std::string> verdicts = rules_.endGame(secondScore());
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

std::optional<int> GameController::menuIndex(const std::string& id, std::string_view prefix) {
  if (id.size() <= prefix.size() || id.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
  const std::string_view digits = std::string_view(id).substr(prefix.size());
  if (digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  return std::stoi(std::string(digits));
}

bool GameController::onFrameMenu(const std::string& id) {
  if (id == "game.new") {
    newGame();
  } else if (id == "game.keypad") {
    options_.keypad = !options_.keypad;
  } else if (id == "game.grid") {
    options_.grid = !options_.grid;
  } else if (id == "game.exit") {
    host_.quit();
  } else if (id == "game.about" || id == "help.about") {
    host_.showAbout();
  } else if (id == "game.server" || id == "game.call") {
    message("Playing over the network is not available in this version.");
  } else if (id == "expert") {
    program_.expert = !program_.expert;
  } else if (id == "help.expert") {
    hints_.showExpert(expertGame());
  } else if (const auto players = menuIndex(id, "players.")) {
    ip_Click(*players);
  } else if (const auto limit = menuIndex(id, "sd.")) {
    sd_Click(*limit);
  } else if (const auto game = menuIndex(id, "games.")) {
    chooseVariant(*game);
  } else if (id == "help.rules") {
    openHelp();
  } else if (id.rfind("other.", 0) == 0) {
    for (const auto& group : otherGroups())
      for (const auto& g : group.games)
        if (id == g.id) openOtherGame(g.kind, g.wallLevel);
  } else {
    return false;
  }
  return true;
}

void GameController::openHelp() {
  // The page is looked for in the current directory at the time of the click, then where
  // the program is installed.
  const std::string dir = host_.currentDirectory();
  if (host_.openDocument(dir + "/" + kHelpFile)) return;
  for (const std::string& folder : host_.helpFolders())
    if (host_.openDocument(folder + "/" + kHelpFile)) return;
  Host& host = host_;
  host_.showMessage(kProgramTitle, dir, [&host] {
    host.showMessage("No help", std::string("Krunk plexa help.htm was not found in program directory. "
                                            "Check the Help file online at ") +
                                    kMakerSite);
  });
}

void GameController::openOtherGame(WindowKind target, int wallLevel) {
  if (!host_.windowAvailable(target)) {
    message(std::string(windowTitle(target)) + " is not in this version yet.");
    return;
  }
  if (wallLevel != 0) program_.wallLevel = wallLevel;
  host_.switchWindow(target);
}

}  // namespace kp
