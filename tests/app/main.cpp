// The scheduler tests load the real MainWindow, whose ticks end in power requests: the
// recording calls go in before the first test, so no test can reach the real ones.
#include <gtest/gtest.h>
#include <ole2.h>

#include "main_window_support.h"
#include "ui/service_window.h"

int main(int argc, char** argv) {
  tamrivo::test::InstallRecordingPowerCalls();
  ::testing::InitGoogleTest(&argc, argv);
  OleInitialize(nullptr);  // as the program's start-up does, for the web views
  tamrivo::CreateServiceWindow();
  const int result = RUN_ALL_TESTS();
  tamrivo::DestroyServiceWindow();
  OleUninitialize();
  return result;
}
