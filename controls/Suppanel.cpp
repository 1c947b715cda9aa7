// The candidate pop-up: its eleven boxes, the hit test, the candidate string and the painting.
#include "controls/Suppanel.h"

#include "toolkit/SysUtils.h"

namespace velmora::Suppanel {

using namespace toolkit;

namespace {
struct Edges {
  int Left, Top, Right, Bottom;
};
// A label box is 23 pixels across and 15 down, a digit box 15 each way; one pixel apart.
constexpr Edges kLabelBoxes[2] = {
    {1, 1, 24, 16},   // 10 "N"
    {25, 1, 48, 16},  // 11 "H"
};
constexpr Edges kDigitBoxes[9] = {
    {1, 17, 16, 32}, {17, 17, 32, 32}, {33, 17, 48, 32},  // 1 2 3
    {1, 33, 16, 48}, {17, 33, 32, 48}, {33, 33, 48, 48},  // 4 5 6
    {1, 49, 16, 64}, {17, 49, 32, 64}, {33, 49, 48, 64},  // 7 8 9
};

void Place(TRect* box, const Edges& e) {
  box->Left = e.Left;
  box->Top = e.Top;
  box->Right = e.Right;
  box->Bottom = e.Bottom;
}
}  // namespace

TSuppanel::TSuppanel(TComponent* AOwner) : TPanel(AOwner) {
  set_Width(51);
  set_Height(66);
  set_Caption(" ");
  for (int i = 1; i <= 11; ++i) {
    Items[i] = new TRect;
    Items[i]->Enabled = true;
  }
  Place(Items[10], kLabelBoxes[0]);
  Items[10]->Caption = "N";
  Items[10]->Color = clYellow;
  Place(Items[11], kLabelBoxes[1]);
  Items[11]->Caption = "H";
  Items[11]->Color = clYellow;
  for (int i = 1; i <= 9; ++i) Place(Items[i], kDigitBoxes[i - 1]);
  for (int i = 1; i <= 9; ++i) {
    Items[i]->Caption = IntToStr(i);
    Items[i]->Color = clWhite;
  }
  set_AccessibleName("候选数面板");
}

TSuppanel::~TSuppanel() {
  for (int i = 1; i <= 11; ++i) delete Items[i];
}

int TSuppanel::HitTest(int X, int Y) const {
  for (int i = 1; i <= 11; ++i) {
    const TRect* box = Items[i];
    if (box->Left <= X && X <= box->Right && box->Top <= Y && Y <= box->Bottom) return i;
  }
  return 0;
}

void TSuppanel::set_hxs(const std::string& v) {
  Fhxs = v;
  for (int i = 1; i <= 9; ++i) Items[i]->Enabled = false;
  for (char ch : Fhxs) {
    // The candidate list holds digits only; anything else names no box and is passed over.
    if (ch < '1' || ch > '9') continue;
    Items[ch - '0']->Enabled = true;
  }
  Repaint();
}

TAccessibleItem TSuppanel::AccessibleItem(int Index) const {
  const int box = Index < 2 ? 10 + Index : Index - 1;
  const TRect* item = Items[box];
  std::string description = box == 10 ? "不填写"
                            : box == 11 ? "填入全部候选数"
                            : item->Enabled ? "是候选数"
                                            : "不是候选数";
  return {item->Caption, description, item->Left, item->Top, item->Right - item->Left + 1,
          item->Bottom - item->Top + 1, item->Enabled, true, box == Current};
}

void TSuppanel::MoveCurrent(TDirection Direction) {
  const bool label = Current >= 10;
  const int row = label ? 0 : (Current - 1) / 3 + 1, col = label ? Current - 10 : (Current - 1) % 3;
  int next = Current;
  switch (Direction) {
    case drLeft: next = label ? 10 : col > 0 ? Current - 1 : Current; break;
    case drRight: next = label ? 11 : col < 2 ? Current + 1 : Current; break;
    case drUp: next = label ? Current : row == 1 ? (col == 0 ? 10 : 11) : Current - 3; break;
    case drDown: next = label ? (Current == 10 ? 1 : 2) : row < 3 ? Current + 3 : Current; break;
  }
  if (next == Current) return;
  Current = next;
  Repaint();
  FocusAccessibleItem(Current >= 10 ? Current - 10 : Current + 1);
}

void TSuppanel::Paint() {
  TPanel::Paint();
  TCanvas* c = Canvas();
  for (int i = 1; i <= 11; ++i) {
    const TRect* box = Items[i];
    c->Brush.Color = box->Enabled ? box->Color : clBtnFace;
    c->Pen.Color = clBlack;
    c->Rectangle(box->Left, box->Top, box->Right, box->Bottom);
    c->TextOut(box->Left + (i <= 9 ? 4 : 8), box->Top + 1, box->Caption);
  }
  if (!Focused() || Current < 1 || Current > 11) return;
  const TRect* box = Items[Current];
  c->Pen.Style = psDot;
  c->MoveTo(box->Left + 2, box->Top + 2);
  c->LineTo(box->Right - 2, box->Top + 2);
  c->LineTo(box->Right - 2, box->Bottom - 2);
  c->LineTo(box->Left + 2, box->Bottom - 2);
  c->LineTo(box->Left + 2, box->Top + 2);
  c->Pen.Style = psSolid;
}

}  // namespace velmora::Suppanel
