// Owners of Win32 handles. One move-only holder, a typedef per kind of handle, and two
// undo-on-exit holders (a window's DC, an object selected into a DC). Internal to the layer.
#pragma once

#include <windows.h>

#include <utility>

namespace tamrivo {

// Owns one handle and frees it through Traits::Free when it goes or is replaced.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }

  Handle release() noexcept { return std::exchange(handle_, nullptr); }
  void reset(Handle handle = nullptr) noexcept {
    Handle old = std::exchange(handle_, handle);
    if (old) Traits::Free(old);
  }

 private:
  Handle handle_ = nullptr;
};

struct WindowTraits {
  using Handle = HWND;
  static void Free(HWND h) noexcept { DestroyWindow(h); }
};
struct IconTraits {
  using Handle = HICON;
  static void Free(HICON h) noexcept { DestroyIcon(h); }
};
struct MenuTraits {
  using Handle = HMENU;
  static void Free(HMENU h) noexcept { DestroyMenu(h); }
};
struct FontTraits {
  using Handle = HFONT;
  static void Free(HFONT h) noexcept { DeleteObject(h); }
};
struct BrushTraits {
  using Handle = HBRUSH;
  static void Free(HBRUSH h) noexcept { DeleteObject(h); }
};
struct BitmapTraits {
  using Handle = HBITMAP;
  static void Free(HBITMAP h) noexcept { DeleteObject(h); }
};
struct MemoryDcTraits {
  using Handle = HDC;
  static void Free(HDC h) noexcept { DeleteDC(h); }
};

using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueFont = UniqueHandle<FontTraits>;
using UniqueBrush = UniqueHandle<BrushTraits>;
using UniqueBitmap = UniqueHandle<BitmapTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;  // from CreateCompatibleDC

// The DC of a window (GetDC), given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a DC; the previous one goes back in when this ends.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace tamrivo
