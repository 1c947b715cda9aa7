// Test main: the application runs on the offscreen platform, so the suite needs no display;
// "--platform=xcb" runs it on an X server instead, for what only X has (the primary selection).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>

#include "tests/sanitizer/Options.h"
#include "toolkit/Forms.h"
#include "toolkit/testing.h"

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
