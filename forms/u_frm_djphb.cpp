// The new-record dialog.
#include "forms/u_frm_djphb.h"

#include "forms/Records.h"
#include "forms/main.h"

namespace velmora::u_frm_djphb {

using namespace toolkit;

Tfrm_djphb* frm_djphb = nullptr;

namespace {
TLabel* CentredLabel(TForm* f, int l, int t, int w, int h, const std::string& caption) {
  auto* label = new TLabel(f);
  label->set_Parent(f);
  label->set_AutoSize(false);
  label->SetBounds(l, t, w, h);
  label->set_Alignment(taCenter);
  label->set_Caption(caption);
  return label;
}
}  // namespace

Tfrm_djphb::Tfrm_djphb(TComponent* AOwner) : TForm(AOwner) {
  set_BorderStyle(fbsNone);
  set_Position(poDesigned);
  SetBounds(382, 164, 173, 155);
  Font()->set_Name("MS Sans Serif");
  Font()->set_Height(-11);
  //                           left top width height caption
  Label1 = CentredLabel(this, 5, 8, 150, 14, "已破初级记录");
  Label_sj = CentredLabel(this, 5, 30, 150, 14, "已破初级记录");
  Label2 = CentredLabel(this, 6, 53, 150, 14, "请留下尊姓大名");
  Edit1 = new TEdit(this);
  Edit1->set_Parent(this);
  Edit1->SetBounds(31, 91, 121, 21);
  Edit1->set_TabOrder(1);
  Edit1->set_Text("佚名");
  Button1 = new TButton(this);
  Button1->set_Parent(this);
  Button1->SetBounds(52, 120, 75, 25);
  Button1->set_TabOrder(0);
  Button1->set_Caption("确定");
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  OnKeyPress = [this](TObject* s, char& k) { FormKeyPress(s, k); };
  DoCreate();
}

void Tfrm_djphb::Button1Click(TObject*) {
  Memo1.Clear();
  Memo1.LoadFromFile(Records::FileName);
  int level = main::Form1->sd991->nd;
  if (level >= 1 && level <= 4) {
    std::string name = Trim(Edit1->Text()).empty() ? std::string(Records::DefaultName) : Edit1->Text();
    Records::PutRecord(Memo1, level, Label_sj->Caption(), name);
    Memo1.SaveToFile(Records::FileName);
  }
  Close();
}

void Tfrm_djphb::FormKeyPress(TObject*, char& Key) {
  if (Key == 27) Close();
}

}  // namespace velmora::u_frm_djphb
