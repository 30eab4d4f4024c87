// OwnedText: the program's text value. GBK bytes, NUL-terminated, on the heap, with exactly
// one owner. The empty text is the null reference; only ConcatTexts hands out an allocated
// empty string.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string_view>

namespace tamrivo {

class OwnedText {
 public:
  OwnedText() = default;  // the empty text
  OwnedText(OwnedText&& other) noexcept : bytes_(other.bytes_) { other.bytes_ = nullptr; }
  OwnedText& operator=(OwnedText&& other) noexcept;
  OwnedText(const OwnedText&) = delete;
  OwnedText& operator=(const OwnedText&) = delete;
  ~OwnedText();

  // Copies the bytes; no bytes give the empty text (null).
  static OwnedText Copy(std::string_view bytes);
  // Takes ownership of a block from AllocateText.
  static OwnedText Adopt(char* block) noexcept;

  const char* get() const noexcept { return bytes_; }  // null for the empty text
  // The bytes, with "" standing for the empty text, as the handlers pass texts on.
  const char* c_str() const noexcept { return bytes_ ? bytes_ : ""; }
  std::string_view view() const noexcept { return bytes_ ? std::string_view(bytes_) : std::string_view(); }
  bool is_null() const noexcept { return bytes_ == nullptr; }
  char* release() noexcept;

 private:
  char* bytes_ = nullptr;
};

// A piece of ConcatTexts: a constant, a borrowed OwnedText, or null (counts as empty).
struct TextPiece {
  TextPiece(const char* text) : bytes(text ? std::string_view(text) : std::string_view()) {}
  TextPiece(const OwnedText& text) : bytes(text.view()) {}
  std::string_view bytes;
};

// Heap block of the given size for a text; ends the program with "分配 %d 字节内存失败!"
// when the heap cannot give it.
char* AllocateText(std::size_t bytes);

// Joins the pieces into one new text, allocated even when it is empty.
OwnedText ConcatTexts(std::initializer_list<TextPiece> pieces);

// Returns the text's storage now and leaves the empty text behind.
void ReleaseText(OwnedText& text) noexcept;

}  // namespace tamrivo
