// Shows MainWindow, or AboutWindow with --about, from its form with the handlers it has, and
// runs the message loop until the window is closed. Prints the window's place and size once it
// is shown, so a script can find it on the screen. With --close-after MS it closes itself after
// MS milliseconds.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/forms/about_window.h"
#include "app/forms/main_window.h"
#include "ui/message_loop.h"
#include "ui/service_window.h"
#include "ui/window.h"

namespace {

const tamrivo::Form* g_shown = &tamrivo::MainWindow;

void CALLBACK CloseShownWindow(HWND, UINT, UINT_PTR, DWORD) {
  if (tamrivo::IsWindowLoaded(*g_shown)) tamrivo::RequestDestroy(*g_shown);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tamrivo;
  long closeAfter = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--about") == 0) g_shown = &AboutWindow;
    if (std::strcmp(argv[i], "--close-after") == 0 && i + 1 < argc) closeAfter = std::strtol(argv[i + 1], nullptr, 10);
  }
  OleInitialize(nullptr);  // for the web views, as the program's start-up does
  CreateServiceWindow();
  // AboutWindow is loaded without the modal flag: there is no other window to hold.
  if (!LoadWindow(*g_shown)) {
    std::fprintf(stderr, "%s could not be loaded\n", g_shown->name);
    return 1;
  }
  std::printf("window %d %d %d %d\n", GetIntProperty(*g_shown, kWindowItself, kLeft),
              GetIntProperty(*g_shown, kWindowItself, kTop), GetIntProperty(*g_shown, kWindowItself, kWidth),
              GetIntProperty(*g_shown, kWindowItself, kHeight));
  std::fflush(stdout);
  if (closeAfter > 0) SetTimer(nullptr, 0, static_cast<UINT>(closeAfter), CloseShownWindow);
  RunMessageLoop();
  DestroyServiceWindow();
  OleUninitialize();
  return 0;
}
