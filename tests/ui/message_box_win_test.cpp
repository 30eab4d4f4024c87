// ShowMessage: texts shown in Chinese whatever the code page, the default title, task-modal
// unless system-modal is asked for, and the button codes.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <string>

#include "message_box_closer.h"
#include "ui/window.h"
#include "ui_support.h"

namespace tamrivo {
namespace {

constexpr Form kBehind{.name = "Behind", .title = "后面", .left = 200, .top = 200, .width = 200, .height = 120,
                       .placement = Placement::Stored, .visible = true, .inTaskbar = true};

// What the user saw of the open box.
struct BoxVisit {
  bool found = false;
  std::wstring title, text;
  bool behindEnabled = true;
  bool ticksGoOn = false;
} g_visit;
HWND g_behind = nullptr;
std::atomic<int> g_ticks = 0;

void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++g_ticks; }

// On the user's thread, while the box is open.
void LookBehind(HWND) {
  g_visit.behindEnabled = IsWindowEnabled(g_behind) != FALSE;
  const DWORD start = GetTickCount();
  while (g_ticks == 0 && GetTickCount() - start < 10000) Sleep(10);
  g_visit.ticksGoOn = g_ticks > 0;
}

class MessageBoxes : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadWindow(kBehind));
    g_behind = test::NativeWindow(kBehind);
  }
  void TearDown() override { test::Unload(kBehind); }

  int32_t Show(int pressButton, const char* text, int32_t flags, const char* title) {
    g_visit = {};
    g_ticks = 0;
    const UINT_PTR tickTimer = SetTimer(nullptr, 0, 20, CountTick);
    int32_t code = -1;
    {
      test::MessageBoxCloser user({.button = pressButton, .whileOpen = LookBehind});
      code = ShowMessage(text, flags, title);
      if (user.answered() == 1) {
        g_visit.found = true;
        g_visit.title = user.seen()[0].title;
        g_visit.text = user.seen()[0].text;
      }
    }
    KillTimer(nullptr, tickTimer);
    return code;
  }
};

TEST_F(MessageBoxes, ReturnsTheButtonCode) {
  struct Case {
    int32_t flags;
    int button;
    int32_t code;
  };
  const Case cases[] = {
      {MB_OK | MB_ICONINFORMATION, IDOK, 0}, {MB_OKCANCEL, IDCANCEL, 1},  {MB_ABORTRETRYIGNORE, IDABORT, 2},
      {MB_RETRYCANCEL, IDRETRY, 3},          {MB_ABORTRETRYIGNORE, IDIGNORE, 4}, {MB_YESNO, IDYES, 5},
      {MB_YESNOCANCEL, IDNO, 6},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Show(c.button, "确定？", c.flags, "问题"), c.code) << c.flags;
    EXPECT_TRUE(g_visit.found);
  }
}

TEST_F(MessageBoxes, ShowsItsChineseTextsAndTheDefaultTitle) {
  Show(IDOK, "托盘图标闪烁功能尚未实现", MB_ICONWARNING, nullptr);
  EXPECT_EQ(g_visit.title, L"信息：");
  EXPECT_EQ(g_visit.text, L"托盘图标闪烁功能尚未实现");
  Show(IDOK, "文字", MB_OK, "标题");
  EXPECT_EQ(g_visit.title, L"标题");
}

TEST_F(MessageBoxes, TaskModalUnlessSystemModalWhileTimersGoOn) {
  Show(IDOK, "任务", MB_ICONINFORMATION, nullptr);
  EXPECT_FALSE(g_visit.behindEnabled);
  EXPECT_TRUE(g_visit.ticksGoOn);
  EXPECT_TRUE(IsWindowEnabled(test::NativeWindow(kBehind)));
  Show(IDOK, "系统", MB_ICONINFORMATION | MB_SYSTEMMODAL, nullptr);
  EXPECT_TRUE(g_visit.behindEnabled);
}

}  // namespace
}  // namespace tamrivo
