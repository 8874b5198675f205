#include "shell/game_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QMenuBar>
#include <QMessageBox>
#include <QCheckBox>
#include <QPushButton>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QTimer>
#include <QTimerEvent>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "boards/registry.h"
#include "core/install_paths.h"
#include "shell/board_view.h"
#include "shell/qt_colour.h"
#include "shell/replay_bar.h"
#include "shell/review_window.h"
#include "shell/screen_fit.h"
#include "shell/shell.h"

namespace kp {

// The Sudden Death strip: a marker that slides from full width to nothing as the
// player's time runs out.
class TimerStrip : public QWidget {
 public:
  explicit TimerStrip(QWidget* parent) : QWidget(parent) { setFixedHeight(10); }
  void setFraction(double f) {
    f = std::clamp(f, 0.0, 1.0);
    if (f == fraction_) return;
    fraction_ = f;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), QColor(200, 200, 200));
    const int x = int(width() * fraction_);
    p.fillRect(QRect(0, 0, x, height()), QColor(60, 160, 60));
    p.fillRect(QRect(std::max(0, x - 3), 0, 3, height()), Qt::black);
  }

 private:
  double fraction_ = 1;
};

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

void setTextColour(QLabel* label, Colour c) {
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, toQColor(c));
  label->setPalette(p);
}

}  // namespace

GameWindow::GameWindow(Shell& shell, WindowKind kind)
    : GameWindow(shell, [kind](Host& host, ProgramState& program) { return loadWindow(kind, host, program); }) {}

GameWindow::GameWindow(Shell& shell, const ModelMaker& make) : shell_(shell) {
  setAttribute(Qt::WA_DeleteOnClose);
  controller_ = make(*this, shell.program());
  board_ = new BoardView(*controller_, this);
  buildMenus();
  buildStatusPanel();
  controller_->setOnChanged([this] { refresh(); });
  // The window never gets smaller than its layout needs; the board and the panel scroll
  // where the screen has less room than they want.
  layout()->setSizeConstraint(QLayout::SetMinimumSize);
  // The window opens with room for a finished game's result too (two lines where the board
  // judges by score), so the panel does not take a scroll bar when it shows.
  result_->setText(QStringLiteral(" \n "));
  result_->show();
  const QSize wanted = QSize(940, 660).expandedTo(sizeHint());
  refresh();
  fitToScreen(*this, wanted);
}

GameWindow::~GameWindow() {
  // The model cancels its pending steps through this host, so it goes while the host is whole.
  controller_.reset();
  for (const AsideJob& job : asides_) *job.stop = true;
}

