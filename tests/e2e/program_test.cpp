// The finished tamrivo.exe, started as its own process and driven from outside: the close box,
// Esc, the tray icon's mouse actions as the shell reports them, the tray menu, the About window
// from its button and from the tray menu, the session-end question, and a start-up that cannot
// create its window. Throughout, the fixture checks that this build asks no server for anything.
#include "program_fixture.h"

#include <string>
#include <thread>

namespace tamrivo::e2e {
namespace {

// Opens AboutWindow as a click on AboutButton does. Posted: the click returns only when the
// window closes.
void ClickAboutButton(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

// Centred on the whole screen.
void ExpectCentredWithSize(HWND window, int width, int height) {
  RECT place = {};
  GetWindowRect(window, &place);
  EXPECT_EQ(place.right - place.left, width);
  EXPECT_EQ(place.bottom - place.top, height);
  EXPECT_EQ(place.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  EXPECT_EQ(place.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
}

// The form's own amount and unit: one hour.
void StartOneHourCountdown(HWND startStopButton) {
  SendMessageW(startStopButton, BM_CLICK, 0, 0);
  ASSERT_EQ(TextOf(startStopButton), L"停止定时器(&D)");
}

TEST_F(ProgramTest, ShowsItsWindowCentredAndFillsTheClockLineAfterASecond) {
  ExpectCentredWithSize(window_, 295, 378);
  EXPECT_EQ(TrayIconCount(), 0);

  HWND now = Control(NowEdit);
  ASSERT_TRUE(now);
  SYSTEMTIME today = {};
  GetLocalTime(&today);
  std::wstring date = std::to_wstring(today.wYear) + L"年" + std::to_wstring(today.wMonth) + L"月" +
                      std::to_wstring(today.wDay) + L"日";
  EXPECT_TRUE(WaitUntil([&] { return TextOf(now).starts_with(date); }, 2500)) << TextOf(now);
}

TEST_F(ProgramTest, CloseBoxAndEscEachAskThenHideIntoOneTrayIcon) {
  CloseWithCloseBox();
  ExpectClosedToTray();

  DoubleClickTrayIcon();
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window_); })) << "a double click did not show it";
  EXPECT_EQ(TrayIconCount(), 1) << "showing the window keeps the icon";

  SetForegroundWindow(window_);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window_; }));
  PressKey(VK_ESCAPE);
  ExpectClosedToTray();
}

TEST_F(ProgramTest, ASingleLeftClickOnTheIconLeavesTheWindowHidden) {
  CloseWithCloseBox();
  ExpectClosedToTray();
  SendTrayNotification(window_, WM_LBUTTONDOWN);
  SendTrayNotification(window_, WM_LBUTTONUP);
  EXPECT_FALSE(WaitUntil([&] { return IsWindowVisible(window_); }, 700));
  EXPECT_FALSE(FindPopUpMenu(app_.id()));
}

TEST_F(ProgramTest, RightClickOpensTheMenuAtTheCursorAndAClickOutsideClosesIt) {
  CloseWithCloseBox();
  ExpectClosedToTray();
  const POINT cursor = {500, 400};
  HWND menu = OpenTrayMenu(cursor);
  ASSERT_TRUE(menu) << "no pop-up menu";
  RECT place = {};
  GetWindowRect(menu, &place);
  // Right-aligned to the cursor, 5 pixels left of it and 5 above.
  EXPECT_EQ(place.right, cursor.x - 5);
  EXPECT_EQ(place.top, cursor.y - 5);

  ClickAt({100, 100});
  EXPECT_TRUE(WaitUntil([&] { return !FindPopUpMenu(app_.id()); })) << "the menu stayed open";
  EXPECT_TRUE(app_.Running());
  EXPECT_FALSE(IsWindowVisible(window_));
  // And it opens again after that.
  EXPECT_TRUE(OpenTrayMenu(cursor));
  PressKey(VK_ESCAPE);
}

TEST_F(ProgramTest, ExitFromTheTrayMenuEndsARunningScheduleWithExitCodeZero) {
  StartOneHourCountdown(Control(StartStopButton));
  CloseWithCloseBox();
  ExpectClosedToTray();
  HWND menu = OpenTrayMenu({500, 400});
  ASSERT_TRUE(menu);
  RECT place = {};
  GetWindowRect(menu, &place);
  ClickAt({place.left + 20, place.top + 10});  // 退出(&X), the first item

  std::optional<DWORD> code = app_.WaitForExit(5000);
  ASSERT_TRUE(code) << "still running after Exit";
  EXPECT_EQ(*code, 0u);
  EXPECT_TRUE(WaitUntil([] { return TrayIconCount() == 0; })) << "the icon stayed";
}

TEST_F(ProgramTest, RefusesToLetTheSessionEnd) {
  DWORD_PTR answer = TRUE;
  std::thread shell([&] {
    SendMessageTimeoutW(window_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 20000, &answer);
  });
  ExpectClosedToTray();
  shell.join();
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(FALSE));

  // A log-off asked for from outside, as the shell asks: wineboot reports the veto.
  ChildProcess logOff;
  ASSERT_TRUE(logOff.Start(L"C:\\windows\\system32\\wineboot.exe", L"--end-session"));
  ExpectClosedToTray(false);
  std::optional<DWORD> vetoed = logOff.WaitForExit(10000);
  ASSERT_TRUE(vetoed);
  EXPECT_EQ(*vetoed, 1u);
  EXPECT_TRUE(app_.Running());
}

