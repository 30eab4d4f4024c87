// The power actions: shut down, restart, log off, stand by, hibernate.
#pragma once

#include <cstdint>

namespace tamrivo {

// 1 shut down, 2 restart, 3 log off, 4 stand by, 5 hibernate; anything else is refused.
using ActionCode = int32_t;

// Asks Windows for the action, after enabling the shut-down privilege. True when Windows
// accepted the request.
bool PerformPowerAction(ActionCode code, bool force = false);

// Enables SeShutdownPrivilege in the process token (nothing to do outside the NT family).
bool EnableShutdownPrivilege();

}  // namespace tamrivo
