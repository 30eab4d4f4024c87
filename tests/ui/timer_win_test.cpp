// Timer controls: a timer runs exactly while its stored period is above 0; writing the period
// it already has does not restart it; each timer control has a native timer of its own.
#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "ui/window.h"
#include "ui/window_instance.h"
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

// Ticks are counted against the other timer's, not against the clock: a loaded machine delays
// both alike, and waits end on the counts they look for.
constexpr int kPatience = 20000;  // ms; only a broken timer comes near it

// Pumps until the running timer has ticked `ticks` more times.
bool LetTheRunningTimerTick(int ticks) {
  const int until = g_runningTicks + ticks;
  return test::PumpUntil([until] { return g_runningTicks >= until; }, kPatience);
}

TEST_F(Timers, AFormPeriodAboveZeroRunsFromCreation) {
  EXPECT_EQ(GetIntProperty(kTimerForm, RunningTimer, kPeriod), 40);
  EXPECT_EQ(GetIntProperty(kTimerForm, StoppedTimer, kPeriod), 0);
  EXPECT_TRUE(test::PumpUntil([] { return g_runningTicks >= 3; }, kPatience));
  EXPECT_EQ(g_stoppedTicks, 0);
}

TEST_F(Timers, ThePeriodWrittenIsStoredAndDecidesWhetherItRuns) {
  struct Case {
    int32_t written;
    int32_t stored;
  };
  for (const Case c : {Case{30, 30}, Case{-5, 0}, Case{25, 25}, Case{0, 0}}) {
    SCOPED_TRACE(c.written);
    SetControlProperty(kTimerForm, StoppedTimer, kPeriod, c.written);
    EXPECT_EQ(GetIntProperty(kTimerForm, StoppedTimer, kPeriod), c.stored);
    g_stoppedTicks = 0;
    if (c.stored > 0) {
      EXPECT_TRUE(test::PumpUntil([] { return g_stoppedTicks >= 3; }, kPatience));
    } else {
      // Five ticks of 40 ms: a timer of 25 or 30 ms left running would have ticked meanwhile.
      ASSERT_TRUE(LetTheRunningTimerTick(5));
      EXPECT_EQ(g_stoppedTicks, 0);
    }
  }
}

TEST_F(Timers, WritingTheSamePeriodDoesNotRestartIt) {
  // The 100 ms period written again at every tick of the 40 ms timer: a restart each time
  // would keep it from expiring for as long as the other one ticks.
  SetControlProperty(kTimerForm, StoppedTimer, kPeriod, 100);
  int written = g_runningTicks;
  const bool ticked = test::PumpUntil([&] {
    if (g_runningTicks != written) {
      written = g_runningTicks;
      SetControlProperty(kTimerForm, StoppedTimer, kPeriod, 100);
    }
    return g_stoppedTicks >= 3;
  }, kPatience);
  EXPECT_TRUE(ticked) << g_runningTicks << " ticks of the other timer";
}

// A timer the system refuses to start reads back as stopped, not as a period that never ticks.
// The window's handle is swapped for one that is gone, which SetTimer refuses.
TEST_F(Timers, ATimerThatCannotStartReadsBackZero) {
  WindowInstance* instance = FindInstance(kTimerForm);
  ASSERT_TRUE(instance);
  HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  const HWND real = std::exchange(instance->hwnd, gone);
  SetControlProperty(kTimerForm, StoppedTimer, kPeriod, 50);
  const int32_t stored = GetIntProperty(kTimerForm, StoppedTimer, kPeriod);
  instance->hwnd = real;
  EXPECT_EQ(stored, 0);
  // Started later on the real window, it runs as usual.
  SetControlProperty(kTimerForm, StoppedTimer, kPeriod, 50);
  EXPECT_EQ(GetIntProperty(kTimerForm, StoppedTimer, kPeriod), 50);
  EXPECT_TRUE(test::PumpUntil([] { return g_stoppedTicks >= 1; }, kPatience));
}

}  // namespace
}  // namespace tamrivo
