// The colour sets of the themed look: 1 blue, 2 olive green, 3 silver. Plain data, no Win32
// types; colours are 0x00BBGGRR like the forms' colours.
#pragma once

#include <array>
#include <cstdint>

#include "ui/form.h"

namespace tamrivo {

constexpr Colour Rgb(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<Colour>(red) | static_cast<Colour>(green) << 8 | static_cast<Colour>(blue) << 16;
}

// The colours of a rectangle's four corners. Equal top colours and equal bottom colours make
// a vertical gradient; anything else is filled as two triangles.
struct Gradient {
  Colour topLeft, topRight, bottomLeft, bottomRight;
};

// A top-to-bottom gradient.
constexpr Gradient Vertical(Colour top, Colour bottom) { return {top, top, bottom, bottom}; }
constexpr Gradient Flat(Colour colour) { return {colour, colour, colour, colour}; }

// Push-button gradients: five state bands, then two faces.
enum PushEntry : uint8_t {
  kBandPushed, kBandHover, kBandChecked, kBandFocused, kBandNormal, kFacePushed, kFaceNormal,
  kPushEntryCount,
};

// Arrow buttons (combo box drop-down, spin-button halves): each part has one entry per state.
enum ArrowState : uint8_t { kArrowDisabled, kArrowPushed, kArrowHover, kArrowNormal };
inline constexpr int kArrowBand = 0, kArrowCorners = 4, kArrowFace = 8, kArrowEntryCount = 12;

struct ColourSet {
  Colour pushButtonBorder;
  Colour fieldBorder;  // edit boxes, combo boxes and spin buttons
  Colour arrowGlyph;
  std::array<Gradient, kPushEntryCount> pushButton;
  // Bands, then the four corner pixels (as top-left, top-right, bottom-left, bottom-right),
  // then faces; each by ArrowState.
  std::array<Gradient, kArrowEntryCount> arrow;
};

// Scheme 1, 2 or 3; any other value gives set 1.
const ColourSet& ColourSetOf(int32_t scheme);

}  // namespace tamrivo
