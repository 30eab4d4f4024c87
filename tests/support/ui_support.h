// Helpers for the window tests: a message pump that goes through the layer's own loop step,
// real keyboard and mouse input, access to the native windows behind a form, and a fatal-error
// platform that throws instead of ending the process.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "services/text.h"
#include "ui/form.h"

namespace tamrivo::test {

// Pumps messages through DispatchLoopMessage (keyboard handling first, as the program's loop
// does) until `done` or the timeout; true when `done` held. WM_QUIT is counted, not obeyed.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);
void PumpFor(int milliseconds);
// How many WM_QUIT messages the pumps have taken out of the queue so far.
int QuitMessagesSeen();

HWND NativeWindow(const Form& form);
HWND ControlWindow(const Form& form, int32_t control);

// Makes the window the active, foreground one (needed for SendInput) and waits for it.
void Activate(const Form& form);

// Destroys the form's window if it is loaded, and waits until it is gone.
void Unload(const Form& form);

// Real key input through SendInput: the keys are pressed in order and released in reverse.
void PressKeys(std::initializer_list<WORD> keys);
// A left click at a point of the window's client area, as real mouse input.
void ClickAt(HWND window, int x, int y);

// The control that has the focus, or -1.
int32_t FocusedControl(const Form& form);

std::string Bytes(const OwnedText& text);  // "" for the empty text
std::wstring WideText(HWND window);

// Records the calls of test handlers, in order.
std::vector<std::string>& EventLog();

// While alive, ReportFatalError throws FatalExit instead of ending the process.
struct FatalExit {
  std::string shownText;
  int exitCode;
};
class FatalErrorCatcher {
 public:
  FatalErrorCatcher();
  ~FatalErrorCatcher();
  FatalErrorCatcher(const FatalErrorCatcher&) = delete;
  FatalErrorCatcher& operator=(const FatalErrorCatcher&) = delete;
};
// The text ReportFatalError shows for the message.
std::string FatalText(const std::string& message);

}  // namespace tamrivo::test
