// MainWindow: the program's start-up window and its only working surface.
#pragma once

#include <cstdint>

#include "ui/form.h"

namespace tamrivo {

extern const Form MainWindow;

// The controls in form order: the first lies on top; reversed, the order gives Tab.
enum MainWindowControl : int32_t {
  AdView,           // 超文本浏览框1
  AboutButton,      // 按钮5
  AtTimeTimer,      // 时钟3
  CountdownTimer,   // 时钟2
  MinuteLabel,      // 标签4
  NowEdit,          // 编辑框6
  ClockTimer,       // 时钟1
  MinuteSpinner,    // 调节器3
  FlashCheck,       // 选择框2
  MinuteEdit,       // 编辑框4
  HourLabel,        // 标签2
  HourSpinner,      // 调节器2
  HalfDayCombo,     // 组合框3
  HourEdit,         // 编辑框3
  AtTimeRadio,      // 单选框2
  UnitCombo,        // 组合框2
  CountSpinner,     // 调节器1
  CountEdit,        // 编辑框2
  CountdownRadio,   // 单选框1
  ActionCombo,      // 组合框1
  ActionLabel,      // 标签1
  RemainingEdit,    // 编辑框1
  StartStopButton,  // 按钮1
  ConfigGroup,      // 分组框1
  RemainingGroup,   // 分组框2
  kMainWindowControlCount
};

// The window's menu items, in order. TrayMenu is a hidden top-level item: no menu bar, its
// items are the tray icon's pop-up menu.
enum MainWindowMenuItem : int32_t {
  TrayMenu,
  ExitItem,
  TrayMenuSeparator,
  AboutItem,
  kMainWindowMenuItemCount
};

}  // namespace tamrivo
