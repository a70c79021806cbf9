#include "ui/assignment.h"

#include "ui/control_ids.h"

namespace rz {
namespace {

// Stores the selected position of a choice box in `index` and lets go of
// whatever the old assignment may still hold. A box without a selection
// reports -1: nothing is stored then, as the engine needs indices within
// its lists.
void StoreChoice(const WindowContext& context, int control, int32_t& index) {
  const int position = context.gui.GetSelection(control);
  if (position < 0) return;
  index = position;
  context.injector.ReleaseAllActions();
}

}  // namespace

void HandleAssignmentEvent(const WindowContext& context, int control) {
  Gui& gui = context.gui;
  Device& device = context.device;
  for (int d = 1; d <= kHatDirections; ++d) {
    if (control == kHatChoices[d - 1]) {
      StoreChoice(context, control, device.hat[d].action);
      return;
    }
  }
  for (int i = 1; i <= StickCount(device); ++i) {
    if (control == PresetChoice(i)) {
      StoreChoice(context, control, device.sticks[i].preset);
      return;
    }
    if (control == DeadZoneSlider(i)) {
      float& dead_zone = device.sticks[i].dead_zone;
      dead_zone = static_cast<float>(gui.GetValue(control)) / 100.0f;
      // From the stored value, which gives back the slider position.
      gui.SetText(DeadZoneLabel(i), DeadZoneText(dead_zone));
      return;
    }
  }
  for (int j = 1; j <= ButtonCount(device); ++j) {
    if (control == ButtonChoice(j)) {
      StoreChoice(context, control, device.buttons[j].action);
      return;
    }
  }
  switch (control) {
    case kSpeedSlider:
      context.injector.mouse_speed =
          static_cast<float>(gui.GetValue(control)) / 8.0f;
      break;
    case kAccelerationSlider:
      context.injector.mouse_acceleration =
          static_cast<float>(gui.GetValue(control)) / 8.0f;
      break;
    case kScanCodeCheck:
      context.injector.scan_code_mode = gui.GetValue(control) != 0 ? 1 : 0;
      break;
    default:
      break;
  }
}

}  // namespace rz
