// The stored settings of a web view, as a window's description carries them: 32-bit
// little-endian integers for the format version, FontSize, Offline and Silent, then the url as
// a 32-bit length and that many GBK bytes without a terminator. Portable, so that the reader is
// tested natively and fuzzed; the window layer applies what it gives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tamrivo {

inline constexpr int32_t kSmallestFontSize = 0;  // "最小"
inline constexpr int32_t kMediumFontSize = 2;    // "中等"
inline constexpr int32_t kLargestFontSize = 4;   // "最大"

struct WebViewSettings {
  int32_t fontSize = kMediumFontSize;  // as stored; FontSizeToApply clamps it
  bool offline = false;
  bool silent = false;
  std::string_view url;  // GBK; empty for none. A view into the stored bytes.
};

// Reads the fields in order. Data that ends before a field, or inside one, leaves that field
// and the ones after it at their defaults. Nothing when the version is neither 0 nor 1, or
// when the url's length is negative or runs past the data: such bytes are damaged, and no byte
// outside them is read.
std::optional<WebViewSettings> ReadWebViewSettings(std::span<const uint8_t> stored);

// The text size the browser is given: FontSize clamped to 0..4.
constexpr int32_t FontSizeToApply(int32_t fontSize) {
  return fontSize < kSmallestFontSize  ? kSmallestFontSize
         : fontSize > kLargestFontSize ? kLargestFontSize
                                       : fontSize;
}

// The stored bytes of a view with the given settings, at compile time, for the forms.
// Version 1; the url is the server's address and the page path, or none when the server is
// empty, so that a build without a server holds no address at all. Both are ASCII.
template <size_t ServerSize, size_t PageSize>
constexpr auto StoredWebViewSettings(int32_t fontSize, bool offline, bool silent,
                                     const char (&server)[ServerSize],
                                     const char (&page)[PageSize]) {
  constexpr size_t kUrlSize = ServerSize > 1 ? ServerSize - 1 + PageSize - 1 : 0;
  struct Bytes {
    uint8_t data[5 * 4 + kUrlSize];
    constexpr std::span<const uint8_t> span() const { return data; }
  } bytes{};
  size_t at = 0;
  auto put = [&](int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes.data[at++] = static_cast<uint8_t>(bits >> shift);
  };
  put(1);
  put(fontSize);
  put(offline ? 1 : 0);
  put(silent ? 1 : 0);
  put(static_cast<int32_t>(kUrlSize));
  if (kUrlSize > 0) {
    for (size_t i = 0; i + 1 < ServerSize; ++i) bytes.data[at++] = static_cast<uint8_t>(server[i]);
    for (size_t i = 0; i + 1 < PageSize; ++i) bytes.data[at++] = static_cast<uint8_t>(page[i]);
  }
  return bytes;
}

}  // namespace tamrivo
