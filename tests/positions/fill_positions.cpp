// kp_fill_positions FILE: prints FILE again with every position's `value` and `best`
// worked out by the brute force.
#include <fstream>
#include <iostream>

#include "play/positions.h"
#include "support/tolva_brute_force.h"

int main(int argc, char** argv) {
  std::ifstream file(argc == 2 ? argv[1] : "");
  if (!file) return std::cerr << "usage: kp_fill_positions FILE\n", 2;
  kp::fillAnswers(file, std::cout, kp::bruteForce);
}
