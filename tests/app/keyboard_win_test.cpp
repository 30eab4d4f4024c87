// The window's own keys, sent as real input so that they pass through the loop's keyboard
// handling before dispatch: Tab order, arrows between radio buttons, Alt with an access key,
// Enter.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/forms/main_window.h"
#include "main_window_support.h"
#include "ui/window.h"
#include "ui_support.h"

namespace tamrivo {
namespace {

using test::PressKeys;

class MainWindowKeys : public test::ActiveMainWindowTest {
 protected:
  // Focuses `start`, then presses Tab (or Shift+Tab) once per expected control.
  void ExpectTabOrder(int32_t start, const std::vector<int32_t>& expected, bool backward) {
    SetFocus(test::ControlWindow(MainWindow, start));
    test::PumpFor(20);
    ASSERT_EQ(test::FocusedControl(MainWindow), start);
    std::vector<int32_t> seen;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      if (backward) {
        PressKeys({VK_SHIFT, VK_TAB});
      } else {
        PressKeys({VK_TAB});
      }
      seen.push_back(test::FocusedControl(MainWindow));
    }
    EXPECT_EQ(seen, expected);
  }
};

TEST_F(MainWindowKeys, TabSkipsTheDisabledAtTimeFieldsAndWraps) {
  const std::vector<int32_t> forward = {RemainingEdit, ActionCombo, CountdownRadio, CountEdit, UnitCombo,
                                        AtTimeRadio,   FlashCheck,  NowEdit,        AboutButton, StartStopButton};
  ExpectTabOrder(StartStopButton, forward, false);
  std::vector<int32_t> backward(forward.rbegin() + 1, forward.rend());
  backward.push_back(StartStopButton);
  ExpectTabOrder(StartStopButton, backward, true);
  // Passing over AtTimeRadio gave it the focus but neither checked it nor unchecked the other.
  EXPECT_EQ(GetIntProperty(MainWindow, AtTimeRadio, kChecked), 0);
  EXPECT_EQ(GetIntProperty(MainWindow, CountdownRadio, kChecked), 1);
}

TEST_F(MainWindowKeys, TabVisitsTheAtTimeFieldsOnceEnabled) {
  for (int32_t control : {HourEdit, HalfDayCombo, MinuteEdit}) SetControlProperty(MainWindow, control, kDisabled, 0);
  const std::vector<int32_t> forward = {StartStopButton, RemainingEdit, ActionCombo, CountdownRadio, CountEdit,
                                        UnitCombo,       AtTimeRadio,   HourEdit,    HalfDayCombo,   MinuteEdit,
                                        FlashCheck,      NowEdit,       AboutButton};
  ExpectTabOrder(AboutButton, forward, false);
}

TEST_F(MainWindowKeys, EnterDoesNothing) {
  SetFocus(test::ControlWindow(MainWindow, CountEdit));
  PressKeys({VK_RETURN});
  EXPECT_EQ(test::FocusedControl(MainWindow), CountEdit);
  EXPECT_TRUE(IsWindowLoaded(MainWindow));
  EXPECT_EQ(test::Bytes(GetTextProperty(MainWindow, CountEdit, kText)), "1");
}

// A form with every kind that answers an access key.
enum : int32_t { NameEdit, NameLabel, StartButton, FlashBox, SecondRadio, FirstRadio, InnerEdit, Group, OffButton };

void StartClicked();
void FlashClicked();
void FirstRadioClicked();
void SecondRadioClicked();
void OffClicked();

constexpr std::array<ControlRecord, 9> kKeyControls{{
    {.name = "NameEdit", .formName = "编辑框1", .kind = ControlKind::EditBox, .parent = kNoParent, .left = 90,
     .top = 10, .width = 100, .height = 22, .tabStop = true, .settings = {.border = EditBorder::Sunken}},
    {.name = "NameLabel", .formName = "标签1", .kind = ControlKind::Label, .parent = kNoParent, .left = 10,
     .top = 14, .width = 70, .height = 16, .text = "名称(&N)"},
    {.name = "StartButton", .formName = "按钮1", .kind = ControlKind::PushButton, .parent = kNoParent, .left = 10,
     .top = 40, .width = 120, .height = 28, .tabStop = true, .text = "启动定时器(&E)", .event = StartClicked},
    {.name = "FlashBox", .formName = "选择框1", .kind = ControlKind::CheckBox, .parent = kNoParent, .left = 140,
     .top = 40, .width = 100, .height = 24, .tabStop = true, .text = "闪烁(&F)", .event = FlashClicked},
    {.name = "SecondRadio", .formName = "单选框2", .kind = ControlKind::RadioButton, .parent = Group, .left = 10,
     .top = 44, .width = 80, .height = 18, .tabStop = true, .text = "乙(&B)", .event = SecondRadioClicked},
    {.name = "FirstRadio", .formName = "单选框1", .kind = ControlKind::RadioButton, .parent = Group, .left = 10,
     .top = 20, .width = 80, .height = 18, .tabStop = true, .text = "甲(&A)", .settings = {.checked = true},
     .event = FirstRadioClicked},
    {.name = "InnerEdit", .formName = "编辑框2", .kind = ControlKind::EditBox, .parent = Group, .left = 100,
     .top = 20, .width = 80, .height = 22, .tabStop = true, .settings = {.border = EditBorder::Sunken}},
    {.name = "Group", .formName = "分组框1", .kind = ControlKind::GroupBox, .parent = kNoParent, .left = 10,
     .top = 76, .width = 230, .height = 76, .text = "配置(&G)"},
    {.name = "OffButton", .formName = "按钮2", .kind = ControlKind::PushButton, .parent = kNoParent, .left = 10,
     .top = 160, .width = 120, .height = 28, .disabled = true, .text = "禁用(&D)", .event = OffClicked},
}};

constexpr Form kKeyForm{.name = "KeyForm", .title = "按键", .left = 150, .top = 150, .width = 270, .height = 240,
                        .placement = Placement::Stored, .visible = true, .inTaskbar = true, .escCloses = true,
                        .controls = kKeyControls};

std::string Checked(int32_t control) { return std::to_string(GetIntProperty(kKeyForm, control, kChecked)); }
void StartClicked() { test::EventLog().push_back("start"); }
void FlashClicked() { test::EventLog().push_back("flash " + Checked(FlashBox)); }
void FirstRadioClicked() { test::EventLog().push_back("first " + Checked(FirstRadio) + Checked(SecondRadio)); }
void SecondRadioClicked() { test::EventLog().push_back("second " + Checked(FirstRadio) + Checked(SecondRadio)); }
void OffClicked() { test::EventLog().push_back("off"); }

class FormKeys : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadWindow(kKeyForm));
    test::Activate(kKeyForm);
    SetFocus(test::ControlWindow(kKeyForm, StartButton));
    test::EventLog().clear();
  }
  void TearDown() override { test::Unload(kKeyForm); }
};

