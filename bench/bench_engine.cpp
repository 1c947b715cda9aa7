// Cost of a new puzzle per level and of the candidate list of every cell.
#include "bench/BenchMain.h"

#include "engine/QJ.h"
#include "toolkit/Random.h"

using velmora::QJ::TQJ;

namespace {

// Each iteration shuffles on from the previous grid, as consecutive games do.
void BM_Generate(benchmark::State& state) {
  const int level = static_cast<int>(state.range(0));
  toolkit::RandSeed = 0;
  TQJ qj(nullptr);
  for (auto _ : state) {
    qj.Generate(level);
    benchmark::DoNotOptimize(qj.Nodes(9, 9)->Given);
  }
}
BENCHMARK(BM_Generate)->DenseRange(1, 4)->ArgName("level");

// All 81 cells of an expert puzzle, the given ones included.
void BM_CandidatesOfEveryCell(benchmark::State& state) {
  toolkit::RandSeed = 0;
  TQJ qj(nullptr);
  qj.NewExpert();
  for (auto _ : state) {
    for (int row = 1; row <= 9; ++row)
      for (int col = 1; col <= 9; ++col) benchmark::DoNotOptimize(qj.Candidates(row, col));
  }
  state.SetItemsProcessed(state.iterations() * 81);
}
BENCHMARK(BM_CandidatesOfEveryCell);

}  // namespace


int main(int argc, char** argv) { return RunBenchmarks(argc, argv, false); }
