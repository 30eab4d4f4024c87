// The service window: a hidden, zero-sized tool window that owns the modal windows and the
// windows without a taskbar button, so that they get no taskbar button of their own. The
// process frame creates it at start and destroys it at exit; the layer creates it on first use
// when nobody has.
#pragma once

namespace tamrivo {

void CreateServiceWindow();
// Destroys it, and with it every window it still owns.
void DestroyServiceWindow();

}  // namespace tamrivo
