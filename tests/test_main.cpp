// Test main: the application runs on the offscreen platform, so the suite needs no display;
// "--platform=xcb" runs it on an X server instead, for what only X has (the primary selection).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>

#include "toolkit/Forms.h"
#include "toolkit/testing.h"

#ifdef VELMORA_LSAN_SUPPRESSIONS
// The sanitizer build: the first report fails the test, and leaks count but for those of the system
// libraries in the suppressions file. Options in the environment still add to these.
extern "C" const char* __asan_default_options() { return "halt_on_error=1:abort_on_error=1:detect_leaks=1"; }
extern "C" const char* __ubsan_default_options() { return "halt_on_error=1:print_stacktrace=1"; }
extern "C" const char* __lsan_default_options() { return "suppressions=" VELMORA_LSAN_SUPPRESSIONS; }
#endif

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const char* platform = "offscreen";
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--platform=", 11) == 0) platform = argv[i] + 11;
  setenv("QT_QPA_PLATFORM", platform, 1);
  toolkit::TApplication::Initialize();
  toolkit::testing::Enable();
  int result = RUN_ALL_TESTS();
  toolkit::TApplication::Finalize();
  return result;
}
