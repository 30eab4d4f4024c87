// The program's entry routine. Its window-event handlers are declared with the others in
// handlers.h.
#pragma once

#include <cstdint>

namespace tamrivo {

// Starts the process-wide services, shows MainWindow and runs the message loop until the last
// window is gone. Returns the exit code, 0.
int32_t ProgramMain();

}  // namespace tamrivo
