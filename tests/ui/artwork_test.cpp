#include "ui/artwork.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <set>
#include <vector>

#include "tests/ui/pictures_test_gui.h"
#include "ui/embedded/embedded_art.h"
#include "ui/icons.h"

namespace rz {
namespace {

// Where the visible part of an image lies: [left, right) x [top, bottom).
struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
};

Box VisibleBox(const RgbaImage& image) {
  Box box{image.width(), image.height(), 0, 0};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (AlphaOf(image.Pixel(x, y)) == 0) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  return box;
}

// Alpha-weighted centre and total alpha of an image.
struct Mass {
  double x = 0, y = 0, total = 0;
};

Mass AlphaMass(const RgbaImage& image) {
  Mass m;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const double a = AlphaOf(image.Pixel(x, y));
      m.x += a * (x + 0.5);
      m.y += a * (y + 0.5);
      m.total += a;
    }
  }
  if (m.total > 0) {
    m.x /= m.total;
    m.y /= m.total;
  }
  return m;
}

class EmbeddedArtworkTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(DecodeArtwork(artwork_)); }
  Artwork artwork_;
};

TEST_F(EmbeddedArtworkTest, DecodesToTheRightSizesWithTransparentCorners) {
  const std::set<int> numbers = {9,  10, 11, 12, 13, 14, 15,
                                 16, 17, 23, 24, 54, 55};
  for (int n = -1; n <= kArtHighestNumber + 1; ++n) {
    const RgbaImage& image = artwork_.Image(n);
    if (!numbers.contains(n)) {
      EXPECT_TRUE(image.empty()) << n;
      continue;
    }
    const int height = n >= 54 ? 24 : 80;
    ASSERT_EQ(image.width(), 80) << n;
    ASSERT_EQ(image.height(), height) << n;
    for (const auto& [x, y] :
         {std::pair{0, 0}, std::pair{79, 0}, std::pair{0, height - 1},
          std::pair{79, height - 1}}) {
      EXPECT_EQ(AlphaOf(image.Pixel(x, y)), 0) << n << " at " << x << "," << y;
    }
  }
}

TEST_F(EmbeddedArtworkTest, DiscsAreCentredAnd24PixelsAcross) {
  const Box marker = VisibleBox(artwork_.Image(kArtStickMarker));
  EXPECT_EQ(marker.left, 28);
  EXPECT_EQ(marker.right, 52);
  EXPECT_EQ(marker.top, 28);
  EXPECT_EQ(marker.bottom, 52);
  EXPECT_EQ(AlphaOf(artwork_.Image(kArtStickMarker).Pixel(40, 40)), 255);
  for (const int n : {kArtButtonReleased, kArtButtonPressed}) {
    const Box box = VisibleBox(artwork_.Image(n));
    EXPECT_EQ(box.left, 28) << n;
    EXPECT_EQ(box.right, 52) << n;
    EXPECT_EQ(box.top, 0) << n;
    EXPECT_EQ(box.bottom, 24) << n;
  }
  // The released ring is hollow: its middle is not the orange of the disc.
  EXPECT_NE(artwork_.Image(kArtButtonReleased).Pixel(40, 12),
            artwork_.Image(kArtButtonPressed).Pixel(40, 12));
}

