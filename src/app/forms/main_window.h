// MainWindow: the program's start-up window and its only working surface.
#pragma once

#include <cstdint>

#include "ui/form.h"

namespace tamrivo {

extern const Form MainWindow;

// The controls in form order: the first lies on top; reversed, the order gives Tab. The list
// gives both the enumeration and the names that the form's rows are checked against when it
// compiles, so a row out of its place fails the build.
#define TAMRIVO_MAIN_WINDOW_CONTROLS(ROW) \
  ROW(AdView)           /* 超文本浏览框1 */ \
  ROW(AboutButton)      /* 按钮5 */ \
  ROW(AtTimeTimer)      /* 时钟3 */ \
  ROW(CountdownTimer)   /* 时钟2 */ \
  ROW(MinuteLabel)      /* 标签4 */ \
  ROW(NowEdit)          /* 编辑框6 */ \
  ROW(ClockTimer)       /* 时钟1 */ \
  ROW(MinuteSpinner)    /* 调节器3 */ \
  ROW(FlashCheck)       /* 选择框2 */ \
  ROW(MinuteEdit)       /* 编辑框4 */ \
  ROW(HourLabel)        /* 标签2 */ \
  ROW(HourSpinner)      /* 调节器2 */ \
  ROW(HalfDayCombo)     /* 组合框3 */ \
  ROW(HourEdit)         /* 编辑框3 */ \
  ROW(AtTimeRadio)      /* 单选框2 */ \
  ROW(UnitCombo)        /* 组合框2 */ \
  ROW(CountSpinner)     /* 调节器1 */ \
  ROW(CountEdit)        /* 编辑框2 */ \
  ROW(CountdownRadio)   /* 单选框1 */ \
  ROW(ActionCombo)      /* 组合框1 */ \
  ROW(ActionLabel)      /* 标签1 */ \
  ROW(RemainingEdit)    /* 编辑框1 */ \
  ROW(StartStopButton)  /* 按钮1 */ \
  ROW(ConfigGroup)      /* 分组框1 */ \
  ROW(RemainingGroup)   /* 分组框2 */

enum MainWindowControl : int32_t {
#define TAMRIVO_ENUMERATOR(name) name,
  TAMRIVO_MAIN_WINDOW_CONTROLS(TAMRIVO_ENUMERATOR)
  kMainWindowControlCount
};

// The window's menu items, in order. TrayMenu is a hidden top-level item: no menu bar, its
// items are the tray icon's pop-up menu.
#define TAMRIVO_MAIN_WINDOW_MENU(ROW) \
  ROW(TrayMenu) \
  ROW(ExitItem) \
  ROW(TrayMenuSeparator) \
  ROW(AboutItem)

enum MainWindowMenuItem : int32_t {
  TAMRIVO_MAIN_WINDOW_MENU(TAMRIVO_ENUMERATOR)
  kMainWindowMenuItemCount
};
#undef TAMRIVO_ENUMERATOR

}  // namespace tamrivo
