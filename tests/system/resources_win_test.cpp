#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cwctype>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "resources/resource_ids.h"
#include "services/icon_file.h"
#include "system/resources.h"

namespace tamrivo {
namespace {

struct IconDestroyer {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

UniqueIcon IconFromImage(const IconImage& image) {
  return UniqueIcon(CreateIconFromResourceEx(const_cast<BYTE*>(image.data.data()),
                                             static_cast<DWORD>(image.data.size()), TRUE,
                                             0x30000, image.width, image.height, 0));
}

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using UniqueDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, ObjectDeleter>;

// Draws an icon at its own size over magenta and returns the pixels, top row first, as
// 0x00RRGGBB.
std::vector<uint32_t> DrawOverMagenta(HICON icon, int size) {
  BITMAPINFO info = {};
  info.bmiHeader = {.biSize = sizeof(BITMAPINFOHEADER), .biWidth = size, .biHeight = -size,
                    .biPlanes = 1, .biBitCount = 32, .biCompression = BI_RGB};
  void* bits = nullptr;
  UniqueDc dc(CreateCompatibleDC(nullptr));
  UniqueBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc || !bitmap) return {};
  auto* first = static_cast<uint32_t*>(bits);
  std::fill_n(first, size * size, 0x00FF00FFu);
  HGDIOBJ old = SelectObject(dc.get(), bitmap.get());
  DrawIconEx(dc.get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  SelectObject(dc.get(), old);
  GdiFlush();
  return std::vector<uint32_t>(first, first + size * size);
}

int Red(uint32_t p) { return (p >> 16) & 0xFF; }
int Green(uint32_t p) { return (p >> 8) & 0xFF; }
int Blue(uint32_t p) { return p & 0xFF; }

TEST(TrayIconBytes, IsOne32PixelImageOf256Colours) {
  std::span<const uint8_t> bytes = TrayIconBytes();
  ASSERT_EQ(bytes.size(), 2238u);
  const std::array<uint8_t, 22> header = {0,  0,  1, 0, 1, 0,                 // icon, one image
                                          32, 32, 0, 0, 1, 0, 8, 0,           // 32 x 32, 8 bits
                                          0xA8, 0x08, 0, 0, 22, 0, 0, 0};     // 2216 bytes at 22
  EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin()));

  std::optional<IconImage> image = ChooseIconImage(bytes, 16);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 32);
  EXPECT_EQ(image->height, 32);
  EXPECT_EQ(image->bitCount, 8);
  EXPECT_EQ(image->data.size(), 2216u);
}

// A golden padlock with a dark keyhole, on a transparent ground.
TEST(TrayIconBytes, ShowsAGoldenPadlockWithADarkKeyhole) {
  std::optional<IconImage> image = ChooseIconImage(TrayIconBytes(), 16);
  ASSERT_TRUE(image);
  UniqueIcon icon = IconFromImage(*image);
  ASSERT_TRUE(icon);
  std::vector<uint32_t> pixels = DrawOverMagenta(icon.get(), 32);
  ASSERT_EQ(pixels.size(), 32u * 32);
  for (int corner : {0, 31, 31 * 32, 32 * 32 - 1}) EXPECT_EQ(pixels[corner], 0xFF00FFu);
  int golden = 0;
  for (uint32_t p : pixels) {
    golden += Red(p) > 150 && Green(p) > 100 && Red(p) >= Green(p) && Green(p) > Blue(p) + 40;
  }
  EXPECT_GT(golden, 200) << "of 1024 pixels";
  uint32_t keyhole = pixels[21 * 32 + 16];
  EXPECT_LT(Red(keyhole) + Green(keyhole) + Blue(keyhole), 150) << std::hex << keyhole;
}

TEST(MainWindowIconBytes, HoldsFive32BitImagesThatBecomeIcons) {
  std::span<const uint8_t> bytes = MainWindowIconBytes();
  ASSERT_GE(bytes.size(), 6u + 5 * 16);
  ASSERT_EQ(bytes[4], 5);
  const int sizes[] = {128, 64, 48, 32, 16};
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(sizes[i]);
    // Cut the file down to a one-image file, so the reader returns exactly that image.
    std::vector<uint8_t> single(bytes.begin(), bytes.end());
    single[4] = 1;
    std::copy_n(bytes.begin() + 6 + 16 * i, 16, single.begin() + 6);
    std::optional<IconImage> image = ChooseIconImage(single, 16);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, sizes[i]);
    EXPECT_EQ(image->height, sizes[i]);
    EXPECT_EQ(image->bitCount, 32);
    UniqueIcon icon = IconFromImage(*image);
    ASSERT_TRUE(icon);
    std::vector<uint32_t> pixels = DrawOverMagenta(icon.get(), sizes[i]);
    ASSERT_EQ(pixels.size(), static_cast<size_t>(sizes[i] * sizes[i]));
    EXPECT_EQ(pixels[0], 0xFF00FFu) << "transparent corner";
    uint32_t blade = pixels[sizes[i] / 5 * sizes[i] + sizes[i] / 2 + sizes[i] / 16];
    EXPECT_GT(Red(blade), 200) << std::hex << blade;  // orange, near the top blade's point
    EXPECT_LT(Blue(blade), 120) << std::hex << blade;
  }
}

