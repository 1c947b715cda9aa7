// The help window.
#include "forms/Ufrm_help.h"

#include "forms/HelpText.h"
#include "forms/Layout.h"

namespace velmora::Ufrm_help {

using namespace toolkit;

Tfrm_help* frm_help = nullptr;

Tfrm_help::Tfrm_help(TComponent* AOwner) : TForm(AOwner) {
  Layout::Window(this, "帮助", fbsDialog, poScreenCenter, 481, 453);
  // Said as the window opens, before its first line: how to read on.
  set_AccessibleDescription("用上下方向键和翻页键逐行阅读，Esc 关闭");

  // The picture's words, for a screen reader: read-only text under the picture, where the focus is
  // when help opens.
  Memo1 = new TMemo(this);
  Memo1->set_Parent(this);
  Memo1->SetBounds(0, 0, 463, 453);
  Memo1->set_ReadOnly(true);
  Memo1->set_Text(HelpText::Plain());
  Memo1->set_AccessibleName("帮助");
  set_ActiveControl(Memo1);

  Panel1 = new TPanel(this);
  Panel1->set_Parent(this);
  Panel1->SetBounds(0, 0, 463, 453);
  Panel1->set_Align(alLeft);

  Image1 = new TImage(this);
  Image1->set_Parent(Panel1);
  Image1->SetBounds(0, 0, 462, 1601);
  Image1->set_AutoSize(true);
  ScrollBar1 = new TScrollBar(this);
  ScrollBar1->set_Parent(this);
  ScrollBar1->set_Kind(sbVertical);
  ScrollBar1->SetBounds(463, 1, 16, 453);
  ScrollBar1->SetParams(0, 0, 1150);  // 1601 rows of picture in a 453-row panel
  ScrollBar1->set_PageSize(0);
  ScrollBar1->set_SmallChange(1);
  ScrollBar1->set_LargeChange(1);
  ScrollBar1->OnChange = [this](TObject* s) { ScrollBar1Change(s); };
  OnMouseWheel = [this](TObject* s, TShiftState sh, int d, TPoint p, bool& h) { FormMouseWheel(s, sh, d, p, h); };
  OnKeyPress = [this](TObject*, char& Key) {
    if (Key == 27) Close();
  };
  DoCreate();
}

void Tfrm_help::CreateHandle() {
  // A damaged picture shows the error box and leaves the window empty; the game itself goes on.
  Application->Guard([this] { Image1->Picture()->LoadFromResource(HelpPicture); });
  TForm::CreateHandle();
}

void Tfrm_help::ScrollBar1Change(TObject*) { Image1->set_Top(-ScrollBar1->Position()); }

// A notch (120) moves 60 rows of the picture; the bar keeps the position inside its range.
void Tfrm_help::FormMouseWheel(TObject*, TShiftState, int WheelDelta, TPoint, bool& Handled) {
  ScrollBar1->set_Position(ScrollBar1->Position() - WheelDelta / 2);
  Handled = true;
}

}  // namespace velmora::Ufrm_help
