// The native controls of a window: created from the control records, coloured, stacked, and
// their per-kind helpers (timer period, radio group, text). Internal to the layer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/window_instance.h"

namespace tamrivo {

// Creates every control of the window hidden, each inside its parent, with the form's place,
// size, disabled state and kind settings, and stacks them in form order (the first on top).
// Timers get no window; those with a period start. False when a control cannot be made.
bool CreateControls(WindowInstance& window);

// Shows the controls whose record is visible, without activating anything.
void ShowVisibleControls(const WindowInstance& window);

// Text and background of a control for WM_CTLCOLOR*; null leaves the colours to the system.
HBRUSH ControlColours(const WindowInstance& window, int32_t index, HDC dc);

// Stores a timer's period and starts or stops its native timer: runs while the period > 0;
// a negative period stores 0; the same period again leaves a running timer alone. A timer
// that cannot be started stores 0.
void SetTimerPeriod(WindowInstance& window, int32_t index, int32_t period);
inline UINT_PTR TimerIdOf(int32_t index) { return static_cast<UINT_PTR>(index) + 1; }
// The timer control of a WM_TIMER id, or -1 for an id that is not one of ours: another program
// can post any id, 0 and the largest values included.
inline int32_t TimerIndexOf(UINT_PTR id, std::size_t controlCount) {
  return id >= 1 && id <= controlCount ? static_cast<int32_t>(id - 1) : -1;
}

// A click on the control, by the mouse or by its access key: the kind's own action on its
// state, then its clicked event.
void ClickControl(WindowInstance& window, int32_t index);

// Checks a radio button and unchecks the other radio buttons of its parent.
void CheckRadioButton(WindowInstance& window, int32_t index);

// The live text of a native window, in UTF-16.
std::wstring NativeText(HWND window);

}  // namespace tamrivo
