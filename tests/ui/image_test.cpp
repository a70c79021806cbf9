#include "ui/image.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>

namespace rz {
namespace {

constexpr uint32_t kRed = PackRgba(255, 0, 0, 255);
constexpr uint32_t kBlue = PackRgba(0, 0, 255, 255);

TEST(BlendOverTest, UsesNonPremultipliedSourceOver) {
  const uint32_t half_red = PackRgba(255, 0, 0, 128);
  // Over nothing the colour stays as it is, not darkened by its alpha.
  EXPECT_EQ(BlendOver(0, half_red), half_red);
  // Over opaque blue: an even mix, opaque.
  EXPECT_EQ(BlendOver(kBlue, half_red), PackRgba(128, 0, 127, 255));
  // Half over half: alpha 1 - 0.5 * 0.5; the source weighs twice as much
  // as what shows of the destination underneath.
  EXPECT_EQ(BlendOver(PackRgba(0, 0, 255, 128), half_red),
            PackRgba(170, 0, 85, 192));
  EXPECT_EQ(BlendOver(kBlue, 0), kBlue);
  EXPECT_EQ(BlendOver(kBlue, kRed), kRed);
}

TEST(DrawImageTest, BlendsAndClipsOnEverySide) {
  RgbaImage src(4, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      src.SetPixel(x, y,
                   PackRgba(static_cast<uint8_t>(x * 10),
                            static_cast<uint8_t>(y * 10), 0, 255));
    }
  }
  src.SetPixel(3, 3, 0);  // a transparent pixel leaves the target alone

  RgbaImage dst(4, 4);
  dst.Fill(kBlue);
  DrawImage(dst.view(), src.const_view(), -2, -1);
  EXPECT_EQ(dst.Pixel(0, 0), PackRgba(20, 10, 0, 255));
  EXPECT_EQ(dst.Pixel(1, 1), PackRgba(30, 20, 0, 255));
  EXPECT_EQ(dst.Pixel(1, 2), kBlue);
  EXPECT_EQ(dst.Pixel(2, 0), kBlue);

  dst.Fill(kBlue);
  DrawImage(dst.view(), src.const_view(), 3, 3);
  EXPECT_EQ(dst.Pixel(3, 3), PackRgba(0, 0, 0, 255));
  EXPECT_EQ(dst.Pixel(2, 3), kBlue);

  const RgbaImage before = dst;
  for (const auto& [x, y] : std::array<std::pair<int, int>, 4>{
           {{INT_MAX, 0}, {INT_MIN, 0}, {0, INT_MAX}, {-4, -4}}}) {
    DrawImage(dst.view(), src.const_view(), x, y);
  }
  EXPECT_EQ(dst, before) << "images entirely outside draw nothing";
  DrawImage(dst.view(), RgbaImage().const_view(), 0, 0);
  EXPECT_EQ(dst, before);
}

TEST(FillLinearGradientTest, ProjectsClampsAndInterpolates) {
  const std::array<GradientStop, 2> stops = {{
      {0.0f, PackRgba(0, 0, 0, 255)},
      {1.0f, PackRgba(200, 100, 0, 55)},
  }};
  RgbaImage image(12, 3);
  // From (1, 0) to (11, 0): x = 6 is half way on every row.
  FillLinearGradient(image.view(), 1.0f, 0.0f, 11.0f, 0.0f, stops);
  EXPECT_EQ(image.Pixel(0, 0), PackRgba(0, 0, 0, 255)) << "clamped to 0";
  EXPECT_EQ(image.Pixel(6, 2), PackRgba(100, 50, 0, 155));
  EXPECT_EQ(image.Pixel(11, 1), PackRgba(200, 100, 0, 55));

  // Blended over what is there.
  RgbaImage opaque(12, 1);
  opaque.Fill(kBlue);
  FillLinearGradient(opaque.view(), 1.0f, 0.0f, 11.0f, 0.0f, stops);
  EXPECT_EQ(opaque.Pixel(11, 0), BlendOver(kBlue, PackRgba(200, 100, 0, 55)));

  RgbaImage untouched(4, 4);
  FillLinearGradient(untouched.view(), 2.0f, 2.0f, 2.0f, 2.0f, stops);
  FillLinearGradient(untouched.view(), 0.0f, 0.0f, 4.0f, 4.0f, {});
  EXPECT_EQ(untouched, RgbaImage(4, 4)) << "no line or no stops: no change";
}

TEST(DrawHorizontalLineTest, BlendsOnePixelHighAndClips) {
  RgbaImage image(5, 3);
  image.Fill(kBlue);
  DrawHorizontalLine(image.view(), -10, 100, 1, PackRgba(255, 0, 0, 128));
  for (int x = 0; x < 5; ++x) {
    EXPECT_EQ(image.Pixel(x, 1), PackRgba(128, 0, 127, 255)) << x;
    EXPECT_EQ(image.Pixel(x, 0), kBlue);
    EXPECT_EQ(image.Pixel(x, 2), kBlue);
  }
  const RgbaImage before = image;
  DrawHorizontalLine(image.view(), 0, 4, 3, kRed);
  DrawHorizontalLine(image.view(), 0, 4, -1, kRed);
  EXPECT_EQ(image, before);
}

}  // namespace
}  // namespace rz
