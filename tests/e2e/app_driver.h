// Drives a running tamrivo.exe from another process of the same Wine prefix, the way a user
// and the shell reach it: window messages, input, the tray callback. What it reads back it
// reads from the screen and from the windows, never from inside the program.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tamrivo::e2e {

// Polls the condition every 20 ms until it holds or the time (in ms) is up.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeout = 5000) {
  const ULONGLONG end = GetTickCount64() + timeout;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(20);
  }
}

// The text of a window of another process (WM_GETTEXT: GetWindowTextW does not read another
// process's controls).
std::wstring TextOf(HWND window);

// The directory this driver runs from; the programs it starts lie beside it.
std::wstring DriverDirectory();

// A process started by the driver; ended by force if it is still running when this goes.
class ChildProcess {
 public:
  // Starts the program in its own directory, with the driver's environment plus the
  // variables given as "NAME=value". False when CreateProcessW failed.
  bool Start(const std::wstring& program, const std::wstring& arguments = L"",
             const std::vector<std::wstring>& environment = {});
  ~ChildProcess();

  DWORD id() const { return info_.dwProcessId; }
  bool Running() const;
  void Terminate();
  // The exit code once the process has ended within the time, else nothing.
  std::optional<DWORD> WaitForExit(DWORD timeout);

 private:
  PROCESS_INFORMATION info_ = {};
};

// The control at that index of the window's form: the window layer numbers each control's
// window 1000 + its index.
HWND FindControl(HWND window, int index);

// A visible top-level window of the process with that class and title (either may be null).
HWND FindProcessWindow(DWORD process, const wchar_t* className, const wchar_t* title);

// The visible top-level windows of the process.
std::vector<HWND> VisibleWindowsOf(DWORD process);

// The buttons on the taskbar of the Wine desktop: its visible child buttons, one for each
// window that has a button there, and the start button.
int TaskbarButtonCount();

// The program's message box ("#32770") with that title, while it is open.
struct MessageBoxView {
  HWND box = nullptr;
  std::wstring text;
};
std::optional<MessageBoxView> WaitForMessageBox(DWORD process, const wchar_t* title,
                                                DWORD timeout = 5000);
// Presses the box's OK button as a click would, and waits until the box is gone.
bool PressOk(const MessageBoxView& box);

// Icons in the notification area of the Wine desktop's taskbar, counted from its pixels: the
// shell draws them right to left in slots of the small-icon size plus a border, and this
// counts the slots from the right edge that hold anything but the taskbar's background.
int TrayIconCount();

// Returns once the program has handled everything sent to `window` from this thread before the
// call (sent messages are handled in order). False when it did not answer within the time.
bool WaitForSentMessages(HWND window, DWORD timeout = 20000);
// Returns once the program's thread has handled every message posted to it before the call: a
// selection posted to one of its edit boxes behind them, and read back. The box must hold text.
bool WaitForPostedMessages(HWND edit, DWORD timeout = 20000);

// The tray callback as the shell sends it for a mouse action on the program's icon.
void SendTrayNotification(HWND window, UINT mouseMessage);

// The open pop-up menu window ("#32768") of the process, if any.
HWND FindPopUpMenu(DWORD process);

// The mouse pointer moved to a point of the screen.
void MoveMouseTo(POINT point);
// A left click at a point of the screen, by input as the mouse gives it.
void ClickAt(POINT point);
// A key pressed and released, by input as the keyboard gives it.
void PressKey(WORD virtualKey);

}  // namespace tamrivo::e2e
