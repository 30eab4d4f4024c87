// Shows MainWindow, or AboutWindow with --about, from its form with the handlers it has, and
// runs the message loop until the window is closed. Prints the window's place and size once it
// is shown, so a script can find it on the screen. With --close-after MS it closes itself after
// MS milliseconds. With --ask-close-after MS it asks the window to close after MS milliseconds,
// as the close box does, and prints the place of the message box that the request shows
// ("box LEFT TOP WIDTH HEIGHT"); the box is answered when the window closes itself.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "app/forms/about_window.h"
#include "app/forms/main_window.h"
#include "ui/message_loop.h"
#include "ui/service_window.h"
#include "ui/window.h"
#include "ui/window_instance.h"

namespace {

const tamrivo::Form* g_shown = &tamrivo::MainWindow;
HWND g_shownWindow = nullptr;
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
  PostMessageW(g_shownWindow, WM_CLOSE, 0, 0);
}

void CALLBACK CloseShownWindow(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND box = OpenMessageBox()) PostMessageW(box, WM_COMMAND, IDOK, 0);
  if (tamrivo::IsWindowLoaded(*g_shown)) tamrivo::RequestDestroy(*g_shown);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tamrivo;
  long closeAfter = 0;
  long askCloseAfter = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--about") == 0) g_shown = &AboutWindow;
    if (std::strcmp(argv[i], "--close-after") == 0 && i + 1 < argc) closeAfter = std::strtol(argv[i + 1], nullptr, 10);
    if (std::strcmp(argv[i], "--ask-close-after") == 0 && i + 1 < argc) {
      askCloseAfter = std::strtol(argv[i + 1], nullptr, 10);
    }
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
  g_shownWindow = FindInstance(*g_shown)->hwnd;
  if (askCloseAfter > 0) SetTimer(nullptr, 0, static_cast<UINT>(askCloseAfter), AskToClose);
  if (closeAfter > 0) SetTimer(nullptr, 0, static_cast<UINT>(closeAfter), CloseShownWindow);
  RunMessageLoop();
  DestroyServiceWindow();
  OleUninitialize();
  return 0;
}
