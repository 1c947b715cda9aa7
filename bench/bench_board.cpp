// The board's rule checks at full board: the repeat check runs after every keystroke, so it must stay cheap.
#include "bench/BenchMain.h"

#include <array>
#include <string>

#include "controls/sd99.h"

using velmora::sd99::Tsd99;

namespace {

using Board = std::array<std::string, 9>;

const Board kSolved = {"534678912", "672195348", "198342567", "859761423", "426853791",
                       "713924856", "961537284", "287419635", "345286179"};

// Full, with its only repeat in the last two cells: a full stop can repeat nothing above row 9, so
// the scan runs through 79 cells before it finds the pair.
const Board kLateConflict = {"534678912", "672195348", "198342567", "859761423", "426853791",
                             "713924856", "961537284", "287419635", "3452861.."};

void Show(Tsd99& board, const Board& rows) {
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col) board.Cells(row, col)->set_Text(std::string(1, rows[row - 1][col - 1]));
}

void FindConflict(benchmark::State& state, const Board& rows) {
  Tsd99 board(nullptr);
  Show(board, rows);
  for (auto _ : state) {
    bool Found;
    int Row1, Col1, Row2, Col2;
    board.FindConflict(Found, Row1, Col1, Row2, Col2);
    benchmark::DoNotOptimize(Found);
    benchmark::DoNotOptimize(Row2);
  }
}

void IsSolved(benchmark::State& state, const Board& rows) {
  Tsd99 board(nullptr);
  Show(board, rows);
  for (auto _ : state) benchmark::DoNotOptimize(board.IsSolved());
}

BENCHMARK_CAPTURE(FindConflict, SolvedGrid, kSolved);
BENCHMARK_CAPTURE(FindConflict, LateConflict, kLateConflict);
BENCHMARK_CAPTURE(IsSolved, SolvedGrid, kSolved);
BENCHMARK_CAPTURE(IsSolved, LateConflict, kLateConflict);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv, false); }
