// Speed of solving, uniqueness checking, rating and generating, over the sample collection.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "toolkit/Classes.h"
#include "tools/tkmaker/Collection.h"
#include "tools/tkmaker/Generator.h"

namespace {

using namespace tkmaker;

// The puzzles of resources/tk.vlm, read as the game reads them; empty when the file is missing.
const std::vector<Grid>& Sample() {
  static const std::vector<Grid> puzzles = [] {
    std::vector<Grid> out;
    try {
      toolkit::TStringList lines;
      lines.LoadFromFile(TKMAKER_SAMPLE);
      Collection collection(lines);
      for (const auto& title : collection.Titles()) out.push_back(collection.Play(title.text));
    } catch (const std::exception&) {
      out.clear();
    }
    return out;
  }();
  return puzzles;
}

// Runs f over every sample puzzle per iteration and reports puzzles per second.
template <class F>
void OverSample(benchmark::State& state, F f) {
  const auto& puzzles = Sample();
  if (puzzles.empty()) {
    state.SkipWithError("cannot read the sample collection " TKMAKER_SAMPLE);
    return;
  }
  for (auto _ : state)
    for (const auto& p : puzzles) f(p);
  state.counters["puzzles"] =
      benchmark::Counter(static_cast<double>(state.iterations() * puzzles.size()), benchmark::Counter::kIsRate);
}

void BM_Solve(benchmark::State& state) {
  OverSample(state, [](const Grid& p) {
    Grid solution;
    benchmark::DoNotOptimize(CountSolutions(p, 1, &solution));
    benchmark::DoNotOptimize(solution);
  });
}
BENCHMARK(BM_Solve)->Unit(benchmark::kMillisecond);

// Proving a puzzle has one solution means searching the whole tree, not just to the first.
void BM_CheckUnique(benchmark::State& state) {
  OverSample(state, [](const Grid& p) { benchmark::DoNotOptimize(CountSolutions(p, 2)); });
}
BENCHMARK(BM_CheckUnique)->Unit(benchmark::kMillisecond);

void BM_Rate(benchmark::State& state) {
  OverSample(state, [](const Grid& p) { benchmark::DoNotOptimize(Rate(p).score); });
}
BENCHMARK(BM_Rate)->Unit(benchmark::kMillisecond);

void BM_CheckCollection(benchmark::State& state) {
  toolkit::TStringList lines;
  try {
    lines.LoadFromFile(TKMAKER_SAMPLE);
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  const auto count = Collection(lines).Titles().size();
  for (auto _ : state) benchmark::DoNotOptimize(CheckCollection(lines).size());
  state.counters["puzzles"] =
      benchmark::Counter(static_cast<double>(state.iterations() * count), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CheckCollection)->Unit(benchmark::kMillisecond);

// One new minimal puzzle of any grade per iteration, from a fixed seed.
void BM_Generate(benchmark::State& state) {
  std::mt19937 rng(7);
  for (auto _ : state) benchmark::DoNotOptimize(Generate(rng, {})->puzzle);
  state.counters["puzzles"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Generate)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
