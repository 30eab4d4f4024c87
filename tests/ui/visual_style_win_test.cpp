// The themed look on real controls: pixels read back from the screen for each kind and state,
// hover by real mouse input, windows created after the switch, kinds it leaves alone, and
// switching between sets and off again.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <string>
#include <vector>

#include "message_box_closer.h"
#include "screen_support.h"
#include "ui/button_text.h"
#include "ui/handles.h"
#include "ui/themed_control.h"
#include "ui/visual_style.h"
#include "ui/window.h"
#include "ui_support.h"

namespace tamrivo {
namespace {

using test::PixelCheck;
using test::PixelMismatches;

constexpr wchar_t kHostClass[] = L"TamrivoThemeTestHost";
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlueBorder = RGB(0, 60, 115);
constexpr COLORREF kFieldBorder = RGB(123, 158, 189);

COLORREF Face() { return GetSysColor(COLOR_BTNFACE); }
COLORREF FaceLess(int n) {
  const COLORREF face = Face();
  return RGB(GetRValue(face) - n, GetGValue(face) - n, GetBValue(face) - n);
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

// A plain top-level window on top of everything, with controls made straight from their
// classes, so each test chooses classes and styles freely.
class ThemedLook : public testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW hostClass{};
    hostClass.lpfnWndProc = HostProc;
    hostClass.hInstance = GetModuleHandleW(nullptr);
    hostClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    hostClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    hostClass.lpszClassName = kHostClass;
    RegisterClassW(&hostClass);
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    host_ = CreateWindowExW(WS_EX_TOPMOST, kHostClass, L"", WS_POPUP | WS_VISIBLE, 20, 20, 560, 380, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(host_);
    // Away from the controls, so no test starts with the pointer over one.
    test::MoveMouseToScreen({700, 600});
  }

  void TearDown() override {
    SetVisualStyle(0);
    DestroyWindow(host_);
    test::PumpFor(20);
    EXPECT_EQ(ThemedWindowCount(), 0u);
  }

  HWND Add(const wchar_t* className, const wchar_t* text, DWORD style, RECT place, DWORD exStyle = 0) {
    HWND control = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                                   place.right, place.bottom, host_, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return control;
  }
  HWND Button(const wchar_t* text, DWORD style, RECT place) { return Add(L"BUTTON", text, style, place); }

  void Activate() {
    SetForegroundWindow(host_);
    test::PumpUntil([&] { return GetForegroundWindow() == host_; });
  }

  HWND host_ = nullptr;
};

int Width(HWND window) {
  RECT place{};
  GetWindowRect(window, &place);
  return place.right - place.left;
}
int Height(HWND window) {
  RECT place{};
  GetWindowRect(window, &place);
  return place.bottom - place.top;
}

// The band of a push button: its top row and its bottom row, two pixels in from the edge.
std::vector<PixelCheck> PushButtonPixels(HWND button, COLORREF border, COLORREF bandTop, COLORREF bandBottom) {
  const int middle = Width(button) / 2, half = Height(button) / 2;
  return {{"outer ring", 0, half, Face()},
          {"border", 1, half, border},
          {"rounded corner", 1, 1, Face()},
          {"band top", middle, 2, bandTop},
          {"band bottom", middle, -3, bandBottom}};
}

TEST_F(ThemedLook, PushButtonBandFollowsItsState) {
  HWND normal = Button(L"Normal", BS_PUSHBUTTON, {10, 10, 100, 30});
  HWND byDefault = Button(L"Default", BS_DEFPUSHBUTTON, {120, 10, 100, 30});
  HWND focused = Button(L"Focus", BS_PUSHBUTTON | WS_TABSTOP, {230, 10, 100, 30});
  HWND pushed = Button(L"Pushed", BS_PUSHBUTTON, {340, 10, 100, 30});
  HWND disabled = Button(L"Off", BS_PUSHBUTTON | WS_DISABLED, {450, 10, 100, 30});
  Activate();
  SetFocus(focused);
  ASSERT_TRUE(SetVisualStyle(1));
  SendMessageW(pushed, BM_SETSTATE, TRUE, 0);

  struct Case {
    const char* state;
    HWND button;
    COLORREF border, top, bottom;
  };
  const Case cases[] = {
      {"normal", normal, kBlueBorder, kWhite, RGB(226, 223, 214)},
      {"default", byDefault, kBlueBorder, RGB(206, 231, 255), RGB(105, 130, 238)},
      {"focused", focused, kBlueBorder, RGB(206, 231, 255), RGB(105, 130, 238)},
      {"pushed", pushed, kBlueBorder, RGB(209, 204, 193), RGB(242, 241, 238)},
      {"disabled", disabled, FaceLess(32), RGB(245, 244, 234), RGB(245, 244, 234)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PixelMismatches(c.button, PushButtonPixels(c.button, c.border, c.top, c.bottom)), "") << c.state;
  }
}

// The box around the dark pixels of a window: its text.
RECT DarkPixels(HWND window) {
  const std::vector<COLORREF> pixels = test::ScreenPixels(window);
  const int width = Width(window);
  RECT box{width, 1 << 20, -1, -1};
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const COLORREF p = pixels[i];
    if (GetRValue(p) + GetGValue(p) + GetBValue(p) > 150) continue;
    const int x = static_cast<int>(i) % width, y = static_cast<int>(i) / width;
    box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x),
           std::max<LONG>(box.bottom, y)};
  }
  return box;
}

