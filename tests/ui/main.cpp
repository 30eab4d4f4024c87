// The window tests run on this thread's message queue, with the service window made once as
// the program's start-up does.
#include <gtest/gtest.h>

#include "ui/service_window.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  tamrivo::CreateServiceWindow();
  const int result = RUN_ALL_TESTS();
  tamrivo::DestroyServiceWindow();
  return result;
}
