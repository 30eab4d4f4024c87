// StartStopClicked, CountdownTick and AtTimeTick on the real MainWindow. The ticks are raised
// by the tests; the clock is the test's; power requests are recorded, never made.
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "main_window_support.h"
#include "app/scheduler.h"
#include "ui/window.h"

namespace tamrivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int32_t kLargestTarget = std::numeric_limits<int32_t>::max();

std::vector<std::string> Requests() {
  std::vector<std::string> described;
  for (const PowerRequest& request : PowerRequests()) {
    if (request.kind == PowerRequest::Kind::ExitWindows) {
      described.push_back("ExitWindowsEx " + std::to_string(request.flags));
    } else {
      described.push_back("SetSystemPowerState " + std::to_string(request.suspend) + " " +
                          std::to_string(request.force));
    }
  }
  return described;
}

const ScheduleState& State() { return CurrentScheduleState(); }

using ScheduleTest = MainWindowTest;

TEST_F(ScheduleTest, TenSecondCountdownShowsElevenLinesThenFiresOnTheTwelfthTick) {
  Type(CountEdit, "10");
  Select(UnitCombo, 2);  // 秒后
  Press();
  EXPECT_EQ(Period(CountdownTimer), 1000);
  EXPECT_EQ(Caption(), "停止定时器(&D)");
  EXPECT_EQ(Text(RemainingEdit), "定时器已停止");  // the press itself writes no line
  EXPECT_EQ(State().CountdownTarget, 10);

  for (int32_t tick = 1; tick <= 11; ++tick) {
    Tick(CountdownTimer);
    EXPECT_EQ(Text(RemainingEdit), Line(11 - tick)) << "tick " << tick;
  }
  EXPECT_THAT(Requests(), IsEmpty());

  Tick(CountdownTimer);
  EXPECT_THAT(Requests(), ElementsAre("ExitWindowsEx 12"));  // 关机, forced
  EXPECT_EQ(Period(CountdownTimer), 0);
  EXPECT_EQ(Caption(), "停止定时器(&D)");
  EXPECT_EQ(Text(RemainingEdit), Line(0));
}

TEST_F(ScheduleTest, CountdownTargetIsTheAmountInSecondsOfTheChosenUnit) {
  struct Case {
    const char* amount;
    int32_t unitIndex;  // 0 小时后, 1 分钟后, 2 秒后, -1 none selected
    int32_t target;
  };
  const Case cases[] = {
      {"1", 0, 3600},
      {"1.5", 1, 90},  // multiplied before truncation
      {"1.5", 2, 1},
      {"7", -1, 7},    // no unit counts as seconds
      {"596523", 0, 2147482800},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.amount) + " unit " + std::to_string(c.unitIndex));
    ResetScheduleState();
    Type(CountEdit, c.amount);
    Select(UnitCombo, c.unitIndex);
    Press();
    ASSERT_EQ(State().CountdownTarget, c.target);
    Tick(CountdownTimer);
    EXPECT_EQ(Text(RemainingEdit), Line(c.target));
    Tick(CountdownTimer);
    EXPECT_EQ(Text(RemainingEdit), Line(c.target - 1));
    Press();  // stop, for the next case
    EXPECT_EQ(Period(CountdownTimer), 0);
  }
  EXPECT_THAT(Requests(), IsEmpty());
}

TEST_F(ScheduleTest, StopPressRecomputesTheTargetAndSaysStopped) {
  Type(CountEdit, "10");
  Select(UnitCombo, 2);
  Press();
  Tick(CountdownTimer);
  // Fields changed while the schedule runs leave its target alone until the next press.
  Type(CountEdit, "20");
  Select(UnitCombo, 1);
  EXPECT_EQ(State().CountdownTarget, 10);
  Tick(CountdownTimer);
  EXPECT_EQ(Text(RemainingEdit), Line(9));

  Press();
  EXPECT_EQ(Period(CountdownTimer), 0);
  EXPECT_EQ(Caption(), "启动定时器(&E)");
  EXPECT_EQ(Text(RemainingEdit), "定时器已停止");
  EXPECT_EQ(State().CountdownTarget, 1200);
  EXPECT_THAT(Requests(), IsEmpty());
}

struct ClockTime {
  int32_t year, month, day, hour, minute, second;
};

