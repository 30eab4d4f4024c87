// Native menus made from a form's menu items. Internal to the layer.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/form.h"
#include "ui/handles.h"

namespace tamrivo {

// A menu item's command is this base plus its index in the form. Commands of 57600 and up are
// never menu items.
inline constexpr UINT kMenuCommandBase = 20000;

// The menu bar: every visible top-level item with the items under it. Null when the form has
// no visible top-level item, as a window without a menu bar needs.
UniqueMenu BuildMenuBar(const Form& form);

// The items under the item `topLevel`, as a pop-up menu (a hidden top-level item's items are
// used this way, for instance by the tray icon). An item with deeper items under it becomes a
// sub-menu of them.
UniqueMenu BuildPopupMenu(const Form& form, int32_t topLevel);

// Appends the item with a sub-menu under it; from then on the menu owns the sub-menu. One that
// cannot be appended is destroyed here. False then.
bool AppendSubMenu(HMENU menu, const MenuItemRecord& item, int32_t index, UniqueMenu popup);

// The index of the menu item that sent the command, or -1.
int32_t MenuItemOfCommand(const Form& form, UINT command);

}  // namespace tamrivo
