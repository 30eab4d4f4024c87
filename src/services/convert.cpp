#include "services/convert.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "services/fatal.h"
#include "services/int32_wrap.h"

namespace tamrivo {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

const char* SkipSpace(const char* p) {
  while (IsSpace(*p)) ++p;
  return p;
}

// ---- Reading a number -------------------------------------------------------------------

// A decimal significand: its digits without leading zeros and the power of ten of its last
// digit. Only the first kMaxDigits digits are kept; any non-zero digit after them is
// represented by one extra '1'. That keeps the rounding to a double exact: a halfway point
// between two doubles has at most 767 significant digits, so it never falls strictly
// between the kept digits and the ones that follow.
constexpr size_t kMaxDigits = 800;

struct Significand {
  char digits[kMaxDigits + 1];
  size_t length = 0;
  int64_t scale = 0;  // value = digits × 10^scale
  bool anyDigit = false;
};

// Reads digits with at most one decimal point among them; p is left at the first byte that
// does not belong.
const char* ReadSignificand(const char* p, Significand& s) {
  bool seenPoint = false;
  bool droppedNonZero = false;
  for (;; ++p) {
    if (IsDigit(*p)) {
      s.anyDigit = true;
      if (seenPoint) --s.scale;
      if (s.length == 0 && *p == '0') continue;
      if (s.length < kMaxDigits) {
        s.digits[s.length++] = *p;
      } else {
        ++s.scale;
        droppedNonZero |= *p != '0';
      }
    } else if (*p == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  if (droppedNonZero) {
    s.digits[s.length++] = '1';
    --s.scale;
  }
  return p;
}

// An exponent letter counts only when a valid exponent follows it. Large exponents saturate
// at 10^17, far beyond any exponent a double can reach even after a text-long run of zeros.
constexpr int64_t kExponentLimit = 100000000000000000;

int64_t ReadExponent(const char* p) {
  if (*p != 'e' && *p != 'E' && *p != 'd' && *p != 'D') return 0;
  ++p;
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  int64_t exponent = 0;
  for (; IsDigit(*p); ++p) {
    exponent = std::min<int64_t>(exponent * 10 + (*p - '0'), kExponentLimit);
  }
  return negative ? -exponent : exponent;
}

// The nearest double to digits × 10^exponent. The text handed to strtod is digits and an
// exponent only, no decimal point, so the C locale's decimal separator plays no part; glibc
// and MinGW's own strtod (the one its headers select over msvcrt's) both round correctly.
double NearestDouble(const Significand& s, int64_t exponent) {
  if (s.length == 0) return 0;
  const int64_t lastDigitPower = s.scale + exponent;
  const int64_t firstDigitPower = lastDigitPower + static_cast<int64_t>(s.length) - 1;
  if (firstDigitPower > 309) return HUGE_VAL;  // 1e310 or more: beyond the largest double
  if (firstDigitPower < -325) return 0;        // below half the smallest subnormal
  char text[kMaxDigits + 1 + 24];
  std::memcpy(text, s.digits, s.length);
  char* end = text + s.length;
  *end++ = 'e';
  const int64_t magnitude = lastDigitPower < 0 ? -lastDigitPower : lastDigitPower;
  if (lastDigitPower < 0) *end++ = '-';
  char reversed[24];
  int count = 0;
  for (int64_t rest = magnitude; count == 0 || rest != 0; rest /= 10) {
    reversed[count++] = static_cast<char>('0' + rest % 10);
  }
  while (count) *end++ = reversed[--count];
  *end = '\0';
  return std::strtod(text, nullptr);
}

// ---- Writing a number -------------------------------------------------------------------

// The exact decimal expansion of a finite positive double. m × 2^e is written as the
// integer m × 2^e when e >= 0 and as m × 5^-e divided by 10^-e otherwise, so only
// multiplication of a big integer by small factors is needed. At most 767 digits.
struct ExactDecimal {
  char digits[800];
  int length = 0;
  int firstDigitPower = 0;  // power of ten of digits[0]
};

ExactDecimal ExpandExactly(double value) {
  int binaryExponent = 0;
  const double fraction = std::frexp(value, &binaryExponent);  // value = fraction × 2^exp
  uint64_t mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
  int exponent = binaryExponent - 53;
  while ((mantissa & 1) == 0) {
    mantissa >>= 1;
    ++exponent;
  }

  // Little-endian limbs in base 10^9; 90 limbs hold 810 digits.
  constexpr uint32_t kBase = 1000000000;
  uint32_t limbs[90];
  int used = 0;
  for (uint64_t rest = mantissa; rest != 0; rest /= kBase) limbs[used++] = rest % kBase;
  auto multiply = [&](uint32_t factor) {
    uint64_t carry = 0;
    for (int i = 0; i < used; ++i) {
      const uint64_t product = uint64_t{limbs[i]} * factor + carry;
      limbs[i] = static_cast<uint32_t>(product % kBase);
      carry = product / kBase;
    }
    for (; carry != 0; carry /= kBase) limbs[used++] = static_cast<uint32_t>(carry % kBase);
  };
  const int pointShift = exponent < 0 ? -exponent : 0;
  for (int left = exponent; left > 0; left -= 31) multiply(uint32_t{1} << std::min(left, 31));
  constexpr int kFivesPerStep = 13;  // 5^13 < 2^31
  constexpr uint32_t kFivePowers[kFivesPerStep + 1] = {
      1, 5, 25, 125, 625, 3125, 15625, 78125, 390625, 1953125, 9765625, 48828125, 244140625,
      1220703125};
  for (int left = pointShift; left > 0; left -= kFivesPerStep) {
    multiply(kFivePowers[std::min(left, kFivesPerStep)]);
  }

  ExactDecimal exact;
  char* out = exact.digits;
  for (int i = used - 1; i >= 0; --i) {
    char group[9];
    for (int k = 8; k >= 0; --k, limbs[i] /= 10) {
      group[k] = static_cast<char>('0' + limbs[i] % 10);
    }
    int skip = 0;
    if (i == used - 1) {
      while (skip < 8 && group[skip] == '0') ++skip;
    }
    std::memcpy(out, group + skip, 9 - skip);
    out += 9 - skip;
  }
  exact.length = static_cast<int>(out - exact.digits);
  exact.firstDigitPower = exact.length - 1 - pointShift;
  return exact;
}

constexpr int kSignificantDigits = 13;

// Rounds to 13 significant digits, exact ties to the even digit as glibc's and MinGW's printf
// do (msvcrt's rounds them away from zero). A carry out of the first digit makes 10^13,
// written as "1" with zeros and one more power of ten.
void RoundToSignificantDigits(ExactDecimal& d) {
  if (d.length <= kSignificantDigits) {
    std::fill(d.digits + d.length, d.digits + kSignificantDigits, '0');
    d.length = kSignificantDigits;
    return;
  }
  const char next = d.digits[kSignificantDigits];
  bool up = next > '5';
  if (next == '5') {
    const bool beyondHalf = std::any_of(d.digits + kSignificantDigits + 1, d.digits + d.length,
                                        [](char c) { return c != '0'; });
    up = beyondHalf || (d.digits[kSignificantDigits - 1] - '0') % 2 == 1;
  }
  d.length = kSignificantDigits;
  if (!up) return;
  int i = kSignificantDigits - 1;
  while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
  if (i >= 0) {
    ++d.digits[i];
  } else {
    d.digits[0] = '1';
    ++d.firstDigitPower;
  }
}

// Appends the digits [from, to) with trailing zeros removed, after a decimal point when any
// remain.
char* AppendFraction(char* out, const char* from, const char* to) {
  while (to > from && to[-1] == '0') --to;
  if (to == from) return out;
  *out++ = '.';
  std::memcpy(out, from, to - from);
  return out + (to - from);
}

}  // namespace

OwnedText FoldFullWidth(const char* text) {
  if (!text || !*text) return {};
  // The folded text is never longer than the original.
  char* folded = AllocateText(std::strlen(text) + 1);
  char* out = folded;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p;) {
    const unsigned char lead = *p;
    if (lead < 0x80) {
      *out++ = static_cast<char>(lead);
      ++p;
      continue;
    }
    const unsigned char trail = p[1];
    if (trail == 0) break;  // a lone lead byte at the end is dropped
    p += 2;
    if (lead == 0xA1 && trail == 0xA1) {
      *out++ = ' ';
    } else if (lead == 0xA1 && trail == 0xAB) {
      *out++ = '~';
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      *out++ = '*';
    } else if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      *out++ = static_cast<char>(trail - 0x80);
    } else {
      *out++ = static_cast<char>(lead);
      *out++ = static_cast<char>(trail);
    }
  }
  *out = '\0';
  if (out == folded) {
    std::free(folded);
    return {};
  }
  return OwnedText::Adopt(folded);
}

