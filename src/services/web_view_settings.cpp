#include "services/web_view_settings.h"

namespace tamrivo {
namespace {

// Hands out whole 32-bit little-endian fields and byte runs, never reading past the end.
class FieldReader {
 public:
  explicit FieldReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  // Nothing when fewer than four bytes are left.
  std::optional<int32_t> Int32() {
    if (bytes_.size() - at_ < 4) return std::nullopt;
    const uint8_t* p = bytes_.data() + at_;
    at_ += 4;
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 |
                                static_cast<uint32_t>(p[3]) << 24);
  }

  // Nothing unless exactly that many bytes are left or more.
  std::optional<std::span<const uint8_t>> Bytes(uint32_t count) {
    if (count > bytes_.size() - at_) return std::nullopt;
    std::span<const uint8_t> run = bytes_.subspan(at_, count);
    at_ += count;
    return run;
  }

 private:
  std::span<const uint8_t> bytes_;
  size_t at_ = 0;
};

}  // namespace

std::optional<WebViewSettings> ReadWebViewSettings(std::span<const uint8_t> stored) {
  WebViewSettings settings;
  FieldReader reader(stored);
  const std::optional<int32_t> version = reader.Int32();
  if (!version) return settings;
  if (*version != 0 && *version != 1) return std::nullopt;

  const std::optional<int32_t> fontSize = reader.Int32();
  if (!fontSize) return settings;
  settings.fontSize = *fontSize;
  const std::optional<int32_t> offline = reader.Int32();
  if (!offline) return settings;
  settings.offline = *offline != 0;
  const std::optional<int32_t> silent = reader.Int32();
  if (!silent) return settings;
  settings.silent = *silent != 0;

  const std::optional<int32_t> length = reader.Int32();
  if (!length) return settings;
  if (*length < 0) return std::nullopt;
  const std::optional<std::span<const uint8_t>> url = reader.Bytes(static_cast<uint32_t>(*length));
  if (!url) return std::nullopt;
  settings.url = std::string_view(reinterpret_cast<const char*>(url->data()), url->size());
  return settings;
}

}  // namespace tamrivo
