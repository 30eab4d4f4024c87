// Arbitrary bytes as the text of an edit box: folding, ToInt and ToNumber must read any of
// them without a fault, and ToNumber must agree with the C library's strtod wherever the text
// is plain decimal notation.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "services/convert.h"

namespace {

bool IsPlainDecimal(const std::string& text) {
  for (char c : text) {
    if (!std::strchr("0123456789.eE+- \t\n\v\f\r", c)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tamrivo;
  const std::string text(reinterpret_cast<const char*>(data), size);  // stops at a NUL below

  const OwnedText folded = FoldFullWidth(text.c_str());
  const size_t length = std::strlen(text.c_str());
  if (folded.view().size() > length) std::abort();
  if (folded.get() && folded.view().empty()) std::abort();  // the empty text is null
  // Folding a folded text changes nothing, so both read the same.
  const OwnedText again = FoldFullWidth(folded.get());
  if (again.view() != folded.view()) std::abort();

  const int32_t integer = ToInt(text.c_str());
  if (ToInt(folded.get()) != integer) std::abort();

  const double number = ToNumber(text.c_str());
  if (std::isnan(number)) std::abort();
  const double fromFolded = ToNumber(folded.get());
  if (!(fromFolded == number && std::signbit(fromFolded) == std::signbit(number))) std::abort();

  // 'd' and 'D' are exponent letters here and not for strtod; otherwise the two read the same.
  std::string plain(folded.view());
  for (char& c : plain) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  if (IsPlainDecimal(plain)) {
    const double expected = std::strtod(plain.c_str(), nullptr);
    if (!(expected == number && std::signbit(expected) == std::signbit(number))) std::abort();
  }
  return 0;
}
