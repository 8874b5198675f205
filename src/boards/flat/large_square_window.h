#pragma once
#include "boards/flat/cell_games_window.h"

namespace kp {

// The large square window: boards of 5 by 5 to 9 by 9 Cells (7 by 7 at open) in a Size
// menu, on Planor or Globoria, opening on Super Krunk Plus.
class LargeSquareWindow : public CellGamesWindow {
 public:
  static constexpr int kSmallest = 5, kLargest = 9, kOpeningSize = 7;

  LargeSquareWindow(Host& host, ProgramState& program);
  int size() const { return size_; }

 protected:
  void onMenu(const std::string& id) override;

 private:
  int size_ = kOpeningSize;
};

}  // namespace kp