TEST_F(ThemedLook, PushedButtonShiftsItsTextByOnePixel) {
  HWND button = Button(L"Shift", BS_PUSHBUTTON, {10, 10, 100, 30});
  ASSERT_TRUE(SetVisualStyle(1));
  ASSERT_EQ(PixelMismatches(button, PushButtonPixels(button, kBlueBorder, kWhite, RGB(226, 223, 214))), "");
  const RECT normal = DarkPixels(button);
  ASSERT_GE(normal.right, normal.left) << "no text seen";
  SendMessageW(button, BM_SETSTATE, TRUE, 0);
  ASSERT_EQ(PixelMismatches(button, {{"pushed band", Width(button) / 2, 2, RGB(209, 204, 193)}}), "");
  const RECT pushed = DarkPixels(button);
  EXPECT_EQ(pushed.left, normal.left + 1);
  EXPECT_EQ(pushed.top, normal.top + 1);
  EXPECT_EQ(pushed.right, normal.right + 1);
  EXPECT_EQ(pushed.bottom, normal.bottom + 1);
}

// The look keeps the font it saw pass and reads the text itself: a font or a text given after
// the takeover is what the next paint draws.
TEST_F(ThemedLook, AFontOrTextGivenAfterTheTakeoverShowsInTheNextPaint) {
  HWND font = Button(L"Mm", BS_PUSHBUTTON, {10, 10, 120, 50});
  HWND text = Button(L"Mm", BS_PUSHBUTTON, {140, 10, 120, 50});
  ASSERT_TRUE(SetVisualStyle(1));
  ASSERT_EQ(PixelMismatches(font, {{"border", 1, 25, kBlueBorder}}), "");
  ASSERT_EQ(PixelMismatches(text, {{"border", 1, 25, kBlueBorder}}), "");
  const RECT small = DarkPixels(font);
  const RECT narrow = DarkPixels(text);
  ASSERT_GE(small.right, small.left) << "no text seen";

  LOGFONTW large{};
  large.lfHeight = -32;
  large.lfWeight = FW_BOLD;
  std::wcscpy(large.lfFaceName, L"Tahoma");
  const UniqueFont largeFont(CreateFontIndirectW(&large));
  SendMessageW(font, WM_SETFONT, reinterpret_cast<WPARAM>(largeFont.get()), TRUE);
  SetWindowTextW(text, L"MmMmMm");
  test::PaintNow(host_);
  const RECT tall = DarkPixels(font);
  const RECT wide = DarkPixels(text);
  EXPECT_GT(tall.bottom - tall.top, 2 * (small.bottom - small.top)) << "the new font is not drawn";
  EXPECT_GT(wide.right - wide.left, 2 * (narrow.right - narrow.left)) << "the new text is not drawn";

  // Any program can send WM_SETFONT: a handle that is not a font is not selected as one.
  const UniqueBitmap notAFont(CreateBitmap(8, 8, 1, 32, nullptr));
  SendMessageW(font, WM_SETFONT, reinterpret_cast<WPARAM>(notAFont.get()), FALSE);
  test::PaintNow(host_);
  EXPECT_EQ(PixelMismatches(font, PushButtonPixels(font, kBlueBorder, kWhite, RGB(226, 223, 214))), "");
  SendMessageW(font, WM_SETFONT, 0, FALSE);  // before the font and the bitmap are deleted
}

