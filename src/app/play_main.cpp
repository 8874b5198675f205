// krunkplexa-play: plays a script of user events against the game windows without a
// display and prints what a person would see as one line of JSON per `state`, checking
// every `expect` against it (any that fails is reported and fails the run); also plays
// matches between the computers and checks the Expert against a file of positions.
#include <charconv>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>

#include "core/install_paths.h"
#include "core/window_catalogue.h"
#include "play/match.h"
#include "play/play_session.h"
#include "play/positions.h"

namespace {

// The usage text: on standard output when asked for (--help), else on standard error.
int usage(std::ostream& out = std::cerr) {
  out << "usage: krunkplexa-play [--seed N] [--think-ms N] [--nodes N] [SCRIPT]\n"
               "       krunkplexa-play --match WINDOW:tolva --games N [--seed N] --red PLAYER --blue PLAYER\n"
               "                       [--sublevel 0|1] [--think-ms N] [--nodes N]\n"
               "       krunkplexa-play --positions FILE\n"
               "       krunkplexa-play --list-windows | --help | --version\n"
               "  Reads the script from SCRIPT, or from standard input without it.\n"
               "  Commands, one a line ('#' starts a comment):\n"
               "    launcher N | hover N | open WINDOW | menu A > B | line N | circle N |\n"
               "    region N | button CAPTION | check CAPTION | keypad N | wait MS | state | analyse |\n"
               "    undo | redo | save FILE | load FILE | review | expect FIELD VALUE\n"
               "  It starts, like the program, in the launcher. `analyse` prints the Expert's\n"
               "  answer for the open window's position as Tolva: {\"best\", \"value\", \"exact\",\n"
               "  \"depth\", \"ms\"}.\n"
               "  `undo` and `redo` take back and play again as the Game menu does; `save FILE`\n"
               "  writes the game's record (a .krunk file), `load FILE` opens one as \"Open game...\"\n"
               "  does (refused with the line it goes wrong on); `review` prints the Expert's review\n"
               "  of the game as a JSON list of {\"move\", \"player\", \"line\", \"value_before\",\n"
               "  \"value_after\", \"loss\", \"best\", \"exact\", \"why\", \"turning_point\"}; the\n"
               "  state's \"record\" lists the moves played.\n"
               "  `expect` checks the state as `state` would print it then (taking none of its\n"
               "  messages): FIELD a JSON pointer (/turn_text; quoted as a JSON string where it has\n"
               "  spaces), or #claimed, #lines or #owned (the Lines drawn claimed: how many,\n"
               "  which; the Lines with an owner); VALUE JSON (\"Krunk!\", 60, true, [1, 2]).\n"
               "  A failed expectation is reported with its line, and the run exits with 1.\n"
               "  --match plays N games of Tolva on the board of WINDOW (square, triangular, ...;\n"
               "  Planor for --sublevel 0, Globoria for 1) between PLAYERs expert or standard (the\n"
               "  windows' computer), Red opening the first game, and prints one JSON summary.\n"
               "  --positions analyses every position of FILE (see tests/positions/README.md),\n"
               "  prints a JSON line for each and a summary, and exits with 1 when any differs.\n"
               "  --think-ms N and --nodes N limit the Expert (of `analyse`, the Expert computer and\n"
               "  --match) to N milliseconds of thinking or N positions a move, whichever comes\n"
               "  first (0: no limit). Without them it looks at up to 2000000 positions and takes\n"
               "  the time that needs, so every run replays; with --think-ms alone, time only.\n"
               "  --list-windows prints the name of every game window, one a line.\n";
  return 2;
}

int fail(const std::string& why) {
  std::cerr << "krunkplexa-play: " << why << "\n";
  return 2;
}

bool readSide(const std::string& word, kp::Side& side) {
  if (word != "expert" && word != "standard") return false;
  side = word == "expert" ? kp::Side::Expert : kp::Side::Standard;
  return true;
}

int match(const kp::MatchSettings& settings, const std::string& game) {
  if (game != "tolva") return fail("--match plays tolva only, not '" + game + "'");
  try {
    std::cout << kp::matchJson(settings, kp::playMatch(settings)).dump() << '\n';
  } catch (const std::invalid_argument& e) {
    return fail(e.what());
  }
  return 0;
}

int positions(const std::string& path) {
  std::ifstream file(path);
  if (!file) return fail("cannot read " + path);
  try {
    return kp::checkPositions(kp::readPositions(file), std::cout) == 0 ? 0 : 1;
  } catch (const std::exception& e) {
    return fail(path + ": " + e.what());
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::uint32_t seed = kp::Random::kDefaultSeed;
  std::string path, matchBoard, positionsFile;
  std::map<std::string, std::string> matchOptions;  // --games, --red, --blue, --sublevel
  kp::ExpertLimits expert;                          // the Expert's node budget, as the program's tests have it
  bool nodesGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--seed" && hasValue) {
      try {
        seed = std::uint32_t(std::stoul(argv[++i]));
      } catch (...) {
        return fail("--seed needs a whole number");
      }
    } else if ((arg == "--think-ms" || arg == "--nodes") && hasValue) {
      std::int64_t n = -1;
      const std::string value = argv[++i];
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
      if (error != std::errc() || end != value.data() + value.size() || n < 0 || (arg == "--think-ms" && n > INT32_MAX))
        return fail(arg + " needs a whole number from 0");
      if (arg == "--nodes") {
        expert.nodes = n;
        nodesGiven = true;
      } else {
        expert.thinkMs = int(n);
      }
    } else if (arg == "--match" && hasValue) {
      matchBoard = argv[++i];
    } else if (arg == "--positions" && hasValue) {
      positionsFile = argv[++i];
    } else if ((arg == "--games" || arg == "--red" || arg == "--blue" || arg == "--sublevel") && hasValue) {
      matchOptions[arg] = argv[++i];
    } else if (arg == "--help" || arg == "-h") {
      usage(std::cout);
      return 0;
    } else if (arg == "--list-windows") {
      for (const kp::WindowEntry& row : kp::windowCatalogue()) std::cout << row.name << '\n';
      return 0;
    } else if (arg == "--version" || arg == "-v") {
      std::cout << "krunkplexa-play " KP_VERSION "\n";
      return 0;
    } else if (path.empty() && !arg.empty() && arg[0] != '-') {
      path = arg;
    } else {
      return usage();
    }
  }

