// The window's own keys: Tab order, arrows between radio buttons, Esc, Enter and Alt with an
// access letter. The message loop offers each key message here before it dispatches it.
// Internal to the layer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/window_instance.h"

namespace tamrivo {

// True when the message was a key of the window's own and has been handled: the caller then
// neither translates nor dispatches it.
bool HandleWindowKeyboard(const MSG& message);

// Every control in Tab order: by tab-order setting, and for equal settings in reverse form
// order.
std::vector<int32_t> TabSequence(const WindowInstance& window);

// Gives the focus back to the control that had it when the window went inactive, or to the
// first control in Tab order; with nothing to focus and mayFocusWindow, to the window.
void RestoreFocus(WindowInstance& window, bool mayFocusWindow);

}  // namespace tamrivo