struct AtTimeCase {
  ClockTime pressed;
  const char* hour;
  const char* minute;
  int32_t halfDayIndex;  // 0 上午, 1 下午, -1 none selected
  int32_t target;
};

// Sets the clock, chooses at-time mode with the case's fields and presses.
void StartAtTime(const AtTimeCase& c) {
  const ClockTime& t = c.pressed;
  SetClock(t.year, t.month, t.day, t.hour, t.minute, t.second);
  ChooseMode(AtTimeRadio);
  Type(HourEdit, c.hour);
  Type(MinuteEdit, c.minute);
  Select(HalfDayCombo, c.halfDayIndex);
  Press();
}

TEST_F(ScheduleTest, AtTimeTargetIsTheSecondsFromThePressToTheChosenTimeToday) {
  const AtTimeCase cases[] = {
      {{2011, 2, 25, 9, 0, 0}, "10", "0", 0, 3600},
      {{2011, 2, 25, 10, 0, 0}, "10", "0", 0, 0},
      {{2011, 2, 25, 10, 0, 1}, "10", "0", 0, 0},  // truncated toward zero: not yet passed
      {{2011, 2, 25, 13, 0, 0}, "1", "30", 1, 1800},
      {{2011, 2, 25, 1, 0, 0}, "1", "30", -1, 1800},   // no half day counts as morning
      {{2011, 2, 25, 9, 0, 0}, "12", "0", 0, 10800},   // 12 上午 is noon
      {{2011, 2, 25, 9, 0, 0}, "12", "0", 1, 50400},   // 12 下午 is 24, kept at 23:00
      {{2011, 2, 25, 9, 0, 0}, "10", "7.5e1", 0, 7140}, // 75 past the rule: kept at 59
  };
  for (const AtTimeCase& c : cases) {
    SCOPED_TRACE(std::string(c.hour) + ":" + c.minute + " half " +
                 std::to_string(c.halfDayIndex) + " at " + std::to_string(c.pressed.hour) +
                 ":" + std::to_string(c.pressed.minute) + ":" + std::to_string(c.pressed.second));
    ResetScheduleState();
    StartAtTime(c);
    ASSERT_EQ(Period(AtTimeTimer), 1000);
    EXPECT_EQ(State().AtTimeTarget, c.target);
    Tick(AtTimeTimer);
    EXPECT_EQ(Text(RemainingEdit), Line(c.target));
    Press();  // stop, for the next case
  }
  EXPECT_THAT(Requests(), IsEmpty());
}

TEST_F(ScheduleTest, AtTimeFiresOnTheSecondTickWhenPressedInTheChosenMinute) {
  StartAtTime({{2011, 2, 25, 10, 0, 1}, "10", "0", 0, 0});
  Tick(AtTimeTimer);
  EXPECT_EQ(Text(RemainingEdit), Line(0));
  EXPECT_THAT(Requests(), IsEmpty());
  Tick(AtTimeTimer);
  EXPECT_THAT(Requests(), ElementsAre("ExitWindowsEx 12"));
  EXPECT_EQ(Period(AtTimeTimer), 0);
  EXPECT_EQ(Caption(), "停止定时器(&D)");
  EXPECT_EQ(Text(RemainingEdit), Line(0));
}

// The action is the one selected when the schedule falls due; with none selected the request
// is refused and the timer stops all the same.
TEST_F(ScheduleTest, ActionIsTheOneSelectedWhenTheScheduleFallsDue) {
  struct Case {
    int32_t actionIndex;
    std::vector<std::string> requests;
  };
  const Case cases[] = {
      {0, {"ExitWindowsEx 12"}},           // 关机: power off, forced
      {1, {"ExitWindowsEx 6"}},            // 重启
      {2, {"ExitWindowsEx 4"}},            // 注销
      {3, {"SetSystemPowerState 1 1"}},    // 休眠: stand by
      {4, {"SetSystemPowerState 0 1"}},    // 冬眠: hibernate
      {-1, {}},
  };
  Type(CountEdit, "1");
  Select(UnitCombo, 2);
  for (const Case& c : cases) {
    SCOPED_TRACE("action index " + std::to_string(c.actionIndex));
    ResetScheduleState();
    PowerRequests().clear();
    Select(ActionCombo, 0);
    Press();
    ASSERT_EQ(Period(CountdownTimer), 1000);
    Tick(CountdownTimer);
    Tick(CountdownTimer);
    Select(ActionCombo, c.actionIndex);
    Tick(CountdownTimer);
    EXPECT_EQ(Requests(), c.requests);
    EXPECT_EQ(Period(CountdownTimer), 0);
    EXPECT_EQ(Text(RemainingEdit), Line(0));
  }
}

