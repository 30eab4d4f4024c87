#include "ui/edit_box.h"

#include <algorithm>
#include <string>

#include "ui/controls.h"
#include "ui/text_encoding.h"

namespace tamrivo {
namespace {

// How many GBK bytes the edit box can still take in place of its selection.
std::size_t RoomFor(HWND edit, int32_t limit) {
  std::wstring text = NativeText(edit);
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (start > end) std::swap(start, end);
  end = std::min<DWORD>(end, static_cast<DWORD>(text.size()));
  start = std::min(start, end);
  text.erase(start, end - start);
  const std::size_t used = GbkLength(text);
  return used >= static_cast<std::size_t>(limit) ? 0 : static_cast<std::size_t>(limit) - used;
}

// Pastes the first line of the clipboard's text, as much of it as fits.
void PasteWithinLimit(HWND edit, int32_t limit) {
  if (!OpenClipboard(edit)) return;
  std::wstring pasted;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      pasted = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  pasted = pasted.substr(0, pasted.find_first_of(L"\r\n"));
  const std::size_t room = RoomFor(edit, limit);
  std::size_t take = 0;
  while (take < pasted.size() && GbkLength(std::wstring_view(pasted).substr(0, take + 1)) <= room) {
    ++take;
  }
  pasted.resize(take);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
}

}  // namespace

NativeStyle EditBoxStyle(const ControlSettings& s) {
  NativeStyle native{};
  if (s.alignment == Alignment::Centre) native.style |= ES_CENTER;
  if (s.alignment == Alignment::Right) native.style |= ES_RIGHT;
  if (s.border == EditBorder::Single) native.style |= WS_BORDER;
  if (s.border == EditBorder::Sunken) native.exStyle |= WS_EX_CLIENTEDGE;
  return native;
}

void SetUpEditBox(ControlInstance& edit) {
  const int32_t limit = edit.record->settings.lengthLimit;
  if (limit > 0) SendMessageW(edit.hwnd, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

bool EditBoxMessage(WindowInstance& window, int32_t index, UINT message, WPARAM wParam, LPARAM,
                    LRESULT& result) {
  const ControlInstance& edit = window.controls[static_cast<std::size_t>(index)];
  const int32_t limit = edit.record->settings.lengthLimit;
  if (limit <= 0) return false;
  if ((message == WM_CHAR || message == WM_IME_CHAR) && wParam >= 0x20 && wParam != 0x7F) {
    const wchar_t typed[] = {static_cast<wchar_t>(wParam), L'\0'};
    if (GbkLength(typed) <= RoomFor(edit.hwnd, limit)) return false;
    result = 0;  // refused, as a full box does
    return true;
  }
  if (message == WM_PASTE) {
    PasteWithinLimit(edit.hwnd, limit);
    result = 0;
    return true;
  }
  return false;
}

bool EditBoxWantsKey(HWND edit, UINT key) {
  if (key != VK_RETURN) return false;
  const LONG_PTR style = GetWindowLongPtrW(edit, GWL_STYLE);
  return (style & ES_MULTILINE) && !(style & ES_READONLY);
}

}  // namespace tamrivo
