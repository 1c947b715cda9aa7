// The new-record dialog: the beaten record, the time, and a box for the player's name.
#pragma once
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"

namespace velmora::u_frm_djphb {

class Tfrm_djphb : public toolkit::TForm {
 public:
  explicit Tfrm_djphb(toolkit::TComponent* AOwner);

  toolkit::TLabel* Label1;
  toolkit::TLabel* Label_sj;
  toolkit::TLabel* Label2;
  toolkit::TEdit* Edit1;
  toolkit::TButton* Button1;
  toolkit::TStringList Memo1;  // the line store of the record file

  // Stores the time and the name as the record of the level of the game just completed, then closes.
  void Button1Click(toolkit::TObject* Sender);
  // Escape stores the record as the button does. When storing fails, the error box is shown and the
  // dialog closes all the same, so a record file that cannot be written never traps the player.
  void FormKeyPress(toolkit::TObject* Sender, char& Key);
  // A close request from the window manager is the dialog's only way out too: it does as Escape does.
  void CloseRequested() override;

 private:
  void StoreAndClose();
};

extern Tfrm_djphb* frm_djphb;

}  // namespace velmora::u_frm_djphb
