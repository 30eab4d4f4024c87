// Edit boxes: their styles from the form, and typing and pasting that count the length limit
// in GBK bytes, as the program holds its texts. Internal to the layer.
#pragma once

#include <windows.h>

#include "ui/control_kinds.h"

namespace tamrivo {

NativeStyle EditBoxStyle(const ControlSettings& settings);
void SetUpEditBox(ControlInstance& edit);
bool EditBoxMessage(WindowInstance& window, int32_t index, UINT message, WPARAM wParam, LPARAM lParam,
                    LRESULT& result);
// A multi-line box that can be written takes Enter for a new line.
bool EditBoxWantsKey(HWND edit, UINT key);

}  // namespace tamrivo