// The shipped build has no advertisement server: in these tests its views must ask for
// nothing (the fixture's proxy check), so each waits as long as the build with a server takes
// to ask for its page.
constexpr DWORD kTimeForARequest = 1500;

TEST_F(ProgramTest, AboutButtonOpensAboutWindowCentredAndMainWindowTakesNoInputUntilEscClosesIt) {
  ClickAboutButton(Control(AboutButton));
  HWND about = WaitForAbout();
  ASSERT_TRUE(about) << "no AboutWindow";
  ExpectCentredWithSize(about, 440, 336);
  EXPECT_FALSE(IsWindowEnabled(window_));
  Sleep(kTimeForARequest);

  SetForegroundWindow(about);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == about; }));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); })) << "Esc left AboutWindow open";
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(window_) != FALSE; }));
  EXPECT_TRUE(IsWindowVisible(window_));
}

TEST_F(ProgramTest, AboutFromTheTrayWhileHiddenShowsOnlyAboutWindowWithoutATaskbarButton) {
  CloseWithCloseBox();
  ExpectClosedToTray();
  HWND about = OpenAboutFromTheTray();
  ASSERT_TRUE(about) << "no AboutWindow";
  EXPECT_EQ(VisibleWindowsOf(app_.id()), std::vector<HWND>{about});
  EXPECT_FALSE(IsWindowEnabled(window_));
  Sleep(kTimeForARequest);  // also the time the taskbar takes to catch up
  const int buttonsWithAbout = TaskbarButtonCount();

  CloseAbout(about);
  EXPECT_FALSE(WaitUntil([&] { return IsWindowVisible(window_) != FALSE; }, 700)) << "MainWindow showed";
  EXPECT_TRUE(IsWindowEnabled(window_));
  EXPECT_FALSE(WaitUntil([&] { return TaskbarButtonCount() != buttonsWithAbout; }, 1500))
      << "AboutWindow's closing changed the taskbar: it had a button";
  // MainWindow shown again gets its button: the count sees a window's button.
  DoubleClickTrayIcon();
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window_) != FALSE; }));
  EXPECT_TRUE(WaitUntil([&] { return TaskbarButtonCount() == buttonsWithAbout + 1; }))
      << TaskbarButtonCount() << " taskbar buttons";
}

TEST_F(ProgramTest, ExitChosenWhileAboutWindowIsOpenEndsTheProgramOnceItIsClosed) {
  CloseWithCloseBox();
  ExpectClosedToTray();
  HWND about = OpenAboutFromTheTray();
  ASSERT_TRUE(about) << "no AboutWindow";
  ChooseFromTrayMenu('X');
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window_); })) << "Exit left MainWindow";
  EXPECT_TRUE(WaitUntil([] { return TrayIconCount() == 0; })) << "the icon stayed";
  EXPECT_FALSE(app_.WaitForExit(kTimeForARequest)) << "the program ended with AboutWindow open";
  EXPECT_TRUE(IsWindowVisible(about));

  CloseAbout(about);
  std::optional<DWORD> code = app_.WaitForExit(5000);
  ASSERT_TRUE(code) << "still running after AboutWindow closed";
  EXPECT_EQ(*code, 0u);
}

// A hook of the whole desktop that refuses tamrivo.exe its spinner controls.
class SpinnerRefusal {
 public:
  SpinnerRefusal() {
    module_ = LoadLibraryW((DriverDirectory() + L"\\refuse_spinners.dll").c_str());
    auto procedure = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(module_, "RefuseSpinners")));
    if (procedure) hook_ = SetWindowsHookExW(WH_CBT, procedure, module_, 0);
  }
  ~SpinnerRefusal() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (module_) FreeLibrary(module_);
  }
  SpinnerRefusal(const SpinnerRefusal&) = delete;
  SpinnerRefusal& operator=(const SpinnerRefusal&) = delete;
  bool active() const { return hook_ != nullptr; }

 private:
  HMODULE module_ = nullptr;
  HHOOK hook_ = nullptr;
};

TEST(ProgramStartTest, AStartUpWindowThatCannotBeCreatedEndsWithTheErrorBoxAndMinusOne) {
  SpinnerRefusal refusal;
  ASSERT_TRUE(refusal.active());
  ChildProcess app;
  ASSERT_TRUE(app.Start(DriverDirectory() + L"\\tamrivo.exe"));
  std::optional<MessageBoxView> box = WaitForMessageBox(app.id(), L"错误", 10000);
  ASSERT_TRUE(box) << "no error box";
  EXPECT_EQ(box->text, L"运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  EXPECT_FALSE(FindProcessWindow(app.id(), nullptr, kTitle)) << "the window is there after all";
  ASSERT_TRUE(PressOk(*box));
  std::optional<DWORD> code = app.WaitForExit(5000);
  ASSERT_TRUE(code) << "still running after the error box";
  EXPECT_EQ(*code, static_cast<DWORD>(-1));
}

}  // namespace
}  // namespace tamrivo::e2e
