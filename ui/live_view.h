// The live view: the stick, hat and button pictures of the main window,
// redrawn on the view timer from the tables the poll cycle fills, only while
// the main window is in front and only where a value changed.
#ifndef RIRUZIRUZO_UI_LIVE_VIEW_H_
#define RIRUZIRUZO_UI_LIVE_VIEW_H_

#include <array>

#include "engine/joystick.h"
#include "platform/gui.h"
#include "ui/artwork.h"
#include "ui/image.h"

namespace rz {

// The off-screen images behind the live pictures, owned by the main window
// for the run. They start opaque black, which is what the pictures show
// until the first refresh.
struct LiveViewImages {
  static constexpr int kStickControlBase = 37;  // stick i: 37 + i
  static constexpr int kHatControl = 18;
  static constexpr int kButtonControlBase = 86;  // button j: 86 + j
  static constexpr int kStickSize = 80;          // square
  static constexpr int kHatSize = 80;            // square
  static constexpr int kButtonWidth = 80;
  static constexpr int kButtonHeight = 24;

  LiveViewImages();

  // Index 0 of sticks and buttons is unused, as in the device tables.
  std::array<RgbaImage, kMaxSticks + 1> sticks;
  RgbaImage hat;
  std::array<RgbaImage, kMaxButtons + 1> buttons;
};

// One view-timer tick. Does nothing unless window 0 is in front. Otherwise
// redraws, shows and records as shown each stick whose x or y differs from
// its last-shown copy, the hat when any direction differs, and each button
// whose strength differs (exact float comparison, so the sentinels of the
// device tables force the first drawing). Stick and button counts are
// clamped to the tables.
void RefreshLiveView(Gui& gui, Device& device, const Artwork& artwork,
                     int small_font, LiveViewImages& images);

}  // namespace rz

#endif  // RIRUZIRUZO_UI_LIVE_VIEW_H_
