// The cost of one view tick of the live view that redraws everything: three
// sticks, the hat and 32 buttons, shown through the in-memory Gui (which
// copies each picture, as a toolkit would).
#include <benchmark/benchmark.h>

#include "engine/joystick.h"
#include "platform/fake/fake_gui.h"
#include "ui/artwork.h"
#include "ui/live_view.h"

namespace rz {
namespace {

struct ViewSetup {
  ViewSetup() {
    gui.OpenWindow("RiruziruZo", 500, 500);
    small_font = gui.LoadFont("Arial", 9);
    const auto picture = [this](int id, int width, int height) {
      ControlSpec spec;
      spec.id = id;
      spec.kind = ControlKind::kPicture;
      spec.width = width;
      spec.height = height;
      gui.CreateControl(spec);
    };
    for (int i = 1; i <= kMaxSticks; ++i) {
      picture(LiveViewImages::kStickControlBase + i, 80, 80);
    }
    picture(LiveViewImages::kHatControl, 80, 80);
    for (int j = 1; j <= kMaxButtons; ++j) {
      picture(LiveViewImages::kButtonControlBase + j, 80, 24);
    }
    DecodeArtwork(artwork);
    device.num_sticks = kMaxSticks;
    device.num_buttons = kMaxButtons;
    device.hat_present = 1;
  }

  FakeGui gui;
  int small_font = -1;
  Artwork artwork;
  Device device;
  LiveViewImages images;
};

void BM_ViewTickRedrawingEverything(benchmark::State& state) {
  ViewSetup setup;
  float phase = 0.0f;
  for (auto _ : state) {
    // New values every tick, so every picture is redrawn.
    phase = phase > 0.9f ? -0.9f : phase + 0.05f;
    for (int i = 1; i <= kMaxSticks; ++i) {
      setup.device.sticks[i].x = phase;
      setup.device.sticks[i].y = -phase;
    }
    const float pressed =
        setup.device.buttons[1].strength == 0.0f ? 1.0f : 0.0f;
    for (int d = 1; d <= kHatDirections; ++d) {
      setup.device.hat[d].strength = pressed;
    }
    for (int j = 1; j <= kMaxButtons; ++j) {
      setup.device.buttons[j].strength = pressed;
    }
    RefreshLiveView(setup.gui, setup.device, setup.artwork, setup.small_font,
                    setup.images);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ViewTickRedrawingEverything)->Unit(benchmark::kMicrosecond);

void BM_ViewTickWithNothingChanged(benchmark::State& state) {
  ViewSetup setup;
  RefreshLiveView(setup.gui, setup.device, setup.artwork, setup.small_font,
                  setup.images);
  for (auto _ : state) {
    RefreshLiveView(setup.gui, setup.device, setup.artwork, setup.small_font,
                    setup.images);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ViewTickWithNothingChanged);

}  // namespace
}  // namespace rz
