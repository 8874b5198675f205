// kp_fill_positions [--exact] FILE: prints FILE again with every position's `value` and
// `best` worked out by the brute force, or with --exact by the Expert's exact search with
// no limit (for positions with too many free moves for the brute force).
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "core/expert.h"
#include "play/positions.h"
#include "support/tolva_brute_force.h"

int main(int argc, char** argv) {
  const bool exact = argc == 3 && std::string(argv[1]) == "--exact";
  std::ifstream file(argc == 2 || exact ? argv[argc - 1] : "");
  if (!file) return std::cerr << "usage: kp_fill_positions [--exact] FILE\n", 2;
  if (!exact) return kp::fillAnswers(file, std::cout, kp::bruteForce), 0;
  kp::fillAnswers(file, std::cout, [](const kp::BoardGraph& g, const std::vector<char>& claimed) {
    const auto a = kp::solveTolva(g, claimed, {.nodes = 0});
    if (!a) throw std::logic_error("an unlimited search ended without an answer");
    return std::pair(a->value, a->best);
  });
}
