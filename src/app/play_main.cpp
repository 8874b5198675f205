// krunkplexa-play: plays a script of user events against the game windows without a
// display and prints what a person would see as one line of JSON per `state`.
#include <fstream>
#include <iostream>
#include <string>

#include "play/play_session.h"

namespace {

int usage() {
  std::cerr << "usage: krunkplexa-play [--seed N] [SCRIPT]\n"
               "  Reads the script from SCRIPT, or from standard input without it.\n"
               "  Commands, one a line ('#' starts a comment):\n"
               "    launcher N | hover N | open WINDOW | menu A > B | line N | circle N |\n"
               "    button CAPTION | wait MS | state | analyse\n"
               "  It starts, like the program, in the launcher. `analyse` prints the Expert's\n"
               "  answer for the open window's position as Tolva: {\"best\", \"value\", \"exact\"}.\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::uint32_t seed = kp::Random::kDefaultSeed;
  std::string path;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--seed" && i + 1 < argc) {
      try {
        seed = std::uint32_t(std::stoul(argv[++i]));
      } catch (...) {
        std::cerr << "krunkplexa-play: --seed needs a whole number\n";
        return 2;
      }
    } else if (arg == "--help" || arg == "-h") {
      usage();
      return 0;
    } else if (path.empty() && !arg.empty() && arg[0] != '-') {
      path = arg;
    } else {
      return usage();
    }
  }

  std::ifstream file;
  if (!path.empty()) {
    file.open(path);
    if (!file) {
      std::cerr << "krunkplexa-play: cannot read " << path << "\n";
      return 2;
    }
  }
  std::istream& in = path.empty() ? std::cin : file;

  try {
    const auto script = kp::parseScript(in);
    kp::PlaySession session(seed);
    session.setOnRefused([](const std::string& why) { std::cerr << "krunkplexa-play: refused: " << why << "\n"; });
    for (const auto& cmd : script)
      if (auto json = session.run(cmd)) std::cout << json->dump() << '\n' << std::flush;
  } catch (const kp::ScriptError& e) {
    std::cerr << "krunkplexa-play: " << e.what() << "\n";
    return 2;
  }
  return 0;
}
