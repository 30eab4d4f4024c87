#include "ui/controls.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "services/fatal.h"
#include "ui/text_encoding.h"

namespace tamrivo {
namespace {

constexpr int kControlIdBase = 1000;
// The window procedure a control had before ours, kept on the control itself.
constexpr wchar_t kBaseProcProperty[] = L"Tamrivo.BaseProc";

COLORREF ColourRef(Colour colour) {
  return colour == kButtonFace ? GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(colour);
}

bool IsContainer(ControlKind kind) {
  return kind == ControlKind::GroupBox || kind == ControlKind::PictureBox;
}

struct NativeClass {
  const wchar_t* name;
  DWORD style;
  DWORD exStyle;
};

NativeClass NativeClassOf(const ControlRecord& record) {
  const ControlSettings& s = record.settings;
  switch (record.kind) {
    case ControlKind::EditBox: {
      DWORD style = ES_AUTOHSCROLL;
      if (s.alignment == Alignment::Centre) style |= ES_CENTER;
      if (s.alignment == Alignment::Right) style |= ES_RIGHT;
      if (s.border == EditBorder::Single) style |= WS_BORDER;
      return {L"EDIT", style, s.border == EditBorder::Sunken ? DWORD{WS_EX_CLIENTEDGE} : 0};
    }
    case ControlKind::ComboBox:
      // A list the user picks from; the list keeps the height the form gives it.
      return {L"COMBOBOX", CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT | WS_VSCROLL, 0};
    case ControlKind::PushButton:
      return {L"BUTTON", BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 0};
    // Check boxes and radio buttons change their state in our hands, not the control's, so
    // that a click and an access key behave alike.
    case ControlKind::CheckBox:
      return {L"BUTTON", BS_CHECKBOX | BS_LEFT | BS_VCENTER, 0};
    case ControlKind::RadioButton:
      return {L"BUTTON", BS_RADIOBUTTON | BS_LEFT | BS_VCENTER, 0};
    case ControlKind::Label: {
      DWORD style = SS_NOPREFIX;
      if (s.wrap) {
        style |= s.alignment == Alignment::Centre  ? SS_CENTER
                 : s.alignment == Alignment::Right ? SS_RIGHT
                                                   : SS_LEFT;
      } else {
        style |= SS_CENTERIMAGE | (s.alignment == Alignment::Centre  ? SS_CENTER
                                   : s.alignment == Alignment::Right ? SS_RIGHT
                                                                     : SS_LEFTNOWORDWRAP);
      }
      return {L"STATIC", style, 0};
    }
    case ControlKind::TransparentLabel:
      return {L"STATIC", SS_NOPREFIX | SS_LEFT, WS_EX_TRANSPARENT};
    case ControlKind::GroupBox:
      return {L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, 0};
    case ControlKind::Spinner:
      return {UPDOWN_CLASSW, 0, 0};
    case ControlKind::PictureBox:
      return {L"STATIC", SS_NOTIFY | WS_CLIPCHILDREN, 0};
    case ControlKind::WebView:
      // Stands in for the browser control: it keeps the control's place in the form.
      return {L"STATIC", 0, 0};
    case ControlKind::Timer:
      break;
  }
  return {nullptr, 0, 0};
}

// The procedure of the controls the layer watches: group and picture boxes pass their
// children's notifications up to the window; radio buttons mark their focus changes; edit
// boxes with a length limit count it in GBK bytes.
LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

LRESULT CallBase(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto base = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kBaseProcProperty));
  return base ? CallWindowProcW(base, hwnd, message, wParam, lParam)
              : DefWindowProcW(hwnd, message, wParam, lParam);
}

void WatchControl(HWND hwnd) {
  LONG_PTR base = SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc));
  SetPropW(hwnd, kBaseProcProperty, reinterpret_cast<HANDLE>(base));
}

