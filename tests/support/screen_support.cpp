#include "screen_support.h"

#include <cstdlib>
#include <utility>

#include "ui_support.h"

namespace tamrivo::test {
namespace {

POINT ScreenPoint(HWND window, int x, int y) {
  RECT place{};
  GetWindowRect(window, &place);
  return {x < 0 ? place.right + x : place.left + x, y < 0 ? place.bottom + y : place.top + y};
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

bool CursorAt(POINT point) {
  POINT now{};
  GetCursorPos(&now);
  return now.x == point.x && now.y == point.y;
}

}  // namespace

std::string Describe(COLORREF colour) {
  return "RGB(" + std::to_string(GetRValue(colour)) + ", " + std::to_string(GetGValue(colour)) + ", " +
         std::to_string(GetBValue(colour)) + ")";
}

COLORREF ScreenPixel(HWND window, int x, int y) {
  const POINT point = ScreenPoint(window, x, y);
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, point.x, point.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

std::string PixelMismatches(HWND window, std::span<const PixelCheck> checks, int timeoutMs) {
  std::string mismatches;
  PumpUntil(
      [&] {
        mismatches.clear();
        for (const PixelCheck& check : checks) {
          const COLORREF seen = ScreenPixel(window, check.x, check.y);
          if (Near(seen, check.colour, check.tolerance)) continue;
          mismatches += std::string(check.what) + " at (" + std::to_string(check.x) + ", " + std::to_string(check.y) +
                        "): " + Describe(seen) + " instead of " + Describe(check.colour) + "\n";
        }
        return mismatches.empty();
      },
      timeoutMs);
  return mismatches;
}

void PaintNow(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

namespace {

std::vector<COLORREF> ReadScreenPixels(HWND window) {
  RECT place{};
  GetWindowRect(window, &place);
  const int width = place.right - place.left, height = place.bottom - place.top;
  std::vector<COLORREF> pixels;
  pixels.reserve(static_cast<std::size_t>(width * height));
  HDC screen = GetDC(nullptr);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(screen, place.left + x, place.top + y));
  }
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace

std::vector<COLORREF> ScreenPixels(HWND window) {
  // Wine copies a window's drawing to the screen a little later, while the thread waits for
  // messages: a reading straight after a paint can still show the picture before it. The
  // screen has settled when a reading taken after pumping for a while matches the one before.
  std::vector<COLORREF> pixels = ReadScreenPixels(window);
  PumpUntil(
      [&] {
        PumpFor(60);
        std::vector<COLORREF> again = ReadScreenPixels(window);
        const bool settled = again == pixels;
        pixels = std::move(again);
        return settled;
      },
      5000);
  return pixels;
}

void MoveMouseToScreen(POINT point) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = (point.x * 65536 + width - 1) / width;
  input.mi.dy = (point.y * 65536 + height - 1) / height;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(INPUT));
  PumpUntil([&] { return CursorAt(point) && GetQueueStatus(QS_INPUT) == 0; });
  PumpFor(30);
}

void MoveMouseTo(HWND window, int x, int y) { MoveMouseToScreen(ScreenPoint(window, x, y)); }

std::string PixelMismatchesWithMouseAt(HWND window, int x, int y, std::span<const PixelCheck> checks) {
  std::string mismatches;
  for (int attempt = 0; attempt < 3; ++attempt) {
    // Each attempt a pixel apart, so that each is a fresh move.
    MoveMouseToScreen(ScreenPoint(window, x + attempt % 2, y));
    mismatches = PixelMismatches(window, checks, 2000);
    if (mismatches.empty()) break;
  }
  return mismatches;
}

}  // namespace tamrivo::test
