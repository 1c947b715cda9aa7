// Cost of a new puzzle per level, beside qqwing's expert puzzles; of the hint's next step along the solution
// path of expert puzzles; and of the candidate list of every cell.
#include "bench/BenchMain.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "engine/QJ.h"
#include "engine/Solver.h"
#include "toolkit/Random.h"
#ifdef VELMORA_QQWING
#include <qqwing.hpp>
#endif

using velmora::QJ::TQJ;

namespace {

// Times each iteration's puzzle on its own and reports the mean, the median and the 99th percentile of one
// puzzle, in milliseconds: a level button must answer well within a frame every time, not on average.
class PerPuzzle {
 public:
  template <class F>
  void Time(F make) {
    const auto start = std::chrono::steady_clock::now();
    make();
    times_.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  void Report(benchmark::State& state) {
    std::sort(times_.begin(), times_.end());
    double sum = 0;
    for (double t : times_) sum += t;
    const auto at = [&](double share) { return times_[static_cast<std::size_t>(share * (times_.size() - 1))]; };
    state.counters["mean_ms"] = sum / static_cast<double>(times_.size());
    state.counters["median_ms"] = at(0.5);
    state.counters["p99_ms"] = at(0.99);
    state.counters["max_ms"] = times_.back();
  }

 private:
  std::vector<double> times_;
};

// Each iteration deals on from the previous grid, as consecutive games do, from the state of a fresh run.
void BM_Generate(benchmark::State& state) {
  const int level = static_cast<int>(state.range(0));
  toolkit::RandSeed = 0;
  TQJ qj(nullptr);
  PerPuzzle times;
  for (auto _ : state) {
    times.Time([&] { qj.Generate(level); });
    benchmark::DoNotOptimize(qj.Nodes(9, 9)->Given);
  }
  times.Report(state);
}
BENCHMARK(BM_Generate)->DenseRange(1, 4)->ArgName("level")->Iterations(2000)->Unit(benchmark::kMillisecond);

#ifdef VELMORA_QQWING
// GNOME Sudoku's engine as its own command line makes an expert puzzle (qqwing --generate 1 --difficulty
// expert): generate a puzzle with no symmetry, solve it recording the moves, keep it when it rates expert.
void BM_QqwingExpert(benchmark::State& state) {
  std::srand(0);
  qqwing::SudokuBoard board;
  board.setRecordHistory(true);
  PerPuzzle times;
  for (auto _ : state) {
    times.Time([&] {
      do {
        board.generatePuzzleSymmetry(qqwing::SudokuBoard::NONE);
        board.solve();
      } while (board.getDifficulty() != qqwing::SudokuBoard::EXPERT);
    });
  }
  times.Report(state);
}
BENCHMARK(BM_QqwingExpert)->Iterations(200)->Unit(benchmark::kMillisecond);
#endif

// The next step of every position on the way from 2,000 expert deals to their solutions, each step timed on
// its own: a hint must answer within a frame at any point of any game. The deals are made before the clock.
void BM_NextStepOfExpertGames(benchmark::State& state) {
  toolkit::RandSeed = 0;
  TQJ qj(nullptr);
  std::vector<velmora::Sudoku::Grid> puzzles;
  for (int i = 0; i < 2000; ++i) {
    qj.NewExpert();
    velmora::Sudoku::Grid puzzle{};
    for (const auto* n : qj.Nodes)
      if (n->Given) puzzle[(n->Row - 1) * 9 + n->Col - 1] = static_cast<std::uint8_t>(n->Value);
    puzzles.push_back(puzzle);
  }
  PerPuzzle times;
  std::int64_t steps = 0;
  for (auto _ : state) {
    for (const auto& puzzle : puzzles) {
      auto position = velmora::Solver::Position::FromDigits(puzzle);
      std::optional<velmora::Solver::Step> step;
      do {
        times.Time([&] { step = velmora::Solver::NextStep(position); });
        if (step) velmora::Solver::Apply(position, *step);
        ++steps;
      } while (step);
    }
  }
  state.counters["steps"] = static_cast<double>(steps);
  times.Report(state);
}
BENCHMARK(BM_NextStepOfExpertGames)->Iterations(1)->Unit(benchmark::kMillisecond);

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
