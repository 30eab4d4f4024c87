// Shows MainWindow from its form, with the handlers it has at the moment, and runs the message
// loop until the window is closed. Prints the window's place and size once it is shown, so a
// script can find it on the screen. With --close-after MS it closes itself after MS
// milliseconds.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/forms/main_window.h"
#include "ui/message_loop.h"
#include "ui/service_window.h"
#include "ui/window.h"

namespace {

void CALLBACK CloseMainWindow(HWND, UINT, UINT_PTR, DWORD) {
  if (tamrivo::IsWindowLoaded(tamrivo::MainWindow)) tamrivo::RequestDestroy(tamrivo::MainWindow);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tamrivo;
  long closeAfter = 0;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--close-after") == 0) closeAfter = std::strtol(argv[i + 1], nullptr, 10);
  }
  CreateServiceWindow();
  if (!LoadWindow(MainWindow)) {
    std::fprintf(stderr, "MainWindow could not be loaded\n");
    return 1;
  }
  std::printf("window %d %d %d %d\n", GetIntProperty(MainWindow, kWindowItself, kLeft),
              GetIntProperty(MainWindow, kWindowItself, kTop), GetIntProperty(MainWindow, kWindowItself, kWidth),
              GetIntProperty(MainWindow, kWindowItself, kHeight));
  std::fflush(stdout);
  if (closeAfter > 0) SetTimer(nullptr, 0, static_cast<UINT>(closeAfter), CloseMainWindow);
  RunMessageLoop();
  DestroyServiceWindow();
  return 0;
}
