#include "program_fixture.h"

#include <shellapi.h>

namespace tamrivo::e2e {

std::wstring ProgramOf(Build build) {
  return DriverDirectory() + (build == Build::Shipped ? L"\\tamrivo.exe" : L"\\with-ad-server\\tamrivo.exe");
}

std::wstring ProxySetting(unsigned short port) {
  return L"http_proxy=http://127.0.0.1:" + std::to_wstring(port);
}

void ProgramTest::SetUp() {
  ASSERT_TRUE(adServer_.listening()) << "port " << kAdServerPort << " is taken";
  // Wine starts the desktop with its taskbar when a process of the prefix first asks for it.
  GetDesktopWindow();
  ASSERT_TRUE(WaitUntil([] { return TrayIconCount() == 0; }, 10000))
      << "no empty notification area: " << TrayIconCount();
  // The shipped build is given the loopback server as its web proxy as well: whatever server
  // it asked for a page, the request would come here.
  std::vector<std::wstring> environment;
  if (build_ == Build::Shipped) environment.push_back(ProxySetting(kAdServerPort));
  ASSERT_TRUE(app_.Start(ProgramOf(build_), L"", environment));
  ASSERT_TRUE(WaitUntil([&] { return (window_ = FindProcessWindow(app_.id(), nullptr, kTitle)); }, 10000))
      << "no window titled Tamrivo v2.0";
}

// A program ended by force leaves its icon behind in the shell; take it away, so that one
// failure does not spill into the next test.
void ProgramTest::TearDown() {
  if (build_ == Build::Shipped) {
    EXPECT_EQ(adServer_.Connections(), 0) << "the build without an advertisement server made a request";
  }
  if (!window_ || !app_.Running()) return;
  app_.Terminate();
  NOTIFYICONDATAW icon = {};
  icon.cbSize = NOTIFYICONDATAW_V1_SIZE;
  icon.hWnd = window_;
  icon.uID = 100;
  Shell_NotifyIconW(NIM_DELETE, &icon);
}

void ProgramTest::ExpectClosedToTray(bool shownBefore) {
  std::optional<MessageBoxView> box = WaitForMessageBox(app_.id(), L"信息：");
  ASSERT_TRUE(box) << "no message box titled 信息：";
  EXPECT_EQ(box->text, L"程序将会缩小到托盘\r\n要退出请在托盘图标处右键选择");
  EXPECT_EQ(IsWindowVisible(window_) != FALSE, shownBefore) << "the window changed before OK";
  ASSERT_TRUE(PressOk(*box));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); })) << "still visible";
  EXPECT_TRUE(WaitUntil([] { return TrayIconCount() == 1; })) << TrayIconCount() << " tray icons";
  EXPECT_TRUE(app_.Running());
}

void ProgramTest::DoubleClickTrayIcon() {
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
    SendTrayNotification(window_, message);
  }
}

HWND ProgramTest::OpenTrayMenu(POINT cursor) {
  MoveMouseTo(cursor);
  SendTrayNotification(window_, WM_RBUTTONDOWN);
  SendTrayNotification(window_, WM_RBUTTONUP);
  HWND menu = nullptr;
  WaitUntil([&] { return (menu = FindPopUpMenu(app_.id())) != nullptr; });
  return menu;
}

void ProgramTest::ChooseFromTrayMenu(WORD accessKey) {
  HWND menu = OpenTrayMenu();
  ASSERT_TRUE(menu) << "no pop-up menu";
  PressKey(accessKey);
  EXPECT_TRUE(WaitUntil([&] { return !FindPopUpMenu(app_.id()); })) << "the menu stayed open";
}

HWND ProgramTest::WaitForAbout() {
  HWND about = nullptr;
  WaitUntil([&] { return (about = FindProcessWindow(app_.id(), nullptr, kAboutTitle)) != nullptr; }, 10000);
  return about;
}

HWND ProgramTest::OpenAboutFromTheTray() {
  ChooseFromTrayMenu('A');
  return WaitForAbout();
}

void ProgramTest::CloseAbout(HWND about) {
  PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); })) << "AboutWindow stayed open";
}

}  // namespace tamrivo::e2e
