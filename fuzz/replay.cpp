// The fuzz targets without libFuzzer: each input file named, and each file of each folder named (in name
// order), goes through the target once, as the fuzzer would give it. A broken promise aborts, as under
// the fuzzer. This is how the suite runs the seed corpora and the saved crash inputs with any compiler.
#include <stdio.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/sanitizer/Options.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  if (argc < 2) {
    fprintf(stderr, "usage: %s INPUT-FILE-OR-FOLDER...\n", argv[0]);
    return 2;
  }
  // The paths are made absolute first: the target starts the program in a folder of its own.
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    std::error_code ec;
    fs::path given = fs::absolute(argv[i]);
    if (fs::is_directory(given, ec)) {
      std::vector<fs::path> files;
      for (const auto& entry : fs::directory_iterator(given))
        if (entry.is_regular_file()) files.push_back(entry.path());
      std::sort(files.begin(), files.end());
      inputs.insert(inputs.end(), files.begin(), files.end());
    } else if (fs::is_regular_file(given, ec)) {
      inputs.push_back(given);
    } else {
      // A corpus that moved must not leave a test that replays nothing and passes.
      fprintf(stderr, "%s: no such input file or folder\n", argv[i]);
      return 2;
    }
  }
  if (inputs.empty()) {
    fprintf(stderr, "no input to replay\n");
    return 2;
  }
  LLVMFuzzerInitialize(&argc, &argv);
  for (const fs::path& input : inputs) {
    std::ifstream in(input, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
      fprintf(stderr, "%s: cannot be read\n", input.c_str());
      return 2;
    }
    fprintf(stderr, "replaying %s\n", input.c_str());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(data.data()), data.size());
  }
  fprintf(stderr, "%zu inputs replayed, every promise kept\n", inputs.size());
  return 0;
}
