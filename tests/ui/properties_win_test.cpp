// Numbered properties read back from the live controls, spinner presses, ComboItemValue, and
// the fatal errors of properties and operations on windows that are not there.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "ui/window.h"
#include "ui_support.h"

namespace tamrivo {
namespace {

enum : int32_t { Button, Check, RadioOne, RadioTwo, Combo, Edit, Spinner, Timer, LongCombo };

void SpinnerPressed(int32_t direction) { test::EventLog().push_back("press " + std::to_string(direction)); }
void AnyClicked() { test::EventLog().push_back("clicked"); }

constexpr std::array<ComboItem, 3> kItems{{{"一", 10}, {"二", 20}, {"三", 30}}};
constexpr std::array<ComboItem, 12> kManyItems{{{"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}, {"5", 5}, {"6", 6},
                                                {"7", 7}, {"8", 8}, {"9", 9}, {"10", 10}, {"11", 11}, {"12", 12}}};

constexpr std::array<ControlRecord, 9> kControls{{
    {.name = "Button", .formName = "按钮1", .kind = ControlKind::PushButton, .parent = kNoParent, .left = 10,
     .top = 10, .width = 100, .height = 26, .tabStop = true, .text = "按钮", .event = AnyClicked},
    {.name = "Check", .formName = "选择框1", .kind = ControlKind::CheckBox, .parent = kNoParent, .left = 10,
     .top = 40, .width = 100, .height = 20, .tabStop = true, .text = "选择", .event = AnyClicked},
    {.name = "RadioOne", .formName = "单选框1", .kind = ControlKind::RadioButton, .parent = kNoParent, .left = 10,
     .top = 64, .width = 100, .height = 20, .tabStop = true, .text = "甲", .settings = {.checked = true},
     .event = AnyClicked},
    {.name = "RadioTwo", .formName = "单选框2", .kind = ControlKind::RadioButton, .parent = kNoParent, .left = 10,
     .top = 88, .width = 100, .height = 20, .tabStop = true, .text = "乙", .event = AnyClicked},
    {.name = "Combo", .formName = "组合框1", .kind = ControlKind::ComboBox, .parent = kNoParent, .left = 120,
     .top = 10, .width = 100, .height = 20, .tabStop = true,
     .settings = {.background = kWhite, .items = kItems, .selected = 0, .droppedHeight = 160}},
    {.name = "Edit", .formName = "编辑框1", .kind = ControlKind::EditBox, .parent = kNoParent, .left = 120,
     .top = 40, .width = 100, .height = 20, .tabStop = true, .text = "文字"},
    {.name = "Spinner", .formName = "调节器1", .kind = ControlKind::Spinner, .parent = kNoParent, .left = 230,
     .top = 10, .width = 16, .height = 40, .event = SpinnerPressed},
    {.name = "Timer", .formName = "时钟1", .kind = ControlKind::Timer, .parent = kNoParent, .left = 5, .top = 6,
     .width = 26, .height = 26},
    {.name = "LongCombo", .formName = "组合框2", .kind = ControlKind::ComboBox, .parent = kNoParent, .left = 120,
     .top = 70, .width = 100, .height = 20, .tabStop = true,
     .settings = {.background = kWhite, .items = kManyItems, .selected = 0, .droppedHeight = 160}},
}};

constexpr Form kPropertyForm{.name = "PropertyForm", .title = "属性", .left = 160, .top = 110, .width = 280,
                             .height = 180, .placement = Placement::Stored, .visible = true, .inTaskbar = true,
                             .controls = kControls};
constexpr Form kHiddenAtStart{.name = "HiddenAtStart", .title = "隐藏", .left = 170, .top = 120, .width = 200,
                              .height = 120, .placement = Placement::Stored, .visible = false, .inTaskbar = true,
                              .controls = kControls};

class Properties : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadWindow(kPropertyForm));
    test::EventLog().clear();
  }
  void TearDown() override {
    test::Unload(kPropertyForm);
    test::Unload(kHiddenAtStart);
  }
};

