#include "services/datetime.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <time.h>  // clock_gettime

#include "services/int32_wrap.h"

namespace tamrivo {
namespace {

constexpr int32_t kMinYear = 100;
constexpr int32_t kMaxYear = 9999;
constexpr double kSecondsPerDay = 86400;
// The day numbers of this calendar count from 1899-12-30; the civil-day arithmetic below
// counts from 1970-01-01, which is day 25569 here.
constexpr int64_t kDayOfUnixEpoch = 25569;

bool IsLeapYear(int32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int32_t DaysInMonth(int32_t year, int32_t month) {
  constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Proleptic Gregorian date to day number, through years that start on 1 March so that the
// leap day is the last day of its year.
int64_t DayNumberOf(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468 + kDayOfUnixEpoch;
}

struct CivilDate {
  int32_t year, month, day;
};

CivilDate DateOfDayNumber(int64_t dayNumber) {
  const int64_t days = dayNumber - kDayOfUnixEpoch + 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  const int64_t day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
  const int64_t month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
  const int64_t year = yearOfEra + era * 400 + (month <= 2);
  return {static_cast<int32_t>(year), static_cast<int32_t>(month), static_cast<int32_t>(day)};
}

// Every reader first brings the value into the supported calendar. Not-a-number is no date at
// all; it reads as day 0 rather than as either end of the calendar.
double ClampDays(double days) {
  if (std::isnan(days)) return 0;
  return std::clamp(days, kMinDateTime, kMaxDateTime);
}

// Negative values carry the time of day as the magnitude of their fraction; this maps them
// onto one continuous time line (-1.25, 1899-12-29 06:00, becomes -0.75).
double LinearDays(double days) { return days < 0 ? 2 * std::ceil(days) - days : days; }

// Day number plus or minus the time of day, the whole seconds times the double nearest 1/86400.
double ComposeDateTime(int64_t dayNumber, int32_t secondsOfDay) {
  const double timeOfDay = secondsOfDay * (1 / kSecondsPerDay);
  const double day = static_cast<double>(dayNumber);
  return dayNumber >= 0 ? day + timeOfDay : day - timeOfDay;
}

// The local clock read with the C library only, so that the code stays portable; Windows'
// C runtime answers with the system's time zone.
void ReadLocalTimeFromLibrary(DateTimeFields* now) {
  const std::time_t seconds = std::time(nullptr);
  if (seconds == static_cast<std::time_t>(-1)) return;
  const std::tm* local = std::localtime(&seconds);
  if (!local) return;
  // tm_year counts from 1900; keep the sum within 32 bits for any answer.
  now->year = static_cast<int32_t>(std::min<int64_t>(int64_t{local->tm_year} + 1900, kMaxYear + 1));
  now->month = local->tm_mon + 1;
  now->day = local->tm_mday;
  now->hour = local->tm_hour;
  now->minute = local->tm_min;
  now->second = local->tm_sec;  // a leap second, 60, is clamped to 59 when composed
}

// The POSIX monotonic clock counts from system start on Linux, and on Windows through
// MinGW-w64's POSIX layer (the performance counter). std::chrono::steady_clock would say the
// same, but GCC's <chrono> does not compile with a GBK execution character set in C++20:
// its "\u00b5s" unit suffix has no GBK form.
uint32_t MonotonicMilliseconds() {
  timespec now{};
  if (clock_gettime(CLOCK_MONOTONIC, &now) != 0) return 0;
  const int64_t milliseconds = int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1000000;
  return static_cast<uint32_t>(milliseconds);  // keeps the low 32 bits, as the tick count does
}

constexpr LocalClock kLibraryClock = {ReadLocalTimeFromLibrary, MonotonicMilliseconds};
LocalClock g_clock = kLibraryClock;

}  // namespace

LocalClock SetLocalClock(const LocalClock& clock) {
  const LocalClock previous = g_clock;
  // A missing reading falls back to the library's, so a test may replace only one of them.
  g_clock.readLocalTime = clock.readLocalTime ? clock.readLocalTime : kLibraryClock.readLocalTime;
  g_clock.millisecondsSinceStart = clock.millisecondsSinceStart
                                       ? clock.millisecondsSinceStart
                                       : kLibraryClock.millisecondsSinceStart;
  return previous;
}

DateTime CurrentDateTime() {
  // When the platform cannot tell the local time, the fields stay at day 0 (1899-12-30 00:00).
  DateTimeFields now;
  now.year = 1899;
  now.month = 12;
  now.day = 30;
  g_clock.readLocalTime(&now);
  return MakeDateTime(now.year, now.month, now.day, now.hour, now.minute, now.second);
}

DateTime MakeDateTime(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
                      int32_t second) {
  year = std::clamp(year, kMinYear, kMaxYear);
  month = std::clamp(month, 1, 12);
  day = std::clamp(day, 1, 31);
  hour = std::clamp(hour, 0, 23);
  minute = std::clamp(minute, 0, 59);
  second = std::clamp(second, 0, 59);
  day = std::min(day, DaysInMonth(year, month));
  return {ComposeDateTime(DayNumberOf(year, month, day), hour * 3600 + minute * 60 + second)};
}

DateTimeFields SplitDateTime(DateTime value) {
  const double days = ClampDays(value.days);
  // Round to the nearest second, away from day 0 on either side.
  const double rounded = days > 0 ? days + kHalfSecond : days - kHalfSecond;
  const int64_t dayNumber = static_cast<int64_t>(std::trunc(rounded));  // within the calendar
  const CivilDate date = DateOfDayNumber(dayNumber);

  DateTimeFields fields;
  fields.year = date.year;
  fields.month = date.month;
  fields.day = date.day;
  // Day 0 was a Saturday (7); day 1 a Sunday (1).
  fields.weekday = static_cast<int32_t>(((dayNumber + 6) % 7 + 7) % 7) + 1;
  fields.dayOfYear = static_cast<int32_t>(dayNumber - DayNumberOf(date.year, 1, 1)) + 1;

  const double magnitude = std::fabs(rounded);
  // The fraction is below 1, and its product with 86400 stays below 86400 when rounded.
  const int32_t seconds = std::min(
      static_cast<int32_t>((magnitude - std::floor(magnitude)) * kSecondsPerDay), 86399);
  fields.hour = seconds / 3600;
  fields.minute = seconds / 60 % 60;
  fields.second = seconds % 60;
  return fields;
}

int32_t YearOf(DateTime value) { return SplitDateTime(value).year; }
int32_t MonthOf(DateTime value) { return SplitDateTime(value).month; }
int32_t DayOf(DateTime value) { return SplitDateTime(value).day; }

double DateTimeDifference(DateTime first, DateTime second, int32_t unit) {
  unit = std::clamp(unit, 1, 8);
  // Equal as passed, not as clamped: two values beyond the calendar's end that differ still
  // go through the clamp and then compare as equal days.
  if (first.days == second.days) return 0;
  const DateTime a = {ClampDays(first.days)};
  const DateTime b = {ClampDays(second.days)};

  if (unit <= 3) {
    const DateTimeFields fa = SplitDateTime(a);
    const DateTimeFields fb = SplitDateTime(b);
    const int32_t years = fa.year - fb.year;
    if (unit == 1) return years;
    if (unit == 2) return 4 * years + (fa.month - 1) / 3 - (fb.month - 1) / 3;
    return 12 * years + fa.month - fb.month;
  }

  const double days = LinearDays(a.days) - LinearDays(b.days);
  switch (unit) {
    case 4: {
      // Whole weeks, plus one more when the later value's weekday comes before the earlier
      // one's (the span then crosses one more week boundary).
      const int32_t weeks = LowBits32(days) / 7;
      const int32_t weekdayA = SplitDateTime(a).weekday;
      const int32_t weekdayB = SplitDateTime(b).weekday;
      if (days > 0 && weekdayA < weekdayB) return weeks + 1;
      if (days < 0 && weekdayB < weekdayA) return weeks - 1;
      return weeks;
    }
    case 5:
      return days;
    // The half-second bias is added whatever the sign, so an earlier first value comes out
    // one unit smaller in magnitude than a later one.
    case 6:
      return LowBits32(days * 24 + kHalfSecond);
    case 7:
      return LowBits32(days * 1440 + kHalfSecond);
    default:
      return LowBits32(days * kSecondsPerDay + kHalfSecond);
  }
}

OwnedText FormatDateTime(DateTime value) {
  const DateTimeFields f = SplitDateTime(value);
  char text[64];  // "9999年12月31日23时59分59秒" is 27 bytes
  int length = std::snprintf(text, sizeof text, "%d年%d月%d日", f.year, f.month, f.day);
  char* time = text + length;
  const size_t room = sizeof text - length;
  if (f.second != 0) {
    std::snprintf(time, room, "%d时%d分%d秒", f.hour, f.minute, f.second);
  } else if (f.minute != 0) {
    std::snprintf(time, room, "%d时%d分", f.hour, f.minute);
  } else if (f.hour != 0) {
    std::snprintf(time, room, "%d时", f.hour);
  }
  return OwnedText::Copy(text);
}

int32_t UptimeMilliseconds() {
  return static_cast<int32_t>(g_clock.millisecondsSinceStart());  // negative from 2^31 on
}

}  // namespace tamrivo
