#include "services/icon_file.h"

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

// The directory entries of an icon or cursor file; empty when the header is not one, or when
// the directory claims more entries than the file holds (the whole file is damaged then).
std::span<const uint8_t> Directory(std::span<const uint8_t> file) {
  if (file.size() < kHeaderSize) return {};
  uint16_t reserved = Le16(&file[0]);
  uint16_t type = Le16(&file[2]);
  size_t count = Le16(&file[4]);
  if (reserved != 0 || (type != 1 && type != 2) || count < 1) return {};
  if (count > (file.size() - kHeaderSize) / kEntrySize) return {};
  return file.subspan(kHeaderSize, count * kEntrySize);
}

int EntryWidth(const uint8_t* entry) { return entry[0] == 0 ? 256 : entry[0]; }

// The image an entry points to, when it lies inside the file.
std::optional<IconImage> EntryImage(std::span<const uint8_t> file, const uint8_t* entry) {
  // Size and offset are each 32 bits; compared this way their sum cannot overflow.
  uint32_t size = Le32(entry + 8);
  uint32_t offset = Le32(entry + 12);
  if (offset > file.size() || size > file.size() - offset) return std::nullopt;
  std::span<const uint8_t> image = file.subspan(offset, size);
  return IsPng(image) ? ReadPng(image) : ReadBitmap(image);
}

}  // namespace

std::optional<IconImage> ChooseIconImage(std::span<const uint8_t> file, int preferredWidth) {
  std::span<const uint8_t> directory = Directory(file);
  if (directory.empty()) return std::nullopt;
  const uint8_t* chosen = nullptr;
  for (size_t at = 0; at < directory.size(); at += kEntrySize) {
    chosen = &directory[at];
    int colours = chosen[2];
    if (colours >= 16 && EntryWidth(chosen) == preferredWidth) break;
  }
  return EntryImage(file, chosen);
}

std::optional<IconImage> ChooseIconImageForSize(std::span<const uint8_t> file, int wantedWidth) {
  // Same width first, then the smallest larger one, then the largest smaller one; among equal
  // widths the most colour bits.
  auto rank = [wantedWidth](const IconImage& image) {
    return image.width == wantedWidth ? 0 : image.width > wantedWidth ? 1 : 2;
  };
  auto better = [&](const IconImage& candidate, const IconImage& best) {
    const int a = rank(candidate), b = rank(best);
    if (a != b) return a < b;
    if (candidate.width != best.width) {
      return a == 1 ? candidate.width < best.width : candidate.width > best.width;
    }
    return candidate.bitCount > best.bitCount;
  };
  std::span<const uint8_t> directory = Directory(file);
  std::optional<IconImage> best;
  for (size_t at = 0; at < directory.size(); at += kEntrySize) {
    std::optional<IconImage> image = EntryImage(file, &directory[at]);
    if (image && (!best || better(*image, *best))) best = image;
  }
  return best;
}

}  // namespace tamrivo
