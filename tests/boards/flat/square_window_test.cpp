// The square window's help page. (Its games, menus and computer are played through in
// the scenario scripts and square_options_test.)
#include "boards/flat/square_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/window_model_test.h"

namespace kp {
namespace {

using SquareWindowTest = WindowModelTest;

TEST_F(SquareWindowTest, HelpOpensFromTheCurrentDirectoryOrExplainsWhereToLook) {
  const auto dir = std::filesystem::temp_directory_path() / "kp-help-test";
  std::filesystem::create_directories(dir);
  std::filesystem::remove(dir / "krunk plexa help.htm");
  host.setCurrentDirectory(dir.string());
  SquareWindow w(host, program);
  w.menuChosen("help.rules");
  host.answerMessages();
  auto shown = host.takeMessages();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, dir.string());
  EXPECT_EQ(shown[1].title, "No help");
  EXPECT_TRUE(shown[1].text.starts_with(
      "Krunk plexa help.htm was not found in program directory. Check the Help file online at "));
  std::ofstream(dir / "krunk plexa help.htm") << "<html></html>";
  w.menuChosen("help.rules");
  EXPECT_TRUE(host.takeMessages().empty());
  EXPECT_EQ(host.takeDocuments(), std::vector<std::string>{(dir / "krunk plexa help.htm").string()});
}

}  // namespace
}  // namespace kp
