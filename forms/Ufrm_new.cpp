// The custom-game editor.
#include "forms/Ufrm_new.h"

#include "forms/HelpText.h"
#include "forms/Layout.h"
#include "forms/main.h"

namespace velmora::Ufrm_new {

using namespace toolkit;

Tfrm_new* frm_new = nullptr;

// The game reads it back at once and leaves it in place; the next play replaces it.
static const char* const WorkingFile = "dont use this file";

Tfrm_new::Tfrm_new(TComponent* AOwner) : TForm(AOwner) {
  Layout::Window(this, "自定义游戏", fbsSizeable, poScreenCenter, 544, 453);
  set_AccessibleDescription(HelpText::EditorSection.Points[0]);  // what it is for

  //                                          left top  width height tab
  sdnew = Layout::Place(this, new sd99::Tsd99(this), 5,   5,   441,  441,   0);
  Button1 = Layout::Button(this, 456, 8, 75, 25, 1, "保存", [this](TObject* s) { Button1Click(s); });
  Button2 = Layout::Button(this, 456, 38, 75, 26, 2, "进行游戏", [this](TObject* s) { Button2Click(s); });
  Button3 = Layout::Button(this, 456, 68, 75, 25, 3, "清除", [this](TObject* s) { Button3Click(s); });
  Button4 = Layout::Button(this, 456, 98, 75, 25, 4, "退出", [this](TObject* s) { Button4Click(s); });
  Button4->set_Cancel(true);
  Button5 = Layout::Button(this, 456, 128, 75, 25, 5, "撤销", [this](TObject* s) { Button5Click(s); });
  Button6 = Layout::Button(this, 456, 158, 75, 25, 6, "重做", [this](TObject* s) { Button6Click(s); });
  for (auto* cell : sdnew->Cells) {
    cell->OnChange = [this, cell](TObject*) { CellChanged(cell); };
    cell->OnKeyDown = [this](TObject*, unsigned short& k, TShiftState sh) { CellKeyDown(k, sh); };
  }
  moves.Board = sdnew;
  moves.Start();
  UpdateMoves();
  // The board is the first stop of the Tab order after the buttons; the editor opens on 保存.
  set_ActiveControl(Button1);
  SaveDialog1 = new TSaveDialog(this);
  DoCreate();
}

void Tfrm_new::WritePuzzle(const std::string& FileName) const {
  TStringList lines;
  for (auto* cell : sdnew->Cells) {
    std::string text = Trim(cell->Text());
    lines.Add(AnsiLength(text) == 1 ? "1" + text : "0");
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
  moves.AsOneStep(-1, [this] {
    for (auto* cell : sdnew->Cells) cell->set_Text("");
  });
  UpdateMoves();
}

void Tfrm_new::Button5Click(TObject*) {
  if (const History::TMove* move = moves.Undo()) moves.Cell(move->Changes.back().Cell)->SetFocus();
  UpdateMoves();
}

void Tfrm_new::Button6Click(TObject*) {
  if (const History::TMove* move = moves.Redo()) moves.Cell(move->Changes.back().Cell)->SetFocus();
  UpdateMoves();
}

void Tfrm_new::CellChanged(sdunit::Tsdunit* cell) {
  cell->UpdateState(cell);
  moves.Changed(cell);
  UpdateMoves();
}

void Tfrm_new::CellKeyDown(unsigned short& Key, TShiftState Shift) {
  const bool ctrl = Shift == TShiftState{ssCtrl}, ctrlShift = Shift == TShiftState{ssCtrl, ssShift};
  if (Key == 'Z' && ctrl) {
    Key = 0;
    Button5Click(this);
  } else if ((Key == 'Y' && ctrl) || (Key == 'Z' && ctrlShift)) {
    Key = 0;
    Button6Click(this);
  }
}

void Tfrm_new::UpdateMoves() {
  Button5->set_Enabled(moves.History.CanUndo());
  Button6->set_Enabled(moves.History.CanRedo());
}

void Tfrm_new::Button4Click(TObject*) { Close(); }

}  // namespace velmora::Ufrm_new
