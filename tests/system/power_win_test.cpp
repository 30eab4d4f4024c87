#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "system/power.h"
#include "system/power_calls.h"

namespace tamrivo {
namespace {

// What the stand-ins answer, and what they saw, as one line per call. Lines carry the
// arguments that matter, so a wrong flag, a wrong order or a missing close shows in the diff.
struct FakeSystem {
  DWORD platformId = VER_PLATFORM_WIN32_NT;
  bool tokenOpens = true;
  DWORD lastErrorAfterAdjust = ERROR_SUCCESS;
  BOOL requestResult = TRUE;
  std::vector<std::string> log;
};
FakeSystem* g_fake = nullptr;

const HANDLE kToken = reinterpret_cast<HANDLE>(0x5A5A);
const LUID kShutdownLuid = {.LowPart = 19, .HighPart = 0};

BOOL WINAPI FakeGetVersionExA(LPOSVERSIONINFOA info) {
  OSVERSIONINFOA clean = {};
  clean.dwOSVersionInfoSize = 148;
  bool asExpected = memcmp(info, &clean, sizeof clean) == 0;
  g_fake->log.push_back(asExpected ? "version" : "version with a dirty record");
  info->dwPlatformId = g_fake->platformId;
  return TRUE;
}

BOOL WINAPI FakeOpenProcessToken(HANDLE process, DWORD access, PHANDLE token) {
  g_fake->log.push_back("open " + std::to_string(access) +
                        (process == GetCurrentProcess() ? " own" : " other"));
  if (!g_fake->tokenOpens) return FALSE;
  *token = kToken;
  return TRUE;
}

BOOL WINAPI FakeLookupPrivilegeValueA(LPCSTR systemName, LPCSTR name, PLUID luid) {
  g_fake->log.push_back(std::string("lookup ") + (systemName ? systemName : "local") + " " + name);
  *luid = kShutdownLuid;
  return TRUE;
}

BOOL WINAPI FakeAdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state,
                                      DWORD length, PTOKEN_PRIVILEGES previous,
                                      PDWORD returnLength) {
  bool asExpected = token == kToken && !disableAll && state && state->PrivilegeCount == 1 &&
                    state->Privileges[0].Luid.LowPart == kShutdownLuid.LowPart &&
                    state->Privileges[0].Luid.HighPart == kShutdownLuid.HighPart &&
                    state->Privileges[0].Attributes == SE_PRIVILEGE_ENABLED && length == 0 &&
                    !previous && !returnLength;
  g_fake->log.push_back(asExpected ? "adjust" : "adjust with wrong arguments");
  return TRUE;
}

DWORD WINAPI FakeGetLastError() {
  g_fake->log.push_back("last error");
  return g_fake->lastErrorAfterAdjust;
}

BOOL WINAPI FakeExitWindowsEx(UINT flags, DWORD reason) {
  g_fake->log.push_back("exit " + std::to_string(flags) + " " + std::to_string(reason));
  return g_fake->requestResult;
}

BOOL WINAPI FakeSetSystemPowerState(BOOL suspend, BOOL force) {
  g_fake->log.push_back(std::string("power suspend=") + (suspend ? "1" : "0") +
                        " force=" + (force ? "1" : "0"));
  return g_fake->requestResult;
}

BOOL WINAPI FakeCloseHandle(HANDLE handle) {
  g_fake->log.push_back(handle == kToken ? "close token" : "close other");
  return TRUE;
}

// Installs the stand-ins for one test and removes them again.
class FakePowerScope {
 public:
  explicit FakePowerScope(FakeSystem& fake)
      : calls_({
            .getVersionExA = FakeGetVersionExA,
            .openProcessToken = FakeOpenProcessToken,
            .lookupPrivilegeValueA = FakeLookupPrivilegeValueA,
            .adjustTokenPrivileges = FakeAdjustTokenPrivileges,
            .getLastError = FakeGetLastError,
            .exitWindowsEx = FakeExitWindowsEx,
            .setSystemPowerState = FakeSetSystemPowerState,
            .closeHandle = FakeCloseHandle,
        }) {
    g_fake = &fake;
  }
  ~FakePowerScope() { g_fake = nullptr; }

