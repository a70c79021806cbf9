#include "engine/poll.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace rz {

namespace {

constexpr int32_t kFullTurn = 36000;  // hundredths of a degree
constexpr uint32_t kMaxHoldTime = 1000;

// Deflection of a raw axis value, -1..1 across the calibrated range. An axis
// without a range reads as centred rather than dividing by zero.
float Normalise(int32_t raw, int32_t centre, int32_t half_range) {
  if (half_range == 0) return 0.0f;
  return static_cast<float>(int64_t{raw} - centre) /
         static_cast<float>(half_range);
}

// A dead zone from a hand-edited profile may be anything: NaN or negative
// acts as none; 1 or more is handled by the caller as "never leaves".
float UsableDeadZone(float dead_zone) {
  return std::isnan(dead_zone) || dead_zone < 0.0f ? 0.0f : dead_zone;
}

}  // namespace

unsigned ActiveHatDirections(uint32_t pov) {
  if (pov >= static_cast<uint32_t>(kFullTurn)) return 0;  // centred
  const int32_t p = static_cast<int32_t>(pov);
  unsigned active = 0;
  // Each direction spans 135 degrees centred on its own axis; the
  // neighbouring turns catch "up" on both sides of 0.
  for (int32_t d = 1; d <= kHatDirections; ++d) {
    const int32_t upper = (d - 1) * 9000 + 6750;
    const int32_t lower = (d - 2) * 9000 + 2250;
    for (const int32_t angle : {p, p - kFullTurn, p + kFullTurn}) {
      if (angle >= lower && angle <= upper) {
        active |= 1u << (d - 1);
        break;
      }
    }
  }
  return active;
}

// The direction opposite to the deflection is performed with 0 first, so a
// key or button left down by a stick that snapped back into its dead zone is
// let go. When both directions share one action only the deflected one is
// performed, so a held key does not chatter.
void PollCycle::PerformAxis(int32_t negative_action, int32_t positive_action,
                            float deflection) {
  const bool negative = deflection < 0.0f;
  const int32_t deflected = negative ? negative_action : positive_action;
  const int32_t opposite = negative ? positive_action : negative_action;
  if (opposite != deflected) injector_.PerformAction(opposite, 0.0f);
  injector_.PerformAction(deflected, negative ? -deflection : deflection);
}

void PollCycle::Run() {
  // Read into a copy so that a failed query leaves the last good reading.
  JoystickPosition position;
  if (joystick_.GetPosition(position) != kJoyNoError) {
    injector_.ReleaseAllActions();
    return;
  }
  device_.position = position;

  bool all_idle = true;
  const int num_sticks = std::clamp(device_.num_sticks, 0, kMaxSticks);
  for (int k = 1; k <= num_sticks; ++k) {
    StickState& stick = device_.sticks[k];
    float x = Normalise(position.axis[kStickAxes[k][0]], stick.h_centre,
                        stick.h_half_range);
    float y = Normalise(position.axis[kStickAxes[k][1]], stick.v_centre,
                        stick.v_half_range);
    // Radial dead zone; what lies outside it is rescaled to start from 0.
    const float r = std::sqrt(x * x + y * y);
    const float dead_zone = UsableDeadZone(stick.dead_zone);
    float d = r - dead_zone;
    if (dead_zone < 1.0f && d > 0.0f) {
      d = d / (1.0f - dead_zone);
      const float ux = x / r;
      const float uy = y / r;
      x = ux * d;
      y = uy * d;
      all_idle = false;
    } else {
      x = 0.0f;
      y = 0.0f;
    }
    stick.x = x;
    stick.y = y;

    if (catalogue_.preset_count() == 0) continue;
    const int32_t index = stick.preset;
    const StickPreset& preset = catalogue_.preset(
        index >= 0 && index < catalogue_.preset_count() ? index : 0);
    PerformAxis(preset.left, preset.right, x);
    PerformAxis(preset.up, preset.down, y);
  }

  // Hold clock, measured after the sticks so that this poll's motion used the
  // previous poll's hold time. Unsigned subtraction survives the wrap of the
  // millisecond counter.
  const uint32_t now = clock_.TickCount();
  if (all_idle) {
    hold_start_ = now;
  } else {
    injector_.hold_time =
        static_cast<int32_t>(std::min(now - hold_start_, kMaxHoldTime));
  }

  if (device_.hat_present != 0) {
    const unsigned active = ActiveHatDirections(position.pov);
    for (int d = 1; d <= kHatDirections; ++d) {
      SwitchState& direction = device_.hat[d];
      direction.strength = (active >> (d - 1)) & 1u ? 1.0f : 0.0f;
      injector_.PerformAction(direction.action, direction.strength);
    }
  }

  const int num_buttons = std::clamp(device_.num_buttons, 0, kMaxButtons);
  for (int b = 1; b <= num_buttons; ++b) {
    SwitchState& button = device_.buttons[b];
    button.strength = (position.buttons >> (b - 1)) & 1u ? 1.0f : 0.0f;
    injector_.PerformAction(button.action, button.strength);
  }
}

}  // namespace rz
