#include "system/resources.h"

#include <windows.h>

#include "resources/resource_ids.h"

namespace tamrivo {
namespace {

// Resource data stays mapped with the executable for the life of the process, and its
// handles need no release, so a view into it can be handed out freely.
std::span<const uint8_t> RawResource(int id) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  return {static_cast<const uint8_t*>(data), SizeofResource(module, found)};
}

}  // namespace

std::span<const uint8_t> TrayIconBytes() { return RawResource(IDR_TRAY_ICON); }

std::span<const uint8_t> MainWindowIconBytes() { return RawResource(IDR_MAIN_WINDOW_ICON); }

}  // namespace tamrivo
