// The themed look: the program draws the standard push buttons, check boxes, radio buttons,
// group boxes, bordered edit boxes, drop-down combo boxes and spin buttons of the GUI thread
// itself, with gradients, rounded corners and a highlight under the mouse. No Win32 types.
#pragma once

#include <cstdint>

namespace tamrivo {

// 1 blue, 2 olive green, 3 silver: takes over every window of the calling thread now and
// every one it creates later, and returns true. Any other value gives every window back its
// own look and returns whether the creation hook could be removed (false when the look was
// not on).
bool SetVisualStyle(int32_t scheme);

}  // namespace tamrivo