TEST_F(EmbeddedArtworkTest, ArrowheadsSitOnTheCircleInTheirDirection) {
  const double dx[] = {0, 1, 0, -1};
  const double dy[] = {-1, 0, 1, 0};
  for (int d = 0; d < 4; ++d) {
    const Mass hollow = AlphaMass(artwork_.Image(kArtHatUp + 2 * d));
    const Mass filled = AlphaMass(artwork_.Image(kArtHatUp + 2 * d + 1));
    for (const Mass& m : {hollow, filled}) {
      const double along = (m.x - 40) * dx[d] + (m.y - 40) * dy[d];
      const double across = (m.x - 40) * dy[d] - (m.y - 40) * dx[d];
      EXPECT_NEAR(along, 32, 4) << "direction " << d;
      EXPECT_NEAR(across, 0, 1) << "direction " << d;
    }
    // Filled with the orange of the pressed button, hollow inside.
    const uint32_t orange = artwork_.Image(kArtButtonPressed).Pixel(40, 12);
    const int x = static_cast<int>(filled.x);
    const int y = static_cast<int>(filled.y);
    EXPECT_EQ(artwork_.Image(kArtHatUp + 2 * d + 1).Pixel(x, y), orange)
        << "direction " << d;
    EXPECT_NE(artwork_.Image(kArtHatUp + 2 * d).Pixel(x, y), orange)
        << "direction " << d;
  }
  // The backgrounds: a ring about the centre, nothing in the middle; the
  // stick's also carries the four arrowheads.
  const RgbaImage& hat = artwork_.Image(kArtHatBackground);
  EXPECT_GT(AlphaOf(hat.Pixel(40, 8)), 128);
  EXPECT_GT(AlphaOf(hat.Pixel(72, 40)), 128);
  EXPECT_EQ(AlphaOf(hat.Pixel(40, 40)), 0);
  EXPECT_EQ(AlphaOf(hat.Pixel(40, 3)), 0);
  const RgbaImage& stick = artwork_.Image(kArtStickBackground);
  EXPECT_GT(AlphaOf(stick.Pixel(40, 3)), 0);
  EXPECT_EQ(AlphaOf(stick.Pixel(40, 40)), 0);
}

// A PNG made by libpng's own writer, in one of its simplified formats.
std::vector<uint8_t> WritePng(png_uint_32 format, int width, int height,
                              const void* pixels,
                              const void* colormap = nullptr,
                              int colormap_entries = 0) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = format;
  image.colormap_entries = static_cast<png_uint_32>(colormap_entries);
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels, 0,
                                 colormap)) {
    return {};
  }
  std::vector<uint8_t> out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels, 0,
                                 colormap)) {
    return {};
  }
  out.resize(size);
  return out;
}

TEST(DecodePngTest, TurnsEveryLayoutIntoRgba8) {
  const uint8_t grey[] = {0, 255, 77, 128};
  auto decoded = DecodePng(WritePng(PNG_FORMAT_GRAY, 2, 2, grey));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->Pixel(1, 0), PackRgba(255, 255, 255, 255));
  EXPECT_EQ(decoded->Pixel(0, 1), PackRgba(77, 77, 77, 255));

  const uint8_t grey_alpha[] = {10, 0, 200, 99};
  decoded = DecodePng(WritePng(PNG_FORMAT_GA, 2, 1, grey_alpha));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->Pixel(1, 0), PackRgba(200, 200, 200, 99));

  const uint16_t deep[] = {65535, 0, 0, 65535, 0, 0, 0, 0};
  decoded = DecodePng(WritePng(PNG_FORMAT_LINEAR_RGB_ALPHA, 2, 1, deep));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->Pixel(0, 0), PackRgba(255, 0, 0, 255));
  EXPECT_EQ(AlphaOf(decoded->Pixel(1, 0)), 0);

  const uint8_t palette[] = {255, 0, 0, 255, 0, 0, 255, 64};
  const uint8_t indices[] = {1, 0, 0, 1};
  decoded =
      DecodePng(WritePng(PNG_FORMAT_RGBA_COLORMAP, 2, 2, indices, palette, 2));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->Pixel(0, 0), PackRgba(0, 0, 255, 64));
  EXPECT_EQ(decoded->Pixel(1, 0), PackRgba(255, 0, 0, 255));
}

TEST(DecodePngTest, DamagedDataDecodesAsNothing) {
  const std::span<const uint8_t> good = EmbeddedArt("stick_background.png");
  ASSERT_FALSE(good.empty());
  ASSERT_TRUE(DecodePng(good));
  for (size_t size = 0; size < good.size(); size += 37) {
    EXPECT_FALSE(DecodePng(good.first(size))) << "cut at " << size;
  }
  EXPECT_FALSE(DecodePng(good.first(good.size() - 1))) << "end chunk cut";
  std::vector<uint8_t> flipped(good.begin(), good.end());
  flipped[flipped.size() / 2] ^= 0x10;
  EXPECT_FALSE(DecodePng(flipped)) << "checksum mismatch";
  const std::vector<uint8_t> junk(300, 0xAB);
  EXPECT_FALSE(DecodePng(junk));
}

