#include "ui_support.h"

#include "services/fatal.h"
#include "ui/controls.h"
#include "ui/message_loop.h"
#include "ui/window.h"
#include "ui/window_instance.h"

namespace tamrivo::test {
namespace {

int g_quitMessages = 0;
std::vector<std::string> g_eventLog;
std::string g_fatalText;
FatalErrorPlatform g_previousFatalPlatform{};

void RecordFatalBox(const char* text, const char*) { g_fatalText = text ? text : ""; }
[[noreturn]] void ThrowFatalExit(int exitCode) { throw FatalExit{g_fatalText, exitCode}; }

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    MSG message;
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        ++g_quitMessages;
        continue;
      }
      DispatchLoopMessage(message);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
}

void PumpFor(int milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

int QuitMessagesSeen() { return g_quitMessages; }

HWND NativeWindow(const Form& form) {
  WindowInstance* instance = FindInstance(form);
  return instance ? instance->hwnd : nullptr;
}

HWND ControlWindow(const Form& form, int32_t control) {
  WindowInstance* instance = FindInstance(form);
  return instance ? instance->controls.at(static_cast<std::size_t>(control)).hwnd : nullptr;
}

void Activate(const Form& form) {
  HWND hwnd = NativeWindow(form);
  SetForegroundWindow(hwnd);
  PumpUntil([&] { return GetForegroundWindow() == hwnd && GetActiveWindow() == hwnd; }, 2000);
  PumpFor(50);
}

void Unload(const Form& form) {
  if (!IsWindowLoaded(form)) return;
  DestroyWindow(NativeWindow(form));
  PumpUntil([&] { return !IsWindowLoaded(form); });
}

void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) inputs.push_back(KeyInput(key, false));
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) inputs.push_back(KeyInput(*key, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  // Until the last key-up has reached the thread's key state.
  const WORD last = *keys.begin();
  PumpUntil([&] { return GetKeyState(last) >= 0 && GetQueueStatus(QS_INPUT) == 0; }, 1000);
  PumpFor(30);
}

void ClickAt(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  // Move, press and release in one batch of real input, all at the same place, so the click
  // cannot land where the pointer was before.
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT inputs[3]{};
  const DWORD flags[] = {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
  for (int i = 0; i < 3; ++i) {
    inputs[i].type = INPUT_MOUSE;
    inputs[i].mi.dx = (point.x * 65536 + width - 1) / width;
    inputs[i].mi.dy = (point.y * 65536 + height - 1) / height;
    inputs[i].mi.dwFlags = flags[i] | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  }
  SendInput(3, inputs, sizeof(INPUT));
  PumpUntil([] { return GetQueueStatus(QS_INPUT) == 0 && GetKeyState(VK_LBUTTON) >= 0; }, 1000);
  // Far enough apart that two clicks never make a double click.
  PumpFor(static_cast<int>(GetDoubleClickTime()) + 20);
}

int32_t FocusedControl(const Form& form) {
  WindowInstance* instance = FindInstance(form);
  return instance ? instance->ControlIndexOf(GetFocus()) : -1;
}

std::string Bytes(const OwnedText& text) { return std::string(text.view()); }

std::wstring WideText(HWND window) { return NativeText(window); }

std::vector<std::string>& EventLog() { return g_eventLog; }

FatalErrorCatcher::FatalErrorCatcher() {
  g_fatalText.clear();
  g_previousFatalPlatform = SetFatalErrorPlatform({RecordFatalBox, ThrowFatalExit});
}

FatalErrorCatcher::~FatalErrorCatcher() { SetFatalErrorPlatform(g_previousFatalPlatform); }

std::string FatalText(const std::string& message) {
  return "运行时出错!\r\n\r\n错误信息：" + message + "\r\n";
}

}  // namespace tamrivo::test
