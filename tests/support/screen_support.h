// Helpers for checking what is on the screen: pixels read back from the screen's own DC (so
// a window lying on top shows, as a user would see it), tables of expected pixels, and real
// mouse moves through SendInput.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

namespace tamrivo::test {

// A place in a window, counted from the window's top-left corner (frame included); a
// negative x or y counts from the right or bottom edge, -1 being the last pixel.
struct PixelCheck {
  const char* what;
  int x, y;
  COLORREF colour;
  int tolerance = 0;  // per channel
};

COLORREF ScreenPixel(HWND window, int x, int y);

// Pumps until every pixel matches, or the timeout; returns "" or a description of those that
// did not match.
std::string PixelMismatches(HWND window, std::span<const PixelCheck> checks, int timeoutMs = 3000);
inline std::string PixelMismatches(HWND window, std::initializer_list<PixelCheck> checks, int timeoutMs = 3000) {
  return PixelMismatches(window, std::span<const PixelCheck>(checks.begin(), checks.size()), timeoutMs);
}

// Paints the window with its frame and every window inside it now, before returning. Wine
// shows the new picture on the screen a moment later; ScreenPixels waits for it.
void PaintNow(HWND window);

// All pixels of the window as the screen shows them, row by row, once they have stopped
// changing.
std::vector<COLORREF> ScreenPixels(HWND window);

// Moves the mouse pointer by real input to a point of the window (frame included) and waits
// until the input has been handled.
void MoveMouseTo(HWND window, int x, int y);
// Moves the pointer to a screen point.
void MoveMouseToScreen(POINT point);

// Moves the pointer to a point of the window (or the pixel beside it) and waits until the
// pixels match, as PixelMismatches does. Under Wine on X a late motion event of an earlier
// move can reach the window after the last one, with the old place; so it tries up to three
// fresh moves, and a look that follows the pointer wrongly fails all three.
std::string PixelMismatchesWithMouseAt(HWND window, int x, int y, std::span<const PixelCheck> checks);
inline std::string PixelMismatchesWithMouseAt(HWND window, int x, int y, std::initializer_list<PixelCheck> checks) {
  return PixelMismatchesWithMouseAt(window, x, y, std::span<const PixelCheck>(checks.begin(), checks.size()));
}

std::string Describe(COLORREF colour);

}  // namespace tamrivo::test
