#include "ui/icons.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/ui/pictures_test_gui.h"

namespace rz {
namespace {

// A square image of one colour, so the tests can tell entries apart.
RgbaImage Plain(int size, uint32_t rgba) {
  RgbaImage image(size, size);
  image.Fill(rgba);
  return image;
}

uint32_t Grey(uint8_t level) { return PackRgba(level, level, level, 255); }

// A stored set of square, opaque, plain entries: {size, bits, grey level}.
std::vector<uint8_t> StoredSet(const std::vector<std::array<int, 3>>& entries) {
  std::vector<IconImage> images;
  for (const auto& [size, bits, level] : entries) {
    images.push_back({Plain(size, Grey(static_cast<uint8_t>(level))), bits});
  }
  return PackIconSet(EncodeIconFile(images));
}

TEST(IconFileTest, EightImageSetHasTheStandardLayout) {
  std::vector<IconImage> images;
  for (const int bits : {32, 24}) {
    for (const int size : {16, 24, 32, 48}) {
      images.push_back({Plain(size, Grey(50)), bits});
    }
  }
  const std::vector<uint8_t> file = EncodeIconFile(images);
  EXPECT_EQ(file.size(), 30918u);
  const auto entries = ReadIconDirectory(file);
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 8u);
  EXPECT_EQ((*entries)[0].offset, 6u + 8 * 16);
  EXPECT_EQ((*entries)[0].bytes, 40u + 16 * 16 * 4 + 16 * 4);
  // 24-bit rows of 24 pixels are 72 bytes; mask rows are padded to 4 bytes.
  EXPECT_EQ((*entries)[5].bytes, 40u + 24 * 72 + 24 * 4);
  EXPECT_EQ((*entries)[5].bit_count, 24);
  EXPECT_EQ((*entries)[7].offset + (*entries)[7].bytes, file.size());

