#include "ui/live_view.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace rz {

namespace {

// The marker moves this many pixels per unit of deflection.
constexpr float kMarkerTravel = 28.0f;

// Offset of the stick marker for a deflection, rounded to nearest with
// halves to even. Values far outside the picture (a deflection well beyond
// the stick's range, or not a number) are pinned where they are clipped
// away anyway, so the conversion to int stays defined.
int MarkerOffset(float deflection) {
  const float offset = std::nearbyint(deflection * kMarkerTravel);
  if (std::isnan(offset)) return 0;
  constexpr float kLimit = LiveViewImages::kStickSize;
  return static_cast<int>(std::clamp(offset, -kLimit, kLimit));
}

// The image index for a strength that should be 0 or 1; anything else is
// treated as released or pressed by its nearest end, so it never names an
// image outside the pair.
int PressedIndex(float strength) {
  return std::nearbyint(strength) >= 1.0f ? 1 : 0;
}

void DrawStick(Gui& gui, int i, const StickState& stick, const Artwork& artwork,
               RgbaImage& image) {
  image.Clear();
  DrawImage(image.view(), artwork.Image(kArtStickBackground).const_view(), 0,
            0);
  DrawImage(image.view(), artwork.Image(kArtStickMarker).const_view(),
            MarkerOffset(stick.x), MarkerOffset(stick.y));
  gui.SetPicture(LiveViewImages::kStickControlBase + i, image.const_view());
}

void DrawHat(Gui& gui, const Device& device, const Artwork& artwork,
             RgbaImage& image) {
  image.Clear();
  DrawImage(image.view(), artwork.Image(kArtHatBackground).const_view(), 0, 0);
  for (int d = 1; d <= kHatDirections; ++d) {
    const int number =
        kArtHatUp + 2 * (d - 1) + PressedIndex(device.hat[d].strength);
    DrawImage(image.view(), artwork.Image(number).const_view(), 0, 0);
  }
  gui.SetPicture(LiveViewImages::kHatControl, image.const_view());
}

void DrawButton(Gui& gui, int j, const SwitchState& button,
                const Artwork& artwork, int small_font, RgbaImage& image) {
  image.Clear();
  DrawImage(image.view(),
            artwork.Image(kArtButtonReleased + PressedIndex(button.strength))
                .const_view(),
            0, 0);
  const std::string number = std::to_string(j);
  const TextSize size = gui.MeasureText(small_font, number);
  gui.DrawText(small_font, number, image.view(),
               (image.width() - size.width) / 2,
               (image.height() - size.height) / 2, PackRgba(0, 0, 0, 255));
  gui.SetPicture(LiveViewImages::kButtonControlBase + j, image.const_view());
}

}  // namespace

LiveViewImages::LiveViewImages() {
  constexpr uint32_t kOpaqueBlack = PackRgba(0, 0, 0, 255);
  for (size_t i = 1; i < sticks.size(); ++i) {
    sticks[i] = RgbaImage(kStickSize, kStickSize);
    sticks[i].Fill(kOpaqueBlack);
  }
  hat = RgbaImage(kHatSize, kHatSize);
  hat.Fill(kOpaqueBlack);
  for (size_t j = 1; j < buttons.size(); ++j) {
    buttons[j] = RgbaImage(kButtonWidth, kButtonHeight);
    buttons[j].Fill(kOpaqueBlack);
  }
}

void RefreshLiveView(Gui& gui, Device& device, const Artwork& artwork,
                     int small_font, LiveViewImages& images) {
  if (!gui.IsForeground(0)) return;

  const int sticks = std::clamp(device.num_sticks, 0, kMaxSticks);
  for (int i = 1; i <= sticks; ++i) {
    StickState& stick = device.sticks[i];
    if (stick.x != stick.shown_x || stick.y != stick.shown_y) {
      DrawStick(gui, i, stick, artwork, images.sticks[i]);
      stick.shown_x = stick.x;
      stick.shown_y = stick.y;
    }
  }

  bool hat_changed = false;
  for (int d = 1; d <= kHatDirections; ++d) {
    hat_changed = hat_changed || device.hat[d].strength != device.hat[d].shown;
  }
  if (hat_changed) {
    DrawHat(gui, device, artwork, images.hat);
    for (int d = 1; d <= kHatDirections; ++d) {
      device.hat[d].shown = device.hat[d].strength;
    }
  }

  const int buttons = std::clamp(device.num_buttons, 0, kMaxButtons);
  for (int j = 1; j <= buttons; ++j) {
    SwitchState& button = device.buttons[j];
    if (button.strength != button.shown) {
      DrawButton(gui, j, button, artwork, small_font, images.buttons[j]);
      button.shown = button.strength;
    }
  }
}

}  // namespace rz
