// The Windows calls behind the power actions, as one replaceable table. The program always
// uses the real functions; tests install recording stand-ins so that no test can shut the
// machine down, and the scope object puts the previous table back.
#pragma once

#include <windows.h>

namespace tamrivo {

struct PowerCalls {
  BOOL(WINAPI* getVersionExA)(LPOSVERSIONINFOA info);
  BOOL(WINAPI* openProcessToken)(HANDLE process, DWORD access, PHANDLE token);
  BOOL(WINAPI* lookupPrivilegeValueA)(LPCSTR systemName, LPCSTR name, PLUID luid);
  BOOL(WINAPI* adjustTokenPrivileges)(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES newState,
                                      DWORD bufferLength, PTOKEN_PRIVILEGES previousState,
                                      PDWORD returnLength);
  DWORD(WINAPI* getLastError)();
  BOOL(WINAPI* exitWindowsEx)(UINT flags, DWORD reason);
  BOOL(WINAPI* setSystemPowerState)(BOOL suspend, BOOL force);
  BOOL(WINAPI* closeHandle)(HANDLE handle);
};

// The real Windows functions.
PowerCalls RealPowerCalls();

// Installs a table and returns the one it replaces.
PowerCalls SetPowerCalls(const PowerCalls& calls);

// Installs a table for the lifetime of the object.
class ScopedPowerCalls {
 public:
  explicit ScopedPowerCalls(const PowerCalls& calls) : previous_(SetPowerCalls(calls)) {}
  ~ScopedPowerCalls() { SetPowerCalls(previous_); }
  ScopedPowerCalls(const ScopedPowerCalls&) = delete;
  ScopedPowerCalls& operator=(const ScopedPowerCalls&) = delete;

 private:
  PowerCalls previous_;
};

}  // namespace tamrivo
