// AboutWindow opened by AboutRequested from MainWindow: the form read back from the live
// window while it is open, what it paints, the disabled MainWindow, a second request, the
// keys with the focus in the web view, an opening from the tray menu while MainWindow is
// hidden, a countdown that falls due meanwhile, and both windows without a browser. The checks
// run inside the modal loop, from timers of this thread.
#include <gtest/gtest.h>
#include <exdisp.h>

#include <functional>
#include <string>
#include <vector>

#include "app/forms/about_window.h"
#include "app/handlers.h"
#include "main_window_support.h"
#include "ui/text_encoding.h"
#include "ui/web_view.h"
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

// Opens AboutWindow the way `open` does (AboutRequested, or a menu item's selected event),
// which returns once AboutWindow is gone.
void OpenAbout(std::function<void()> whileOpen, const std::function<void()>& open = AboutRequested) {
  g_whileOpen = std::move(whileOpen);
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, RunWhileOpen);
  open();
  KillTimer(nullptr, timer);
  EXPECT_FALSE(IsWindowLoaded(AboutWindow));
}

// Closes AboutWindow, from its own modal loop, once the condition holds or 15 s have passed.
std::function<bool()> g_closeWhen;
double g_closeDeadline = 0;
void CALLBACK CloseWhenDue(HWND, UINT, UINT_PTR id, DWORD) {
  if (!IsWindowLoaded(AboutWindow)) return;
  if (!g_closeWhen() && MonotonicSeconds() < g_closeDeadline) return;
  KillTimer(nullptr, id);
  PostMessageW(NativeWindow(AboutWindow), WM_CLOSE, 0, 0);
}
void CloseWhen(std::function<bool()> condition) {
  g_closeWhen = std::move(condition);
  g_closeDeadline = MonotonicSeconds() + 15;
  SetTimer(nullptr, 0, 50, CloseWhenDue);
}

std::vector<HWND> VisibleWindowsOfThisThread() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM found) {
    if (IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(w);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&windows));
  return windows;
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
    EXPECT_EQ(TextColourOf(about, ControlWindow(AboutWindow, ContactLabel)), RGB(0, 0, 0));
    // The other two texts in the default GUI font.
    LOGFONTW guiFont{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof guiFont, &guiFont);
    for (int32_t label : {AboutText, ContactLabel}) {
      LOGFONTW used{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(ControlWindow(AboutWindow, label), WM_GETFONT, 0, 0)),
                 sizeof used, &used);
      EXPECT_EQ(used.lfHeight, guiFont.lfHeight) << "control " << label;
      EXPECT_EQ(std::wstring(used.lfFaceName), guiFont.lfFaceName) << "control " << label;
    }

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

    EXPECT_NE(GetWindow(view, GW_CHILD), nullptr) << "no browser in the view";

    // With the focus in the view, Enter and F1 do nothing and Esc closes the window.
    Activate(AboutWindow);
    SetFocus(view);
    EXPECT_EQ(FocusedControl(AboutWindow), AboutAdView);
    PressKeys({VK_RETURN});
    PressKeys({VK_F1});
    // SendInput has queued the keys: handled once no input is left in the queue.
    EXPECT_TRUE(PumpUntil([] { return HIWORD(GetQueueStatus(QS_INPUT)) == 0; }, 10000));
    EXPECT_TRUE(IsWindowLoaded(AboutWindow));
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

