#include "system/windows_clock.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace tamrivo {
namespace {

// The program's clock reads what Windows shows, even when the C runtime's TZ says otherwise.
// CTest starts this program with TZ=Asia/Shanghai: Wine takes its zone from it, msvcrt
// misreads the name as UTC.
TEST(WindowsClock, ReadsTheTimeWindowsReportsWhateverTzSays) {
  const LocalClock previous = SetLocalClock(kWindowsClock);
  SYSTEMTIME before = {};
  GetLocalTime(&before);
  const DateTimeFields fields = SplitDateTime(CurrentDateTime());
  SetLocalClock(previous);

  EXPECT_EQ(fields.year, before.wYear);
  EXPECT_EQ(fields.month, before.wMonth);
  EXPECT_EQ(fields.day, before.wDay);
  // The two readings may straddle a minute boundary; allow that one step.
  const int expected = before.wHour * 60 + before.wMinute;
  const int actual = fields.hour * 60 + fields.minute;
  EXPECT_TRUE(actual == expected || actual == (expected + 1) % 1440) << actual << " vs " << expected;
}

}  // namespace
}  // namespace tamrivo
