// The about box: product name and version, a request for feedback and the maker's contact lines.
#pragma once
#include "controls/NetLabel.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"

namespace velmora::UAbout {

class Tfrm_about : public toolkit::TForm {
 public:
  explicit Tfrm_about(toolkit::TComponent* AOwner);

  toolkit::TLabel* Label1;
  toolkit::TLabel* Label3;
  toolkit::TLabel* Label4;
  toolkit::TLabel* Label5;
  NetLabel::TNetLabel* NetLabel1;
  toolkit::TEdit* Edit1;
  NetLabel::TNetLabel* NetLabel2;
  toolkit::TEdit* Edit2;
  toolkit::TLabel* Label2;
  toolkit::TEdit* Edit3;
  toolkit::TButton* Button1;

  // Closes the about box.
  void Button1Click(toolkit::TObject* Sender);
};

extern Tfrm_about* frm_about;

}  // namespace velmora::UAbout
