// The loaded MainWindow against its form: every control's place and size, texts, items and
// item values, initial states, fonts, colours and the window's own settings, read back from
// the live window.
#include <gtest/gtest.h>

#include "app/forms/main_window.h"
#include "main_window_support.h"
#include "ui/handles.h"
#include "ui/text_encoding.h"
#include "ui/window.h"
#include "ui_support.h"

namespace tamrivo {
namespace {

using MainWindowKeysTest = test::MainWindowTest;

class MainWindowForm : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(LoadWindow(MainWindow)); }
  void TearDown() override { test::Unload(MainWindow); }
};

TEST_F(MainWindowForm, TheWindowIsCentredWithItsOuterSizeAndFixedFrame) {
  EXPECT_EQ(GetIntProperty(MainWindow, kWindowItself, kWidth), 295);
  EXPECT_EQ(GetIntProperty(MainWindow, kWindowItself, kHeight), 378);
  EXPECT_EQ(GetIntProperty(MainWindow, kWindowItself, kLeft), (GetSystemMetrics(SM_CXSCREEN) - 295) / 2);
  EXPECT_EQ(GetIntProperty(MainWindow, kWindowItself, kTop), (GetSystemMetrics(SM_CYSCREEN) - 378) / 2);
  EXPECT_EQ(test::Bytes(GetTextProperty(MainWindow, kWindowItself, kText)), "Tamrivo v2.0");
  EXPECT_EQ(GetIntProperty(MainWindow, kWindowItself, kVisible), 1);
  HWND window = test::NativeWindow(MainWindow);
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_EQ(GetMenu(window), nullptr);  // the only top-level menu item is hidden
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);  // a taskbar button of its own
}

TEST_F(MainWindowForm, EveryControlHasItsPlaceSizeAndInitialState) {
  for (std::size_t i = 0; i < MainWindow.controls.size(); ++i) {
    const ControlRecord& record = MainWindow.controls[i];
    const auto control = static_cast<int32_t>(i);
    SCOPED_TRACE(record.name);
    EXPECT_EQ(GetIntProperty(MainWindow, control, kLeft), record.left);
    EXPECT_EQ(GetIntProperty(MainWindow, control, kTop), record.top);
    EXPECT_EQ(GetIntProperty(MainWindow, control, kWidth), record.width);
    EXPECT_EQ(GetIntProperty(MainWindow, control, kHeight), record.height);
    EXPECT_EQ(GetIntProperty(MainWindow, control, kDisabled), record.disabled ? 1 : 0);
    if (record.kind != ControlKind::Timer) {
      EXPECT_EQ(GetIntProperty(MainWindow, control, kVisible), record.visible ? 1 : 0);
      // Inside the parent the form names.
      HWND parent = record.parent == kNoParent ? test::NativeWindow(MainWindow)
                                               : test::ControlWindow(MainWindow, record.parent);
      EXPECT_EQ(GetParent(test::ControlWindow(MainWindow, control)), parent);
    }
    switch (record.kind) {
      case ControlKind::EditBox:
        EXPECT_EQ(test::Bytes(GetTextProperty(MainWindow, control, kText)), record.text);
        break;
      case ControlKind::PushButton:
        EXPECT_EQ(test::Bytes(GetTextProperty(MainWindow, control, kButtonCaption)), record.text);
        break;
      case ControlKind::CheckBox:
      case ControlKind::RadioButton:
        EXPECT_EQ(test::Bytes(GetTextProperty(MainWindow, control, kCaption)), record.text);
        EXPECT_EQ(GetIntProperty(MainWindow, control, kChecked), record.settings.checked ? 1 : 0);
        break;
      case ControlKind::Label:
      case ControlKind::GroupBox:
        EXPECT_EQ(test::Bytes(GbkFromWide(test::WideText(test::ControlWindow(MainWindow, control)))), record.text);
        break;
      case ControlKind::Timer:
        EXPECT_EQ(GetIntProperty(MainWindow, control, kPeriod), record.settings.period);
        break;
      default:
        break;
    }
  }
  // The form's order is the stacking order: the first control lies on top among its siblings.
  EXPECT_EQ(GetWindow(test::NativeWindow(MainWindow), GW_CHILD), test::ControlWindow(MainWindow, AdView));
  EXPECT_EQ(GetWindow(test::ControlWindow(MainWindow, RemainingEdit), GW_HWNDNEXT),
            test::ControlWindow(MainWindow, StartStopButton));
  EXPECT_EQ(GetWindow(test::ControlWindow(MainWindow, ConfigGroup), GW_CHILD),
            test::ControlWindow(MainWindow, MinuteLabel));
}

