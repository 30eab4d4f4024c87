// Drop-down list combo boxes: their items and the form's closed height and list reach.
// Internal to the layer.
#pragma once

#include <windows.h>

#include "ui/window_instance.h"

namespace tamrivo {

void SetUpComboBox(ControlInstance& combo);
// An open list takes Esc and Enter to close itself.
bool ComboBoxWantsKey(HWND combo, UINT key);
// The native window's height: a combo box's includes its opened list.
int32_t ComboBoxCreationHeight(const ControlRecord& record);

}  // namespace tamrivo
