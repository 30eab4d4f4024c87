// What the handler tests share: the real MainWindow loaded from its form, a clock the test
// sets, and the power requests recorded instead of made.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/forms/main_window.h"

namespace tamrivo::test {

struct PowerRequest {
  enum class Kind { ExitWindows, SystemPowerState };
  Kind kind;
  UINT flags = 0;       // ExitWindowsEx
  BOOL suspend = 0;     // SetSystemPowerState
  BOOL force = 0;
  double at = 0;         // MonotonicSeconds() of the call
};

// Replaces the Windows power calls for the whole test program: every request is recorded and
// answered as accepted, the shut-down privilege as granted. main() installs it before any test.
void InstallRecordingPowerCalls();
// The requests since the last clear, in order.
std::vector<PowerRequest>& PowerRequests();

// Seconds on a monotonic clock. (<chrono> is kept out: under the GBK execution character set
// its C++20 unit texts do not compile.)
double MonotonicSeconds();

// The local clock every test sees, to the second.
void SetClock(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
              int32_t second);

// Dispatches the thread's messages until the predicate holds or the time is up; true when it
// held. Real timers tick only while messages are dispatched.
bool PumpMessagesUntil(const std::function<bool()>& done, double limitSeconds);

// A fresh MainWindow for each test, with the schedule state and the power record cleared and
// the clock at 2011-02-25 10:00:00.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// MainWindow as the program loads it, active, for the tests that press its keys or read it
// from the screen.
class ActiveMainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// The remaining-time line for a number of seconds, GBK like the program's.
std::string Line(int32_t seconds);

// Reading and driving MainWindow's controls through the window layer.
std::string Text(MainWindowControl control);  // edit box text, GBK
std::string Caption();                        // of StartStopButton
int32_t Period(MainWindowControl timer);
int32_t Disabled(MainWindowControl control);
void Type(MainWindowControl edit, const char* text);  // a write: the field's rule runs
void Select(MainWindowControl combo, int32_t index);
// Checks the radio, clears the other and raises its clicked event, as a click does.
void ChooseMode(MainWindowControl radio);
void Press();                                 // StartStopButton clicked
void Tick(MainWindowControl timer);           // one tick, raised by the test
void Step(MainWindowControl spinner, int32_t direction);

}  // namespace tamrivo::test
