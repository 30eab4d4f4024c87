#include "services/fatal.h"

#include <gtest/gtest.h>

#include <cstddef>

#include "fatal_capture.h"
#include "services/text.h"

namespace tamrivo {
namespace {

TEST(ReportFatalError, ShowsTheMessageUnderItsCaptionAndEndsWithMinusOne) {
  const struct {
    const char* message;
    const char* text;
  } cases[] = {
      {"不能求余数于零", "运行时出错!\r\n\r\n错误信息：不能求余数于零\r\n"},
      {"", "运行时出错!\r\n\r\n"},  // no message, no "错误信息：" line
      {nullptr, "运行时出错!\r\n\r\n"},
  };
  for (const auto& c : cases) {
    const FatalErrorRaised raised = ExpectFatalError([&] { ReportFatalError(c.message); });
    EXPECT_EQ(raised.text, c.text);
    EXPECT_EQ(raised.caption, "错误");
    EXPECT_EQ(raised.exitCode, -1);
  }
}

TEST(AllocateText, ReportsARequestTheHeapCannotGive) {
  // 2^62 bytes exceed every address space, so malloc fails whatever the overcommit policy.
  // The message counts bytes as the program's 32-bit integers do: the low 32 bits show.
  const std::size_t request = (std::size_t{1} << 62) + 4096;
  const FatalErrorRaised raised = ExpectFatalError([&] { AllocateText(request); });
  EXPECT_EQ(raised.text, "运行时出错!\r\n\r\n错误信息：分配 4096 字节内存失败!\r\n");
  EXPECT_EQ(raised.caption, "错误");
  EXPECT_EQ(raised.exitCode, -1);
}

}  // namespace
}  // namespace tamrivo