QAction* GameWindow::action(const std::string& id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void GameWindow::buildMenus() {
  std::function<void(QMenu*, const std::vector<MenuEntry>&)> fill = [&](QMenu* menu, const std::vector<MenuEntry>& entries) {
    for (const auto& e : entries) {
      if (e.separator) {
        menu->addSeparator();
        continue;
      }
      if (!e.children.empty()) {
        QMenu* sub = menu->addMenu(q(e.caption));
        actions_[e.id] = sub->menuAction();
        fill(sub, e.children);
        continue;
      }
      QAction* a = menu->addAction(q(e.caption));
      if (e.heading) {
        QFont f = a->font();
        f.setBold(true);
        a->setFont(f);
      }
      a->setCheckable(e.checkable);
      a->setStatusTip(q(e.statusTip));
      if (!e.shortcut.empty()) a->setShortcut(QKeySequence(q(e.shortcut)));
      const std::string id = e.id;
      connect(a, &QAction::triggered, this, [this, id] {
        shownMenus_.clear();  // a checkable entry ticked itself: the menus are written again
        controller_->menuChosen(id);
      });
      actions_[e.id] = a;
    }
  };
  for (const auto& top : controller_->menus().top()) {
    QMenu* menu = menuBar()->addMenu(q(top.caption));
    actions_[top.id] = menu->menuAction();
    fill(menu, top.children);
  }
}

void GameWindow::buildStatusPanel() {
  auto* central = new QWidget(this);
  auto* row = new QHBoxLayout(central);
  // The board keeps its size (a fixed drawing, or a flat board large enough for the grid's
  // numbers) and scrolls in its area where the window has less room.
  row->addWidget(new RoomyScrollArea(board_, QSize(200, 200), false, central), 1);

  auto* panel = new QWidget(central);
  panel->setFixedWidth(300);
  // In its scroll area before its widgets are made, so the keyboard's order is theirs.
  auto* panelArea = new RoomyScrollArea(panel, QSize(0, 200), true, central);
  auto* col = new QVBoxLayout(panel);
  col->setContentsMargins(4, 4, 4, 4);

  // Widgets are made top to bottom, which is also the keyboard's order.
  buildStatusLabels(panel, col);
  buildTimerRow(panel, col);

  keypad_ = buildKeypad(panel);
  col->addWidget(keypad_);

  rounds_ = new QListWidget(panel);
  col->addWidget(rounds_, 1);
  // The status tip of the menu entry pointed at (how a game scores) lies over the top of
  // the rounds list while there is one: a status bar would make every window taller, and
  // a line of the layout would grow a window that has no room to spare.
  statusTip_ = new QLabel(rounds_);
  statusTip_->setObjectName("statusTip");
  statusTip_->setWordWrap(true);
  statusTip_->setFrameShape(QFrame::Box);
  statusTip_->setMargin(3);
  statusTip_->setAutoFillBackground(true);
  statusTip_->setBackgroundRole(QPalette::ToolTipBase);
  statusTip_->setForegroundRole(QPalette::ToolTipText);
  statusTip_->hide();

  buildControls(panel, col);
  // The replay bar stands under the keypad; made last, as its buttons take no focus.
  replayBar_ = new ReplayBar(*controller_, this, panel);
  col->insertWidget(col->indexOf(keypad_) + 1, replayBar_);

  row->addWidget(panelArea);
  setCentralWidget(central);
}

void GameWindow::buildStatusLabels(QWidget* panel, QVBoxLayout* col) {
  QFont big = font();
  big.setPointSize(big.pointSize() + 3);
  big.setBold(true);

  gameCaption_ = new QLabel(panel);
  gameCaption_->setFont(big);
  gameCaption_->setWordWrap(true);  // the cube's longest game names take two lines
  col->addWidget(gameCaption_);

  turnText_ = new QLabel(panel);
  turnText_->setWordWrap(true);
  turnText_->setMinimumHeight(44);
  QFont turnFont = font();
  turnFont.setBold(true);
  turnFont.setPointSize(turnFont.pointSize() + 1);
  turnText_->setFont(turnFont);
  col->addWidget(turnText_);

  col->addLayout(buildScoreGrid(panel, big));

  movesLeft_ = new QLabel(panel);
  col->addWidget(movesLeft_);
  result_ = new QLabel(panel);
  result_->setObjectName("result");
  result_->setFont(big);
  result_->setVisible(false);
  col->addWidget(result_);
  hint_ = new QLabel(panel);
  setTextColour(hint_, kBlue);
  hint_->setWordWrap(true);  // the Expert's hint can run long
  col->addWidget(hint_);
  thinking_ = new QLabel(panel);
  thinking_->setObjectName("thinking");
  setTextColour(thinking_, kBlue);
  thinking_->setVisible(false);
  col->addWidget(thinking_);
  // Most answers come within a few milliseconds: the label would only flicker for them.
  thinkingShown_ = new QTimer(this);
  thinkingShown_->setSingleShot(true);
  thinkingShown_->setInterval(150);
  connect(thinkingShown_, &QTimer::timeout, thinking_, &QWidget::show);
}

QGridLayout* GameWindow::buildScoreGrid(QWidget* panel, const QFont& big) {
  auto* grid = new QGridLayout();
  const char* seats[3] = {" Player 1:", " Player 2:", "Player 3:"};
  for (int i = 0; i < 3; ++i) {
    grid->addWidget(new QLabel(seats[i], panel), i, 0);
    yourTurn_[i] = new QLabel("Your turn", panel);
    setTextColour(yourTurn_[i], i == 0 ? kRed : i == 1 ? kBlue : kBlack);
    grid->addWidget(yourTurn_[i], i, 1);
  }
  auto valueLabel = [&](Colour c) {
    auto* l = new QLabel(panel);
    l->setFont(big);
    setTextColour(l, c);
    return l;
  };
  redPoints_ = valueLabel(kRed);
  bluePoints_ = valueLabel(kBlue);
  redTotal_ = valueLabel(kRed);
  blueTotal_ = valueLabel(kBlue);
  grid->addWidget(new QLabel("Red points", panel), 3, 0);
  grid->addWidget(redPoints_, 3, 1);
  grid->addWidget(new QLabel("Blue points", panel), 4, 0);
  grid->addWidget(bluePoints_, 4, 1);
  redTally_ = valueLabel(kRed);
  blueTally_ = valueLabel(kBlue);
  grid->addWidget(redTally_, 3, 2);
  grid->addWidget(blueTally_, 4, 2);
  redTotalCaption_ = new QLabel("Red total", panel);
  blueTotalCaption_ = new QLabel("Blue total", panel);
  grid->addWidget(redTotalCaption_, 5, 0);
  grid->addWidget(redTotal_, 5, 1);
  grid->addWidget(blueTotalCaption_, 6, 0);
  grid->addWidget(blueTotal_, 6, 1);
  lastMoveCaption_ = new QLabel(panel);
  lastMove_ = new QLabel(panel);
  grid->addWidget(lastMoveCaption_, 7, 0);
  grid->addWidget(lastMove_, 7, 1);
  return grid;
}

void GameWindow::buildTimerRow(QWidget* panel, QVBoxLayout* col) {
  auto* timerRow = new QHBoxLayout();
  timerRow->addWidget(new QLabel("Time left (ms):", panel));
  timerCaption_ = new QLabel(panel);
  // Its text changes ten times a second while a person thinks: at a fixed size the
  // change repaints the label alone instead of laying out the whole panel again.
  timerCaption_->setFixedSize(timerCaption_->fontMetrics().horizontalAdvance(QStringLiteral("-0000000")),
                              timerCaption_->sizeHint().height());
  timerRow->addWidget(timerCaption_);
  timerRow->addStretch(1);
  col->addLayout(timerRow);
  timerStrip_ = new TimerStrip(panel);
  col->addWidget(timerStrip_);
}

void GameWindow::buildControls(QWidget* panel, QVBoxLayout* col) {
  // The controls of one group stand in a row in their frame, captioned by the group.
  QHBoxLayout* row = nullptr;
  std::string group;
  for (const auto& c : controller_->controls()) {
    if (c.onBoard) continue;  // the board view draws it
    if (c.group.empty()) {
      row = nullptr;
    } else if (!row || c.group != group) {
      auto* frame = new QGroupBox(q(c.group), panel);
      row = new QHBoxLayout(frame);
      row->setContentsMargins(4, 2, 4, 2);
      col->addWidget(frame);
    }
    group = c.group;
    QAbstractButton* control = c.checkBox ? static_cast<QAbstractButton*>(new QCheckBox(q(c.caption), panel))
                                          : new QPushButton(q(c.caption), panel);
    control->setToolTip(q(c.tip));
    const std::string id = c.id;
    // The model flips a check box's mark itself; the widget only shows it.
    connect(control, &QAbstractButton::clicked, this, [this, id] { controller_->controlPressed(id); });
    controls_[c.id] = control;
    if (row) row->addWidget(control);
    else col->addWidget(control);
  }
  // Return presses the default button. Qt does that in dialogs only, so the window does it;
  // while the keypad is shown Return is the keypad's.
  for (QKeySequence key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
    auto* shortcut = new QShortcut(key, this);
    shortcut->setEnabled(false);
    connect(shortcut, &QShortcut::activated, this, [this] {
      for (const auto& c : controller_->controls())
        if (c.isDefault && c.visible && c.enabled && !c.checkBox) return controller_->controlPressed(c.id);
    });
    defaultKeys_.push_back(shortcut);
  }
}

QWidget* GameWindow::buildKeypad(QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 4, 0, 4);
  keypadDisplay_ = new QLineEdit(box);
  keypadDisplay_->setReadOnly(true);
  // Typed keys belong to the keypad's shortcuts, wherever the focus is.
  keypadDisplay_->setFocusPolicy(Qt::NoFocus);
  keypadDisplay_->setPlaceholderText("Move number");
  grid->addWidget(keypadDisplay_, 0, 0, 1, 3);
  // Each button has its keys too. The shortcuts belong to the keypad, so they work only
  // while it is shown, and leave the menus' keys alone.
  auto keys = [&](std::initializer_list<QKeySequence> sequences, const std::function<void()>& action) {
    for (const QKeySequence& k : sequences) connect(new QShortcut(k, box), &QShortcut::activated, this, action);
  };
  auto add = [&](const QString& caption, int row, int column, std::initializer_list<QKeySequence> sequences,
                 const std::function<void()>& action) {
    auto* b = new QPushButton(caption, box);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QPushButton::clicked, this, action);
    keys(sequences, action);
    grid->addWidget(b, row, column, 1, caption == "Play move" ? 3 : 1);
    return b;
  };
  for (int d = 0; d <= 9; ++d)
    add(QString::number(d), d == 0 ? 4 : 1 + (d - 1) / 3, d == 0 ? 1 : (d - 1) % 3, {QKeySequence(Qt::Key_0 + d)},
        [this, d] { keypadDisplay_->insert(QString::number(d)); });
  add("Clear", 4, 0, {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::Key_Delete)}, [this] { keypadDisplay_->clear(); });
  add("< back", 4, 2, {QKeySequence(Qt::Key_Backspace)}, [this] { keypadDisplay_->backspace(); });
  add("Play move", 5, 0, {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}, [this] {
    const std::string text = keypadDisplay_->text().toStdString();
    keypadDisplay_->clear();
    controller_->keypadEntered(text);
  })->setObjectName("keypadPlay");
  box->setVisible(false);
  return box;
}

