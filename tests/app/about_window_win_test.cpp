// AboutWindow opened by AboutRequested from MainWindow: the form read back from the live
// window while it is open, the disabled MainWindow, a second request, and Esc with the focus
// in the web view. The checks run inside the modal loop, from a timer of this thread.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/forms/about_window.h"
#include "app/handlers.h"
#include "main_window_support.h"
#include "ui/text_encoding.h"
#include "ui/window.h"
#include "ui/window_instance.h"
#include "ui_support.h"

namespace tamrivo::test {
namespace {

using AboutWindowTest = MainWindowTest;

// Runs `while` once AboutWindow is open, inside its modal loop.
std::function<void()> g_whileOpen;
void CALLBACK RunWhileOpen(HWND, UINT, UINT_PTR id, DWORD) {
  if (!IsWindowLoaded(AboutWindow)) return;
  KillTimer(nullptr, id);
  auto checks = std::move(g_whileOpen);
  if (checks) checks();
}

void OpenAbout(std::function<void()> whileOpen) {
  g_whileOpen = std::move(whileOpen);
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, RunWhileOpen);
  AboutRequested();  // returns once AboutWindow is gone
  KillTimer(nullptr, timer);
  EXPECT_FALSE(IsWindowLoaded(AboutWindow));
}

RECT PlaceIn(HWND window, HWND parent) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string GbkText(HWND window) { return Bytes(GbkFromWide(WideText(window))); }

COLORREF TextColourOf(HWND window, HWND control) {
  HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  const COLORREF colour = GetTextColor(dc);
  DeleteDC(dc);
  return colour;
}

TEST_F(AboutWindowTest, OpensAsItsFormSaysWithMainWindowDisabledAndEscClosesItFromTheView) {
  OpenAbout([] {
    HWND about = NativeWindow(AboutWindow);
    EXPECT_FALSE(IsWindowEnabled(NativeWindow(MainWindow)));
    RECT place{};
    GetWindowRect(about, &place);
    EXPECT_EQ(place.right - place.left, 440);
    EXPECT_EQ(place.bottom - place.top, 336);
    EXPECT_EQ(place.left, (GetSystemMetrics(SM_CXSCREEN) - 440) / 2);
    EXPECT_EQ(place.top, (GetSystemMetrics(SM_CYSCREEN) - 336) / 2);
    EXPECT_EQ(Bytes(GetTextProperty(AboutWindow, kWindowItself, kText)), "关于本软件和作者");
    const LONG_PTR style = GetWindowLongPtrW(about, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(GetWindow(about, GW_OWNER) != nullptr, true) << "owned, so without a taskbar button";

    // The texts, byte-exact through the layer's conversion.
    EXPECT_EQ(GbkText(ControlWindow(AboutWindow, AboutText)), kAboutText);
    EXPECT_NE(std::string(kAboutText).find("两种功能!对软件"), std::string::npos);
    EXPECT_EQ(GbkText(ControlWindow(AboutWindow, SupportLabel)), kSupportText);
    EXPECT_EQ(GbkText(ControlWindow(AboutWindow, ContactLabel)), kContactText);

    // SupportLabel: red, bold, 16 pixels, GB2312.
    HWND support = ControlWindow(AboutWindow, SupportLabel);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(support, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -16);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"宋体");
    EXPECT_EQ(TextColourOf(about, support), RGB(255, 0, 0));
    EXPECT_EQ(TextColourOf(about, ControlWindow(AboutWindow, AboutText)), RGB(0, 0, 0));

    // The masks lie above the view and cover its top 16 and left 11 pixels.
    HWND view = ControlWindow(AboutWindow, AboutAdView);
    const RECT viewPlace = PlaceIn(view, about);
    const RECT top = PlaceIn(ControlWindow(AboutWindow, TopMask), about);
    const RECT left = PlaceIn(ControlWindow(AboutWindow, LeftMask), about);
    EXPECT_EQ(top.top, viewPlace.top);
    EXPECT_EQ(top.bottom - viewPlace.top, 16);
    EXPECT_LE(top.left, viewPlace.left + 11);
    EXPECT_EQ(left.right - viewPlace.left, 11);
    EXPECT_LE(left.top, viewPlace.top);
    EXPECT_GE(left.bottom, viewPlace.bottom);
    int below = 0;
    for (HWND w = ControlWindow(AboutWindow, TopMask); w && w != view; w = GetWindow(w, GW_HWNDNEXT)) ++below;
    EXPECT_GT(below, 0);
    for (HWND w = view; w; w = GetWindow(w, GW_HWNDNEXT)) {
      EXPECT_NE(w, ControlWindow(AboutWindow, TopMask)) << "TopMask lies under the view";
      EXPECT_NE(w, ControlWindow(AboutWindow, LeftMask)) << "LeftMask lies under the view";
    }

    // Esc with the focus in the view closes the window.
    Activate(AboutWindow);
    SetFocus(view);
    EXPECT_EQ(FocusedControl(AboutWindow), AboutAdView);
    PressKeys({VK_ESCAPE});
  });
  EXPECT_TRUE(IsWindowEnabled(NativeWindow(MainWindow)));
}

TEST_F(AboutWindowTest, ASecondRequestWhileItIsOpenBringsTheOneWindowToTheFront) {
  OpenAbout([] {
    HWND first = NativeWindow(AboutWindow);
    AboutRequested();  // returns at once
    EXPECT_EQ(NativeWindow(AboutWindow), first);
    int windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM count) {
      wchar_t title[32] = {};
      GetWindowTextW(w, title, 32);
      if (std::wstring(title) == L"关于本软件和作者") ++*reinterpret_cast<int*>(count);
      return TRUE;
    }, reinterpret_cast<LPARAM>(&windows));
    EXPECT_EQ(windows, 1);
    PostMessageW(first, WM_CLOSE, 0, 0);
  });
}

}  // namespace
}  // namespace tamrivo::test
