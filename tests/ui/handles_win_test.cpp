// The handle owners free exactly once: on leaving, on replacement, never after a move or
// a release.
#include <gtest/gtest.h>

#include <utility>

#include "ui/handles.h"

namespace tamrivo {
namespace {

bool IsLiveBrush(HBRUSH brush) { return GetObjectType(brush) == OBJ_BRUSH; }

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

}  // namespace
}  // namespace tamrivo
