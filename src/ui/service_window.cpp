#include "ui/service_window.h"

#include "ui/handles.h"
#include "ui/window_instance.h"

namespace tamrivo {
namespace {

// Part of the process-wide state: made once, kept until the process ends.
UniqueWindow g_serviceWindow;

}  // namespace

void CreateServiceWindow() {
  if (g_serviceWindow && IsWindow(g_serviceWindow.get())) return;
  // A plain STATIC window serves: it never shows and handles no message of ours.
  g_serviceWindow.reset(CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

void DestroyServiceWindow() { g_serviceWindow.reset(); }

HWND ServiceWindowHandle() {
  CreateServiceWindow();
  return g_serviceWindow.get();
}

}  // namespace tamrivo