// The program file's own icon: the first icon group, with the five sizes.
TEST(ProgramIcon, IsTheFirstIconGroupWithFiveSizes) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(IDI_PROGRAM), RT_GROUP_ICON);
  ASSERT_TRUE(group);
  const auto* dir = static_cast<const uint8_t*>(LockResource(LoadResource(module, group)));
  ASSERT_EQ(dir[4], 5);
  std::vector<int> widths;
  for (int i = 0; i < 5; ++i) {
    const uint8_t* entry = dir + 6 + 14 * i;  // the resource form of a directory entry
    widths.push_back(entry[0] == 0 ? 256 : entry[0]);
    EXPECT_EQ(entry[6], 32) << "bits per pixel";
  }
  EXPECT_EQ(widths, (std::vector<int>{128, 64, 48, 32, 16}));
  // The large images are PNG, the small ones bitmaps: each loads as the pink face over a
  // transparent ground.
  for (int size : {128, 48, 32}) {
    SCOPED_TRACE(size);
    UniqueIcon icon(static_cast<HICON>(
        LoadImageW(module, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, size, size, 0)));
    ASSERT_TRUE(icon);
    std::vector<uint32_t> pixels = DrawOverMagenta(icon.get(), size);
    ASSERT_EQ(pixels.size(), static_cast<size_t>(size * size));
    EXPECT_EQ(pixels[size - 1], 0xFF00FFu) << "transparent corner";
    uint32_t cheek = pixels[size * 3 / 4 * size + size * 3 / 10];
    EXPECT_GT(Red(cheek), 200) << std::hex << cheek;
    EXPECT_GT(Blue(cheek), Green(cheek)) << std::hex << cheek;
  }
}

// The version block: file and product version 2.0.0.0, product name Tamrivo.
TEST(VersionBlock, Says200AndTamrivo) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
  ASSERT_TRUE(found);
  const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
  DWORD size = SizeofResource(module, found);
  const uint8_t* end = data + size;
  const uint8_t* fixed = data;
  while (fixed + sizeof(VS_FIXEDFILEINFO) <= end &&
         reinterpret_cast<const VS_FIXEDFILEINFO*>(fixed)->dwSignature != VS_FFI_SIGNATURE) {
    fixed += 4;
  }
  ASSERT_LE(fixed + sizeof(VS_FIXEDFILEINFO), end);
  const auto* info = reinterpret_cast<const VS_FIXEDFILEINFO*>(fixed);
  EXPECT_EQ(info->dwFileVersionMS, 0x00020000u);
  EXPECT_EQ(info->dwFileVersionLS, 0u);
  EXPECT_EQ(info->dwProductVersionMS, 0x00020000u);
  EXPECT_EQ(info->dwProductVersionLS, 0u);

  // Each string is its key, padding and then its value, all UTF-16 and NUL-terminated.
  std::wstring_view text(reinterpret_cast<const wchar_t*>(data), size / sizeof(wchar_t));
  auto value = [&](std::wstring_view key) -> std::wstring {
    size_t at = text.find(std::wstring(key) + L'\0');
    if (at == std::wstring_view::npos) return L"(missing)";
    at += key.size();
    while (at < text.size() && text[at] == L'\0') ++at;
    return std::wstring(text.substr(at, text.find(L'\0', at) - at));
  };
  EXPECT_EQ(value(L"ProductName"), L"Tamrivo");
  EXPECT_EQ(value(L"FileVersion"), L"2.0.0.0");
  EXPECT_EQ(value(L"ProductVersion"), L"2.0.0.0");
}

// The manifest is embedded where Windows looks for it, runs the program with the user's own
// rights, and keeps the classic common controls that the window layer is made for.
TEST(Manifest, IsEmbeddedAsInvokerWithTheClassicControls) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_TRUE(found);
  const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
  const std::string manifest(bytes, SizeofResource(nullptr, found));
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);

  HMODULE controls = LoadLibraryW(L"comctl32.dll");
  ASSERT_TRUE(controls);
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(controls, path.data(), MAX_PATH));
  FreeLibrary(controls);
  std::transform(path.begin(), path.end(), path.begin(), towlower);
  EXPECT_EQ(path.find(L"common-controls_6595b64144ccf1df_6.0."), std::wstring::npos)
      << std::string(path.begin(), path.end());
}

}  // namespace
}  // namespace tamrivo