bool ForwardedToWindow(UINT message) {
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

// How many GBK bytes the edit box can still take in place of its selection.
std::size_t RoomFor(HWND edit, int32_t limit) {
  std::wstring text = NativeText(edit);
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (start > end) std::swap(start, end);
  end = std::min<DWORD>(end, static_cast<DWORD>(text.size()));
  start = std::min(start, end);
  text.erase(start, end - start);
  const std::size_t used = GbkLength(text);
  return used >= static_cast<std::size_t>(limit) ? 0 : static_cast<std::size_t>(limit) - used;
}

// Pastes the first line of the clipboard's text, as much of it as fits.
void PasteWithinLimit(HWND edit, int32_t limit) {
  if (!OpenClipboard(edit)) return;
  std::wstring pasted;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      pasted = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  pasted = pasted.substr(0, pasted.find_first_of(L"\r\n"));
  const std::size_t room = RoomFor(edit, limit);
  std::size_t take = 0;
  while (take < pasted.size() && GbkLength(std::wstring_view(pasted).substr(0, take + 1)) <= room) {
    ++take;
  }
  pasted.resize(take);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
}

LRESULT ControlMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowInstance* window = FindInstance(hwnd);
  const int32_t index = window ? window->ControlIndexOf(hwnd) : -1;
  if (index < 0 || window->controls[static_cast<std::size_t>(index)].hwnd != hwnd) {
    return CallBase(hwnd, message, wParam, lParam);
  }
  ControlInstance& control = window->controls[static_cast<std::size_t>(index)];
  const ControlKind kind = control.kind();

  if (IsContainer(kind) && ForwardedToWindow(message)) {
    return SendMessageW(window->hwnd, message, wParam, lParam);
  }
  if (IsContainer(kind) && message == WM_ERASEBKGND) {
    // A group box paints only its frame and caption; the window does not paint under it,
    // since it clips its children. So the box fills its own inside.
    auto dc = reinterpret_cast<HDC>(wParam);
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, ControlColours(*window, index, dc));
    return 1;
  }
  if (kind == ControlKind::RadioButton && (message == WM_SETFOCUS || message == WM_KILLFOCUS)) {
    // The button may send a click while its focus changes; that is no click of the user's.
    const uint64_t serial = window->serial;
    control.focusChanging = true;
    LRESULT result = CallBase(hwnd, message, wParam, lParam);
    if (FindInstanceBySerial(serial)) control.focusChanging = false;
    return result;
  }
  const int32_t limit = control.record->settings.lengthLimit;
  if (kind == ControlKind::EditBox && limit > 0) {
    if ((message == WM_CHAR || message == WM_IME_CHAR) && wParam >= 0x20 && wParam != 0x7F) {
      const wchar_t typed[] = {static_cast<wchar_t>(wParam), L'\0'};
      if (GbkLength(typed) > RoomFor(hwnd, limit)) return 0;  // refused, as a full box does
    } else if (message == WM_PASTE) {
      PasteWithinLimit(hwnd, limit);
      return 0;
    }
  }
  return CallBase(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    if (message == WM_NCDESTROY) {
      LRESULT result = CallBase(hwnd, message, wParam, lParam);
      RemovePropW(hwnd, kBaseProcProperty);
      return result;
    }
    return ControlMessage(hwnd, message, wParam, lParam);
  } catch (...) {
    ReportFatalError("");
  }
}

bool NeedsWatching(const ControlRecord& record) {
  return IsContainer(record.kind) || record.kind == ControlKind::RadioButton ||
         (record.kind == ControlKind::EditBox && record.settings.lengthLimit > 0);
}

int OuterHeight(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect.bottom - rect.top;
}

