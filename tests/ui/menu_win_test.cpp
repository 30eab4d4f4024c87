// Sub-menus change hands when they are appended: the menu owns one that went in, and one that
// could not go in is destroyed rather than left behind.
#include <gtest/gtest.h>

#include "ui/menu.h"

namespace tamrivo {
namespace {

constexpr MenuItemRecord kMore{.caption = "More", .name = "More", .level = 1};

TEST(AppendSubMenu, TheMenuOwnsWhatWentInAndWhatDidNotIsDestroyed) {
  UniqueMenu menu(CreatePopupMenu());
  ASSERT_TRUE(menu);
  HMENU taken = CreatePopupMenu();
  EXPECT_TRUE(AppendSubMenu(menu.get(), kMore, 1, UniqueMenu(taken)));
  EXPECT_TRUE(IsMenu(taken));
  EXPECT_EQ(GetSubMenu(menu.get(), 0), taken);

  // A menu that is gone takes nothing.
  HMENU gone = CreatePopupMenu();
  HMENU refused = CreatePopupMenu();
  DestroyMenu(gone);
  EXPECT_FALSE(AppendSubMenu(gone, kMore, 1, UniqueMenu(refused)));
  EXPECT_FALSE(IsMenu(refused)) << "left behind";
}

}  // namespace
}  // namespace tamrivo
