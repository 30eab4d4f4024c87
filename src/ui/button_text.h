// The text of a themed push button, check box or radio button: broken into lines that fit
// the text area and placed by the button's alignment style. Internal to the layer.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace tamrivo {

struct ButtonTextLine {
  std::size_t start = 0;
  std::size_t length = 0;
  int width = 0;  // as drawn: a single "&" only marks the next character
};

// CR LF starts a new line; a line also ends before the character that would make it wider
// than `width`. Surrogate pairs and an "&" with the character it marks stay together. Every
// line holds at least one character, so a narrow area cannot stall the breaking.
std::vector<ButtonTextLine> BreakButtonText(HDC dc, std::wstring_view text, int width);

// Draws the lines in the DC's font and text colour, placed in `area` by the BS_ alignment
// bits of `style`; lines that start below the area are left out. Returns the rectangle the
// drawn lines take (empty when there were none).
RECT DrawButtonText(HDC dc, std::wstring_view text, const RECT& area, LONG_PTR style);

}  // namespace tamrivo
