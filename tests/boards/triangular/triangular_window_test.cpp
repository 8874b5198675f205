// The triangular window's Line computer over whole games. (Its games, Lines, circles,
// sizes, flashes and circle computer are played through in the scenario scripts.)
#include "boards/triangular/triangular_window.h"

#include <gtest/gtest.h>

#include "support/window_model_test.h"

namespace kp {
namespace {

using Win = TriangularWindow;

class TriangularWindowTest : public WindowModelTest {};

// Every computer Line is judged against the board it was chosen on: it closes a triangle
// if one can be closed, else gives no triangle its second side (in Globoria also through
// a partner) if that can be avoided. The person plays by the same rule, lowest Line
// first, so that all three cases come up.
TEST_F(TriangularWindowTest, TheLineComputerClosesFirstThenAvoidsSecondSidesThenTakesAnyLine) {
  for (bool globoria : {false, true}) {
    SCOPED_TRACE(globoria ? "Globoria" : "Planor");
    program.subLevel = globoria ? 1 : 0;
    Win w(host, program);
    w.menuChosen("games." + std::to_string(Win::Tolva));
    w.menuChosen("players.0");
    const BoardGraph& g = w.rules().graph();
    // With Line x and its partner taken back: whether Line l (with its partner) touches a
    // triangle of n sides, and the lowest free Line that does (or does not).
    auto touches = [&](int x, int l, int n) {
      for (int line : {l, g.partner[l]})
        for (int t : line ? g.lineCells[line] : std::vector<int>{}) {
          int sides = 0;
          for (int s : g.cellSides[t]) sides += w.rules().claimed(s) && s != x && s != g.partner[x];
          if (sides == n) return true;
        }
      return false;
    };
    auto first = [&](int x, int n, bool touching) {
      for (int l = 1; l <= 90; ++l)
        if ((!w.rules().claimed(l) || l == x || l == g.partner[x]) && touches(x, l, n) == touching) return l;
      return 0;
    };
    int cases[3] = {};  // computer Lines that closed, stayed safe, had no safe choice
    for (int step = 0; step < 5000 && !w.status().gameOver; ++step) {
      const std::string before = w.status().lastMove;
      std::string person;
      if (!w.moveLock() && w.rules().toMove() == Player::Blue) {
        int l = first(0, 2, true);
        if (!l) l = first(0, 1, false);
        if (!l) l = first(0, -1, false);
        w.lineClicked(l);
        person = "Last move: " + std::to_string(l);
      } else {
        wait(250);
      }
      if (w.status().lastMove == before || w.status().lastMove == person) continue;
      const int l = std::stoi(w.status().lastMove.substr(11));  // the computer's, maybe played at once
      const int closing = first(l, 2, true), safe = first(l, 1, false);
      EXPECT_TRUE(closing ? touches(l, l, 2) : !safe || !touches(l, l, 1)) << "Line " << l;
      ++cases[closing ? 0 : safe ? 1 : 2];
    }
    EXPECT_TRUE(w.status().gameOver && w.rules().claimedLineCount() == 90);
    EXPECT_TRUE(cases[0] && cases[1] && cases[2]) << cases[0] << " " << cases[1] << " " << cases[2];
  }
}

}  // namespace
}  // namespace kp
