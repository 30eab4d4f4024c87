#include "ui/window_instance.h"

#include <algorithm>

namespace tamrivo {
namespace {

// The process-wide state of the layer: the loaded windows and whether the message loop runs.
struct LoadedWindowList {
  std::vector<std::unique_ptr<WindowInstance>> windows;
  uint64_t nextSerial = 1;
  bool loopRunning = false;
};

LoadedWindowList g_loaded;

}  // namespace

int32_t WindowInstance::ControlIndexOf(HWND window) const {
  for (HWND w = window; w && w != hwnd; w = GetAncestor(w, GA_PARENT)) {
    for (std::size_t i = 0; i < controls.size(); ++i) {
      if (controls[i].hwnd == w) return static_cast<int32_t>(i);
    }
  }
  return -1;
}

WindowInstance& AddInstance(const Form& form) {
  auto instance = std::make_unique<WindowInstance>();
  instance->form = &form;
  instance->serial = g_loaded.nextSerial++;
  g_loaded.windows.push_back(std::move(instance));
  return *g_loaded.windows.back();
}

void RemoveInstance(const WindowInstance& instance) {
  auto& windows = g_loaded.windows;
  auto found = std::find_if(windows.begin(), windows.end(),
                            [&](const auto& w) { return w.get() == &instance; });
  if (found == windows.end()) return;
  // Take it out of the list before it is freed, so nothing freed is found meanwhile.
  std::unique_ptr<WindowInstance> gone = std::move(*found);
  windows.erase(found);
  gone.reset();
  if (windows.empty() && g_loaded.loopRunning) PostQuitMessage(0);
}

WindowInstance* FindInstance(const Form& form) {
  for (const auto& w : g_loaded.windows) {
    if (w->form == &form) return w.get();
  }
  return nullptr;
}

WindowInstance* FindInstance(HWND window) {
  if (!window) return nullptr;
  HWND root = GetAncestor(window, GA_ROOT);
  for (const auto& w : g_loaded.windows) {
    if (w->hwnd && (w->hwnd == window || w->hwnd == root)) return w.get();
  }
  return nullptr;
}

WindowInstance* FindInstanceBySerial(uint64_t serial) {
  for (const auto& w : g_loaded.windows) {
    if (w->serial == serial) return w.get();
  }
  return nullptr;
}

bool AnyWindowLoaded() { return !g_loaded.windows.empty(); }

std::vector<HWND> LoadedWindows() {
  std::vector<HWND> result;
  for (const auto& w : g_loaded.windows) {
    if (w->hwnd) result.push_back(w->hwnd);
  }
  return result;
}

void RestoreDisabledWindows(WindowInstance& window) {
  const std::vector<DisabledWindow> disabled = std::move(window.disabledWindows);
  window.disabledWindows.clear();
  for (const DisabledWindow& d : disabled) {
    if (IsWindow(d.window)) EnableWindow(d.window, d.wasEnabled);
  }
}

void SetMessageLoopRunning(bool running) { g_loaded.loopRunning = running; }
bool MessageLoopRunning() { return g_loaded.loopRunning; }

}  // namespace tamrivo