TEST_F(FormKeys, AltWithAnAccessLetterActsOnItsControl) {
  struct Case {
    WORD letter;
    std::vector<std::string> events;
    int32_t focus;  // where the focus is afterwards
  };
  const Case cases[] = {
      {'E', {"start"}, StartButton},
      {'F', {"flash 1"}, StartButton},  // toggled, then the event sees the new state
      {'F', {"flash 0"}, StartButton},
      {'B', {"second 01"}, StartButton},  // checked, the other radio button unchecked
      {'A', {"first 10"}, StartButton},
      {'N', {}, NameEdit},   // a label passes the focus on to the next control after it
      {'G', {}, InnerEdit},  // a group box to the first control inside it
      {'D', {}, StartButton},  // a disabled button does not answer
      {'X', {}, StartButton},  // nothing has X
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<char>(c.letter));
    SetFocus(test::ControlWindow(kKeyForm, StartButton));
    test::EventLog().clear();
    PressKeys({VK_MENU, c.letter});
    EXPECT_EQ(test::EventLog(), c.events);
    EXPECT_EQ(test::FocusedControl(kKeyForm), c.focus);
  }
  EXPECT_TRUE(IsWindowLoaded(kKeyForm));
}

TEST_F(FormKeys, AccessKeysNeedAltAlone) {
  PressKeys({VK_CONTROL, VK_MENU, 'E'});
  PressKeys({VK_SHIFT, VK_MENU, 'E'});
  EXPECT_TRUE(test::EventLog().empty());
}

TEST_F(FormKeys, ArrowsMoveAmongTheRadioButtonsOfOneParentAndWrap) {
  SetFocus(test::ControlWindow(kKeyForm, FirstRadio));
  test::PumpFor(20);
  test::EventLog().clear();
  struct Case {
    WORD key;
    const char* event;
    int32_t focus;
  };
  const Case cases[] = {
      {VK_DOWN, "second 01", SecondRadio},
      {VK_RIGHT, "first 10", FirstRadio},  // wraps
      {VK_UP, "second 01", SecondRadio},   // wraps backwards
      {VK_LEFT, "first 10", FirstRadio},
  };
  for (const Case& c : cases) {
    PressKeys({c.key});
    ASSERT_FALSE(test::EventLog().empty());
    EXPECT_EQ(test::EventLog().back(), c.event);
    EXPECT_EQ(test::FocusedControl(kKeyForm), c.focus);
  }
  EXPECT_EQ(test::EventLog().size(), 4u);  // one clicked event per arrow, none for the focus change
}

TEST_F(FormKeys, ClicksChangeTheStateBeforeTheEvent) {
  const struct {
    int32_t control;
    const char* event;
  } cases[] = {{FlashBox, "flash 1"}, {SecondRadio, "second 01"}, {StartButton, "start"}, {FirstRadio, "first 10"}};
  for (const auto& c : cases) {
    test::EventLog().clear();
    HWND button = test::ControlWindow(kKeyForm, c.control);
    RECT rect{};
    GetClientRect(button, &rect);
    test::ClickAt(button, 6, rect.bottom / 2);
    EXPECT_EQ(test::EventLog(), (std::vector<std::string>{c.event}));
  }
}

}  // namespace
}  // namespace tamrivo
