// The preview board: its cells, layout, repeat marks, hover cross and grid lines.
#include "controls/SD33.h"

#include "engine/Myfun.h"
#include "toolkit/SysUtils.h"

namespace velmora::SD33 {

using namespace toolkit;

namespace {
// Boxes 2, 4, 6 and 8 form the second colour group; the corners and the centre the first.
bool SecondGroup(int row, int col) { return Myfun::BoxNumber(row, col) % 2 == 0; }
}  // namespace

TSD33::TSD33(TComponent* AOwner) : TPanel(AOwner) {
  FoucsColor1 = 12043517;
  FoucsColor2 = 14538713;
  UNFoucsColor1 = 0xFFFFFF;
  UNFoucsColor2 = 16759739;
  for (int row = 1; row <= 9; ++row) {
    for (int col = 1; col <= 9; ++col) {
      auto* cell = new TNode(this);
      cell->set_Parent(this);
      cell->OnKeyPress = [this](TObject* s, char& k) { FilterKey(s, k); };
      cell->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { CellMouseMove(s, sh, x, y); };
      cell->OnChange = [this](TObject* s) { CellChanged(s); };
      cell->Conflict = false;
      cell->set_MaxLength(9);
      cell->State = 2;
      cell->set_Alignment(taCenter);
      cell->set_ImeClosed(true);
      cell->set_TabStop(false);
      cell->set_Color(SecondGroup(row, col) ? UNFoucsColor2 : UNFoucsColor1);
      cell->set_AccessibleName("第" + IntToStr(row) + "行第" + IntToStr(col) + "列");
      Cells(row, col) = cell;
    }
  }
  set_AccessibleRole(arGrouping);
  set_AccessibleName("预览");
  set_Width(442);
  set_width2(442);
  set_Height(Width());
  set_Caption("  ");
  FONTSize1 = 25;
  FONTColor1 = clBlack;
  FONTSize2 = 25;
  FONTColor2 = 0xFF0000;
  FONTSize3 = 12;
  FONTColor3 = 0xFF0000;
  Arrange();
}

TSD33::~TSD33() {
  for (auto*& cell : Cells) {
    delete cell;
    cell = nullptr;
  }
}

void TSD33::set_width2(int v) {
  Fwidth2 = v;
  set_Height(v);
  set_Width(v);
  Arrange();
}

void TSD33::Arrange() {
  set_Ctl3D(false);
  int p = Width() / 9;
  int q = Height() / 9;
  for (int row = 1; row <= 9; ++row) {
    for (int col = 1; col <= 9; ++col) {
      TNode* cell = Cells(row, col);
      // The one-pixel gaps at every multiple of p and q show the grid lines painted beneath.
      cell->SetBounds(p * (col - 1) + 1, q * (row - 1) + 1, p - 1, q - 1);
      cell->set_Ctl3D(false);
      cell->set_BorderStyle(bsNone);
      cell->Row = row;
      cell->Col = col;
      if (cell->Conflict) cell->set_Color(clRed);
      if (cell->State == 1) {
        cell->Font()->set_Size(FONTSize1);
        cell->Font()->set_Color(FONTColor1);
        cell->set_ReadOnly(true);
      } else if (AnsiLength(cell->Text()) == 1) {
        cell->Font()->set_Size(FONTSize2);
        cell->Font()->set_Color(FONTColor2);
        cell->set_ReadOnly(false);
      } else {
        cell->Font()->set_Size(FONTSize3);
        cell->Font()->set_Color(FONTColor3);
        cell->set_ReadOnly(false);
      }
    }
  }
}

void TSD33::MarkConflict() {
  bool found = false;
  int row1 = 0, col1 = 0, row2 = 0, col2 = 0;  // the pair
  for (int r1 = 1; r1 <= 9 && !found; ++r1) {
    for (int c1 = 1; c1 <= 9 && !found; ++c1) {
      std::string first = Cells(r1, c1)->Text();
      if (AnsiLength(first) != 1) continue;
      // The whole scan runs, so the last matching peer in row order is the one kept.
      for (int r2 = 1; r2 <= 9; ++r2) {
        for (int c2 = 1; c2 <= 9; ++c2) {
          bool peer = (r2 == r1 && c2 != c1) || (c2 == c1 && r2 != r1) ||
                      (Myfun::BoxNumber(r2, c2) == Myfun::BoxNumber(r1, c1) && r2 != r1);
          if (peer && Cells(r2, c2)->Text() == first) {
            found = true;
            row1 = r1;
            col1 = c1;
            row2 = r2;
            col2 = c2;
          }
        }
      }
    }
  }
  for (auto* cell : Cells) cell->Conflict = false;
  if (found) {
    Cells(row1, col1)->Conflict = true;
    Cells(row2, col2)->Conflict = true;
  }
}

void TSD33::Paint() {
  TPanel::Paint();
  TCanvas* c = Canvas();
  c->Pen.Color = clBtnShadow;
  c->Pen.Width = 1;
  c->Pen.Style = psSolid;
  // Nine lines each way, none on the right or bottom edge: the bevel closes the frame there.
  for (int i = 1; i <= 9; ++i) {
    int x = (Width() / 9) * (i - 1);
    c->MoveTo(x, 0);
    c->LineTo(x, Height());
  }
  for (int i = 1; i <= 9; ++i) {
    int y = (Height() / 9) * (i - 1);
    c->MoveTo(0, y);
    c->LineTo(Width(), y);
  }
}

void TSD33::FilterKey(TObject*, char& Key) {
  if (!((Key >= '1' && Key <= '9') || Key == 8 || Key == '.')) Key = 0;
}

void TSD33::CellMouseMove(TObject* Sender, TShiftState, int, int) {
  auto* hovered = dynamic_cast<TNode*>(Sender);
  if (!hovered) return;
  int r0 = hovered->Row;
  int c0 = hovered->Col;
  for (int row = 1; row <= 9; ++row) {
    for (int col = 1; col <= 9; ++col) {
      TNode* cell = Cells(row, col);
      if (cell->Conflict) continue;  // a marked cell stays red
      bool cross = row == r0 || col == c0;
      if (SecondGroup(row, col))
        cell->set_Color(cross ? FoucsColor2 : UNFoucsColor2);
      else
        cell->set_Color(cross ? FoucsColor1 : UNFoucsColor1);
    }
  }
}

void TSD33::CellChanged(TObject*) {
  MarkConflict();
  Arrange();
}

}  // namespace velmora::SD33
