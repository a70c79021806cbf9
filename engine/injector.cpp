#include "engine/injector.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace rz {

namespace {

constexpr float kPixelsPerCall = 32.0f;

// Converts a whole-numbered float to int32, saturating at the ends of the
// range; a value that is not finite counts as 0.
int32_t SaturateToInt32(float whole) {
  if (!std::isfinite(whole)) return 0;
  // 2^31 is exact in float; INT32_MAX is not.
  constexpr float kLimit = 2147483648.0f;
  if (whole >= kLimit) return std::numeric_limits<int32_t>::max();
  if (whole < -kLimit) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(whole);
}

int32_t SaturateToInt32(int64_t value) {
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value < kMin   ? kMin
                              : value > kMax ? kMax
                                             : value);
}

}  // namespace

float RoundHalfAway(float x) { return std::round(x); }

// Pixels to inject for one motion call; carries the fraction in `remainder`.
int32_t Injector::Motion(int32_t direction, float strength, float& remainder) {
  const float growth =
      1.0f + mouse_acceleration * static_cast<float>(hold_time) / 1000.0f;
  const float motion = mouse_speed * kPixelsPerCall * strength *
                       static_cast<float>(direction) * growth;
  // No motion leaves the remainder alone: rounding a remainder of exactly
  // +-0.5 on every idle call would step a resting pointer back and forth.
  if (motion == 0.0f || !std::isfinite(motion)) return 0;
  const float total = remainder + motion;
  const float pixels = RoundHalfAway(total);
  remainder = total - pixels;
  return SaturateToInt32(pixels);
}

void Injector::PerformAction(int index, float strength) {
  if (index < 0 || index >= catalogue_.action_count()) return;
  if (std::isnan(strength)) strength = 0.0f;
  Action& action = catalogue_.action(index);
  InputRecord record;
  switch (action.kind) {
    case ActionKind::kMouseMoveX:
      record.dx = Motion(action.value2, strength, remainder_x);
      record.mouse_flags = static_cast<uint32_t>(action.value);
      break;
    case ActionKind::kMouseMoveY:
      record.dy = Motion(action.value2, strength, remainder_y);
      record.mouse_flags = static_cast<uint32_t>(action.value);
      break;
    case ActionKind::kMouseButton:
    case ActionKind::kMouseWheel:
    case ActionKind::kKey: {
      // Edge-triggered: only a change of the rounded strength injects.
      const float rounded = RoundHalfAway(strength);
      if (rounded == action.last_strength) return;
      action.last_strength = rounded;
      const bool press = rounded == 1.0f;
      if (action.kind == ActionKind::kMouseButton) {
        record.mouse_flags =
            static_cast<uint32_t>(press ? action.value : action.value2);
      } else if (action.kind == ActionKind::kMouseWheel) {
        // A release is an empty mouse record.
        if (press) {
          record.mouse_flags = static_cast<uint32_t>(action.value);
          record.mouse_data =
              SaturateToInt32(int64_t{action.value2} * kWheelDelta);
        }
      } else {
        record.type = InputRecord::Type::kKeyboard;
        // The extended-key flag is never set: the scan word carries it.
        if (scan_code_mode != 0) {
          record.scan = static_cast<uint16_t>(action.value2);
          record.key_flags = kKeyScanCode | (press ? 0 : kKeyUp);
        } else {
          record.vk = static_cast<uint16_t>(action.value);
          record.key_flags = press ? 0 : kKeyUp;
        }
      }
      break;
    }
    case ActionKind::kNone:
    default:
      return;
  }
  if (sink_ != nullptr) sink_->Send(record);
}

void Injector::ReleaseAllActions() {
  for (int index = 0; index < catalogue_.action_count(); ++index) {
    PerformAction(index, 0.0f);
  }
}

}  // namespace rz
