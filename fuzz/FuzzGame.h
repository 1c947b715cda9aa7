// What the fuzz targets share: the program started once, in test mode, in a temporary folder.
#pragma once
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "forms/Program.h"
#include "forms/main.h"
#include "toolkit/Forms.h"
#include "toolkit/testing.h"

namespace fuzz {

// The folder the game reads and writes in; removed when the fuzzer exits.
inline std::string& Folder() {
  static std::string folder;
  return folder;
}

// Starts the program as the tests do: offscreen platform, test mode (error boxes recorded, modal forms
// never wait), the forms created in start-up order.
inline void StartProgram() {
  if (!Folder().empty()) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  char templ[] = "/tmp/velmora-fuzz-XXXXXX";
  if (!::mkdtemp(templ) || ::chdir(templ) != 0) abort();
  Folder() = templ;
  atexit([] {
    std::error_code ec;
    std::filesystem::remove_all(Folder(), ec);
  });
  toolkit::TApplication::Initialize();
  toolkit::testing::Enable();
  velmora::CreateForms();
}

// The input as a file of the game's folder, written plainly (not through the code under test).
inline void WriteInput(const char* name, const uint8_t* data, size_t size) {
  FILE* f = fopen(name, "wb");
  if (!f || (size && fwrite(data, 1, size, f) != size) || fclose(f) != 0) abort();
}

// A broken promise is a crash, so the fuzzer keeps the input.
inline void Check(bool ok, const char* what) {
  if (ok) return;
  fprintf(stderr, "velmora fuzz: %s\n", what);
  abort();
}

// Runs f as the event loop would run a handler: a failure becomes an error box. True when none was shown.
template <class F>
bool Handle(F&& f) {
  toolkit::testing::ClearErrorBoxes();
  toolkit::Application->Guard(f);
  return toolkit::testing::ErrorBoxes().empty();
}

}  // namespace fuzz
