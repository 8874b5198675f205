#include "core/virtual_host.h"

#include <algorithm>
#include <filesystem>

namespace kp {

void VirtualHost::showMessage(const std::string& title, const std::string& text, std::function<void()> onOk) {
  messages_.push_back({title, text});
  pendingOk_.push_back(std::move(onOk));
}

void VirtualHost::answerMessages() {
  while (!pendingOk_.empty()) {
    auto ok = std::move(pendingOk_.front());
    pendingOk_.erase(pendingOk_.begin());
    if (ok) ok();
  }
}

bool VirtualHost::openDocument(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  documents_.push_back(path);
  return true;
}

std::string VirtualHost::currentDirectory() {
  if (currentDirectory_) return *currentDirectory_;
  std::error_code ec;
  return std::filesystem::current_path(ec).string();
}

StepId VirtualHost::schedule(int ms, std::function<void()> step) {
  const StepId id = nextId_++;
  steps_.emplace_back(id, Step{now_ + std::max(ms, 0), std::move(step)});
  return id;
}

void VirtualHost::cancel(StepId id) {
  const auto it = std::find_if(steps_.begin(), steps_.end(), [id](const auto& s) { return s.first == id; });
  if (it != steps_.end()) steps_.erase(it);
}

StepId VirtualHost::runAside(AsideWork work, std::function<void()> done) {
  const std::atomic<bool> stop{false};
  work(stop);
  done();
  return nextId_++;
}

bool VirtualHost::runNextStepBy(std::int64_t until) {
  // Earliest due first; among equal times the one scheduled first.
  auto next = steps_.end();
  for (auto it = steps_.begin(); it != steps_.end(); ++it)
    if (it->second.due <= until && (next == steps_.end() || it->second.due < next->second.due)) next = it;
  if (next == steps_.end()) return false;
  now_ = std::max(now_, next->second.due);
  auto fn = std::move(next->second.fn);
  steps_.erase(next);
  fn();
  return true;
}

}  // namespace kp
