#include "ui/controls.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "services/fatal.h"
#include "ui/control_kinds.h"
#include "ui/text_encoding.h"
#include "ui/web_view.h"
#include "ui/window.h"

namespace tamrivo {
namespace {

constexpr int kControlIdBase = 1000;
// The layer's place among the procedures stacked on a control.
constexpr UINT_PTR kLayerSubclassId = 1;

COLORREF ColourRef(Colour colour) {
  return colour == kButtonFace ? GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(colour);
}

// The layer's own handling of a control's messages, stacked on the native procedure and on
// whatever else is stacked there (the themed look, for one); each leaves without cutting the
// others out.
LRESULT CALLBACK LayerControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR) noexcept {
  try {
    if (message == WM_NCDESTROY) {
      RemoveWindowSubclass(hwnd, LayerControlProc, kLayerSubclassId);
      return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    WindowInstance* window = FindInstance(hwnd);
    const int32_t index = window ? window->ControlIndexOf(hwnd) : -1;
    if (index >= 0 && window->controls[static_cast<std::size_t>(index)].hwnd == hwnd) {
      const ControlKindTraits& traits = KindTraits(window->controls[static_cast<std::size_t>(index)].kind());
      LRESULT result = 0;
      if (traits.message && traits.message(*window, index, message, wParam, lParam, result)) return result;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
  } catch (...) {
    ReportFatalError("");
  }
}

bool CreateControl(WindowInstance& window, int32_t index) {
  ControlInstance& control = window.controls[static_cast<std::size_t>(index)];
  const ControlRecord& record = *control.record;
  const ControlKindTraits& traits = KindTraits(record.kind);
  if (!traits.nativeClass) return true;  // a timer ticks on its window

  HWND parent = window.hwnd;
  if (record.parent != kNoParent) parent = window.controls[static_cast<std::size_t>(record.parent)].hwnd;
  const NativeStyle fromSettings = traits.settingsStyle ? traits.settingsStyle(record.settings) : NativeStyle{};
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | traits.style | fromSettings.style;
  if (record.disabled) style |= WS_DISABLED;
  if (record.tabStop) style |= WS_TABSTOP;
  const int height = traits.creationHeight ? traits.creationHeight(record) : record.height;
  const std::wstring text = WideFromGbk(record.text);
  control.hwnd = CreateWindowExW(traits.exStyle | fromSettings.exStyle, traits.nativeClass, text.c_str(),
                                 style, record.left, record.top, record.width, height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlIdBase + index)),
                                 GetModuleHandleW(nullptr), nullptr);
  if (!control.hwnd) return false;

  const ControlSettings& s = record.settings;
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (s.font) {
    control.font.reset(CreateFontW(s.font->height, 0, 0, 0, s.font->weight, FALSE, FALSE, FALSE,
                                   static_cast<DWORD>(s.font->charset), OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                   WideFromGbk(s.font->face).c_str()));
    if (control.font) font = control.font.get();
  }
  SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (s.background != kButtonFace) control.background.reset(CreateSolidBrush(ColourRef(s.background)));

  if (traits.setUp) traits.setUp(control);
  if (traits.message && !SetWindowSubclass(control.hwnd, LayerControlProc, kLayerSubclassId, 0)) return false;
  return true;
}

}  // namespace

bool CreateControls(WindowInstance& window) {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  RegisterWebViewHostClass();

  const auto& records = window.form->controls;
  window.controls.clear();
  window.controls.reserve(records.size());
  for (const ControlRecord& record : records) {
    ControlInstance& control = window.controls.emplace_back();
    control.record = &record;
    control.visible = record.visible;
    control.disabled = record.disabled;
    control.left = record.left;
    control.top = record.top;
    control.width = record.width;
    control.height = record.height;
  }

  // In form order, except that a parent comes before its children: a group box is listed
  // after the controls it holds.
  const std::size_t count = records.size();
  std::vector<bool> created(count, false);
  for (std::size_t done = 0; done < count;) {
    const std::size_t before = done;
    for (std::size_t i = 0; i < count; ++i) {
      if (created[i]) continue;
      const int32_t parent = records[i].parent;
      if (parent != kNoParent) {
        if (parent < 0 || static_cast<std::size_t>(parent) >= count || !KindTraits(records[parent].kind).container) {
          return false;
        }
        if (!created[static_cast<std::size_t>(parent)]) continue;
      }
      if (!CreateControl(window, static_cast<int32_t>(i))) return false;
      created[i] = true;
      ++done;
    }
    if (done == before) return false;  // parents that contain each other
  }

  // Each goes to the bottom in turn, so the first lies on top.
  for (const ControlInstance& control : window.controls) {
    if (control.hwnd) {
      SetWindowPos(control.hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  for (std::size_t i = 0; i < count; ++i) {
    if (KindTraits(records[i].kind).period) SetTimerPeriod(window, static_cast<int32_t>(i), records[i].settings.period);
  }
  return true;
}

void ShowVisibleControls(const WindowInstance& window) {
  for (const ControlInstance& control : window.controls) {
    if (control.hwnd && control.visible) ShowWindow(control.hwnd, SW_SHOWNA);
  }
}

HBRUSH ControlColours(const WindowInstance& window, int32_t index, HDC dc) {
  const ControlInstance& control = window.controls[static_cast<std::size_t>(index)];
  const ControlSettings& s = control.record->settings;
  switch (KindTraits(control.kind()).colours) {
    case Colouring::Own:
      SetTextColor(dc, ColourRef(s.textColour));
      SetBkColor(dc, ColourRef(s.background));
      return control.background ? control.background.get() : GetSysColorBrush(COLOR_BTNFACE);
    case Colouring::Transparent:
      SetTextColor(dc, ColourRef(s.textColour));
      SetBkMode(dc, TRANSPARENT);
      return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    case Colouring::System:
      break;
  }
  return nullptr;
}

void SetTimerPeriod(WindowInstance& window, int32_t index, int32_t period) {
  if (period < 0) period = 0;
  ControlInstance& timer = window.controls[static_cast<std::size_t>(index)];
  if (period == timer.period) return;
  if (timer.period > 0) KillTimer(window.hwnd, TimerIdOf(index));
  timer.period = period;
  // A timer the system refuses would never tick: it reads back as stopped.
  if (period > 0 && !SetTimer(window.hwnd, TimerIdOf(index), static_cast<UINT>(period), nullptr)) {
    timer.period = 0;
  }
}

void ClickControl(WindowInstance& window, int32_t index) {
  if (auto action = KindTraits(window.controls[static_cast<std::size_t>(index)].kind()).clickAction) {
    action(window, index);
  }
  RaiseEvent(*window.form, index, kClicked);
}

void CheckRadioButton(WindowInstance& window, int32_t index) {
  const int32_t parent = window.controls[static_cast<std::size_t>(index)].record->parent;
  for (std::size_t i = 0; i < window.controls.size(); ++i) {
    const ControlInstance& other = window.controls[i];
    if (other.kind() != ControlKind::RadioButton || other.record->parent != parent || !other.hwnd) continue;
    const bool checked = static_cast<int32_t>(i) == index;
    SendMessageW(other.hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

std::wstring NativeText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

}  // namespace tamrivo
