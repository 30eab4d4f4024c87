#include "system/icon_file.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace tamrivo {
namespace {

constexpr size_t kHeaderSize = 6;
constexpr size_t kEntrySize = 16;
constexpr size_t kBitmapHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::array<uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kPngHeaderEnd = 8 + 8 + 10;  // signature, IHDR length and type, up to colour type

// Little-endian fields of the file; big-endian ones of PNG. Callers check the bounds.
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint32_t Be32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
         static_cast<uint32_t>(p[2]) << 8 | static_cast<uint32_t>(p[3]);
}

bool IsPng(std::span<const uint8_t> image) {
  return image.size() >= kPngSignature.size() &&
         std::equal(kPngSignature.begin(), kPngSignature.end(), image.begin());
}

// Size and depth from the PNG header chunk, which must come first.
std::optional<IconImage> ReadPng(std::span<const uint8_t> image) {
  const uint8_t* p = image.data();
  constexpr std::string_view kHeaderChunk = "IHDR";
  if (image.size() < kPngHeaderEnd || !std::equal(p + 12, p + 16, kHeaderChunk.begin())) {
    return std::nullopt;
  }
  uint8_t depth = p[24];
  int channels = 0;
  switch (p[25]) {
    case 0: channels = 1; break;  // grey
    case 2: channels = 3; break;  // RGB
    case 3: channels = 1; break;  // palette
    case 4: channels = 2; break;  // grey and alpha
    case 6: channels = 4; break;  // RGBA
    default: return std::nullopt;
  }
  return IconImage{.data = image,
                   .width = static_cast<int32_t>(Be32(p + 16)),
                   .height = static_cast<int32_t>(Be32(p + 20)),
                   .bitCount = static_cast<uint16_t>(depth * channels)};
}

std::optional<IconImage> ReadBitmap(std::span<const uint8_t> image) {
  if (image.size() < kBitmapHeaderSize) return std::nullopt;
  const uint8_t* p = image.data();
  return IconImage{.data = image,
                   .width = static_cast<int32_t>(Le32(p + 4)),
                   .height = static_cast<int32_t>(Le32(p + 8)) / 2,
                   .bitCount = Le16(p + 14)};
}

}  // namespace

std::optional<IconImage> ChooseIconImage(std::span<const uint8_t> file, int preferredWidth) {
  if (file.size() < kHeaderSize) return std::nullopt;
  uint16_t reserved = Le16(&file[0]);
  uint16_t type = Le16(&file[2]);
  size_t count = Le16(&file[4]);
  if (reserved != 0 || (type != 1 && type != 2) || count < 1) return std::nullopt;
  // A directory that claims more entries than the file holds marks the whole file as damaged.
  if (count > (file.size() - kHeaderSize) / kEntrySize) return std::nullopt;

  const uint8_t* chosen = nullptr;
  for (size_t i = 0; i < count; ++i) {
    chosen = &file[kHeaderSize + i * kEntrySize];
    int width = chosen[0] == 0 ? 256 : chosen[0];
    int colours = chosen[2];
    if (colours >= 16 && width == preferredWidth) break;
  }

  // Size and offset are each 32 bits; compared this way their sum cannot overflow.
  uint32_t size = Le32(chosen + 8);
  uint32_t offset = Le32(chosen + 12);
  if (offset > file.size() || size > file.size() - offset) return std::nullopt;
  std::span<const uint8_t> image = file.subspan(offset, size);
  return IsPng(image) ? ReadPng(image) : ReadBitmap(image);
}

}  // namespace tamrivo
