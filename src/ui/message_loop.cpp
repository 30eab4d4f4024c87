#include "ui/message_loop.h"

#include <windows.h>

#include "ui/keyboard.h"
#include "ui/web_view.h"
#include "ui/window_instance.h"

namespace tamrivo {

void DispatchLoopMessage(const MSG& message) {
  // A web view with the focus sees keys first: its own accelerators, Tab inside the page. What
  // it leaves goes on to the window's keyboard rules. Mouse messages, the most frequent ones,
  // need no such offer: the browser's window gets them directly.
  if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
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
