#pragma once
#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>
#include <vector>

#include "core/game_controller.h"
#include "core/host.h"

class QAbstractButton;
class QAction;
class QFont;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QShortcut;
class QTimer;
class QVBoxLayout;

namespace kp {

class BoardView;
class ReplayBar;
class TimerStrip;
class Shell;
class ReviewWindow;

// The one frame of every game window: the menu bar built from the window's menu model,
// the status labels, the board view. It is also the host of its window's model: message
// boxes, timers and window switches go through it, and die with it.
class GameWindow : public QMainWindow, public Host {
  Q_OBJECT
 public:
  GameWindow(Shell& shell, WindowKind kind);
  // A window around a model made elsewhere (a board built for a check).
  using ModelMaker = std::function<std::unique_ptr<GameController>(Host&, ProgramState&)>;
  GameWindow(Shell& shell, const ModelMaker& make);
  ~GameWindow() override;

  GameController& controller() { return *controller_; }
  BoardView* boardView() const { return board_; }
  QAction* action(const std::string& id) const;

  // Host
  void showMessage(const std::string& title, const std::string& text, std::function<void()> onOk) override;
  bool openDocument(const std::string& path) override;
  std::string currentDirectory() override;
  std::vector<std::string> helpFolders() override;
  StepId schedule(int ms, std::function<void()> step) override;
  void cancel(StepId id) override;
  // On the shell's worker threads; the answer comes back as a queued call.
  StepId runAside(AsideWork work, std::function<void()> done) override;
  std::int64_t nowMs() override;
  void switchWindow(WindowKind target) override;
  bool windowAvailable(WindowKind target) override;
  void showAbout() override;
  // A .krunk file chosen through the shell (Shell::chooseRecordFile): written as UTF-8,
  // or read, checked and opened in its window as Other Games opens one.
  void saveRecord(const std::string& text) override;
  void openRecord() override;
  // The Expert's review in a window of its own: one for this window, brought up when it is open.
  void openReview() override;
  void quit() override;

 protected:
  // A status tip (a menu entry pointed at) shows over the rounds list.
  bool event(QEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  void buildMenus();
  // The panel beside the board, top to bottom: the status labels, the timer, the keypad,
  // the finished rounds and the model's controls.
  void buildStatusPanel();
  // The game caption, the turn text, the score grid and the moves left.
  void buildStatusLabels(QWidget* panel, QVBoxLayout* col);
  // Each seat's "Your turn", the points and totals, the last move.
  QGridLayout* buildScoreGrid(QWidget* panel, const QFont& big);
  void buildTimerRow(QWidget* panel, QVBoxLayout* col);
  void buildControls(QWidget* panel, QVBoxLayout* col);
  QWidget* buildKeypad(QWidget* parent);
  void refresh();

  Shell& shell_;
  // Scheduled steps run from the window's own timer events: no timer object is made
  // for each of them (the move timer schedules one every tenth of a second).
  struct PendingStep {
    StepId id;
    int timerId;
    std::function<void()> fn;
  };
  std::vector<PendingStep> steps_;
  // Work aside whose answer is still wanted: its flag stops the work, and the answer is
  // dropped once it is set (it is set only here, on the user-interface thread).
  struct AsideJob {
    StepId id;
    std::shared_ptr<std::atomic<bool>> stop;
    std::function<void()> done;
  };
  std::vector<AsideJob> asides_;
  void finishAside(StepId id);
  StepId nextStep_ = 1;
  std::map<std::string, QAction*> actions_;
  BoardView* board_ = nullptr;
  QLabel* gameCaption_ = nullptr;
  QLabel* turnText_ = nullptr;
  QLabel* yourTurn_[3] = {};
  QLabel* redPoints_ = nullptr;
  QLabel* bluePoints_ = nullptr;
  QLabel* redTally_ = nullptr;   // the points tally beside the points, where a board keeps one
  QLabel* blueTally_ = nullptr;
  QLabel* redTotal_ = nullptr;
  QLabel* redTotalCaption_ = nullptr;
  QLabel* blueTotalCaption_ = nullptr;
  QLabel* blueTotal_ = nullptr;
  QLabel* movesLeft_ = nullptr;
  QLabel* result_ = nullptr;  // the finished game's result, until the next game starts
  QLabel* hint_ = nullptr;
  QLabel* thinking_ = nullptr;
  QTimer* thinkingShown_ = nullptr;  // the label comes up only for a search that takes a while
  QLabel* lastMoveCaption_ = nullptr;
  QLabel* lastMove_ = nullptr;
  QListWidget* rounds_ = nullptr;
  QLabel* timerCaption_ = nullptr;
  TimerStrip* timerStrip_ = nullptr;
  QWidget* keypad_ = nullptr;
  QLabel* statusTip_ = nullptr;
  QLineEdit* keypadDisplay_ = nullptr;
  ReplayBar* replayBar_ = nullptr;
  std::map<std::string, QAbstractButton*> controls_;  // by id
  std::vector<QShortcut*> defaultKeys_;  // Return and Enter: the default button
  // Declared last so the model goes first and cancels its steps while the timers exist.
  std::unique_ptr<GameController> controller_;
  // The menus as the actions show them now.
  std::vector<MenuEntry> shownMenus_;
  QPointer<ReviewWindow> review_;
};

}  // namespace kp
