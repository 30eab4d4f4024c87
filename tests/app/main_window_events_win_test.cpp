// MainWindow as a whole, on the real window: the clock line, the close request with its
// message and tray icon, the tray notifications and Exit.
#include <gtest/gtest.h>

#include "app/handlers.h"
#include "main_window_support.h"
#include "message_box_closer.h"
#include "shell_stand_in.h"
#include "ui/window.h"
#include "ui/window_instance.h"

namespace tamrivo::test {
namespace {

constexpr wchar_t kCloseMessage[] = L"程序将会缩小到托盘\r\n要退出请在托盘图标处右键选择";

bool Visible() { return GetIntProperty(MainWindow, kWindowItself, kVisible) != 0; }
HWND MainWindowHandle() { return FindInstance(MainWindow)->hwnd; }

// Runs the close request as the close box raises it, with the user answering the message.
std::optional<bool> RequestClose(MessageBoxCloser& user) {
  const int before = user.answered();
  const EventResult answer = RaiseEvent(MainWindow, kWindowItself, kCloseRequest);
  EXPECT_EQ(user.answered(), before + 1) << "no message box titled 信息：";
  if (user.answered() > 0) {
    EXPECT_EQ(user.seen().back().text, kCloseMessage);
  }
  return answer.result;
}

using MainWindowEventsTest = MainWindowTest;

TEST_F(MainWindowEventsTest, ClockTickWritesTheDateAndTimeWithoutZeroSeconds) {
  EXPECT_EQ(Text(NowEdit), "");
  SetClock(2011, 2, 25, 6, 13, 0);
  Tick(ClockTimer);
  EXPECT_EQ(Text(NowEdit), "2011年2月25日6时13分");
  SetClock(2011, 2, 25, 6, 13, 45);
  Tick(ClockTimer);
  EXPECT_EQ(Text(NowEdit), "2011年2月25日6时13分45秒");
}

TEST_F(MainWindowEventsTest, CloseRequestAsksThenHidesIntoTheTrayAndRefuses) {
  StandInShell shell;
  MessageBoxCloser user(L"信息：");
  EXPECT_EQ(RequestClose(user), false);
  EXPECT_FALSE(Visible());
  ASSERT_EQ(shell.requests().size(), 1u);
  EXPECT_EQ(shell.requests()[0].command, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(shell.requests()[0].window, MainWindowHandle());

  // Back from the tray, and closed again: the message again, the same icon modified.
  TrayNotified(2);
  EXPECT_TRUE(Visible());
  EXPECT_EQ(RequestClose(user), false);
  EXPECT_FALSE(Visible());
  ASSERT_EQ(shell.requests().size(), 2u);
  EXPECT_EQ(shell.requests()[1].command, static_cast<DWORD>(NIM_MODIFY));
}

TEST_F(MainWindowEventsTest, WithoutATrayIconTheWindowStaysVisible) {
  StandInShell shell(false);  // a shell that takes no icon
  MessageBoxCloser user(L"信息：");
  EXPECT_EQ(RequestClose(user), false);
  EXPECT_TRUE(Visible()) << "hidden without an icon to bring it back";
  EXPECT_TRUE(IsWindowLoaded(MainWindow));

  // Once the shell takes the icon, closing hides the window as usual.
  shell.set_accept(true);
  EXPECT_EQ(RequestClose(user), false);
  EXPECT_FALSE(Visible());
}

TEST_F(MainWindowEventsTest, OnlyADoubleClickShowsTheWindow) {
  StandInShell shell;
  MessageBoxCloser user(L"信息：");
  RequestClose(user);
  TrayNotified(1);
  EXPECT_FALSE(Visible());
  TrayNotified(2);
  EXPECT_TRUE(Visible());
  TrayNotified(2);  // already shown: stays so
  EXPECT_TRUE(Visible());
}

TEST_F(MainWindowEventsTest, ExitDestroysTheWindowWithoutAskingAndTakesTheIconAway) {
  StandInShell shell;
  {
    MessageBoxCloser user(L"信息：");
    RequestClose(user);
  }
  Press();  // a running schedule does not hold the program
  MessageBoxCloser user(L"信息：");
  ExitSelected();
  EXPECT_TRUE(IsWindowLoaded(MainWindow)) << "destroyed inside the handler";
  EXPECT_TRUE(PumpMessagesUntil([] { return !IsWindowLoaded(MainWindow); }, 5.0));
  EXPECT_EQ(user.answered(), 0) << "Exit asked the close question";
  ASSERT_EQ(shell.requests().size(), 2u);
  EXPECT_EQ(shell.requests()[1].command, static_cast<DWORD>(NIM_DELETE));
}

}  // namespace
}  // namespace tamrivo::test
