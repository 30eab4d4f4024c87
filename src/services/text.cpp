#include "services/text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "services/fatal.h"

namespace tamrivo {

OwnedText& OwnedText::operator=(OwnedText&& other) noexcept {
  if (this != &other) {
    std::free(bytes_);
    bytes_ = other.bytes_;
    other.bytes_ = nullptr;
  }
  return *this;
}

OwnedText::~OwnedText() { std::free(bytes_); }

OwnedText OwnedText::Copy(std::string_view bytes) {
  if (bytes.empty()) return {};
  char* block = AllocateText(bytes.size() + 1);
  std::memcpy(block, bytes.data(), bytes.size());
  block[bytes.size()] = '\0';
  return Adopt(block);
}

OwnedText OwnedText::Adopt(char* block) noexcept {
  OwnedText text;
  text.bytes_ = block;
  return text;
}

char* OwnedText::release() noexcept {
  char* block = bytes_;
  bytes_ = nullptr;
  return block;
}

char* AllocateText(std::size_t bytes) {
  void* block = std::malloc(bytes);
  if (!block) {
    // The message counts the request as the program's 32-bit integers do.
    char message[64];
    std::snprintf(message, sizeof message, "分配 %d 字节内存失败!", static_cast<int>(bytes));
    ReportFatalError(message);
  }
  return static_cast<char*>(block);
}

OwnedText ConcatTexts(std::initializer_list<TextPiece> pieces) {
  std::size_t length = 0;
  for (const TextPiece& piece : pieces) length += piece.bytes.size();
  char* block = AllocateText(length + 1);
  char* end = block;
  for (const TextPiece& piece : pieces) {
    if (!piece.bytes.empty()) std::memcpy(end, piece.bytes.data(), piece.bytes.size());
    end += piece.bytes.size();
  }
  *end = '\0';
  return OwnedText::Adopt(block);
}

void ReleaseText(OwnedText& text) noexcept { text = OwnedText(); }

}  // namespace tamrivo
