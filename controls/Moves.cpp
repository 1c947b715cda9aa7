// The player's moves on a board.
#include "controls/Moves.h"

namespace velmora::Moves {

void TMoves::Start(bool touched) {
  History.Clear(touched);
  // The texts followed are the board's already, but for a board filled before it was followed; a
  // cell of a huge text is not copied again.
  for (int k = 0; k < 81; ++k)
    if (texts_[k] != Cell(k)->Text()) texts_[k] = Cell(k)->Text();
}

sdunit::Tsdunit* TMoves::Cell(int index) const { return Board->Cells(index / 9 + 1, index % 9 + 1); }

bool TMoves::Changed(sdunit::Tsdunit* cell) {
  int k = 0;
  while (k < 81 && Cell(k) != cell) ++k;
  if (k == 81) return false;
  std::string before = std::move(texts_[k]);
  texts_[k] = cell->Text();
  const bool own = !grouping_ && !Filling && !applying_ && before != texts_[k];
  if (grouping_ || own) History.Record(k, before, texts_[k]);
  return own;
}

const History::TMove* TMoves::Undo() {
  if (!History.CanUndo()) return nullptr;
  const History::TMove& move = History.Undo();
  applying_ = true;
  for (auto c = move.Changes.rbegin(); c != move.Changes.rend(); ++c) Cell(c->Cell)->set_Text(c->Before);
  applying_ = false;
  return &move;
}

const History::TMove* TMoves::Redo() {
  if (!History.CanRedo()) return nullptr;
  const History::TMove& move = History.Redo();
  applying_ = true;
  for (const auto& c : move.Changes) Cell(c.Cell)->set_Text(c.After);
  applying_ = false;
  return &move;
}

}  // namespace velmora::Moves
