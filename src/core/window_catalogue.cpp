#include "core/window_catalogue.h"

#include <stdexcept>

namespace kp {

namespace {
constexpr const char* kTorusTip =
    "A torus of 48 squares, 12 round the ring by 4 round the tube, with no edge; opens on Super Krunk Plus";
const char* const kWallBoards[] = {"Sub-Levels > Krunk The Wall", "Sub-Levels > Krunk a Bigger Wall",
                                   "Sub-Levels > Krunk the Great Wall"};
}  // namespace

const std::vector<WindowEntry>& windowCatalogue() {
  static const std::vector<WindowEntry> rows = {
      {WindowKind::Square, "square", "Beginner's Planor and Globoria", nullptr, 2,
       {{.index = 2, .caption = "Beginner's Planor", .tip = "5 by 5 squares on a flat board; opens on Krunk"},
        {.index = 3,
         .caption = "Beginner's Globoria",
         .tip = "5 by 5 squares; opposite edges joined, left to right and top to bottom; opens on Krunk",
         .subLevel = 1}},
       {{"other.1", "2D - Beginner's Planor and Globoria"}},
       {.scenarios = {"square_options.play", "square_krunk.play", "tolva_planor.play", "tolva_globoria.play",
                      "duarn_planor.play", "duarn_globoria.play", "computer_tolva.play", "sudden_death.play"},
        .games = 7,
        .seeds = {1, 7},
        .computerSeeds = {},
        .joined = 1}},
      {WindowKind::Triangular, "triangular", "Krunk Delvo in Planor and Globoria", nullptr, 2,
       {{.index = 4,
         .caption = " Krunk Delvo in Planor",
         .tip = "A flat hexagon of 54 triangles and 90 lines; opens on Tolva"},
        {.index = 5,
         .caption = "Krunk Delvo in Globoria",
         .tip = "A hexagon of 54 triangles; opposite sides joined, leaving 81 different lines; opens on Tolva",
         .subLevel = 1}},
       {{"other.2", "2D - Krunk Delvo in Planor and Globoria   (Triangular)"}},
       {.scenarios = {"triangular_lines.play", "triangular_circles.play", "triangular_computer.play",
                      "triangular_duarn.play", "triangular_krunk.play", "triangular_line_krunk_computer.play",
                      "openers.play"},
        .games = 6,
        .seeds = {1, 7},
        .computerSeeds = {},
        .joined = 2}},
      {WindowKind::LargeSquare, "largesquare", "Super Krunk Plus", "Planor Plexa 2014 in 2D  -  Super Krunk Plus", 2,
       {{.index = 6,
         .caption = "Super Krunk Plus in Planor and Globoria",
         .tip = "7 by 7 squares (5 by 5 to 9 by 9 in the Size menu) on a flat board; opens on Super Krunk Plus"},
        {.index = 7,
         .caption = "Triangular Globoria",
         .tip = "7 by 7 squares (5 by 5 to 9 by 9 in the Size menu); opposite edges joined; opens on Super Krunk Plus",
         .subLevel = 1}},
       {{"other.3", "2D - Super Krunk Plus in Planor and Globoria"}},
       {.scenarios = {"flat_family.play"},
        .fuzzerBoards = {"Size > 5 x 5", "Size > 6 x 6", "Size > 7 x 7", "Size > 8 x 8", "Size > 9 x 9"},
        .variantBoards = {"Size > 6 x 6", "Size > 9 x 9"},
        .games = 14,
        .seeds = {1, 7},
        .computerSeeds = {7},
        .joined = 7}},
      {WindowKind::House, "house", "Our House", "Planor Plexa 2014 in 2D  -  Our House", 2,
       {{.index = 8,
         .caption = "  1: Our House",
         .tip = "A house of 39 cells: walls and chimney of squares under a roof of 17 triangles; "
                "opens on Super Krunk Plus",
         .highlights = false}},
       {{"other.4", "2D - Secret Level 1- Our House"}},
       {.scenarios = {"flat_family.play"}, .games = 7, .seeds = {1, 7}, .computerSeeds = {}, .joined = 8}},
      {WindowKind::Torus, "torus", "Beyond Globoria - Torus Ferris Donut Wheel",
       "Planor Plexa 2014 in 2D  -  Beyond Globoria (Torus)", 2,
       // 10 is never shown, and opens the torus like 9.
       {{.index = 9, .caption = " 2: Beyond Globoria (Torus)", .tip = kTorusTip, .highlights = false},
        {.index = 10, .caption = "Torus Ferris Donut Wheel", .tip = kTorusTip, .highlights = false}},
       {{"other.5", "2D - Secret Level 2- Beyond Globoria - Torus Ferris Donut Wheel"}},
       {.scenarios = {"flat_family.play"},
        .games = 7,
        .turn = {"<<"},
        .seeds = {1, 7},
        .computerSeeds = {},
        .joined = 9}},
      {WindowKind::Cube, "cube", "Plexa Ultra Squared and Ultra Krunked",
       "Krunk Plexa 2014 in 3D  -  Plexa Ultra Squared and Ultra Krunked", 3,
       {{.index = 30,
         .caption = "Plexa Ultra Squared and Ultra Krunked",
         .tip = "A 3 by 3 by 3 lattice of dots: 54 lines, 36 squares, 8 little cubes; opens on Krunk (Classic)"}},
       {{"other.7", "3D - Plexa Ultra Squared and Ultra Krunked"}},
       {.scenarios = {"cube_lines.play", "cube_circles.play", "openers.play"}, .games = 10, .turn = {"<<"}, .joined = 3}},
      {WindowKind::Wall, "wall", "Krunk the Wall", nullptr, 3,
       {{.index = 31,
         .caption = "Krunk the Wall",
         .tip = "A wall of cubes 3 wide, 2 high and 1 thick: 46 lines, 29 squares; opens on Krunk (Classic)",
         .wallLevel = 1},
        {.index = 32,
         .caption = "Krunk a Bigger Wall",
         .tip = "A wall of cubes 4 wide, 3 high and 1 thick: 82 lines, 55 squares; opens on Krunk (Classic)",
         .wallLevel = 2},
        {.index = 33,
         .caption = "Krunk the Great Wall",
         .tip = "A wall of cubes 6 wide, 4 high and 1 thick: 151 lines, 106 squares; opens on Krunk (Classic)",
         .wallLevel = 3}},
       // The wall window switches its walls in its own Sub-Levels menu.
       {{"other.8", "3D - Krunk the Wall", 1, true},
        {"other.9", "3D - Krunk a Bigger Wall", 2, true},
        {"other.10", "3D - Krunk the Great Wall", 3, false, "3D - Krunk The Walls"}},
       {.scenarios = {"wall.play"},
        .fuzzerBoards = {std::begin(kWallBoards), std::end(kWallBoards)},
        .variantBoards = {std::begin(kWallBoards), std::end(kWallBoards)},
        .games = 30,
        .turn = {"<<"},
        .joined = 10}},
      {WindowKind::Tetrahedron, "tetrahedron", "Krunk Delvo", "Krunk Plexa 2014 in 3D  -  Krunk Delvo", 3,
       {{.index = 100,
         .caption = "Krunk Delvo",
         .tip = "A tetrahedron with its edges halved: 24 lines, 20 triangles, inside ones too; "
                "opens on Krunk (Classic)"}},
       {{"other.11", "3D - Krunk Delvo   (Triangular)"}},
       {.scenarios = {"tetrahedron.play", "openers.play"},
        .variantBoards = {"Sub-levels > Normal original-sized Delvo  (20 grids)",
                          "Sub-levels > New mirror-sized Delvo  (36 grids)"},
        .games = 14,
        .turn = {"<<"},
        .joined = 4}},
      {WindowKind::Wireframe, "wireframe", "Wire Frame", "Quadrion Plexa 2014 in 4D  -  Wire Frame", 4,
       {{.index = 50,
         .caption = "Wire Frame",
         .tip = "A tesseract, the 4D cube: 32 lines, 24 squares, 8 cubes, in a main and an inverse view; "
                "opens on Tolva"}},
       {{"other.4d.11", "4D - Wire Frame"}},
       {.scenarios = {"wireframe.play"},
        .variantBoards = {"Sub-Levels > Normal", "Sub-Levels > 1/2 Level"},
        .games = 12,
        .turn = {"Rotate:>", "^"},
        .joined = 5}},
      {WindowKind::Triangular4d, "triangular4d", "Krunk Delvo in 4D", "Quadrion Plexa 2014 in 4D  -  Krunk Delvo in 4D",
       4,
       {{.index = 51,
         .caption = "Krunk Delvo in 4D",
         .tip = "A 4D tetrahedron (5 corners) with its edges halved: 50 lines, 60 triangles; "
                "opens on Krunk (Classic)"}},
       {{"other.12", "4D - Krunk Delvo in 4D   (Triangular)"}},
       {.scenarios = {"triangular4d.play", "openers.play"}, .games = 7, .turn = {"<<"}, .joined = 11}},
      {WindowKind::Quadrion, "quadrion", "Quadrion Krunk", "Quadrion Plexa 2014 in 4D  -  Quadrion Krunk", 4,
       {{.index = 52,
         .caption = "Quadrion Krunk",
         .tip = "A ring of four tesseracts: 80 lines, 72 squares, 28 cubes; opens on Tolva"}},
       {{"other.13", "4D - Quadrion Krunk"}},
       {.scenarios = {"quadrion.play", "quadrion_games.play"}, .games = 12, .joined = 6}},
  };
  return rows;
}

const WindowEntry& catalogueEntry(WindowKind kind) {
  for (const WindowEntry& row : windowCatalogue())
    if (row.kind == kind) return row;
  throw std::out_of_range("a window kind without its catalogue row");
}

MenuEntry otherGamesMenu(WindowKind shown) {
  static const char* const kGroups[] = {"Planor Plexa 2014 in 2D", "Krunk Plexa 2014 in 3D", "Quadrion Plexa 2014 in 4D"};
  MenuEntry other{.id = "other", .caption = "O&ther Games"};
  for (int d = 2; d <= 4; ++d) {
    if (d > 2) other.children.push_back({.separator = true});
    const std::string group = kGroups[d - 2];
    other.children.push_back({.id = "heading." + group,
                              .caption = group + (catalogueEntry(shown).dimensions == d ? " (THIS VERSION!)" : ""),
                              .enabled = false,
                              .heading = true});
    for (const WindowEntry& row : windowCatalogue()) {
      if (row.dimensions != d) continue;
      const bool its = row.kind == shown;
      for (const OtherGame& g : row.otherGames)
        other.children.push_back({.id = g.id,
                                  .caption = its && g.captionInItsWindow ? g.captionInItsWindow : g.caption,
                                  .checkable = true,
                                  .checked = its,
                                  .enabled = !its,
                                  .visible = !(its && g.hiddenInItsWindow)});
    }
  }
  return other;
}

const OtherGameTarget* otherGameTarget(const std::string& id) {
  static const std::vector<std::pair<std::string, OtherGameTarget>> targets = [] {
    std::vector<std::pair<std::string, OtherGameTarget>> all;
    for (const WindowEntry& row : windowCatalogue())
      for (const OtherGame& g : row.otherGames) all.push_back({g.id, {row.kind, g.wallLevel}});
    return all;
  }();
  for (const auto& [entry, target] : targets)
    if (entry == id) return &target;
  return nullptr;
}

}  // namespace kp
