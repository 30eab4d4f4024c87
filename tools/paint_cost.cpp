// How long a complete paint of MainWindow takes with the themed look and with the classic
// look, in the same process and on the same window, and the ratio of the two. A complete
// paint is what a window coming to the front needs: frame, background and every control.
//
// Usage: paint_cost.exe [--paints N]   (default 300 of each, after 30 to warm up)
// Prints one line: "themed_ms_per_paint T classic_ms_per_paint C ratio R".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/forms/main_window.h"
#include "ui/service_window.h"
#include "ui/visual_style.h"
#include "ui/window.h"

namespace {

HWND FindMainWindow() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM result) -> BOOL {
        wchar_t text[64]{};
        GetWindowTextW(window, text, 64);
        if (std::wcscmp(text, L"Tamrivo v2.0") != 0 || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// Milliseconds per complete paint.
double PaintCost(HWND window, int paints) {
  constexpr UINT kComplete = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
  LARGE_INTEGER frequency{}, start{}, end{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < paints; ++i) {
    RedrawWindow(window, nullptr, nullptr, kComplete);
    GdiFlush();
  }
  QueryPerformanceCounter(&end);
  Pump();
  return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart) /
         paints;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tamrivo;
  int paints = 300;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--paints") == 0) paints = std::max(1, std::atoi(argv[i + 1]));
  }
  CreateServiceWindow();
  // Its created event switches the themed look on.
  if (!LoadWindow(MainWindow)) {
    std::fprintf(stderr, "MainWindow could not be loaded\n");
    return 1;
  }
  Pump();
  HWND window = FindMainWindow();
  if (!window) {
    std::fprintf(stderr, "MainWindow is not shown\n");
    return 1;
  }
  PaintCost(window, 30);
  const double themed = PaintCost(window, paints);
  SetVisualStyle(0);
  PaintCost(window, 30);
  const double classic = PaintCost(window, paints);
  std::printf("themed_ms_per_paint %.3f classic_ms_per_paint %.3f ratio %.2f\n", themed, classic, themed / classic);
  DestroyWindow(window);
  DestroyServiceWindow();
  return 0;
}
