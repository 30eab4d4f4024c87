// Painting of the themed controls. Each paint draws the whole window into a memory bitmap and
// copies it to the window in one transfer, so nothing flickers. Internal to the layer.
#pragma once

#include <windows.h>

#include "ui/theme_colours.h"
#include "ui/themed_control.h"

namespace tamrivo {

// Paints the control as its state says, over what its own procedure has drawn. Sends the
// control WM_GETFONT and WM_GETTEXT, and nothing to any other window.
void PaintThemedControl(const ThemedControl& control, const ColourSet& colours);

// The parent's button colours, which the painting of a control uses: the brush the parent
// returns for WM_CTLCOLORBTN and the text colour it sets on `dc`.
struct ParentColours {
  HBRUSH background;  // null when the answer was no brush
  COLORREF text;
};
ParentColours AskParentColours(HWND control, HDC dc);

}  // namespace tamrivo
