// Data files carried inside the program as resources.
#pragma once

#include <cstdint>
#include <span>

namespace tamrivo {

// The icon file shown in the notification area: 2238 bytes, one 32 x 32 image with 256
// colours. Empty when the running program carries no such resource.
std::span<const uint8_t> TrayIconBytes();

// The icon file of the main window: 32-bit images of 128, 64, 48, 32 and 16 pixels. Empty
// when the running program carries no such resource.
std::span<const uint8_t> MainWindowIconBytes();

}  // namespace tamrivo
