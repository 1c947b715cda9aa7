// Fuzz target: the puzzle collection "tk.vlm" read by a fresh collection dialog, each title selected,
// and its puzzle played.
#include <memory>
#include <vector>

#include "forms/Ufrm_tk.h"
#include "fuzz/FuzzGame.h"
#include "toolkit/SysUtils.h"

using namespace velmora;

namespace {

std::vector<int> Nodes() {
  std::vector<int> out;
  for (auto* node : main::Form1->QJ1->Nodes) out.push_back(node->Given ? node->Value : -1);
  return out;
}

std::string Board() {
  std::string out;
  for (auto* cell : main::Form1->sd991->Cells) out += cell->Text() + "|";
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::StartProgram();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto* form = main::Form1;
  fuzz::WriteInput("tk.vlm", data, size);
  toolkit::testing::ClearErrorBoxes();
  std::unique_ptr<Ufrm_tk::Tfrm_tk> dialog(new Ufrm_tk::Tfrm_tk(nullptr));
  auto* grid = dialog->StringGrid1;
  // Playing is slow next to reading: the first titles and the last are played, every one is selected.
  for (int row = grid->FixedRows(); row < grid->RowCount(); ++row) {
    bool can = true;
    fuzz::Handle([&] { dialog->StringGrid1SelectCell(grid, 0, row, can); });
    if (row > 8 && row != grid->RowCount() - 1) continue;
    std::vector<std::string> preview;
    for (auto* cell : dialog->qp->Cells) preview.push_back(cell->Text());
    std::vector<int> nodes = Nodes();
    std::string board = Board();
    if (fuzz::Handle([&] { dialog->Button1Click(nullptr); })) {
      // Played: the preview's cells are the clues of a level 2 game.
      for (int k = 0; k < 81; ++k) {
        auto* node = form->QJ1->Nodes(k / 9 + 1, k % 9 + 1);
        fuzz::Check(node->Given == !preview[k].empty(), "a clue of the preview was not played");
        if (node->Given) fuzz::Check(node->Value == toolkit::StrToInt(preview[k]), "a clue changed its value");
      }
      fuzz::Check(form->sd991->nd == 2 && form->sd991->Enabled(), "the puzzle is not a level 2 game");
    } else {
      fuzz::Check(Nodes() == nodes && Board() == board, "a puzzle that could not be played changed the game");
    }
  }
  return 0;
}