void GameWindow::refresh() {
  const StatusLabels& s = controller_->status();
  if (const QString title = q(controller_->caption()); windowTitle() != title) setWindowTitle(title);
  gameCaption_->setText(q(s.gameCaption));
  turnText_->setText(q(s.turnText));
  setTextColour(turnText_, s.turnColour);
  redPoints_->setText(q(s.redPoints));
  bluePoints_->setText(q(s.bluePoints));
  redTally_->setText(q(s.redTally));
  blueTally_->setText(q(s.blueTally));
  redTotal_->setText(q(s.redTotal));
  blueTotal_->setText(q(s.blueTotal));
  for (QLabel* l : {redTotal_, blueTotal_, redTotalCaption_, blueTotalCaption_}) l->setVisible(s.totalsShown);
  movesLeft_->setText(q(s.movesLeft));
  result_->setText(q(s.result));
  setTextColour(result_, s.resultColour);
  hint_->setText(q(s.hint));
  hint_->setVisible(!s.hint.empty());
  thinking_->setText(q(s.thinking));
  if (s.thinking.empty()) {
    thinkingShown_->stop();
    thinking_->hide();
  } else if (thinking_->isHidden() && !thinkingShown_->isActive()) {
    thinkingShown_->start();
  }
  timerCaption_->setText(q(controller_->timer().caption()));
  timerStrip_->setFraction(controller_->timer().fraction());
  keypad_->setVisible(controller_->keypadShown());
  replayBar_->refresh();
  lastMoveCaption_->setText(q(s.lastMoveCaption));
  lastMove_->setText(q(s.lastMove));
  // Showing a label lays out the panel at once, so the texts are written first: one layout
  // then serves them all, where one written after it would lay the panel out again.
  for (int i = 0; i < 3; ++i) yourTurn_[i]->setVisible(s.yourTurn[i]);
  result_->setVisible(!s.result.empty());

  // The list keeps its entries; only what a finished game added is appended.
  if (rounds_->count() > int(s.rounds.size())) rounds_->clear();
  for (int i = rounds_->count(); i < int(s.rounds.size()); ++i)
    rounds_->addItem(q(s.rounds[i]).replace('\t', QStringLiteral("    ")));

  // Every entry of the tree, walked directly: this runs after every change of the model.
  std::function<void(const std::vector<MenuEntry>&)> sync = [&](const std::vector<MenuEntry>& entries) {
    for (const auto& e : entries) {
      if (e.separator) continue;
      if (QAction* a = action(e.id)) {
        a->setText(q(e.caption));
        a->setVisible(e.visible);
        a->setEnabled(e.enabled && !e.heading);
        if (e.checkable) a->setChecked(e.checked);
      }
      sync(e.children);
    }
  };
  // Written only when the model's menus changed: a turning picture refreshes many times a
  // second with the same menus.
  if (const auto& menus = controller_->menus().top(); menus != shownMenus_) {
    sync(menus);
    shownMenus_ = menus;
  }
  bool hasDefault = false;
  for (const auto& c : controller_->controls()) {
    if (c.onBoard) continue;
    QAbstractButton* control = controls_[c.id];
    control->setVisible(c.visible);
    control->setEnabled(c.enabled);
    if (c.checkBox) control->setChecked(c.checked);
    else static_cast<QPushButton*>(control)->setDefault(c.isDefault);
    hasDefault = hasDefault || (c.isDefault && c.visible && c.enabled && !c.checkBox);
  }
  for (QShortcut* key : defaultKeys_) key->setEnabled(hasDefault && !controller_->keypadShown());
  board_->modelChanged();
  if (review_) review_->gameChanged();
}

