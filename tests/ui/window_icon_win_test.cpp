// Window icons from a form's .ico bytes: the image nearest each size, big and small; bad bytes
// give no icon.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "ui/window.h"
#include "ui/window_icon.h"
#include "ui_support.h"

namespace tamrivo {
namespace {

struct Image {
  int size;
  uint32_t colour;  // 0xAARRGGBB, the same in every pixel
};

void Put32(std::vector<uint8_t>& out, std::size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// An .ico file of 32-bit images, each a square of one colour.
std::vector<uint8_t> IconFile(const std::vector<Image>& images) {
  std::vector<uint8_t> file(6 + 16 * images.size());
  file[2] = 1;
  file[4] = static_cast<uint8_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int n = images[i].size;
    const std::size_t maskRow = static_cast<std::size_t>((n + 31) / 32 * 4);
    const std::size_t bytes = 40 + static_cast<std::size_t>(n * n * 4) + maskRow * static_cast<std::size_t>(n);
    const std::size_t entry = 6 + 16 * i, offset = file.size();
    file[entry] = file[entry + 1] = static_cast<uint8_t>(n);
    file[entry + 4] = 1;
    file[entry + 6] = 32;
    Put32(file, entry + 8, static_cast<uint32_t>(bytes));
    Put32(file, entry + 12, static_cast<uint32_t>(offset));
    file.resize(offset + bytes, 0);
    Put32(file, offset, 40);
    Put32(file, offset + 4, static_cast<uint32_t>(n));
    Put32(file, offset + 8, static_cast<uint32_t>(2 * n));
    file[offset + 12] = 1;
    file[offset + 14] = 32;
    for (int p = 0; p < n * n; ++p) Put32(file, offset + 40 + static_cast<std::size_t>(p) * 4, images[i].colour);
  }
  return file;
}

// The width of an icon's image and the colour of its first pixel (0xRRGGBB).
std::pair<int, uint32_t> Look(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return {0, 0};
  UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
  BITMAP bitmap{};
  GetObjectW(colour.get(), sizeof bitmap, &bitmap);
  BITMAPINFO format{};
  format.bmiHeader = {sizeof(BITMAPINFOHEADER), bitmap.bmWidth, -bitmap.bmHeight, 1, 32, BI_RGB};
  std::vector<uint32_t> pixels(static_cast<std::size_t>(bitmap.bmWidth * bitmap.bmHeight));
  WindowDc screen(nullptr);
  GetDIBits(screen.get(), colour.get(), 0, static_cast<UINT>(bitmap.bmHeight), pixels.data(), &format, DIB_RGB_COLORS);
  return {bitmap.bmWidth, pixels.empty() ? 0 : pixels[0] & 0xFFFFFF};
}

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;
const std::vector<uint8_t> kThreeSizes = IconFile({{16, kRed}, {48, kBlue}, {32, kGreen}});

TEST(WindowIcon, TakesTheNearestImage) {
  struct Case {
    int wanted;
    uint32_t colour;
  };
  const Case cases[] = {
      {16, 0xFF0000}, {32, 0x00FF00}, {48, 0x0000FF},
      {24, 0x00FF00},  // the smallest larger one
      {64, 0x0000FF},  // none larger: the largest
  };
  for (const Case& c : cases) {
    UniqueIcon icon = IconFromIconFile(kThreeSizes.data(), kThreeSizes.size(), c.wanted, c.wanted);
    EXPECT_EQ(Look(icon.get()), std::make_pair(c.wanted, c.colour)) << c.wanted;
  }
}

TEST(WindowIcon, BadBytesGiveNoIcon) {
  std::vector<uint8_t> pastTheEnd = kThreeSizes;
  for (std::size_t i = 0; i < 3; ++i) Put32(pastTheEnd, 6 + 16 * i + 12, 0x7FFFFFF0);
  std::vector<uint8_t> notAnIcon = kThreeSizes;
  notAnIcon[2] = 2;  // a cursor file
  const std::vector<uint8_t> cases[] = {{}, {0, 0, 1, 0, 5, 0}, pastTheEnd, notAnIcon,
                                        std::vector<uint8_t>(kThreeSizes.begin(), kThreeSizes.begin() + 30)};
  for (const auto& bytes : cases) {
    EXPECT_FALSE(IconFromIconFile(bytes.data(), bytes.size(), 32, 32)) << bytes.size();
  }
}

const std::vector<uint8_t> kFormIcon = IconFile({{16, kRed}, {32, kGreen}});
constexpr std::array<ControlRecord, 0> kNoControls{};

TEST(WindowIcon, AWindowShowsItsFormsIconBigAndSmall) {
  const Form form{.name = "WithIcon", .title = "图标", .left = 210, .top = 210, .width = 200, .height = 120,
                  .placement = Placement::Stored, .visible = true, .inTaskbar = true, .icon = kFormIcon.data(),
                  .iconSize = static_cast<uint32_t>(kFormIcon.size()), .controls = kNoControls};
  ASSERT_TRUE(LoadWindow(form));
  HWND window = test::NativeWindow(form);
  const auto big = Look(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)));
  const auto small = Look(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0)));
  EXPECT_EQ(big.first, GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(small.first, GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(big.second, 0x00FF00u);
  EXPECT_EQ(small.second, 0xFF0000u);
  test::Unload(form);
}

}  // namespace
}  // namespace tamrivo
