#include "services/convert.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "fatal_capture.h"

namespace tamrivo {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string Text(const OwnedText& text) { return std::string(text.view()); }

TEST(FoldFullWidth, FoldsFullWidthFormsAndPassesOtherCharactersThrough) {
  const struct {
    const char* text;
    const char* folded;  // null: the empty text
  } cases[] = {
      {nullptr, nullptr},
      {"", nullptr},
      {"12 ab", "12 ab"},
      {"１２３", "123"},
      {"－５．２５", "-5.25"},
      {"ｅ＋", "e+"},
      {"　３", " 3"},      // ideographic space
      {"～☆★", "~**"},
      {"中文１", "中文1"},  // other two-byte characters are kept
      {"a\xA3", "a"},      // a lone lead byte at the end is dropped
      {"\xA3", nullptr},
      {"\xA3\xA0\xA3\xFF", "\xA3\xA0\xA3\xFF"},  // just outside the full-width range
      {"\x80\x41", "\x80\x41"},                  // a pair is a pair, whatever its trail
  };
  for (const auto& c : cases) {
    const OwnedText folded = FoldFullWidth(c.text);
    if (!c.folded) {
      EXPECT_TRUE(folded.is_null()) << (c.text ? c.text : "(null)");
    } else {
      EXPECT_EQ(Text(folded), c.folded);
    }
  }
}

TEST(FoldFullWidth, EveryFullWidthFormBecomesItsAsciiCharacter) {
  for (int trail = 0xA1; trail <= 0xFE; ++trail) {
    const char text[] = {'\xA3', static_cast<char>(trail), '\0'};
    const char ascii[] = {static_cast<char>(trail - 0x80), '\0'};
    EXPECT_EQ(Text(FoldFullWidth(text)), ascii) << std::hex << trail;
  }
}

TEST(ToInt, ReadsTheLeadingDecimalIntegerAndWrapsIn32Bits) {
  const struct {
    const char* text;
    int32_t value;
  } cases[] = {
      {nullptr, 0},
      {"", 0},
      {"abc", 0},
      {" 12", 12},
      {"\t\n\v\f\r 5", 5},
      {"1.9", 1},
      {"-3", -3},
      {"+7", 7},
      {"12abc", 12},
      {"   -12x", -12},
      {"- 3", 0},
      {"-", 0},
      {"++1", 0},
      {"0x1A", 0},
      {"007", 7},
      {"１２", 12},
      {"１２３", 123},
      {"－５", -5},
      {"３　", 3},
      {"　１２", 12},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"2147483648", INT32_MIN},
      {"4294967297", 1},
      {"99999999999", 1215752191},
      {"-99999999999", -1215752191},
      {"123456789012345678901234567890", 1312754386},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToInt(c.text), c.value) << (c.text ? c.text : "(null)");
  }
}

TEST(ToText, IntegersInDecimal) {
  const struct {
    int32_t value;
    const char* text;
  } cases[] = {{0, "0"}, {-5, "-5"}, {7, "7"}, {1000000, "1000000"},
               {INT32_MAX, "2147483647"}, {INT32_MIN, "-2147483648"}};
  for (const auto& c : cases) EXPECT_EQ(Text(ToText(c.value)), c.text);
}

TEST(ToText, EveryIntegerReadsBackThroughToInt) {
  std::mt19937 random(20110225);
  int32_t edges[] = {0, 1, -1, 9, 10, -10, 99, 100, 999999999, 1000000000, -1000000000,
                     INT32_MAX, INT32_MAX - 1, INT32_MIN, INT32_MIN + 1};
  for (int32_t value : edges) ASSERT_EQ(ToInt(ToText(value).get()), value);
  for (int i = 0; i < 300000; ++i) {
    const int32_t value = static_cast<int32_t>(random());
    ASSERT_EQ(ToInt(ToText(value).get()), value);
  }
}

TEST(ToNumber, ReadsTheLongestDecimalNumberPrefix) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {nullptr, 0},
      {"", 0},
      {"abc", 0},
      {"1.5x", 1.5},
      {" 12", 12},
      {".5", 0.5},
      {"5.", 5},
      {"-.5", -0.5},
      {".", 0},
      {"-", 0},
      {"-3", -3},
      {"+3", 3},
      {"1e3", 1000},
      {"1E3", 1000},
      {"1d3", 1000},
      {"1D3", 1000},
      {"1e+2", 100},
      {"2.5e-3", 0.0025},
      {"1e", 1},
      {"1e-", 1},
      {"1e+x", 1},
      {"1f3", 1},
      {"e5", 0},
      {".e5", 0},
      {"1,5", 1},
      {"1.2.3", 1.2},
      {"0x10", 0},
      {"inf", 0},
      {"nan", 0},
      {"１．５", 1.5},
      {"１ｅ３", 1000},
      {"　－２", -2},
      {"1e400", kInfinity},
      {"-1e400", -kInfinity},
      {"1e99999999999999999999", kInfinity},
      {"1e-400", 0},
      {"1e-99999999999999999999", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToNumber(c.text), c.value) << (c.text ? c.text : "(null)");
  }
  EXPECT_TRUE(std::signbit(ToNumber("-0")));
  EXPECT_TRUE(std::signbit(ToNumber("-1e-400")));
  EXPECT_EQ(ToNumber(INT32_MIN), -2147483648.0);
}

