#include "ui/image.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace rz {

namespace {

uint32_t Load(const uint8_t* p) { return PackRgba(p[0], p[1], p[2], p[3]); }

void Store(uint8_t* p, uint32_t rgba) {
  p[0] = RedOf(rgba);
  p[1] = GreenOf(rgba);
  p[2] = BlueOf(rgba);
  p[3] = AlphaOf(rgba);
}

uint8_t* PixelAt(RgbaView view, int x, int y) {
  return view.pixels + (static_cast<ptrdiff_t>(y) * view.stride + x) * 4;
}

const uint8_t* PixelAt(ConstRgbaView view, int x, int y) {
  return view.pixels + (static_cast<ptrdiff_t>(y) * view.stride + x) * 4;
}

bool Usable(const RgbaView& view) {
  return view.pixels != nullptr && view.width > 0 && view.height > 0 &&
         view.stride >= view.width;
}

uint8_t ToChannel(float v) {
  return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

// The gradient's colour at position t, between the stops around it.
uint32_t ColourAt(std::span<const GradientStop> stops, float t) {
  if (t <= stops.front().position) return stops.front().rgba;
  for (size_t k = 1; k < stops.size(); ++k) {
    const GradientStop& a = stops[k - 1];
    const GradientStop& b = stops[k];
    if (t > b.position) continue;
    const float span = b.position - a.position;
    const float f = span > 0.0f ? (t - a.position) / span : 1.0f;
    const auto mix = [f](uint8_t from, uint8_t to) {
      return ToChannel(static_cast<float>(from) +
                       (static_cast<float>(to) - static_cast<float>(from)) * f);
    };
    return PackRgba(mix(RedOf(a.rgba), RedOf(b.rgba)),
                    mix(GreenOf(a.rgba), GreenOf(b.rgba)),
                    mix(BlueOf(a.rgba), BlueOf(b.rgba)),
                    mix(AlphaOf(a.rgba), AlphaOf(b.rgba)));
  }
  return stops.back().rgba;
}

}  // namespace

RgbaImage::RgbaImage(int width, int height) {
  if (width <= 0 || height <= 0) return;
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4,
                 0);
}

RgbaView RgbaImage::view() { return {pixels_.data(), width_, height_, width_}; }

ConstRgbaView RgbaImage::const_view() const {
  return {pixels_.data(), width_, height_, width_};
}

uint32_t RgbaImage::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return Load(PixelAt(const_view(), x, y));
}

void RgbaImage::SetPixel(int x, int y, uint32_t rgba) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Store(PixelAt(view(), x, y), rgba);
}

void RgbaImage::Clear() { std::fill(pixels_.begin(), pixels_.end(), 0); }

void RgbaImage::Fill(uint32_t rgba) {
  for (size_t i = 0; i < pixels_.size(); i += 4) Store(&pixels_[i], rgba);
}

uint32_t BlendOver(uint32_t dst, uint32_t src) {
  const uint32_t sa = AlphaOf(src);
  if (sa == 255) return src;
  if (sa == 0) return dst;
  const uint32_t da = AlphaOf(dst);
  // Everything on the scale 255 * 255: the source's weight and what shows
  // of the destination underneath it.
  const uint32_t src_weight = sa * 255;
  const uint32_t dst_weight = da * (255 - sa);
  const uint32_t out_weight = src_weight + dst_weight;
  const auto channel = [&](uint8_t s, uint8_t d) {
    return static_cast<uint8_t>(
        (s * src_weight + d * dst_weight + out_weight / 2) / out_weight);
  };
  return PackRgba(channel(RedOf(src), RedOf(dst)),
                  channel(GreenOf(src), GreenOf(dst)),
                  channel(BlueOf(src), BlueOf(dst)),
                  static_cast<uint8_t>((out_weight + 127) / 255));
}

void DrawImage(RgbaView dst, ConstRgbaView src, int x, int y) {
  if (!Usable(dst) || src.pixels == nullptr || src.width <= 0 ||
      src.height <= 0 || src.stride < src.width) {
    return;
  }
  // Work in 64 bits so that far-away positions cannot overflow.
  const int64_t left = std::max<int64_t>(0, x);
  const int64_t top = std::max<int64_t>(0, y);
  const int64_t right = std::min<int64_t>(dst.width, int64_t{x} + src.width);
  const int64_t bottom = std::min<int64_t>(dst.height, int64_t{y} + src.height);
  for (int64_t row = top; row < bottom; ++row) {
    const uint8_t* from =
        PixelAt(src, static_cast<int>(left - x), static_cast<int>(row - y));
    uint8_t* to = PixelAt(dst, static_cast<int>(left), static_cast<int>(row));
    for (int64_t col = left; col < right; ++col, from += 4, to += 4) {
      const uint8_t alpha = from[3];
      if (alpha == 0) continue;
      if (alpha == 255) {
        std::memcpy(to, from, 4);
      } else {
        Store(to, BlendOver(Load(to), Load(from)));
      }
    }
  }
}

void FillLinearGradient(RgbaView dst, float x0, float y0, float x1, float y1,
                        std::span<const GradientStop> stops) {
  const float dx = x1 - x0;
  const float dy = y1 - y0;
  const float length_squared = dx * dx + dy * dy;
  if (!Usable(dst) || stops.empty() || !(length_squared > 0.0f)) return;
  for (int y = 0; y < dst.height; ++y) {
    uint8_t* to = PixelAt(dst, 0, y);
    for (int x = 0; x < dst.width; ++x, to += 4) {
      const float t = ((static_cast<float>(x) - x0) * dx +
                       (static_cast<float>(y) - y0) * dy) /
                      length_squared;
      Store(to,
            BlendOver(Load(to), ColourAt(stops, std::clamp(t, 0.0f, 1.0f))));
    }
  }
}

void DrawHorizontalLine(RgbaView dst, int x0, int x1, int y, uint32_t rgba) {
  if (!Usable(dst) || y < 0 || y >= dst.height) return;
  const int left = std::max(0, std::min(x0, x1));
  const int right = std::min(dst.width - 1, std::max(x0, x1));
  for (int x = left; x <= right; ++x) {
    uint8_t* to = PixelAt(dst, x, y);
    Store(to, BlendOver(Load(to), rgba));
  }
}

}  // namespace rz
