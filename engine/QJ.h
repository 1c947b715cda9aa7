// The puzzle in play: the current solved grid, the 81 cell records, the generator and the candidate list.
#pragma once
#include <string>

#include "engine/Sudoku.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Grid9.h"

namespace velmora::QJ {

// One cell of the puzzle in play. All fields are zero until the first puzzle is generated or loaded.
// For a cell that is not given, Value means nothing to any reader.
class TNode : public toolkit::TObject {
 public:
  int Row = 0;
  int Col = 0;
  int Value = 0;
  bool Given = false;
};

// The engine component: a panel of 35 x 35 that is never shown. It owns the 81 nodes (made row by row
// in the constructor, never replaced) and keeps the solved grid from which every puzzle is cut.
class TQJ : public toolkit::TPanel {
 public:
  explicit TQJ(toolkit::TComponent* AOwner);
  ~TQJ() override;

  toolkit::Grid9<int> Solution;
  toolkit::Grid9<TNode*> Nodes;

  // Writes the base grid into Solution; the constructor's last step.
  void LoadBaseGrid();
  // Applies Steps random validity-keeping transformations to Solution; nothing when Steps <= 0.
  void Shuffle(int Steps);
  // A new puzzle of level 1..4 in Nodes, with exactly one solution: draws how many cells to open,
  // shuffles 1000 steps, makes every node a clue of the solved grid, then opens up to that many distinct
  // random cells whose opening keeps the solution unique (at levels 3 and 4 with the ladder in mind, see
  // OpenCells). A deal that does not fit its level is dealt again. The levels climb a ladder of techniques,
  // by the hardest one the logic solver needs: level 1 naked singles, level 2 singles, level 3 locked
  // candidates or a naked or hidden subset, level 4 more than those but never a forcing chain. Another
  // level raises EInvalidOperation before anything is drawn or changed.
  void Generate(int Level);
  // One deal of Generate: the count, the shuffle and the opening, never dealt again; the same check of
  // the level.
  void Deal(int Level);
  void NewEasy() { Generate(1); }
  void NewMedium() { Generate(2); }
  void NewHard() { Generate(3); }
  void NewExpert() { Generate(4); }

  // The digits, ascending, that the clues of the cell's row, column and box leave for the cell; only
  // clues count, never the player's entries. For a given cell: every digit but its own clue's.
  std::string Candidates(int row, int col) const;

 private:
  void OpenCells(int toOpen, int Level);
  // Whether the puzzle asks what its level means, by the hardest technique the logic solver needs:
  // -1 less, 0 just that, 1 more.
  static int Asks(const Sudoku::Grid& puzzle, int Level);
  // Whether the puzzle in Nodes asks what its level means.
  bool FitsLevel(int Level) const;
};

}  // namespace velmora::QJ
