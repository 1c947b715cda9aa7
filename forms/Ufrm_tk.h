// The puzzle collection: named puzzles from "tk.vlm", a preview of the chosen one, and playing it.
#pragma once
#include "controls/SD33.h"
#include "toolkit/Classes.h"
#include "toolkit/Forms.h"
#include "toolkit/Grids.h"
#include "toolkit/StdCtrls.h"

namespace velmora::Ufrm_tk {

// Reads the collection once, while it is created; afterwards it keeps its title, preview and list
// selection between showings.
class Tfrm_tk : public toolkit::TForm {
 public:
  explicit Tfrm_tk(toolkit::TComponent* AOwner);

  toolkit::TStringGrid* StringGrid1;  // row 0 the header "名称", then the title lines in file order
  toolkit::TStringList Memo1;         // the line store: the whole collection file, line by line
  SD33::TSD33* qp;
  toolkit::TButton* Button1;
  toolkit::TButton* Button2;

  void FormCreate(toolkit::TObject* Sender);
  // Shows the title's block in the preview; every selection is allowed.
  void StringGrid1SelectCell(toolkit::TObject* Sender, int ACol, int ARow, bool& CanSelect);
  // Plays the previewed puzzle as a level 2 game; a cell that is not a digit stops it before anything
  // changes.
  void Button1Click(toolkit::TObject* Sender);
  void Button2Click(toolkit::TObject* Sender);
};

extern Tfrm_tk* frm_tk;

}  // namespace velmora::Ufrm_tk
