// ShowMessage: texts shown in Chinese whatever the code page, the default title, task-modal
// unless system-modal is asked for, and the button codes.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "ui/window.h"
#include "ui_support.h"

namespace tamrivo {
namespace {

constexpr Form kBehind{.name = "Behind", .title = "后面", .left = 200, .top = 200, .width = 200, .height = 120,
                       .placement = Placement::Stored, .visible = true, .inTaskbar = true};

// What the timer saw of the open box, and the button it pressed.
struct BoxVisit {
  int pressButton = IDOK;
  bool found = false;
  std::wstring title, text;
  bool behindEnabled = true;
  bool ticksGoOn = false;
} g_visit;
UINT_PTR g_boxTimer = 0;
int g_ticks = 0;
UINT_PTR g_tickTimer = 0;

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
  wchar_t className[16]{};
  GetClassNameW(window, className, 16);
  if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++g_ticks; }

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
  if (!box) return;  // not open yet
  KillTimer(nullptr, g_boxTimer);
  g_visit.found = true;
  g_visit.title = test::WideText(box);
  g_visit.text = test::WideText(GetDlgItem(box, 0xFFFF));
  g_visit.behindEnabled = IsWindowEnabled(test::NativeWindow(kBehind)) != FALSE;
  g_visit.ticksGoOn = g_ticks > 0;
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(g_visit.pressButton, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, g_visit.pressButton)));
}

class MessageBoxes : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(LoadWindow(kBehind)); }
  void TearDown() override { test::Unload(kBehind); }

  int32_t Show(int pressButton, const char* text, int32_t flags, const char* title) {
    g_visit = {};
    g_visit.pressButton = pressButton;
    g_ticks = 0;
    g_tickTimer = SetTimer(nullptr, 0, 20, CountTick);
    g_boxTimer = SetTimer(nullptr, 0, 150, AnswerBox);
    const int32_t code = ShowMessage(text, flags, title);
    KillTimer(nullptr, g_boxTimer);
    KillTimer(nullptr, g_tickTimer);
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
