// Timer controls: a timer runs exactly while its stored period is above 0; writing the period
// it already has does not restart it; each timer control has a native timer of its own.
#include <gtest/gtest.h>

#include <array>

#include "ui/window.h"
#include "ui_support.h"

namespace tamrivo {
namespace {

enum : int32_t { StoppedTimer, RunningTimer };

int g_stoppedTicks = 0;
int g_runningTicks = 0;
void StoppedTick() { ++g_stoppedTicks; }
void RunningTick() { ++g_runningTicks; }

constexpr std::array<ControlRecord, 2> kControls{{
    {.name = "StoppedTimer", .formName = "时钟1", .kind = ControlKind::Timer, .parent = kNoParent, .left = 0,
     .top = 0, .width = 26, .height = 26, .settings = {.period = 0}, .event = StoppedTick},
    {.name = "RunningTimer", .formName = "时钟2", .kind = ControlKind::Timer, .parent = kNoParent, .left = 30,
     .top = 0, .width = 26, .height = 26, .settings = {.period = 40}, .event = RunningTick},
}};

constexpr Form kTimerForm{.name = "TimerForm", .title = "时钟", .left = 120, .top = 120, .width = 200,
                          .height = 120, .placement = Placement::Stored, .visible = true, .inTaskbar = true,
                          .controls = kControls};

class Timers : public testing::Test {
 protected:
  void SetUp() override {
    g_stoppedTicks = g_runningTicks = 0;
    ASSERT_TRUE(LoadWindow(kTimerForm));
  }
  void TearDown() override { test::Unload(kTimerForm); }
};

TEST_F(Timers, AFormPeriodAboveZeroRunsFromCreation) {
  EXPECT_EQ(GetIntProperty(kTimerForm, RunningTimer, kPeriod), 40);
  EXPECT_EQ(GetIntProperty(kTimerForm, StoppedTimer, kPeriod), 0);
  EXPECT_TRUE(test::PumpUntil([] { return g_runningTicks >= 3; }));
  EXPECT_EQ(g_stoppedTicks, 0);
}

TEST_F(Timers, ThePeriodWrittenIsStoredAndDecidesWhetherItRuns) {
  struct Case {
    int32_t written;
    int32_t stored;
  };
  for (const Case c : {Case{30, 30}, Case{-5, 0}, Case{25, 25}, Case{0, 0}}) {
    SetControlProperty(kTimerForm, StoppedTimer, kPeriod, c.written);
    EXPECT_EQ(GetIntProperty(kTimerForm, StoppedTimer, kPeriod), c.stored) << c.written;
    test::PumpFor(60);  // ticks already queued when it stopped
    g_stoppedTicks = 0;
    test::PumpFor(250);
    if (c.stored > 0) {
      EXPECT_GE(g_stoppedTicks, 3) << c.written;
    } else {
      EXPECT_EQ(g_stoppedTicks, 0) << c.written;
    }
  }
  // The other timer went on all the while.
  EXPECT_GT(g_runningTicks, 10);
}

TEST_F(Timers, WritingTheSamePeriodDoesNotRestartIt) {
  SetControlProperty(kTimerForm, StoppedTimer, kPeriod, 100);
  // Written again every 30 ms: a restart each time would never let it expire.
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 550) {
    SetControlProperty(kTimerForm, StoppedTimer, kPeriod, 100);
    test::PumpFor(30);
  }
  EXPECT_GE(g_stoppedTicks, 3);
}

}  // namespace
}  // namespace tamrivo
