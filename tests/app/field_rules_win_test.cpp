// The rules of MainWindow's numeric fields, the mode radios and the tray-flash option, on the
// real window: texts are written through the layer, so each write runs the field's rule as
// the user's typing does.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "main_window_support.h"
#include "message_box_closer.h"
#include "ui/window.h"

namespace tamrivo::test {
namespace {

using FieldRulesTest = MainWindowTest;

TEST_F(FieldRulesTest, TypedValuesOutOfRangeBecomeTheNearestBound) {
  struct Case {
    MainWindowControl edit;
    const char* typed;
    const char* kept;
  };
  const Case cases[] = {
      {CountEdit, "", "1"},
      {CountEdit, "0", "1"},
      {CountEdit, "-3", "1"},
      {CountEdit, "abc", "1"},
      {CountEdit, "0.5", "1"},
      {CountEdit, "1.5", "1.5"},    // judged by its leading integer, 1
      {CountEdit, "999", "999"},
      {CountEdit, "9e9", "9e9"},
      {HourEdit, "", "1"},
      {HourEdit, "0", "1"},
      {HourEdit, "13", "12"},
      {HourEdit, "99", "12"},
      {HourEdit, "12", "12"},
      {HourEdit, "7abc", "7abc"},
      {HourEdit, "１３", "12"},      // full-width digits count like ASCII ones
      {HourEdit, "－５", "1"},       // and so does the full-width minus
      {MinuteEdit, "-5", "0"},
      {MinuteEdit, "60", "59"},
      {MinuteEdit, "59", "59"},
      {MinuteEdit, "", ""},         // reads as 0, which is in range
      {MinuteEdit, "abc", "abc"},
      {MinuteEdit, "59abc", "59abc"},
      {MinuteEdit, "　６０", "59"},  // ideographic space, full-width 60
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("control ") + std::to_string(c.edit) + " typed \"" + c.typed + "\"");
    Type(c.edit, c.typed);
    EXPECT_EQ(Text(c.edit), c.kept);
  }
}

TEST_F(FieldRulesTest, SpinnersStepTheirFieldWithinItsRange) {
  struct Case {
    MainWindowControl spinner, edit;
    const char* before;
    int32_t direction;  // 1 up; any other value down
    const char* after;
  };
  const Case cases[] = {
      {CountSpinner, CountEdit, "1", 1, "2"},
      {CountSpinner, CountEdit, "999", 1, "1000"},  // no upper end; the length limit is typing's
      {CountSpinner, CountEdit, "2.5", 1, "3.5"},   // the fraction is kept
      {CountSpinner, CountEdit, "2", -1, "1"},
      {CountSpinner, CountEdit, "1", -1, "1"},
      {CountSpinner, CountEdit, "1.5", -1, "1"},    // writes 0.5, which the field's rule lifts
      {CountSpinner, CountEdit, "3", 0, "2"},
      {HourSpinner, HourEdit, "11", 1, "12"},
      {HourSpinner, HourEdit, "12", 1, "12"},
      {HourSpinner, HourEdit, "1", -1, "1"},
      {HourSpinner, HourEdit, "5", -1, "4"},
      {HourSpinner, HourEdit, "7abc", 1, "8"},      // whole-number part, written whole
      {HourSpinner, HourEdit, "7abc", -7, "6"},
      {MinuteSpinner, MinuteEdit, "58", 1, "59"},
      {MinuteSpinner, MinuteEdit, "59", 1, "59"},
      {MinuteSpinner, MinuteEdit, "59abc", 1, "59"},  // the top rewrites "59"
      {MinuteSpinner, MinuteEdit, "0", -1, "0"},
      {MinuteSpinner, MinuteEdit, "1", -1, "0"},
      {MinuteSpinner, MinuteEdit, "", 1, "1"},
      {MinuteSpinner, MinuteEdit, "30.9", -1, "29"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("control ") + std::to_string(c.edit) + " \"" + c.before +
                 "\" direction " + std::to_string(c.direction));
    Type(c.edit, c.before);
    ASSERT_EQ(Text(c.edit), c.before);
    Step(c.spinner, c.direction);
    EXPECT_EQ(Text(c.edit), c.after);
  }
}

// Stepping down from 1.5 really steps: 0.5 goes through the rule of CountEdit, which makes it
// 1. The next step down from 1 does nothing, and up gives 2.
TEST_F(FieldRulesTest, CountSpinnerDownFromOneAndAHalfEndsAtOne) {
  Type(CountEdit, "1.5");
  Step(CountSpinner, -1);
  EXPECT_EQ(Text(CountEdit), "1");
  Step(CountSpinner, -1);
  EXPECT_EQ(Text(CountEdit), "1");
  Step(CountSpinner, 1);
  EXPECT_EQ(Text(CountEdit), "2");
}

TEST_F(FieldRulesTest, ModeRadiosSwitchWhichFieldsTakeInput) {
  const MainWindowControl countdownFields[] = {CountEdit, CountSpinner, UnitCombo};
  const MainWindowControl atTimeFields[] = {HourEdit, HourSpinner, MinuteEdit, MinuteSpinner,
                                            HalfDayCombo};
  auto expectCountdownFields = [&](int32_t countdownDisabled) {
    for (MainWindowControl control : countdownFields) {
      EXPECT_EQ(Disabled(control), countdownDisabled) << "control " << control;
    }
    for (MainWindowControl control : atTimeFields) {
      EXPECT_EQ(Disabled(control), 1 - countdownDisabled) << "control " << control;
    }
  };
  expectCountdownFields(0);  // as the window opens

  ChooseMode(AtTimeRadio);
  expectCountdownFields(1);

  // A clicked event of a radio that is not checked changes nothing.
  RaiseEvent(MainWindow, CountdownRadio, kClicked);
  expectCountdownFields(1);

  ChooseMode(CountdownRadio);
  expectCountdownFields(0);
  ChooseMode(CountdownRadio);  // again: the same states
  expectCountdownFields(0);
}

TEST_F(FieldRulesTest, CheckingFlashCheckWarnsThatTheOptionIsUnsupported) {
  MessageBoxCloser closer;
  SetControlProperty(MainWindow, FlashCheck, kChecked, 1);
  RaiseEvent(MainWindow, FlashCheck, kClicked);  // returns once the box is closed
  ASSERT_EQ(closer.seen().size(), 1u);
  EXPECT_EQ(closer.seen()[0].title, L"警告");
  EXPECT_EQ(closer.seen()[0].text, L"您的系统不支持，此项功能未完成");
  EXPECT_EQ(GetIntProperty(MainWindow, FlashCheck, kChecked), 1);  // the mark stays

  SetControlProperty(MainWindow, FlashCheck, kChecked, 0);
  RaiseEvent(MainWindow, FlashCheck, kClicked);
  EXPECT_EQ(closer.seen().size(), 1u);  // clearing it says nothing

  SetControlProperty(MainWindow, FlashCheck, kChecked, 1);
  RaiseEvent(MainWindow, FlashCheck, kClicked);
  EXPECT_EQ(closer.seen().size(), 2u);  // each time it becomes checked
}

}  // namespace
}  // namespace tamrivo::test
