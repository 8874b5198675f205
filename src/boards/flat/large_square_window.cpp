#include "boards/flat/large_square_window.h"

#include "boards/flat/square_board.h"

namespace kp {

namespace {

MenuEntry sizeMenu() {
  MenuEntry size{.id = "size", .caption = "Si&ze"};
  for (int n = LargeSquareWindow::kSmallest; n <= LargeSquareWindow::kLargest; ++n) {
    const std::string side = std::to_string(n);
    size.children.push_back({.id = "size." + side,
                             .caption = "&" + side + " x " + side,
                             .checkable = true,
                             .checked = n == LargeSquareWindow::kOpeningSize});
  }
  return size;
}

}  // namespace

LargeSquareWindow::LargeSquareWindow(Host& host, ProgramState& program)
    : CellGamesWindow(host, program, WindowKind::LargeSquare, square::board(kOpeningSize),
                      {.subLevels = true, .boardMenus = {sizeMenu()}, .opening = SuperKrunkPlus}) {
  // The board is chosen before the first move, as the sub-level is.
  setupMenus_.push_back("size");
}

void LargeSquareWindow::onMenu(const std::string& id) {
  const auto n = menuIndex(id, "size.");
  if (!n) return CellGamesWindow::onMenu(id);
  for (int m = kSmallest; m <= kLargest; ++m) menus_.at("size." + std::to_string(m)).checked = m == *n;
  if (*n == size_) return;
  size_ = *n;
  useBoard(square::board(size_));
}

}  // namespace kp
