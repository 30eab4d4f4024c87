// Starts a log-off countdown of 2 seconds in a running tamrivo.exe through its controls, as a
// user picks and types them, and prints the moment of the press as Unix seconds:
// "pressed 1700000000.123". Then it ends at once: the log-off will end every program of the
// prefix, so the watching is done from outside.
#include <windows.h>

#include <cstdio>

#include "app_driver.h"
#include "app/forms/main_window.h"

using namespace tamrivo;
using namespace tamrivo::e2e;

namespace {

// Picks an item as the user does: the selection changes and the list tells its parent.
void Pick(HWND combo, int index) {
  SendMessageW(combo, CB_SETCURSEL, index, 0);
  SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

double UnixSeconds() {
  FILETIME now = {};
  GetSystemTimePreciseAsFileTime(&now);
  const ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  constexpr ULONGLONG kUnixEpoch = 116444736000000000ULL;  // 1970-01-01 in 100 ns since 1601
  return static_cast<double>(ticks - kUnixEpoch) / 1e7;
}

}  // namespace

int main() {
  HWND window = nullptr;
  // The window exists before its controls do; it is shown once they all exist.
  if (!WaitUntil([&] { return (window = FindWindowW(nullptr, L"Tamrivo v2.0")) && IsWindowVisible(window); },
                 20000)) {
    std::fprintf(stderr, "no Tamrivo window\n");
    return 1;
  }
  Pick(FindControl(window, ActionCombo), 2);  // 注销
  Pick(FindControl(window, UnitCombo), 2);    // 秒后
  SendMessageW(FindControl(window, CountEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"2"));
  HWND start = FindControl(window, StartStopButton);
  if (TextOf(FindControl(window, ActionCombo)) != L"注销" ||
      TextOf(FindControl(window, UnitCombo)) != L"秒后" ||
      TextOf(FindControl(window, CountEdit)) != L"2") {
    std::fprintf(stderr, "the fields did not take the choices\n");
    return 1;
  }
  const double pressed = UnixSeconds();
  SendMessageW(start, BM_CLICK, 0, 0);
  if (TextOf(start) != L"停止定时器(&D)") {
    std::fprintf(stderr, "the countdown did not start\n");
    return 1;
  }
  std::printf("pressed %.3f\n", pressed);
  return 0;
}
