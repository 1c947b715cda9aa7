// The hint in the main window. Three presses of one step of the coach: where to look and which
// technique; the reason, with the step's cells tinted and the cell it changes outlined; the step done, as
// one change of the player's that undo takes back. The words stay in the hint line and can be heard again.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "controls/Moves.h"
#include "engine/Coach.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"

namespace velmora::HintView {

// The hint's colours, none of them the board's own: a warm yellow under the cells of the step, and a
// deep orange round the cell it changes.
constexpr toolkit::TColor Tint = 0x9AF0FF;
constexpr toolkit::TColor Outline = 0x0080F0;

class THintView : public toolkit::TComponent {
 public:
  // The hint line and the outline's four sides, owned by the form; the main window's layout places the
  // line, the outline lies on the board.
  THintView(toolkit::TForm* form, Moves::TMoves& moves);

  toolkit::TMemo* Memo;         // the hint line: the words, where the player looks
  toolkit::TPanel* Frame[4];    // the outline of the target cell: top, bottom, left, right

  // One press on the board as the player sees it. Recorded is the game's record flag: the first hint of a
  // game takes the game out of the records and says so once. True when the press changed the board.
  bool Press(const Coach::Board& board, bool& Recorded);
  // The pending hint and its tint are taken away: the next press starts afresh. The words stay.
  void Clear();
  // Also the words: a new game.
  void Reset();
  // The last words, told again.
  void SayAgain();
  bool HasWords() const;

 private:
  void Show(const std::string& words);
  void TintCells();
  toolkit::TForm* form_;
  Moves::TMoves& moves_;
  Coach::Hint hint_;
  int presses_ = 0;  // of the hint on show: 0 none, 1 where, 2 why, then done
  std::vector<std::pair<sdunit::Tsdunit*, toolkit::TColor>> tinted_;  // with the colour each had
};

}  // namespace velmora::HintView
