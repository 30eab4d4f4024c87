#include "services/datetime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

namespace tamrivo {
namespace {

constexpr double kSecond = 1.0 / 86400;

DateTime At(int32_t year, int32_t month, int32_t day, int32_t hour = 0, int32_t minute = 0,
            int32_t second = 0) {
  return MakeDateTime(year, month, day, hour, minute, second);
}

struct Fields {
  int32_t year, month, day, hour, minute, second;
};

void ExpectFields(DateTime value, const Fields& want) {
  const DateTimeFields got = SplitDateTime(value);
  EXPECT_EQ(got.year, want.year) << value.days;
  EXPECT_EQ(got.month, want.month) << value.days;
  EXPECT_EQ(got.day, want.day) << value.days;
  EXPECT_EQ(got.hour, want.hour) << value.days;
  EXPECT_EQ(got.minute, want.minute) << value.days;
  EXPECT_EQ(got.second, want.second) << value.days;
}

TEST(DateTime, DayNumbersWeekdaysAndDaysOfYearOfKnownDates) {
  const struct {
    int32_t year, month, day;
    double dayNumber;
    int32_t weekday, dayOfYear;
  } cases[] = {
      {1899, 12, 30, 0, 7, 364},          // day 0, a Saturday
      {1899, 12, 31, 1, 1, 365},          // Sunday
      {1899, 12, 29, -1, 6, 363},
      {1900, 1, 1, 2, 2, 1},
      {1900, 3, 1, 61, 5, 60},            // 1900 has no 29 February
      {2000, 2, 29, 36585, 3, 60},        // 2000 has one
      {2000, 12, 31, 36891, 1, 366},
      {1970, 1, 1, 25569, 5, 1},
      {2011, 2, 25, 40599, 6, 56},        // a Friday
      {100, 1, 1, -657434, 6, 1},         // first day of the calendar
      {9999, 12, 31, 2958465, 6, 365},    // last day of the calendar
  };
  for (const auto& c : cases) {
    const DateTime value = At(c.year, c.month, c.day);
    EXPECT_EQ(value.days, c.dayNumber) << c.year << "-" << c.month << "-" << c.day;
    const DateTimeFields fields = SplitDateTime(value);
    EXPECT_EQ(fields.year, c.year);
    EXPECT_EQ(fields.month, c.month);
    EXPECT_EQ(fields.day, c.day);
    EXPECT_EQ(fields.weekday, c.weekday) << c.year << "-" << c.month << "-" << c.day;
    EXPECT_EQ(fields.dayOfYear, c.dayOfYear) << c.year << "-" << c.month << "-" << c.day;
  }
}

// Walks every day of the calendar: each splits into a date that composes back to the same
// day, weekdays cycle, and days of the year restart exactly on 1 January.
TEST(DateTime, EveryDayOfTheCalendarSplitsAndComposesBack) {
  DateTimeFields previous = SplitDateTime({kMinDateTime - 1});
  for (int32_t day = static_cast<int32_t>(kMinDateTime) + 1; day <= kMaxDateTime; ++day) {
    const DateTimeFields f = SplitDateTime({static_cast<double>(day)});
    ASSERT_EQ(At(f.year, f.month, f.day).days, day);
    ASSERT_EQ(f.weekday, previous.weekday % 7 + 1) << day;
    if (f.month == 1 && f.day == 1) {
      ASSERT_EQ(f.dayOfYear, 1) << day;
      ASSERT_EQ(f.year, previous.year + 1) << day;
    } else {
      ASSERT_EQ(f.dayOfYear, previous.dayOfYear + 1) << day;
    }
    previous = f;
  }
  EXPECT_EQ(previous.year, 9999);
}

TEST(DateTime, ComposesWholeSecondsOnEitherSideOfDayZero) {
  EXPECT_EQ(At(2011, 2, 25, 6, 13, 45).days, 40599 + 22425 * kSecond);
  EXPECT_NEAR(At(2011, 2, 25, 6, 13, 45).days, 40599.25954861111, 1e-10);
  EXPECT_EQ(At(1899, 12, 29, 6, 0, 0).days, -1.25);  // the time of day counts away from 0
  EXPECT_EQ(At(1899, 12, 30, 12, 0, 0).days, 0.5);
}

TEST(SplitDateTime, RoundsToTheNearestSecondAndClampsIntoTheCalendar) {
  const struct {
    double days;
    Fields want;
  } cases[] = {
      {40599 + 22425 * kSecond, {2011, 2, 25, 6, 13, 45}},
      {40599 + 22425 * kSecond + 0.49 * kSecond, {2011, 2, 25, 6, 13, 45}},
      {40599 + 22425 * kSecond - 0.49 * kSecond, {2011, 2, 25, 6, 13, 45}},
      {40600 - 0.4 * kSecond, {2011, 2, 26, 0, 0, 0}},  // 0.4 s before midnight
      {0, {1899, 12, 30, 0, 0, 0}},
      {-1.25, {1899, 12, 29, 6, 0, 0}},
      {-0.25, {1899, 12, 30, 6, 0, 0}},  // the same moment as 0.25
      {0.25, {1899, 12, 30, 6, 0, 0}},
      {2958465.5, {9999, 12, 31, 0, 0, 0}},  // noon of the last day is clamped away
      {3000000, {9999, 12, 31, 0, 0, 0}},
      {-1e9, {100, 1, 1, 0, 0, 0}},
      {std::numeric_limits<double>::infinity(), {9999, 12, 31, 0, 0, 0}},
      {-std::numeric_limits<double>::infinity(), {100, 1, 1, 0, 0, 0}},
      {std::numeric_limits<double>::quiet_NaN(), {1899, 12, 30, 0, 0, 0}},  // no date: day 0
  };
  for (const auto& c : cases) ExpectFields({c.days}, c.want);
  EXPECT_EQ(YearOf({3000000.0}), 9999);
  EXPECT_EQ(MonthOf({3000000.0}), 12);
  EXPECT_EQ(DayOf({3000000.0}), 31);
  EXPECT_EQ(YearOf(At(2011, 2, 25, 23, 59, 59)), 2011);
  EXPECT_EQ(MonthOf(At(2011, 2, 25, 23, 59, 59)), 2);
  EXPECT_EQ(DayOf(At(2011, 2, 25, 23, 59, 59)), 25);
}

TEST(MakeDateTime, ClampsEachFieldWithoutRollingOver) {
  const struct {
    Fields given;
    Fields want;
  } cases[] = {
      {{2011, 2, 25, 24, 0, 0}, {2011, 2, 25, 23, 0, 0}},
      {{2011, 2, 25, -1, 0, 0}, {2011, 2, 25, 0, 0, 0}},
      {{2011, 2, 25, 10, 75, 0}, {2011, 2, 25, 10, 59, 0}},
      {{2011, 2, 25, 10, -5, 0}, {2011, 2, 25, 10, 0, 0}},
      {{2011, 2, 25, 10, 0, 60}, {2011, 2, 25, 10, 0, 59}},
      {{2011, 2, 25, 24, 75, 0}, {2011, 2, 25, 23, 59, 0}},
      {{2011, 13, 40, 0, 0, 0}, {2011, 12, 31, 0, 0, 0}},
      {{2011, 0, 0, 0, 0, 0}, {2011, 1, 1, 0, 0, 0}},
      {{2011, 2, 30, 0, 0, 0}, {2011, 2, 28, 0, 0, 0}},
      {{2012, 2, 30, 0, 0, 0}, {2012, 2, 29, 0, 0, 0}},
      {{1900, 2, 29, 0, 0, 0}, {1900, 2, 28, 0, 0, 0}},
      {{2000, 2, 29, 0, 0, 0}, {2000, 2, 29, 0, 0, 0}},
      {{2011, 4, 31, 0, 0, 0}, {2011, 4, 30, 0, 0, 0}},
      {{99, 1, 1, 0, 0, 0}, {100, 1, 1, 0, 0, 0}},
      {{0, 1, 1, 0, 0, 0}, {100, 1, 1, 0, 0, 0}},
      {{10000, 1, 1, 0, 0, 0}, {9999, 1, 1, 0, 0, 0}},
      {{INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN}, {100, 1, 1, 0, 0, 0}},
      {{INT32_MAX, INT32_MAX, 30, 0, 0, 0}, {9999, 12, 30, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const Fields& g = c.given;
    ExpectFields(MakeDateTime(g.year, g.month, g.day, g.hour, g.minute, g.second), c.want);
  }
  // The last second of the calendar is created, though readers clamp every value beyond the
  // midnights of its first and last days to those midnights.
  EXPECT_EQ(MakeDateTime(INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX).days,
            kMaxDateTime + 86399 * kSecond);
  ExpectFields(At(9999, 12, 31, 23, 59, 59), {9999, 12, 31, 0, 0, 0});
  ExpectFields(At(100, 1, 1, 12, 0, 0), {100, 1, 1, 0, 0, 0});
  EXPECT_EQ(MakeDateTime(), At(100, 1, 1));  // omitted arguments: year 1 clamped to 100
  EXPECT_EQ(MakeDateTime(2011, 2), At(2011, 2, 1));
}

TEST(DateTimeDifference, FirstMinusSecondInEachUnit) {
  const DateTime base = At(2011, 2, 25, 6, 13, 45);
  const struct {
    DateTime first, second;
    int32_t unit;
    double want;
  } cases[] = {
      // Seconds, with the half-second bias added whatever the sign.
      {At(2011, 2, 25, 7, 0, 0), base, 8, 2775},
      {base, At(2011, 2, 25, 7, 0, 0), 8, -2774},
      {At(2011, 2, 25, 6, 0, 0), base, 8, -824},
      {At(2011, 2, 25, 6, 13, 44), base, 8, 0},  // one second earlier
      {At(2011, 2, 25, 23, 59, 0), base, 8, 63915},
      {At(2011, 2, 25, 0, 30, 0), base, 8, -20624},  // no wrap at midnight
      // Units outside 1..8 are clamped.
      {At(2011, 2, 25, 7, 0, 0), base, 9, 2775},
      {At(2011, 2, 25, 7, 0, 0), base, INT32_MAX, 2775},
      {At(2012, 1, 1), At(2011, 12, 31), 0, 1},
      {At(2012, 1, 1), At(2011, 12, 31), INT32_MIN, 1},
      // Days keep their fraction; hours and minutes truncate.
      {At(2011, 2, 26, 18, 0, 0), At(2011, 2, 25, 6, 0, 0), 5, 1.5},
      {At(2011, 2, 26, 18, 0, 0), At(2011, 2, 25, 6, 0, 0), 6, 36},
      {At(2011, 2, 26, 18, 0, 0), At(2011, 2, 25, 6, 0, 0), 7, 2160},
      {At(2011, 2, 25, 6, 59, 59), At(2011, 2, 25, 6, 0, 0), 6, 0},
      {At(2011, 2, 25, 6, 0, 0), At(2011, 2, 25, 7, 0, 0), 6, 0},  // -1 h + bias truncates to 0
      // Calendar units compare fields, not spans.
      {At(2011, 1, 31), At(2010, 12, 31), 1, 1},
      {At(2011, 1, 31), At(2010, 12, 31), 2, 1},
      {At(2011, 1, 31), At(2010, 12, 31), 3, 1},
      {At(2011, 12, 31), At(2011, 1, 1), 1, 0},
      {At(2011, 12, 31), At(2011, 1, 1), 2, 3},
      {At(2011, 12, 31), At(2011, 1, 1), 3, 11},
      {At(2010, 12, 31), At(2011, 1, 31), 2, -1},
      // Weeks: whole weeks, corrected when the weekdays say a week boundary was crossed.
      {At(2011, 2, 28, 8, 0, 0), At(2011, 2, 26, 12, 0, 0), 4, 1},  // Monday, Saturday
      {At(2011, 2, 26, 12, 0, 0), At(2011, 2, 28, 8, 0, 0), 4, -1},
      {At(2011, 3, 5), At(2011, 2, 27), 4, 0},  // Saturday, Sunday
      {At(2011, 3, 6), At(2011, 2, 27), 4, 1},  // Sunday, Sunday
      {At(2011, 3, 12), At(2011, 2, 27), 4, 1},
      // Negative values are first mapped onto the linear time line.
      {At(1899, 12, 30, 6, 0, 0), At(1899, 12, 29, 6, 0, 0), 5, 1},
      {At(1899, 12, 29, 6, 0, 0), At(1899, 12, 30), 6, -17},
      {{-0.25}, {0.25}, 8, 0},  // the same moment written twice
      // Values beyond the calendar are clamped after the equality test.
      {{3000000}, {2958465}, 5, 0},
      {{4000000}, {3000000}, 8, 0},
      // Truncating units keep the low 32 bits: the calendar's span in seconds wraps.
      {At(9999, 12, 31), At(100, 1, 1), 5, 3615899},
      {At(9999, 12, 31), At(100, 1, 1), 7, 911927264},
      {At(9999, 12, 31), At(100, 1, 1), 8, -1118939008},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DateTimeDifference(c.first, c.second, c.unit), c.want)
        << c.first.days << " - " << c.second.days << " in unit " << c.unit;
  }
}

TEST(DateTimeDifference, EqualArgumentsGiveZeroInEveryUnit) {
  const double values[] = {0, -1.25, 40599.25954861111, kMaxDateTime, 5e6, -5e6};
  for (double days : values) {
    for (int32_t unit = -1; unit <= 10; ++unit) {
      EXPECT_EQ(DateTimeDifference({days}, {days}, unit), 0) << days << " unit " << unit;
    }
  }
}

TEST(FormatDateTime, WritesTheDateAndTheTimeUpToTheLastFieldThatIsNotZero) {
  const struct {
    DateTime value;
    const char* text;
  } cases[] = {
      {At(2011, 2, 25, 6, 13, 45), "2011年2月25日6时13分45秒"},
      {At(2011, 2, 25, 6, 13, 0), "2011年2月25日6时13分"},
      {At(2011, 2, 25, 6, 0, 0), "2011年2月25日6时"},
      {At(2011, 2, 25, 0, 0, 0), "2011年2月25日"},
      {At(2011, 2, 25, 0, 13, 0), "2011年2月25日0时13分"},
      {At(2011, 2, 25, 0, 0, 45), "2011年2月25日0时0分45秒"},
      {At(2011, 3, 5, 9, 5, 7), "2011年3月5日9时5分7秒"},  // no padding
      {At(9999, 12, 30, 23, 59, 59), "9999年12月30日23时59分59秒"},
      {At(100, 1, 2, 12, 0, 0), "100年1月2日12时"},
      {At(1899, 12, 29, 6, 0, 0), "1899年12月29日6时"},
      {{0}, "1899年12月30日"},
  };
  for (const auto& c : cases) {
    const OwnedText text = FormatDateTime(c.value);
    ASSERT_FALSE(text.is_null());
    EXPECT_EQ(text.view(), std::string_view(c.text)) << c.value.days;
  }
}

// The clock of these tests: fields the test sets, and a tick count it sets.
struct FakeClock {
  static inline DateTimeFields now;
  static inline bool answers = true;
  static inline uint32_t ticks = 0;
  static void Read(DateTimeFields* fields) {
    if (!answers) return;
    fields->year = now.year;
    fields->month = now.month;
    fields->day = now.day;
    fields->hour = now.hour;
    fields->minute = now.minute;
    fields->second = now.second;
  }
  static uint32_t Ticks() { return ticks; }
};

class ClockTest : public testing::Test {
 protected:
  void SetUp() override {
    FakeClock::now = {};
    FakeClock::answers = true;
    FakeClock::ticks = 0;
  }
  void Install(const LocalClock& clock) {
    previous_ = SetLocalClock(clock);
    installed_ = true;
  }
  void UseFakeClock() { Install({FakeClock::Read, FakeClock::Ticks}); }
  void TearDown() override {
    if (installed_) SetLocalClock(previous_);
  }

 private:
  LocalClock previous_{};
  bool installed_ = false;
};

TEST_F(ClockTest, CurrentDateTimeComposesTheLocalFieldsToWholeSeconds) {
  UseFakeClock();
  FakeClock::now = {.year = 2011, .month = 2, .day = 25, .hour = 6, .minute = 13, .second = 45};
  const DateTime first = CurrentDateTime();
  const DateTime second = CurrentDateTime();  // same second, same value
  EXPECT_EQ(first, second);
  EXPECT_EQ(first, At(2011, 2, 25, 6, 13, 45));

  FakeClock::now.second = 60;  // a leap second reads as 59
  EXPECT_EQ(CurrentDateTime(), At(2011, 2, 25, 6, 13, 59));

  FakeClock::answers = false;  // a platform that cannot tell the time gives day 0
  EXPECT_EQ(CurrentDateTime(), DateTime{0});
}

TEST_F(ClockTest, TheLibraryClockGivesAPlausibleLocalTimeInWholeSeconds) {
  const DateTime now = CurrentDateTime();
  const DateTimeFields f = SplitDateTime(now);
  EXPECT_GE(f.year, 2024);
  EXPECT_LE(f.year, 2200);
  EXPECT_EQ(At(f.year, f.month, f.day, f.hour, f.minute, f.second), now);
}

TEST_F(ClockTest, UptimeIsTheTickCountAsASigned32BitInteger) {
  UseFakeClock();
  const struct {
    uint32_t ticks;
    int32_t want;
  } cases[] = {{0, 0}, {86400000, 86400000}, {0x7fffffff, INT32_MAX}, {0x80000000u, INT32_MIN},
               {0xffffffffu, -1}};
  for (const auto& c : cases) {
    FakeClock::ticks = c.ticks;
    EXPECT_EQ(UptimeMilliseconds(), c.want);
  }
}

TEST_F(ClockTest, TheLibraryTickCountAdvancesInMilliseconds) {
  const uint32_t start = static_cast<uint32_t>(UptimeMilliseconds());
  uint32_t now = start;
  for (long spins = 0; now == start && spins < 100000000L; ++spins) {
    now = static_cast<uint32_t>(UptimeMilliseconds());
  }
  EXPECT_GE(now - start, 1u);
  EXPECT_LT(now - start, 1000u);
}

TEST_F(ClockTest, ASeamWithoutATickCountKeepsTheLibraryOne) {
  const auto before = static_cast<uint32_t>(UptimeMilliseconds());
  Install({FakeClock::Read, nullptr});
  FakeClock::now = {.year = 2011, .month = 2, .day = 25};
  FakeClock::ticks = before + 0x40000000u;  // far from the library's count: must not be read
  EXPECT_EQ(CurrentDateTime(), At(2011, 2, 25));
  const auto during = static_cast<uint32_t>(UptimeMilliseconds());
  const auto after = static_cast<uint32_t>(UptimeMilliseconds());
  // The library's count, read between two other readings of it (unsigned differences, so a
  // wrap between them does not matter).
  EXPECT_LE(during - before, after - before);
  EXPECT_LT(after - before, 60000u);
}

}  // namespace
}  // namespace tamrivo