TEST_F(AboutWindowTest, FromTheTrayMenuWhileMainWindowIsHiddenOnlyItShowsAndMainWindowStaysHidden) {
  HWND main = NativeWindow(MainWindow);
  SetControlProperty(MainWindow, kWindowItself, kVisible, 0);
  ASSERT_FALSE(IsWindowVisible(main));
  OpenAbout(
      [main] {
        HWND about = NativeWindow(AboutWindow);
        EXPECT_EQ(VisibleWindowsOfThisThread(), std::vector<HWND>{about});
        // Owned, and not asking for one: no taskbar button.
        EXPECT_NE(GetWindow(about, GW_OWNER), nullptr);
        EXPECT_FALSE(GetWindowLongPtrW(about, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        EXPECT_FALSE(IsWindowEnabled(main));
        PostMessageW(about, WM_CLOSE, 0, 0);
      },
      [] { RaiseEvent(MainWindow, kMenuItemBase + AboutItem, 0); });  // its selected event
  PumpMessagesUntil([] { return false; }, 0.3);
  EXPECT_FALSE(IsWindowVisible(main));
  EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(AboutWindowTest, ACountdownFallsDueAndFiresWhileItIsOpen) {
  Type(CountEdit, "1");
  Select(UnitCombo, 2);    // 秒后
  Select(ActionCombo, 2);  // 注销
  Press();
  ASSERT_EQ(Period(CountdownTimer), 1000);
  OpenAbout([] { CloseWhen([] { return !PowerRequests().empty(); }); });
  ASSERT_EQ(PowerRequests().size(), 1u) << "no power request while AboutWindow was open";
  EXPECT_EQ(PowerRequests()[0].flags, static_cast<UINT>(EWX_LOGOFF | EWX_FORCE));
  EXPECT_EQ(Period(CountdownTimer), 0);
}

// Read from the screen after a full repaint: what the user sees where the transparent label
// lies over the window and where the masks lie over the view.
TEST_F(AboutWindowTest, TheTextShowsTheWindowBehindItAndTheMasksHideTheViewsEdges) {
  OpenAbout([] {
    HWND about = NativeWindow(AboutWindow);
    Activate(AboutWindow);
    RedrawWindow(about, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(300);
    HDC screen = GetDC(nullptr);
    auto at = [&](int x, int y) {  // client coordinates of AboutWindow
      POINT p{x, y};
      ClientToScreen(about, &p);
      return GetPixel(screen, p.x, p.y) & 0xFFFFFF;
    };
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // AboutText, 408 x 120 at 16, 8, above SupportLabel's top: only the window's own colour
    // and the black text with its softened edges, never a lighter background of its own.
    int dark = 0, lighter = 0;
    for (int y = 8; y < 120; ++y) {
      for (int x = 16; x < 424; x += 2) {
        const COLORREF c = at(x, y);
        if (GetRValue(c) > GetRValue(face) || GetGValue(c) > GetGValue(face) || GetBValue(c) > GetBValue(face)) ++lighter;
        if (GetRValue(c) < 0x60 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60) ++dark;
      }
    }
    EXPECT_EQ(lighter, 0);
    EXPECT_GT(dark, 100) << "no text drawn";
    // The view is 424 x 112 at 16, 152: TopMask over its top 16 pixels, LeftMask over its left
    // 11 (SupportLabel ends at x 400), and the page itself below and right of them.
    EXPECT_EQ(at(410, 152), face);
    EXPECT_EQ(at(410, 167), face);
    EXPECT_EQ(at(16, 200), face);
    EXPECT_EQ(at(26, 200), face);
    EXPECT_NE(at(27, 200), face);
    EXPECT_NE(at(410, 168), face);
    ReleaseDC(nullptr, screen);
    PostMessageW(about, WM_CLOSE, 0, 0);
  });
}

// A browser component that cannot be created leaves both views empty hosts; both windows
// still load and work.
class WithoutTheBrowserTest : public AboutWindowTest {
 protected:
  void SetUp() override {
    // {00000000-7A6D-4E1F-9C3B-5D2A60F1E8B4}: no such class is registered.
    SetBrowserClass({0x00000000, 0x7A6D, 0x4E1F, {0x9C, 0x3B, 0x5D, 0x2A, 0x60, 0xF1, 0xE8, 0xB4}});
    AboutWindowTest::SetUp();
  }
  void TearDown() override {
    AboutWindowTest::TearDown();
    SetBrowserClass(CLSID_WebBrowser);
  }
};

TEST_F(WithoutTheBrowserTest, MainWindowAndAboutWindowLoadWithEmptyViewsAndWork) {
  ASSERT_TRUE(IsWindowLoaded(MainWindow));
  EXPECT_EQ(GetWindow(ControlWindow(MainWindow, AdView), GW_CHILD), nullptr);
  OpenAbout([] {
    EXPECT_EQ(GetWindow(ControlWindow(AboutWindow, AboutAdView), GW_CHILD), nullptr);
    EXPECT_FALSE(IsWindowEnabled(NativeWindow(MainWindow)));
    Activate(AboutWindow);
    PressKeys({VK_ESCAPE});
  });
  EXPECT_TRUE(IsWindowEnabled(NativeWindow(MainWindow)));
  Press();
  EXPECT_EQ(Caption(), "停止定时器(&D)");
}

}  // namespace
}  // namespace tamrivo::test
