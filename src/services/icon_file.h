// The images inside the bytes of an icon (.ico) or cursor (.cur) file. Portable: the Win32
// code that turns an image into an icon handle sits on top of this.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tamrivo {

struct IconImage {
  std::span<const uint8_t> data;  // the image's bytes, a view into the file's bytes
  int32_t width;                  // taken from the image itself, not from its directory entry
  int32_t height;                 // a bitmap's header counts colour and mask rows: half of it
  uint16_t bitCount;
};

// The image an icon is made from: the first directory entry with at least 16 colours and the
// preferred width (an entry width of 0 means 256), otherwise the last entry. Nothing when the
// header is not that of an icon or cursor file, when the directory or the chosen image lies
// outside the bytes, or when the image is too short for its own header. The image is a
// bitmap with a BITMAPINFOHEADER, or a PNG stream.
std::optional<IconImage> ChooseIconImage(std::span<const uint8_t> file, int preferredWidth);

// The image that suits a wanted width best, as a window icon wants it: the same width, else
// the smallest larger one, else the largest; more colour bits first. Entries that lie outside
// the bytes are passed over. Nothing when no entry holds a usable image.
std::optional<IconImage> ChooseIconImageForSize(std::span<const uint8_t> file, int wantedWidth);

}  // namespace tamrivo
