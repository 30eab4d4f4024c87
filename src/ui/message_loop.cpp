#include "ui/message_loop.h"

#include <windows.h>

#include "ui/keyboard.h"
#include "ui/web_view.h"
#include "ui/window_instance.h"

namespace tamrivo {

namespace {

bool IsKeyOrMouse(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

}  // namespace

void DispatchLoopMessage(const MSG& message) {
  // A web view with the focus sees keys and clicks first: its own accelerators, Tab inside the
  // page. What it leaves goes on to the window's keyboard rules.
  if (IsKeyOrMouse(message.message)) {
    if (WebView* view = WebViewOfWindow(GetFocus()); view && view->OfferMessage(message)) return;
  }
  if (HandleWindowKeyboard(message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void RunMessageLoop() {
  SetMessageLoopRunning(true);
  if (AnyWindowLoaded()) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchLoopMessage(message);
  }
  // Once the loop is over, closing windows no longer asks it to end.
  SetMessageLoopRunning(false);
}

}  // namespace tamrivo
