#include "ui/themed_control.h"

#include <commctrl.h>

namespace tamrivo {
namespace {

bool IsClass(const wchar_t* className, const wchar_t* name) {
  return CompareStringOrdinal(className, -1, name, -1, TRUE) == CSTR_EQUAL;
}

bool HasClass(HWND window, const wchar_t* name) {
  wchar_t className[64]{};
  return window && GetClassNameW(window, className, 64) > 0 && IsClass(className, name);
}

ThemedControlKind ButtonKind(HWND window, LONG_PTR style) {
  // Image buttons show their picture, which the look does not draw.
  if (style & (BS_BITMAP | BS_ICON)) return ThemedControlKind::None;
  const LONG_PTR type = style & BS_TYPEMASK;
  const bool checkLike = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
                         type == BS_AUTO3STATE;
  const bool radioLike = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
  if ((checkLike || radioLike) && (style & BS_PUSHLIKE)) return ThemedControlKind::PushButton;
  if (checkLike) return ThemedControlKind::CheckBox;
  if (radioLike) return ThemedControlKind::RadioButton;
  if (type == BS_GROUPBOX) return ThemedControlKind::GroupBox;
  if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
    // A bare child button without text is a place holder that others draw on. WS_VISIBLE
    // is not counted: a window does not have it yet while it is being created.
    const bool bare = (style & 0xFFFFFFFF & ~WS_VISIBLE) == (WS_CHILD | WS_TABSTOP) &&
                      GetWindowTextLengthW(window) == 0;
    return bare ? ThemedControlKind::None : ThemedControlKind::PushButton;
  }
  return ThemedControlKind::None;
}

// An edit box made with WS_BORDER and no edge takes the style off as it is created and draws
// a flat line inside its client area instead; what is left of it is its text rectangle,
// inset by that line and a pixel of space beyond the margin.
bool HasFlatBorder(HWND edit) {
  RECT text{};
  SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
  const auto margins = static_cast<DWORD>(SendMessageW(edit, EM_GETMARGINS, 0, 0));
  return text.left - static_cast<LONG>(LOWORD(margins)) >= GetSystemMetrics(SM_CXBORDER) + 1;
}

bool HasBorder(HWND edit, LONG_PTR style) {
  if (style & WS_BORDER) return true;
  if (GetWindowLongPtrW(edit, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) return true;
  return HasFlatBorder(edit);
}

}  // namespace

ThemedControlKind ThemedKindOf(HWND window) {
  wchar_t className[64]{};
  if (!GetClassNameW(window, className, 64)) return ThemedControlKind::None;
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  if (IsClass(className, L"Button")) return ButtonKind(window, style);
  if (IsClass(className, L"Edit")) {
    return HasClass(GetParent(window), WC_IPADDRESSW) ? ThemedControlKind::None : ThemedControlKind::EditBox;
  }
  if (IsClass(className, L"ComboBox")) {
    const LONG_PTR type = style & 3;
    return type == CBS_DROPDOWN || type == CBS_DROPDOWNLIST ? ThemedControlKind::DropDownCombo
                                                            : ThemedControlKind::None;
  }
  if (IsClass(className, L"ComboLBox")) return ThemedControlKind::ComboList;
  if (IsClass(className, UPDOWN_CLASSW)) return ThemedControlKind::SpinButton;
  return ThemedControlKind::None;
}

ThemedControl InitialState(HWND window, ThemedControlKind kind) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  ThemedControl control{.hwnd = window, .kind = kind};
  control.disabled = (style & WS_DISABLED) != 0;
  control.focused = GetFocus() == window;
  control.font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  switch (kind) {
    case ThemedControlKind::PushButton:
    case ThemedControlKind::CheckBox:
    case ThemedControlKind::RadioButton: {
      control.isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
      const LRESULT check = SendMessageW(window, BM_GETCHECK, 0, 0);
      control.checked = check == BST_CHECKED;
      control.indeterminate = check == BST_INDETERMINATE;
      break;
    }
    case ThemedControlKind::EditBox:
      control.readOnly = (style & ES_READONLY) != 0;
      control.bordered = HasBorder(window, style);
      break;
    case ThemedControlKind::SpinButton:
      control.horizontal = (style & UDS_HORZ) != 0;
      break;
    default:
      break;
  }
  return control;
}

}  // namespace tamrivo
