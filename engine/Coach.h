// The coach behind the hint: reads the board as the player sees it and answers with the next thing to
// learn, in three presses: where to look and which technique; the reason, with the cells that make the
// step; the step done. Plain data, so the window only shows it.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "engine/Solver.h"

namespace velmora::Coach {

// One cell as the board shows it. Text: "" for an empty cell, one digit 1..9 for a digit, two or more
// characters for pencil marks (the digits among them); a single character that is no digit 1..9 is an
// empty cell. A clue is a cell of the puzzle; a clue whose text is no digit counts as an empty cell.
struct Cell {
  bool clue = false;
  std::string text;
};
using Board = std::array<Cell, 81>;  // row by row: cell = (row - 1) * 9 + (col - 1)

enum class Kind {
  Step,              // a deduction to learn
  Mistake,           // a digit of the player's, or the pencil marks of a cell, disagree with the solution
  Clash,             // two equal digits in one row, column or box (not among the clues alone)
  NoSolution,        // the clues allow no solution
  SeveralSolutions,  // the clues allow more than one
  Solved,            // every cell holds its digit
};

struct Tint {
  int cell;
  std::string description;  // for a screen reader: "提示：" and the cell's part, e.g. "提示：第5宫里唯一能填7的格"
};

struct Change {
  int cell;
  std::string text;  // the cell's new text
};

struct Hint {
  Kind kind = Kind::Solved;
  std::string first;        // the first press, e.g. "看第5宫：宫摒除" or "有一个数填错了"
  std::string second;       // the second press: the reason, or the cell that is wrong
  std::vector<Tint> tints;  // the second press: the cells to tint, in the order of the reasoning
  int target = -1;          // the second press: the cell to outline, one the third press changes; -1 for none
  // The third press, as one change: the digit placed; or, in every cell the step removes candidates from, its
  // pencil marks without the removed digits, a cell that shows no marks getting its candidates as marks, so
  // the board shows what the step proved (a cell cut to one digit gets that digit, and the reason says so);
  // or a wrong digit or wrong marks cleared. Empty: nothing to do.
  std::vector<Change> changes;
  // The one deduction of a Kind::Step hint.
  Solver::Step step;
};

// The next hint for the board. The order: a puzzle with no or several solutions; digits that clash; a digit
// or marks that disagree with the solution; solved; otherwise the easiest step, found on the clues, the
// player's digits and the player's pencil marks.
Hint NextHint(const Board& board);

// Every candidate in one step: each cell with no digit and no pencil marks gets the digits 1..9 its row,
// column and box leave, as pencil marks. A cell with marks keeps them: they are the player's, and may
// already hold deductions the bare candidates do not. A cell with fewer than two candidates is left
// empty, since one character in a cell is a placed digit, not a mark.
std::vector<Change> AllCandidates(const Board& board);

// The digit in `cell` taken out of the pencil marks of its row, column and box. Marks cut to one digit
// become that digit, as the hint's changes do. Nothing when the cell holds no digit.
std::vector<Change> ClearMarks(const Board& board, int cell);

}  // namespace velmora::Coach