TEST_F(Properties, VisibleFollowsTheWindowAndTheFirstShowIsPending) {
  ASSERT_TRUE(LoadWindow(kHiddenAtStart));
  EXPECT_EQ(GetIntProperty(kHiddenAtStart, kWindowItself, kVisible), 0);
  EXPECT_EQ(GetIntProperty(kHiddenAtStart, Button, kVisible), 0);  // its window is hidden
  SetControlProperty(kHiddenAtStart, kWindowItself, kVisible, 1);
  EXPECT_EQ(GetIntProperty(kHiddenAtStart, kWindowItself, kVisible), 1);
  EXPECT_EQ(GetIntProperty(kHiddenAtStart, Button, kVisible), 1);
  SetControlProperty(kHiddenAtStart, Button, kVisible, 0);
  EXPECT_EQ(GetIntProperty(kHiddenAtStart, Button, kVisible), 0);
  SetControlProperty(kHiddenAtStart, kWindowItself, kVisible, 0);
  SetControlProperty(kHiddenAtStart, kWindowItself, kVisible, 1);  // shown again and activated
  EXPECT_TRUE(test::PumpUntil([] { return GetForegroundWindow() == test::NativeWindow(kHiddenAtStart); }));
  EXPECT_EQ(GetIntProperty(kHiddenAtStart, Button, kVisible), 0);
}

TEST_F(Properties, WritesReadBackWithoutEvents) {
  struct Case {
    int32_t control, property, written, read;
  };
  const Case cases[] = {
      {Button, kDisabled, 1, 1},   {Button, kDisabled, 0, 0},  {kWindowItself, kDisabled, 1, 1},
      {kWindowItself, kDisabled, 0, 0}, {Check, kChecked, 1, 1},  {Check, kChecked, 0, 0},
      {Combo, kSelection, 2, 2},   {Combo, kSelection, 7, 2},  // clamped to the last item
      {Combo, kSelection, -7, -1}, {Combo, kSelection, 1, 1},  {Button, kLeft, 15, 15},
      {Button, kTop, 12, 12},      {Button, kWidth, 90, 90},   {Button, kHeight, 30, 30},
      {Timer, kLeft, 3, 3},        {kWindowItself, kTop, 130, 130},
  };
  for (const Case& c : cases) {
    SetControlProperty(kPropertyForm, c.control, c.property, c.written);
    EXPECT_EQ(GetIntProperty(kPropertyForm, c.control, c.property), c.read)
        << "control " << c.control << " property " << c.property << " written " << c.written;
  }
  // Checking a radio button by its property leaves the other one as it was.
  SetControlProperty(kPropertyForm, RadioTwo, kChecked, 1);
  EXPECT_EQ(GetIntProperty(kPropertyForm, RadioOne, kChecked), 1);
  test::PumpFor(50);
  EXPECT_TRUE(test::EventLog().empty());
}

TEST_F(Properties, TextsGoThroughAsGbkAndShowAsUnicode) {
  struct Case {
    int32_t control, property;
    const char* text;
    const wchar_t* shown;
  };
  const Case cases[] = {
      {kWindowItself, kText, "关于本软件和作者", L"关于本软件和作者"},
      {Button, kButtonCaption, "停止定时器(&D)", L"停止定时器(&D)"},
      {Check, kCaption, "托盘图标闪烁，在执行动作前", L"托盘图标闪烁，在执行动作前"},
      {RadioTwo, kCaption, "于", L"于"},
      {Edit, kText, "剩余时间:1小时", L"剩余时间:1小时"},
  };
  for (const Case& c : cases) {
    SetControlProperty(kPropertyForm, c.control, c.property, c.text);
    EXPECT_EQ(test::Bytes(GetTextProperty(kPropertyForm, c.control, c.property)), c.text);
    HWND native = c.control == kWindowItself ? test::NativeWindow(kPropertyForm)
                                             : test::ControlWindow(kPropertyForm, c.control);
    EXPECT_EQ(test::WideText(native), c.shown);
  }
  SetControlProperty(kPropertyForm, Edit, kTag, "标记");
  EXPECT_EQ(test::Bytes(GetTextProperty(kPropertyForm, Edit, kTag)), "标记");
}

