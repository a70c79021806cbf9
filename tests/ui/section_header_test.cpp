#include "ui/section_header.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/pictures_test_gui.h"

namespace rz {
namespace {

constexpr int kFont = 2;
constexpr uint32_t kOpaqueBlack = PackRgba(0, 0, 0, 255);

void ExpectNear(uint32_t actual, int grey, int alpha, const char* where) {
  EXPECT_NEAR(RedOf(actual), grey, 1) << where;
  EXPECT_EQ(RedOf(actual), GreenOf(actual)) << where;
  EXPECT_EQ(RedOf(actual), BlueOf(actual)) << where;
  EXPECT_NEAR(AlphaOf(actual), alpha, 1) << where;
}

TEST(SectionHeaderTest, BandFadesDownwardsAndAlongTheTop) {
  PicturesTestGui gui;
  RgbaImage image(452, 40);
  image.Fill(PackRgba(1, 2, 3, 255));  // whatever was there is cleared
  DrawSectionHeader(gui, 4, image, nullptr, 32, "", kFont);

  // (0, 0): the first stop, grey with alpha 96, under the top line (black,
  // alpha 48).
  EXPECT_EQ(image.Pixel(0, 0), PackRgba(99, 99, 99, 126));
  // (0, 39): position 1560 / 1609 = 0.97, almost white and transparent.
  ExpectNear(image.Pixel(0, 39), 251, 6, "(0, 39)");
  // (451, 0): position 1353 / 1609 = 0.84 along the line to (3, 40), not
  // 0.99 as it would be towards (3.54, 40); under the top line.
  ExpectNear(image.Pixel(451, 0), 77, 72, "(451, 0)");
  ExpectNear(image.Pixel(451, 1), 237, 25, "(451, 1)");
  // Where the band reaches position 0.3 it is at its darkest.
  EXPECT_EQ(AlphaOf(image.Pixel(0, 12)), 128);
}

TEST(SectionHeaderTest, WindowHeaderUsesItsOwnEndPoint) {
  PicturesTestGui gui;
  RgbaImage image(492, 48);
  DrawSectionHeader(gui, 0, image, nullptr, 48, "", kFont);
  // End point (4, 48): (491, 1) lies at (1964 + 48) / 2320 = 0.867.
  ExpectNear(image.Pixel(491, 1), 237, 24, "(491, 1)");
  ExpectNear(image.Pixel(0, 47), 251, 5, "(0, 47)");
}

TEST(SectionHeaderTest, TitleFollowsTheIconSquare) {
  PicturesTestGui gui;
  RgbaImage image(452, 40);
  DrawSectionHeader(gui, 4, image, nullptr, 32, "Profil", kFont);
  // Text 10 high: rows 15..24; the blank before it leaves no mark.
  EXPECT_EQ(image.Pixel(40, 15), kOpaqueBlack);
  EXPECT_EQ(image.Pixel(75, 24), kOpaqueBlack);
  EXPECT_NE(image.Pixel(39, 15), kOpaqueBlack);
  EXPECT_NE(image.Pixel(40, 14), kOpaqueBlack);
  EXPECT_NE(image.Pixel(76, 20), kOpaqueBlack);

  // A title longer than the header is cut at its edge.
  DrawSectionHeader(gui, 4, image, nullptr, 32, std::string(200, 'x'), kFont);
  EXPECT_EQ(image.Pixel(451, 20), kOpaqueBlack);
}

TEST(SectionHeaderTest, IconIsCentredInTheLeftSquareAndShown) {
  PicturesTestGui gui;
  RgbaImage icon(32, 32);
  icon.Fill(PackRgba(200, 0, 0, 255));
  RgbaImage image(452, 40);
  DrawSectionHeader(gui, 25 + 2, image, &icon, 32, "Stick", kFont);
  EXPECT_EQ(image.Pixel(4, 4), PackRgba(200, 0, 0, 255));
  EXPECT_EQ(image.Pixel(35, 35), PackRgba(200, 0, 0, 255));
  EXPECT_NE(RedOf(image.Pixel(3, 4)), 200);
  EXPECT_NE(RedOf(image.Pixel(36, 35)), 200);

  ASSERT_EQ(gui.Updates(27), 1);
  EXPECT_EQ(gui.Picture(27), image);
  EXPECT_EQ(gui.picture_updates(), 1);

  // The 48-pixel icon fills the window header's square; the top line is
  // drawn over it.
  RgbaImage big(48, 48);
  big.Fill(PackRgba(0, 200, 0, 255));
  RgbaImage header(492, 48);
  DrawSectionHeader(gui, 0, header, &big, 48, "RiruziruZo", kFont);
  EXPECT_EQ(header.Pixel(0, 1), PackRgba(0, 200, 0, 255));
  EXPECT_EQ(header.Pixel(47, 47), PackRgba(0, 200, 0, 255));
  EXPECT_EQ(header.Pixel(0, 0),
            BlendOver(PackRgba(0, 200, 0, 255), PackRgba(0, 0, 0, 48)));
}

}  // namespace
}  // namespace rz
