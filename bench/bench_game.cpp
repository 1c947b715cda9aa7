// The player's paths through the real main window: a keystroke in a nearly full board next to the same
// keystroke in a bare text edit, undo and redo of one step, and a new game from the level button to the
// painted board.
#include "bench/BenchMain.h"
#include "forms/main.h"
#include "toolkit/StdCtrls.h"

namespace tt = toolkit::testing;
using velmora::main::Form1;

namespace {

// Runs the painting that a change asked for, as the event loop would after the handler returns.
void Paint() { toolkit::Application->ProcessMessages(); }

// A level-1 game with every open cell filled but two, so each keystroke runs the whole path: filter,
// change, repeat marks, completion test (the board is nearly full, so IsSolved reads every cell).
velmora::sdunit::Tsdunit* NearlyFullBoard(std::string& digit) {
  Form1->Show();
  tt::Click(Form1->ToolButton5);
  velmora::sdunit::Tsdunit* last = nullptr;
  int left = 2;
  for (int r = 9; r >= 1; --r)
    for (int c = 9; c >= 1; --c) {
      auto* cell = Form1->sd991->Cells(r, c);
      if (!cell->Text().empty()) continue;
      if (left > 0) {
        --left;
        last = cell;
        digit = std::to_string(Form1->QJ1->Solution(r, c));
        continue;
      }
      cell->set_Text(std::to_string(Form1->QJ1->Solution(r, c)));
    }
  Paint();
  return last;
}

void BM_KeystrokeInBoardCell(benchmark::State& state) {
  std::string digit;  // the right digit: no repeat mark comes and goes
  auto* cell = NearlyFullBoard(digit);
  tt::TypeText(cell, "");
  for (auto _ : state) {
    tt::TypeText(cell, digit);
    Paint();
    tt::TypeText(cell, "\b");
    Paint();
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_KeystrokeInBoardCell);

// Ctrl+Z and Ctrl+Y pressed in a nearly full board, each painted: one step taken back and brought back
// by the keys, through the change handler, the repeat marks and the completion test.
void BM_UndoAndRedoOfOneStep(benchmark::State& state) {
  std::string digit;
  auto* cell = NearlyFullBoard(digit);
  tt::TypeText(cell, digit);
  Paint();
  for (auto _ : state) {
    tt::TypeAtWindow(Form1, "\x1a");
    Paint();
    tt::TypeAtWindow(Form1, "\x19");
    Paint();
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_UndoAndRedoOfOneStep);

void BM_KeystrokeInBareEdit(benchmark::State& state) {
  toolkit::TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  auto* memo = new toolkit::TMemo(&form);
  memo->set_Parent(&form);
  memo->SetBounds(0, 0, 49, 49);
  form.Show();
  tt::TypeText(memo, "");
  Paint();
  for (auto _ : state) {
    tt::TypeText(memo, "5");
    Paint();
    tt::TypeText(memo, "\b");
    Paint();
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_KeystrokeInBareEdit);

void BM_NewGameToPaintedBoard(benchmark::State& state) {
  Form1->Show();
  Paint();
  for (auto _ : state) {
    tt::Click(Form1->ToolButton5);
    Paint();
  }
}
BENCHMARK(BM_NewGameToPaintedBoard);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv, true); }