// Inputs where a conversion that does not round correctly goes wrong: halfway points,
// the subnormal range, the edge of overflow, and digits far beyond what a double holds.
TEST(ToNumber, RoundsToTheNearestDouble) {
  const std::string zeros(1000, '0');
  const struct {
    std::string text;
    double value;
  } cases[] = {
      {"0.1", 0.1},
      {"0.3", 0.3},
      {"123456.789e-3", 123.456789},
      {"9007199254740993", 9007199254740992.0},  // halfway: to even
      {"9007199254740995", 9007199254740996.0},
      {"9007199254740993.0000000001", 9007199254740994.0},
      {"9007199254740993" + zeros + "1e-1001", 9007199254740994.0},  // far digit breaks the tie
      {"2.2250738585072011e-308", 2.2250738585072011e-308},
      {"2.2250738585072012e-308", 2.2250738585072012e-308},
      {"4.9406564584124654e-324", 4.9406564584124654e-324},
      {"2.4703282292062328e-324", 4.9406564584124654e-324},  // just above half the least
      {"2.4703282292062327e-324", 0},                         // just below it
      {"1.7976931348623157e308", DBL_MAX},
      {"1.7976931348623158e308", DBL_MAX},
      {"1.7976931348623159e308", kInfinity},
      {"0." + zeros + "1e1001", 1},
      {"1" + zeros + "e-1000", 1},
      {"000000000000000000000000000012.5", 12.5},
      {"1.00000000000000011102230246251565404236316680908203125", 1.0},  // exact tie
      {"1.00000000000000011102230246251565404236316680908203126", 1.0000000000000002},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToNumber(c.text.c_str()), c.value) << c.text.substr(0, 60);
  }
}

TEST(ToText, DoublesInThirteenSignificantDigitsWithAThreeDigitExponent) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {2.0, "2"},
      {12.0, "12"},
      {0.5, "0.5"},
      {1e-7, "1e-007"},
      {-1.0, "-1"},
      {0.0, "0"},
      {1.0 / 3, "0.3333333333333"},
      {2.0 / 3, "0.6666666666667"},
      {0.1 + 0.2, "0.3"},
      {0.0001, "0.0001"},
      {0.00001, "1e-005"},
      {1234567890123.0, "1234567890123"},
      {1e13, "1e+013"},
      {9999999999999.5, "1e+013"},
      {1.5e300, "1.5e+300"},
      {-2.5e-10, "-2.5e-010"},
      {100, "100"},
      {123.456, "123.456"},
      {1e12, "1000000000000"},
      {123456789012345.0, "1.234567890123e+014"},
      {0.000123456789012345, "0.0001234567890123"},
      {0.000099999999999999, "0.0001"},          // rounding decides the form
      {999999999999.99, "1000000000000"},
      {1000000000000.5, "1000000000000"},        // exact ties go to the even digit
      {1000000000001.5, "1000000000002"},
      {1e100, "1e+100"},
      {DBL_MAX, "1.797693134862e+308"},
      {DBL_MIN, "2.225073858507e-308"},
      {4.9406564584124654e-324, "4.940656458412e-324"},
      {-0.0, "-0"},
      {kInfinity, "inf"},
      {-kInfinity, "-inf"},
      {kNaN, "nan"},
      {-kNaN, "nan"},
  };
  for (const auto& c : cases) {
    const OwnedText text = ToText(c.value);
    ASSERT_FALSE(text.is_null());
    EXPECT_EQ(Text(text), c.text);
  }
}

// Doubles spread over every magnitude: random bit patterns, and random mantissas near powers
// of ten where the form changes.
std::vector<double> RandomDoubles(int count) {
  std::mt19937_64 random(1899123000);
  std::vector<double> values;
  while (static_cast<int>(values.size()) < count) {
    uint64_t bits = random();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value)) continue;
    values.push_back(value);
    const int power = static_cast<int>(random() % 40) - 20;
    values.push_back((static_cast<double>(random() >> 11) / 9007199254740992.0) *
                     std::pow(10.0, power));
  }
  return values;
}

