// The window's own keys, sent as real input so that they pass through the loop's keyboard
// handling before dispatch: Tab order, arrows between radio buttons, Alt with an access key,
// Enter.
#include <gtest/gtest.h>

#include <array>

#include "ui/forms/main_window.h"
#include "ui/window.h"
#include "ui_support.h"

namespace tamrivo {
namespace {

using test::PressKeys;

class MainWindowKeys : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadWindow(MainWindow));
    test::Activate(MainWindow);
  }
  void TearDown() override { test::Unload(MainWindow); }

  // Focuses `start`, then presses Tab (or Shift+Tab) once per expected control.
  void ExpectTabOrder(int32_t start, const std::vector<int32_t>& expected, bool backward) {
    SetFocus(test::ControlWindow(MainWindow, start));
    test::PumpFor(20);
    ASSERT_EQ(test::FocusedControl(MainWindow), start);
    std::vector<int32_t> seen;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      if (backward) {
        PressKeys({VK_SHIFT, VK_TAB});
      } else {
        PressKeys({VK_TAB});
      }
      seen.push_back(test::FocusedControl(MainWindow));
    }
    EXPECT_EQ(seen, expected);
  }
};

TEST_F(MainWindowKeys, TabSkipsTheDisabledAtTimeFieldsAndWraps) {
  const std::vector<int32_t> forward = {RemainingEdit, ActionCombo, CountdownRadio, CountEdit, UnitCombo,
                                        AtTimeRadio,   FlashCheck,  NowEdit,        AboutButton, StartStopButton};
  ExpectTabOrder(StartStopButton, forward, false);
  std::vector<int32_t> backward(forward.rbegin() + 1, forward.rend());
  backward.push_back(StartStopButton);
  ExpectTabOrder(StartStopButton, backward, true);
  // Passing over AtTimeRadio gave it the focus but neither checked it nor unchecked the other.
  EXPECT_EQ(GetIntProperty(MainWindow, AtTimeRadio, kChecked), 0);
  EXPECT_EQ(GetIntProperty(MainWindow, CountdownRadio, kChecked), 1);
}

TEST_F(MainWindowKeys, TabVisitsTheAtTimeFieldsOnceEnabled) {
  for (int32_t control : {HourEdit, HalfDayCombo, MinuteEdit}) SetControlProperty(MainWindow, control, kDisabled, 0);
  const std::vector<int32_t> forward = {StartStopButton, RemainingEdit, ActionCombo, CountdownRadio, CountEdit,
                                        UnitCombo,       AtTimeRadio,   HourEdit,    HalfDayCombo,   MinuteEdit,
                                        FlashCheck,      NowEdit,       AboutButton};
  ExpectTabOrder(AboutButton, forward, false);
}

TEST_F(MainWindowKeys, EnterDoesNothing) {
  SetFocus(test::ControlWindow(MainWindow, CountEdit));
  PressKeys({VK_RETURN});
  EXPECT_EQ(test::FocusedControl(MainWindow), CountEdit);
  EXPECT_TRUE(IsWindowLoaded(MainWindow));
  EXPECT_EQ(test::Bytes(GetTextProperty(MainWindow, CountEdit, kText)), "1");
}

}  // namespace
}  // namespace tamrivo
