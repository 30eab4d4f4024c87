// MainWindow as a whole: its themed look, its clock line, its close request, its tray icon
// and the Exit item of the tray menu. Closing the window hides it into the tray; only Exit
// ends the program.
#include "app/main_window_events.h"

#include "app/handlers.h"
#include "services/datetime.h"
#include "ui/process.h"
#include "system/resources.h"
#include "ui/tray.h"
#include "app/forms/main_window.h"
#include "ui/message_loop.h"
#include "ui/visual_style.h"
#include "ui/window.h"

namespace tamrivo {

int32_t ProgramMain() {
  InitializeRuntime();
  LoadStartWindow(MainWindow);
  RunMessageLoop();
  return 0;
}

// Before the first show, so the window never appears in the classic look. The look stays on
// for every later window: AboutWindow, message boxes.
void MainWindowCreated() { SetVisualStyle(1); }

void ClockTick() {
  OwnedText now = FormatDateTime(CurrentDateTime());
  SetControlProperty(MainWindow, NowEdit, kText, now.c_str());
}

bool CloseRequested() {
  ShowMessage("程序将会缩小到托盘\r\n要退出请在托盘图标处右键选择", 64);
  // Without an icon in the tray a hidden window could never be shown or ended again.
  if (SetTrayIcon(MainWindow, TrayIconBytes(), "Tamrivo")) {
    SetControlProperty(MainWindow, kWindowItself, kVisible, 0);
  }
  return false;
}

void TrayNotified(int32_t type) {
  if (type == 2) {
    SetControlProperty(MainWindow, kWindowItself, kVisible, 1);
  } else if (type == 3) {
    PopUpTrayMenu(MainWindow, TrayMenu);
  }
}

void ExitSelected() { RequestDestroy(MainWindow); }

}  // namespace tamrivo
