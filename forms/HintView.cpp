#include "forms/HintView.h"

#include "controls/sdunit.h"

namespace velmora::HintView {

using namespace toolkit;

THintView::THintView(TForm* form, Moves::TMoves& moves) : TComponent(form), form_(form), moves_(moves) {
  Memo = new TMemo(form);
  Memo->set_ReadOnly(true);
  Memo->set_AccessibleName("提示");
  Memo->set_TabStop(false);  // what it says is told to a screen reader as it comes
  Memo->Font()->set_Height(-12);
  Memo->Font()->set_Color(clWindowText);
  for (auto*& side : Frame) {
    side = new TPanel(form);
    side->set_Parent(moves_.Board);
    side->SetBounds(0, 0, 0, 0);
    side->set_BevelOuter(bvNone);
    side->set_Color(Outline);
    side->set_Visible(false);
  }
}

bool THintView::Press(const Coach::Board& board, bool& Recorded) {
  if (presses_ == 0) {
    hint_ = Coach::NextHint(board);
    presses_ = 1;
    std::string words = hint_.first;
    if (Recorded) words += "\r\n使用提示后，本局不计入排行榜";
    Recorded = false;
    Show(words);
    return false;
  }
  if (presses_ == 1) {
    presses_ = 2;
    TintCells();
    Show(hint_.second.empty() ? hint_.first : hint_.second);
    return false;
  }
  // The third press does the step, as one change of the player's: the next press starts afresh.
  const std::vector<Coach::Change> changes = hint_.changes;
  Clear();
  if (changes.empty()) return Press(board, Recorded);
  moves_.AsOneStep(-1, [&] {
    for (const Coach::Change& change : changes) moves_.Cell(change.cell)->set_Text(change.text);
  });
  // Told whether or not the focus moves: a screen reader whose focus is on the cell already would hear
  // nothing of the change otherwise.
  std::string done = "提示：";
  for (std::size_t i = 0; i < changes.size(); ++i) {
    auto* cell = moves_.Cell(changes[i].cell);
    done += (i ? "；第" : "第") + IntToStr(cell->h()) + "行第" + IntToStr(cell->s()) + "列 " +
            sdunit::Spoken(cell->Text());
  }
  auto* first = moves_.Cell(changes.front().cell);
  if (moves_.Board->Enabled()) first->SetFocus();
  form_->Announce(done);
  return true;
}

void THintView::Show(const std::string& words) {
  Memo->set_Text(words);
  form_->Announce(words);
}

void THintView::SayAgain() {
  if (HasWords()) form_->Announce(Memo->Text());
}

bool THintView::HasWords() const { return !Memo->Text().empty(); }

void THintView::TintCells() {
  for (const Coach::Tint& t : hint_.tints) {
    auto* cell = moves_.Cell(t.cell);
    tinted_.emplace_back(cell, cell->unfoucscolor());
    cell->set_unfoucscolor(Tint);
    if (!cell->error()) cell->set_Color(Tint);
    cell->set_HintPart(t.description);
  }
  if (hint_.target < 0) return;
  auto* target = moves_.Cell(hint_.target);
  const int L = target->Left(), T = target->Top(), W = target->Width(), H = target->Height(), b = 3;
  Frame[0]->SetBounds(L, T, W, b);
  Frame[1]->SetBounds(L, T + H - b, W, b);
  Frame[2]->SetBounds(L, T, b, H);
  Frame[3]->SetBounds(L + W - b, T, b, H);
  for (auto* side : Frame) side->Show();
}

void THintView::Clear() {
  presses_ = 0;
  for (auto [cell, colour] : tinted_) {
    cell->set_unfoucscolor(colour);
    if (!cell->error()) cell->set_Color(colour);
    cell->set_HintPart("");
  }
  tinted_.clear();
  for (auto* side : Frame) side->Hide();
}

void THintView::Reset() {
  Clear();
  Memo->set_Text("");
}

}  // namespace velmora::HintView
