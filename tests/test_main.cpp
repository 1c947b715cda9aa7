// Test main: the application runs on the offscreen platform, so the suite needs no display.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "toolkit/Forms.h"
#include "toolkit/testing.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  toolkit::TApplication::Initialize();
  toolkit::testing::Enable();
  int result = RUN_ALL_TESTS();
  toolkit::TApplication::Finalize();
  return result;
}