 private:
  ScopedPowerCalls calls_;
};

using Log = std::vector<std::string>;

// The privilege step on the NT family, as it must run before every request there.
const Log kPrivilege = {"version", "open 40 own", "lookup local SeShutdownPrivilege", "adjust",
                        "last error", "close token"};

Log Then(Log first, const Log& rest) {
  first.insert(first.end(), rest.begin(), rest.end());
  return first;
}

struct RequestCase {
  const char* what;
  ActionCode code;
  bool force;
  DWORD platformId;
  Log expected;
};

TEST(PerformPowerAction, SendsOneRequestWithTheFlagsOfTheAction) {
  const DWORD nt = VER_PLATFORM_WIN32_NT;
  const DWORD win9x = VER_PLATFORM_WIN32_WINDOWS;
  const RequestCase cases[] = {
      {"shut down, NT, forced", 1, true, nt, Then(kPrivilege, {"version", "exit 12 0"})},
      {"shut down, NT", 1, false, nt, Then(kPrivilege, {"version", "exit 8 0"})},
      // Before NT there is no token, and no power-off flag.
      {"shut down, 9x, forced", 1, true, win9x, {"version", "version", "exit 5 0"}},
      {"shut down, 9x", 1, false, win9x, {"version", "version", "exit 1 0"}},
      {"restart, forced", 2, true, nt, Then(kPrivilege, {"exit 6 0"})},
      {"restart", 2, false, nt, Then(kPrivilege, {"exit 2 0"})},
      {"restart, 9x", 2, true, win9x, {"version", "exit 6 0"}},
      {"log off, forced", 3, true, nt, Then(kPrivilege, {"exit 4 0"})},
      {"log off", 3, false, nt, Then(kPrivilege, {"exit 0 0"})},
      {"stand by, forced", 4, true, nt, Then(kPrivilege, {"power suspend=1 force=1"})},
      {"stand by", 4, false, nt, Then(kPrivilege, {"power suspend=1 force=0"})},
      {"hibernate, forced", 5, true, nt, Then(kPrivilege, {"power suspend=0 force=1"})},
      {"hibernate", 5, false, nt, Then(kPrivilege, {"power suspend=0 force=0"})},
      {"hibernate, 9x", 5, true, win9x, {"version", "power suspend=0 force=1"}},
  };
  for (const RequestCase& c : cases) {
    SCOPED_TRACE(c.what);
    FakeSystem fake{.platformId = c.platformId};
    FakePowerScope scope(fake);
    EXPECT_TRUE(PerformPowerAction(c.code, c.force));
    EXPECT_EQ(fake.log, c.expected);
  }
}

TEST(PerformPowerAction, ForceIsOffWhenOmitted) {
  FakeSystem fake;
  FakePowerScope scope(fake);
  PerformPowerAction(1);
  PerformPowerAction(4);
  EXPECT_EQ(fake.log[kPrivilege.size() + 1], "exit 8 0");
  EXPECT_EQ(fake.log.back(), "power suspend=1 force=0");
}

TEST(PerformPowerAction, ReportsARefusedRequest) {
  for (ActionCode code : {1, 2, 3, 4, 5}) {
    SCOPED_TRACE(code);
    FakeSystem fake{.requestResult = FALSE};
    FakePowerScope scope(fake);
    EXPECT_FALSE(PerformPowerAction(code, true));
  }
}

TEST(PerformPowerAction, InvalidCodeTouchesNothing) {
  for (ActionCode code : {0, -1, 6, INT32_MIN, INT32_MAX}) {
    SCOPED_TRACE(code);
    FakeSystem fake;
    FakePowerScope scope(fake);
    EXPECT_FALSE(PerformPowerAction(code, true));
    EXPECT_EQ(fake.log, Log{});
  }
}

struct PrivilegeFailure {
  const char* what;
  bool tokenOpens;
  DWORD lastError;
  Log expected;
};

TEST(PerformPowerAction, NoRequestWhenThePrivilegeCannotBeEnabled) {
  const PrivilegeFailure failures[] = {
      {"token does not open", false, ERROR_SUCCESS, {"version", "open 40 own"}},
      {"account lacks the privilege", true, ERROR_NOT_ALL_ASSIGNED, kPrivilege},
      {"adjustment failed", true, ERROR_INVALID_HANDLE, kPrivilege},
  };
  for (const PrivilegeFailure& f : failures) {
    for (ActionCode code : {1, 3, 4}) {
      SCOPED_TRACE(testing::Message() << f.what << ", code " << code);
      FakeSystem fake{.tokenOpens = f.tokenOpens, .lastErrorAfterAdjust = f.lastError};
      FakePowerScope scope(fake);
      EXPECT_FALSE(EnableShutdownPrivilege());
      EXPECT_EQ(fake.log, f.expected);
      fake.log.clear();
      EXPECT_FALSE(PerformPowerAction(code, true));
      EXPECT_EQ(fake.log, f.expected);
    }
  }
}

TEST(EnableShutdownPrivilege, NothingToDoBeforeNt) {
  FakeSystem fake{.platformId = VER_PLATFORM_WIN32_WINDOWS, .tokenOpens = false};
  FakePowerScope scope(fake);
  EXPECT_TRUE(EnableShutdownPrivilege());
  EXPECT_EQ(fake.log, Log{"version"});
}

TEST(PowerCalls, ScopePutsTheRealFunctionsBack) {
  {
    FakeSystem fake;
    FakePowerScope scope(fake);
  }
  PowerCalls active = SetPowerCalls(RealPowerCalls());
  EXPECT_EQ(active.exitWindowsEx, RealPowerCalls().exitWindowsEx);
  EXPECT_EQ(active.setSystemPowerState, RealPowerCalls().setSystemPowerState);
}

// The privilege step is harmless to run for real (it requests nothing), and it checks that
// the real table reaches the system: Wine grants the privilege.
TEST(EnableShutdownPrivilege, SucceedsWithTheRealSystem) { EXPECT_TRUE(EnableShutdownPrivilege()); }

}  // namespace
}  // namespace tamrivo
