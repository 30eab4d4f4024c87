// The operations the handlers call on windows, apart from properties (properties.cpp),
// loading (window_loader.cpp) and message boxes (message_box.cpp).
#include "ui/window.h"

#include <windows.h>

#include "services/fatal.h"
#include "ui/window_instance.h"
#include "ui/window_proc.h"

namespace tamrivo {
namespace {

const Handler* BoundHandler(const Form& window, int32_t control, int32_t event) {
  if (control == kWindowItself) {
    switch (event) {
      case kCreated: return &window.events.created;
      case kCloseRequest: return &window.events.closeRequest;
      case kDestroyEvent: return &window.events.destroyed;
      case kMoved: return &window.events.moved;
      case kResized: return &window.events.resized;
      case kTrayEvent: return &window.events.trayEvent;
      default: return nullptr;
    }
  }
  if (event != 0) return nullptr;  // controls and menu items have their event number 0 only
  if (control >= kMenuItemBase) {
    const auto item = static_cast<std::size_t>(control - kMenuItemBase);
    return item < window.menu.size() ? &window.menu[item].selected : nullptr;
  }
  if (control >= 0 && static_cast<std::size_t>(control) < window.controls.size()) {
    return &window.controls[static_cast<std::size_t>(control)].event;
  }
  return nullptr;
}

}  // namespace

EventResult RaiseEvent(const Form& window, int32_t control, int32_t event, std::optional<int32_t> argument) {
  const Handler* handler = BoundHandler(window, control, event);
  if (!handler || !handler->bound()) return {};
  EventResult outcome{true, std::nullopt};
  if (handler->withResult) {
    outcome.result = handler->withResult();
  } else if (handler->withArgument) {
    handler->withArgument(argument.value_or(0));
  } else {
    handler->plain();
  }
  return outcome;
}

void RequestDestroy(const Form& window) {
  WindowInstance* instance = FindInstance(window);
  if (!instance || !instance->hwnd) ReportFatalError(kNoSuchWindowOrControlError);
  instance->destroying = true;
  PostMessageW(instance->hwnd, kDestroyRequestMessage, 0, 0);
}

int32_t ComboItemValue(const Form& window, int32_t control, int32_t index) {
  WindowInstance* instance = FindInstance(window);
  if (!instance || control < 0 || static_cast<std::size_t>(control) >= instance->controls.size()) {
    ReportFatalError(kNoSuchWindowOrControlError);
  }
  const ControlInstance& combo = instance->controls[static_cast<std::size_t>(control)];
  if (combo.kind() != ControlKind::ComboBox || !combo.hwnd || !IsWindow(combo.hwnd)) {
    ReportFatalError(kNoSuchWindowOrControlError);
  }
  const LRESULT count = SendMessageW(combo.hwnd, CB_GETCOUNT, 0, 0);
  if (index < 0 || index >= count) return -1;
  // The items keep the form's order, so the form's values are the items' values.
  const auto& items = combo.record->settings.items;
  return static_cast<std::size_t>(index) < items.size() ? items[static_cast<std::size_t>(index)].value : 0;
}

bool IsWindowLoaded(const Form& form) { return FindInstance(form) != nullptr; }

}  // namespace tamrivo
