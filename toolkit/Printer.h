// Printing puzzles through the desktop's print dialog, to any printer or to a PDF file.
//
// Print support is a part of the platform the game rarely needs, so it lies in a module of its own that
// is loaded the first time something is printed, never at start.
#pragma once
#include <array>
#include <string>
#include <vector>

namespace toolkit {

class TForm;

// One puzzle on paper: a title above it (level and number) and the 81 cells row by row, each a digit
// "1".."9" or empty; a clue is printed bold, a player's digit plain. Anything else in a cell (pencil
// marks) is left off the paper.
struct TPrintedPuzzle {
  std::string Title;
  std::array<std::string, 81> Texts;
  std::array<bool, 81> Given{};
};

// Shows the desktop's print dialog over the form (a printer or a PDF file, the paper, the copies) and
// prints the puzzles `PerPage` to a page (1, 2, 4 or 6), in reading order, each centred in an equal
// part of the page: a grid whose box lines are thicker than its cell lines, the digits centred in their
// cells, of one size on A4 and on Letter. False when the player cancels. Raises Exception with the
// reason when the print support cannot be loaded or the printing fails.
bool PrintPuzzles(TForm* Owner, const std::vector<TPrintedPuzzle>& Puzzles, int PerPage);

// Whether the print support is loaded in this run (it is not until the first print).
bool PrintSupportLoaded();

}  // namespace toolkit