TEST_F(ThemedLook, HoverRepaintsTheButtonOnceAndLeavingRepaintsItNormal) {
  HWND button = Button(L"Hover", BS_PUSHBUTTON, {10, 10, 100, 30});
  ASSERT_TRUE(SetVisualStyle(1));
  const std::vector<PixelCheck> normal = PushButtonPixels(button, kBlueBorder, kWhite, RGB(226, 223, 214));
  const std::vector<PixelCheck> hover = PushButtonPixels(button, kBlueBorder, RGB(255, 240, 207), RGB(229, 151, 0));
  ASSERT_EQ(PixelMismatches(button, normal), "");

  EXPECT_EQ(test::PixelMismatchesWithMouseAt(button, 30, 15, hover), "");
  // Moving on over it changes nothing, so nothing is painted again.
  const uint64_t paints = FindThemedControl(button)->paints;
  test::MoveMouseTo(button, 60, 12);
  test::PumpFor(150);
  EXPECT_EQ(FindThemedControl(button)->paints, paints);

  EXPECT_EQ(test::PixelMismatchesWithMouseAt(button, 290, 290, normal), "") << "after leaving";
}

TEST_F(ThemedLook, CheckBoxFrameTickAndDisabledBox) {
  constexpr DWORD kStyle = BS_CHECKBOX | BS_LEFT | BS_VCENTER;
  HWND unchecked = Button(L"Off", kStyle, {10, 50, 120, 20});
  HWND checked = Button(L"On", kStyle, {140, 50, 120, 20});
  HWND disabledChecked = Button(L"Grey", kStyle | WS_DISABLED, {270, 50, 120, 20});
  SendMessageW(checked, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(disabledChecked, BM_SETCHECK, BST_CHECKED, 0);
  ASSERT_TRUE(SetVisualStyle(1));

  // A 13-pixel box centred in 20 pixels starts at row 3; its tick area 3 pixels further in.
  constexpr int kTop = 3, kTick = 3;
  const COLORREF frame = RGB(24, 81, 132);
  EXPECT_EQ(PixelMismatches(unchecked, {{"frame", 0, kTop + 6, frame},
                                        {"inside, top left", 1, kTop + 1, RGB(222, 223, 214), 2}}),
            "");
  // Column 2 of the tick holds rows 4 to 6; column 6 rows 0 to 2.
  EXPECT_EQ(PixelMismatches(checked, {{"frame", 12, kTop + 6, frame},
                                      {"tick", kTick + 2, kTop + kTick + 5, RGB(33, 162, 33)},
                                      {"tick end", kTick + 6, kTop + kTick + 1, RGB(33, 162, 33)}}),
            "");
  EXPECT_EQ(PixelMismatches(disabledChecked, {{"frame", 0, kTop + 6, FaceLess(32)},
                                              {"white box", 10, kTop + 2, kWhite},
                                              {"grey tick", kTick + 2, kTop + kTick + 5, RGB(206, 203, 189)}}),
            "");
}

TEST_F(ThemedLook, RadioButtonRingAndDot) {
  constexpr DWORD kStyle = BS_RADIOBUTTON | BS_LEFT | BS_VCENTER;
  HWND off = Button(L"Off", kStyle, {10, 80, 120, 20});
  HWND on = Button(L"On", kStyle, {140, 80, 120, 20});
  SendMessageW(on, BM_SETCHECK, BST_CHECKED, 0);
  ASSERT_TRUE(SetVisualStyle(1));
  // The 16-pixel cell starts at row 2, the 13-pixel circle one pixel inside it: its centre
  // row is 9, its left edge column 1.
  EXPECT_EQ(PixelMismatches(off, {{"outline", 1, 9, RGB(33, 85, 132)}, {"inside", 8, 9, RGB(247, 243, 239), 16}}), "");
  EXPECT_EQ(PixelMismatches(on, {{"outline", 1, 9, RGB(33, 85, 132)},
                                 {"ring of the dot", 4, 9, RGB(156, 203, 148)},
                                 {"dot", 8, 9, RGB(41, 170, 33), 24}}),
            "");
}

TEST_F(ThemedLook, GroupBoxFrameCornersAndCaption) {
  // A caption of spaces: the cleared line shows as background, whatever the font draws.
  HWND group = Button(L"      ", BS_GROUPBOX, {10, 110, 200, 100});
  HDC dc = GetDC(group);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  ReleaseDC(group, dc);
  const int line = metrics.tmHeight / 2;
  ASSERT_TRUE(SetVisualStyle(1));
  const COLORREF frame = RGB(191, 184, 191);
  EXPECT_EQ(PixelMismatches(group, {{"bottom line", 100, -1, frame},
                                    {"left line", 0, 60, frame},
                                    {"top line", 150, line, frame},
                                    {"line before the caption", 7, line, frame},
                                    {"line behind the caption", 12, line, Face()},
                                    {"corner", 0, -1, Face()},
                                    {"corner, beside", 1, -1, Face()},
                                    {"corner, above", 0, -2, Face()},
                                    {"corner, inside", 1, -2, frame}}),
            "");
}

TEST_F(ThemedLook, EditBoxBorderOnlyWhereItHasOne) {
  HWND sunken = Add(L"EDIT", L"1", 0, {230, 110, 100, 22}, WS_EX_CLIENTEDGE);
  HWND single = Add(L"EDIT", L"2", WS_BORDER, {230, 140, 100, 22});
  HWND bare = Add(L"EDIT", L"3", 0, {230, 170, 100, 22});
  HWND readOnly = Add(L"EDIT", L"4", ES_READONLY, {340, 110, 100, 22}, WS_EX_CLIENTEDGE);
  HWND disabled = Add(L"EDIT", L"5", WS_DISABLED | WS_BORDER, {340, 140, 100, 22});
  ASSERT_TRUE(SetVisualStyle(1));
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  struct Case {
    const char* what;
    HWND edit;
    COLORREF outer, inner;
  };
  const Case cases[] = {
      {"sunken", sunken, kFieldBorder, window},     {"single line", single, kFieldBorder, window},
      {"read-only", readOnly, kFieldBorder, Face()}, {"disabled", disabled, FaceLess(32), Face()},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PixelMismatches(c.edit, {{"outer", 0, 11, c.outer}, {"inner", 1, 11, c.inner}, {"outer, right", -1, 11, c.outer}}),
              "")
        << c.what;
  }
  test::PaintNow(host_);
  EXPECT_EQ(test::ScreenPixel(bare, 0, 11), window) << "a border-less edit box gets no border";
}