TEST_F(MainWindowForm, CombosHoldTheirItemsAndValues) {
  struct Combo {
    int32_t control;
    std::vector<std::pair<std::string, int32_t>> items;
  };
  const Combo combos[] = {
      {ActionCombo, {{"关机", 1}, {"重启", 2}, {"注销", 3}, {"休眠", 4}, {"冬眠", 5}}},
      {UnitCombo, {{"小时后", 3600}, {"分钟后", 60}, {"秒后", 1}}},
      {HalfDayCombo, {{"上午", 12}, {"下午", 24}}},
  };
  // A list box of the default font, for the default item height.
  UniqueWindow reference(CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 50, 100,
                                         test::NativeWindow(MainWindow), nullptr, nullptr, nullptr));
  SendMessageW(reference.get(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  const LRESULT defaultItemHeight = SendMessageW(reference.get(), CB_GETITEMHEIGHT, 0, 0);

  for (const Combo& combo : combos) {
    HWND box = test::ControlWindow(MainWindow, combo.control);
    SCOPED_TRACE(MainWindow.controls[static_cast<std::size_t>(combo.control)].name);
    ASSERT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(combo.items.size()));
    for (std::size_t i = 0; i < combo.items.size(); ++i) {
      wchar_t item[64]{};
      SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
      EXPECT_EQ(test::Bytes(GbkFromWide(item)), combo.items[i].first);
      EXPECT_EQ(ComboItemValue(MainWindow, combo.control, static_cast<int32_t>(i)), combo.items[i].second);
    }
    EXPECT_EQ(ComboItemValue(MainWindow, combo.control, -1), -1);
    EXPECT_EQ(ComboItemValue(MainWindow, combo.control, static_cast<int32_t>(combo.items.size())), -1);
    EXPECT_EQ(GetIntProperty(MainWindow, combo.control, kSelection), 0);
    EXPECT_EQ(GetWindowLongPtrW(box, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(SendMessageW(box, CB_GETITEMHEIGHT, 0, 0), defaultItemHeight + 1);
  }
}

LOGFONTW FontOf(int32_t control) {
  LOGFONTW font{};
  auto handle = reinterpret_cast<HFONT>(SendMessageW(test::ControlWindow(MainWindow, control), WM_GETFONT, 0, 0));
  GetObjectW(handle, sizeof font, &font);
  return font;
}

TEST_F(MainWindowForm, FontsColoursBordersAndLimits) {
  const LOGFONTW about = FontOf(AboutButton);
  EXPECT_STREQ(about.lfFaceName, L"宋体");
  EXPECT_EQ(about.lfHeight, -12);
  EXPECT_EQ(about.lfWeight, 400);
  EXPECT_EQ(about.lfCharSet, GB2312_CHARSET);
  const LOGFONTW remaining = FontOf(RemainingEdit);
  EXPECT_STREQ(remaining.lfFaceName, L"新宋体");
  EXPECT_EQ(remaining.lfHeight, -14);
  EXPECT_EQ(remaining.lfWeight, 700);
  LOGFONTW guiFont{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof guiFont, &guiFont);
  EXPECT_STREQ(FontOf(StartStopButton).lfFaceName, guiFont.lfFaceName);

  struct Edit {
    int32_t control;
    COLORREF text, background;
    bool sunken, thin, centred;
  };
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const Edit edits[] = {
      {CountEdit, RGB(0, 0, 0), RGB(255, 255, 255), true, false, false},
      {HourEdit, RGB(0, 0, 0), RGB(255, 255, 255), true, false, false},
      {MinuteEdit, RGB(0, 0, 0), RGB(255, 255, 255), true, false, false},
      {NowEdit, RGB(255, 0, 0), face, false, true, true},
      {RemainingEdit, RGB(0, 0, 0), face, false, false, true},
  };
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  for (const Edit& e : edits) {
    HWND edit = test::ControlWindow(MainWindow, e.control);
    SCOPED_TRACE(MainWindow.controls[static_cast<std::size_t>(e.control)].name);
    // What the edit box gets when it asks its parent for its colours.
    const UINT ask = IsWindowEnabled(edit) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
    EXPECT_NE(SendMessageW(GetParent(edit), ask, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(edit)), 0);
    EXPECT_EQ(GetTextColor(dc.get()), e.text);
    EXPECT_EQ(GetBkColor(dc.get()), e.background);
    EXPECT_EQ((GetWindowLongPtrW(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0, e.sunken);
    // An edit box draws a thin border itself inside its client area (it takes WS_BORDER out
    // of its style; the sunken edge lies outside): look at the client area's left edge.
    // Painted now, not at whatever time a loaded machine gets round to it.
    RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    RECT client{};
    GetClientRect(edit, &client);
    WindowDc editDc(edit);
    const COLORREF edge = GetPixel(editDc.get(), 0, client.bottom / 2);
    EXPECT_EQ(edge != e.background, e.thin) << std::hex << edge;
    EXPECT_EQ((GetWindowLongPtrW(edit, GWL_STYLE) & ES_CENTER) != 0, e.centred);
  }
  EXPECT_EQ(SendMessageW(test::ControlWindow(MainWindow, CountEdit), EM_GETLIMITTEXT, 0, 0), 3);
}

TEST_F(MainWindowForm, TextsShowInChineseWhateverTheCodePage) {
  EXPECT_EQ(test::WideText(test::ControlWindow(MainWindow, StartStopButton)), L"启动定时器(&E)");
  EXPECT_EQ(test::WideText(test::ControlWindow(MainWindow, RemainingEdit)), L"定时器已停止");
  EXPECT_EQ(test::WideText(test::ControlWindow(MainWindow, ConfigGroup)), L"配置");
  // Labels draw "&" as written; buttons underline the letter after it.
  EXPECT_TRUE(GetWindowLongPtrW(test::ControlWindow(MainWindow, ActionLabel), GWL_STYLE) & SS_NOPREFIX);
}

// The start button's access key follows its caption: pressed on the real window, Alt+E starts
// the schedule, and once the caption says so, Alt+D stops it; the letter of the other caption
// does nothing.
TEST_F(MainWindowKeysTest, AltEStartsTheScheduleAndAltDStopsIt) {
  test::Activate(MainWindow);
  auto running = [] { return test::Period(CountdownTimer) > 0; };
  auto press = [](WORD letter) {
    test::PressKeys({VK_MENU, letter});
    // SendInput has queued the keys by now: handled once no input is left in the queue.
    EXPECT_TRUE(test::PumpUntil([] { return HIWORD(GetQueueStatus(QS_INPUT)) == 0; }, 10000));
  };

  press('D');
  EXPECT_FALSE(running()) << "Alt+D started the schedule";
  test::PressKeys({VK_MENU, 'E'});
  ASSERT_TRUE(test::PumpUntil(running, 10000)) << "Alt+E did not start the schedule";
  EXPECT_EQ(test::Caption(), "停止定时器(&D)");

  press('E');
  EXPECT_TRUE(running()) << "Alt+E stopped the running schedule";
  test::PressKeys({VK_MENU, 'D'});
  ASSERT_TRUE(test::PumpUntil([&] { return !running(); }, 10000)) << "Alt+D did not stop the schedule";
  EXPECT_EQ(test::Caption(), "启动定时器(&E)");
}

}  // namespace
}  // namespace tamrivo
