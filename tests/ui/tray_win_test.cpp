// The tray icon of a real window: what reaches the shell when, the mouse notifications as tray
// events, the pop-up menu as the user sees it, and the icon made from icon-file bytes.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "shell_stand_in.h"
#include "system/resources.h"
#include "ui/tray.h"
#include "ui/message_loop.h"
#include "ui/window.h"
#include "ui/window_instance.h"

namespace tamrivo {
namespace {

using test::StandInShell;

std::vector<std::string> g_events;  // what the test window's handlers saw, in order

void RecordTrayEvent(int32_t type) { g_events.push_back("tray " + std::to_string(type)); }
void RecordDestroy() { g_events.push_back("destroy"); }
void ChooseOne() { g_events.push_back("one"); }
void ChooseInner() { g_events.push_back("inner"); }
void ChooseLast() { g_events.push_back("last"); }

enum : int32_t { kTop, kOne, kSeparator, kHidden, kGrey, kTicked, kMore, kInner, kLast, kBare };
constexpr std::array<MenuItemRecord, 10> kMenu{{
    {.caption = "Top", .name = "Top", .level = 0, .hidden = true},
    {.caption = "One(&O)", .name = "One", .level = 1, .selected = ChooseOne},
    {.caption = "-", .name = "Separator", .level = 1},
    {.caption = "Hidden", .name = "Hidden", .level = 1, .hidden = true},
    {.caption = "灰色", .name = "Grey", .level = 1, .disabled = true},
    {.caption = "Ticked", .name = "Ticked", .level = 1, .checked = true},
    {.caption = "More", .name = "More", .level = 1},
    {.caption = "Inner", .name = "Inner", .level = 2, .selected = ChooseInner},
    {.caption = "Last", .name = "Last", .level = 1, .selected = ChooseLast},
    {.caption = "Bare", .name = "Bare", .level = 0, .hidden = true},
}};

// Hidden, like MainWindow in the tray.
constexpr Form kTrayWindow{
    .name = "TrayWindow", .title = "Tray test", .left = 10, .top = 10, .width = 200,
    .height = 100, .placement = Placement::Stored, .minimizeBox = false, .maximizeBox = false,
    .visible = false, .inTaskbar = true, .escCloses = false, .enterMovesFocus = false,
    .icon = nullptr,
    .events = {.trayEvent = RecordTrayEvent, .destroyed = RecordDestroy},
    .controls = {}, .menu = kMenu};

HWND TrayWindowHandle() { return FindInstance(kTrayWindow)->hwnd; }

void PumpPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchLoopMessage(message);
}

void DestroyTrayWindow() {
  if (!IsWindowLoaded(kTrayWindow)) return;
  RequestDestroy(kTrayWindow);
  PumpPending();
}

class TrayTest : public testing::Test {
 protected:
  void SetUp() override {
    g_events.clear();
    ASSERT_TRUE(shell_.found()) << "the stand-in is not the shell Shell_NotifyIconW finds";
    ASSERT_TRUE(LoadWindow(kTrayWindow));
  }
  void TearDown() override { DestroyTrayWindow(); }

  std::vector<DWORD> Commands() const {
    std::vector<DWORD> commands;
    for (const auto& request : shell_.requests()) commands.push_back(request.command);
    return commands;
  }

  StandInShell shell_;
};

TEST_F(TrayTest, AddsOnceThenModifiesInPlaceAndRemovesAfterTheDestroyEvent) {
  EXPECT_TRUE(SetTrayIcon(kTrayWindow, TrayIconBytes(), "Tamrivo"));
  ASSERT_EQ(shell_.requests().size(), 1u);
  const auto& added = shell_.requests()[0];
  EXPECT_EQ(added.command, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(added.window, TrayWindowHandle());
  EXPECT_EQ(added.id, 100u);
  EXPECT_EQ(added.flags, 7u);
  EXPECT_EQ(added.callbackMessage, 32868u);

  EXPECT_TRUE(SetTrayIcon(kTrayWindow, TrayIconBytes(), "Tamrivo"));
  EXPECT_EQ(Commands(), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY}));
  EXPECT_EQ(shell_.requests()[1].flags, 7u);

  RequestDestroy(kTrayWindow);
  // The destroy handler looks at the shell's record when it runs.
  PumpPending();
  EXPECT_EQ(Commands(), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_DELETE}));
  EXPECT_EQ(g_events, std::vector<std::string>{"destroy"});
}

