#include "ui/theme_colours.h"

namespace tamrivo {
namespace {

constexpr Colour kWhiteColour = Rgb(255, 255, 255);

constexpr uint8_t Channel(Colour colour, int shift) { return static_cast<uint8_t>(colour >> shift & 0xFF); }

// Halfway between two colours: an arrow button's corner pixels blend its band into the field
// border around it, which rounds the corners without drawing curves.
constexpr Colour Mix(Colour a, Colour b) {
  return Rgb(static_cast<uint8_t>((Channel(a, 0) + Channel(b, 0)) / 2),
             static_cast<uint8_t>((Channel(a, 8) + Channel(b, 8)) / 2),
             static_cast<uint8_t>((Channel(a, 16) + Channel(b, 16)) / 2));
}
constexpr Gradient Mix(Gradient band, Colour border) {
  return {Mix(band.topLeft, border), Mix(band.topRight, border), Mix(band.bottomLeft, border),
          Mix(band.bottomRight, border)};
}

// Bands and faces by state (disabled, pushed, hover, normal); the corners follow from them.
constexpr std::array<Gradient, kArrowEntryCount> ArrowTable(Colour border, std::array<Gradient, 4> bands,
                                                            std::array<Gradient, 4> faces) {
  std::array<Gradient, kArrowEntryCount> table{};
  for (int state = 0; state < 4; ++state) {
    table[kArrowBand + state] = bands[state];
    table[kArrowCorners + state] = Mix(bands[state], border);
    table[kArrowFace + state] = faces[state];
  }
  return table;
}

// The hover and checked bands are the same warm ones in every set.
constexpr Gradient kHoverBand = Vertical(Rgb(255, 240, 207), Rgb(229, 151, 0));
constexpr Gradient kCheckedBand{Rgb(214, 203, 189), Rgb(214, 207, 198), Rgb(247, 243, 239), Rgb(247, 243, 239)};

// A disabled arrow button is the same pale grey in every set.
constexpr Gradient kDisabledArrowBand{Rgb(247, 247, 244), Rgb(236, 235, 229), Rgb(232, 231, 225), Rgb(234, 233, 227)};
constexpr Gradient kDisabledArrowFace{Rgb(244, 243, 238), Rgb(237, 236, 231), Rgb(233, 232, 226), Rgb(230, 229, 223)};

constexpr Colour kBlueField = Rgb(123, 158, 189);
constexpr ColourSet kBlue{
    .pushButtonBorder = Rgb(0, 60, 115),
    .fieldBorder = kBlueField,
    .arrowGlyph = kBlueField,
    .pushButton = {{
        Vertical(Rgb(209, 204, 193), Rgb(242, 241, 238)),
        kHoverBand,
        kCheckedBand,
        Vertical(Rgb(206, 231, 255), Rgb(105, 130, 238)),
        Vertical(kWhiteColour, Rgb(226, 223, 214)),
        {Rgb(231, 227, 222), Rgb(231, 231, 231), Rgb(231, 227, 222), Rgb(231, 227, 222)},
        Vertical(Rgb(252, 252, 251), Rgb(236, 235, 230)),
    }},
    .arrow = ArrowTable(kBlueField,
                        {{
                            kDisabledArrowBand,
                            {Rgb(151, 177, 239), Rgb(127, 155, 232), Rgb(120, 148, 229), Rgb(126, 153, 230)},
                            {Rgb(233, 240, 255), Rgb(203, 219, 255), Rgb(189, 211, 255), Rgb(197, 215, 255)},
                            {Rgb(214, 227, 255), Rgb(189, 203, 247), Rgb(173, 195, 247), Rgb(181, 199, 247)},
                        }},
                        {{
                            kDisabledArrowFace,
                            {Rgb(171, 195, 250), Rgb(148, 172, 240), Rgb(140, 165, 237), Rgb(134, 160, 233)},
                            {kWhiteColour, Rgb(206, 227, 255), Rgb(198, 223, 255), Rgb(189, 219, 255)},
                            {Rgb(231, 235, 255), Rgb(189, 207, 255), Rgb(181, 203, 255), Rgb(173, 203, 247)},
                        }}),
};

// Olive green: the focused band is the hover band, and pushing flattens the button.
constexpr Colour kOliveField = Rgb(164, 185, 127);
constexpr Colour kOlivePushed = Rgb(239, 227, 206);
constexpr ColourSet kOlive{
    .pushButtonBorder = Rgb(55, 98, 6),
    .fieldBorder = kOliveField,
    .arrowGlyph = kWhiteColour,
    .pushButton = {{
        Flat(kOlivePushed),
        kHoverBand,
        kCheckedBand,
        kHoverBand,
        Vertical(kWhiteColour, Rgb(222, 226, 200)),
        Flat(kOlivePushed),
        Vertical(Rgb(253, 253, 246), Rgb(228, 232, 212)),
    }},
    .arrow = ArrowTable(kOliveField,
                        {{
                            kDisabledArrowBand,
                            {Rgb(140, 166, 88), Rgb(120, 150, 66), Rgb(112, 143, 58), Rgb(117, 147, 63)},
                            {Rgb(236, 245, 204), Rgb(205, 223, 167), Rgb(194, 215, 153), Rgb(199, 219, 160)},
                            {Rgb(220, 234, 186), Rgb(186, 206, 144), Rgb(176, 199, 133), Rgb(182, 203, 139)},
                        }},
                        {{
                            kDisabledArrowFace,
                            {Rgb(158, 184, 106), Rgb(138, 166, 86), Rgb(131, 160, 79), Rgb(125, 155, 73)},
                            {Rgb(246, 251, 228), Rgb(212, 229, 176), Rgb(203, 223, 163), Rgb(194, 217, 151)},
                            {Rgb(234, 242, 208), Rgb(190, 211, 147), Rgb(180, 203, 137), Rgb(172, 197, 128)},
                        }}),
};

constexpr Colour kSilverField = Rgb(198, 197, 215);
constexpr ColourSet kSilver{
    .pushButtonBorder = Rgb(0, 60, 116),
    .fieldBorder = kSilverField,
    .arrowGlyph = Rgb(0, 0, 0),
    .pushButton = {{
        Flat(Rgb(239, 227, 206)),
        kHoverBand,
        kCheckedBand,
        Vertical(Rgb(206, 231, 255), Rgb(105, 130, 238)),
        Vertical(kWhiteColour, Rgb(214, 208, 197)),
        Vertical(Rgb(179, 178, 197), Rgb(252, 252, 251)),
        Vertical(Rgb(252, 252, 251), kSilverField),
    }},
    .arrow = ArrowTable(kSilverField,
                        {{
                            kDisabledArrowBand,
                            {Rgb(187, 186, 204), Rgb(168, 167, 189), Rgb(160, 159, 183), Rgb(164, 163, 186)},
                            {kWhiteColour, Rgb(236, 236, 244), Rgb(229, 229, 239), Rgb(232, 232, 241)},
                            {Rgb(248, 248, 250), Rgb(220, 220, 232), Rgb(212, 212, 226), Rgb(216, 216, 229)},
                        }},
                        {{
                            kDisabledArrowFace,
                            {Rgb(200, 199, 215), Rgb(182, 181, 201), Rgb(175, 174, 196), Rgb(170, 169, 192)},
                            {kWhiteColour, Rgb(242, 242, 248), Rgb(236, 236, 244), Rgb(229, 229, 239)},
                            {Rgb(253, 253, 254), Rgb(227, 227, 236), Rgb(219, 219, 230), Rgb(212, 212, 226)},
                        }}),
};

}  // namespace

const ColourSet& ColourSetOf(int32_t scheme) {
  switch (scheme) {
    case 2: return kOlive;
    case 3: return kSilver;
    default: return kBlue;
  }
}

}  // namespace tamrivo
