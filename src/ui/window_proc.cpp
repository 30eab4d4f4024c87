#include "ui/window_proc.h"

#include <commctrl.h>

#include "services/fatal.h"
#include "ui/control_kinds.h"
#include "ui/controls.h"
#include "ui/keyboard.h"
#include "ui/menu.h"
#include "ui/tray.h"
#include "ui/window.h"
#include "ui/window_instance.h"

namespace tamrivo {
namespace {

// The instance lives in the window's extra bytes from WM_NCCREATE to WM_NCDESTROY.
WindowInstance* InstanceOf(HWND hwnd) {
  return reinterpret_cast<WindowInstance*>(GetWindowLongPtrW(hwnd, 0));
}

// A control's click, by the user or its access key: the kind's own action, then the event.
void OnControlCommand(WindowInstance& window, HWND source, UINT code) {
  const int32_t index = window.ControlIndexOf(source);
  if (index < 0) return;
  ControlInstance& control = window.controls[static_cast<std::size_t>(index)];
  if (control.hwnd != source) return;
  const Form& form = *window.form;
  switch (KindTraits(control.kind()).event) {
    case EventSource::ContentChange:
      // A property write raises the event itself, once, after the content is replaced.
      if (code == EN_CHANGE && !control.suppressChange) RaiseEvent(form, index, kTextChanged);
      break;
    case EventSource::Click:
      if (code == BN_CLICKED && !control.focusChanging) ClickControl(window, index);
      break;
    default:
      break;
  }
}

// Whether `size` bytes at `address` may be read. A notification brings its header's address
// in the message, and another program can post any value there, 0 included.
bool Readable(LPARAM address, std::size_t size) {
  constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                              PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
  auto at = static_cast<uintptr_t>(address);
  const uintptr_t end = at + size;
  if (at == 0 || end < at) return false;
  while (at < end) {
    MEMORY_BASIC_INFORMATION region{};
    if (!VirtualQuery(reinterpret_cast<const void*>(at), &region, sizeof region)) return false;
    if (region.State != MEM_COMMIT || !(region.Protect & kReadable) || (region.Protect & PAGE_GUARD)) {
      return false;
    }
    at = reinterpret_cast<uintptr_t>(region.BaseAddress) + region.RegionSize;
  }
  return true;
}

// The index of the control that sent a notification, or -1 when it is not one of this
// window's controls: the header must be readable and name a control of ours by both its
// window and its id.
int32_t NotifyingControl(const WindowInstance& window, LPARAM lParam, std::size_t size) {
  if (!Readable(lParam, size)) return -1;
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (!header->hwndFrom) return -1;
  const int32_t index = window.ControlIndexOf(header->hwndFrom);
  if (index < 0) return -1;
  const ControlInstance& control = window.controls[static_cast<std::size_t>(index)];
  if (control.hwnd != header->hwndFrom) return -1;
  if (header->idFrom != static_cast<UINT_PTR>(GetDlgCtrlID(control.hwnd))) return -1;
  return index;
}

void OnCloseRequest(WindowInstance& window) {
  const uint64_t serial = window.serial;
  const HWND hwnd = window.hwnd;
  const EventResult answer = RaiseEvent(*window.form, kWindowItself, kCloseRequest);
  WindowInstance* still = FindInstanceBySerial(serial);
  if (!still) return;  // the handler has destroyed it already
  if (answer.result == false) return;  // refused
  RestoreDisabledWindows(*still);
  DestroyWindow(hwnd);
}

LRESULT OnMessage(WindowInstance& window, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const Form& form = *window.form;
  if (HandleTrayMessage(form, message, wParam, lParam)) return 0;
  switch (message) {
    case WM_COMMAND:
      if (lParam) {
        OnControlCommand(window, reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
      }
      // A menu command fills the low word only; anything above it is not one of ours.
      if (wParam <= 0xFFFF) {
        const int32_t item = MenuItemOfCommand(form, LOWORD(wParam));
        if (item >= 0) {
          RaiseEvent(form, kMenuItemBase + item, 0);
          return 0;
        }
      }
      break;

    case WM_NOTIFY: {
      // Only a spinner's step is taken; nothing else asks the window for an answer.
      const int32_t index = NotifyingControl(window, lParam, sizeof(NMHDR));
      if (index < 0) return 0;
      const ControlInstance& control = window.controls[static_cast<std::size_t>(index)];
      if (reinterpret_cast<const NMHDR*>(lParam)->code != UDN_DELTAPOS ||
          KindTraits(control.kind()).event != EventSource::SpinnerStep ||
          !Readable(lParam, sizeof(NMUPDOWN))) {
        return 0;
      }
      const int delta = reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta;
      // The range runs upwards (0 at the bottom), so a positive step is toward the top arrow.
      RaiseEvent(form, index, kPressed, delta > 0 ? 1 : -1);
      return 1;  // the position stays where it is
    }

    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const auto source = reinterpret_cast<HWND>(lParam);
      const int32_t index = window.ControlIndexOf(source);
      if (index < 0 || window.controls[static_cast<std::size_t>(index)].hwnd != source) break;
      if (HBRUSH brush = ControlColours(window, index, reinterpret_cast<HDC>(wParam))) {
        return reinterpret_cast<LRESULT>(brush);
      }
      break;
    }

    case WM_TIMER: {
      const int32_t index = TimerIndexOf(wParam, window.controls.size());
      if (index < 0) return 0;
      const ControlInstance& timer = window.controls[static_cast<std::size_t>(index)];
      // A tick already queued when the timer stopped is dropped.
      if (KindTraits(timer.kind()).event == EventSource::TimerTick && timer.period > 0) RaiseEvent(form, index, kTick);
      return 0;
    }

    case WM_CLOSE:
      // A window that RequestDestroy is about to destroy asks nobody any more.
      if (!window.destroying) OnCloseRequest(window);
      return 0;

    case WM_QUERYENDSESSION: {
      // The system's own answer first; then the same question as the close box asks.
      if (!DefWindowProcW(hwnd, message, wParam, lParam)) return FALSE;
      return RaiseEvent(form, kWindowItself, kCloseRequest).result == false ? FALSE : TRUE;
    }

    case kDestroyRequestMessage:
      // Only RequestDestroy's own message: another program may post this number too.
      if (!window.destroying) return 0;
      RestoreDisabledWindows(window);
      DestroyWindow(hwnd);
      return 0;

    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) window.focusOnDeactivation = focus;
        return 0;
      }
      if (!HIWORD(wParam)) {  // not minimised
        RestoreFocus(window, true);
        return 0;
      }
      break;

