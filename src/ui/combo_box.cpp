#include "ui/combo_box.h"

#include <algorithm>

#include "ui/text_encoding.h"

namespace tamrivo {

namespace {

int OuterHeight(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect.bottom - rect.top;
}

}  // namespace

void SetUpComboBox(ControlInstance& control) {
  HWND combo = control.hwnd;
  const ControlSettings& s = control.record->settings;
  for (const ComboItem& item : s.items) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromGbk(item.text).c_str()));
  }
  // Items one pixel taller than the font makes them. Some combo boxes take this only for
  // owner-drawn items; their list box takes it directly.
  const LRESULT itemHeight = SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
  if (itemHeight > 0) {
    SendMessageW(combo, CB_SETITEMHEIGHT, 0, itemHeight + 1);
    COMBOBOXINFO info{sizeof(COMBOBOXINFO)};
    if (SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0) != itemHeight + 1 && GetComboBoxInfo(combo, &info)) {
      SendMessageW(info.hwndList, LB_SETITEMHEIGHT, 0, itemHeight + 1);
    }
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(s.selected), 0);

  // The window height of a combo box sets how far its opened list reaches (the list is what
  // lies below the closed box), and the closed box then takes the height its font gives it.
  // The form wants both its own closed height and the list to end droppedHeight below the
  // top: so the list is made as much longer as the closed box will shrink, then the box shrinks.
  const int wanted = control.record->height;
  if (s.droppedHeight > wanted) {
    auto resize = [&](int height) {
      SetWindowPos(combo, nullptr, 0, 0, control.record->width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    resize(s.droppedHeight);
    const int natural = OuterHeight(combo);
    if (natural != wanted) resize(s.droppedHeight + natural - wanted);
  }
  // The selection field grows or shrinks by the difference, measured again after each step:
  // implementations count the field's border differently when it is set and when it is read.
  LRESULT field = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  for (int attempt = 0; attempt < 3 && field > 0; ++attempt) {
    const int difference = wanted - OuterHeight(combo);
    if (difference == 0 || field + difference <= 0) break;
    field += difference;
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
}

bool ComboBoxWantsKey(HWND combo, UINT) { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }

int32_t ComboBoxCreationHeight(const ControlRecord& record) {
  return std::max(record.height, record.settings.droppedHeight);
}

}  // namespace tamrivo