  EXPECT_TRUE(EncodeIconFile({}).empty());
  const IconImage too_large{Plain(257, Grey(1)), 32};
  const IconImage bad_depth{Plain(16, Grey(1)), 16};
  EXPECT_TRUE(EncodeIconFile(std::span(&too_large, 1)).empty());
  EXPECT_TRUE(EncodeIconFile(std::span(&bad_depth, 1)).empty());
}

TEST(IconFileTest, RoundTripKeepsAlphaAt32BitsAndMasksAt24) {
  RgbaImage image(5, 3);  // odd width: padded rows
  image.SetPixel(0, 0, PackRgba(10, 20, 30, 255));
  image.SetPixel(4, 0, PackRgba(40, 50, 60, 128));
  image.SetPixel(2, 2, PackRgba(70, 80, 90, 127));
  const std::vector<IconImage> images = {{image, 32}, {image, 24}};
  const std::vector<uint8_t> file = EncodeIconFile(images);
  const auto entries = ReadIconDirectory(file);
  ASSERT_TRUE(entries);

  const auto full = DecodeIconEntry(file, (*entries)[0]);
  ASSERT_TRUE(full);
  EXPECT_EQ(*full, image) << "32 bits keep every pixel, rows in order";

  const auto masked = DecodeIconEntry(file, (*entries)[1]);
  ASSERT_TRUE(masked);
  EXPECT_EQ(masked->Pixel(0, 0), PackRgba(10, 20, 30, 255));
  EXPECT_EQ(masked->Pixel(4, 0), PackRgba(40, 50, 60, 255))
      << "at least half opaque: kept, opaque";
  EXPECT_EQ(masked->Pixel(2, 2), 0u) << "less than half opaque: masked out";
  EXPECT_EQ(masked->Pixel(1, 1), 0u);
}

// An 8-bit entry as older tools write it: palette, indices, mask.
std::vector<uint8_t> PaletteIcon() {
  std::vector<uint8_t> f = {0, 0, 1, 0, 1, 0,  // header
                            2, 2, 0, 0, 1, 0, 8, 0};
  const uint32_t bytes = 40 + 256 * 4 + 2 * 4 + 2 * 4;
  for (int k = 0; k < 4; ++k) f.push_back(static_cast<uint8_t>(bytes >> 8 * k));
  f.insert(f.end(), {22, 0, 0, 0});
  const uint8_t header[40] = {40, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 1, 0, 8};
  f.insert(f.end(), header, header + 40);
  for (int k = 0; k < 256; ++k) {  // blue, green, red, unused
    f.insert(f.end(),
             {static_cast<uint8_t>(k), 0, static_cast<uint8_t>(255 - k), 0});
  }
  // Bottom row first: indices (3, 200), then (7, 9).
  f.insert(f.end(), {3, 200, 0, 0, 7, 9, 0, 0});
  // Mask, bottom row first: the bottom right pixel is transparent.
  f.insert(f.end(), {0x40, 0, 0, 0, 0x00, 0, 0, 0});
  return f;
}

TEST(IconFileTest, DecodesPaletteEntriesWithTheirMask) {
  const auto icon = DecodeIcon(PaletteIcon());
  ASSERT_TRUE(icon);
  ASSERT_EQ(icon->width(), 2);
  EXPECT_EQ(icon->Pixel(0, 0), PackRgba(248, 0, 7, 255));
  EXPECT_EQ(icon->Pixel(1, 0), PackRgba(246, 0, 9, 255));
  EXPECT_EQ(icon->Pixel(0, 1), PackRgba(252, 0, 3, 255));
  EXPECT_EQ(icon->Pixel(1, 1), 0u);
}

TEST(IconFileTest, DamagedFilesDecodeAsNothing) {
  const std::vector<uint8_t> good = PaletteIcon();
  const auto damaged = [&good](size_t at, uint8_t value) {
    std::vector<uint8_t> f = good;
    f[at] = value;
    return DecodeIcon(f);
  };
  EXPECT_FALSE(damaged(2, 2)) << "type is not icon";
  EXPECT_FALSE(damaged(4, 0)) << "no entries";
  EXPECT_FALSE(damaged(5, 0xFF)) << "directory runs past the end";
  EXPECT_FALSE(damaged(21, 1)) << "data offset far outside";
  EXPECT_FALSE(damaged(22 + 4, 0)) << "width 0";
  EXPECT_FALSE(damaged(22 + 8, 3)) << "odd double height";
  EXPECT_FALSE(damaged(22 + 14, 16)) << "16 bits a pixel";
  EXPECT_FALSE(damaged(22 + 16, 1)) << "compressed";
  EXPECT_FALSE(damaged(22 + 8, 200)) << "rows would run past the data";
  for (size_t size = 0; size < good.size(); size += 7) {
    const std::vector<uint8_t> cut(good.begin(),
                                   good.begin() + static_cast<ptrdiff_t>(size));
    EXPECT_FALSE(DecodeIcon(cut)) << "cut at " << size;
  }
}

TEST(IconSetTest, CorruptStoredSetsLoadAsNothing) {
  const std::vector<uint8_t> good = StoredSet({{16, 32, 1}});
  IconSet set;
  ASSERT_TRUE(set.LoadIconSet(good));

  std::vector<std::vector<uint8_t>> bad = {
      {}, {1, 2, 3}, std::vector<uint8_t>(good.begin(), good.end() - 5)};
  std::vector<uint8_t> wrong_size = good;
  wrong_size[0] ^= 1;
  bad.push_back(wrong_size);
  std::vector<uint8_t> huge_size = good;
  huge_size[3] = 0xFF;
  bad.push_back(huge_size);
  std::vector<uint8_t> garbled = good;
  garbled[good.size() / 2] ^= 0x5A;
  bad.push_back(garbled);
  // A directory whose entry points past the file.
  std::vector<uint8_t> file =
      EncodeIconFile(std::vector<IconImage>{{Plain(16, Grey(1)), 32}});
  file[6 + 12] = 0xF0;
  bad.push_back(PackIconSet(file));

  for (size_t k = 0; k < bad.size(); ++k) {
    ASSERT_TRUE(set.LoadIconSet(good));
    EXPECT_FALSE(set.LoadIconSet(bad[k])) << "case " << k;
    EXPECT_FALSE(set.loaded()) << "the previous set is discarded, case " << k;
    EXPECT_FALSE(set.MakeIcon(16)) << "case " << k;
  }
}

TEST(IconSetTest, MakeIconFallsBackInDepthThenSize) {
  IconSet set;
  ASSERT_TRUE(set.LoadIconSet(
      StoredSet({{32, 24, 1}, {48, 24, 2}, {32, 32, 3}, {16, 32, 4}})));
  EXPECT_EQ(set.MakeIcon(32)->Pixel(0, 0), Grey(3))
      << "32 bits preferred wherever it is listed";
  EXPECT_EQ(set.MakeIcon(48)->Pixel(0, 0), Grey(2));

  ASSERT_TRUE(set.LoadIconSet(StoredSet({{16, 32, 5}, {32, 24, 6}})));
  EXPECT_EQ(set.MakeIcon(32)->Pixel(0, 0), Grey(6))
      << "only 24 bits at 32 pixels: the 24-bit one";

  ASSERT_TRUE(set.LoadIconSet(StoredSet({{16, 32, 7}, {24, 24, 8}})));
  const auto smaller = set.MakeIcon(32);
  ASSERT_TRUE(smaller);
  EXPECT_EQ(smaller->width(), 24) << "no 32-pixel entry: the 24-pixel one";
  EXPECT_EQ(smaller->Pixel(0, 0), Grey(8));
  EXPECT_EQ(set.MakeIcon(48)->width(), 24);

  ASSERT_TRUE(set.LoadIconSet(StoredSet({{48, 32, 9}})));
  EXPECT_FALSE(set.MakeIcon(32)) << "only larger entries: nothing";
  EXPECT_FALSE(set.MakeIcon(40)) << "not one of the four sizes";
  set.Free();
  EXPECT_FALSE(set.MakeIcon(48));
}

class ButtonPictureTest : public ::testing::Test {
 protected:
  static constexpr int kFont = 3;
  static constexpr uint32_t kIconColour = PackRgba(1, 2, 3, 200);