TEST_F(TrayTest, BytesWithoutAnImageRemoveTheIconOrChangeNothing) {
  const std::vector<uint8_t> broken = {0, 0, 1, 0, 1, 0};  // a directory entry is missing
  // The image data one byte shorter than its directory entry says.
  const std::vector<uint8_t> cut(TrayIconBytes().begin(), TrayIconBytes().end() - 1);
  EXPECT_FALSE(SetTrayIcon(kTrayWindow, {}, "Tamrivo"));
  EXPECT_FALSE(SetTrayIcon(kTrayWindow, broken, "Tamrivo"));
  EXPECT_FALSE(SetTrayIcon(kTrayWindow, cut, "Tamrivo"));
  EXPECT_TRUE(shell_.requests().empty());

  ASSERT_TRUE(SetTrayIcon(kTrayWindow, TrayIconBytes(), "Tamrivo"));
  EXPECT_FALSE(SetTrayIcon(kTrayWindow, broken, "Tamrivo"));
  EXPECT_EQ(Commands(), (std::vector<DWORD>{NIM_ADD, NIM_DELETE}));
  // Removed: the window's destruction has nothing left to delete.
  DestroyTrayWindow();
  EXPECT_EQ(Commands(), (std::vector<DWORD>{NIM_ADD, NIM_DELETE}));
}

TEST_F(TrayTest, AnIconTheShellRefusedIsReportedAndAddedAgainLater) {
  shell_.set_accept(false);
  EXPECT_FALSE(SetTrayIcon(kTrayWindow, TrayIconBytes(), "Tamrivo"));
  shell_.set_accept(true);
  EXPECT_TRUE(SetTrayIcon(kTrayWindow, TrayIconBytes(), "Tamrivo"));
  EXPECT_EQ(Commands(), (std::vector<DWORD>{NIM_ADD, NIM_ADD}));
}

TEST_F(TrayTest, TheIconComesBackWhenTheShellStartsAgain) {
  const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  SendMessageW(TrayWindowHandle(), taskbarCreated, 0, 0);
  EXPECT_TRUE(shell_.requests().empty()) << "a window without an icon adds none";

  ASSERT_TRUE(SetTrayIcon(kTrayWindow, TrayIconBytes(), "Tamrivo"));
  SendMessageW(TrayWindowHandle(), taskbarCreated, 0, 0);
  EXPECT_EQ(Commands(), (std::vector<DWORD>{NIM_ADD, NIM_ADD}));
  EXPECT_EQ(shell_.requests()[1].callbackMessage, 32868u);
}

TEST_F(TrayTest, MouseNotificationsRaiseTheTrayEventWithTheirType) {
  struct Case {
    UINT notification;
    const char* raised;  // null: nothing
  };
  const Case cases[] = {
      {WM_LBUTTONUP, "tray 1"},  {WM_LBUTTONDBLCLK, "tray 2"}, {WM_RBUTTONUP, "tray 3"},
      {WM_CONTEXTMENU, "tray 3"}, {WM_LBUTTONDOWN, nullptr},   {WM_RBUTTONDOWN, nullptr},
      {WM_MOUSEMOVE, nullptr},    {WM_RBUTTONDBLCLK, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.notification);
    g_events.clear();
    // The notification is in the low word; a newer shell puts the icon's identifier above it.
    SendMessageW(TrayWindowHandle(), 32868, 100, MAKELPARAM(c.notification, 100));
    EXPECT_EQ(g_events, c.raised ? std::vector<std::string>{c.raised} : std::vector<std::string>{});
  }
}

TEST_F(TrayTest, NotificationsForAnotherIconRaiseNothing) {
  struct Case {
    WPARAM id;
    LPARAM notification;
  };
  const Case cases[] = {
      {101, WM_LBUTTONDBLCLK},                     // another icon of the window
      {0, WM_RBUTTONUP},
      {100, MAKELPARAM(WM_LBUTTONDBLCLK, 101)},    // another icon, as a newer shell names it
      {100, static_cast<LPARAM>(0x100000000LL | WM_RBUTTONUP)},
      {100, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.id << " " << c.notification);
    SendMessageW(TrayWindowHandle(), 32868, c.id, c.notification);
  }
  EXPECT_EQ(g_events, std::vector<std::string>{});
}

TEST_F(TrayTest, MenuCommandsRaiseTheSelectedEventOfTheItemAtTheirIndex) {
  SendMessageW(TrayWindowHandle(), WM_COMMAND, 20000 + kLast, 0);
  SendMessageW(TrayWindowHandle(), WM_COMMAND, 20000 + kInner, 0);
  SendMessageW(TrayWindowHandle(), WM_COMMAND, 20000 + kTop, 0);          // no handler
  SendMessageW(TrayWindowHandle(), WM_COMMAND, 20000 + kMenu.size(), 0);  // beyond the list
  SendMessageW(TrayWindowHandle(), WM_COMMAND, 57600 + kOne, 0);          // swallowed
  SendMessageW(TrayWindowHandle(), WM_COMMAND, 0x100000000ULL + 20000 + kLast, 0);  // not a menu id
  EXPECT_EQ(g_events, (std::vector<std::string>{"last", "inner"}));
}

// What the pop-up menu looked like while it was open.
struct MenuItemView {
  std::wstring text;
  UINT type;
  UINT state;
  UINT id;
  std::vector<MenuItemView> sub;
};

