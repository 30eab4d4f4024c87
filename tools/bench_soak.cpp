// The soak of scripts/bench: the real MainWindow, driven fast through the window layer with
// the power requests recorded instead of made. Countdowns of 999 seconds run one after another,
// each tick sent to the window as the timer's own message, with a full repaint of the window
// and its controls every fifth tick. Prints the memory the process holds after a warm-up and
// after the soak; the growth between them is the figure.
//
//     bench_soak.exe [TICKS [REPAINTS]]       default 100000 and 20000
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>

#include "main_window_support.h"
#include "ui/process.h"
#include "ui/controls.h"
#include "app/forms/main_window.h"
#include "ui/message_loop.h"
#include "ui/window.h"
#include "ui/window_instance.h"

namespace tamrivo {
namespace {

size_t WorkingSet() {
  PROCESS_MEMORY_COUNTERS counters = {sizeof counters};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.WorkingSetSize;
}

void PumpPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchLoopMessage(message);
}

void StartCountdown() {
  test::Type(CountEdit, "999");
  test::Select(UnitCombo, 2);  // seconds
  test::Press();
}

// Ticks as the timer delivers them, starting the next countdown whenever one has fired.
void Drive(HWND window, long ticks, long repaints) {
  const long repaintEvery = repaints > 0 ? (ticks + repaints - 1) / repaints : 0;
  long repainted = 0;
  for (long i = 0; i < ticks; ++i) {
    if (test::Period(CountdownTimer) == 0) StartCountdown();
    SendMessageW(window, WM_TIMER, TimerIdOf(CountdownTimer), 0);
    if (repaintEvery && i % repaintEvery == 0 && repainted < repaints) {
      RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      ++repainted;
    }
    if (i % 256 == 0) PumpPending();
  }
  PumpPending();
}

}  // namespace
}  // namespace tamrivo

int main(int argc, char** argv) {
  using namespace tamrivo;
  const long ticks = argc > 1 ? std::atol(argv[1]) : 100000;
  const long repaints = argc > 2 ? std::atol(argv[2]) : 20000;
  InitializeRuntime();
  test::InstallRecordingPowerCalls();
  if (!LoadWindow(MainWindow)) return 1;
  HWND window = FindInstance(MainWindow)->hwnd;

  Drive(window, 2000, 400);  // first use of every path: caches, fonts, lazy allocations
  const size_t before = WorkingSet();
  test::PowerRequests().clear();
  const ULONGLONG started = GetTickCount64();
  Drive(window, ticks, repaints);
  const ULONGLONG took = GetTickCount64() - started;
  const size_t after = WorkingSet();

  std::printf("ticks %ld repaints %ld fired %zu seconds %.1f\n", ticks, repaints,
              test::PowerRequests().size(), static_cast<double>(took) / 1000.0);
  std::printf("working set before %zu after %zu growth %lld\n", before, after,
              static_cast<long long>(after) - static_cast<long long>(before));
  std::fflush(stdout);
  RequestDestroy(MainWindow);
  PumpPending();
  return 0;
}
