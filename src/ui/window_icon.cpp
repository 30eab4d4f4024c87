#include "ui/window_icon.h"

#include <optional>

namespace tamrivo {
namespace {

struct IconImage {
  int width;
  int bits;
  uint32_t offset;
  uint32_t length;
};

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Whether `candidate` suits `wanted` pixels better than `best`.
bool Better(const IconImage& candidate, const IconImage& best, int wanted) {
  auto rank = [wanted](const IconImage& image) {
    if (image.width == wanted) return 0;
    if (image.width > wanted) return 1;
    return 2;
  };
  const int a = rank(candidate), b = rank(best);
  if (a != b) return a < b;
  if (candidate.width != best.width) {
    // Larger ones: the closest is the smallest; smaller ones: the largest.
    return a == 1 ? candidate.width < best.width : candidate.width > best.width;
  }
  return candidate.bits > best.bits;
}

}  // namespace

UniqueIcon IconFromIconFile(const uint8_t* bytes, std::size_t size, int width, int height) {
  constexpr std::size_t kHeader = 6, kEntry = 16;
  if (!bytes || size < kHeader || ReadU16(bytes) != 0 || ReadU16(bytes + 2) != 1) return {};
  const std::size_t count = ReadU16(bytes + 4);
  if (size < kHeader + count * kEntry) return {};

  std::optional<IconImage> best;
  for (std::size_t i = 0; i < count; ++i) {
    const uint8_t* entry = bytes + kHeader + i * kEntry;
    IconImage image{entry[0] == 0 ? 256 : entry[0], ReadU16(entry + 6), ReadU32(entry + 12),
                    ReadU32(entry + 8)};
    if (image.length == 0 || image.offset > size || image.length > size - image.offset) continue;
    if (!best || Better(image, *best, width)) best = image;
  }
  if (!best) return {};
  // CreateIconFromResourceEx takes a non-const buffer; it only reads from it.
  auto* data = const_cast<BYTE*>(bytes + best->offset);
  return UniqueIcon(CreateIconFromResourceEx(data, best->length, TRUE, 0x00030000, width, height,
                                             LR_DEFAULTCOLOR));
}

UniqueIcon ProgramIcon(int width, int height) {
  return UniqueIcon(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, width, height, 0)));
}

}  // namespace tamrivo
