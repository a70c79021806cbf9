#include "ui/section_header.h"

#include <array>
#include <string>

namespace rz {

namespace {

constexpr std::array<GradientStop, 3> kHeaderStops = {{
    {0.0f, PackRgba(160, 160, 160, 96)},
    {0.3f, PackRgba(160, 160, 160, 128)},
    {1.0f, PackRgba(255, 255, 255, 0)},
}};

}  // namespace

void DrawSectionHeader(Gui& gui, int control, RgbaImage& image,
                       const RgbaImage* icon, int icon_size,
                       std::string_view title, int font) {
  const int w = image.width();
  const int h = image.height();
  image.Clear();
  if (w > 0) {
    // The end point lies steeply below the start: the band fades out
    // towards the bottom and, along the top, only over the whole width.
    FillLinearGradient(image.view(), 0.0f, 0.0f, static_cast<float>(h * h / w),
                       static_cast<float>(h), kHeaderStops);
  }
  // The blank in front of the title is drawn to the left of x = h, so the
  // title itself starts right after the icon square.
  const int blank = gui.MeasureText(font, " ").width;
  const TextSize title_size = gui.MeasureText(font, title);
  std::string drawn = " ";
  drawn.append(title);
  gui.DrawText(font, drawn, image.view(), h - blank,
               (h - title_size.height) / 2, PackRgba(0, 0, 0, 255));
  if (icon != nullptr) {
    DrawImage(image.view(), icon->const_view(), (h - icon_size) / 2,
              (h - icon_size) / 2);
  }
  DrawHorizontalLine(image.view(), 0, w - 1, 0, PackRgba(0, 0, 0, 48));
  gui.SetPicture(control, image.const_view());
}

}  // namespace rz
