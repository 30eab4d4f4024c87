// The numbered properties of windows and controls: reads give the live state, writes change
// it; an edit box's text write raises its text-changed event, a timer's period write starts
// or stops it.
#include <windows.h>

#include <algorithm>
#include <charconv>

#include "services/fatal.h"
#include "ui/control_kinds.h"
#include "ui/controls.h"
#include "ui/text_encoding.h"
#include "ui/window.h"
#include "ui/window_instance.h"

namespace tamrivo {
namespace {

WindowInstance& LoadedInstance(const Form& window) {
  WindowInstance* instance = FindInstance(window);
  if (!instance || !instance->hwnd) ReportFatalError(kWindowNotLoadedError);
  return *instance;
}

ControlInstance& ExistingControl(WindowInstance& window, int32_t control) {
  if (control < 0 || static_cast<std::size_t>(control) >= window.controls.size()) {
    ReportFatalError(kNoSuchWindowOrControlError);
  }
  return window.controls[static_cast<std::size_t>(control)];
}

// Only a kind with a native window has a place of its own; a timer keeps its form place.
bool HasPlace(ControlKind kind) { return KindTraits(kind).nativeClass != nullptr; }

// Every property but the tag goes to the native control; a timer's native timer lives on the
// window and is there as long as the window is.
void RequireNative(const ControlInstance& control) {
  if (!HasPlace(control.kind())) return;
  if (!control.hwnd || !IsWindow(control.hwnd)) ReportFatalError(kNativeControlMissingError);
}

// The numbered property that holds texts of the kind.
int32_t TextPropertyOf(ControlKind kind) {
  switch (KindTraits(kind).text) {
    case TextProperty::Content: return kText;
    case TextProperty::ButtonCaption: return kButtonCaption;
    case TextProperty::Caption: return kCaption;
    case TextProperty::None: break;
  }
  return -1;
}

OwnedText TextOf(HWND hwnd) { return GbkFromWide(NativeText(hwnd)); }

// Outer place and size: relative to the parent's client area for a control, on the screen for
// a window.
RECT PlaceOf(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) {
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
  }
  return rect;
}

int32_t ReadPlace(HWND hwnd, int32_t property) {
  const RECT rect = PlaceOf(hwnd);
  switch (property) {
    case kLeft: return rect.left;
    case kTop: return rect.top;
    case kWidth: return rect.right - rect.left;
    default: return rect.bottom - rect.top;
  }
}

void WritePlace(HWND hwnd, int32_t property, int32_t value) {
  RECT rect = PlaceOf(hwnd);
  int x = rect.left, y = rect.top, width = rect.right - rect.left, height = rect.bottom - rect.top;
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  switch (property) {
    case kLeft: x = value; flags |= SWP_NOSIZE; break;
    case kTop: y = value; flags |= SWP_NOSIZE; break;
    case kWidth: width = value; flags |= SWP_NOMOVE; break;
    default: height = value; flags |= SWP_NOMOVE; break;
  }
  SetWindowPos(hwnd, nullptr, x, y, width, height, flags);
}

bool IsPlace(int32_t property) { return property >= kLeft && property <= kHeight; }

OwnedText DecimalText(int32_t value) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return OwnedText::Copy(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

// The edit box's text: the native change notification of the replacement is ignored, then the
// event is raised once, now, whether or not the text changed.
void WriteEditText(WindowInstance& window, int32_t index, const char* text) {
  const uint64_t serial = window.serial;
  ControlInstance& edit = window.controls[static_cast<std::size_t>(index)];
  const std::wstring wide = WideFromGbk(text);
  const bool wasSuppressed = std::exchange(edit.suppressChange, true);
  SetWindowTextW(edit.hwnd, wide.c_str());
  if (!FindInstanceBySerial(serial)) return;
  edit.suppressChange = wasSuppressed;
  RaiseEvent(*window.form, index, kTextChanged);
}

void ShowWindowAsProperty(WindowInstance& window, bool visible) {
  if (!visible) {
    ShowWindow(window.hwnd, SW_HIDE);
  } else if (window.firstShowPending) {
    window.firstShowPending = false;
    ShowWindow(window.hwnd, SW_SHOWNORMAL);
  } else {
    // In its current place and size; a minimised window stays minimised.
    ShowWindow(window.hwnd, SW_SHOW);
    if (!IsIconic(window.hwnd)) SetForegroundWindow(window.hwnd);
  }
}

PropertyValue ReadWindowProperty(WindowInstance& window, int32_t property) {
  if (IsPlace(property)) return ReadPlace(window.hwnd, property);
  switch (property) {
    case kVisible: return int32_t{IsWindowVisible(window.hwnd) ? 1 : 0};
    case kDisabled: return int32_t{IsWindowEnabled(window.hwnd) ? 0 : 1};
    case kText: return TextOf(window.hwnd);
    default: return int32_t{0};
  }
}

void WriteWindowProperty(WindowInstance& window, int32_t property, const PropertyValue& value) {
  const int32_t* number = std::get_if<int32_t>(&value);
  const OwnedText* text = std::get_if<OwnedText>(&value);
  if (IsPlace(property)) {
    if (number) WritePlace(window.hwnd, property, *number);
    return;
  }
  switch (property) {
    case kVisible:
      if (number) ShowWindowAsProperty(window, *number != 0);
      break;
    case kDisabled:
      if (number) EnableWindow(window.hwnd, *number == 0);
      break;
    case kText:
      SetWindowTextW(window.hwnd, WideFromGbk(text ? text->get() : DecimalText(*number).get()).c_str());
      break;
    default:
      break;
  }
}

PropertyValue ReadControlProperty(WindowInstance& window, int32_t index, int32_t property) {
  ControlInstance& control = ExistingControl(window, index);
  if (property == kTag) return OwnedText::Copy(control.tag.view());
  RequireNative(control);
  const ControlKind kind = control.kind();
  const ControlKindTraits& traits = KindTraits(kind);
  if (IsPlace(property)) {
    if (!HasPlace(kind)) {
      const int32_t place[] = {control.left, control.top, control.width, control.height};
      return place[property];
    }
    return ReadPlace(control.hwnd, property);
  }
  if (kind == ControlKind::WebView && property >= kFontSize) {
    return control.webView ? control.webView->Read(property) : PropertyValue(int32_t{0});
  }
  switch (property) {
    case kVisible:
      if (!HasPlace(kind)) return int32_t{control.visible && IsWindowVisible(window.hwnd) ? 1 : 0};
      return int32_t{IsWindowVisible(control.hwnd) ? 1 : 0};
    case kDisabled:
      if (!HasPlace(kind)) return int32_t{control.disabled ? 1 : 0};
      return int32_t{IsWindowEnabled(control.hwnd) ? 0 : 1};
    case kText:  // also kPeriod
    case kButtonCaption:
    case kCaption:
      if (property == TextPropertyOf(kind)) return TextOf(control.hwnd);
      if (property == kPeriod && traits.period) return control.period;
      break;
    case kChecked:
      if (traits.checkable) {
        return int32_t{SendMessageW(control.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0};
      }
      break;
    case kSelection:
      if (traits.selection) {
        return static_cast<int32_t>(SendMessageW(control.hwnd, CB_GETCURSEL, 0, 0));  // CB_ERR is -1
      }
      break;
    default:
      break;
  }
  return int32_t{0};  // not a property of this kind
}

void WriteControlProperty(WindowInstance& window, int32_t index, int32_t property, const PropertyValue& value) {
  ControlInstance& control = ExistingControl(window, index);
  const int32_t* number = std::get_if<int32_t>(&value);
  const OwnedText* text = std::get_if<OwnedText>(&value);
  if (property == kTag) {
    control.tag = text ? OwnedText::Copy(text->view()) : DecimalText(*number);
    return;
  }
  RequireNative(control);
  const ControlKind kind = control.kind();
  const ControlKindTraits& traits = KindTraits(kind);
  // A number written where a text belongs is taken as its decimal text.
  auto asText = [&] { return text ? OwnedText::Copy(text->view()) : DecimalText(*number); };

  if (IsPlace(property)) {
    if (!number) return;
    if (!HasPlace(kind)) {
      int32_t* place[] = {&control.left, &control.top, &control.width, &control.height};
      *place[property] = *number;
    } else {
      WritePlace(control.hwnd, property, *number);
    }
    return;
  }
  if (kind == ControlKind::WebView && property >= kFontSize) {
    if (control.webView) control.webView->Write(property, value);
    return;
  }
  switch (property) {
    case kVisible:
      if (!number) return;
      control.visible = *number != 0;
      if (HasPlace(kind)) ShowWindow(control.hwnd, control.visible ? SW_SHOWNA : SW_HIDE);
      return;
    case kDisabled:
      if (!number) return;
      control.disabled = *number != 0;
      if (HasPlace(kind)) EnableWindow(control.hwnd, !control.disabled);
      return;
    case kText:  // also kPeriod
    case kButtonCaption:
    case kCaption:
      if (property == kPeriod && traits.period) {
        if (number) SetTimerPeriod(window, index, *number);
      } else if (property != TextPropertyOf(kind)) {
        return;
      } else if (traits.event == EventSource::ContentChange) {
        WriteEditText(window, index, asText().get());
      } else {
        SetWindowTextW(control.hwnd, WideFromGbk(asText().get()).c_str());
      }
      return;
    case kChecked:
      // The state only: no event, and the other radio buttons keep theirs.
      if (traits.checkable && number) {
        SendMessageW(control.hwnd, BM_SETCHECK, *number ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      return;
    case kSelection:
      if (traits.selection && number) {
        const auto count = static_cast<int32_t>(SendMessageW(control.hwnd, CB_GETCOUNT, 0, 0));
        const int32_t selected = std::clamp(*number, -1, std::max(count - 1, -1));
        SendMessageW(control.hwnd, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
      }
      return;
    default:
      return;
  }
}

void SetProperty(const Form& window, int32_t control, int32_t property, const PropertyValue& value) {
  WindowInstance& instance = LoadedInstance(window);
  if (control == kWindowItself) {
    WriteWindowProperty(instance, property, value);
  } else {
    WriteControlProperty(instance, control, property, value);
  }
}

}  // namespace

PropertyValue GetControlProperty(const Form& window, int32_t control, int32_t property) {
  WindowInstance& instance = LoadedInstance(window);
  if (control == kWindowItself) return ReadWindowProperty(instance, property);
  return ReadControlProperty(instance, control, property);
}

void SetControlProperty(const Form& window, int32_t control, int32_t property, int32_t value) {
  SetProperty(window, control, property, PropertyValue(value));
}

void SetControlProperty(const Form& window, int32_t control, int32_t property, const char* text) {
  SetProperty(window, control, property, PropertyValue(OwnedText::Copy(text ? text : "")));
}

OwnedText GetTextProperty(const Form& window, int32_t control, int32_t property) {
  PropertyValue value = GetControlProperty(window, control, property);
  if (auto* text = std::get_if<OwnedText>(&value)) return std::move(*text);
  return DecimalText(std::get<int32_t>(value));
}

int32_t GetIntProperty(const Form& window, int32_t control, int32_t property) {
  PropertyValue value = GetControlProperty(window, control, property);
  if (auto* number = std::get_if<int32_t>(&value)) return *number;
  return 0;  // a text property: callers read those with GetTextProperty
}

}  // namespace tamrivo
