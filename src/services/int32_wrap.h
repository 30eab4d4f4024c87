// The program's 32-bit integers wrap: a whole number too large for them keeps its low 32 bits,
// as two's complement. Converting such a double with a plain cast is undefined, so the wrap is
// done in double arithmetic, which is exact for whole numbers.
#pragma once

#include <cmath>
#include <cstdint>

namespace tamrivo {

// Low 32 bits of value truncated toward zero; infinity and not-a-number give 0.
inline int32_t LowBits32(double value) {
  if (!std::isfinite(value)) return 0;
  constexpr double kTwoTo32 = 4294967296.0;
  double bits = std::fmod(std::trunc(value), kTwoTo32);  // exact, in (-2^32, 2^32)
  if (bits < 0) bits += kTwoTo32;                         // exact: now in [0, 2^32)
  return static_cast<int32_t>(static_cast<uint32_t>(bits));  // modular since C++20
}

}  // namespace tamrivo
