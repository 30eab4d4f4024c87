// AboutRequested: one routine for AboutButton and AboutItem. The modal loading returns once
// AboutWindow has closed; a second request while it is open brings it to the front.
#include "app/handlers.h"
#include "app/forms/about_window.h"
#include "ui/window.h"

namespace tamrivo {

void AboutRequested() { LoadWindow(AboutWindow, nullptr, true); }

}  // namespace tamrivo
