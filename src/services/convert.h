// Conversions between the texts of the edit boxes and the integers and doubles that the
// handlers compute with. Nothing here fails on bad text: text without a number reads as 0.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "services/datetime.h"
#include "services/text.h"

namespace tamrivo {

// Full-width digits, signs and the ideographic space become their ASCII bytes; a lone lead
// byte at the end is dropped. Null gives the empty text.
OwnedText FoldFullWidth(const char* text);

// Leading decimal integer, wrapping in 32 bits; 0 when there is none.
int32_t ToInt(const char* text);

// Longest decimal-number prefix (exponent letters e, E, d, D) as the nearest double.
double ToNumber(const char* text);
inline double ToNumber(int32_t value) { return value; }

// "%d"; "%.13g" with an exponent of at least three digits; FormatDateTime.
OwnedText ToText(int32_t value);
OwnedText ToText(double value);
OwnedText ToText(DateTime value);

// Floor, after lifting a positive value within 1e-12 below a whole number to it; low 32 bits.
int32_t FloorToInt(double value);

// Dividend reduced by each divisor in turn, truncating; a zero divisor is fatal.
double Remainder(double dividend, std::initializer_list<double> divisors);

}  // namespace tamrivo