std::vector<MenuItemView> ReadMenu(HMENU menu) {
  std::vector<MenuItemView> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[64] = {};
    MENUITEMINFOW info = {sizeof(info)};
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 64;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    items.push_back({text, info.fType, info.fState, info.wID,
                     info.hSubMenu ? ReadMenu(info.hSubMenu) : std::vector<MenuItemView>{}});
  }
  return items;
}

struct OpenMenuView {
  bool seen = false;
  RECT place = {};
  bool windowInFront = false;
  std::vector<MenuItemView> items;
  WPARAM key = 0;  // pressed in the menu once it has been looked at
};
OpenMenuView g_menu;

// Runs in the menu's own loop: looks at the open menu, then presses a key in it.
void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND menuWindow = FindWindowW(L"#32768", nullptr);
  if (!menuWindow || !IsWindowVisible(menuWindow)) return;
  KillTimer(nullptr, timer);
  g_menu.seen = true;
  GetWindowRect(menuWindow, &g_menu.place);
  g_menu.windowInFront = GetForegroundWindow() == TrayWindowHandle();
  g_menu.items = ReadMenu(reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0)));
  PostMessageW(menuWindow, WM_KEYDOWN, g_menu.key, 0);
  if (g_menu.key == VK_UP) PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
}

// Pops the menu up with the mouse at a known place and a key to press once it is open.
void PopUp(int32_t menuItem, WPARAM key) {
  g_menu = {.key = key};
  SetCursorPos(300, 200);
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, LookAtMenu);
  PopUpTrayMenu(kTrayWindow, menuItem);
  KillTimer(nullptr, timer);
  PumpPending();  // the chosen item's command
}

TEST_F(TrayTest, PopUpShowsTheVisibleItemsAtTheCursorAndRaisesTheChosenOne) {
  PopUp(kTop, VK_UP);  // up from nothing chosen reaches the last item; Enter chooses it
  ASSERT_TRUE(g_menu.seen);
  EXPECT_TRUE(g_menu.windowInFront) << "the hidden window was not made the foreground window";
  EXPECT_EQ(g_menu.place.right, 300 - 5);
  EXPECT_EQ(g_menu.place.top, 200 - 5);

  const auto& items = g_menu.items;
  ASSERT_EQ(items.size(), 6u);
  EXPECT_EQ(items[0].text, L"One(&O)");
  EXPECT_EQ(items[0].id, 20000u + kOne);
  EXPECT_TRUE(items[1].type & MFT_SEPARATOR);
  EXPECT_EQ(items[2].text, L"灰色");
  EXPECT_TRUE(items[2].state & MFS_GRAYED);
  EXPECT_EQ(items[3].text, L"Ticked");
  EXPECT_TRUE(items[3].state & MFS_CHECKED);
  EXPECT_EQ(items[4].text, L"More");
  ASSERT_EQ(items[4].sub.size(), 1u);
  EXPECT_EQ(items[4].sub[0].text, L"Inner");
  EXPECT_EQ(items[4].sub[0].id, 20000u + kInner);
  EXPECT_EQ(items[5].text, L"Last");
  EXPECT_EQ(g_events, std::vector<std::string>{"last"});

  PopUp(kTop, VK_ESCAPE);
  EXPECT_TRUE(g_menu.seen);
  EXPECT_EQ(g_events, std::vector<std::string>{"last"}) << "a dismissed menu raised something";
}

TEST_F(TrayTest, PopUpOfAnItemWithoutItemsUnderItShowsNothing) {
  // A menu that did open would be seen by the timer in its loop and dismissed.
  PopUp(kBare, VK_ESCAPE);  // nothing under it
  EXPECT_FALSE(g_menu.seen) << "a menu without visible items opened";
  PopUp(kMenu.size(), VK_ESCAPE);  // no such item
  EXPECT_FALSE(g_menu.seen) << "a menu opened for an item past the form's menu";
  EXPECT_TRUE(g_events.empty());
}

TEST(TrayTip, KeepsTheFirst62BytesWithoutASplitCharacter) {
  const std::string sixty(60, 'a');
  struct Case {
    std::string tip;
    std::wstring shown;
  };
  EXPECT_EQ(TrayTip(nullptr), L"");
  const Case cases[] = {
      {"Tamrivo", L"Tamrivo"},
      {"托盘图标", L"托盘图标"},
      {sixty + "ab", std::wstring(60, L'a') + L"ab"},   // exactly 62
      {sixty + "abc", std::wstring(60, L'a') + L"ab"},  // 63: cut
      {sixty + "中", std::wstring(60, L'a') + L"中"},    // ends on byte 62
      {sixty + "a中", std::wstring(60, L'a') + L"a"},    // 中 would take bytes 62 and 63
      {"ab\xD6", L"ab"},                                // a lone lead byte
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tip);
    EXPECT_EQ(TrayTip(c.tip.c_str()), c.shown);
  }
}

}  // namespace
}  // namespace tamrivo
