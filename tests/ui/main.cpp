// The window tests run on this thread's message queue, with OLE and the service window made
// once as the program's start-up does.
#include <gtest/gtest.h>
#include <ole2.h>

#include "ui/service_window.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  OleInitialize(nullptr);  // as the program's start-up does, for the web views
  tamrivo::CreateServiceWindow();
  const int result = RUN_ALL_TESTS();
  tamrivo::DestroyServiceWindow();
  OleUninitialize();
  return result;
}
