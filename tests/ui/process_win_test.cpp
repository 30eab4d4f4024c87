// Start-up and exit of the process: the current directory, OLE, the end hook and the exit code
// (through the replaceable ExitProcess), and the fatal exit of a start-up window that cannot
// be created (in a child process, where the real ExitProcess may run).
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <optional>
#include <string>

#include "services/datetime.h"
#include "services/fatal.h"
#include "message_box_closer.h"
#include "shell_stand_in.h"
#include "system/resources.h"
#include "ui/process.h"
#include "ui/tray.h"
#include "ui/window.h"

namespace tamrivo {
namespace {

std::optional<uint32_t> g_exitCode;
int g_hookCalls = 0;

void RecordExit(uint32_t exitCode) { g_exitCode = exitCode; }
void CountHookCall() { ++g_hookCalls; }

// Whether the current directory holds this test program, as its own directory does.
bool InProgramDirectory() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const wchar_t* name = wcsrchr(path, L'\\') + 1;
  return GetFileAttributesW(name) != INVALID_FILE_ATTRIBUTES;
}

// Whether COM is initialised on this thread: a further initialisation then answers S_FALSE.
bool ComInitialised() {
  const HRESULT answer = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (SUCCEEDED(answer)) CoUninitialize();
  return answer == S_FALSE;
}

// Runs the start-up and the exit sequence with the exit recorded; puts back what they change
// for the other tests of the program.
class ProcessTest : public testing::Test {
 protected:
  void SetUp() override {
    previousFatal_ = SetFatalErrorPlatform({});
    SetFatalErrorPlatform(previousFatal_);
    previousExit_ = SetProcessExit({RecordExit});
    previousClock_ = SetLocalClock({});
    SetLocalClock(previousClock_);
    g_exitCode.reset();
    g_hookCalls = 0;
    SetCurrentDirectoryW(L"C:\\windows");
  }
  void TearDown() override {
    SetProcessExit(previousExit_);
    SetFatalErrorPlatform(previousFatal_);
    SetLocalClock(previousClock_);
  }