int32_t ToInt(const char* text) {
  const OwnedText folded = FoldFullWidth(text);
  const char* p = SkipSpace(folded.c_str());
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  uint32_t value = 0;  // unsigned, so that overflow wraps without undefined behaviour
  for (; IsDigit(*p); ++p) value = value * 10 + static_cast<uint32_t>(*p - '0');
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);  // modular since C++20
}

double ToNumber(const char* text) {
  const OwnedText folded = FoldFullWidth(text);
  const char* p = SkipSpace(folded.c_str());
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  Significand significand;
  p = ReadSignificand(p, significand);
  if (!significand.anyDigit) return 0;
  const double magnitude = NearestDouble(significand, ReadExponent(p));
  return negative ? -magnitude : magnitude;
}

OwnedText ToText(int32_t value) {
  char text[12];  // "-2147483648"
  char* end = text + sizeof text;
  *--end = '\0';
  // The magnitude in unsigned arithmetic, where -2147483648 has one.
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  do {
    *--end = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--end = '-';
  return OwnedText::Copy(end);
}

// "%.13g" with an exponent of at least three digits, written here rather than by printf:
// glibc and MinGW's stdio write two exponent digits, msvcrt three. Infinity and not-a-number
// are written "inf", "-inf" and "nan" as glibc does (ToNumber reads none of them back; they
// give 0). Negative zero keeps its sign, "-0", as printf writes it.
OwnedText ToText(double value) {
  char text[32];  // "-1.234567890123e-308" is 20 bytes
  char* out = text;
  if (std::isnan(value)) return OwnedText::Copy("nan");
  if (std::signbit(value)) *out++ = '-';
  value = std::fabs(value);
  if (std::isinf(value)) {
    std::memcpy(out, "inf", 3);
    return OwnedText::Copy({text, static_cast<size_t>(out - text) + 3});
  }
  if (value == 0) {
    *out++ = '0';
    return OwnedText::Copy({text, static_cast<size_t>(out - text)});
  }

  ExactDecimal d = ExpandExactly(value);
  RoundToSignificantDigits(d);
  const int power = d.firstDigitPower;
  const char* digits = d.digits;
  const char* digitsEnd = d.digits + kSignificantDigits;
  if (power < -4 || power >= kSignificantDigits) {
    *out++ = digits[0];
    out = AppendFraction(out, digits + 1, digitsEnd);
    *out++ = 'e';
    *out++ = power < 0 ? '-' : '+';
    const int magnitude = power < 0 ? -power : power;  // at most 324
    *out++ = static_cast<char>('0' + magnitude / 100);
    *out++ = static_cast<char>('0' + magnitude / 10 % 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
  } else if (power >= 0) {
    std::memcpy(out, digits, power + 1);
    out += power + 1;
    out = AppendFraction(out, digits + power + 1, digitsEnd);
  } else {
    // 0.000ddd: 12 - power digits after the point, the first -power - 1 of them zeros.
    *out++ = '0';
    char fraction[kSignificantDigits + 4];
    const int zeros = -power - 1;
    std::fill(fraction, fraction + zeros, '0');
    std::memcpy(fraction + zeros, digits, kSignificantDigits);
    out = AppendFraction(out, fraction, fraction + zeros + kSignificantDigits);
  }
  return OwnedText::Copy({text, static_cast<size_t>(out - text)});
}

OwnedText ToText(DateTime value) { return FormatDateTime(value); }

int32_t FloorToInt(double value) {
  // A positive value a hair below a whole number is taken as that number (2.9999999999995 is 3),
  // so that a quotient computed a little short does not lose a whole unit.
  if (value > 0 && value - std::floor(value) > 0.999999999999) value = std::floor(value) + 1;
  return LowBits32(std::floor(value));
}

double Remainder(double dividend, std::initializer_list<double> divisors) {
  double rest = dividend;
  for (double divisor : divisors) {
    if (divisor == 0) ReportFatalError("不能求余数于零");
    rest = std::fmod(rest, divisor);  // exact: the sign of rest, smaller than the divisor
  }
  return rest;
}

}  // namespace tamrivo
