// The player's moves on a board: each change of a cell's text by the player's hand is recorded, and undo
// and redo play the moves back through the cells' texts, so that every change handler runs as for any
// other change.
#pragma once
#include <string>

#include "controls/sd99.h"
#include "engine/History.h"

namespace velmora::Moves {

class TMoves {
 public:
  sd99::Tsd99* Board = nullptr;  // whose cells' texts are recorded
  History::THistory History;
  // While set, the program is filling the board: changes are followed but not recorded.
  bool Filling = false;

  // A new game on the board as it stands now (see THistory::Clear).
  void Start(bool touched = false);
  // From the change handler of a cell of the board: records the change unless the program made it.
  // True when the change is a step of its own, made by the player's hand.
  bool Changed(sdunit::Tsdunit* cell);
  // Records the cells' changes made inside f as one step (clearing the board, say); f's changes are
  // made as the program's.
  template <class F>
  void AsOneStep(long long clock, F f) {
    History.BeginGroup(clock);
    grouping_ = true;
    f();
    grouping_ = false;
    History.EndGroup();
  }
  // Adds the cells' changes made inside f to the last step recorded, as the program's.
  template <class F>
  void JoinLast(F f) {
    if (!History.CanUndo()) return f();
    History.Reopen();
    grouping_ = true;
    f();
    grouping_ = false;
    History.EndGroup();
  }
  // Take back / bring back one step; nullptr when there is none. The cells get the step's texts.
  const History::TMove* Undo();
  const History::TMove* Redo();
  sdunit::Tsdunit* Cell(int index) const;

 private:
  bool applying_ = false;
  bool grouping_ = false;
};

}  // namespace velmora::Moves
