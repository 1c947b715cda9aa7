// Sudoku grids, the one-line puzzle form, and the exact solver that counts solutions: the one counter of
// the game's generator and of the collection tool.
#pragma once
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <utility>

namespace velmora::Sudoku {

// 81 cells row by row; 0 is an empty cell, 1..9 a digit.
using Grid = std::array<std::uint8_t, 81>;

inline int RowOf(int cell) { return cell / 9; }
inline int ColOf(int cell) { return cell % 9; }
inline int BoxOf(int cell) { return cell / 27 * 3 + cell % 9 / 3; }

int ClueCount(const Grid& grid);

// The one-line form: 81 characters, '1'..'9' a clue, '0' or '.' an empty cell; blanks around the
// line are allowed. Returns false and explains why in *error when the line is not a puzzle.
bool ParseLine(std::string_view line, Grid& grid, std::string* error = nullptr);
// The one-line form with '0' for empty cells.
std::string FormatLine(const Grid& grid);

// The first pair of clues that clash, e.g. "two 5s in row 3"; empty when the clues agree.
std::string FindConflict(const Grid& grid);

// Counts the solutions, stopping at `limit`: with limit 2 the answer is 0, 1, or 2 for "several".
// The first solution found goes to *solution. Clashing clues give 0.
int CountSolutions(const Grid& grid, int limit, Grid* solution = nullptr);
inline bool HasUniqueSolution(const Grid& grid) { return CountSolutions(grid, 2) == 1; }

// Draws below n, and shuffles, from the generator's raw output. The standard distributions are
// left to each library to define, so using them would make the same seed give other puzzles
// elsewhere; these give the same draws on every platform.
int RandomBelow(std::mt19937& rng, int n);
template <class It>
void Shuffle(It first, It last, std::mt19937& rng) {
  for (auto n = last - first; n > 1; --n) std::swap(first[n - 1], first[RandomBelow(rng, static_cast<int>(n))]);
}

// A complete valid grid drawn at random.
Grid RandomSolvedGrid(std::mt19937& rng);

}  // namespace velmora::Sudoku