TEST(ToText, DoublesReadBackThroughToNumberToThirteenDigits) {
  for (double value : RandomDoubles(100000)) {
    const OwnedText text = ToText(value);
    const double back = ToNumber(text.get());
    // A subnormal holds fewer digits than the text; allow for its own spacing.
    const double allowed = std::fabs(value) * 5e-13 + std::numeric_limits<double>::denorm_min();
    ASSERT_LE(std::fabs(back - value), allowed) << text.get();
  }
}

// Our digits against the C runtime's "%.13g", with its exponent widened to three digits. glibc
// and MinGW's own stdio both round the exact binary value correctly.
TEST(ToText, AgreesWithTheRuntimesPrintfApartFromTheExponentWidth) {
  for (double value : RandomDoubles(50000)) {
    char printed[64];
    std::snprintf(printed, sizeof printed, "%.13g", value);
    std::string want = printed;
    const size_t e = want.find('e');
    if (e != std::string::npos) {
      const std::string digits = want.substr(e + 2);
      want = want.substr(0, e + 2) + std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') +
             digits;
    }
    ASSERT_EQ(Text(ToText(value)), want);
  }
}

// A C runtime reads and writes the locale's decimal separator; the program's texts keep the
// full stop whatever locale the process runs in. Skipped where no such locale is installed.
TEST(ToNumberAndToText, IgnoreTheLocalesDecimalComma) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  const char* comma = nullptr;
  for (const char* name : {"German_Germany.1252", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
    if (std::setlocale(LC_ALL, name)) {
      comma = name;
      break;
    }
  }
  if (!comma) GTEST_SKIP() << "no locale with a decimal comma";
  const double read = ToNumber("1.5");
  const double readWithExponent = ToNumber("2.5e-3");
  const std::string written = Text(ToText(1.5));
  const std::string writtenWithExponent = Text(ToText(-2.5e-10));
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(read, 1.5) << comma;
  EXPECT_EQ(readWithExponent, 0.0025);
  EXPECT_EQ(written, "1.5");
  EXPECT_EQ(writtenWithExponent, "-2.5e-010");
}

TEST(ToText, DateTimeIsItsCalendarText) {
  EXPECT_EQ(Text(ToText(MakeDateTime(2011, 2, 25, 6, 13, 45))), "2011年2月25日6时13分45秒");
}

TEST(FloorToInt, RoundsDownAndKeepsTheLow32Bits) {
  const struct {
    double value;
    int32_t result;
  } cases[] = {
      {2.7, 2},
      {-2.3, -3},
      {-0.5, -1},
      {3.0, 3},
      {0.0, 0},
      {2.9999999999995, 3},  // within 1e-12 below a whole number
      {0.9999999999995, 1},
      {0.99999999, 0},
      {-0.9999999999995, -1},
      {7200.0 / 3600.0, 2},
      {2147483647.5, INT32_MAX},
      {2147483648.0, INT32_MIN},
      {-2147483649.0, INT32_MAX},
      {4294967297.5, 1},
      {1e20, 1661992960},
      {-1e20, -1661992960},
      {kInfinity, 0},
      {-kInfinity, 0},
      {kNaN, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(FloorToInt(c.value), c.result) << c.value;
}

TEST(Remainder, ReducesByEachDivisorInTurnExactly) {
  const struct {
    double dividend;
    double divisor;
    double result;
  } cases[] = {
      {7, 3, 1},
      {-7, 3, -1},
      {7, -3, 1},
      {7.5, 2, 1.5},
      {3725, 3600, 125},
      {125, 60, 5},
      {59, 60, 59},
      {0, 60, 0},
      {-1, 60, -1},
      {1e22, 3, 1},  // 10^22 is a double; r - trunc(r / d) * d would lose it
      {-1e22, 7, -4},
      {5, kInfinity, 5},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Remainder(c.dividend, {c.divisor}), c.result) << c.dividend << " " << c.divisor;
  }
  EXPECT_EQ(Remainder(3725, {3600, 60}), 5);
  EXPECT_EQ(Remainder(42.5, {}), 42.5);
}

TEST(Remainder, AZeroDivisorIsFatal) {
  const std::function<void()> calls[] = {
      [] { Remainder(7, {0}); },
      [] { Remainder(7, {-0.0}); },
      [] { Remainder(7, {60, 0}); },
  };
  for (const auto& call : calls) {
    const FatalErrorRaised raised = ExpectFatalError(call);
    EXPECT_EQ(raised.text, "运行时出错!\r\n\r\n错误信息：不能求余数于零\r\n");
    EXPECT_EQ(raised.caption, "错误");
    EXPECT_EQ(raised.exitCode, -1);
  }
}

}  // namespace
}  // namespace tamrivo
