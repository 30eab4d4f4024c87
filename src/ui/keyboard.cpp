#include "ui/keyboard.h"

#include <algorithm>
#include <cwctype>
#include <string>

#include "ui/control_kinds.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace tamrivo {
namespace {

ControlInstance& ControlAt(WindowInstance& window, int32_t index) {
  return window.controls[static_cast<std::size_t>(index)];
}

// Shown and taking input: the control and every container it lies in.
bool Usable(const WindowInstance& window, int32_t index) {
  HWND hwnd = window.controls[static_cast<std::size_t>(index)].hwnd;
  if (!hwnd || !IsWindowVisible(hwnd)) return false;
  for (HWND w = hwnd; w && w != window.hwnd; w = GetAncestor(w, GA_PARENT)) {
    if (!IsWindowEnabled(w)) return false;
  }
  return true;
}

bool CanTakeTab(const WindowInstance& window, int32_t index) {
  return window.controls[static_cast<std::size_t>(index)].record->tabStop && Usable(window, index);
}

// The next control from `from` (a control index, or -1 for none) in Tab order, `step` +1
// forward or -1 backward, wrapping, that passes `accept`; -1 when none does.
template <typename Accept>
int32_t NextInTabOrder(const WindowInstance& window, int32_t from, int step, Accept accept) {
  const std::vector<int32_t> order = TabSequence(window);
  const int count = static_cast<int>(order.size());
  if (count == 0) return -1;
  auto found = std::find(order.begin(), order.end(), from);
  int position = found != order.end() ? static_cast<int>(found - order.begin()) : (step > 0 ? -1 : count);
  for (int k = 1; k <= count; ++k) {
    const int p = ((position + step * k) % count + count) % count;
    if (accept(order[static_cast<std::size_t>(p)])) return order[static_cast<std::size_t>(p)];
  }
  return -1;
}

void FocusControl(WindowInstance& window, int32_t index) {
  HWND hwnd = ControlAt(window, index).hwnd;
  SetFocus(hwnd);
  // An edit box reached from the keyboard has its whole content selected, ready to retype.
  if (KindTraits(ControlAt(window, index).kind()).selectAllOnFocus) SendMessageW(hwnd, EM_SETSEL, 0, -1);
}

void MoveFocus(WindowInstance& window, int32_t from, int step) {
  const int32_t next = NextInTabOrder(window, from, step, [&](int32_t i) { return CanTakeTab(window, i); });
  if (next >= 0) FocusControl(window, next);
}

// An arrow on a focused radio button: the next radio button of the same parent.
void MoveAmongChoices(WindowInstance& window, int32_t from, int step) {
  const ControlRecord& origin = *ControlAt(window, from).record;
  const int32_t next = NextInTabOrder(window, from, step, [&](int32_t i) {
    const ControlInstance& c = window.controls[static_cast<std::size_t>(i)];
    return c.kind() == origin.kind && c.record->parent == origin.parent && Usable(window, i);
  });
  if (next < 0) return;
  const uint64_t serial = window.serial;
  ClickControl(window, next);
  WindowInstance* still = FindInstanceBySerial(serial);
  if (still && Usable(*still, next)) SetFocus(ControlAt(*still, next).hwnd);
}

// Whether the caption marks `key` (an upper-case letter or a digit) with "&"; "&&" is an
// ampersand as written.
bool HasAccessKey(const std::wstring& caption, UINT key) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') {
      ++i;
      continue;
    }
    return static_cast<UINT>(std::towupper(caption[i + 1])) == key;
  }
  return false;
}