void GameWindow::showMessage(const std::string& title, const std::string& text, std::function<void()> onOk) {
  // The board as it stands is on screen before the box opens: a box takes several
  // milliseconds to build, and the Line that ended a game should not wait for it.
  refresh();
  if (isVisible()) repaint();
  auto* box = new QMessageBox(QMessageBox::NoIcon, q(title), q(text), QMessageBox::Ok, this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::ApplicationModal);
  if (onOk) connect(box, &QMessageBox::finished, &shell_, [onOk = std::move(onOk)] { onOk(); });
  box->show();
}

bool GameWindow::openDocument(const std::string& path) {
  const QString file = q(path);
  if (!QFileInfo::exists(file)) return false;
  // Where the desktop's opener starts but cannot show the page, the program shows it in a
  // window of its own; the shell keeps that window, which outlives a switch of game window.
  Shell& shell = shell_;
  return shell_.openUrl(QUrl::fromLocalFile(file), [&shell, file] { shell.showHelp(file); });
}

std::string GameWindow::currentDirectory() { return QDir::currentPath().toStdString(); }

std::vector<std::string> GameWindow::helpFolders() {
  return installedHelpFolders(QCoreApplication::applicationDirPath().toStdString());
}

StepId GameWindow::schedule(int ms, std::function<void()> step) {
  const StepId id = nextStep_++;
  steps_.push_back({id, startTimer(std::max(ms, 0)), std::move(step)});
  return id;
}

