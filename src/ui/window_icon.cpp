#include "ui/window_icon.h"

#include "services/icon_file.h"

namespace tamrivo {

UniqueIcon IconFromIconFile(const uint8_t* bytes, std::size_t size, int width, int height) {
  // A window's icon comes from an icon file (type 1), never from a cursor file.
  if (!bytes || size < 4 || bytes[2] != 1 || bytes[3] != 0) return {};
  const std::optional<IconImage> image = ChooseIconImageForSize({bytes, size}, width);
  if (!image) return {};
  // CreateIconFromResourceEx takes a non-const buffer; it only reads from it.
  auto* data = const_cast<BYTE*>(image->data.data());
  return UniqueIcon(CreateIconFromResourceEx(data, static_cast<DWORD>(image->data.size()), TRUE,
                                             0x00030000, width, height, LR_DEFAULTCOLOR));
}

UniqueIcon ProgramIcon(int width, int height) {
  return UniqueIcon(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, width, height, 0)));
}

}  // namespace tamrivo
