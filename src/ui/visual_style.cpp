// The switch of the themed look, the hook that takes over windows as they are created, and
// the procedure that tracks each taken-over control's state and paints it.
//
// Each control gets its own procedure through SetWindowSubclass, stacked with whatever other
// procedures the window has, so taking over and giving back never cut another one out of
// the chain. Every message is treated as coming from anywhere: the records are looked up by
// window again after each call that could have destroyed the window.
#include "ui/visual_style.h"

#include <windows.h>

#include <commctrl.h>

#include <unordered_map>

#include "services/fatal.h"
#include "ui/handles.h"
#include "ui/theme_colours.h"
#include "ui/theme_painting.h"
#include "ui/themed_control.h"

namespace tamrivo {
namespace {

constexpr UINT_PTR kSubclassId = 0x54686D65;  // "Thme"

// The process-wide state of the look. The GUI thread alone uses it.
struct VisualStyle {
  int32_t scheme = 0;  // the last value passed to SetVisualStyle
  std::unordered_map<HWND, ThemedControl> controls;
  UniqueHook creationHook;
  PaintBuffer paintBuffer;
};
VisualStyle g_look;

ThemedControl* Find(HWND window) {
  auto found = g_look.controls.find(window);
  return found == g_look.controls.end() ? nullptr : &found->second;
}

void Repaint(HWND window) {
  ThemedControl* control = Find(window);
  if (!control) return;
  if (!control->coloursKnown) {
    ParentColours colours{};
    {
      WindowDc dc(window);
      colours = AskParentColours(window, dc.get());
    }
    control = Find(window);
    if (!control) return;
    control->background = colours.background;
    control->textColour = colours.text;
    control->coloursKnown = true;
  }
  // A copy: painting reads the window's text and style.
  const ThemedControl state = *control;
  PaintThemedControl(state, ColourSetOf(g_look.scheme), g_look.paintBuffer);
  if ((control = Find(window))) ++control->paints;
}

// Frame and client area, erased first, at once. A group box is transparent, so what lies
// under it is drawn again too: otherwise the lines of the other look would stay.
void RedrawCompletely(HWND window, ThemedControlKind kind) {
  constexpr UINT kNow = RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW | RDW_UPDATENOW;
  HWND parent = GetParent(window);
  if (kind == ThemedControlKind::GroupBox && parent) {
    RECT place{};
    GetWindowRect(window, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    RedrawWindow(parent, &place, nullptr, kNow | RDW_ALLCHILDREN);
  }
  RedrawWindow(window, nullptr, nullptr, kNow);
}

LRESULT CALLBACK ThemedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) noexcept;

void TakeOver(HWND window);

// A spin button beside its buddy edit box makes one field with it.
void JoinSpinButton(HWND spin) {
  const LONG_PTR style = GetWindowLongPtrW(spin, GWL_STYLE);
  const bool atRight = (style & UDS_ALIGNRIGHT) != 0;
  const bool atLeft = (style & UDS_ALIGNLEFT) != 0;
  auto buddy = reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0));
  if (!buddy || !(atRight || atLeft) || !IsWindow(buddy)) return;
  if (GetWindowThreadProcessId(buddy, nullptr) != GetCurrentThreadId()) return;
  TakeOver(buddy);
  ThemedControl* edit = Find(buddy);
  ThemedControl* self = Find(spin);
  if (!edit || !self || edit->kind != ThemedControlKind::EditBox) return;
  edit->joinedRight = atRight;
  edit->joinedLeft = atLeft;
  self->joinedLeft = atRight;
  self->joinedRight = atLeft;
  Repaint(buddy);
}

void TakeOver(HWND window) {
  if (Find(window)) return;
  const ThemedControlKind kind = ThemedKindOf(window);
  if (kind == ThemedControlKind::None) return;
  const ThemedControl state = InitialState(window, kind);
  if (Find(window) || !SetWindowSubclass(window, ThemedProc, kSubclassId, 0)) return;
  g_look.controls.emplace(window, state);
  if (kind == ThemedControlKind::SpinButton) JoinSpinButton(window);
  RedrawCompletely(window, kind);
}

void GiveBack(HWND window, bool redraw) {
  auto found = g_look.controls.find(window);
  if (found == g_look.controls.end()) return;
  const ThemedControlKind kind = found->second.kind;
  g_look.controls.erase(found);
  RemoveWindowSubclass(window, ThemedProc, kSubclassId);
  if (redraw) RedrawCompletely(window, kind);
}

