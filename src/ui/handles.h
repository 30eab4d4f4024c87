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

// How a kind of handle is freed.
template <typename H, auto FreeFunction>
struct HandleTraits {
  using Handle = H;
  static void Free(H handle) noexcept { FreeFunction(handle); }
};

using UniqueWindow = UniqueHandle<HandleTraits<HWND, DestroyWindow>>;
using UniqueIcon = UniqueHandle<HandleTraits<HICON, DestroyIcon>>;
using UniqueMenu = UniqueHandle<HandleTraits<HMENU, DestroyMenu>>;
using UniqueFont = UniqueHandle<HandleTraits<HFONT, DeleteObject>>;
using UniqueBrush = UniqueHandle<HandleTraits<HBRUSH, DeleteObject>>;
using UniqueBitmap = UniqueHandle<HandleTraits<HBITMAP, DeleteObject>>;
using UniqueMemoryDc = UniqueHandle<HandleTraits<HDC, DeleteDC>>;  // from CreateCompatibleDC

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
