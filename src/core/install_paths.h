#pragma once
#include <string>
#include <vector>

namespace kp {

// The folders a program in programDir finds its help page in after the current directory:
// its installed data folder (share/krunkplexa beside the bin folder it stands in), then
// programDir itself, where a build keeps a copy.
std::vector<std::string> installedHelpFolders(const std::string& programDir);

// The folder of the running program, or "" when the system cannot tell.
std::string runningProgramDir();

}  // namespace kp
