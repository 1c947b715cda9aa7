// The help window: one tall picture of the help text, scrolled by a bar beside it.
#pragma once
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/Jpeg.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/StdCtrls.h"

namespace velmora::Ufrm_help {

// Keeps its scroll position between showings. Escape closes it.
class Tfrm_help : public toolkit::TForm {
 public:
  explicit Tfrm_help(toolkit::TComponent* AOwner);

  toolkit::TMemo* Memo1;  // the picture's words as text, under the picture
  toolkit::TPanel* Panel1;
  toolkit::TImage* Image1;
  toolkit::TScrollBar* ScrollBar1;

  // The picture's top follows the bar: position p shows the picture's rows from p down.
  void ScrollBar1Change(toolkit::TObject* Sender);
  // The mouse wheel over the window scrolls the picture through the bar.
  void FormMouseWheel(toolkit::TObject* Sender, toolkit::TShiftState Shift, int WheelDelta,
                      toolkit::TPoint MousePos, bool& Handled);

 protected:
  // The picture is decoded when the window is first built on screen, not at program start.
  void CreateHandle() override;
};

// The help picture compiled into the program.
inline const char* const HelpPicture = ":/help.jpg";

extern Tfrm_help* frm_help;

}  // namespace velmora::Ufrm_help