TEST_F(ThemedLook, DropDownComboHasTwoFramesAndAnArrowButton) {
  HWND combo = Add(L"COMBOBOX", L"", CBS_DROPDOWNLIST, {230, 200, 120, 200});
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  ASSERT_TRUE(SetVisualStyle(1));
  const int button = GetSystemMetrics(SM_CYVTHUMB);
  const int half = Height(combo) / 2;
  // Corner pixels blend the band with the field border around the button.
  EXPECT_EQ(PixelMismatches(combo, {{"outer frame", 0, half, kFieldBorder},
                                    {"inner frame", 1, half, GetSysColor(COLOR_WINDOW)},
                                    {"outer frame, right", -1, half, kFieldBorder},
                                    {"button, top-left corner", -2 - button, 2, RGB(168, 192, 222)},
                                    {"button, face", -2 - button + 1, 3, RGB(231, 235, 255), 3}}),
            "");
}

TEST_F(ThemedLook, SpinButtonJoinsItsEditBoxAndLightsOnlyTheHalfUnderTheMouse) {
  HWND edit = Add(L"EDIT", L"5", 0, {380, 140, 60, 22}, WS_EX_CLIENTEDGE);
  HWND joined = Add(UPDOWN_CLASSW, L"", UDS_ALIGNRIGHT, {0, 0, 16, 22});
  SendMessageW(joined, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  HWND alone = Add(UPDOWN_CLASSW, L"", 0, {480, 110, 16, 40});
  ASSERT_TRUE(SetVisualStyle(1));

  // The spin button lies over the edit box's right edge; the seam is open on both sides.
  RECT editPlace{}, spinPlace{};
  GetWindowRect(edit, &editPlace);
  GetWindowRect(joined, &spinPlace);
  const int seam = spinPlace.left - editPlace.left;
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  EXPECT_EQ(PixelMismatches(edit, {{"edit, top", seam - 1, 0, kFieldBorder}, {"edit, before the seam", seam - 1, 11, kWhite}}),
            "");
  EXPECT_EQ(PixelMismatches(joined, {{"spin, top", 0, 0, kFieldBorder},
                                     {"spin, joined side", 0, 11, window},
                                     {"spin, far side", -1, 11, kFieldBorder}}),
            "");

  // Each half is an arrow button inside a one-pixel frame; the face starts one pixel in.
  const COLORREF normal = RGB(231, 235, 255), hover = kWhite;
  const int secondHalf = 1 + (Height(alone) - 2) / 2;
  EXPECT_EQ(test::PixelMismatchesWithMouseAt(alone, 8, 8,
                                             {{"upper face", 2, 2, hover, 2}, {"lower face", 2, secondHalf + 1, normal, 2}}),
            "");
  EXPECT_EQ(test::PixelMismatchesWithMouseAt(alone, 8, Height(alone) - 8,
                                             {{"upper face", 2, 2, normal, 2}, {"lower face", 2, secondHalf + 1, hover, 2}}),
            "");
}

// Whether the OK button of the open message box showed the themed look: the default
// button's focused band inside the blue border. Runs on the closer's thread.
std::atomic<bool> g_boxButtonThemed{false};

void LookAtOkButton(HWND box) {
  HWND ok = GetDlgItem(box, IDOK);
  const DWORD start = GetTickCount();
  while (ok && GetTickCount() - start < 5000) {
    if (test::ScreenPixel(ok, 1, Height(ok) / 2) == kBlueBorder &&
        test::ScreenPixel(ok, Width(ok) / 2, 2) == RGB(206, 231, 255)) {
      g_boxButtonThemed = true;
      return;
    }
    Sleep(20);
  }
}

TEST_F(ThemedLook, WindowsCreatedAfterTheSwitchTakeTheLook) {
  ASSERT_TRUE(SetVisualStyle(1));
  HWND later = Button(L"Later", BS_PUSHBUTTON, {10, 10, 100, 30});
  EXPECT_NE(FindThemedControl(later), nullptr);
  EXPECT_EQ(PixelMismatches(later, PushButtonPixels(later, kBlueBorder, kWhite, RGB(226, 223, 214))), "");

  g_boxButtonThemed = false;
  test::MessageBoxCloser closer({.whileOpen = LookAtOkButton});
  EXPECT_EQ(ShowMessage("主题"), 0);
  EXPECT_TRUE(g_boxButtonThemed) << "the message box's OK button kept the classic look";
}

TEST_F(ThemedLook, KindsOutsideTheTableKeepTheClassicLook) {
  const HWND classic[] = {
      Add(L"COMBOBOX", L"", CBS_SIMPLE, {10, 220, 100, 80}),
      Add(L"LISTBOX", L"", WS_BORDER, {120, 220, 100, 80}),
      Add(L"SCROLLBAR", L"", SBS_VERT, {230, 220, 16, 80}),
      Button(L"Drawn", BS_OWNERDRAW, {260, 220, 100, 30}),
  };
  test::PaintNow(host_);
  std::vector<std::vector<COLORREF>> before;
  for (HWND window : classic) before.push_back(test::ScreenPixels(window));
  ASSERT_TRUE(SetVisualStyle(1));
  test::PaintNow(host_);
  for (std::size_t i = 0; i < std::size(classic); ++i) {
    EXPECT_EQ(FindThemedControl(classic[i]), nullptr) << i;
    EXPECT_TRUE(test::ScreenPixels(classic[i]) == before[i]) << "window " << i << " changed its look";
  }
}

TEST_F(ThemedLook, SwitchingSetsAndOff) {
  HWND button = Button(L"Sets", BS_PUSHBUTTON, {10, 10, 100, 30});
  HWND edit = Add(L"EDIT", L"e", 0, {120, 10, 100, 22}, WS_EX_CLIENTEDGE);
  test::PaintNow(host_);
  const std::vector<COLORREF> classicButton = test::ScreenPixels(button);
  const std::vector<COLORREF> classicEdit = test::ScreenPixels(edit);

  // Never switched on: nothing to switch off.
  EXPECT_FALSE(SetVisualStyle(0));
  EXPECT_EQ(ThemedWindowCount(), 0u);
  EXPECT_EQ(FindThemedControl(button), nullptr);

  ASSERT_TRUE(SetVisualStyle(2));
  EXPECT_EQ(PixelMismatches(button, {{"olive border", 1, 15, RGB(55, 98, 6)}}), "");
  EXPECT_EQ(PixelMismatches(edit, {{"olive field", 0, 11, RGB(164, 185, 127)}}), "");
  ASSERT_TRUE(SetVisualStyle(1));
  EXPECT_EQ(PixelMismatches(button, {{"blue border", 1, 15, kBlueBorder}}), "");
  EXPECT_EQ(PixelMismatches(edit, {{"blue field", 0, 11, kFieldBorder}}), "");
  ASSERT_TRUE(SetVisualStyle(3));
  EXPECT_EQ(PixelMismatches(button, {{"silver border", 1, 15, RGB(0, 60, 116)}}), "");

  EXPECT_TRUE(SetVisualStyle(7));  // any other value switches off
  EXPECT_EQ(ThemedWindowCount(), 0u);
  test::PaintNow(host_);
  EXPECT_TRUE(test::ScreenPixels(button) == classicButton) << "the button kept the themed look";
  EXPECT_TRUE(test::ScreenPixels(edit) == classicEdit) << "the edit box kept the themed border";
  EXPECT_FALSE(SetVisualStyle(0));
}

TEST_F(ThemedLook, DestroyedWindowsLeaveNoRecordsBehind) {
  ASSERT_TRUE(SetVisualStyle(1));
  const std::size_t before = ThemedWindowCount();
  for (int i = 0; i < 1000; ++i) {
    HWND button = Button(L"x", BS_PUSHBUTTON, {10, 10, 60, 24});
    ASSERT_NE(FindThemedControl(button), nullptr);
    DestroyWindow(button);
  }
  EXPECT_EQ(ThemedWindowCount(), before);
}

// Text layout ------------------------------------------------------------------------------

class ButtonTextLayout : public testing::Test {
 protected:
  void SetUp() override {
    dc_ = CreateCompatibleDC(nullptr);
    SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
  }
  void TearDown() override { DeleteDC(dc_); }
  int WidthOf(const wchar_t* text) {
    SIZE size{};
    GetTextExtentPoint32W(dc_, text, static_cast<int>(wcslen(text)), &size);
    return size.cx;
  }
  std::vector<std::wstring> Lines(std::wstring_view text, int width) {
    std::vector<std::wstring> lines;
    for (const ButtonTextLine& line : BreakButtonText(dc_, text, width)) {
      lines.emplace_back(text.substr(line.start, line.length));
    }
    return lines;
  }
  HDC dc_ = nullptr;
};

TEST_F(ButtonTextLayout, BreaksAtLineEndsAndWidthWithoutSplittingPairs) {
  const int wide = 1000;
  const int ab = WidthOf(L"ab");
  struct Case {
    const wchar_t* text;
    int width;
    std::vector<std::wstring> lines;
  };
  const Case cases[] = {
      {L"one\r\ntwo", wide, {L"one", L"two"}},
      {L"one\ntwo", wide, {L"one\ntwo"}},  // a lone line feed is no line end
      {L"abab", ab, {L"ab", L"ab"}},
      {L"a&bab", ab, {L"a&b", L"ab"}},      // the marking "&" takes no room
      {L"a&&b", WidthOf(L"a&"), {L"a&&", L"b"}},  // "&&" is one "&"
      {L"aa&b", ab, {L"aa", L"&b"}},        // the mark stays with its character
      {L"a\xD83D\xDE00", WidthOf(L"a") + 1, {L"a", L"\xD83D\xDE00"}},
      {L"abc", 1, {L"a", L"b", L"c"}},      // never less than one character a line
      {L"", wide, {L""}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(Lines(cases[i].text, cases[i].width), cases[i].lines) << "case " << i;
  }
}

}  // namespace
}  // namespace tamrivo
