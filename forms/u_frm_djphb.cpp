// The new-record dialog.
#include "forms/u_frm_djphb.h"

#include "forms/Layout.h"
#include "forms/Records.h"
#include "forms/main.h"

namespace velmora::u_frm_djphb {

using namespace toolkit;

Tfrm_djphb* frm_djphb = nullptr;


Tfrm_djphb::Tfrm_djphb(TComponent* AOwner) : TForm(AOwner) {
  Layout::Window(this, "", fbsNone, poDesigned, 173, 155);
  SetBounds(382, 164, 173, 155);  // a fixed place on the screen
  //                           left top width height caption
  Label1 = Layout::Label(this, 5, 8, 150, 14, "已破初级记录", taCenter);
  Label_sj = Layout::Label(this, 5, 30, 150, 14, "已破初级记录", taCenter);
  Label2 = Layout::Label(this, 6, 53, 150, 14, "请留下尊姓大名", taCenter);
  Edit1 = Layout::Place(this, new TEdit(this), 31, 91, 121, 21, 1);
  Edit1->set_Text("佚名");
  Button1 = Layout::Button(this, 52, 120, 75, 25, 0, "确定", [this](TObject* s) { Button1Click(s); });
  OnKeyPress = [this](TObject* s, char& k) { FormKeyPress(s, k); };
  // The dialog opens with the focus in the name box, its name selected to be typed over; Enter
  // there stores as 确定 does.
  set_ActiveControl(Edit1);
  // A screen reader hears each thing once: the dialog by the record beaten and the time, the box by
  // the request above it, then the name in it, selected.
  Edit1->set_AccessibleName(Label2->Caption());
  OnShow = [this](TObject*) {
    set_AccessibleDescription(Label1->Caption() + "，" + Label_sj->Caption());
    Edit1->SelectAll();
  };
  Edit1->OnKeyPress = [this](TObject*, char& k) {
    if (k != 13) return;
    k = 0;
    Button1Click(this);
  };
  DoCreate();
}

void Tfrm_djphb::Button1Click(TObject*) {
  int level = main::Form1->sd991->nd;
  if (level >= 1 && level <= 4 && !Records::StoreRecord(Memo1, level, Label_sj->Caption(), Edit1->Text()))
    ShowMessage("这项记录刚被刷新为" + Memo1.Get(2 * level - 2) + "（" + Memo1.Get(2 * level - 1) +
                "），你的成绩没有超过它，未能记入。");
  Close();
}

void Tfrm_djphb::FormKeyPress(TObject*, char& Key) {
  if (Key != 27) return;
  Key = 0;
  StoreAndClose();
}

void Tfrm_djphb::CloseRequested() { StoreAndClose(); }

void Tfrm_djphb::StoreAndClose() {
  try {
    Button1Click(this);
  } catch (const Exception& e) {
    Application->ShowException(e.Message);
    Close();
  }
}

}  // namespace velmora::u_frm_djphb
