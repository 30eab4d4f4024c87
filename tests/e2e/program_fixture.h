// One running tamrivo.exe per test, started from the driver's directory as a user would start
// it: the shipped build, or the build whose forms name a loopback advertisement server. A
// loopback server listens on that server's port for the whole test in either case.
#pragma once

#include "loopback_server.h"  // before <windows.h>, for Winsock 2

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/forms/main_window.h"
#include "app_driver.h"

namespace tamrivo::e2e {

inline constexpr wchar_t kTitle[] = L"Tamrivo v2.0";
inline constexpr wchar_t kAboutTitle[] = L"关于本软件和作者";
inline constexpr unsigned short kAdServerPort = TAMRIVO_E2E_AD_SERVER_PORT;

enum class Build { Shipped, WithAdServer };

// The program file of a build.
std::wstring ProgramOf(Build build);

// The environment setting that makes a program send its web requests through a proxy on a
// loopback port. (Wine's HTTP stack reads it.)
std::wstring ProxySetting(unsigned short port);

class ProgramTest : public testing::Test {
 protected:
  explicit ProgramTest(Build build = Build::Shipped) : build_(build) {}
  void SetUp() override;
  void TearDown() override;

  HWND Control(MainWindowControl index) const { return FindControl(window_, index); }

  // Answers the close message with OK; then the window is hidden with one icon in the tray.
  void ExpectClosedToTray(bool shownBefore = true);
  void CloseWithCloseBox() { PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0); }
  // A double click on the icon as the shell reports it: release, double click, release.
  void DoubleClickTrayIcon();
  // Right-clicks the icon with the mouse at a known place; returns the menu window.
  HWND OpenTrayMenu(POINT cursor = {500, 400});
  // Opens the tray menu and chooses an item by its access key ('X' Exit, 'A' About).
  void ChooseFromTrayMenu(WORD accessKey);
  // AboutWindow once it is shown, or null.
  HWND WaitForAbout();
  // Chooses About in the tray menu; AboutWindow once it is shown, or null.
  HWND OpenAboutFromTheTray();
  // Closes AboutWindow with its close box and waits until it is gone.
  void CloseAbout(HWND about);

  const Build build_;
  test::LoopbackServer adServer_{kAdServerPort};
  ChildProcess app_;
  HWND window_ = nullptr;
};

}  // namespace tamrivo::e2e