  // A time given alone takes the place of the node budget.
  if (expert.thinkMs > 0 && !nodesGiven) expert.nodes = 0;

  if (!positionsFile.empty()) return path.empty() && matchBoard.empty() ? positions(positionsFile) : usage();
  if (!matchBoard.empty()) {
    const auto colon = matchBoard.find(':');
    if (colon == std::string::npos || !path.empty()) return usage();
    kp::MatchSettings settings;
    settings.window = matchBoard.substr(0, colon);
    settings.seed = seed;
    settings.expert = expert;
    const std::string sub = matchOptions.count("--sublevel") ? matchOptions["--sublevel"] : "0";
    if (sub != "0" && sub != "1") return fail("--sublevel is 0 (Planor) or 1 (Globoria)");
    settings.subLevel = sub == "1";
    try {
      std::size_t used = 0;
      settings.games = std::stoi(matchOptions["--games"], &used);
      if (used != matchOptions["--games"].size() || settings.games < 1) throw std::invalid_argument("");
    } catch (...) {
      return fail("--games needs a number of games from 1");
    }
    if (!readSide(matchOptions["--red"], settings.red) || !readSide(matchOptions["--blue"], settings.blue))
      return fail("--red and --blue each need expert or standard");
    return match(settings, matchBoard.substr(colon + 1));
  }
  if (!matchOptions.empty()) return usage();

  std::ifstream file;
  if (!path.empty()) {
    file.open(path);
    if (!file) return fail("cannot read " + path);
  }
  std::istream& in = path.empty() ? std::cin : file;

  std::size_t failed = 0;  // expectations failed, each reported as it fails
  try {
    const auto script = kp::parseScript(in);
    kp::PlaySession session(seed);
    session.program().expertFixed = expert;
    if (nodesGiven || expert.thinkMs > 0) session.setReviewLimits(expert);
    // The help page is found as the installed game finds it.
    session.host().setHelpFolders(kp::installedHelpFolders(kp::runningProgramDir()));
    session.setOnRefused([](const std::string& why) { std::cerr << "krunkplexa-play: refused: " << why << "\n"; });
    for (const auto& cmd : script) {
      if (auto json = session.run(cmd)) std::cout << json->dump() << '\n' << std::flush;
      if (cmd.kind == kp::ScriptCommand::Kind::Expect && session.failedExpectations().size() > failed)
        std::cerr << "krunkplexa-play: " << (path.empty() ? "standard input" : path) << " "
                  << session.failedExpectations()[failed++].describe() << "\n";
    }
  } catch (const kp::ScriptError& e) {
    return fail(e.what());
  }
  return failed == 0 ? 0 : 1;
}
