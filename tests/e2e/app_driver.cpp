#include "app_driver.h"

#include <memory>

namespace tamrivo::e2e {
namespace {

bool IsClass(HWND window, const wchar_t* className) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return lstrcmpiW(name, className) == 0;
}

struct WindowSearch {
  DWORD process;
  const wchar_t* className;
  const wchar_t* title;
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process || !IsWindowVisible(window)) return TRUE;
  if (search->className && !IsClass(window, search->className)) return TRUE;
  if (search->title && TextOf(window) != search->title) return TRUE;
  search->found = window;
  return FALSE;
}

struct ControlSearch {
  int id;
  HWND found = nullptr;
};

BOOL CALLBACK MatchControl(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<ControlSearch*>(parameter);
  if (GetDlgCtrlID(window) != search->id) return TRUE;
  search->found = window;
  return FALSE;
}

struct DcReleaser {
  void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

void SendInputs(std::initializer_list<INPUT> inputs) {
  std::vector<INPUT> list(inputs);
  SendInput(static_cast<UINT>(list.size()), list.data(), sizeof(INPUT));
}

}  // namespace

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                           2000, &copied)) {
    return {};
  }
  return text;
}

std::wstring DriverDirectory() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring directory = path;
  return directory.substr(0, directory.rfind(L'\\'));
}

bool ChildProcess::Start(const std::wstring& program, const std::wstring& arguments,
                         const std::vector<std::wstring>& environment) {
  std::wstring directory = program.substr(0, program.rfind(L'\\'));
  std::wstring command = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  // The block is NUL-separated and ends in an empty string.
  std::wstring block;
  if (!environment.empty()) {
    if (wchar_t* own = GetEnvironmentStringsW()) {
      for (const wchar_t* entry = own; *entry; entry += wcslen(entry) + 1) block.append(entry).push_back(L'\0');
      FreeEnvironmentStringsW(own);
    }
    for (const std::wstring& entry : environment) block.append(entry).push_back(L'\0');
    block.push_back(L'\0');
  }
  STARTUPINFOW startup = {sizeof(startup)};
  return CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, block.empty() ? nullptr : block.data(),
                        directory.c_str(), &startup, &info_);
}

void ChildProcess::Terminate() {
  if (!Running()) return;
  TerminateProcess(info_.hProcess, 99);
  WaitForSingleObject(info_.hProcess, 5000);
}

ChildProcess::~ChildProcess() {
  if (!info_.hProcess) return;
  Terminate();
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool ChildProcess::Running() const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ChildProcess::WaitForExit(DWORD timeout) {
  if (WaitForSingleObject(info_.hProcess, timeout) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

HWND FindControl(HWND window, int index) {
  ControlSearch search{1000 + index};
  EnumChildWindows(window, MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindProcessWindow(DWORD process, const wchar_t* className, const wchar_t* title) {
  WindowSearch search{process, className, title};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> VisibleWindowsOf(DWORD process) {
  struct Search {
    DWORD process;
    std::vector<HWND> found;
  } search{process};
  EnumWindows([](HWND window, LPARAM parameter) {
    auto* s = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == s->process && IsWindowVisible(window)) s->found.push_back(window);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int TaskbarButtonCount() {
  int count = 0;
  EnumChildWindows(FindWindowW(L"Shell_TrayWnd", nullptr), [](HWND child, LPARAM parameter) {
    if (IsClass(child, L"Button") && IsWindowVisible(child)) ++*reinterpret_cast<int*>(parameter);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&count));
  return count;
}

std::optional<MessageBoxView> WaitForMessageBox(DWORD process, const wchar_t* title,
                                                DWORD timeout) {
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = FindProcessWindow(process, L"#32770", title)) != nullptr; },
                 timeout)) {
    return std::nullopt;
  }
  // The message text is the static control with the identifier 0xFFFF.
  return MessageBoxView{box, TextOf(GetDlgItem(box, 0xFFFF))};
}

bool PressOk(const MessageBoxView& box) {
  HWND ok = GetDlgItem(box.box, IDOK);
  if (!ok) return false;
  PostMessageW(ok, BM_CLICK, 0, 0);
  return WaitUntil([&] { return !IsWindow(box.box) || !IsWindowVisible(box.box); });
}

int TrayIconCount() {
  HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (!tray) return -1;
  RECT area = {};
  GetWindowRect(tray, &area);
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return -1;

  std::unique_ptr<std::remove_pointer_t<HDC>, DcReleaser> screen(GetDC(nullptr));
  std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter> copy(CreateCompatibleDC(screen.get()));
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  void* bits = nullptr;
  std::unique_ptr<std::remove_pointer_t<HBITMAP>, ObjectDeleter> bitmap(
      CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return -1;
  HGDIOBJ previous = SelectObject(copy.get(), bitmap.get());
  BitBlt(copy.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
  SelectObject(copy.get(), previous);
  GdiFlush();

  const auto* pixels = static_cast<const uint32_t*>(bits);
  auto pixel = [&](int x, int y) { return pixels[y * width + x] & 0xFFFFFF; };
  const uint32_t background = pixel(width - 1, 0);  // the border of the rightmost slot
  const int slot = GetSystemMetrics(SM_CXSMICON) + 4;
  int count = 0;
  for (int right = width; right - slot >= 0; right -= slot, ++count) {
    bool drawn = false;
    for (int y = 0; y < height && !drawn; ++y) {
      for (int x = right - slot; x < right && !drawn; ++x) drawn = pixel(x, y) != background;
    }
    if (!drawn) break;
  }
  return count;
}

bool WaitForSentMessages(HWND window, DWORD timeout) {
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeout, &answer) != 0;
}

bool WaitForPostedMessages(HWND edit, DWORD timeout) {
  auto selection = [edit] {
    DWORD_PTR packed = 0;
    if (!SendMessageTimeoutW(edit, EM_GETSEL, 0, 0, SMTO_NORMAL, 2000, &packed)) return ~DWORD_PTR{0};
    return packed;
  };
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(edit, EM_SETSEL, 0, 0, SMTO_NORMAL, timeout, &ignored);
  if (selection() != 0) return false;
  PostMessageW(edit, EM_SETSEL, 0, -1);  // all of it: no longer empty
  return WaitUntil([&] { const DWORD_PTR now = selection(); return now != 0 && now != ~DWORD_PTR{0}; },
                   timeout);
}

void SendTrayNotification(HWND window, UINT mouseMessage) {
  // The shell notifies without waiting: identifier in wParam, the mouse message in lParam.
  SendNotifyMessageW(window, 32868, 100, mouseMessage);
}

HWND FindPopUpMenu(DWORD process) { return FindProcessWindow(process, L"#32768", nullptr); }

void MoveMouseTo(POINT point) {
  INPUT move = {INPUT_MOUSE};
  move.mi.dx = MulDiv(point.x, 65536, GetSystemMetrics(SM_CXSCREEN));
  move.mi.dy = MulDiv(point.y, 65536, GetSystemMetrics(SM_CYSCREEN));
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInputs({move});
  SetCursorPos(point.x, point.y);  // exactly there, whatever the scaling gave
  Sleep(100);  // for the display to have it too
}

void ClickAt(POINT point) {
  MoveMouseTo(point);
  INPUT down = {INPUT_MOUSE}, up = {INPUT_MOUSE};
  down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInputs({down, up});
}

void PressKey(WORD virtualKey) {
  INPUT down = {INPUT_KEYBOARD}, up = {INPUT_KEYBOARD};
  down.ki.wVk = virtualKey;
  up.ki.wVk = virtualKey;
  up.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInputs({down, up});
}

}  // namespace tamrivo::e2e
