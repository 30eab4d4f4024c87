// The program's texts are GBK; Windows' wide functions take UTF-16. The conversion names code
// page 936 itself rather than the ANSI code page, so the Chinese texts come out right whatever
// the display language of the system is.
#pragma once

#include <string>
#include <string_view>

#include "services/text.h"

namespace tamrivo {

inline constexpr unsigned kGbkCodePage = 936;

// GBK bytes to UTF-16. Null gives the empty string.
std::wstring WideFromGbk(const char* text);
std::wstring WideFromGbk(std::string_view text);

// UTF-16 to a new GBK text; characters GBK lacks become '?'. Empty gives the empty text.
OwnedText GbkFromWide(std::wstring_view text);

// How many GBK bytes the UTF-16 text takes.
std::size_t GbkLength(std::wstring_view text);

}  // namespace tamrivo
