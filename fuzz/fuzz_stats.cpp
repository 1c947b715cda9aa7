// Fuzz target: the statistics file read, counted on, shown by the statistics window and cleared.
#include <algorithm>
#include <filesystem>
#include <memory>

#include "forms/Stats.h"
#include "forms/Ufrm_tj.h"
#include "fuzz/FuzzGame.h"
#include "toolkit/Classes.h"

using namespace velmora;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::StartProgram();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const int level = size ? data[0] % 4 + 1 : 1;
  // What is read is written back the same, and read the same again.
  std::string why;
  const auto stats = Stats::Parse(input, &why);
  fuzz::Check(stats.has_value() == why.empty(), "a file read and called damaged, or neither");
  if (stats) {
    std::string again;
    const auto back = Stats::Parse(Stats::Format(*stats), &again);
    fuzz::Check(back && Stats::Format(*back) == Stats::Format(*stats), "a file read does not read back the same");
  }
  // The window shows whatever is there; a count moves a damaged file aside and counts afresh.
  fuzz::WriteInput(Stats::FileName, data, size);
  {
    std::unique_ptr<Ufrm_tj::Tfrm_tj> window(new Ufrm_tj::Tfrm_tj(nullptr));
    if (size % 8 == 0) fuzz::Check(toolkit::testing::Grab(window.get()).Width() > 0, "the window does not draw");
  }
  const long long before = stats ? (*stats)[level - 1].Finished : 0;
  fuzz::Check(fuzz::Handle([&] { Stats::CountFinish(level, size, size % 2); }), "counting failed");
  std::string after;
  fuzz::Check(Stats::Read(&after)[level - 1].Finished == std::min(before + 1, 999999999999LL) && after.empty(),
              "a finished game was not counted once");
  fuzz::Check(fuzz::Handle([] { Stats::Clear(); }), "clearing failed");
  std::error_code ec;
  for (int n = 1; n < 3; ++n) std::filesystem::remove("stats.txt.damaged-" + std::to_string(n), ec);
  return 0;
}
