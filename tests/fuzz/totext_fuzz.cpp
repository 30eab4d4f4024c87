// Arbitrary double bit patterns through ToText: the text must be the C library's "%.13g" with
// the exponent widened to three digits, and a finite value must read back through ToNumber to
// within 13 significant digits.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "services/convert.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tamrivo;
  uint64_t bits = 0;
  std::memcpy(&bits, data, size < sizeof bits ? size : sizeof bits);
  double value;
  std::memcpy(&value, &bits, sizeof value);

  const OwnedText text = ToText(value);
  if (text.is_null()) std::abort();
  if (std::isnan(value)) {
    if (text.view() != "nan") std::abort();
    return 0;
  }

  char printed[64];
  std::snprintf(printed, sizeof printed, "%.13g", value);
  std::string expected = printed;
  const size_t e = expected.find('e');
  if (e != std::string::npos && expected.size() - (e + 2) < 3) {
    expected.insert(e + 2, 3 - (expected.size() - (e + 2)), '0');
  }
  if (text.view() != expected) std::abort();

  if (std::isfinite(value)) {
    const double back = ToNumber(text.get());
    const double allowed = std::fabs(value) * 5e-13 + std::numeric_limits<double>::denorm_min();
    if (!(std::fabs(back - value) <= allowed)) std::abort();
  }
  return 0;
}
