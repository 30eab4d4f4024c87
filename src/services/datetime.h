// DateTime: days since 1899-12-30 00:00 local time as one double, the fraction being the time
// of day (negative values keep the time of day as the magnitude of their fraction). The
// operations clamp what is out of range; none fails.
#pragma once

#include <cstdint>

#include "services/text.h"

namespace tamrivo {

struct DateTime {
  double days = 0;
  friend bool operator==(DateTime, DateTime) = default;
};

inline constexpr double kMinDateTime = -657434;   // 0100-01-01
inline constexpr double kMaxDateTime = 2958465;   // 9999-12-31
// Half a second in days as the readers round with it; also the bias of the truncating units.
inline constexpr double kHalfSecond = 5.787037037037037e-06;

struct DateTimeFields {
  int32_t year = 0, month = 0, day = 0;
  int32_t hour = 0, minute = 0, second = 0;
  int32_t weekday = 0;    // 1 Sunday ... 7 Saturday
  int32_t dayOfYear = 0;  // 1 for 1 January
};

// The local wall clock, to the second. Tests install their own reading.
struct LocalClock {
  // Fills year, month, day, hour, minute and second of the local time now.
  void (*readLocalTime)(DateTimeFields* now);
  // Milliseconds since the system started, wrapping after 2^32.
  uint32_t (*millisecondsSinceStart)();
};
LocalClock SetLocalClock(const LocalClock& clock);  // returns the clock it replaces

DateTime CurrentDateTime();
DateTime MakeDateTime(int32_t year = 1, int32_t month = 1, int32_t day = 1, int32_t hour = 0,
                      int32_t minute = 0, int32_t second = 0);
DateTimeFields SplitDateTime(DateTime value);
int32_t YearOf(DateTime value);
int32_t MonthOf(DateTime value);
int32_t DayOf(DateTime value);

// First minus second in the unit: 1 years, 2 quarters, 3 months, 4 weeks, 5 days, 6 hours,
// 7 minutes, 8 seconds (codes outside 1..8 are clamped).
double DateTimeDifference(DateTime first, DateTime second, int32_t unit);

// "2011年2月25日6时13分45秒", shortened when the trailing fields are 0. Never empty.
OwnedText FormatDateTime(DateTime value);

int32_t UptimeMilliseconds();

}  // namespace tamrivo
