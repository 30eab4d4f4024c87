// Arbitrary doubles and integers through the calendar and the numeric helpers: every field
// must come out in range, and no conversion may overflow (the sanitizers watch the casts).
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "services/convert.h"
#include "services/datetime.h"

namespace {

template <typename T>
T Take(const uint8_t*& data, size_t& size) {
  T value{};
  const size_t n = size < sizeof value ? size : sizeof value;
  std::memcpy(&value, data, n);
  data += n;
  size -= n;
  return value;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tamrivo;
  const DateTime first = {Take<double>(data, size)};
  const DateTime second = {Take<double>(data, size)};
  int32_t fields[6];
  for (int32_t& field : fields) field = Take<int32_t>(data, size);
  const int32_t unit = Take<int32_t>(data, size);

  const DateTimeFields f = SplitDateTime(first);
  Check(f.year >= 100 && f.year <= 9999 && f.month >= 1 && f.month <= 12 && f.day >= 1 &&
        f.day <= 31 && f.hour >= 0 && f.hour <= 23 && f.minute >= 0 && f.minute <= 59 &&
        f.second >= 0 && f.second <= 59 && f.weekday >= 1 && f.weekday <= 7 &&
        f.dayOfYear >= 1 && f.dayOfYear <= 366);
  Check(!FormatDateTime(first).is_null());

  const DateTime made = MakeDateTime(fields[0], fields[1], fields[2], fields[3], fields[4],
                                     fields[5]);
  Check(made.days >= kMinDateTime - 1 && made.days <= kMaxDateTime + 1);
  if (made.days >= kMinDateTime + 1 && made.days < kMaxDateTime) {
    const DateTimeFields g = SplitDateTime(made);
    Check(MakeDateTime(g.year, g.month, g.day, g.hour, g.minute, g.second) == made);
  }

  const double difference = DateTimeDifference(first, second, unit);
  Check(difference == difference);
  if (first == second) Check(difference == 0);

  FloorToInt(first.days);
  if (second.days != 0) Remainder(first.days, {second.days});
  return 0;
}
