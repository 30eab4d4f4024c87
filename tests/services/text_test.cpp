#include "services/text.h"

#include <gtest/gtest.h>

namespace tamrivo {
namespace {

TEST(ConcatTexts, JoinsPiecesAndTreatsNullAsEmpty) {
  OwnedText b = OwnedText::Copy("b");
  EXPECT_EQ(ConcatTexts({"a", nullptr, b}).view(), "ab");
  OwnedText empty = ConcatTexts({nullptr, ""});
  ASSERT_FALSE(empty.is_null());  // always allocated, even with no characters
  EXPECT_EQ(empty.view(), "");
}

TEST(OwnedText, EmptyTextIsNullAndReleaseLeavesNull) {
  EXPECT_TRUE(OwnedText::Copy("").is_null());
  OwnedText text = OwnedText::Copy("剩余时间:");
  EXPECT_EQ(text.view(), "\xca\xa3\xd3\xe0\xca\xb1\xbc\xe4:");  // GBK bytes, not UTF-8
  ReleaseText(text);
  EXPECT_TRUE(text.is_null());
  EXPECT_STREQ(text.c_str(), "");
}

}  // namespace
}  // namespace tamrivo
