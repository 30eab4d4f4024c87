#include "system/power.h"

#include <memory>
#include <type_traits>

#include "system/power_calls.h"

namespace tamrivo {
namespace {

PowerCalls g_powerCalls = RealPowerCalls();

constexpr UINT kShutdownFlags = EWX_SHUTDOWN;  // 1: Windows 95/98/Me cannot power off
constexpr UINT kPowerOffFlags = EWX_POWEROFF;  // 8
constexpr UINT kRebootFlags = EWX_REBOOT;      // 2
constexpr UINT kLogoffFlags = EWX_LOGOFF;      // 0
constexpr UINT kForceFlag = EWX_FORCE;         // 4

// Asked afresh each time rather than cached: the answer is cheap and keeps no state.
bool IsNtFamily() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  static_assert(sizeof(OSVERSIONINFOA) == 148);
  g_powerCalls.getVersionExA(&info);
  return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

struct TokenCloser {
  void operator()(HANDLE token) const { g_powerCalls.closeHandle(token); }
};
using UniqueToken = std::unique_ptr<std::remove_pointer_t<HANDLE>, TokenCloser>;

}  // namespace

PowerCalls RealPowerCalls() {
  return PowerCalls{
      .getVersionExA = ::GetVersionExA,
      .openProcessToken = ::OpenProcessToken,
      .lookupPrivilegeValueA = ::LookupPrivilegeValueA,
      .adjustTokenPrivileges = ::AdjustTokenPrivileges,
      .getLastError = ::GetLastError,
      .exitWindowsEx = ::ExitWindowsEx,
      .setSystemPowerState = ::SetSystemPowerState,
      .closeHandle = ::CloseHandle,
  };
}

PowerCalls SetPowerCalls(const PowerCalls& calls) {
  PowerCalls previous = g_powerCalls;
  g_powerCalls = calls;
  return previous;
}

bool EnableShutdownPrivilege() {
  if (!IsNtFamily()) return true;  // no privileges to enable before NT

  HANDLE rawToken = nullptr;
  if (!g_powerCalls.openProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                                     &rawToken)) {
    return false;
  }
  UniqueToken token(rawToken);

  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  // A failed look-up leaves the zero LUID, which the adjustment then rejects.
  g_powerCalls.lookupPrivilegeValueA(nullptr, "SeShutdownPrivilege",
                                     &privileges.Privileges[0].Luid);
  g_powerCalls.adjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
  // The result of the adjustment says nothing about whether the privilege was granted; only
  // the last error does (ERROR_NOT_ALL_ASSIGNED when the account lacks it). It is read before
  // the token is closed.
  return g_powerCalls.getLastError() == ERROR_SUCCESS;
}

bool PerformPowerAction(ActionCode code, bool force) {
  if (code < 1 || code > 5) return false;
  if (!EnableShutdownPrivilege()) return false;

  if (code == 4 || code == 5) {
    return g_powerCalls.setSystemPowerState(code == 4, force) != FALSE;
  }

  UINT flags = 0;
  switch (code) {
    case 1: flags = IsNtFamily() ? kPowerOffFlags : kShutdownFlags; break;
    case 2: flags = kRebootFlags; break;
    case 3: flags = kLogoffFlags; break;
  }
  if (force) flags |= kForceFlag;
  return g_powerCalls.exitWindowsEx(flags, 0) != FALSE;
}

}  // namespace tamrivo
