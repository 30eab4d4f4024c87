// The two schedules: countdown mode runs a number of hours, minutes or seconds from the press,
// at-time mode until a clock time. Time is counted in ticks of the mode's one-second timer, not
// read from the clock: the clock is read only at the press, to turn the chosen clock time into
// seconds from that moment. The action is requested on the first tick whose count has passed
// the target.
#include "app/scheduler.h"

#include <cmath>
#include <limits>

#include "app/fields.h"
#include "app/handlers.h"
#include "services/convert.h"
#include "services/datetime.h"
#include "services/int32_wrap.h"
#include "services/text.h"
#include "system/power.h"
#include "app/forms/main_window.h"
#include "ui/window.h"

namespace tamrivo {
namespace {

ScheduleState g_schedule;

constexpr int32_t kRunningPeriod = 1000;  // milliseconds; 0 stops a timer
constexpr int32_t kSecondsUnit = 8;       // DateTimeDifference in seconds
constexpr int32_t kHoursItem = 3600;      // item values of UnitCombo
constexpr int32_t kMinutesItem = 60;
constexpr int32_t kAfternoonItem = 24;    // item value of "下午" in HalfDayCombo

// The two modes run one tick procedure, each over its own timer, target and elapsed count.
struct ScheduleMode {
  MainWindowControl timer;
  int32_t ScheduleState::*target;
  int32_t ScheduleState::*elapsed;
};
constexpr ScheduleMode kCountdownMode = {CountdownTimer, &ScheduleState::CountdownTarget,
                                         &ScheduleState::CountdownElapsed};
constexpr ScheduleMode kAtTimeMode = {AtTimeTimer, &ScheduleState::AtTimeTarget,
                                      &ScheduleState::AtTimeElapsed};

// The program's 32-bit integers wrap rather than overflow.
int32_t WrappingAdd(int32_t value, int32_t addend) {
  return static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(addend));
}

// Seconds as a countdown target. Unlike TruncateToInt this saturates: an amount whose seconds
// exceed 32 bits (typed with an exponent, stepped past the range, or infinite) must run as
// long as a target can, not wrap into a short or negative countdown that fires early.
int32_t SaturateToInt(double seconds) {
  constexpr double kLimit = 2147483648.0;  // 2^31
  if (std::isnan(seconds)) return 0;
  if (seconds >= kLimit) return std::numeric_limits<int32_t>::max();
  if (seconds <= -kLimit) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(seconds);  // truncates toward zero
}

// Seconds from now to the hour and minute chosen in the at-time fields. A time that has
// already passed today is taken as the same time tomorrow. "Passed" means a negative
// difference: a press at hh:mm:00 or hh:mm:01 gives 0 (the difference is truncated toward
// zero), so the schedule still falls due in the chosen minute.
int32_t SecondsToChosenTime() {
  const DateTime today = CurrentDateTime();
  int32_t hour = TruncateToInt(NumberOf(HourEdit));
  if (SelectedItemValue(HalfDayCombo) == kAfternoonItem) hour = WrappingAdd(hour, 12);
  const int32_t minute = TruncateToInt(NumberOf(MinuteEdit));
  // MakeDateTime clamps the hour into 0..23 and the minute into 0..59.
  const DateTime chosen =
      MakeDateTime(YearOf(today), MonthOf(today), DayOf(today), hour, minute, 0);
  const DateTime now = CurrentDateTime();
  const int32_t seconds = TruncateToInt(DateTimeDifference(chosen, now, kSecondsUnit));
  if (seconds >= 0) return seconds;
  // One calendar day later, same wall-clock time; a change of daylight saving time in between
  // is not accounted for.
  const DateTime tomorrow = {chosen.days + 1};
  return TruncateToInt(DateTimeDifference(tomorrow, now, kSecondsUnit));
}

int32_t CountdownSeconds() {
  const double amount = NumberOf(CountEdit);
  switch (SelectedItemValue(UnitCombo)) {
    case kHoursItem: return SaturateToInt(amount * 3600.0);
    case kMinutesItem: return SaturateToInt(amount * 60.0);
    default: return SaturateToInt(amount);  // seconds, also with no unit selected
  }
}

// A press on a mode: starts it when its timer is stopped, stops it otherwise.
void ToggleMode(const ScheduleMode& mode) {
  if (GetIntProperty(MainWindow, mode.timer, kPeriod) == 0) {
    // A new run counts from its own start, not on from where an earlier run ended.
    g_schedule.*mode.elapsed = 0;
    SetControlProperty(MainWindow, mode.timer, kPeriod, kRunningPeriod);
    SetControlProperty(MainWindow, StartStopButton, kButtonCaption, "停止定时器(&D)");
  } else {
    SetControlProperty(MainWindow, mode.timer, kPeriod, 0);
    SetControlProperty(MainWindow, StartStopButton, kButtonCaption, "启动定时器(&E)");
    WriteText(RemainingEdit, "定时器已停止");
  }
}

void Tick(const ScheduleMode& mode) {
  ScheduleState& state = g_schedule;
  const int32_t target = state.*mode.target;
  const int32_t elapsed = state.*mode.elapsed;
  if (elapsed > target) {
    // Due. The action is the one selected now, not at the press; a refused or invalid one
    // (no item selected gives -1) stops the timer all the same. The caption and the line
    // stay as they are.
    PerformPowerAction(SelectedItemValue(ActionCombo), /*force=*/true);
    SetControlProperty(MainWindow, mode.timer, kPeriod, 0);
    return;
  }

  state.RemainingTotal = TruncateToInt(static_cast<double>(target) - elapsed);
  state.RemainingHours = FloorToInt(state.RemainingTotal / 3600.0);
  state.RemainingMinutes = FloorToInt(Remainder(state.RemainingTotal, {3600.0}) / 60.0);
  state.RemainingSeconds = TruncateToInt(Remainder(state.RemainingTotal, {60.0}));
  state.*mode.elapsed = WrappingAdd(elapsed, 1);

  const OwnedText hours = ToText(state.RemainingHours);
  const OwnedText minutes = ToText(state.RemainingMinutes);
  const OwnedText seconds = ToText(state.RemainingSeconds);
  const OwnedText line = ConcatTexts({"剩余时间:", hours, "小时", minutes, "分", seconds, "秒"});
  WriteText(RemainingEdit, line.get());
}

}  // namespace

int32_t TruncateToInt(double value) { return LowBits32(value); }

const ScheduleState& CurrentScheduleState() { return g_schedule; }

void ResetScheduleState() { g_schedule = ScheduleState(); }

void StartStopClicked() {
  // Every press aims at-time mode afresh, whichever mode it acts on.
  g_schedule.AtTimeTarget = SecondsToChosenTime();
  if (IsChecked(CountdownRadio)) {
    ToggleMode(kCountdownMode);
    // Also on a stop: the target follows the fields as they stand at each press.
    g_schedule.CountdownTarget = CountdownSeconds();
  } else if (IsChecked(AtTimeRadio)) {
    ToggleMode(kAtTimeMode);
  }
}

void CountdownTick() { Tick(kCountdownMode); }

void AtTimeTick() { Tick(kAtTimeMode); }

}  // namespace tamrivo
