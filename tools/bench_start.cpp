// Starts a program and prints how many milliseconds passed until its first visible top-level
// window, for scripts/bench. The program is left running; the script measures it further and
// ends it.
//
//     bench_start.exe PROGRAM.exe        prints e.g. "312.4"; exit code 1 when no window showed
#include <windows.h>

#include <cstdio>
#include <string>

#include "app_driver.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_start PROGRAM.exe\n");
    return 2;
  }
  std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  LARGE_INTEGER started, ended;
  QueryPerformanceCounter(&started);
  if (!CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "bench_start: cannot start the program (%lu)\n", GetLastError());
    return 1;
  }
  // Polled every millisecond: the waiting costs a little CPU beside the starting program,
  // the same for every program measured.
  bool shown = false;
  const ULONGLONG deadline = GetTickCount64() + 30000;
  while (!shown && GetTickCount64() < deadline &&
         WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
    shown = tamrivo::e2e::FindProcessWindow(process.dwProcessId, nullptr, nullptr) != nullptr;
  }
  QueryPerformanceCounter(&ended);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (!shown) {
    std::fprintf(stderr, "bench_start: no visible window\n");
    return 1;
  }
  std::printf("%.1f\n", Milliseconds(started, ended));
  return 0;
}
