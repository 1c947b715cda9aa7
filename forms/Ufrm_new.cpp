// The custom-game editor.
#include "forms/Ufrm_new.h"

#include "forms/main.h"

namespace velmora::Ufrm_new {

using namespace toolkit;

Tfrm_new* frm_new = nullptr;

// The game reads it back at once and leaves it in place; the next play replaces it.
static const char* const WorkingFile = "dont use this file";

Tfrm_new::Tfrm_new(TComponent* AOwner) : TForm(AOwner) {
  set_Caption("自定义游戏");
  set_BorderStyle(fbsSizeable);
  set_Position(poScreenCenter);
  set_ClientWidth(544);
  set_ClientHeight(453);
  Font()->set_Name("MS Sans Serif");
  Font()->set_Height(-11);

  sdnew = new sd99::Tsd99(this);
  sdnew->set_Parent(this);
  sdnew->SetBounds(5, 5, 441, 441);
  sdnew->set_TabOrder(0);
  struct ButtonRow {
    TButton*& button;
    int top, height;
    const char* caption;
    void (Tfrm_new::*handler)(TObject*);
  };
  //          component  top height caption      handler
  ButtonRow rows[] = {{Button1, 8, 25, "保存", &Tfrm_new::Button1Click},
                      {Button2, 38, 26, "进行游戏", &Tfrm_new::Button2Click},
                      {Button3, 68, 25, "清除", &Tfrm_new::Button3Click},
                      {Button4, 98, 25, "退出", &Tfrm_new::Button4Click}};
  int tabOrder = 1;
  for (auto& row : rows) {
    row.button = new TButton(this);
    row.button->set_Parent(this);
    row.button->SetBounds(456, row.top, 75, row.height);
    row.button->set_TabOrder(tabOrder++);
    row.button->set_Caption(row.caption);
    row.button->OnClick = [this, h = row.handler](TObject* s) { (this->*h)(s); };
  }
  SaveDialog1 = new TSaveDialog(this);
  DoCreate();
}

void Tfrm_new::WritePuzzle(const std::string& FileName) const {
  TStringList lines;
  for (auto* cell : sdnew->Cells) {
    std::string text = Trim(cell->Text());
    lines.Add(text.size() == 1 ? "1" + text : "0");
  }
  lines.SaveToFile(FileName);
}

void Tfrm_new::Button1Click(TObject*) {
  if (!SaveDialog1->Execute()) return;
  WritePuzzle(SaveDialog1->FileName);
}

void Tfrm_new::Button2Click(TObject*) {
  WritePuzzle(WorkingFile);
  main::Form1->LoadGame(WorkingFile);
  Close();
}

void Tfrm_new::Button3Click(TObject*) {
  for (auto* cell : sdnew->Cells) cell->set_Text("");
}

void Tfrm_new::Button4Click(TObject*) { Close(); }

}  // namespace velmora::Ufrm_new
