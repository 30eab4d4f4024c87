#include "system/windows_clock.h"

#include <windows.h>

namespace tamrivo {
namespace {

void ReadLocalTime(DateTimeFields* now) {
  SYSTEMTIME local = {};
  GetLocalTime(&local);
  now->year = local.wYear;
  now->month = local.wMonth;
  now->day = local.wDay;
  now->hour = local.wHour;
  now->minute = local.wMinute;
  now->second = local.wSecond;
}

uint32_t MillisecondsSinceStart() { return GetTickCount(); }

}  // namespace

const LocalClock kWindowsClock = {ReadLocalTime, MillisecondsSinceStart};

}  // namespace tamrivo