StepId GameWindow::runAside(AsideWork work, std::function<void()> done) {
  const StepId id = nextStep_++;
  auto stop = std::make_shared<std::atomic<bool>>(false);
  asides_.push_back({id, stop, std::move(done)});
  shell_.runAside(stop, [this, id, stop, work = std::move(work)] {
    work(*stop);
    // Back on the user-interface thread, where the flag is set: while it is clear this
    // window still stands and wants the answer.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [this, id, stop] { if (!*stop) finishAside(id); }, Qt::QueuedConnection);
  });
  return id;
}

void GameWindow::finishAside(StepId id) {
  const auto it = std::find_if(asides_.begin(), asides_.end(), [id](const AsideJob& j) { return j.id == id; });
  if (it == asides_.end()) return;
  const std::function<void()> done = std::move(it->done);
  asides_.erase(it);
  done();
}

void GameWindow::cancel(StepId id) {
  const auto job = std::find_if(asides_.begin(), asides_.end(), [id](const AsideJob& j) { return j.id == id; });
  if (job != asides_.end()) {
    *job->stop = true;
    asides_.erase(job);
    return;
  }
  const auto it = std::find_if(steps_.begin(), steps_.end(), [id](const PendingStep& s) { return s.id == id; });
  if (it == steps_.end()) return;
  if (it->timerId) killTimer(it->timerId);
  steps_.erase(it);
}

bool GameWindow::event(QEvent* event) {
  if (event->type() != QEvent::StatusTip) return QMainWindow::event(event);
  const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
  statusTip_->setText(tip);
  if (tip.isEmpty()) {
    statusTip_->hide();
  } else {
    statusTip_->setGeometry(0, 0, rounds_->width(), statusTip_->heightForWidth(rounds_->width()));
    statusTip_->show();
  }
  return true;
}

void GameWindow::timerEvent(QTimerEvent* event) {
  const int timerId = event->timerId();
  const auto it =
      std::find_if(steps_.begin(), steps_.end(), [timerId](const PendingStep& s) { return s.timerId == timerId; });
  if (it == steps_.end()) return QMainWindow::timerEvent(event);
  killTimer(timerId);  // a step runs once
  const std::function<void()> step = std::move(it->fn);
  steps_.erase(it);
  step();
}

std::int64_t GameWindow::nowMs() { return shell_.nowMs(); }

void GameWindow::switchWindow(WindowKind target) {
  // The new window opens before this one closes so the program never has no window.
  shell_.openWindow(target);
  close();
}

bool GameWindow::windowAvailable(WindowKind target) { return windowBuilt(target); }

void GameWindow::showAbout() { shell_.showAbout(); }

void GameWindow::openReview() {
  // A second request brings the window up, and reviews the game again where it has changed.
  if (!review_) review_ = new ReviewWindow(shell_, *controller_, this);
  review_->bringUp();
}

void GameWindow::quit() { shell_.quit(); }

}  // namespace kp