BOOL CALLBACK TakeOverChild(HWND window, LPARAM) {
  TakeOver(window);
  return TRUE;
}

BOOL CALLBACK TakeOverTree(HWND window, LPARAM) {
  TakeOver(window);
  EnumChildWindows(window, TakeOverChild, 0);
  return TRUE;
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call && call->message == WM_CREATE) TakeOver(call->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  } catch (...) {
    ReportFatalError("");
  }
}

bool SwitchOff() {
  while (!g_look.controls.empty()) GiveBack(g_look.controls.begin()->first, true);
  if (!g_look.creationHook) return false;
  return UnhookWindowsHookEx(g_look.creationHook.release()) != FALSE;
}

// Message handling -------------------------------------------------------------------------

struct Message {
  HWND window;
  UINT id;
  WPARAM wParam;
  LPARAM lParam;
};

LRESULT Previous(const Message& m) { return DefSubclassProc(m.window, m.id, m.wParam, m.lParam); }

LRESULT PreviousThenPaint(const Message& m) {
  const LRESULT result = Previous(m);
  Repaint(m.window);
  return result;
}

LRESULT DefaultThenPaint(const Message& m) {
  const LRESULT result = DefWindowProcW(m.window, m.id, m.wParam, m.lParam);
  Repaint(m.window);
  return result;
}

// The frame is painted first and the client area right after: when the client area waits
// for its WM_PAINT, that paint covers the frame too, so it is painted once.
LRESULT FrameThenPaint(const Message& m, bool byPrevious) {
  const bool clientWaits = GetUpdateRect(m.window, nullptr, FALSE) != FALSE;
  const LRESULT result = byPrevious ? Previous(m) : DefWindowProcW(m.window, m.id, m.wParam, m.lParam);
  if (!clientWaits) Repaint(m.window);
  return result;
}

// Focus, enabling and the mouse, for every kind; `paints` is false for the combo list, which
// draws itself.
LRESULT CommonState(ThemedControl& control, const Message& m, bool paints) {
  auto changed = [&] { return paints ? PreviousThenPaint(m) : Previous(m); };
  switch (m.id) {
    case WM_SETFOCUS:
      control.focused = true;
      return changed();
    case WM_KILLFOCUS:
      control.focused = false;
      return changed();
    case WM_ENABLE:
      control.disabled = m.wParam == 0;
      return changed();
    case WM_MOUSEMOVE:
      if ((m.wParam & MK_LBUTTON) || control.hover) break;
      {
        TRACKMOUSEEVENT leave{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m.window, 0};
        TrackMouseEvent(&leave);
      }
      control.hover = true;
      return changed();
    case WM_MOUSELEAVE:
      if (!control.hover) break;
      control.hover = false;
      return changed();
    default:
      break;
  }
  return Previous(m);
}

