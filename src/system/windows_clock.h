// The local clock as Windows itself reports it.
#pragma once

#include "services/datetime.h"

namespace tamrivo {

// GetLocalTime and GetTickCount. The C runtime's localtime follows a TZ variable when one is
// set and misreads the zone names that other systems use, so the program reads the time the
// way the taskbar clock does.
extern const LocalClock kWindowsClock;

}  // namespace tamrivo
