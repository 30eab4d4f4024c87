#include "services/icon_file.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

namespace tamrivo {
namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, size_t at, uint16_t v) {
  b[at] = v & 0xFF;
  b[at + 1] = v >> 8;
}
void Put32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}
size_t EntryAt(size_t index) { return 6 + 16 * index; }

struct FixtureImage {
  uint8_t entryWidth;  // as the directory says; 0 stands for 256
  uint8_t colours;     // colour count of the entry; 0 for 256 or more
  int32_t width = 32;  // as the image's own header says
  int32_t height = 32;
  uint16_t bitCount = 8;
};

// A well-formed file: header, directory, then each image as a bare bitmap header followed
// by four pixel bytes. The last image ends exactly at the end of the file.
Bytes IconFile(std::initializer_list<FixtureImage> images, uint16_t type = 1) {
  Bytes file(EntryAt(images.size()), 0);
  Put16(file, 2, type);
  Put16(file, 4, static_cast<uint16_t>(images.size()));
  size_t i = 0;
  for (const FixtureImage& fixture : images) {
    Bytes image(44, 0);
    Put32(image, 0, 40);
    Put32(image, 4, static_cast<uint32_t>(fixture.width));
    Put32(image, 8, static_cast<uint32_t>(fixture.height * 2));
    Put16(image, 12, 1);
    Put16(image, 14, fixture.bitCount);
    size_t entry = EntryAt(i++);
    file[entry] = fixture.entryWidth;
    file[entry + 1] = fixture.entryWidth;
    file[entry + 2] = fixture.colours;
    Put16(file, entry + 4, 1);
    Put16(file, entry + 6, fixture.bitCount);
    Put32(file, entry + 8, static_cast<uint32_t>(image.size()));
    Put32(file, entry + 12, static_cast<uint32_t>(file.size()));
    file.insert(file.end(), image.begin(), image.end());
  }
  return file;
}

// Which entry's image came back, by where its bytes lie; -1 for none. The fixtures are small:
// offsets fit in 16 bits and there are fewer than 256 entries.
int ChosenEntry(const Bytes& file, int preferredWidth) {
  std::optional<IconImage> image = ChooseIconImage(file, preferredWidth);
  if (!image) return -1;
  for (int i = 0; i < file[4]; ++i) {
    const uint8_t* offset = &file[EntryAt(i) + 12];
    if (image->data.data() == file.data() + (offset[0] | offset[1] << 8)) return i;
  }
  return -2;  // an image that no entry points to
}

TEST(ChooseIconImage, RejectsHeadersOfOtherFiles) {
  Bytes good = IconFile({{32, 0}});
  struct Case {
    const char* what;
    Bytes file;
  } cases[] = {
      {"empty", {}},
      {"shorter than the header", Bytes(good.begin(), good.begin() + 5)},
      {"reserved field not zero", good},
      {"type 0", IconFile({{32, 0}}, 0)},
      {"type 3", IconFile({{32, 0}}, 3)},
      {"no images", good},
  };
  Put16(cases[2].file, 0, 1);
  Put16(cases[5].file, 4, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(ChooseIconImage(c.file, 16));
  }
  EXPECT_TRUE(ChooseIconImage(IconFile({{32, 0}}, 2), 16)) << "cursor files serve as well";
}

TEST(ChooseIconImage, TakesFirstEntryWithPreferredWidthAndSixteenColoursElseTheLast) {
  struct Case {
    const char* what;
    std::initializer_list<FixtureImage> images;
    int preferredWidth;
    int expected;
  } cases[] = {
      {"only entry", {{32, 0}}, 16, 0},
      {"match in the middle", {{32, 16}, {16, 16}, {48, 16}}, 16, 1},
      {"first of two matches", {{16, 16}, {16, 255}}, 16, 0},
      {"other preferred width", {{32, 16}, {16, 16}}, 32, 0},
      {"eight colours are too few", {{16, 8}, {32, 8}}, 16, 1},
      {"0 means 256 colours or more, never a match", {{16, 0}, {32, 0}, {48, 0}}, 16, 2},
      {"width 0 is 256", {{0, 16}, {16, 16}}, 256, 0},
      {"width 0 is not 0", {{0, 16}, {16, 16}}, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ChosenEntry(IconFile(c.images), c.preferredWidth), c.expected);
  }
}

TEST(ChooseIconImage, SizeAndDepthComeFromTheImageItself) {
  Bytes file = IconFile({{16, 16, 16, 16, 4}, {48, 0, 20, 24, 32}});
  std::optional<IconImage> image = ChooseIconImage(file, 32);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 20);
  EXPECT_EQ(image->height, 24);  // the header says 48: colour rows and mask rows
  EXPECT_EQ(image->bitCount, 32);
  EXPECT_EQ(image->data.size(), 44u);
  EXPECT_EQ(image->data.data() + image->data.size(), file.data() + file.size());
}

TEST(ChooseIconImage, RejectsDirectoriesAndImagesOutsideTheBytes) {
  const Bytes good = IconFile({{16, 16}, {32, 0}});  // preferring 48 chooses entry 1
  const auto end = static_cast<uint32_t>(good.size());
  const size_t size = EntryAt(1) + 8;
  const size_t offset = EntryAt(1) + 12;
  struct Case {
    const char* what;
    std::vector<std::pair<size_t, uint32_t>> patches;  // 32-bit fields to overwrite
  } cases[] = {
      {"image one byte too long", {{size, 45}}},
      {"image starts past the end", {{offset, end + 1}}},
      {"image starts at the end", {{offset, end}}},
      {"offset plus size wraps around", {{offset, 0xFFFFFFF0u}, {size, 0x20}}},
      {"largest size", {{size, 0xFFFFFFFFu}}},
      {"image shorter than its bitmap header", {{offset, end - 39}, {size, 39}}},
  };
  ASSERT_TRUE(ChooseIconImage(good, 48));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes file = good;
    for (auto [field, value] : c.patches) Put32(file, field, value);
    EXPECT_FALSE(ChooseIconImage(file, 48));
  }

  Bytes tooManyEntries = good;
  Put16(tooManyEntries, 4, 0xFFFF);
  EXPECT_FALSE(ChooseIconImage(tooManyEntries, 48));
  Bytes cutDirectory(good.begin(), good.begin() + EntryAt(1) + 15);
  EXPECT_FALSE(ChooseIconImage(cutDirectory, 48)) << "second entry cut short";
}

TEST(ChooseIconImage, ReadsSizeAndDepthOfPngImages) {
  Bytes file = IconFile({{0, 0}});
  file.resize(EntryAt(1));
  const Bytes png = {0x89, 'P',  'N', 'G', '\r', '\n', 0x1A, '\n',  // signature
                     0,    0,    0,   13,  'I',  'H',  'D',  'R',   // header chunk
                     0,    0,    1,   0,   0,    0,    0,    128,   // 256 wide, 128 high
                     8,    6,    0,   0,   0};                      // 8 bits, RGBA
  file.insert(file.end(), png.begin(), png.end());
  Put32(file, EntryAt(0) + 8, static_cast<uint32_t>(png.size()));
  std::optional<IconImage> image = ChooseIconImage(file, 16);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 256);
  EXPECT_EQ(image->height, 128);
  EXPECT_EQ(image->bitCount, 32);

  Put32(file, EntryAt(0) + 8, 20);  // cut inside the header chunk
  EXPECT_FALSE(ChooseIconImage(file, 16));
}

}  // namespace
}  // namespace tamrivo
