// The finished tamrivo.exe, started as its own process and driven from outside: the close box,
// Esc, the tray icon's mouse actions as the shell reports them, the tray menu, the About window
// from its button and from the tray menu, the session-end question, a start-up that cannot
// create its window, and messages from other programs. Throughout, the fixture checks that
// this build asks no server for anything.
#include "program_fixture.h"

#include <commctrl.h>

#include <cwchar>
#include <string>
#include <thread>
#include <vector>

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
  ASSERT_TRUE(WaitForSentMessages(window_)) << "no answer";
  EXPECT_FALSE(IsWindowVisible(window_));
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
  ASSERT_TRUE(WaitForPostedMessages(Control(CountEdit))) << "no answer";
  EXPECT_FALSE(IsWindowVisible(window_)) << "MainWindow showed";
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

// Messages that any program on the desktop can post or send to the main window. None may end
// the program, change a text or a caption, step the running schedule or open a menu or a box.
struct Hostile {
  const char* what;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool sent;  // else posted
  int times = 1;
};

// A header in this process's memory: in the program's, its address means nothing.
NMHDR g_foreignHeader = {};

std::vector<Hostile> HostileMessages() {
  std::vector<Hostile> table = {
      {"WM_NOTIFY without a header", WM_NOTIFY, 0, 0, false},
      {"WM_NOTIFY without a header, sent", WM_NOTIFY, 0, 0, true},
      {"WM_NOTIFY with an unmapped header", WM_NOTIFY, 1016, 0x10, false},
      {"WM_NOTIFY with a header above user memory", WM_NOTIFY, 1016, static_cast<LPARAM>(0xFFFF800000000000ULL), false},
      {"WM_NOTIFY with another process's header", WM_NOTIFY, 1016, reinterpret_cast<LPARAM>(&g_foreignHeader), true},
      {"timer id 0", WM_TIMER, 0, 0, false, 20},
      {"timer id 0x80000000", WM_TIMER, 0x80000000u, 0, false, 20},
      {"timer id 0xFFFFFFFF", WM_TIMER, 0xFFFFFFFFu, 0, false, 20},
      {"timer id with CountdownTimer's id in its low half", WM_TIMER, 0x100000000ULL + CountdownTimer + 1, 0, false, 20},
      {"timer id of all ones", WM_TIMER, ~WPARAM{0}, 0, false, 20},
      {"tray right click for icon 101", 32868, 101, WM_RBUTTONUP, true},
      {"tray double click for icon 0", 32868, 0, WM_LBUTTONDBLCLK, true},
      {"tray right click naming icon 7 above the code", 32868, 100, MAKELPARAM(WM_RBUTTONUP, 7), true},
      {"tray notification with an unknown code", 32868, 100, WM_USER + 2, true},
      {"menu command just past the menu", WM_COMMAND, 20000 + kMainWindowMenuItemCount, 0, false},
      {"menu command far past the menu", WM_COMMAND, 20000 + 1000, 0, false},
      {"command 0xFFFF", WM_COMMAND, 0xFFFF, 0, false},
      {"menu command with ExitItem's id in its low word", WM_COMMAND, 0x100000000ULL + 20000 + ExitItem, 0, false},
  };
  // The program's own message numbers lie in this range; none of them may act for a stranger.
  for (UINT message = WM_APP; message <= WM_APP + 0x100; ++message) {
    table.push_back({"a WM_APP message", message, 0, 0, false});
  }
  return table;
}

// Seconds left on the remaining-time line, "剩余时间:0小时59分58秒"; -1 when unreadable.
int RemainingSeconds(const std::wstring& line) {
  int hours = 0, minutes = 0, seconds = 0;
  const size_t colon = line.find(L':');
  if (colon == std::wstring::npos ||
      swscanf(line.c_str() + colon + 1, L"%d小时%d分%d秒", &hours, &minutes, &seconds) != 3) {
    return -1;
  }
  return hours * 3600 + minutes * 60 + seconds;
}

TEST_F(ProgramTest, MessagesFromOtherProgramsChangeNothing) {
  StartOneHourCountdown(Control(StartStopButton));
  HWND remaining = Control(RemainingEdit);
  ASSERT_TRUE(WaitUntil([&] { return RemainingSeconds(TextOf(remaining)) > 0; }, 10000)) << TextOf(remaining);
  g_foreignHeader = {GetDesktopWindow(), 1016, static_cast<UINT>(UDN_DELTAPOS)};

  // Everything but the two lines that change by themselves every second.
  auto texts = [&] {
    std::vector<std::wstring> all = {TextOf(window_)};
    for (int i = 0; i < kMainWindowControlCount; ++i) {
      if (i != NowEdit && i != RemainingEdit) all.push_back(TextOf(Control(static_cast<MainWindowControl>(i))));
    }
    return all;
  };
  const std::vector<std::wstring> before = texts();
  const int leftBefore = RemainingSeconds(TextOf(remaining));
  const ULONGLONG startedAt = GetTickCount64();

  for (const Hostile& h : HostileMessages()) {
    SCOPED_TRACE(testing::Message() << h.what << " (" << std::hex << h.message << ", " << h.wParam << ", "
                                    << h.lParam << ")");
    for (int i = 0; i < h.times; ++i) {
      if (h.sent) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window_, h.message, h.wParam, h.lParam, SMTO_NORMAL, 5000, &answer);
      } else {
        PostMessageW(window_, h.message, h.wParam, h.lParam);
      }
    }
    ASSERT_TRUE(WaitForPostedMessages(Control(CountEdit))) << "no answer";
    ASSERT_TRUE(app_.Running());
  }

  EXPECT_TRUE(IsWindowVisible(window_));
  EXPECT_EQ(texts(), before);
  EXPECT_FALSE(FindPopUpMenu(app_.id()));
  EXPECT_FALSE(FindProcessWindow(app_.id(), L"#32770", nullptr)) << "a message box";
  EXPECT_EQ(TrayIconCount(), 0);
  // The schedule went on at the clock's pace only: no tick was counted for a stranger's id.
  const int leftAfter = RemainingSeconds(TextOf(remaining));
  const auto elapsed = static_cast<int>((GetTickCount64() - startedAt) / 1000);
  EXPECT_GE(leftAfter, leftBefore - elapsed - 2) << "before " << leftBefore << ", " << elapsed << " s later";
  EXPECT_LE(leftAfter, leftBefore);
}

}  // namespace
}  // namespace tamrivo::e2e
