#include "ui/menu.h"

#include "ui/text_encoding.h"

namespace tamrivo {
namespace {

void AppendItem(HMENU menu, const MenuItemRecord& item, int32_t index, HMENU popup = nullptr) {
  if (item.caption && std::string_view(item.caption) == "-") {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    return;
  }
  UINT flags = MF_STRING | (item.disabled ? MF_GRAYED : 0) | (item.checked ? MF_CHECKED : 0);
  UINT_PTR id = kMenuCommandBase + static_cast<UINT_PTR>(index);
  if (popup) {
    flags |= MF_POPUP;
    id = reinterpret_cast<UINT_PTR>(popup);
  }
  AppendMenuW(menu, flags, id, WideFromGbk(item.caption).c_str());
}

// Fills `menu` with the level-1 items that follow the top-level item.
void AppendSubItems(HMENU menu, const Form& form, int32_t topLevel) {
  for (std::size_t i = static_cast<std::size_t>(topLevel) + 1;
       i < form.menu.size() && form.menu[i].level > 0; ++i) {
    if (!form.menu[i].hidden) AppendItem(menu, form.menu[i], static_cast<int32_t>(i));
  }
}

bool HasSubItems(const Form& form, std::size_t topLevel) {
  return topLevel + 1 < form.menu.size() && form.menu[topLevel + 1].level > 0;
}

}  // namespace

UniqueMenu BuildMenuBar(const Form& form) {
  UniqueMenu bar;
  for (std::size_t i = 0; i < form.menu.size(); ++i) {
    const MenuItemRecord& item = form.menu[i];
    if (item.level != 0 || item.hidden) continue;
    if (!bar) bar.reset(CreateMenu());
    if (!bar) return {};
    if (HasSubItems(form, i)) {
      UniqueMenu popup = BuildPopupMenu(form, static_cast<int32_t>(i));
      if (!popup) continue;
      AppendItem(bar.get(), item, static_cast<int32_t>(i), popup.get());
      popup.release();  // the bar owns it now
    } else {
      AppendItem(bar.get(), item, static_cast<int32_t>(i));
    }
  }
  return bar;
}

UniqueMenu BuildPopupMenu(const Form& form, int32_t topLevel) {
  if (topLevel < 0 || static_cast<std::size_t>(topLevel) >= form.menu.size()) return {};
  UniqueMenu popup(CreatePopupMenu());
  if (popup) AppendSubItems(popup.get(), form, topLevel);
  return popup;
}

int32_t MenuItemOfCommand(const Form& form, UINT command) {
  if (command < kMenuCommandBase) return -1;
  const UINT index = command - kMenuCommandBase;
  return index < form.menu.size() ? static_cast<int32_t>(index) : -1;
}

}  // namespace tamrivo
