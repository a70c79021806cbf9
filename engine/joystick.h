// The model of the one controller the program drives: device counts,
// calibration, and the stick, hat and button tables that the poll cycle
// fills and the live view draws.
#ifndef RIRUZIRUZO_ENGINE_JOYSTICK_H_
#define RIRUZIRUZO_ENGINE_JOYSTICK_H_

#include <array>
#include <cstdint>
#include <string>

#include "platform/joystick.h"

namespace rz {

inline constexpr int kMaxSticks = 3;
inline constexpr int kHatDirections = 4;  // 1 up, 2 right, 3 down, 4 left
inline constexpr int kMaxButtons = 32;
inline constexpr float kStickNotShown = -65536.0f;
inline constexpr float kStrengthNotShown = -1.0f;

struct StickState {
  float x = 0.0f;
  int32_t h_centre = 0;
  int32_t h_half_range = 0;
  float shown_x = 0.0f;
  float y = 0.0f;
  int32_t v_centre = 0;
  int32_t v_half_range = 0;
  float shown_y = 0.0f;
  float dead_zone = 0.0f;
  int32_t preset = 0;
};

// One hat direction or one button.
struct SwitchState {
  float strength = 0.0f;
  float shown = 0.0f;
  int32_t action = 0;
};

struct Device {
  std::string name;
  int num_sticks = 0;
  int num_buttons = 0;
  int hat_present = 0;
  int period_min = 0;
  // Index 0 of each table is unused.
  std::array<StickState, kMaxSticks + 1> sticks{};
  std::array<SwitchState, kHatDirections + 1> hat{};
  std::array<SwitchState, kMaxButtons + 1> buttons{};
  JoystickPosition position{};  // last successful reading
};

// Axis pair (horizontal, vertical) of stick 1..3.
inline constexpr std::array<std::array<Axis, 2>, kMaxSticks + 1> kStickAxes = {
    {{kAxisX, kAxisY}, {kAxisX, kAxisY}, {kAxisR, kAxisZ}, {kAxisU, kAxisV}}};

// Queries the capabilities of controller 0 and returns the result code. On
// kJoyErrNoDriver or kJoyErrUnplugged nothing else is done (the caller tells
// the user and ends the program). Otherwise reads the position once, sets the
// counts (limited to 0..3 sticks and 0..32 buttons), the calibration and the
// last-shown sentinels, and returns the code. Dead zones, presets and action
// indices are left to the profile.
int StartDevice(Joystick& joystick, Device& device);

}  // namespace rz

#endif  // RIRUZIRUZO_ENGINE_JOYSTICK_H_