TEST_F(ScheduleTest, PressWithNeitherRadioCheckedOnlyAimsAtTime) {
  SetClock(2011, 2, 25, 9, 0, 0);
  Type(HourEdit, "10");
  SetControlProperty(MainWindow, CountdownRadio, kChecked, 0);
  Press();
  EXPECT_EQ(State().AtTimeTarget, 3600);
  EXPECT_EQ(State().CountdownTarget, 0);
  EXPECT_EQ(Period(CountdownTimer), 0);
  EXPECT_EQ(Period(AtTimeTimer), 0);
  EXPECT_EQ(Caption(), "启动定时器(&E)");
  EXPECT_EQ(Text(RemainingEdit), "定时器已停止");
}

// Choosing the other mode neither stops nor starts a timer, so both can run; each counts
// against its own target, and a press stops only the checked one.
TEST_F(ScheduleTest, BothModesRunAtOnceEachAgainstItsOwnTarget) {
  Type(CountEdit, "1");
  Select(UnitCombo, 2);
  Press();
  StartAtTime({{2011, 2, 25, 10, 0, 0}, "10", "1", 0, 60});
  EXPECT_EQ(Period(CountdownTimer), 1000);
  EXPECT_EQ(Period(AtTimeTimer), 1000);
  EXPECT_EQ(State().CountdownTarget, 1);
  EXPECT_EQ(State().AtTimeTarget, 60);

  Tick(CountdownTimer);
  EXPECT_EQ(Text(RemainingEdit), Line(1));
  Tick(AtTimeTimer);
  EXPECT_EQ(Text(RemainingEdit), Line(60));
  Tick(CountdownTimer);
  EXPECT_EQ(Text(RemainingEdit), Line(0));
  Tick(CountdownTimer);
  EXPECT_THAT(Requests(), ElementsAre("ExitWindowsEx 12"));
  EXPECT_EQ(Period(CountdownTimer), 0);
  EXPECT_EQ(Period(AtTimeTimer), 1000);
  Tick(AtTimeTimer);
  EXPECT_EQ(Text(RemainingEdit), Line(59));

  Press();  // at-time mode is checked
  EXPECT_EQ(Period(AtTimeTimer), 0);
  EXPECT_EQ(Text(RemainingEdit), "定时器已停止");
  EXPECT_EQ(State().CountdownTarget, 1);  // not a countdown press
  EXPECT_THAT(Requests(), ElementsAre("ExitWindowsEx 12"));
}

