#include "ui/control_kinds.h"

#include <commctrl.h>

#include <array>

#include "ui/combo_box.h"
#include "ui/controls.h"
#include "ui/edit_box.h"
#include "ui/web_view.h"

namespace tamrivo {
namespace {

// Labels: wrapped from the top, or one line centred vertically.
NativeStyle LabelStyle(const ControlSettings& s) {
  if (s.wrap) {
    return {s.alignment == Alignment::Centre ? DWORD{SS_CENTER} : s.alignment == Alignment::Right ? DWORD{SS_RIGHT} : DWORD{SS_LEFT}};
  }
  return {SS_CENTERIMAGE | (s.alignment == Alignment::Centre  ? DWORD{SS_CENTER}
                            : s.alignment == Alignment::Right ? DWORD{SS_RIGHT}
                                                              : DWORD{SS_LEFTNOWORDWRAP})};
}

void SetUpCheck(ControlInstance& button) {
  SendMessageW(button.hwnd, BM_SETCHECK, button.record->settings.checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetUpSpinner(ControlInstance& spinner) {
  // Its position is never used: it stays in the middle, so both arrows always step.
  SendMessageW(spinner.hwnd, UDM_SETRANGE32, 0, 100);
  SendMessageW(spinner.hwnd, UDM_SETPOS32, 0, 50);
  // It may have taken a default size of its own at creation.
  SetWindowPos(spinner.hwnd, nullptr, 0, 0, spinner.record->width, spinner.record->height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ToggleCheck(WindowInstance& window, int32_t index) {
  HWND box = window.controls[static_cast<std::size_t>(index)].hwnd;
  const bool checked = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  SendMessageW(box, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
}

// The button may send a click while its focus changes; that is no click of the user's.
bool RadioButtonMessage(WindowInstance& window, int32_t index, UINT message, WPARAM wParam, LPARAM lParam,
                        LRESULT& result) {
  if (message != WM_SETFOCUS && message != WM_KILLFOCUS) return false;
  const uint64_t serial = window.serial;
  ControlInstance& radio = window.controls[static_cast<std::size_t>(index)];
  radio.focusChanging = true;
  result = DefSubclassProc(radio.hwnd, message, wParam, lParam);
  if (FindInstanceBySerial(serial)) radio.focusChanging = false;
  return true;
}

bool PassedUp(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      return true;
    default:
      return false;
  }
}

// Group and picture boxes pass their children's notifications up to the window, which knows
// the controls. A group box paints only its frame and caption, and the window does not paint
// under it, since it clips its children: so the box fills its own inside.
bool ContainerMessage(WindowInstance& window, int32_t index, UINT message, WPARAM wParam, LPARAM lParam,
                      LRESULT& result) {
  if (PassedUp(message)) {
    // The window is ours and on this thread: its procedure is called as SendMessage would
    // call it, without a second trip through the thread's hooks for every notification.
    const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window.hwnd, GWLP_WNDPROC));
    result = procedure ? CallWindowProcW(procedure, window.hwnd, message, wParam, lParam) : 0;
    return true;
  }
  if (message == WM_ERASEBKGND) {
    auto dc = reinterpret_cast<HDC>(wParam);
    RECT client{};
    GetClientRect(window.controls[static_cast<std::size_t>(index)].hwnd, &client);
    FillRect(dc, &client, ControlColours(window, index, dc));
    result = 1;
    return true;
  }
  return false;
}

constexpr ControlKindTraits kNoTraits{};

// One row per kind, in the order of ControlKind.
constexpr std::array<ControlKindTraits, 12> kKinds{{
    {.kind = ControlKind::EditBox, .nativeClass = L"EDIT", .style = ES_AUTOHSCROLL,
     .settingsStyle = EditBoxStyle, .setUp = SetUpEditBox,
     .text = TextProperty::Content, .event = EventSource::ContentChange,
     .selectAllOnFocus = true, .wantsKey = EditBoxWantsKey,
     .message = EditBoxMessage, .colours = Colouring::Own},
    // A list the user picks from; the list keeps the height the form gives it.
    {.kind = ControlKind::ComboBox, .nativeClass = L"COMBOBOX",
     .style = CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT | WS_VSCROLL,
     .creationHeight = ComboBoxCreationHeight, .setUp = SetUpComboBox,
     .selection = true, .wantsKey = ComboBoxWantsKey},
    {.kind = ControlKind::PushButton, .nativeClass = L"BUTTON",
     .style = BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE,
     .text = TextProperty::ButtonCaption, .event = EventSource::Click,
     .accessKey = AccessKeyAction::Click},
    {.kind = ControlKind::CheckBox, .nativeClass = L"BUTTON", .style = BS_CHECKBOX | BS_LEFT | BS_VCENTER,
     .setUp = SetUpCheck, .text = TextProperty::Caption, .checkable = true,
     .event = EventSource::Click, .clickAction = ToggleCheck,
     .accessKey = AccessKeyAction::Click, .colours = Colouring::Own},
    {.kind = ControlKind::RadioButton, .nativeClass = L"BUTTON", .style = BS_RADIOBUTTON | BS_LEFT | BS_VCENTER,
     .setUp = SetUpCheck, .text = TextProperty::Caption, .checkable = true,
     .event = EventSource::Click, .clickAction = CheckRadioButton,
     .accessKey = AccessKeyAction::Click, .arrowsMoveChoice = true,
     .message = RadioButtonMessage, .colours = Colouring::Own},
    {.kind = ControlKind::Label, .nativeClass = L"STATIC", .style = SS_NOPREFIX, .settingsStyle = LabelStyle,
     .accessKey = AccessKeyAction::FocusNext, .colours = Colouring::Own},
    {.kind = ControlKind::GroupBox, .nativeClass = L"BUTTON", .style = BS_GROUPBOX | WS_CLIPCHILDREN,
     .accessKey = AccessKeyAction::FocusInside, .container = true, .message = ContainerMessage,
     .colours = Colouring::Own},
    {.kind = ControlKind::Spinner, .nativeClass = UPDOWN_CLASSW, .setUp = SetUpSpinner,
     .event = EventSource::SpinnerStep},
    {.kind = ControlKind::Timer, .period = true, .event = EventSource::TimerTick},
    {.kind = ControlKind::PictureBox, .nativeClass = L"STATIC", .style = SS_NOTIFY | WS_CLIPCHILDREN,
     .container = true, .message = ContainerMessage, .colours = Colouring::Own},
    {.kind = ControlKind::TransparentLabel, .nativeClass = L"STATIC", .style = SS_NOPREFIX | SS_LEFT,
     .exStyle = WS_EX_TRANSPARENT, .colours = Colouring::Transparent},
    // The host of the browser control (web_view.h): its own class, and the browser inside.
    {.kind = ControlKind::WebView, .nativeClass = kWebViewHostClass, .setUp = SetUpWebView},
}};

static_assert(kKinds.size() == static_cast<std::size_t>(ControlKind::WebView) + 1, "a row for every kind");

constexpr bool RowsInKindOrder() {
  for (std::size_t i = 0; i < kKinds.size(); ++i) {
    if (static_cast<std::size_t>(kKinds[i].kind) != i) return false;
  }
  return true;
}
static_assert(RowsInKindOrder(), "each row of the kind table lies at its kind's number");

}  // namespace

const ControlKindTraits& KindTraits(ControlKind kind) {
  const auto row = static_cast<std::size_t>(kind);
  return row < kKinds.size() ? kKinds[row] : kNoTraits;
}

}  // namespace tamrivo
