// The player's paths through the real main window: a keystroke in a nearly full board next to the same
// keystroke in a bare text edit, undo and redo of one step, a new game from the level button to the
// painted board, big saved games loaded and drawn, and, on a board full of pencil marks, the focused
// digit shown everywhere, every candidate written and taken back, and a placed digit cleaning the marks.
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "bench/BenchMain.h"
#include "forms/main.h"
#include "toolkit/Classes.h"
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

// A saved game whose `cells` first lines are open cells of `bytes` digits each, the rest empty, written
// a piece at a time, so that the benchmark's own memory stays small beside the game's; its size in MB.
double WriteBigSavedGame(int cells, std::size_t bytes) {
  std::FILE* file = std::fopen("big-saved-game.txt", "wb");
  const std::string piece(1 << 16, '3');
  double size = 0;
  for (int k = 0; k < 81; ++k) {
    std::size_t digits = k < cells ? bytes : 0;
    size += static_cast<double>(digits) + 3;
    std::fputc('0', file);
    for (std::size_t done = 0; done < digits; done += piece.size())
      std::fwrite(piece.data(), 1, std::min(piece.size(), digits - done), file);
    std::fputs("\r\n", file);
  }
  std::fclose(file);
  return size / (1 << 20);
}

// The process's peak memory so far, its high-water mark: one size per process tells that size's.
double PeakMB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024;
}

// The saved game of `cells` open cells of `bytes` digits loaded with the tool bar's path and the board
// painted. Reports the file's size and the peak memory.
void BM_LoadBigSavedGame(benchmark::State& state) {
  const double size = WriteBigSavedGame(static_cast<int>(state.range(0)), static_cast<std::size_t>(state.range(1)));
  Form1->Show();
  Paint();
  for (auto _ : state) {
    Form1->LoadGame("big-saved-game.txt");
    Paint();
  }
  state.counters["file_MB"] = size;
  state.counters["peak_RSS_MB"] = PeakMB();
}
// Ten keystrokes at the end of a cell of 100,000,000 digits loaded from a saved game (Backspace: a cell
// takes no more typed characters than its length limit), each painted, with the game kept once after
// them as its timer does: the memory they add to the load's, and their time.
void BM_TenKeystrokesInAHundredMegabyteCell(benchmark::State& state) {
  WriteBigSavedGame(1, 100'000'000);
  Form1->Show();
  Form1->LoadGame("big-saved-game.txt");
  Paint();
  auto* cell = Form1->sd991->Cells(1, 1);
  const double loaded = PeakMB();
  for (auto _ : state) {
    for (int i = 0; i < 10; ++i) {
      tt::TypeText(cell, "\b");
      Paint();
    }
    tt::Tick(Form1->KeepTimer);
  }
  if (cell->Text().size() != 99'999'990) state.SkipWithError("the keystrokes did not reach the cell");
  state.counters["load_peak_RSS_MB"] = loaded;
  state.counters["peak_RSS_MB"] = PeakMB();
}
BENCHMARK(BM_TenKeystrokesInAHundredMegabyteCell)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_LoadBigSavedGame)
    ->Args({1, 1})
    ->Args({81, 400'000})
    ->Args({1, 100'000'000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// A full board of marks: a level-1 game with every candidate written (填入全部候选数).
void BoardOfMarks() {
  Form1->Show();
  tt::Click(Form1->ToolButton5);
  tt::Click(Form1->N24);
  Paint();
}

// The focus going back and forth between two clues of different digits on a board full of marks: the
// focused digit's tint and the stressed marks recomputed over all 81 cells, and painted.
void BM_FocusedDigitOnABoardOfMarks(benchmark::State& state) {
  BoardOfMarks();
  velmora::sdunit::Tsdunit *one = nullptr, *other = nullptr;
  for (auto* cell : Form1->sd991->Cells) {
    if (!cell->ReadOnly()) continue;
    if (!one) one = cell;
    if (!other && cell->Text() != one->Text()) other = cell;
  }
  for (auto _ : state) {
    one->SetFocus();
    Paint();
    other->SetFocus();
    Paint();
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_FocusedDigitOnABoardOfMarks);

// 填入全部候选数 and Ctrl+Z, each painted: every open cell written in one step and taken back.
void BM_EveryCandidateAndUndo(benchmark::State& state) {
  BoardOfMarks();
  tt::TypeAtWindow(Form1, "\x1a");
  Paint();
  for (auto _ : state) {
    tt::Click(Form1->N24);
    Paint();
    tt::TypeAtWindow(Form1, "\x1a");
    Paint();
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_EveryCandidateAndUndo);

// A digit typed over a cell's marks with 落子清除候选 on, on a board full of marks: the digit and the
// marks of its row, column and box in one step; then Ctrl+Z. Each painted.
void BM_DigitCleaningMarks(benchmark::State& state) {
  BoardOfMarks();
  if (!Form1->N25->Checked()) tt::Click(Form1->N25);
  velmora::sdunit::Tsdunit* cell = nullptr;
  for (auto* c : Form1->sd991->Cells)
    if (!cell && c->Text().size() >= 2) cell = c;
  const std::string digit = std::to_string(Form1->QJ1->Solution(cell->h(), cell->s()));
  for (auto _ : state) {
    state.PauseTiming();
    cell->set_Text("");
    Paint();
    state.ResumeTiming();
    tt::TypeText(cell, digit);
    Paint();
    state.PauseTiming();
    tt::TypeAtWindow(Form1, "\x1a");  // the digit and its cleaning
    tt::TypeAtWindow(Form1, "\x1a");  // the cell emptied
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DigitCleaningMarks);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv, true); }
