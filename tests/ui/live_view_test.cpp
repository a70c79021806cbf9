#include "ui/live_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/ui/pictures_test_gui.h"

namespace rz {
namespace {

constexpr int kSmallFont = 4;
constexpr uint32_t kOpaqueBlack = PackRgba(0, 0, 0, 255);

// Artwork whose images are told apart by one marked pixel each: image n
// has the colour (n, 0, 0) at (n, 0). The stick marker is instead a solid
// 24 x 24 square at the centre, like the disc it stands for.
Artwork MarkedArtwork() {
  Artwork artwork;
  for (const int n : {9, 10, 11, 12, 13, 14, 15, 16, 17, 23, 54, 55}) {
    RgbaImage& image = artwork.images[n];
    image = RgbaImage(80, n >= 54 ? 24 : 80);
    image.SetPixel(n, 0, PackRgba(static_cast<uint8_t>(n), 0, 0, 255));
  }
  RgbaImage& marker = artwork.images[kArtStickMarker];
  marker = RgbaImage(80, 80);
  for (int y = 28; y < 52; ++y) {
    for (int x = 28; x < 52; ++x)
      marker.SetPixel(x, y, PackRgba(0, 0, 200, 255));
  }
  return artwork;
}

bool Drawn(const RgbaImage& image, int n) {
  return image.Pixel(n, 0) == PackRgba(static_cast<uint8_t>(n), 0, 0, 255);
}

// The device as start-up leaves it: all at rest, nothing shown yet.
Device RestingDevice(int sticks, int buttons) {
  Device device;
  device.num_sticks = sticks;
  device.num_buttons = buttons;
  device.hat_present = 1;
  for (auto& stick : device.sticks) {
    stick.shown_x = kStickNotShown;
    stick.shown_y = kStickNotShown;
  }
  for (auto& d : device.hat) d.shown = kStrengthNotShown;
  for (auto& b : device.buttons) b.shown = kStrengthNotShown;
  return device;
}

class LiveViewTest : public ::testing::Test {
 protected:
  void Refresh() {
    RefreshLiveView(gui_, device_, artwork_, kSmallFont, images_);
  }
  // Where the marker square's top-left corner lies in stick picture i, or
  // (-1, -1) if none of it is visible at (x, y) scanning from the top left.
  std::pair<int, int> MarkerCorner(int i) {
    const RgbaImage& picture =
        gui_.Picture(LiveViewImages::kStickControlBase + i);
    for (int y = 0; y < 80; ++y) {
      for (int x = 0; x < 80; ++x) {
        if (picture.Pixel(x, y) == PackRgba(0, 0, 200, 255)) return {x, y};
      }
    }
    return {-1, -1};
  }

  PicturesTestGui gui_;
  Artwork artwork_ = MarkedArtwork();
  Device device_ = RestingDevice(3, 32);
  LiveViewImages images_;
};

TEST_F(LiveViewTest, ImagesStartOpaqueBlack) {
  EXPECT_EQ(images_.sticks[1].width(), 80);
  EXPECT_EQ(images_.sticks[3].Pixel(79, 79), kOpaqueBlack);
  EXPECT_EQ(images_.hat.Pixel(40, 40), kOpaqueBlack);
  EXPECT_EQ(images_.buttons[32].height(), 24);
  EXPECT_EQ(images_.buttons[32].Pixel(0, 0), kOpaqueBlack);
}

TEST_F(LiveViewTest, FirstTickDrawsEverythingOnceThenOnlyChanges) {
  Refresh();
  EXPECT_EQ(gui_.picture_updates(), 3 + 1 + 32);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(gui_.Updates(37 + i), 1);
    EXPECT_EQ(device_.sticks[i].shown_x, 0.0f);
  }
  EXPECT_EQ(gui_.Updates(18), 1);
  EXPECT_EQ(gui_.Updates(86 + 32), 1);
  EXPECT_EQ(device_.buttons[32].shown, 0.0f);

  Refresh();
  EXPECT_EQ(gui_.picture_updates(), 36) << "nothing changed, nothing drawn";

