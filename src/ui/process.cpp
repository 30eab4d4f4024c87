#include "ui/process.h"

#include <windows.h>
#include <ole2.h>

#include <string>
#include <utility>

#include "services/fatal.h"
#include "system/windows_clock.h"
#include "ui/service_window.h"
#include "ui/text_encoding.h"
#include "ui/tray.h"
#include "ui/window.h"
#include "ui/window_instance.h"

namespace tamrivo {
namespace {

void RealExitProcess(uint32_t exitCode) { ExitProcess(exitCode); }

// The process-wide state of start and exit. Flags are cleared as their step is undone, so
// that a second pass of the exit sequence finds nothing left to do.
struct ProcessState {
  bool oleInitialized = false;
  void (*endHook)() = nullptr;
  ProcessExit exit = {RealExitProcess};
};
ProcessState g_process;

// The directory of the executable: the full path up to its last backslash. A program in the
// root of a drive keeps the backslash, since "C:" alone names the drive's current directory.
std::wstring ProgramDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // truncated: a long path
  }
  size_t slash = path.rfind(L'\\');
  if (slash == std::wstring::npos) return {};
  if (slash == 2 && path[1] == L':') ++slash;
  path.resize(slash);
  return path;
}

// Every step of the exit sequence after the end hook.
void ReleaseRuntime() {
  DestroyServiceWindow();
  if (std::exchange(g_process.oleInitialized, false)) OleUninitialize();
}

void ShowFatalBox(const char* text, const char* caption) {
  MessageBoxW(nullptr, WideFromGbk(text).c_str(), WideFromGbk(caption).c_str(),
              MB_ICONSTOP | MB_OK);
}

// A fatal error skips the program's end hook and ends with the given code (-1).
void EndAfterFatalError(int exitCode) {
  g_process.endHook = nullptr;
  // The windows are not destroyed on this path, so their icons would stay in the tray.
  for (HWND window : LoadedWindows()) {
    if (const WindowInstance* instance = FindInstance(window)) RemoveTrayIcon(*instance->form);
  }
  ReleaseRuntime();
  g_process.exit.exitProcess(static_cast<uint32_t>(exitCode));
}

}  // namespace

void InitializeRuntime() {
  if (!g_process.oleInitialized) g_process.oleInitialized = SUCCEEDED(OleInitialize(nullptr));
  std::wstring directory = ProgramDirectory();
  if (!directory.empty()) SetCurrentDirectoryW(directory.c_str());
  CreateServiceWindow();
  SetFatalErrorPlatform({ShowFatalBox, EndAfterFatalError});
  SetLocalClock(kWindowsClock);
}

void SetProcessEndHook(void (*hook)()) { g_process.endHook = hook; }

void LoadStartWindow(const Form& form) {
  if (!LoadWindow(form)) ReportFatalError("载入启动窗口失败");
}

int32_t EndProcess(int32_t exitCode) {
  if (auto hook = std::exchange(g_process.endHook, nullptr)) hook();
  ReleaseRuntime();
  g_process.exit.exitProcess(static_cast<uint32_t>(exitCode));
  return exitCode;
}

ProcessExit SetProcessExit(const ProcessExit& exit) {
  return std::exchange(g_process.exit, exit);
}

}  // namespace tamrivo
