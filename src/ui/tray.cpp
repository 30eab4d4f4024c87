#include "ui/tray.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <optional>
#include <string_view>

#include "services/icon_file.h"
#include "ui/handles.h"
#include "ui/menu.h"
#include "ui/text_encoding.h"
#include "ui/window.h"
#include "ui/window_instance.h"

namespace tamrivo {
namespace {

constexpr size_t kTipBytes = 62;
constexpr UINT kTrayFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;  // 7
constexpr DWORD kIconFormatVersion = 0x30000;

// What a window keeps of its tray icon: the image it owns, the tip, and whether the shell
// holds the icon now (a failed add leaves it out; the next call, or the shell's restart, adds
// it again).
struct TrayIconState {
  UniqueIcon icon;
  std::wstring tip;
  bool shown = false;
};

// The state hangs on the native window, from the window's first icon until its destruction.
constexpr wchar_t kStateProperty[] = L"Tamrivo.TrayIcon";

TrayIconState* StateOf(HWND window) {
  return static_cast<TrayIconState*>(GetPropW(window, kStateProperty));
}

HWND NativeWindowOf(const Form& window) {
  const WindowInstance* instance = FindInstance(window);
  return instance ? instance->hwnd : nullptr;
}

// The first, smallest form of the record, which every shell takes.
NOTIFYICONDATAW TrayRecord(HWND window) {
  NOTIFYICONDATAW record = {};
  record.cbSize = NOTIFYICONDATAW_V1_SIZE;
  record.hWnd = window;
  record.uID = kTrayIconId;
  return record;
}

bool SendToShell(DWORD command, HWND window, const TrayIconState& state) {
  NOTIFYICONDATAW record = TrayRecord(window);
  record.uFlags = kTrayFlags;
  record.uCallbackMessage = kTrayCallbackMessage;
  record.hIcon = state.icon.get();
  state.tip.copy(record.szTip, kTipBytes);  // at most 62 characters: the rest stays 0
  return Shell_NotifyIconW(command, &record);
}

void DeleteFromShell(HWND window) {
  NOTIFYICONDATAW record = TrayRecord(window);
  Shell_NotifyIconW(NIM_DELETE, &record);
}

// The tray event type of a mouse notification from the shell; 0 for those that raise none.
int32_t TrayEventType(UINT notification) {
  switch (notification) {
    case WM_LBUTTONUP: return 1;
    case WM_LBUTTONDBLCLK: return 2;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU: return 3;
    default: return 0;
  }
}

bool IsGbkLeadByte(char byte) {
  const auto b = static_cast<uint8_t>(byte);
  return b >= 0x81 && b <= 0xFE;
}

// The file's image whose width is preferredWidth (16 or 32), else its last image, as an icon;
// empty when the bytes hold no image Windows can make an icon of.
UniqueIcon IconFromBytes(std::span<const uint8_t> file, int32_t preferredWidth) {
  std::optional<IconImage> image = ChooseIconImage(file, preferredWidth);
  if (!image) return {};
  // The functions take a mutable buffer but only read it.
  auto* bits = const_cast<PBYTE>(image->data.data());
  const auto size = static_cast<DWORD>(image->data.size());
  UniqueIcon icon(CreateIconFromResourceEx(bits, size, TRUE, kIconFormatVersion, image->width,
                                           image->height, LR_DEFAULTCOLOR));
  if (!icon && image->bitCount != 16) {
    icon.reset(CreateIconFromResource(bits, size, TRUE, kIconFormatVersion));
  }
  return icon;
}

}  // namespace

std::wstring TrayTip(const char* tip) {
  const std::string_view text = tip ? tip : "";
  size_t length = 0;
  while (length < text.size()) {
    const size_t step = IsGbkLeadByte(text[length]) ? 2 : 1;
    if (length + step > kTipBytes || length + step > text.size()) break;
    length += step;
  }
  return WideFromGbk(text.substr(0, length));
}

bool SetTrayIcon(const Form& window, std::span<const uint8_t> bytes, const char* tip) {
  HWND hwnd = NativeWindowOf(window);
  if (!hwnd) return false;
  UniqueIcon icon = IconFromBytes(bytes, 16);
  if (!icon) icon = IconFromBytes(bytes, 32);

  TrayIconState* state = StateOf(hwnd);
  if (!icon) {
    if (state) {
      if (state->shown) DeleteFromShell(hwnd);
      state->icon.reset();
      state->shown = false;
    }
    return false;
  }
  if (!state) {
    auto fresh = std::make_unique<TrayIconState>();
    if (!SetPropW(hwnd, kStateProperty, fresh.get())) return false;
    state = fresh.release();  // RemoveTrayIcon takes it back
  }
  state->tip = TrayTip(tip);
  // The shell copies the image, so the old one can go as soon as the new one is handed over.
  UniqueIcon old = std::exchange(state->icon, std::move(icon));
  // An icon the shell has lost since (it restarted without saying so) is added again.
  state->shown = (state->shown && SendToShell(NIM_MODIFY, hwnd, *state)) ||
                 SendToShell(NIM_ADD, hwnd, *state);
  return state->shown;
}

void PopUpTrayMenu(const Form& window, int32_t menuItem) {
  HWND hwnd = NativeWindowOf(window);
  if (!hwnd) return;
  UniqueMenu menu = BuildPopupMenu(window, menuItem);
  if (!menu || GetMenuItemCount(menu.get()) <= 0) return;

  POINT cursor = {};
  GetCursorPos(&cursor);
  // Even a hidden window must be the foreground window, or the menu would not close when the
  // user clicks elsewhere.
  SetForegroundWindow(hwnd);
  TrackPopupMenu(menu.get(), TPM_RIGHTALIGN, cursor.x - 5, cursor.y - 5, 0, hwnd, nullptr);
  // Lets the next pop-up close properly too.
  PostMessageW(hwnd, WM_NULL, 0, 0);
}

bool HandleTrayMessage(const Form& window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == kTrayCallbackMessage) {
    // The shell names our icon in wParam, and puts the mouse message in lParam's low word with
    // nothing or (a newer shell) the icon's identifier above it. Anything else is not ours.
    const auto value = static_cast<uintptr_t>(lParam);
    const uintptr_t above = value >> 16;
    if (wParam != kTrayIconId || (above != 0 && above != kTrayIconId)) return true;
    if (int32_t type = TrayEventType(LOWORD(value))) RaiseEvent(window, kWindowItself, kTrayEvent, type);
    return true;
  }
  // The shell announces its (re)start with a registered message: the icons it held are gone.
  if (message < 0xC000) return false;
  HWND hwnd = NativeWindowOf(window);
  TrayIconState* state = hwnd ? StateOf(hwnd) : nullptr;
  if (!state || !state->icon || message != RegisterWindowMessageW(L"TaskbarCreated")) return false;
  // A shell that still knows the icon refuses to add it twice; then it only needs updating.
  state->shown = SendToShell(NIM_ADD, hwnd, *state) || SendToShell(NIM_MODIFY, hwnd, *state);
  return true;
}

void RemoveTrayIcon(const Form& window) {
  HWND hwnd = NativeWindowOf(window);
  if (!hwnd) return;
  std::unique_ptr<TrayIconState> state(static_cast<TrayIconState*>(RemovePropW(hwnd, kStateProperty)));
  if (state && state->shown) DeleteFromShell(hwnd);
}

}  // namespace tamrivo
