// Feeds arbitrary bytes to the reader of a web view's stored settings. The sanitizers catch any
// read outside the input; the checks below catch a url that is not the bytes after the five
// integers, and a text size outside the five the browser knows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "services/web_view_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::optional<tamrivo::WebViewSettings> settings =
      tamrivo::ReadWebViewSettings(std::span<const uint8_t>(data, size));
  if (!settings) return 0;
  const int32_t applied = tamrivo::FontSizeToApply(settings->fontSize);
  if (applied < 0 || applied > 4) std::abort();
  if (settings->url.empty()) return 0;
  const auto* begin = reinterpret_cast<const uint8_t*>(settings->url.data());
  constexpr size_t kUrlAt = 5 * 4;
  if (size < kUrlAt || begin != data + kUrlAt || settings->url.size() > size - kUrlAt) {
    std::abort();
  }
  volatile uint8_t sum = 0;  // touch every byte, so that a view reaching past the input is read
  for (char c : settings->url) sum = sum + static_cast<uint8_t>(c);
  return 0;
}
