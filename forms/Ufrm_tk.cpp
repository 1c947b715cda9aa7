// The puzzle collection dialog.
#include "forms/Ufrm_tk.h"

#include "forms/HelpText.h"
#include "forms/Layout.h"
#include "forms/main.h"
#include "toolkit/Grid9.h"

namespace velmora::Ufrm_tk {

using namespace toolkit;
using Layout::Button;
using Layout::Place;

Tfrm_tk* frm_tk = nullptr;

namespace {

const char* const CollectionFile = "tk.vlm";

// The text of a preview cell from byte `col` (1..9) of a row's code-page-936 form: "0" and a missing
// byte are an empty cell. Half of a Chinese character is kept as that byte, like any byte that is no
// character of its own; like any other non-digit it cannot be played.
std::string CellText(const std::string& ansiRow, int col) {
  if (col > static_cast<int>(ansiRow.size())) return "";
  char ch = ansiRow[col - 1];
  if (ch == '0') return "";
  return AnsiToUtf8(std::string(1, ch));
}

}  // namespace

Tfrm_tk::Tfrm_tk(TComponent* AOwner) : TForm(AOwner) {
  Layout::Window(this, "精选题库", fbsDialog, poScreenCenter, 522, 411);
  set_AccessibleDescription(HelpText::CollectionSection.Points[1]);  // what its buttons do

  //                                                  left top  width height tab
  StringGrid1 = Place(this, new TStringGrid(this),   0,   0,   153,  411,   0);
  qp = Place(this, new SD33::TSD33(this),            160, 10,  352,  352,   2);
  //                     left top  width height tab caption
  Button1 = Button(this, 232, 378, 75, 25, 3, "确定", [this](TObject* s) { Button1Click(s); });
  Button2 = Button(this, 344, 378, 75, 25, 4, "退出", [this](TObject* s) { Button2Click(s); });
  Button2->set_Cancel(true);

  StringGrid1->set_Align(alLeft);
  StringGrid1->set_ColCount(1);
  StringGrid1->set_FixedCols(0);
  StringGrid1->set_ColWidths(0, 129);
  StringGrid1->set_DefaultRowHeight(20);
  StringGrid1->set_RowCount(5);
  StringGrid1->set_FixedRows(1);
  StringGrid1->OnSelectCell = [this](TObject* s, int c, int r, bool& can) { StringGrid1SelectCell(s, c, r, can); };
  Memo1.set_Text("Memo1");  // the hidden line store's design-time text
  qp->set_Caption("  ");
  qp->set_Ctl3D(false);
  qp->set_width2(352);

  OnCreate = [this](TObject* s) { FormCreate(s); };
  DoCreate();
}

void Tfrm_tk::FormCreate(TObject*) {
  Memo1.LoadFromFile(CollectionFile);
  StringGrid1->set_RowCount(1);
  StringGrid1->set_Cells(0, 0, "名称");
  for (int i = 0; i < Memo1.Count(); ++i) {
    std::string line = Memo1[i];
    if (line.find('[') == std::string::npos) continue;
    StringGrid1->set_RowCount(StringGrid1->RowCount() + 1);
    StringGrid1->set_Cells(0, StringGrid1->RowCount() - 1, line);
  }
  // Fails when no title was added: a grid of one row cannot keep a fixed one.
  StringGrid1->set_FixedRows(1);
  for (auto* cell : qp->Cells) cell->State = 1;
  bool CanSelect = true;
  StringGrid1SelectCell(StringGrid1, 0, 1, CanSelect);
}

void Tfrm_tk::StringGrid1SelectCell(TObject*, int, int ARow, bool&) {
  std::string title = StringGrid1->Cells(0, ARow);
  set_Caption(title);
  int t = -1;
  for (int i = 0; i < Memo1.Count() && t < 0; ++i)
    if (Memo1[i] == title) t = i;
  if (t < 0) return;
  for (int row = 1; row <= 9; ++row) {
    std::string ansiRow = Utf8ToAnsi(Memo1.Get(t + row));
    for (int col = 1; col <= 9; ++col) qp->Cells(row, col)->set_Text(CellText(ansiRow, col));
  }
  auto* centre = qp->Cells(5, 5);
  centre->OnMouseMove(centre, TShiftState(), 1, 1);
}

void Tfrm_tk::Button1Click(TObject*) {
  auto* game = main::Form1;
  // Every cell is read before any node changes, so a block holding a non-digit fails with the game
  // in play left exactly as it was.
  Grid9<int> values;
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col) {
      std::string text = qp->Cells(row, col)->Text();
      values(row, col) = text.empty() ? 0 : StrToInt(text);
    }
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col) {
      QJ::TNode* node = game->QJ1->Nodes(row, col);
      node->Value = 0;
      node->Given = false;
      if (!qp->Cells(row, col)->Text().empty()) {
        node->Value = values(row, col);
        node->Given = true;
      }
    }
  game->ShowPuzzle();
  game->sd991->nd = 2;
  game->CountStart(2);  // a collection game counts under 中级, as its record does
  game->pan->Hide();
  game->TimeLabel1->set_timerenabled(true);
  game->TimeLabel1->set_MS(0);
  game->TimeLabel1->set_timeinterval(1000);
  // A screen reader hears which puzzle is in play, and at what level it is timed.
  game->Announce("精选题目 " + Caption() + "，中级");
  Close();
}

void Tfrm_tk::Button2Click(TObject*) { Close(); }

}  // namespace velmora::Ufrm_tk
