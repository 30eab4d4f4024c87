// How the handlers read and write MainWindow's fields: each read is a new text, converted
// and released at once; an empty field reads as "".
#pragma once

#include <cstdint>

#include "services/convert.h"
#include "app/forms/main_window.h"
#include "ui/window.h"

namespace tamrivo {

inline double NumberOf(MainWindowControl edit) {
  return ToNumber(GetTextProperty(MainWindow, edit, kText).c_str());
}

inline int32_t IntOf(MainWindowControl edit) {
  return ToInt(GetTextProperty(MainWindow, edit, kText).c_str());
}

inline void WriteText(MainWindowControl edit, const char* text) {
  SetControlProperty(MainWindow, edit, kText, text);
}

inline bool IsChecked(MainWindowControl button) {
  return GetIntProperty(MainWindow, button, kChecked) == 1;
}

// The item value of the combo box's selected item; -1 when none is selected.
inline int32_t SelectedItemValue(MainWindowControl combo) {
  return ComboItemValue(MainWindow, combo, GetIntProperty(MainWindow, combo, kSelection));
}

}  // namespace tamrivo