TEST(DecodeArtworkTest, ADamagedImageStaysEmptyAndTheRestDecode) {
  const std::span<const uint8_t> marker = EmbeddedArt("stick_marker.png");
  const std::span<const uint8_t> ring = EmbeddedArt("button.png");
  Artwork artwork;
  artwork.images[kArtStickMarker] = RgbaImage(3, 3);  // from before
  const ArtworkSource sources[] = {
      {kArtStickMarker, marker.first(marker.size() / 2)},
      {kArtButtonReleased, ring},
      {kArtHighestNumber + 1, ring},
      {-3, ring},
  };
  EXPECT_FALSE(DecodeArtworkFrom(artwork, sources));
  EXPECT_TRUE(artwork.Image(kArtStickMarker).empty());
  EXPECT_EQ(artwork.Image(kArtButtonReleased).width(), 80);
  EXPECT_TRUE(DecodeArtworkFrom(artwork, std::span(sources + 1, 1)));
}

TEST(EmbeddedIconSetsTest, EverySetHoldsFourSizesAtTwoDepths) {
  for (const char* name :
       {"options.icoz", "header.icoz", "joystick.icoz", "mouse_keyboard.icoz",
        "panel.icoz", "profile.icoz", "application.icoz"}) {
    const auto file = UnpackIconSet(EmbeddedArt(name));
    ASSERT_TRUE(file) << name;
    EXPECT_EQ(file->size(), 30918u) << name;
    const auto entries = ReadIconDirectory(*file);
    ASSERT_TRUE(entries) << name;
    std::set<std::pair<int, int>> kinds;
    for (const IconEntry& e : *entries) {
      kinds.insert({e.width, e.bit_count});
      const auto icon = DecodeIconEntry(*file, e);
      ASSERT_TRUE(icon) << name;
      EXPECT_EQ(AlphaOf(icon->Pixel(0, e.height - 1)), 0)
          << name << " corner at " << int{e.width};
    }
    EXPECT_EQ(kinds.size(), 8u) << name;
  }
  const std::vector<RgbaImage> application = MakeApplicationIcon();
  ASSERT_EQ(application.size(), 4u);
  EXPECT_EQ(application[0].width(), 16);
  EXPECT_EQ(application[3].width(), 48);
}

TEST(MakePicturesTest, MakesTheSevenPictures) {
  PicturesTestGui gui;
  constexpr int kSmallFont = 5;
  gui.SetGlyphWidth(kSmallFont, 5);
  gui.SetGlyphWidth(PicturesTestGui::kDefaultFont, 7);
  Pictures pictures = MakePictures(gui, "Options", "Langue", kSmallFont);

  ASSERT_TRUE(pictures.options_button);
  EXPECT_EQ(pictures.options_button->width(), 16 + 7 * 5 + 4);
  EXPECT_EQ(pictures.options_button->height(), 16);
  ASSERT_TRUE(pictures.language_button);
  EXPECT_EQ(pictures.language_button->width(), 16 + 6 * 7 + 4)
      << "the language button uses the default font";
  ASSERT_TRUE(pictures.header_icon);
  EXPECT_EQ(pictures.header_icon->width(), 48);
  for (const auto* icon :
       {&pictures.joystick_icon, &pictures.mouse_keyboard_icon,
        &pictures.panel_icon, &pictures.profile_icon}) {
    ASSERT_TRUE(*icon);
    EXPECT_EQ((*icon)->width(), 32);
    EXPECT_EQ((*icon)->height(), 32);
  }
  EXPECT_NE(*pictures.joystick_icon, *pictures.panel_icon);
  EXPECT_EQ(gui.picture_updates(), 0) << "making pictures shows nothing";
}

}  // namespace
}  // namespace rz