// A mode started again counts from its own start: the count of an earlier run, fired or
// stopped, must not bring the new run's action forward.
TEST_F(ScheduleTest, StartingAModeAgainCountsFromItsOwnStart) {
  struct Case {
    const char* name;
    MainWindowControl radio, timer;
    const char* amountOrHour;
    const char* minute;
    int32_t target;
    int32_t ticksBeforeStop;  // then a stop press; 0: run until the action fires
  };
  const Case cases[] = {
      {"countdown, fired", CountdownRadio, CountdownTimer, "2", nullptr, 2, 0},
      {"countdown, stopped", CountdownRadio, CountdownTimer, "10", nullptr, 10, 3},
      {"at time, fired", AtTimeRadio, AtTimeTimer, "10", "0", 0, 0},
      {"at time, stopped", AtTimeRadio, AtTimeTimer, "10", "1", 60, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetScheduleState();
    PowerRequests().clear();
    ChooseMode(c.radio);
    Select(UnitCombo, 2);
    if (c.radio == CountdownRadio) {
      Type(CountEdit, c.amountOrHour);
    } else {
      Type(HourEdit, c.amountOrHour);
      Type(MinuteEdit, c.minute);
    }
    Press();
    if (c.ticksBeforeStop == 0) {
      for (int32_t tick = 0; tick < c.target + 2; ++tick) Tick(c.timer);
      ASSERT_EQ(Requests().size(), 1u);
      ASSERT_EQ(Period(c.timer), 0);
    } else {
      for (int32_t tick = 0; tick < c.ticksBeforeStop; ++tick) Tick(c.timer);
      Press();
      ASSERT_EQ(Period(c.timer), 0);
    }
    PowerRequests().clear();

    Press();
    ASSERT_EQ(Period(c.timer), 1000);
    Tick(c.timer);
    EXPECT_EQ(Text(RemainingEdit), Line(c.target));
    EXPECT_THAT(Requests(), IsEmpty());
    Press();
  }
}

// An amount whose seconds do not fit 32 bits runs the longest countdown there is rather than
// a wrapped one: 9e9 hours kept to the low 32 bits would be negative and fire at once.
TEST_F(ScheduleTest, AmountTooLargeForTheTargetRunsTheLongestCountdown) {
  struct Case {
    const char* amount;
    int32_t unitIndex;
    bool stepUp;  // then one step of CountSpinner
  };
  const Case cases[] = {
      {"9e9", 0, false},         // typed with an exponent; 9 by the field's rule
      {"9e9", 2, false},
      {"1e308", 0, false},       // the product overflows to infinity
      {"1e999", 2, false},       // the amount itself is infinite
      {"596523", 0, true},       // stepped past the range: 596524 hours
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.amount) + " unit " + std::to_string(c.unitIndex));
    ResetScheduleState();
    Type(CountEdit, c.amount);
    if (c.stepUp) Step(CountSpinner, 1);
    Select(UnitCombo, c.unitIndex);
    Press();
    EXPECT_EQ(State().CountdownTarget, kLargestTarget);
    Tick(CountdownTimer);
    EXPECT_EQ(Text(RemainingEdit), Line(kLargestTarget));  // 596523小时14分7秒
    EXPECT_THAT(Requests(), IsEmpty());
    Press();
  }
}

// A clock time already past today aims at the same time tomorrow, and the line counts down to
// it; before, the first tick fired.
TEST_F(ScheduleTest, ClockTimeAlreadyPassedTodayAimsAtTomorrow) {
  const AtTimeCase cases[] = {
      {{2011, 2, 25, 10, 0, 2}, "10", "0", 0, 86398},
      {{2011, 2, 25, 10, 5, 0}, "10", "0", 0, 86100},
      {{2011, 2, 28, 23, 30, 0}, "11", "0", 1, 84600},    // tomorrow is 1 March
      {{2011, 12, 31, 23, 59, 59}, "11", "59", 1, 86341}, // and here 2012-01-01
      {{2012, 2, 28, 12, 0, 0}, "1", "0", 0, 46800},      // 2012-02-29
  };
  for (const AtTimeCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.pressed.month) + "-" + std::to_string(c.pressed.day) + " " +
                 std::to_string(c.pressed.hour) + ":" + std::to_string(c.pressed.minute) + ":" +
                 std::to_string(c.pressed.second));
    ResetScheduleState();
    StartAtTime(c);
    EXPECT_EQ(State().AtTimeTarget, c.target);
    Tick(AtTimeTimer);
    EXPECT_EQ(Text(RemainingEdit), Line(c.target));
    EXPECT_EQ(Period(AtTimeTimer), 1000);
    EXPECT_THAT(Requests(), IsEmpty());
    Press();
  }
}

TEST(TruncateToInt, DropsTheFractionAndKeepsTheLow32BitsForAnyDouble) {
  struct Case {
    double value;
    int32_t result;
  };
  const Case cases[] = {
      {2.9, 2},
      {-2.9, -2},
      {-0.5, 0},
      {2147483647.9, 2147483647},
      {2147483648.0, -2147483648},
      {-2147483649.0, 2147483647},
      {4294967297.5, 1},
      {9e9, 410065408},
      {1e19, -1981284352},                     // beyond 64 bits: 2313682944 as unsigned
      {9223372036854777856.0, 2048},           // 2^63 + 2^11
      {1e300, 0},
      {-1e300, 0},
      {std::numeric_limits<double>::infinity(), 0},
      {-std::numeric_limits<double>::infinity(), 0},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TruncateToInt(c.value), c.result) << c.value;
  }
}

}  // namespace
}  // namespace tamrivo::test
