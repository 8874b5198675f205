#pragma once
#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/host.h"

namespace kp {

struct ShownMessage {
  std::string title;
  std::string text;
};

// A host without a toolkit: a virtual clock that only moves when told to, message boxes
// that are answered with OK and recorded, and requests to switch or end noted for the
// owner to carry out once the current event has finished.
class VirtualHost : public Host {
 public:
  void showMessage(const std::string& title, const std::string& text, std::function<void()> onOk) override;
  bool openDocument(const std::string& path) override;
  std::string currentDirectory() override;
  std::vector<std::string> helpFolders() override { return helpFolders_; }
  StepId schedule(int ms, std::function<void()> step) override;
  void cancel(StepId id) override;
  // Work aside runs at once, and done right after it: no virtual time passes, so a script
  // replays exactly as if the work had been done in place.
  StepId runAside(AsideWork work, std::function<void()> done) override;
  std::int64_t nowMs() override { return now_; }
  void switchWindow(WindowKind target) override { pendingSwitch_ = target; }
  bool windowAvailable(WindowKind target) override { return available_ && available_(target); }
  void setWindowAvailability(std::function<bool(WindowKind)> fn) { available_ = std::move(fn); }
  void showAbout() override { aboutOpen_ = true; }
  void quit() override { ended_ = true; }

  // Presses OK on every open message box, oldest first (a box may open another).
  void answerMessages();
  // Runs the next scheduled step due by `until`, moving the clock to it; false if none.
  bool runNextStepBy(std::int64_t until);
  void setClock(std::int64_t ms) { now_ = ms; }
  std::size_t scheduledCount() const { return steps_.size(); }
  // How long until step id is due (0 for a step not scheduled).
  int msLeft(StepId id) const {
    for (const auto& [sid, step] : steps_)
      if (sid == id) return int(std::max<std::int64_t>(0, step.due - now_));
    return 0;
  }

  std::vector<ShownMessage> takeMessages() { return std::exchange(messages_, {}); }
  const std::vector<ShownMessage>& messages() const { return messages_; }
  const std::vector<std::string>& documents() const { return documents_; }
  std::vector<std::string> takeDocuments() { return std::exchange(documents_, {}); }
  std::optional<WindowKind> takeSwitch() { return std::exchange(pendingSwitch_, std::nullopt); }
  bool ended() const { return ended_; }
  bool aboutOpen() const { return aboutOpen_; }
  void closeAbout() { aboutOpen_ = false; }
  void setCurrentDirectory(std::string dir) { currentDirectory_ = std::move(dir); }
  void setHelpFolders(std::vector<std::string> folders) { helpFolders_ = std::move(folders); }

 private:
  struct Step {
    std::int64_t due;
    std::function<void()> fn;
  };
  std::int64_t now_ = 0;
  StepId nextId_ = 1;
  std::vector<std::pair<StepId, Step>> steps_;  // in the order scheduled (ids grow)
  std::vector<ShownMessage> messages_;
  std::vector<std::function<void()>> pendingOk_;
  std::vector<std::string> documents_;
  std::optional<WindowKind> pendingSwitch_;
  std::optional<std::string> currentDirectory_;
  std::vector<std::string> helpFolders_;
  std::function<bool(WindowKind)> available_;
  bool ended_ = false;
  bool aboutOpen_ = false;
};

}  // namespace kp
