// Owners of Win32 handles and COM pointers. One move-only holder with a typedef per kind of
// handle, a COM pointer holder, and undo-on-exit holders for the DCs a window lends
// (GetDC, GetWindowDC, BeginPaint) and for an object selected into a DC. Internal to the layer.
#pragma once

#include <windows.h>
#include <unknwn.h>

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
using UniquePen = UniqueHandle<HandleTraits<HPEN, DeleteObject>>;
using UniqueRegion = UniqueHandle<HandleTraits<HRGN, DeleteObject>>;
using UniqueHook = UniqueHandle<HandleTraits<HHOOK, UnhookWindowsHookEx>>;

// A DC that a window lends, given back with ReleaseDC: the client area's (GetDC) or the whole
// window's, frame included (GetWindowDC).
class WindowDc {
 public:
  enum Area { Client, WholeWindow };
  explicit WindowDc(HWND window, Area area = Client) noexcept
      : window_(window), dc_(area == Client ? GetDC(window) : GetWindowDC(window)) {}
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

// The painting of a WM_PAINT: BeginPaint now, EndPaint when this ends.
class PaintDc {
 public:
  explicit PaintDc(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { EndPaint(window_, &paint_); }
  HDC get() const noexcept { return dc_; }
  const RECT& area() const noexcept { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Owns one reference to a COM object: Release when it goes or is replaced.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  explicit ComPtr(Interface* owned) noexcept : pointer_(owned) {}  // takes over a reference
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) reset(std::exchange(other.pointer_, nullptr));
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { reset(); }

  Interface* get() const noexcept { return pointer_; }
  Interface* operator->() const noexcept { return pointer_; }
  explicit operator bool() const noexcept { return pointer_ != nullptr; }

  // For functions that hand out a new reference: the old one is released first.
  Interface** put() noexcept {
    reset();
    return &pointer_;
  }
  void reset(Interface* owned = nullptr) noexcept {
    if (Interface* old = std::exchange(pointer_, owned)) old->Release();
  }

 private:
  Interface* pointer_ = nullptr;
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
