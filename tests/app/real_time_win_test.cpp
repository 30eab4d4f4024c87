// A countdown on real Windows timers, dispatched by a real message loop: the one test here that
// waits for time to pass. The power request is recorded, not made.
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "main_window_support.h"

namespace tamrivo::test {
namespace {

using RealTimeTest = MainWindowTest;

// Two seconds: ticks at about 1, 2 and 3 s show 2, 1 and 0 seconds left; the tick at about
// 4 s requests the action and stops the timer.
TEST_F(RealTimeTest, TwoSecondCountdownLogsOffAboutFourSecondsAfterThePress) {
  Type(CountEdit, "2");
  Select(UnitCombo, 2);    // 秒后
  Select(ActionCombo, 2);  // 注销

  std::vector<std::string> lines = {Text(RemainingEdit)};
  auto keepLine = [&] {
    std::string line = Text(RemainingEdit);
    if (line != lines.back()) lines.push_back(line);
  };
  const double pressed = MonotonicSeconds();
  Press();
  const bool fired = PumpMessagesUntil(
      [&] {
        keepLine();
        return !PowerRequests().empty();
      },
      10.0);
  ASSERT_TRUE(fired) << "no power request within 10 s";
  const double firedAfter = PowerRequests()[0].at - pressed;
  std::printf("press to log-off request: %.3f s\n", firedAfter);
  RecordProperty("press_to_request_ms", static_cast<int>(firedAfter * 1000));

  // The loop goes on: a stopped timer asks for nothing more.
  PumpMessagesUntil(
      [&] {
        keepLine();
        return false;
      },
      2.5);

  ASSERT_EQ(PowerRequests().size(), 1u);
  EXPECT_EQ(PowerRequests()[0].kind, PowerRequest::Kind::ExitWindows);
  EXPECT_EQ(PowerRequests()[0].flags, static_cast<UINT>(EWX_LOGOFF | EWX_FORCE));
  EXPECT_EQ(Period(CountdownTimer), 0);
  const std::vector<std::string> expected = {"定时器已停止", Line(2), Line(1), Line(0)};
  EXPECT_EQ(lines, expected);
  EXPECT_GE(firedAfter, 3.5);
  EXPECT_LE(firedAfter, 5.5);
}

}  // namespace
}  // namespace tamrivo::test
