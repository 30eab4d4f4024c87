// MainWindow in the themed look that its created event switches on: every kind of control
// it has, from the first show, and still after a long run of hovering and painting.
#include <gtest/gtest.h>

#include <vector>

#include "app/forms/main_window.h"
#include "main_window_support.h"
#include "resident_memory.h"
#include "screen_support.h"
#include "ui/themed_control.h"
#include "ui/window.h"
#include "ui_support.h"

namespace tamrivo {
namespace {

using test::PixelCheck;

COLORREF FaceLess(int n) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  return RGB(GetRValue(face) - n, GetGValue(face) - n, GetBValue(face) - n);
}

struct ControlPixels {
  MainWindowControl control;
  std::vector<PixelCheck> checks;
};

// One or two telling pixels of each kind and state MainWindow shows at its start.
std::vector<ControlPixels> StartLook() {
  const COLORREF field = RGB(123, 158, 189), window = GetSysColor(COLOR_WINDOW);
  return {
      {StartStopButton, {{"border", 1, 16, RGB(0, 60, 115)}, {"outer ring", 0, 16, GetSysColor(COLOR_BTNFACE)}}},
      {AboutButton, {{"border", 1, 16, RGB(0, 60, 115)}}},
      {FlashCheck, {{"box frame", 0, 11, RGB(24, 81, 132)}}},  // 13 pixels centred in 24
      {CountdownRadio, {{"circle outline", 1, 6, RGB(33, 85, 132)}}},
      {ConfigGroup, {{"frame, bottom", 100, -1, RGB(191, 184, 191)}}},
      {CountEdit, {{"outer frame", 0, 10, field}, {"inner frame", 1, 10, window}}},
      {NowEdit, {{"outer frame", 0, 10, field}, {"inner frame", 1, 10, window}}},  // a flat border
      {MinuteEdit, {{"disabled frame", 0, 10, FaceLess(32)}}},
      {ActionCombo, {{"outer frame", 0, 10, field}, {"inner frame", 1, 10, window}}},
      {HalfDayCombo, {{"disabled frame", 0, 10, FaceLess(32)}}},
      {CountSpinner, {{"fill", 0, 10, field}, {"upper arrow face", 2, 2, RGB(231, 235, 255), 3}}},
      {HourSpinner, {{"disabled arrow face", 2, 2, RGB(244, 243, 238), 3}}},
      {RemainingEdit, {{"no border", 0, 15, GetSysColor(COLOR_BTNFACE)}}},
  };
}

std::string LookMismatches() {
  std::string mismatches;
  for (const ControlPixels& control : StartLook()) {
    const std::string seen = test::PixelMismatches(test::ControlWindow(MainWindow, control.control), control.checks);
    if (!seen.empty()) mismatches += MainWindow.controls[control.control].name + std::string(": ") + seen;
  }
  return mismatches;
}

using ThemedMainWindow = test::ActiveMainWindowTest;

TEST_F(ThemedMainWindow, EveryKindShowsTheLookFromTheFirstShow) {
  // Taken over before the window was shown: the created event comes first.
  for (MainWindowControl control : {StartStopButton, AboutButton, FlashCheck, CountdownRadio, AtTimeRadio, ConfigGroup,
                                    RemainingGroup, CountEdit, NowEdit, ActionCombo, CountSpinner}) {
    EXPECT_NE(FindThemedControl(test::ControlWindow(MainWindow, control)), nullptr) << MainWindow.controls[control].name;
  }
  EXPECT_EQ(LookMismatches(), "");
}

TEST_F(ThemedMainWindow, ManyHoverAndPaintCyclesKeepMemoryAndLook) {
  const std::vector<HWND> targets = {
      test::ControlWindow(MainWindow, StartStopButton), test::ControlWindow(MainWindow, AboutButton),
      test::ControlWindow(MainWindow, FlashCheck),      test::ControlWindow(MainWindow, CountdownRadio),
      test::ControlWindow(MainWindow, CountEdit),       test::ControlWindow(MainWindow, ActionCombo),
      test::ControlWindow(MainWindow, CountSpinner),
  };
  HWND window = test::NativeWindow(MainWindow);
  // A cycle: the pointer comes over a control and leaves it, each painting it; now and then
  // the whole window is painted again.
  auto cycles = [&](int count) {
    for (int i = 0; i < count; ++i) {
      HWND target = targets[static_cast<std::size_t>(i) % targets.size()];
      SendMessageW(target, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3 + i % 2 * 12));
      SendMessageW(target, WM_MOUSELEAVE, 0, 0);
      if (i % 500 == 0) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      }
      if (i % 100 == 0) test::PumpFor(0);
    }
    test::PumpFor(200);
  };
  cycles(2000);  // the allocator and the caches settle first
  const long before = test::ResidentKilobytes();
  ASSERT_GT(before, 0) << "this process was not found in /proc";
  cycles(20000);
  const long after = test::ResidentKilobytes();
  EXPECT_LT(after - before, 1024) << "VmRSS grew from " << before << " kB to " << after << " kB";
  EXPECT_EQ(LookMismatches(), "");
}

}  // namespace
}  // namespace tamrivo