    case WM_SETFOCUS:
      RestoreFocus(window, false);
      return 0;

    case WM_MOVE:
    case WM_SIZE: {
      // The first show repeats both messages without a change; only changes are events.
      if (window.loading) break;
      RECT place{};
      GetWindowRect(hwnd, &place);
      if (message == WM_MOVE) {
        const POINT now{place.left, place.top};
        if (now.x == window.reportedPlace.x && now.y == window.reportedPlace.y) break;
        window.reportedPlace = now;
        RaiseEvent(form, kWindowItself, kMoved);
      } else {
        const SIZE now{place.right - place.left, place.bottom - place.top};
        if (now.cx == window.reportedSize.cx && now.cy == window.reportedSize.cy) break;
        window.reportedSize = now;
        RaiseEvent(form, kWindowItself, kResized);
      }
      break;
    }

    case WM_DESTROY:
      RestoreDisabledWindows(window);
      RaiseEvent(form, kWindowItself, kDestroyEvent);
      RemoveTrayIcon(form);
      SetMenu(hwnd, nullptr);  // the instance owns the menu and frees it with itself
      return 0;

    case WM_NCDESTROY: {
      LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
      SetWindowLongPtrW(hwnd, 0, 0);
      window.hwnd = nullptr;
      RemoveInstance(window);  // may end the message loop
      return result;
    }

    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    if (message == WM_NCCREATE) {
      auto* window = static_cast<WindowInstance*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(window));
      window->hwnd = hwnd;
    }
    if (WindowInstance* window = InstanceOf(hwnd)) return OnMessage(*window, hwnd, message, wParam, lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  } catch (...) {
    ReportFatalError("");
  }
}

}  // namespace

bool RegisterWindowClass() {
  const HINSTANCE module = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{sizeof(WNDCLASSEXW)};
  if (GetClassInfoExW(module, kWindowClassName, &existing)) return true;
  WNDCLASSEXW windowClass{sizeof(WNDCLASSEXW)};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.cbWndExtra = sizeof(WindowInstance*);
  windowClass.hInstance = module;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClassName;
  return RegisterClassExW(&windowClass) != 0;
}

}  // namespace tamrivo
