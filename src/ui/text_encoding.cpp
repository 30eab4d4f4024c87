#include "ui/text_encoding.h"

#include <windows.h>

#include <climits>

namespace tamrivo {

std::wstring WideFromGbk(const char* text) {
  return text ? WideFromGbk(std::string_view(text)) : std::wstring();
}

std::wstring WideFromGbk(std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int bytes = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(kGbkCodePage, 0, text.data(), bytes, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(kGbkCodePage, 0, text.data(), bytes, wide.data(), length);
  return wide;
}

std::size_t GbkLength(std::wstring_view text) {
  if (text.empty() || text.size() > INT_MAX) return 0;
  const int length = WideCharToMultiByte(kGbkCodePage, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  return length > 0 ? static_cast<std::size_t>(length) : 0;
}

OwnedText GbkFromWide(std::wstring_view text) {
  const std::size_t length = GbkLength(text);
  if (length == 0) return {};
  char* block = AllocateText(length + 1);
  WideCharToMultiByte(kGbkCodePage, 0, text.data(), static_cast<int>(text.size()), block,
                      static_cast<int>(length), nullptr, nullptr);
  block[length] = '\0';
  return OwnedText::Adopt(block);
}

}  // namespace tamrivo
