// The 9x9 playing board: cell layout, box colours, grid frame, repeat check and completion test.
#include "controls/sd99.h"

#include <vector>

#include "engine/Myfun.h"
#include "toolkit/Forms.h"
#include "toolkit/SysUtils.h"

namespace velmora::sd99 {

using namespace toolkit;
using sdunit::Tsdunit;

namespace {
// The first colour group is the corners and the centre, the boxes with odd numbers.
bool InGroup1(int box) { return box == 1 || box == 3 || box == 5 || box == 7 || box == 9; }
bool InGroup2(int box) { return box == 2 || box == 4 || box == 6 || box == 8; }

TFont* MakeFont(int size, TColor color, const TFontStyles& style) {
  auto* font = new TFont;
  font->set_Size(size);
  font->set_Color(color);
  font->set_Style(style);
  return font;
}
}  // namespace

Tsd99::Tsd99(TComponent* AOwner) : TPanel(AOwner) {
  set_Width(441);
  set_Height(441);
  set_BevelOuter(bvNone);
  nd = 1;
  set_BorderWidth(1);
  set_BorderStyle(bsNone);
  set_Color(15793151);  // cream
  set_TabGroup(true);
  set_AccessibleRole(arGrouping);
  set_AccessibleName("棋盘");
  for (int row = 1; row <= 9; ++row) {
    for (int col = 1; col <= 9; ++col) {
      auto* cell = new Tsdunit(this);
      Cells(row, col) = cell;
      cell->set_h(row);  // h before s, so the last shade is that of the cell's true box
      cell->set_s(col);
      cell->set_Parent(this);
      cell->set_Ctl3D(false);
      cell->set_Width(Width() / 9);
      cell->set_Height(Height() / 9);
      cell->set_Left((Width() / 9) * (col - 1));
      cell->set_Top((Height() / 9) * (row - 1));
      cell->OnCaretEdge = [this](TObject* Sender, TDirection Direction) { CellCaretEdge(Sender, Direction); };
      cell->OnEnter = [this](TObject* Sender, bool ByPlayer) { CellEnter(Sender, ByPlayer); };
      cell->OnTextChange = [this](TObject* Sender) { CellTextChange(Sender); };
      cell->set_AccessibleName("第" + IntToStr(row) + "行第" + IntToStr(col) + "列");
    }
  }
  set_FoucsColor1(12043517);
  set_FoucsColor2(14538713);
  set_UNFoucsColor1(0xFFFFFF);
  set_UNFoucsColor2(16759739);
  FONT1 = MakeFont(25, clBlack, {fsBold});
  FONT2 = MakeFont(25, clBlue, {fsBold});
  FONT3 = MakeFont(12, clBlue, {});
}

Tsd99::~Tsd99() {
  for (Tsdunit* cell : Cells) delete cell;
  delete FONT1;
  delete FONT2;
  delete FONT3;
}

void Tsd99::set_FoucsColor1(TColor v) {
  FFoucsColor1 = v;
  for (Tsdunit* cell : Cells)
    if (InGroup1(cell->q())) cell->foucscolor = v;
}

void Tsd99::set_FoucsColor2(TColor v) {
  FFoucsColor2 = v;
  for (Tsdunit* cell : Cells)
    if (InGroup2(cell->q())) cell->foucscolor = v;
}

void Tsd99::set_UNFoucsColor1(TColor v) {
  FUNFoucsColor1 = v;
  for (Tsdunit* cell : Cells)
    if (InGroup1(cell->q())) cell->set_unfoucscolor(v);
}

void Tsd99::set_UNFoucsColor2(TColor v) {
  FUNFoucsColor2 = v;
  for (Tsdunit* cell : Cells)
    if (InGroup2(cell->q())) cell->set_unfoucscolor(v);
}

void Tsd99::Paint() {
  TPanel::Paint();
  set_Caption("");
  TCanvas* c = Canvas();
  const int W = Width();
  const int H = Height();
  c->Pen.Color = clBlack;
  c->Pen.Width = 3;
  c->Pen.Style = psSolid;
  // Outer frame
  c->MoveTo(0, 0);
  c->LineTo(0, H);
  c->MoveTo(0, 0);
  c->LineTo(W, 0);
  c->MoveTo(W - 1, 0);
  c->LineTo(W - 1, H);
  c->MoveTo(0, H - 1);
  c->LineTo(W, H - 1);
  // Band lines between the boxes
  for (int y : {H / 3, (H / 3) * 2}) {
    c->MoveTo(0, y);
    c->LineTo(W, y);
  }
  for (int x : {W / 3, (W / 3) * 2}) {
    c->MoveTo(x, 0);
    c->LineTo(x, H);
  }
  // Dotted lines between the cells of a box; the band lines lie at the 3rd and 6th ninths.
  c->Pen.Width = 1;
  c->Pen.Style = psDot;
  for (int k : {1, 2, 4, 5, 7, 8}) {
    c->MoveTo(0, k * (H / 9));
    c->LineTo(W, k * (H / 9));
  }
  for (int k : {1, 2, 4, 5, 7, 8}) {
    c->MoveTo(k * (W / 9), 0);
    c->LineTo(k * (W / 9), H);
  }
}

namespace {

// The 20 peers of each cell (same row, column or box), in row-major order. The repeat check runs after
// every keystroke, so the peers are worked out once rather than by testing all 81 cells each time.
struct PeerTable {
  int peers[81][20];
  PeerTable() {
    for (int a = 0; a < 81; ++a) {
      int i = a / 9 + 1, j = a % 9 + 1, n = 0;
      for (int b = 0; b < 81; ++b) {
        int k = b / 9 + 1, l = b % 9 + 1;
        if (b != a && (k == i || l == j || Myfun::BoxNumber(k, l) == Myfun::BoxNumber(i, j))) peers[a][n++] = b;
      }
    }
  }
};
const PeerTable& Peers() {
  static const PeerTable table;
  return table;
}

}  // namespace

void Tsd99::FindConflict(bool& Found, int& Row1, int& Col1, int& Row2, int& Col2) const {
  Found = false;
  Row1 = 0;
  // Only one-character texts can pair, so each cell is measured once (nullptr: not a single
  // character) and the peers are compared by that.
  const std::string* single[81];
  int a = 0;
  for (const auto* cell : Cells) single[a++] = AnsiLengthIsOne(cell->Text()) ? &cell->Text() : nullptr;
  for (a = 0; a < 81 && !Found; ++a) {
    if (!single[a]) continue;
    // No break after a match: the last equal peer in row order is the one reported.
    for (int b : Peers().peers[a]) {
      if (single[b] && *single[b] == *single[a]) {
        Found = true;
        Row1 = a / 9 + 1;
        Col1 = a % 9 + 1;
        Row2 = b / 9 + 1;
        Col2 = b % 9 + 1;
      }
    }
  }
}

void Tsd99::CellCaretEdge(TObject* Sender, TDirection Direction) {
  auto* cell = static_cast<Tsdunit*>(Sender);
  const int dRow = Direction == drUp ? -1 : Direction == drDown ? 1 : 0;
  const int dCol = Direction == drLeft ? -1 : Direction == drRight ? 1 : 0;
  const int row = cell->h() + dRow, col = cell->s() + dCol;
  if (row < 1 || row > 9 || col < 1 || col > 9) return;
  Tsdunit* next = Cells(row, col);
  FArrowed = true;
  next->SetFocus();
  FArrowed = false;
  next->set_SelStart(static_cast<int>(next->Text().size()));  // bytes: never fewer than characters
}

void Tsd99::DescribeRepeat() {
  std::vector<Tsdunit*> red;
  for (Tsdunit* cell : Cells)
    if (cell->error()) red.push_back(cell);
  for (Tsdunit* cell : Cells) {
    Tsdunit* other = red.size() != 2 || !cell->error() ? nullptr : red[0] == cell ? red[1] : red[0];
    cell->set_Repeats(other ? other->AccessibleName() : "");
  }
}

void Tsd99::set_SameDigit(bool v) {
  FSameDigit = v;
  ShowSame();
}

int Tsd99::CountOf(char d) const {
  int n = 0;
  for (const Tsdunit* cell : Cells) n += cell->Holds(d);
  return n;
}

namespace {
// The digit a cell holds alone, or 0.
char DigitOf(const Tsdunit* cell) {
  const std::string& text = cell->Text();
  return text.size() == 1 && text[0] >= '1' && text[0] <= '9' ? text[0] : 0;
}
}  // namespace

void Tsd99::ShowSame() {
  const char d = FSameDigit && FFocused ? DigitOf(FFocused) : 0;
  for (Tsdunit* cell : Cells) cell->set_same(cell == FFocused ? 0 : d);
}

void Tsd99::CellEnter(TObject* Sender, bool ByPlayer) {
  FFocused = static_cast<Tsdunit*>(Sender);
  ShowSame();
  const char d = DigitOf(FFocused);
  if (!FSameDigit || !d || !(ByPlayer || FArrowed)) return;
  if (auto* form = dynamic_cast<TForm*>(TopLevel())) form->Announce("共" + IntToStr(CountOf(d)) + "个" + d);
}

void Tsd99::CellTextChange(TObject*) {
  if (FFocused) ShowSame();
}

bool Tsd99::IsSolved() const {
  // A full stop or any other single character is a cell's entry, but only a digit completes the board.
  bool result = true;
  for (const Tsdunit* cell : Cells) {
    if (!result) break;
    const std::string& text = cell->Text();
    if (text.size() != 1 || text[0] < '1' || text[0] > '9') result = false;
  }
  if (result) {
    bool Found;
    int Row1, Col1, Row2, Col2;
    FindConflict(Found, Row1, Col1, Row2, Col2);
    if (Found) result = false;
  }
  return result;
}

}  // namespace velmora::sd99
