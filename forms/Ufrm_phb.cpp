// The record table.
#include "forms/Ufrm_phb.h"

#include "forms/Layout.h"
#include "forms/Records.h"

namespace velmora::Ufrm_phb {

using namespace toolkit;
using Layout::Button;
using Layout::Label;


Tfrm_phb::Tfrm_phb(TComponent* AOwner) : TForm(AOwner) {
  Layout::Window(this, "排行榜", fbsDialog, poScreenCenter, 261, 132);
  //                  left top width height caption
  Label1 = Label(this, 24, 16, 50, 13, "初级：");
  Label2 = Label(this, 24, 33, 50, 13, "普通：");
  Label3 = Label(this, 24, 51, 50, 13, "高级：");
  Label4 = Label(this, 24, 69, 50, 13, "骨灰级：");
  s1 = Label(this, 91, 16, 68, 13, Records::DefaultTime);
  s2 = Label(this, 91, 33, 68, 13, Records::DefaultTime);
  s3 = Label(this, 91, 50, 68, 13, Records::DefaultTime);
  s4 = Label(this, 91, 67, 68, 13, Records::DefaultTime);
  m1 = Label(this, 171, 16, 83, 13, Records::DefaultName);
  m2 = Label(this, 171, 33, 83, 13, Records::DefaultName);
  m3 = Label(this, 171, 50, 83, 13, Records::DefaultName);
  m4 = Label(this, 171, 67, 83, 13, Records::DefaultName);
  Button1 = Button(this, 40, 96, 75, 25, 0, "重新计分", [this](TObject* s) { Button1Click(s); });
  Button2 = Button(this, 144, 96, 75, 25, 1, "确定", [this](TObject* s) { Button2Click(s); });
  // The reset asks nothing: a player who dismisses the table with Enter must meet "确定", not it.
  set_ActiveControl(Button2);
  Button2->set_Cancel(true);  // Escape closes the table as 确定 does
  OnCreate = [this](TObject* s) { FormCreate(s); };
  DoCreate();
}

void Tfrm_phb::FormCreate(TObject*) {
  Memo1.LoadFromFile(Records::FileName);
  TLabel* lines[] = {s1, m1, s2, m2, s3, m3, s4, m4};
  for (int i = 0; i < 8; ++i) lines[i]->set_Caption(Memo1.Get(i));
  Describe();
}

// A screen reader reads the table's records as the dialog's description: level, time and name.
void Tfrm_phb::Describe() {
  TLabel* levels[] = {Label1, Label2, Label3, Label4};
  TLabel* times[] = {s1, s2, s3, s4};
  TLabel* names[] = {m1, m2, m3, m4};
  std::string text;
  for (int i = 0; i < 4; ++i)
    text += (i ? "，" : "") + levels[i]->Caption() + times[i]->Caption() + " " + names[i]->Caption();
  set_AccessibleDescription(text);
}

void Tfrm_phb::Button1Click(TObject*) {
  TLabel* lines[] = {s1, m1, s2, m2, s3, m3, s4, m4};
  for (int i = 0; i < 8; ++i) lines[i]->set_Caption(i % 2 == 0 ? Records::DefaultTime : Records::DefaultName);
  Describe();
  Memo1.Clear();
  for (TLabel* label : lines) Memo1.Add(label->Caption());
  TFileLock lock(Records::FileName);  // not in the middle of another copy's new record
  Memo1.SaveToFile(Records::FileName);
}

void Tfrm_phb::Button2Click(TObject*) { Close(); }

}  // namespace velmora::Ufrm_phb
