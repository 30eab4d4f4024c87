// An edit box's text-changed event: once per property write (also when nothing changes),
// synchronously and nested; once per change the user types; the length limit counts GBK bytes.
#include <gtest/gtest.h>

#include <array>
#include <cwchar>
#include <string>

#include "ui/text_encoding.h"
#include "ui/window.h"
#include "ui_support.h"

namespace tamrivo {
namespace {

enum : int32_t { WatchedEdit, LimitedEdit };

// How deep the handler may write its own edit box again.
int g_rewriteDepth = 0;
int g_depth = 0;

void WatchedEditChanged();
void LimitedEditChanged() { test::EventLog().push_back("limited"); }

constexpr std::array<ControlRecord, 2> kControls{{
    {.name = "WatchedEdit", .formName = "编辑框1", .kind = ControlKind::EditBox, .parent = kNoParent,
     .left = 10, .top = 10, .width = 160, .height = 22, .tabStop = true, .text = "初始",
     .settings = {.border = EditBorder::Sunken, .background = kWhite}, .event = WatchedEditChanged},
    {.name = "LimitedEdit", .formName = "编辑框2", .kind = ControlKind::EditBox, .parent = kNoParent,
     .left = 10, .top = 40, .width = 60, .height = 22, .tabStop = true,
     .settings = {.border = EditBorder::Sunken, .lengthLimit = 3, .background = kWhite},
     .event = LimitedEditChanged},
}};

constexpr Form kEditForm{.name = "EditForm", .title = "编辑框", .left = 100, .top = 100, .width = 260,
                         .height = 140, .placement = Placement::Stored, .visible = true, .inTaskbar = true,
                         .controls = kControls};

void WatchedEditChanged() {
  const std::string text = test::Bytes(GetTextProperty(kEditForm, WatchedEdit, kText));
  test::EventLog().push_back("enter " + text);
  if (g_depth < g_rewriteDepth) {
    ++g_depth;
    SetControlProperty(kEditForm, WatchedEdit, kText, (text + "+").c_str());
    --g_depth;
  }
  test::EventLog().push_back("leave " + text);
}

class EditText : public testing::Test {
 protected:
  void SetUp() override {
    g_rewriteDepth = 0;
    ASSERT_TRUE(LoadWindow(kEditForm));
    test::Activate(kEditForm);
    test::EventLog().clear();
  }
  void TearDown() override { test::Unload(kEditForm); }

  void TypeInto(int32_t edit, const std::wstring& characters) {
    SetFocus(test::ControlWindow(kEditForm, edit));
    for (wchar_t c : characters) {
      INPUT inputs[2]{};
      inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
      inputs[0].ki.wScan = inputs[1].ki.wScan = c;
      inputs[0].ki.dwFlags = KEYEVENTF_UNICODE;
      inputs[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
      SendInput(2, inputs, sizeof(INPUT));
      test::PumpUntil([] { return GetQueueStatus(QS_INPUT) == 0; }, 1000);
      test::PumpFor(20);
    }
  }
};

TEST_F(EditText, EachWriteRaisesTheEventOnceBeforeItReturnsEvenWithoutChange) {
  SetControlProperty(kEditForm, WatchedEdit, kText, "5");
  EXPECT_EQ(test::EventLog(), (std::vector<std::string>{"enter 5", "leave 5"}));
  SetControlProperty(kEditForm, WatchedEdit, kText, "5");
  SetControlProperty(kEditForm, WatchedEdit, kText, "");
  EXPECT_EQ(test::EventLog(), (std::vector<std::string>{"enter 5", "leave 5", "enter 5", "leave 5", "enter ", "leave "}));
  // Nothing more arrives later from the native control.
  test::PumpFor(100);
  EXPECT_EQ(test::EventLog().size(), 6u);
}

TEST_F(EditText, AHandlerWritingItsOwnEditBoxIsEnteredAgainBeforeItsWriteReturns) {
  g_rewriteDepth = 2;
  SetControlProperty(kEditForm, WatchedEdit, kText, "时");
  EXPECT_EQ(test::EventLog(), (std::vector<std::string>{"enter 时", "enter 时+", "enter 时++", "leave 时++",
                                                        "leave 时+", "leave 时"}));
  EXPECT_EQ(test::Bytes(GetTextProperty(kEditForm, WatchedEdit, kText)), "时++");
}

TEST_F(EditText, TypingRaisesTheEventOncePerChange) {
  SetControlProperty(kEditForm, WatchedEdit, kText, "");
  test::EventLog().clear();
  TypeInto(WatchedEdit, L"a分");
  test::PressKeys({VK_BACK});
  EXPECT_EQ(test::EventLog(), (std::vector<std::string>{"enter a", "leave a", "enter a分", "leave a分", "enter a",
                                                        "leave a"}));
}

TEST_F(EditText, TheTypingLimitCountsGbkBytes) {
  struct Case {
    std::wstring typed;
    std::string kept;
  };
  const Case cases[] = {
      {L"1234", "123"},   // the fourth character is refused
      {L"12一", "12"},    // a Chinese character takes two bytes
      {L"1一", "1一"},
      {L"一二", "一"},
  };
  for (const Case& c : cases) {
    SetControlProperty(kEditForm, LimitedEdit, kText, "");
    test::EventLog().clear();
    TypeInto(LimitedEdit, c.typed);
    EXPECT_EQ(test::Bytes(GetTextProperty(kEditForm, LimitedEdit, kText)), c.kept);
    // One event per character that went in, none for a refused one.
    EXPECT_EQ(test::EventLog().size(), WideFromGbk(c.kept).size()) << c.kept;
  }
}

TEST_F(EditText, APasteKeepsWhatFitsOfItsFirstLine) {
  const std::wstring clip = L"45678\r\nx";
  ASSERT_TRUE(OpenClipboard(test::NativeWindow(kEditForm)));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (clip.size() + 1) * sizeof(wchar_t));
  std::wmemcpy(static_cast<wchar_t*>(GlobalLock(block)), clip.c_str(), clip.size() + 1);
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);  // the clipboard owns the block now
  CloseClipboard();

  SetControlProperty(kEditForm, LimitedEdit, kText, "9");
  SetFocus(test::ControlWindow(kEditForm, LimitedEdit));
  SendMessageW(test::ControlWindow(kEditForm, LimitedEdit), EM_SETSEL, 1, 1);
  test::EventLog().clear();
  SendMessageW(test::ControlWindow(kEditForm, LimitedEdit), WM_PASTE, 0, 0);
  EXPECT_EQ(test::Bytes(GetTextProperty(kEditForm, LimitedEdit, kText)), "945");
  EXPECT_EQ(test::EventLog(), (std::vector<std::string>{"limited"}));
}

TEST_F(EditText, AWriteMayBeLongerThanTheTypingLimit) {
  SetControlProperty(kEditForm, LimitedEdit, kText, "12345");
  EXPECT_EQ(test::Bytes(GetTextProperty(kEditForm, LimitedEdit, kText)), "12345");
}

}  // namespace
}  // namespace tamrivo
