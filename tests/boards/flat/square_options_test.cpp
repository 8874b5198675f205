// The keypad and the help page on the square window. (Sudden Death, the computer's pauses, Duarn's two
// players and New game during a pause are played through in the scenario scripts; the
// computer's games to their end by the window fuzzer.)
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "boards/flat/square_window.h"
#include "core/install_paths.h"
#include "core/program_state.h"
#include "core/virtual_host.h"

namespace kp {
namespace {

TEST(SquareOptions, TheKeypadPlaysWhatAClickWouldAndExplainsBadEntries) {
  // message: nullptr: played
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"games.0", "", "Enter the number of a line first (1 to 60)."},
      {"games.0", "0", "There is no line 0 on this board (1 to 60)."},
      {"games.0", "61", "There is no line 61 on this board (1 to 60)."},
      {"games.0", "123", "The numbers of this board have at most 2 digits (1 to 60)."},
      {"games.0", "7a", "A move is entered as a number (1 to 60)."},
      {"games.0", "07", nullptr},
      {"games.2", "26", "There is no circle 26 on this board (1 to 25)."},
      {"games.2", "13", nullptr},
  };
  for (const auto& [variant, text, message] : cases) {
    SCOPED_TRACE(std::string(variant) + " '" + text + "'");
    VirtualHost host;
    ProgramState program;
    SquareWindow w(host, program);
    w.menuChosen(variant);
    w.keypadEntered(text);
    std::vector<std::string> texts;
    for (auto& m : host.takeMessages()) texts.push_back(m.text);
    EXPECT_EQ(texts, message ? std::vector<std::string>{message} : std::vector<std::string>{});
    EXPECT_EQ(w.rules().claimedLineCount() > 0, message == nullptr);
  }
}

TEST(SquareOptions, HelpOpensFromTheFirstFolderThatHasItOrExplainsWhereToLook) {
  // The current directory, the installed data folder, the program's folder: which hold the
  // page, and which one it opens from (-1: none, the two boxes instead).
  const std::pair<std::array<bool, 3>, int> cases[] = {
      {{true, true, true}, 0}, {{false, true, true}, 1}, {{false, false, true}, 2}, {{false, false, false}, -1}};
  const auto root = std::filesystem::temp_directory_path() / "kp-help-test";
  const std::filesystem::path bin = root / "bin";
  const std::filesystem::path dirs[] = {root / "cwd", installedHelpFolders(bin.string()).front(), bin};
  for (const auto& [holds, opened] : cases) {
    SCOPED_TRACE(opened);
    for (int i = 0; i < 3; ++i) {
      std::filesystem::create_directories(dirs[i]);
      std::filesystem::remove(dirs[i] / kHelpFile);
      if (holds[i]) std::ofstream(dirs[i] / kHelpFile) << "<html></html>";
    }
    VirtualHost host;
    ProgramState program;
    host.setCurrentDirectory(dirs[0].string());
    host.setHelpFolders(installedHelpFolders(bin.string()));
    SquareWindow w(host, program);
    w.menuChosen("help.rules");
    host.answerMessages();
    const auto shown = host.takeMessages();
    if (opened >= 0) {
      EXPECT_TRUE(shown.empty());
      EXPECT_EQ(host.takeDocuments(), std::vector<std::string>{(dirs[opened] / kHelpFile).string()});
      continue;
    }
    EXPECT_TRUE(host.takeDocuments().empty());
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, dirs[0].string());
    EXPECT_EQ(shown[1].title, "No help");
    EXPECT_TRUE(shown[1].text.starts_with(
        "Krunk plexa help.htm was not found in program directory. Check the Help file online at "));
  }
}

}  // namespace
}  // namespace kp
