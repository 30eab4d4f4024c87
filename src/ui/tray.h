// A window's icon in the notification area, the events it raises on its window, and the
// pop-up menu made from the window's menu items. No Win32 types here.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "ui/form.h"

namespace tamrivo {

// The shell names a window's icon by the window and this identifier, and reports mouse
// actions on it with this message (WM_APP + 100).
inline constexpr uint32_t kTrayIconId = 100;
inline constexpr uint32_t kTrayCallbackMessage = 32868;

// Shows the window's tray icon made from icon-file bytes, with a tip (at most 62 GBK bytes of
// it). The first call adds the icon, later ones replace image and tip in place; bytes that
// give no image remove it. Returns whether the shell now shows an icon for the window.
bool SetTrayIcon(const Form& window, std::span<const uint8_t> icon, const char* tip = nullptr);

// Shows the items under the window's menu item menuItem as a pop-up menu at the mouse position
// and returns when it has closed; the chosen item raises its selected event.
void PopUpTrayMenu(const Form& window, int32_t menuItem);

// The tip as the shell gets it: the first 62 bytes of the GBK text, without a lead byte whose
// second half the cut left behind.
std::wstring TrayTip(const char* tip);

// For the window layer. Takes the tray's messages to a top-level window: the icon's mouse
// notifications, raised as its tray event, and the shell's announcement that it has started
// again, which brings the icon back. Notifications for another icon, or with a mouse message
// it does not know, raise nothing. Returns true for a message it took (answered with 0).
bool HandleTrayMessage(const Form& window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// For the window layer: the window is being destroyed; its icon leaves the notification area.
void RemoveTrayIcon(const Form& window);

}  // namespace tamrivo
