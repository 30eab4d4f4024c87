// The handle owners free exactly once: on leaving, on replacement, never after a move or
// a release.
#include <gtest/gtest.h>

#include <utility>

#include "ui/handles.h"

namespace tamrivo {
namespace {

bool IsLiveBrush(HBRUSH brush) { return GetObjectType(brush) == OBJ_BRUSH; }

// Counts its references, as a COM object does.
struct CountedObject : IUnknown {
  ULONG references = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
};

int g_hookCalls = 0;
LRESULT CALLBACK CountingHook(int code, WPARAM wParam, LPARAM lParam) {
  ++g_hookCalls;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool g_paintedAll = false;
LRESULT CALLBACK PaintingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    {
      PaintDc paint(hwnd);
      g_paintedAll = paint.get() != nullptr && !IsRectEmpty(&paint.area());
    }
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST(Handles, OwnersFreeOnceAndMoveOwnership) {
  HBRUSH first = CreateSolidBrush(RGB(1, 2, 3));
  HBRUSH second = CreateSolidBrush(RGB(4, 5, 6));
  {
    UniqueBrush owner(first);
    UniqueBrush taker(std::move(owner));
    EXPECT_FALSE(owner);
    EXPECT_EQ(taker.get(), first);
    taker.reset(second);  // the old one goes now
    EXPECT_FALSE(IsLiveBrush(first));
    EXPECT_TRUE(IsLiveBrush(second));
  }
  EXPECT_FALSE(IsLiveBrush(second));

  HBRUSH kept = CreateSolidBrush(RGB(7, 8, 9));
  {
    UniqueBrush owner(kept);
    EXPECT_EQ(owner.release(), kept);
  }
  EXPECT_TRUE(IsLiveBrush(kept));
  DeleteObject(kept);
}

TEST(Handles, WindowOwnerDestroysItsWindowAndSelectionIsUndone) {
  HWND hwnd = nullptr;
  {
    UniqueWindow window(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    hwnd = window.get();
    ASSERT_TRUE(IsWindow(hwnd));
  }
  EXPECT_FALSE(IsWindow(hwnd));

  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  UniqueBrush brush(CreateSolidBrush(RGB(1, 1, 1)));
  HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_BRUSH);
  {
    SelectedObject selected(dc.get(), brush.get());
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), brush.get());
  }
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), before);
}

TEST(Handles, PensRegionsAndHooksAreFreedOnLeaving) {
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  HRGN region = CreateRectRgn(0, 0, 4, 4);
  {
    UniquePen ownPen(pen);
    UniqueRegion ownRegion(region);
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(GetObjectType(region), static_cast<DWORD>(OBJ_REGION));
  }
  EXPECT_EQ(GetObjectType(pen), 0u);
  EXPECT_EQ(GetObjectType(region), 0u);

  {
    UniqueHook hook(SetWindowsHookExW(WH_CALLWNDPROC, CountingHook, nullptr, GetCurrentThreadId()));
    ASSERT_TRUE(hook);
    UniqueWindow window(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    EXPECT_GT(g_hookCalls, 0);
  }
  g_hookCalls = 0;
  UniqueWindow after(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(g_hookCalls, 0) << "the hook stayed installed";
}

TEST(Handles, ComPointerReleasesItsOneReference) {
  CountedObject object;
  {
    ComPtr<IUnknown> owner(&object);
    ComPtr<IUnknown> taker(std::move(owner));
    EXPECT_FALSE(owner);
    EXPECT_EQ(object.references, 1u);
    object.AddRef();
    *taker.put() = &object;  // put() releases the old reference first
    EXPECT_EQ(object.references, 1u);
  }
  EXPECT_EQ(object.references, 0u);
}

TEST(Handles, LentDcsGoBackAndPaintingValidates) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = PaintingProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TamrivoPaintDcTest";
  RegisterClassW(&windowClass);
  UniqueWindow window(CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40,
                                      nullptr, nullptr, windowClass.hInstance, nullptr));
  ASSERT_TRUE(window);
  {
    WindowDc whole(window.get(), WindowDc::WholeWindow);
    EXPECT_NE(whole.get(), nullptr);
  }
  InvalidateRect(window.get(), nullptr, FALSE);
  UpdateWindow(window.get());
  EXPECT_TRUE(g_paintedAll);
  RECT left{};
  EXPECT_FALSE(GetUpdateRect(window.get(), &left, FALSE)) << "EndPaint did not validate";
}

}  // namespace
}  // namespace tamrivo
