#include "ui/button_text.h"

namespace tamrivo {
namespace {

enum class Place : uint8_t { Start, Middle, End };

struct Placement {
  Place horizontal;
  Place vertical;
};

// Only full pairs of a horizontal and a vertical alignment place the text; everything else,
// one of the two alone included, centres it both ways.
Placement PlacementOf(LONG_PTR style) {
  const LONG_PTR horizontal = style & BS_CENTER;
  const LONG_PTR vertical = style & BS_VCENTER;
  const Place across = horizontal == BS_LEFT ? Place::Start : horizontal == BS_RIGHT ? Place::End : Place::Middle;
  if (horizontal == 0) return {Place::Middle, Place::Middle};
  switch (vertical) {
    case BS_TOP: return {across, Place::Start};
    case BS_BOTTOM: return {across, Place::End};
    case BS_VCENTER: return {across, Place::Middle};
    default: return {Place::Middle, Place::Middle};
  }
}

int Offset(Place place, int room) {
  switch (place) {
    case Place::Start: return 0;
    case Place::Middle: return room / 2;
    case Place::End: return room;
  }
  return 0;
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

int WidthOf(HDC dc, std::wstring_view characters) {
  SIZE size{};
  GetTextExtentPoint32W(dc, characters.data(), static_cast<int>(characters.size()), &size);
  return size.cx;
}

}  // namespace

std::vector<ButtonTextLine> BreakButtonText(HDC dc, std::wstring_view text, int width) {
  std::vector<ButtonTextLine> lines;
  std::size_t i = 0;
  for (;;) {
    ButtonTextLine line{.start = i};
    bool prefixPending = false;  // the last character was an "&" that was not measured
    bool lineFeed = false;
    while (i < text.size()) {
      if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
        lineFeed = true;
        break;
      }
      const std::size_t units = IsHighSurrogate(text[i]) && i + 1 < text.size() ? 2 : 1;
      int advance = 0;
      if (text[i] == L'&' && !prefixPending) {
        prefixPending = true;
      } else {
        advance = WidthOf(dc, text.substr(i, units));
        if (line.width + advance > width && i > line.start) {
          // The marking "&" goes to the next line with the character it marks.
          if (prefixPending && i - 1 > line.start) --i;
          break;
        }
        prefixPending = false;
      }
      line.width += advance;
      i += units;
    }
    line.length = i - line.start;
    lines.push_back(line);
    if (lineFeed) {
      i += 2;
      continue;
    }
    if (i >= text.size()) break;
  }
  return lines;
}

RECT DrawButtonText(HDC dc, std::wstring_view text, const RECT& area, LONG_PTR style) {
  const int width = area.right - area.left;
  const std::vector<ButtonTextLine> lines = BreakButtonText(dc, text, width);
  const int lineHeight = [&] {
    SIZE size{};
    GetTextExtentPoint32W(dc, L"a", 1, &size);
    return size.cy;
  }();
  const Placement placement = PlacementOf(style);
  const int blockHeight = lineHeight * static_cast<int>(lines.size());
  int top = area.top + Offset(placement.vertical, area.bottom - area.top - blockHeight);
  RECT covered{};
  for (const ButtonTextLine& line : lines) {
    if (top >= area.bottom) break;
    const int left = area.left + Offset(placement.horizontal, width - line.width);
    RECT place{left, top, left + line.width, top + lineHeight};
    if (line.length > 0) {
      DrawTextW(dc, text.data() + line.start, static_cast<int>(line.length), &place,
                DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOCLIP);
      UnionRect(&covered, &covered, &place);
    }
    top += lineHeight;
  }
  return covered;
}

}  // namespace tamrivo