  FatalErrorPlatform previousFatal_;
  ProcessExit previousExit_;
  LocalClock previousClock_;
};

TEST_F(ProcessTest, StartUpMovesToTheProgramDirectoryAndInitialisesOleOnce) {
  ASSERT_FALSE(InProgramDirectory());
  ASSERT_FALSE(ComInitialised());
  InitializeRuntime();
  InitializeRuntime();  // a second call initialises nothing twice
  EXPECT_TRUE(InProgramDirectory());
  EXPECT_TRUE(ComInitialised());
  // The clock line and the at-time targets read Windows' local time (the suite runs with a TZ
  // that the C runtime misreads).
  SYSTEMTIME local{};
  GetLocalTime(&local);
  const DateTimeFields now = SplitDateTime(CurrentDateTime());
  const int expected = local.wHour * 60 + local.wMinute, actual = now.hour * 60 + now.minute;
  EXPECT_TRUE(actual == expected || actual == (expected + 1) % 1440)
      << now.hour << ":" << now.minute << " against " << local.wHour << ":" << local.wMinute;

  EXPECT_EQ(EndProcess(0), 0);
  EXPECT_FALSE(ComInitialised()) << "one exit sequence did not undo the start-up's OLE";
}

TEST_F(ProcessTest, TheExitSequenceCallsTheHookOnceAndEndsWithTheCode) {
  InitializeRuntime();
  SetProcessEndHook(CountHookCall);
  EndProcess(0);
  EXPECT_EQ(g_hookCalls, 1);
  EXPECT_EQ(g_exitCode, 0u);

  // Reached again while the process shuts down: nothing is done twice. OLE is initialised
  // here by the test itself; a second OleUninitialize would undo that.
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  g_exitCode.reset();
  EndProcess(0);
  EXPECT_EQ(g_hookCalls, 1);
  EXPECT_EQ(g_exitCode, 0u);
  EXPECT_TRUE(ComInitialised());
  CoUninitialize();
}

// A form whose only control the system refuses to create, as a hook may.
constexpr ControlRecord kOneEdit[] = {
    {.name = "Edit", .formName = "编辑框1", .kind = ControlKind::EditBox, .parent = kNoParent,
     .left = 10, .top = 10, .width = 80, .height = 20},
};
constexpr Form kRefusedWindow{
    .name = "RefusedWindow", .title = "Refused", .left = 10, .top = 10, .width = 200,
    .height = 100, .placement = Placement::Stored, .minimizeBox = false, .maximizeBox = false,
    .visible = true, .inTaskbar = true, .escCloses = false, .enterMovesFocus = false,
    .icon = nullptr, .events = {}, .controls = kOneEdit, .menu = {}};

// Under the program's manifest the class name carries the version of the common controls:
// "6.0.2600.2982!Edit".
LRESULT CALLBACK RefuseEditBoxes(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    if (!IS_INTRESOURCE(create->lpszClass)) {
      const wchar_t* name = wcsrchr(create->lpszClass, L'!');
      if (lstrcmpiW(name ? name + 1 : create->lpszClass, L"EDIT") == 0) return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The end hook of a normal end must not run: it would end with another code.
void EndWithWrongCode() { ExitProcess(7); }

test::MessageBoxCloser* g_user = nullptr;

// Checks the box the user answered before the real exit; a wrong text ends with 8.
void ExitAfterCheckingTheBox(uint32_t code) {
  const bool rightBox = g_user && g_user->answered() == 1 &&
                        g_user->seen()[0].text == L"运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n";
  ExitProcess(rightBox ? code : 8);
}

void FailToLoadTheStartWindow() {
  test::MessageBoxCloser user(L"错误");
  g_user = &user;
  InitializeRuntime();
  SetProcessEndHook(EndWithWrongCode);
  SetProcessExit({ExitAfterCheckingTheBox});
  SetWindowsHookExW(WH_CBT, RefuseEditBoxes, nullptr, GetCurrentThreadId());
  LoadStartWindow(kRefusedWindow);
}

TEST(ProcessDeathTest, AStartWindowThatCannotBeCreatedEndsWithMinusOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(FailToLoadTheStartWindow(), testing::ExitedWithCode(-1), "");
}

// A fatal error while a window shows a tray icon: the icon leaves the notification area before
// the process ends, since the windows are not destroyed on that path. The stand-in shell lives
// in the child process; its exit code tells whether the icon was taken away (9: it was not).
test::StandInShell* g_shell = nullptr;
constexpr Form kTrayWindow{
    .name = "FatalTrayWindow", .title = "Tray", .left = 10, .top = 10, .width = 200,
    .height = 100, .placement = Placement::Stored, .visible = false, .inTaskbar = true};

void ExitAfterCheckingTheShell(uint32_t code) {
  const auto& requests = g_shell->requests();
  const bool removed = requests.size() == 2 && requests[0].command == NIM_ADD &&
                       requests[1].command == NIM_DELETE && requests[1].id == requests[0].id;
  ExitProcess(removed ? code : 9);
}

void FailWithATrayIcon() {
  test::MessageBoxCloser user(L"错误");
  test::StandInShell shell;
  g_shell = &shell;
  InitializeRuntime();
  SetProcessExit({ExitAfterCheckingTheShell});
  if (!shell.found() || !LoadWindow(kTrayWindow) || !SetTrayIcon(kTrayWindow, TrayIconBytes(), "Tamrivo")) {
    ExitProcess(10);
  }
  ReportFatalError("");
}

TEST(ProcessDeathTest, AFatalErrorTakesTheTrayIconAway) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(FailWithATrayIcon(), testing::ExitedWithCode(-1), "");
}

}  // namespace
}  // namespace tamrivo
