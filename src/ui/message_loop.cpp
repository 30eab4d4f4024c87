#include "ui/message_loop.h"

#include <windows.h>

#include "ui/keyboard.h"
#include "ui/window_instance.h"

namespace tamrivo {

void DispatchLoopMessage(const MSG& message) {
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
