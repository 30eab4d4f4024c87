// GBK to UTF-16 and back with code page 936 named outright: the same under every ANSI code
// page (this program runs once with zh_CN and once with en_US).
#include <gtest/gtest.h>

#include "ui/text_encoding.h"

namespace tamrivo {
namespace {

TEST(TextEncoding, GbkAndUtf16RoundTrip) {
  struct Case {
    const char* gbk;
    const wchar_t* wide;
  };
  const Case cases[] = {
      {"", L""},
      {"Tamrivo v2.0", L"Tamrivo v2.0"},
      {"定时器已停止", L"定时器已停止"},
      {"启动定时器(&E)", L"启动定时器(&E)"},
      {"剩余时间:0小时0分钟0秒", L"剩余时间:0小时0分钟0秒"},
      {"托盘图标闪烁，在执行动作前", L"托盘图标闪烁，在执行动作前"},  // a full-width comma
      {"１２３", L"１２３"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WideFromGbk(c.gbk), c.wide) << c.gbk;
    EXPECT_EQ(std::string(GbkFromWide(c.wide).view()), c.gbk) << c.gbk;
    EXPECT_EQ(GbkLength(c.wide), std::string(c.gbk).size()) << c.gbk;
  }
  EXPECT_EQ(WideFromGbk(nullptr), L"");
  EXPECT_TRUE(GbkFromWide(L"").is_null());
}

TEST(TextEncoding, CharactersOutsideGbkBecomeQuestionMarks) {
  EXPECT_EQ(std::string(GbkFromWide(L"a\u0E01b").view()), "a?b");  // a Thai letter
}

}  // namespace
}  // namespace tamrivo
