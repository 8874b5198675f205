#include "core/install_paths.h"

#include <filesystem>
#include <system_error>

// The data folder as seen from the bin folder, set by the build from the install layout.
#ifndef KP_DATA_FROM_BIN
#define KP_DATA_FROM_BIN "../share/krunkplexa"
#endif

namespace kp {

std::vector<std::string> installedHelpFolders(const std::string& programDir) {
  if (programDir.empty()) return {};
  const std::filesystem::path dir(programDir);
  std::string data = (dir / KP_DATA_FROM_BIN).lexically_normal().string();
  if (data.size() > 1 && data.back() == '/') data.pop_back();
  if (data == programDir) return {programDir};
  return {data, programDir};
}

std::string runningProgramDir() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.parent_path().string();
}

}  // namespace kp
