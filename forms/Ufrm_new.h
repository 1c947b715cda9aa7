// The custom-game editor: the player types a puzzle, saves it or plays it at once.
#pragma once
#include <string>

#include "controls/Moves.h"
#include "controls/sd99.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"

namespace velmora::Ufrm_new {

// The board's texts are the editor's only state; they stay between openings until "清除".
class Tfrm_new : public toolkit::TForm {
 public:
  explicit Tfrm_new(toolkit::TComponent* AOwner);

  sd99::Tsd99* sdnew;
  toolkit::TButton* Button1;
  toolkit::TButton* Button2;
  toolkit::TButton* Button3;
  toolkit::TButton* Button4;
  toolkit::TButton* Button5;  // "撤销"
  toolkit::TButton* Button6;  // "重做"
  toolkit::TSaveDialog* SaveDialog1;

  void Button1Click(toolkit::TObject* Sender);
  void Button2Click(toolkit::TObject* Sender);
  void Button3Click(toolkit::TObject* Sender);
  void Button4Click(toolkit::TObject* Sender);
  // Undo and redo of the changes on the editor's board, by these buttons and by Ctrl+Z, Ctrl+Y and
  // Ctrl+Shift+Z in its cells; "清除" is one step.
  void Button5Click(toolkit::TObject* Sender);
  void Button6Click(toolkit::TObject* Sender);

  // The 81 lines of the saved-game file for the board: "1" and the character for a cell holding
  // exactly one character once blanks and control bytes are trimmed, "0" for any other cell.
  void WritePuzzle(const std::string& FileName) const;

 private:
  void CellChanged(sdunit::Tsdunit* cell);
  void CellKeyDown(unsigned short& Key, toolkit::TShiftState Shift);
  void UpdateMoves();
  Moves::TMoves moves;
};

extern Tfrm_new* frm_new;

}  // namespace velmora::Ufrm_new
