// The main of every GUI test program: offscreen, one application object.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/ui/Application.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  testing::InitGoogleTest(&argc, argv);
  platform::Application application(argc, argv, "Test");
  return RUN_ALL_TESTS();
}
