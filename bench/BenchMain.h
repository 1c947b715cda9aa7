// The main of every benchmark program: the toolkit's application on the offscreen platform, and,
// for benchmarks of the whole game, the program's forms started in a scratch folder.
#pragma once
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "forms/Program.h"
#include "toolkit/Forms.h"
#include "toolkit/testing.h"

inline int RunBenchmarks(int argc, char** argv, bool withForms) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  toolkit::TApplication::Initialize();
  if (withForms) {
    auto dir = std::filesystem::temp_directory_path() / "velmora-bench";
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    toolkit::testing::Enable();
    velmora::CreateForms();
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (withForms) velmora::DestroyForms();
  toolkit::TApplication::Finalize();
  return 0;
}
