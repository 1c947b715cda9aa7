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
}

}  // namespace velmora::Suppanel