  void SetUp() override {
    gui_.SetGlyphWidth(kFont, 5);
    std::vector<IconImage> images = {{Plain(16, kIconColour), 32}};
    ASSERT_TRUE(set_.LoadIconSet(PackIconSet(EncodeIconFile(images))));
  }

  PicturesTestGui gui_;
  IconSet set_;
};

TEST_F(ButtonPictureTest, IconGapAndTextOnTransparency) {
  const auto picture =
      set_.MakeButtonPicture(gui_, std::string(20, 'x'), kFont);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width(), 120) << "16 + text width 100 + 4";
  EXPECT_EQ(picture->height(), 16);
  EXPECT_EQ(picture->Pixel(0, 0), kIconColour) << "icon kept with its alpha";
  EXPECT_EQ(picture->Pixel(15, 15), kIconColour);
  // Text 10 pixels high: rows 3..12, starting after the 4-pixel gap.
  EXPECT_EQ(picture->Pixel(19, 5), 0u) << "gap";
  EXPECT_EQ(picture->Pixel(20, 3), PackRgba(0, 0, 0, 255));
  EXPECT_EQ(picture->Pixel(20, 12), PackRgba(0, 0, 0, 255));
  EXPECT_EQ(picture->Pixel(20, 2), 0u) << "button face becomes transparent";
  EXPECT_EQ(picture->Pixel(20, 13), 0u);
  EXPECT_EQ(picture->Pixel(119, 12), PackRgba(0, 0, 0, 255))
      << "the text fills the rest";
}

TEST_F(ButtonPictureTest, LongTextIsCutAt254Pixels) {
  const auto picture =
      set_.MakeButtonPicture(gui_, std::string(50, 'x'), kFont);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width(), 254);
  EXPECT_EQ(picture->Pixel(253, 5), PackRgba(0, 0, 0, 255))
      << "the text runs to the cut";
}

TEST_F(ButtonPictureTest, NeedsA16Pixel32BitEntry) {
  IconSet no_small;
  ASSERT_TRUE(no_small.LoadIconSet(StoredSet({{16, 24, 1}, {32, 32, 2}})));
  EXPECT_FALSE(no_small.MakeButtonPicture(gui_, "Options", kFont));
  EXPECT_FALSE(IconSet().MakeButtonPicture(gui_, "Options", kFont));
}

}  // namespace
}  // namespace rz
