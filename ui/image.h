// The program's own RGBA image and the few drawing operations its pictures
// need: source-over image drawing, a linear gradient fill and a one-pixel
// line, all alpha-blended and clipped to the target.
#ifndef RIRUZIRUZO_UI_IMAGE_H_
#define RIRUZIRUZO_UI_IMAGE_H_

#include <cstdint>
#include <span>
#include <vector>

#include "platform/gui.h"

namespace rz {

// Colours are packed as in RgbaView: r | g << 8 | b << 16 | a << 24.
constexpr uint32_t PackRgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 |
         static_cast<uint32_t>(b) << 16 | static_cast<uint32_t>(a) << 24;
}
constexpr uint8_t RedOf(uint32_t rgba) { return rgba & 0xFF; }
constexpr uint8_t GreenOf(uint32_t rgba) { return (rgba >> 8) & 0xFF; }
constexpr uint8_t BlueOf(uint32_t rgba) { return (rgba >> 16) & 0xFF; }
constexpr uint8_t AlphaOf(uint32_t rgba) {
  return static_cast<uint8_t>(rgba >> 24);
}

// Width x height pixels of non-premultiplied RGBA8, rows top-down and packed
// (stride = width). A new image is fully transparent; negative sizes give an
// empty image.
class RgbaImage {
 public:
  RgbaImage() = default;
  RgbaImage(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ == 0 || height_ == 0; }

  RgbaView view();
  ConstRgbaView const_view() const;

  // Pixel access; reads outside the image give 0, writes outside do nothing.
  uint32_t Pixel(int x, int y) const;
  void SetPixel(int x, int y, uint32_t rgba);

  // Every pixel fully transparent (all channels 0).
  void Clear();
  // Every pixel set to `rgba`, not blended.
  void Fill(uint32_t rgba);

  friend bool operator==(const RgbaImage&, const RgbaImage&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> pixels_;
};

// Source-over of one non-premultiplied colour over another.
uint32_t BlendOver(uint32_t dst, uint32_t src);

// Draws `src` with its top-left corner at (x, y), alpha-blended; what falls
// outside `dst` is clipped.
void DrawImage(RgbaView dst, ConstRgbaView src, int x, int y);

struct GradientStop {
  float position = 0.0f;  // 0..1, ascending
  uint32_t rgba = 0;
};

// Blends a linear gradient over all of `dst`. A pixel's position is the
// projection of its coordinates onto the line from (x0, y0) to (x1, y1),
// 0 at the first point and 1 at the second, clamped to 0..1; its colour is
// interpolated in red, green, blue and alpha between the surrounding stops.
// Nothing is drawn without stops or when the two points coincide.
void FillLinearGradient(RgbaView dst, float x0, float y0, float x1, float y1,
                        std::span<const GradientStop> stops);

// Blends `rgba` over the pixels (x0..x1, y), both ends included, clipped.
void DrawHorizontalLine(RgbaView dst, int x0, int x1, int y, uint32_t rgba);

}  // namespace rz

#endif  // RIRUZIRUZO_UI_IMAGE_H_