void SetUpCombo(ControlInstance& control) {
  HWND combo = control.hwnd;
  const ControlSettings& s = control.record->settings;
  for (const ComboItem& item : s.items) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromGbk(item.text).c_str()));
  }
  // Items one pixel taller than the font makes them. Some combo boxes take this only for
  // owner-drawn items; their list box takes it directly.
  const LRESULT itemHeight = SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
  if (itemHeight > 0) {
    SendMessageW(combo, CB_SETITEMHEIGHT, 0, itemHeight + 1);
    COMBOBOXINFO info{sizeof(COMBOBOXINFO)};
    if (SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0) != itemHeight + 1 && GetComboBoxInfo(combo, &info)) {
      SendMessageW(info.hwndList, LB_SETITEMHEIGHT, 0, itemHeight + 1);
    }
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(s.selected), 0);

  // The window height of a combo box sets how far its opened list reaches (the list is what
  // lies below the closed box), and the closed box then takes the height its font gives it.
  // The form wants both its own closed height and the list to end droppedHeight below the
  // top: so the list is made as much longer as the closed box will shrink, then the box shrinks.
  const int wanted = control.record->height;
  if (s.droppedHeight > wanted) {
    auto resize = [&](int height) {
      SetWindowPos(combo, nullptr, 0, 0, control.record->width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    resize(s.droppedHeight);
    const int natural = OuterHeight(combo);
    if (natural != wanted) resize(s.droppedHeight + natural - wanted);
  }
  // The selection field grows or shrinks by the difference, measured again after each step:
  // implementations count the field's border differently when it is set and when it is read.
  LRESULT field = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  for (int attempt = 0; attempt < 3 && field > 0; ++attempt) {
    const int difference = wanted - OuterHeight(combo);
    if (difference == 0 || field + difference <= 0) break;
    field += difference;
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
}

bool CreateControl(WindowInstance& window, int32_t index) {
  ControlInstance& control = window.controls[static_cast<std::size_t>(index)];
  const ControlRecord& record = *control.record;
  if (record.kind == ControlKind::Timer) return true;
  const NativeClass native = NativeClassOf(record);
  if (!native.name) return false;

  HWND parent = window.hwnd;
  if (record.parent != kNoParent) parent = window.controls[static_cast<std::size_t>(record.parent)].hwnd;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | native.style;
  if (record.disabled) style |= WS_DISABLED;
  if (record.tabStop) style |= WS_TABSTOP;
  int height = record.height;
  if (record.kind == ControlKind::ComboBox && record.settings.droppedHeight > height) {
    height = record.settings.droppedHeight;  // a combo box's window height includes its list
  }
  const std::wstring text = WideFromGbk(record.text);
  control.hwnd = CreateWindowExW(native.exStyle, native.name, text.c_str(), style, record.left,
                                 record.top, record.width, height, parent,
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

  switch (record.kind) {
    case ControlKind::EditBox:
      if (s.lengthLimit > 0) SendMessageW(control.hwnd, EM_LIMITTEXT, static_cast<WPARAM>(s.lengthLimit), 0);
      break;
    case ControlKind::ComboBox:
      SetUpCombo(control);
      break;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      SendMessageW(control.hwnd, BM_SETCHECK, s.checked ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case ControlKind::Spinner:
      // Its position is never used: it stays in the middle, so both arrows always step.
      SendMessageW(control.hwnd, UDM_SETRANGE32, 0, 100);
      SendMessageW(control.hwnd, UDM_SETPOS32, 0, 50);
      // It may have taken a default size of its own at creation.
      SetWindowPos(control.hwnd, nullptr, 0, 0, record.width, record.height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    default:
      break;
  }
  if (NeedsWatching(record)) WatchControl(control.hwnd);
  return true;
}

}  // namespace

bool CreateControls(WindowInstance& window) {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);

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
        if (parent < 0 || static_cast<std::size_t>(parent) >= count || !IsContainer(records[parent].kind)) {
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
    if (records[i].kind == ControlKind::Timer) SetTimerPeriod(window, static_cast<int32_t>(i), records[i].settings.period);
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
  switch (control.kind()) {
    case ControlKind::EditBox:
    case ControlKind::Label:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::GroupBox:
    case ControlKind::PictureBox:
      SetTextColor(dc, ColourRef(s.textColour));
      SetBkColor(dc, ColourRef(s.background));
      return control.background ? control.background.get() : GetSysColorBrush(COLOR_BTNFACE);
    case ControlKind::TransparentLabel:
      SetTextColor(dc, ColourRef(s.textColour));
      SetBkMode(dc, TRANSPARENT);
      return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    default:
      return nullptr;
  }
}

void SetTimerPeriod(WindowInstance& window, int32_t index, int32_t period) {
  if (period < 0) period = 0;
  ControlInstance& timer = window.controls[static_cast<std::size_t>(index)];
  if (period == timer.period) return;
  if (timer.period > 0) KillTimer(window.hwnd, TimerIdOf(index));
  timer.period = period;
  if (period > 0) SetTimer(window.hwnd, TimerIdOf(index), static_cast<UINT>(period), nullptr);
}

void CheckRadioButton(const WindowInstance& window, int32_t index) {
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
