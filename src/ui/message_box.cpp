// ShowMessage: the platform's message box with texts converted from GBK.
#include <windows.h>

#include "ui/text_encoding.h"
#include "ui/window.h"

namespace tamrivo {
namespace {

int32_t ButtonCode(int pressed) {
  switch (pressed) {
    case IDOK: return 0;
    case IDCANCEL: return 1;
    case IDABORT: return 2;
    case IDRETRY: return 3;
    case IDIGNORE: return 4;
    case IDYES: return 5;
    case IDNO: return 6;
    default: return -1;  // the box could not be shown
  }
}

}  // namespace

int32_t ShowMessage(const char* text, int32_t flags, const char* title) {
  auto style = static_cast<UINT>(flags);
  // Task-modal unless system-modal was asked for: every window of the program is disabled
  // while the box is open, though the box has no owner.
  if (!(style & MB_SYSTEMMODAL)) style |= MB_TASKMODAL;
  const std::wstring wideText = WideFromGbk(text);
  const std::wstring wideTitle = WideFromGbk(title ? title : "信息：");
  return ButtonCode(MessageBoxW(nullptr, wideText.c_str(), wideTitle.c_str(), style));
}

}  // namespace tamrivo
