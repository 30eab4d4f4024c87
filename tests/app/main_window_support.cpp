#include "main_window_support.h"

#include <algorithm>

#include "app/scheduler.h"
#include "services/datetime.h"
#include "system/power_calls.h"
#include "ui/message_loop.h"
#include "ui/window.h"
#include "ui_support.h"

namespace tamrivo::test {
namespace {

std::vector<PowerRequest> g_requests;
DateTimeFields g_now;

BOOL WINAPI AnswerNtFamily(LPOSVERSIONINFOA info) {
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  return TRUE;
}
BOOL WINAPI OpenNoToken(HANDLE, DWORD, PHANDLE token) {
  *token = reinterpret_cast<HANDLE>(0x5eed);  // never used as a real handle
  return TRUE;
}
BOOL WINAPI LookUpNothing(LPCSTR, LPCSTR, PLUID luid) {
  *luid = {};
  return TRUE;
}
BOOL WINAPI AdjustNothing(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD) {
  return TRUE;
}
DWORD WINAPI NoError() { return ERROR_SUCCESS; }
BOOL WINAPI CloseNothing(HANDLE) { return TRUE; }

BOOL WINAPI RecordExitWindows(UINT flags, DWORD) {
  g_requests.push_back({.kind = PowerRequest::Kind::ExitWindows, .flags = flags,
                        .at = MonotonicSeconds()});
  return TRUE;
}
BOOL WINAPI RecordPowerState(BOOL suspend, BOOL force) {
  g_requests.push_back({.kind = PowerRequest::Kind::SystemPowerState, .suspend = suspend,
                        .force = force, .at = MonotonicSeconds()});
  return TRUE;
}

void ReadTestClock(DateTimeFields* now) { *now = g_now; }
uint32_t NoUptime() { return 0; }

}  // namespace

void InstallRecordingPowerCalls() {
  SetPowerCalls(PowerCalls{
      .getVersionExA = AnswerNtFamily,
      .openProcessToken = OpenNoToken,
      .lookupPrivilegeValueA = LookUpNothing,
      .adjustTokenPrivileges = AdjustNothing,
      .getLastError = NoError,
      .exitWindowsEx = RecordExitWindows,
      .setSystemPowerState = RecordPowerState,
      .closeHandle = CloseNothing,
  });
}

std::vector<PowerRequest>& PowerRequests() { return g_requests; }

void SetClock(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
              int32_t second) {
  g_now = {.year = year, .month = month, .day = day, .hour = hour, .minute = minute,
           .second = second};
}

double MonotonicSeconds() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool PumpMessagesUntil(const std::function<bool()>& done, double limitSeconds) {
  const double deadline = MonotonicSeconds() + limitSeconds;
  while (!done()) {
    const double left = deadline - MonotonicSeconds();
    if (left <= 0) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min(left, 0.02) * 1000),
                              QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchLoopMessage(message);
      if (done()) return true;
    }
  }
  return true;
}

void MainWindowTest::SetUp() {
  SetLocalClock({ReadTestClock, NoUptime});
  SetClock(2011, 2, 25, 10, 0, 0);
  ResetScheduleState();
  g_requests.clear();
  ASSERT_TRUE(LoadWindow(MainWindow));
}

void MainWindowTest::TearDown() {
  if (!IsWindowLoaded(MainWindow)) return;
  RequestDestroy(MainWindow);
  EXPECT_TRUE(PumpMessagesUntil([] { return !IsWindowLoaded(MainWindow); },
                                5.0));
}

void ActiveMainWindowTest::SetUp() {
  ASSERT_TRUE(LoadWindow(MainWindow));
  Activate(MainWindow);
}

void ActiveMainWindowTest::TearDown() { Unload(MainWindow); }

std::string Line(int32_t seconds) {
  return "剩余时间:" + std::to_string(seconds / 3600) + "小时" +
         std::to_string(seconds % 3600 / 60) + "分" + std::to_string(seconds % 60) + "秒";
}

std::string Text(MainWindowControl control) {
  return std::string(GetTextProperty(MainWindow, control, kText).view());
}

std::string Caption() {
  return std::string(GetTextProperty(MainWindow, StartStopButton, kButtonCaption).view());
}

int32_t Period(MainWindowControl timer) {
  return GetIntProperty(MainWindow, timer, kPeriod);
}

int32_t Disabled(MainWindowControl control) {
  return GetIntProperty(MainWindow, control, kDisabled);
}

void Type(MainWindowControl edit, const char* text) {
  SetControlProperty(MainWindow, edit, kText, text);
}

void Select(MainWindowControl combo, int32_t index) {
  SetControlProperty(MainWindow, combo, kSelection, index);
}

void ChooseMode(MainWindowControl radio) {
  SetControlProperty(MainWindow, CountdownRadio, kChecked, radio == CountdownRadio ? 1 : 0);
  SetControlProperty(MainWindow, AtTimeRadio, kChecked, radio == AtTimeRadio ? 1 : 0);
  RaiseEvent(MainWindow, radio, kClicked);
}

void Press() { RaiseEvent(MainWindow, StartStopButton, kClicked); }

void Tick(MainWindowControl timer) { RaiseEvent(MainWindow, timer, kTick); }

void Step(MainWindowControl spinner, int32_t direction) {
  RaiseEvent(MainWindow, spinner, kPressed, direction);
}

}  // namespace tamrivo::test
