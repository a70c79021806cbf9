#include "engine/joystick.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace rz {

namespace {

struct Calibration {
  int32_t centre;
  int32_t half_range;
};

// Centre and half-range of an axis, with the division truncating toward
// zero. Worked in 64 bits so that no reported range can overflow; the centre
// always lies between min and max, the half-range saturates.
Calibration Calibrate(const AxisRange& range) {
  const int64_t min = range.min;
  const int64_t max = range.max;
  const int64_t centre = min + (max - min) / 2;
  const int64_t half =
      std::clamp<int64_t>(max - centre, std::numeric_limits<int32_t>::min(),
                          std::numeric_limits<int32_t>::max());
  return {static_cast<int32_t>(centre), static_cast<int32_t>(half)};
}

}  // namespace

int StartDevice(Joystick& joystick, Device& device) {
  // A query that fails otherwise leaves an empty record: no sticks, no
  // buttons, no hat.
  JoystickCaps caps;
  const int result = joystick.GetCaps(caps);
  if (result == kJoyErrNoDriver || result == kJoyErrUnplugged) return result;

  JoystickPosition position;
  if (joystick.GetPosition(position) == kJoyNoError) {
    device.position = position;
  }

  device.name = caps.name;
  // Two axes a stick, rounded up.
  device.num_sticks = (std::clamp(caps.num_axes, 0, 2 * kMaxSticks) + 1) / 2;
  device.num_buttons = std::clamp(caps.num_buttons, 0, kMaxButtons);
  device.hat_present = (caps.caps & kJoyCapsHasPov) != 0 ? 1 : 0;
  device.period_min = std::max(caps.period_min, 0);

  for (int k = 1; k <= device.num_sticks; ++k) {
    StickState& stick = device.sticks[k];
    const Calibration h = Calibrate(caps.range[kStickAxes[k][0]]);
    const Calibration v = Calibrate(caps.range[kStickAxes[k][1]]);
    stick.h_centre = h.centre;
    stick.h_half_range = h.half_range;
    stick.v_centre = v.centre;
    stick.v_half_range = v.half_range;
    // Sentinels that no deflection equals, so the first view draws all.
    stick.shown_x = kStickNotShown;
    stick.shown_y = kStickNotShown;
  }
  for (int d = 1; d <= kHatDirections; ++d) {
    device.hat[d].shown = kStrengthNotShown;
  }
  for (int b = 1; b <= device.num_buttons; ++b) {
    device.buttons[b].shown = kStrengthNotShown;
  }
  return result;
}

}  // namespace rz
