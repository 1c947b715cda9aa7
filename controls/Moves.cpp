// The player's moves on a board.
#include "controls/Moves.h"

namespace velmora::Moves {

void TMoves::Start(bool touched) { History.Clear(touched); }

sdunit::Tsdunit* TMoves::Cell(int index) const { return Board->Cells(index / 9 + 1, index % 9 + 1); }

// The change is taken from the cell's text and the text it had just before: no copy of a cell's text
// is kept besides the cell's own.
bool TMoves::Changed(sdunit::Tsdunit* cell) {
  if (!grouping_ && (Filling || applying_)) return false;
  int k = 0;
  while (k < 81 && Cell(k) != cell) ++k;
  if (k == 81) return false;
  History.Record(k, cell->TextBefore(), cell->Text());
  return !grouping_;
}

const History::TMove* TMoves::Undo() {
  if (!History.CanUndo()) return nullptr;
  const History::TMove& move = History.Undo();
  applying_ = true;
  for (auto c = move.Changes.rbegin(); c != move.Changes.rend(); ++c)
    Cell(c->Cell)->set_Text(c->Undone(Cell(c->Cell)->Text()));
  applying_ = false;
  return &move;
}

const History::TMove* TMoves::Redo() {
  if (!History.CanRedo()) return nullptr;
  const History::TMove& move = History.Redo();
  applying_ = true;
  for (const auto& c : move.Changes) Cell(c.Cell)->set_Text(c.Redone(Cell(c.Cell)->Text()));
  applying_ = false;
  return &move;
}

}  // namespace velmora::Moves
