#include "engine/joystick.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

#include "platform/fake/fake_joystick.h"

namespace rz {
namespace {

TEST(StartDeviceTest, CountsSticksButtonsAndHat) {
  const std::vector<std::pair<int, int>> sticks_for_axes = {
      {0, 0}, {1, 1}, {2, 1}, {3, 2}, {5, 3}, {6, 3}, {7, 3}, {-3, 0}};
  for (const auto& [axes, sticks] : sticks_for_axes) {
    FakeJoystick joystick;
    joystick.caps().num_axes = axes;
    Device device;
    StartDevice(joystick, device);
    EXPECT_EQ(device.num_sticks, sticks) << axes << " axes";
  }

  FakeJoystick joystick;
  joystick.caps() = {.name = "Pad",
                     .num_axes = 2,
                     .num_buttons = 40,
                     .caps = kJoyCapsHasPov | 0x07,
                     .period_min = 10};
  Device device;
  EXPECT_EQ(StartDevice(joystick, device), kJoyNoError);
  EXPECT_EQ(device.name, "Pad");
  EXPECT_EQ(device.num_buttons, 32);
  EXPECT_EQ(device.hat_present, 1);
  EXPECT_EQ(device.period_min, 10);
  EXPECT_EQ(joystick.position_calls(), 1);

  joystick.caps().num_buttons = -4;
  joystick.caps().caps = 0x0F;
  StartDevice(joystick, device);
  EXPECT_EQ(device.num_buttons, 0);
  EXPECT_EQ(device.hat_present, 0);
}

TEST(StartDeviceTest, CalibratesEachStickFromItsAxisPair) {
  FakeJoystick joystick;
  JoystickCaps& caps = joystick.caps();
  caps.num_axes = 6;
  caps.range[kAxisX] = {0, 65535};
  caps.range[kAxisY] = {100, 900};
  caps.range[kAxisR] = {0, 10};  // stick 2, horizontal
  caps.range[kAxisZ] = {0, 20};  // stick 2, vertical
  caps.range[kAxisU] = {-5, 4};  // odd width: 9 / 2 truncates to 4
  caps.range[kAxisV] = {std::numeric_limits<int32_t>::min(),
                        std::numeric_limits<int32_t>::max()};
  Device device;
  StartDevice(joystick, device);
  const auto& s = device.sticks;
  EXPECT_EQ(s[1].h_centre, 32767);
  EXPECT_EQ(s[1].h_half_range, 32768);
  EXPECT_EQ(s[1].v_centre, 500);
  EXPECT_EQ(s[1].v_half_range, 400);
  EXPECT_EQ(s[2].h_centre, 5);
  EXPECT_EQ(s[2].v_centre, 10);
  EXPECT_EQ(s[3].h_centre, -1);  // -5 + 9 / 2
  EXPECT_EQ(s[3].h_half_range, 5);
  // The widest range saturates instead of overflowing.
  EXPECT_EQ(s[3].v_centre, -1);
  EXPECT_EQ(s[3].v_half_range, std::numeric_limits<int32_t>::max());
}

TEST(StartDeviceTest, SetsSentinelsAndLeavesProfileValues) {
  FakeJoystick joystick;
  joystick.caps().num_axes = 2;
  joystick.caps().num_buttons = 3;
  Device device;
  device.sticks[1].dead_zone = 0.1f;
  device.sticks[1].preset = 2;
  device.buttons[1].action = 12;
  StartDevice(joystick, device);
  EXPECT_EQ(device.sticks[1].shown_x, kStickNotShown);
  EXPECT_EQ(device.sticks[1].shown_y, kStickNotShown);
  EXPECT_EQ(device.sticks[2].shown_x, 0.0f) << "stick 2 does not exist";
  for (int d = 1; d <= kHatDirections; ++d) {
    EXPECT_EQ(device.hat[d].shown, kStrengthNotShown) << "without a hat too";
  }
  EXPECT_EQ(device.buttons[3].shown, kStrengthNotShown);
  EXPECT_EQ(device.buttons[4].shown, 0.0f);
  EXPECT_EQ(device.sticks[1].dead_zone, 0.1f);
  EXPECT_EQ(device.sticks[1].preset, 2);
  EXPECT_EQ(device.buttons[1].action, 12);
}

TEST(StartDeviceTest, NoUsableJoystickStopsAtOnceOtherFailuresGoOn) {
  for (int code : {kJoyErrNoDriver, kJoyErrUnplugged}) {
    FakeJoystick joystick;
    joystick.set_caps_result(code);
    Device device;
    device.num_sticks = 2;
    EXPECT_EQ(StartDevice(joystick, device), code);
    EXPECT_EQ(joystick.position_calls(), 0);
    EXPECT_EQ(device.num_sticks, 2) << "device left as it was";
    EXPECT_EQ(device.hat[1].shown, 0.0f);
  }

  // Any other failure continues with an empty capability record.
  FakeJoystick joystick;
  joystick.caps().num_axes = 4;
  joystick.set_caps_result(5);
  joystick.set_position_result(6);
  Device device;
  EXPECT_EQ(StartDevice(joystick, device), 5);
  EXPECT_EQ(device.num_sticks, 0);
  EXPECT_EQ(device.num_buttons, 0);
  EXPECT_EQ(device.hat_present, 0);
  EXPECT_EQ(device.hat[4].shown, kStrengthNotShown);
}

}  // namespace
}  // namespace rz
