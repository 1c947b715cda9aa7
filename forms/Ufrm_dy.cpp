// The print window.
#include "forms/Ufrm_dy.h"

#include <algorithm>
#include <memory>

#include "engine/QJ.h"
#include "forms/Layout.h"
#include "forms/Stats.h"
#include "toolkit/SysUtils.h"

namespace velmora::Ufrm_dy {

using namespace toolkit;
using Layout::Button;
using Layout::Label;

namespace {
const int Counts[] = {1, 2, 4, 6, 8, 12, 24};
const int PerPages[] = {1, 2, 4, 6};

TComboBox* Choice(TForm* f, int left, int top, int width, int tabOrder, const std::string& name,
                  const std::vector<std::string>& items, int chosen) {
  auto* box = Layout::Place(f, new TComboBox(f), left, top, width, 21, tabOrder);
  box->set_AccessibleName(name);
  box->set_Items(items);
  box->set_ItemIndex(chosen);
  return box;
}
}  // namespace

Tfrm_dy::Tfrm_dy(TComponent* AOwner) : TForm(AOwner) {
  Layout::Window(this, "打印", fbsDialog, poScreenCenter, 300, 164);
  //                      left top width height / tab order, caption
  Label1 = Label(this, 12, 15, 60, 13, "打印：");
  What = Choice(this, 76, 12, 212, 0, "打印", {"当前题目（只印已知数）", "当前题目（连同已填的数）", "新题目"}, 0);
  Label2 = Label(this, 12, 45, 60, 13, "新题级别：");
  Level = Choice(this, 76, 42, 212, 1, "新题级别", {"初级", "中级", "高级", "骨灰级"}, 1);
  Label3 = Label(this, 12, 75, 60, 13, "新题数量：");
  Count = Choice(this, 76, 72, 212, 2, "新题数量", {"1", "2", "4", "6", "8", "12", "24"}, 2);
  Label4 = Label(this, 12, 105, 60, 13, "每页题数：");
  PerPage = Choice(this, 76, 102, 212, 3, "每页题数", {"1", "2", "4", "6"}, 0);
  Button1 = Button(this, 64, 132, 75, 25, 4, "打印", [this](TObject*) { set_ModalResult(mrOk); });
  Button2 = Button(this, 160, 132, 75, 25, 5, "取消", [this](TObject*) { set_ModalResult(mrCancel); });
  Button2->set_Cancel(true);
  set_ActiveControl(What);
  What->OnChange = [this](TObject* s) { WhatChange(s); };
  WhatChange(this);
}

// The level and the number belong to new puzzles only.
void Tfrm_dy::WhatChange(TObject*) {
  Level->set_Enabled(NewPuzzles());
  Count->set_Enabled(NewPuzzles());
}

void Tfrm_dy::Choose(int what) {
  What->set_ItemIndex(what);
  WhatChange(this);
}

int Tfrm_dy::ChosenCount() const { return Counts[std::max(0, Count->ItemIndex())]; }
int Tfrm_dy::ChosenPerPage() const { return PerPages[std::max(0, PerPage->ItemIndex())]; }

std::vector<TPrintedPuzzle> NewPuzzles(int Level, int Count) {
  std::unique_ptr<QJ::TQJ> dealer(new QJ::TQJ(nullptr));
  std::vector<TPrintedPuzzle> puzzles;
  for (int n = 1; n <= Count; ++n) {
    dealer->Generate(Level);
    TPrintedPuzzle p;
    p.Title = std::string(Stats::LevelNames[Level]) + " 第" + IntToStr(n) + "题";
    for (int k = 0; k < 81; ++k) {
      const QJ::TNode* node = dealer->Nodes(k / 9 + 1, k % 9 + 1);
      p.Given[k] = node->Given;
      p.Texts[k] = node->Given ? IntToStr(node->Value) : "";
    }
    puzzles.push_back(p);
  }
  return puzzles;
}

}  // namespace velmora::Ufrm_dy
