// The schedule state shared by StartStopClicked, CountdownTick and AtTimeTick (declared in
// handlers.h), and the number conversion they use.
#pragma once

#include <cstdint>

namespace tamrivo {

// The eight process-wide integers of the two schedules. All are 0 when the process starts and
// only the three schedule handlers change them. A mode runs exactly while its timer's period is
// not 0; there is no running flag here.
struct ScheduleState {
  int32_t CountdownTarget = 0;   // seconds that countdown mode runs
  int32_t CountdownElapsed = 0;  // ticks of CountdownTimer since its start that did not fire
  int32_t AtTimeTarget = 0;      // seconds from the press to the chosen clock time
  int32_t AtTimeElapsed = 0;     // ticks of AtTimeTimer since its start that did not fire
  // The last remaining time shown, by either mode, and its hours, minutes (0..59) and
  // seconds (0..59).
  int32_t RemainingTotal = 0;
  int32_t RemainingHours = 0;
  int32_t RemainingMinutes = 0;
  int32_t RemainingSeconds = 0;

  friend bool operator==(const ScheduleState&, const ScheduleState&) = default;
};

// The value truncated toward zero, keeping the low 32 bits of the whole number (two's
// complement): 2.9 gives 2, -2.9 gives -2, 4294967297.5 gives 1. Defined for every double:
// NaN and the infinities give 0.
int32_t TruncateToInt(double value);

// For tests: the state as it stands, and back to the start-up state.
const ScheduleState& CurrentScheduleState();
void ResetScheduleState();

}  // namespace tamrivo