TEST_F(Properties, SpinnerStepsTowardTheTopArrowArePlusOne) {
  HWND spinner = test::ControlWindow(kPropertyForm, Spinner);
  test::Activate(kPropertyForm);
  test::ClickAt(spinner, 8, 8);
  test::ClickAt(spinner, 8, 32);
  test::ClickAt(spinner, 8, 32);
  EXPECT_EQ(test::EventLog(), (std::vector<std::string>{"press 1", "press -1", "press -1"}));
}

TEST_F(Properties, ComboItemValueGivesTheFormsValueOrMinusOne) {
  const struct {
    int32_t index, value;
  } cases[] = {{-1, -1}, {0, 10}, {1, 20}, {2, 30}, {3, -1}, {100, -1}};
  for (const auto& c : cases) EXPECT_EQ(ComboItemValue(kPropertyForm, Combo, c.index), c.value) << c.index;
}

TEST_F(Properties, AnOpenedListReachesItsDroppedHeightFromTheTopOfTheBox) {
  HWND combo = test::ControlWindow(kPropertyForm, LongCombo);
  EXPECT_EQ(GetIntProperty(kPropertyForm, LongCombo, kHeight), 20);
  test::Activate(kPropertyForm);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  COMBOBOXINFO info{sizeof(COMBOBOXINFO)};
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  RECT list{}, box{};
  GetWindowRect(info.hwndList, &list);
  GetWindowRect(combo, &box);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(list.bottom - box.top, 160);
}

TEST_F(Properties, FatalErrors) {
  constexpr const char* kNotLoaded = "未载入欲访问窗口组件所在的窗口";
  constexpr const char* kNoNative = "指定窗口尚未载入";
  constexpr const char* kMissing = "指定窗口或窗口组件不存在或尚未载入";
  test::FatalErrorCatcher catcher;
  DestroyWindow(test::ControlWindow(kPropertyForm, Edit));  // its window stays loaded
  struct Case {
    const char* what;
    void (*act)();
    const char* message;
  };
  const Case cases[] = {
      {"read of a window not loaded", [] { GetIntProperty(kHiddenAtStart, Button, kVisible); }, kNotLoaded},
      {"write to a window not loaded", [] { SetControlProperty(kHiddenAtStart, Edit, kText, "1"); }, kNotLoaded},
      {"read of the window itself", [] { GetIntProperty(kHiddenAtStart, kWindowItself, kLeft); }, kNotLoaded},
      {"text of a control without native control", [] { GetTextProperty(kPropertyForm, Edit, kText); }, kNoNative},
      {"write without native control", [] { SetControlProperty(kPropertyForm, Edit, kText, "1"); }, kNoNative},
      {"control out of range", [] { GetIntProperty(kPropertyForm, 99, kLeft); }, kMissing},
      {"item value of a window not loaded", [] { ComboItemValue(kHiddenAtStart, Combo, 0); }, kMissing},
      {"item value of no combo box", [] { ComboItemValue(kPropertyForm, Button, 0); }, kMissing},
      {"destroy of a window not loaded", [] { RequestDestroy(kHiddenAtStart); }, kMissing},
  };
  for (const Case& c : cases) {
    try {
      c.act();
      ADD_FAILURE() << c.what << ": no fatal error";
    } catch (const test::FatalExit& exit) {
      EXPECT_EQ(exit.shownText, test::FatalText(c.message)) << c.what;
      EXPECT_EQ(exit.exitCode, -1) << c.what;
    }
  }
}

}  // namespace
}  // namespace tamrivo