  device_.sticks[2].y = std::nextafter(0.0f, 1.0f);  // exact comparison
  device_.buttons[7].strength = 1.0f;
  Refresh();
  EXPECT_EQ(gui_.picture_updates(), 38);
  EXPECT_EQ(gui_.Updates(39), 2);
  EXPECT_EQ(gui_.Updates(86 + 7), 2);
  EXPECT_EQ(gui_.Updates(18), 1);
}

TEST_F(LiveViewTest, NothingIsDrawnBehindAnotherWindow) {
  Refresh();
  gui_.set_foreground(false);
  device_.sticks[1].x = 0.5f;
  device_.hat[3].strength = 1.0f;
  device_.buttons[1].strength = 1.0f;
  device_.buttons[1].strength = 0.0f;  // pressed and released meanwhile
  Refresh();
  EXPECT_EQ(gui_.picture_updates(), 36);
  EXPECT_EQ(device_.sticks[1].shown_x, 0.0f) << "last-shown copies kept";

  gui_.set_foreground(true);
  Refresh();
  EXPECT_EQ(gui_.picture_updates(), 38) << "exactly the stick and the hat";
  EXPECT_EQ(gui_.Updates(38), 2);
  EXPECT_EQ(gui_.Updates(18), 2);
  EXPECT_EQ(gui_.Updates(87), 1);
}

TEST_F(LiveViewTest, StickMarkerMoves28PixelsPerUnitAndIsClipped) {
  device_.sticks[2].x = 1.0f;    // fully right
  device_.sticks[3].x = 1.2f;    // a corner with dead zone
  device_.sticks[3].y = -1.25f;  // 0.20: beyond 1
  Refresh();
  const RgbaImage& rest = gui_.Picture(38);
  EXPECT_TRUE(Drawn(rest, kArtStickBackground)) << "background first";
  EXPECT_EQ(MarkerCorner(1), std::make_pair(28, 28));
  EXPECT_EQ(MarkerCorner(2), std::make_pair(56, 28))
      << "touching the right edge";
  EXPECT_EQ(gui_.Picture(39).Pixel(79, 51), PackRgba(0, 0, 200, 255));
  // 1.2 * 28 = 33.6 -> 34, -1.25 * 28 = -35: rows -7..16, columns 62..85.
  EXPECT_EQ(MarkerCorner(3), std::make_pair(62, 0));
  EXPECT_EQ(gui_.Picture(40).Pixel(79, 16), PackRgba(0, 0, 200, 255));
  EXPECT_EQ(gui_.Picture(40).Pixel(79, 17), 0u);
}

TEST_F(LiveViewTest, MarkerOffsetsRoundHalvesToEven) {
  device_.sticks[1].x = 0.375f;   // 10.5 -> 10
  device_.sticks[1].y = -0.125f;  // -3.5 -> -4
  device_.sticks[2].x = 0.125f;   // 3.5 -> 4
  device_.sticks[2].y = 0.0625f;  // 1.75 -> 2
  Refresh();
  EXPECT_EQ(MarkerCorner(1), std::make_pair(38, 24));
  EXPECT_EQ(MarkerCorner(2), std::make_pair(32, 30));
}

TEST_F(LiveViewTest, OutlandishValuesStayInsideThePictures) {
  device_.num_sticks = 9;
  device_.num_buttons = 99;
  device_.sticks[1].x = std::numeric_limits<float>::infinity();
  device_.sticks[2].x = std::numeric_limits<float>::quiet_NaN();
  device_.sticks[3].y = -1e30f;
  device_.hat[1].strength = 7.0f;
  device_.hat[2].strength = -3.0f;
  device_.buttons[1].strength = 2.0f;
  Refresh();
  EXPECT_EQ(MarkerCorner(1), std::make_pair(-1, -1));
  EXPECT_EQ(MarkerCorner(2), std::make_pair(28, 28));
  EXPECT_EQ(MarkerCorner(3), std::make_pair(-1, -1));
  const RgbaImage& hat = gui_.Picture(18);
  EXPECT_TRUE(Drawn(hat, 11)) << "beyond 1 counts as active";
  EXPECT_TRUE(Drawn(hat, 12)) << "below 0 counts as inactive";
  EXPECT_TRUE(Drawn(gui_.Picture(87), kArtButtonPressed));
  EXPECT_EQ(gui_.picture_updates(), 3 + 1 + 32) << "counts clamped";
}

TEST_F(LiveViewTest, HatDiagonalFillsBothArrowheads) {
  Refresh();
  device_.hat[1].strength = 1.0f;  // up
  device_.hat[2].strength = 1.0f;  // right
  Refresh();
  const RgbaImage& hat = gui_.Picture(18);
  EXPECT_EQ(gui_.Updates(18), 2);
  EXPECT_TRUE(Drawn(hat, kArtHatBackground));
  for (const int n : {11, 13, 14, 16}) EXPECT_TRUE(Drawn(hat, n)) << n;
  for (const int n : {10, 12, 15, 17}) EXPECT_FALSE(Drawn(hat, n)) << n;
  EXPECT_EQ(device_.hat[1].shown, 1.0f);
  EXPECT_EQ(device_.hat[4].shown, 0.0f);
}

TEST_F(LiveViewTest, ButtonShowsItsStateAndNumber) {
  gui_.SetGlyphWidth(kSmallFont, 6);
  device_.buttons[10].strength = 1.0f;
  Refresh();
  const RgbaImage& pressed = gui_.Picture(86 + 10);
  EXPECT_TRUE(Drawn(pressed, kArtButtonPressed));
  EXPECT_FALSE(Drawn(pressed, kArtButtonReleased));
  // "10" is 12 x 10: at ((80 - 12) / 2, (24 - 10) / 2) = (34, 7).
  EXPECT_EQ(pressed.Pixel(34, 7), kOpaqueBlack);
  EXPECT_EQ(pressed.Pixel(45, 16), kOpaqueBlack);
  EXPECT_EQ(pressed.Pixel(33, 7), 0u);
  EXPECT_EQ(pressed.Pixel(46, 16), 0u);
  EXPECT_EQ(pressed.Pixel(34, 17), 0u);

  const RgbaImage& released = gui_.Picture(86 + 9);
  EXPECT_TRUE(Drawn(released, kArtButtonReleased));
  // "9" is 6 wide: (80 - 6) / 2 = 37.
  EXPECT_EQ(released.Pixel(37, 7), kOpaqueBlack);
  EXPECT_EQ(released.Pixel(36, 7), 0u);
}

TEST(LiveViewRealArtworkTest, DiscTouchesTheRightEdgeWhenFullyRight) {
  Artwork artwork;
  ASSERT_TRUE(DecodeArtwork(artwork));
  PicturesTestGui gui;
  Device device = RestingDevice(1, 0);
  device.sticks[1].x = 1.0f;
  LiveViewImages images;
  RefreshLiveView(gui, device, artwork, kSmallFont, images);
  const RgbaImage& picture = gui.Picture(38);
  const uint32_t centre = artwork.Image(kArtStickMarker).Pixel(40, 40);
  EXPECT_EQ(picture.Pixel(68, 40), centre) << "disc centre 28 to the right";
  EXPECT_GT(AlphaOf(picture.Pixel(79, 40)), 200);
  EXPECT_EQ(AlphaOf(picture.Pixel(40, 40)), 0) << "middle left empty";
}

}  // namespace
}  // namespace rz
