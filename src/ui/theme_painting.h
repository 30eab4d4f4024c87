// Painting of the themed controls. Each paint draws the whole window into a memory bitmap and
// copies it to the window in one transfer, so nothing flickers. Internal to the layer.
#pragma once

#include <windows.h>

#include <optional>

#include "ui/handles.h"
#include "ui/theme_colours.h"
#include "ui/themed_control.h"

namespace tamrivo {

// The memory bitmap the painting draws into, kept from one paint to the next: making one for
// every paint costs more than the drawing of most controls.
class PaintBuffer {
 public:
  // A memory DC with a bitmap of at least `size` selected, or null.
  HDC Prepare(HDC compatible, SIZE size);

 private:
  // Declared in this order so that the bitmap is selected out before either is freed.
  UniqueMemoryDc memory_;
  UniqueBitmap bitmap_;
  std::optional<SelectedObject> selected_;
  SIZE size_{};
};

// Paints the control as its state says, over what its own procedure has drawn. Sends no
// message: the font is the record's, and the text is read from the window directly.
void PaintThemedControl(const ThemedControl& control, const ColourSet& colours, PaintBuffer& buffer);

// The parent's button colours, which the painting of a control uses: the brush the parent
// returns for WM_CTLCOLORBTN and the text colour it sets on `dc`.
struct ParentColours {
  HBRUSH background;  // null when the answer was no brush
  COLORREF text;
};
ParentColours AskParentColours(HWND control, HDC dc);

}  // namespace tamrivo
