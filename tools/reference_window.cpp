// The floor that scripts/bench measures tamrivo.exe against: the least a Win32 program of the
// same shape can do. One fixed window of the main window's size with 20 standard controls of
// the same kinds, and a 1-second timer that writes the date and time into an edit box. Plain
// Win32, none of the program's code: no forms, no text conversion, no handlers.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <initializer_list>
#include <iterator>

namespace {

constexpr int kWidth = 295, kHeight = 378;
constexpr UINT_PTR kClockTimer = 1;
constexpr int kClockId = 100;

struct Child {
  const wchar_t* className;
  const wchar_t* text;
  DWORD style;
  int x, y, width, height;
};

constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kList = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kSpin = WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS;
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE;

// Places and texts follow the main window's form, so both windows paint about the same area
// and the same glyphs: a Chinese text takes more of the font into memory than a Latin one.
constexpr Child kChildren[] = {
    {L"BUTTON", L"配置", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 12, 8, 264, 240},
    {L"STATIC", L"动作", kLabel, 30, 40, 40, 15},
    {L"COMBOBOX", nullptr, kList, 78, 36, 151, 160},
    {L"BUTTON", L"在", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON | WS_GROUP, 30, 72, 30, 14},
    {L"EDIT", L"1", kEdit, 78, 68, 32, 20},
    {L"msctls_updown32", nullptr, kSpin, 112, 67, 11, 20},
    {L"COMBOBOX", nullptr, kList, 132, 68, 97, 160},
    {L"BUTTON", L"于", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON, 30, 102, 34, 17},
    {L"EDIT", L"1", kEdit | WS_DISABLED, 78, 99, 20, 20},
    {L"msctls_updown32", nullptr, kSpin | WS_DISABLED, 100, 98, 11, 20},
    {L"STATIC", L"时", kLabel, 114, 103, 11, 15},
    {L"EDIT", L"0", kEdit | WS_DISABLED, 129, 99, 17, 20},
    {L"msctls_updown32", nullptr, kSpin | WS_DISABLED, 150, 98, 12, 20},
    {L"STATIC", L"分", kLabel, 164, 103, 13, 15},
    {L"COMBOBOX", nullptr, kList | WS_DISABLED, 179, 100, 50, 160},
    {L"EDIT", L"", kEdit | ES_CENTER | ES_READONLY, 34, 131, 194, 20},  // the clock line
    {L"BUTTON", L"托盘图标闪烁，在执行动作前", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 33, 164, 178, 24},
    {L"EDIT", L"定时器已停止", kEdit | ES_READONLY, 34, 196, 194, 20},  // the remaining-time line
    {L"BUTTON", L"启动定时器(&E)", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 140, 288, 120, 32},
    {L"BUTTON", L"关于软件和作者", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 24, 288, 96, 32},
};
constexpr int kClockIndex = 15;
constexpr int kRemainingIndex = 17;
constexpr int kAboutIndex = 19;

// The two controls with a font of their own, as in the main window's form.
struct Fonts {
  HFONT remaining = CreateFontW(-14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"新宋体");
  HFONT about = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体");
  Fonts() = default;
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;
  ~Fonts() {
    DeleteObject(remaining);
    DeleteObject(about);
  }
};
const Fonts* g_fonts = nullptr;

void WriteClock(HWND window) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  wchar_t line[64];
  swprintf(line, 64, L"%u年%u月%u日%u时%u分%u秒", now.wYear, now.wMonth, now.wDay, now.wHour,
           now.wMinute, now.wSecond);
  SetDlgItemTextW(window, kClockId, line);
}

void CreateChildren(HWND window) {
  const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  const HINSTANCE module = GetModuleHandleW(nullptr);
  for (int i = 0; i < static_cast<int>(std::size(kChildren)); ++i) {
    const Child& c = kChildren[i];
    const int id = i == kClockIndex ? kClockId : 1000 + i;
    HWND child = CreateWindowExW(0, c.className, c.text, c.style, c.x, c.y, c.width, c.height,
                                 window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 module, nullptr);
    WPARAM own = font;
    if (i == kRemainingIndex) own = reinterpret_cast<WPARAM>(g_fonts->remaining);
    if (i == kAboutIndex) own = reinterpret_cast<WPARAM>(g_fonts->about);
    SendMessageW(child, WM_SETFONT, own, FALSE);
    if (std::wcscmp(c.className, L"COMBOBOX") == 0) {
      for (const wchar_t* item : {L"关机", L"重启", L"注销"}) {
        SendMessageW(child, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
      }
      SendMessageW(child, CB_SETCURSEL, 0, 0);
    }
  }
  CheckRadioButton(window, 1003, 1007, 1003);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateChildren(window);
      SetTimer(window, kClockTimer, 1000, nullptr);
      return 0;
    case WM_TIMER:
      if (wParam == kClockTimer) WriteClock(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE module, HINSTANCE, LPWSTR, int) {
  const INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  const Fonts fonts;
  g_fonts = &fonts;
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = module;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"ReferenceWindow";
  if (!RegisterClassW(&windowClass)) return 1;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  HWND window = CreateWindowExW(0, L"ReferenceWindow", L"Reference",
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, left,
                                top, kWidth, kHeight, nullptr, nullptr, module, nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOWNORMAL);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