bool HandleAccessKey(WindowInstance& window, UINT key) {
  for (std::size_t i = 0; i < window.controls.size(); ++i) {
    const auto index = static_cast<int32_t>(i);
    const ControlInstance& control = window.controls[i];
    const AccessKeyAction action = KindTraits(control.kind()).accessKey;
    if (action == AccessKeyAction::None) continue;
    if (!Usable(window, index) || !HasAccessKey(NativeText(control.hwnd), key)) continue;

    switch (action) {
      case AccessKeyAction::Click:
        ClickControl(window, index);
        break;
      case AccessKeyAction::FocusNext:
        MoveFocus(window, index, +1);
        break;
      case AccessKeyAction::FocusInside: {
        HWND container = control.hwnd;
        const int32_t inside = NextInTabOrder(window, index, +1, [&](int32_t j) {
          return CanTakeTab(window, j) && IsChild(container, window.controls[static_cast<std::size_t>(j)].hwnd);
        });
        if (inside >= 0) FocusControl(window, inside);
        break;
      }
      case AccessKeyAction::None:
        break;
    }
    return true;
  }
  return false;
}

// Whether the focused control takes the key itself: an open drop-down list takes Esc and Enter
// to close it, a multi-line edit box Enter for a new line.
bool ControlWantsKey(const WindowInstance& window, int32_t focused, UINT key) {
  if (focused < 0) return false;
  const ControlInstance& control = window.controls[static_cast<std::size_t>(focused)];
  const auto wantsKey = KindTraits(control.kind()).wantsKey;
  return wantsKey && wantsKey(control.hwnd, key);
}

bool KeyIsDown(int key) { return GetKeyState(key) < 0; }

}  // namespace

std::vector<int32_t> TabSequence(const WindowInstance& window) {
  std::vector<int32_t> order(window.controls.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int32_t>(order.size() - 1 - i);
  std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
    return window.controls[static_cast<std::size_t>(a)].record->tabOrder <
           window.controls[static_cast<std::size_t>(b)].record->tabOrder;
  });
  return order;
}

void RestoreFocus(WindowInstance& window, bool mayFocusWindow) {
  HWND saved = window.focusOnDeactivation;
  const int32_t index = saved ? window.ControlIndexOf(saved) : -1;
  if (index >= 0 && IsWindow(saved) && Usable(window, index)) {
    SetFocus(saved);
    return;
  }
  const int32_t first = NextInTabOrder(window, -1, +1, [&](int32_t i) { return CanTakeTab(window, i); });
  if (first >= 0) {
    SetFocus(ControlAt(window, first).hwnd);
  } else if (mayFocusWindow) {
    SetFocus(window.hwnd);
  }
}

bool HandleWindowKeyboard(const MSG& message) {
  // Access keys are taken as characters: the key-down itself goes on to the window, which
  // then knows that Alt was not pressed alone and opens no menu when Alt is let go.
  if (message.message != WM_KEYDOWN && message.message != WM_SYSCHAR) return false;
  WindowInstance* window = FindInstance(message.hwnd);
  if (!window) return false;

  const bool control = KeyIsDown(VK_CONTROL);
  const bool shift = KeyIsDown(VK_SHIFT);
  if (message.message == WM_SYSCHAR) {
    const bool alt = (message.lParam & (LPARAM{1} << 29)) != 0;  // the key's context code
    const auto key = static_cast<UINT>(std::towupper(static_cast<wint_t>(message.wParam)));
    const bool letterOrDigit = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    return alt && letterOrDigit && !control && !shift && HandleAccessKey(*window, key);
  }
  if (control) return false;

  const auto key = static_cast<UINT>(message.wParam);

  const int32_t focused = window->ControlIndexOf(GetFocus());
  switch (key) {
    case VK_TAB:
      MoveFocus(*window, focused, shift ? -1 : +1);
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (shift || focused < 0 || !KindTraits(ControlAt(*window, focused).kind()).arrowsMoveChoice) return false;
      MoveAmongChoices(*window, focused, key == VK_RIGHT || key == VK_DOWN ? +1 : -1);
      return true;
    case VK_ESCAPE:
      if (shift || !window->form->escCloses || ControlWantsKey(*window, focused, key)) return false;
      SendMessageW(window->hwnd, WM_CLOSE, 0, 0);
      return true;
    case VK_RETURN:
      if (shift || ControlWantsKey(*window, focused, key)) return false;
      // No form has a default push button, so Enter either moves on like Tab or does nothing.
      if (window->form->enterMovesFocus) MoveFocus(*window, focused, +1);
      return true;
    default:
      return false;
  }
}

}  // namespace tamrivo