LRESULT ButtonMessage(ThemedControl& control, const Message& m) {
  switch (m.id) {
    case WM_PAINT:
    case WM_SETTEXT:
      return DefaultThenPaint(m);
    case WM_ERASEBKGND:
      return Previous(m);
    case BM_SETCHECK:
      control.checked = m.wParam == BST_CHECKED;
      control.indeterminate = m.wParam == BST_INDETERMINATE;
      return PreviousThenPaint(m);
    case BM_SETSTATE:
      control.pushed = m.wParam != 0;
      return PreviousThenPaint(m);
    case BM_SETSTYLE:
      control.isDefault = (m.wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
      return PreviousThenPaint(m);
    default:
      return CommonState(control, m, true);
  }
}

LRESULT EditMessage(ThemedControl& control, const Message& m) {
  switch (m.id) {
    case WM_NCPAINT:
      return FrameThenPaint(m, true);
    case WM_PAINT:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return PreviousThenPaint(m);
    case WM_NCMOUSEMOVE:
      if (control.hover) break;
      control.hover = true;
      return DefaultThenPaint(m);
    case WM_MOUSELEAVE:
      if (!control.hover) break;
      control.hover = false;
      return DefaultThenPaint(m);
    default:
      break;
  }
  return CommonState(control, m, true);
}

LRESULT ComboMessage(ThemedControl& control, const Message& m) {
  switch (m.id) {
    case WM_NCPAINT:
      return FrameThenPaint(m, true);
    case WM_PAINT:
      return PreviousThenPaint(m);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      control.pushed = m.id == WM_LBUTTONDOWN;
      return PreviousThenPaint(m);
    default:
      return CommonState(control, m, true);
  }
}

bool OverFirstHalf(const ThemedControl& control, LPARAM point) {
  RECT client{};
  GetClientRect(control.hwnd, &client);
  const short x = static_cast<short>(LOWORD(point)), y = static_cast<short>(HIWORD(point));
  return control.horizontal ? x < client.right / 2 : y < client.bottom / 2;
}

LRESULT SpinMessage(ThemedControl& control, const Message& m) {
  switch (m.id) {
    // The arrows are all ours: the control's own procedure never paints.
    case WM_NCPAINT:
      return FrameThenPaint(m, false);
    case WM_PAINT:
      return DefaultThenPaint(m);
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE: {
      const bool first = OverFirstHalf(control, m.lParam);
      if (first == control.firstHalfHot) break;
      control.firstHalfHot = first;
      const uint64_t paintsBefore = control.paints;
      const LRESULT result = CommonState(control, m, true);
      ThemedControl* still = Find(m.window);
      if (still && still->paints == paintsBefore) Repaint(m.window);
      return result;
    }
    case WM_LBUTTONUP:
      control.pushed = false;
      return PreviousThenPaint(m);
    case WM_CREATE:
    case UDM_SETBUDDY: {
      // The buddy is known only now when the spin button was taken over at its creation.
      const LRESULT result = Previous(m);
      if (Find(m.window)) JoinSpinButton(m.window);
      return result;
    }
    default:
      break;
  }
  return CommonState(control, m, true);
}

LRESULT GroupBoxMessage(ThemedControl& control, const Message& m) {
  if (m.id == WM_NCPAINT) return FrameThenPaint(m, false);
  if (m.id == WM_PAINT) return DefaultThenPaint(m);
  return CommonState(control, m, true);
}

LRESULT OnMessage(const Message& m) {
  ThemedControl* control = Find(m.window);
  if (!control) return Previous(m);
  switch (m.id) {
    case WM_DESTROY: {
      const LRESULT result = Previous(m);
      GiveBack(m.window, false);
      return result;
    }
    case WM_NCDESTROY:
      GiveBack(m.window, false);
      return Previous(m);
    case EM_SETREADONLY:
      if (control->kind == ThemedControlKind::EditBox) return Previous(m);
      break;
    case WM_LBUTTONDOWN:
      if (control->kind == ThemedControlKind::SpinButton) return Previous(m);
      break;
    case WM_SETFONT:
      control->font = reinterpret_cast<HFONT>(m.wParam);
      break;
    case WM_ERASEBKGND: {
      const ParentColours colours = AskParentColours(m.window, reinterpret_cast<HDC>(m.wParam));
      control = Find(m.window);
      if (!control) return Previous(m);
      control->background = colours.background;
      control->textColour = colours.text;
      control->coloursKnown = true;
      break;
    }
    default:
      break;
  }
  switch (control->kind) {
    case ThemedControlKind::PushButton:
    case ThemedControlKind::CheckBox:
    case ThemedControlKind::RadioButton:
      return ButtonMessage(*control, m);
    case ThemedControlKind::EditBox:
      return EditMessage(*control, m);
    case ThemedControlKind::DropDownCombo:
      return ComboMessage(*control, m);
    case ThemedControlKind::SpinButton:
      return SpinMessage(*control, m);
    case ThemedControlKind::GroupBox:
      return GroupBoxMessage(*control, m);
    case ThemedControlKind::ComboList:
      return CommonState(*control, m, false);
    case ThemedControlKind::None:
      break;
  }
  return Previous(m);
}

LRESULT CALLBACK ThemedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) noexcept {
  try {
    return OnMessage({window, message, wParam, lParam});
  } catch (...) {
    ReportFatalError("");
  }
}

}  // namespace

bool SetVisualStyle(int32_t scheme) {
  g_look.scheme = scheme;
  if (scheme < 1 || scheme > 3) return SwitchOff();
  SwitchOff();
  const DWORD thread = GetCurrentThreadId();
  EnumThreadWindows(thread, TakeOverTree, 0);
  g_look.creationHook.reset(SetWindowsHookExW(WH_CALLWNDPROC, CreationHook, nullptr, thread));
  return true;
}

std::size_t ThemedWindowCount() { return g_look.controls.size(); }

const ThemedControl* FindThemedControl(HWND window) { return Find(window); }

}  // namespace tamrivo
