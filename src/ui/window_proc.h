// The window procedure of the program's windows: it turns native messages into the form's
// events (control notifications, timer ticks, close requests, destruction). Internal.
#pragma once

#include <windows.h>

namespace tamrivo {

inline constexpr wchar_t kWindowClassName[] = L"TamrivoWindow";
// Posted by RequestDestroy; the window is destroyed when it arrives.
inline constexpr UINT kDestroyRequestMessage = WM_APP + 0x54;

// Registers the window class once per process; true when it is there.
bool RegisterWindowClass();

}  // namespace tamrivo
