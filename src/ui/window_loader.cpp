// LoadWindow: a form becomes a live window with its controls, icons and menu; created, moved
// and resized are raised; a modal loading holds the other windows disabled and runs its own
// loop until the window is gone.
#include <windows.h>

#include "ui/controls.h"
#include "ui/menu.h"
#include "ui/message_loop.h"
#include "ui/text_encoding.h"
#include "ui/window.h"
#include "ui/window_icon.h"
#include "ui/window_instance.h"
#include "ui/window_proc.h"

namespace tamrivo {
namespace {

void BringToFront(HWND hwnd) {
  if (IsIconic(hwnd)) {
    ShowWindow(hwnd, SW_RESTORE);
  } else {
    SetForegroundWindow(hwnd);
  }
}

void SetWindowIcons(WindowInstance& window) {
  const Form& form = *window.form;
  const int big = GetSystemMetrics(SM_CXICON), small = GetSystemMetrics(SM_CXSMICON);
  if (form.icon) {
    const std::span<const uint8_t> bytes = form.icon();
    window.bigIcon = IconFromIconFile(bytes.data(), bytes.size(), big, big);
    window.smallIcon = IconFromIconFile(bytes.data(), bytes.size(), small, small);
  }
  if (!window.bigIcon) window.bigIcon = ProgramIcon(big, big);
  if (!window.smallIcon) window.smallIcon = ProgramIcon(small, small);
  SendMessageW(window.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(window.bigIcon.get()));
  SendMessageW(window.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(window.smallIcon.get()));
}

// Disables every other program window, remembering whether it was enabled.
void DisableOtherWindows(WindowInstance& window) {
  for (HWND other : LoadedWindows()) {
    if (other == window.hwnd) continue;
    window.disabledWindows.push_back({other, IsWindowEnabled(other) != FALSE});
    EnableWindow(other, FALSE);
  }
}

// Runs until the window of that loading is gone; a quit request ends it early and is posted
// again for the loop outside. The window may also go inside a message sent from another thread,
// which is handled while the loop waits and leaves nothing in the queue: so it waits for any
// input, sent messages included, and looks for the window again after each.
void RunModalLoop(uint64_t serial) {
  MSG message;
  while (FindInstanceBySerial(serial)) {
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (!FindInstanceBySerial(serial)) break;
      MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      continue;
    }
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    DispatchLoopMessage(message);
  }
}

HWND CreateNativeWindow(WindowInstance& window, HWND owner) {
  const Form& form = *window.form;
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (form.minimizeBox) style |= WS_MINIMIZEBOX;
  if (form.maximizeBox) style |= WS_MAXIMIZEBOX;
  int left = form.left, top = form.top;
  if (form.placement == Placement::Centred) {
    // On the whole screen, not its work area.
    left = (GetSystemMetrics(SM_CXSCREEN) - form.width) / 2;
    top = (GetSystemMetrics(SM_CYSCREEN) - form.height) / 2;
  }
  return CreateWindowExW(0, kWindowClassName, WideFromGbk(form.title).c_str(), style, left, top,
                         form.width, form.height, owner, nullptr, GetModuleHandleW(nullptr), &window);
}

}  // namespace

bool LoadWindow(const Form& form, const Form* owner, bool modal) {
  if (WindowInstance* existing = FindInstance(form)) {
    if (existing->hwnd) BringToFront(existing->hwnd);
    return true;
  }
  HWND ownerWindow = nullptr;
  if (!modal && owner) {
    WindowInstance* ownerInstance = FindInstance(*owner);
    if (!ownerInstance || !ownerInstance->hwnd) return false;
    ownerWindow = ownerInstance->hwnd;
  }
  if (modal || (!ownerWindow && !form.inTaskbar)) ownerWindow = ServiceWindowHandle();
  if (!RegisterWindowClass()) return false;

  WindowInstance& window = AddInstance(form);
  const uint64_t serial = window.serial;
  // Destroying the window on any failure below also frees its instance (WM_NCDESTROY).
  UniqueWindow native(CreateNativeWindow(window, ownerWindow));
  if (!native) {
    if (WindowInstance* left = FindInstanceBySerial(serial)) RemoveInstance(*left);
    return false;
  }
  SetWindowIcons(window);
  window.menuBar = BuildMenuBar(form);
  if (window.menuBar) SetMenu(window.hwnd, window.menuBar.get());
  if (!CreateControls(window)) return false;
  ShowVisibleControls(window);
  native.release();  // from here the window lives until it is destroyed

  // The handlers may destroy the window (in a nested loop): look it up after each event.
  RECT place{};
  GetWindowRect(window.hwnd, &place);
  window.reportedPlace = {place.left, place.top};
  window.reportedSize = {place.right - place.left, place.bottom - place.top};
  RaiseEvent(form, kWindowItself, kCreated);
  if (!FindInstanceBySerial(serial)) return true;
  RaiseEvent(form, kWindowItself, kMoved);
  if (!FindInstanceBySerial(serial)) return true;
  RaiseEvent(form, kWindowItself, kResized);
  WindowInstance* loaded = FindInstanceBySerial(serial);
  if (!loaded) return true;
  loaded->loading = false;

  if (modal) {
    ShowWindow(loaded->hwnd, SW_SHOWNORMAL);
    DisableOtherWindows(*loaded);
    RunModalLoop(serial);
    if (WindowInstance* still = FindInstanceBySerial(serial)) RestoreDisabledWindows(*still);
    return true;
  }
  if (form.visible) {
    ShowWindow(loaded->hwnd, SW_SHOWNORMAL);
  } else {
    loaded->firstShowPending = true;
  }
  return true;
}

}  // namespace tamrivo
