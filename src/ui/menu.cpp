#include "ui/menu.h"

#include <utility>

#include "ui/text_encoding.h"

namespace tamrivo {
namespace {

bool AppendItem(HMENU menu, const MenuItemRecord& item, int32_t index, HMENU popup = nullptr) {
  if (item.caption && std::string_view(item.caption) == "-") {
    return AppendMenuW(menu, MF_SEPARATOR, 0, nullptr) != FALSE;
  }
  UINT flags = MF_STRING | (item.disabled ? MF_GRAYED : 0) | (item.checked ? MF_CHECKED : 0);
  UINT_PTR id = kMenuCommandBase + static_cast<UINT_PTR>(index);
  if (popup) {
    flags |= MF_POPUP;
    id = reinterpret_cast<UINT_PTR>(popup);
  }
  return AppendMenuW(menu, flags, id, WideFromGbk(item.caption).c_str()) != FALSE;
}

// The index after the items under `item`: those of a deeper level that follow it.
std::size_t EndOfSubItems(const Form& form, std::size_t item) {
  std::size_t i = item + 1;
  while (i < form.menu.size() && form.menu[i].level > form.menu[item].level) ++i;
  return i;
}

bool HasSubItems(const Form& form, std::size_t item) { return EndOfSubItems(form, item) > item + 1; }

// Fills `menu` with the items under `parent`; one with items under it brings them as a
// sub-menu, and a hidden one leaves out everything under it too.
void AppendSubItems(HMENU menu, const Form& form, std::size_t parent) {
  const std::size_t end = EndOfSubItems(form, parent);
  for (std::size_t i = parent + 1; i < end; i = EndOfSubItems(form, i)) {
    const MenuItemRecord& item = form.menu[i];
    const auto index = static_cast<int32_t>(i);
    if (item.hidden) continue;
    if (!HasSubItems(form, i)) {
      AppendItem(menu, item, index);
      continue;
    }
    if (UniqueMenu popup = BuildPopupMenu(form, index)) AppendSubMenu(menu, item, index, std::move(popup));
  }
}

}  // namespace

bool AppendSubMenu(HMENU menu, const MenuItemRecord& item, int32_t index, UniqueMenu popup) {
  if (!AppendItem(menu, item, index, popup.get())) return false;  // the holder destroys it
  popup.release();  // the menu owns it now
  return true;
}

UniqueMenu BuildMenuBar(const Form& form) {
  UniqueMenu bar;
  for (std::size_t i = 0; i < form.menu.size(); ++i) {
    const MenuItemRecord& item = form.menu[i];
    if (item.level != 0 || item.hidden) continue;
    if (!bar) bar.reset(CreateMenu());
    if (!bar) return {};
    if (HasSubItems(form, i)) {
      if (UniqueMenu popup = BuildPopupMenu(form, static_cast<int32_t>(i))) {
        AppendSubMenu(bar.get(), item, static_cast<int32_t>(i), std::move(popup));
      }
    } else {
      AppendItem(bar.get(), item, static_cast<int32_t>(i));
    }
  }
  return bar;
}

UniqueMenu BuildPopupMenu(const Form& form, int32_t topLevel) {
  if (topLevel < 0 || static_cast<std::size_t>(topLevel) >= form.menu.size()) return {};
  UniqueMenu popup(CreatePopupMenu());
  if (popup) AppendSubItems(popup.get(), form, static_cast<std::size_t>(topLevel));
  return popup;
}

int32_t MenuItemOfCommand(const Form& form, UINT command) {
  if (command < kMenuCommandBase) return -1;
  const UINT index = command - kMenuCommandBase;
  return index < form.menu.size() ? static_cast<int32_t>(index) : -1;
}

}  // namespace tamrivo
