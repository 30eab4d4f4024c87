// Shows MainWindow from its form, with the handlers it has at the moment, and runs the message
// loop until the window is closed. Prints the window's place and size once it is shown, so a
// script can find it on the screen. With --close-after MS it closes itself after MS
// milliseconds. With --ask-close-after MS it asks the window to close after MS milliseconds,
// as the close box does, and prints the place of the message box that the request shows
// ("box LEFT TOP WIDTH HEIGHT"); the box is answered when the window closes itself.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "app/forms/main_window.h"
#include "ui/message_loop.h"
#include "ui/service_window.h"
#include "ui/window.h"
#include "ui/window_instance.h"

namespace {

HWND g_mainWindow = nullptr;
bool g_boxReported = false;

BOOL CALLBACK FindMessageBox(HWND window, LPARAM found) {
  wchar_t className[16]{};
  GetClassNameW(window, className, 16);
  if (std::wcscmp(className, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND OpenMessageBox() {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&box));
  return box;
}

void CALLBACK ReportMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = OpenMessageBox();
  if (!box || g_boxReported) return;
  g_boxReported = true;
  KillTimer(nullptr, timer);
  RECT place{};
  GetWindowRect(box, &place);
  std::printf("box %ld %ld %ld %ld\n", place.left, place.top, place.right - place.left, place.bottom - place.top);
  std::fflush(stdout);
}

void CALLBACK AskToClose(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  SetTimer(nullptr, 0, 100, ReportMessageBox);
  PostMessageW(g_mainWindow, WM_CLOSE, 0, 0);
}

void CALLBACK CloseMainWindow(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND box = OpenMessageBox()) PostMessageW(box, WM_COMMAND, IDOK, 0);
  if (tamrivo::IsWindowLoaded(tamrivo::MainWindow)) tamrivo::RequestDestroy(tamrivo::MainWindow);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tamrivo;
  long closeAfter = 0;
  long askCloseAfter = 0;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--close-after") == 0) closeAfter = std::strtol(argv[i + 1], nullptr, 10);
    if (std::strcmp(argv[i], "--ask-close-after") == 0) askCloseAfter = std::strtol(argv[i + 1], nullptr, 10);
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
  g_mainWindow = FindInstance(MainWindow)->hwnd;
  if (askCloseAfter > 0) SetTimer(nullptr, 0, static_cast<UINT>(askCloseAfter), AskToClose);
  if (closeAfter > 0) SetTimer(nullptr, 0, static_cast<UINT>(closeAfter), CloseMainWindow);
  RunMessageLoop();
  DestroyServiceWindow();
  return 0;
}
