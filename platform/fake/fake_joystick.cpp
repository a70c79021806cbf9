#include "platform/fake/fake_joystick.h"

namespace rz {

int FakeJoystick::GetCaps(JoystickCaps& caps) {
  ++caps_calls_;
  if (caps_result_ == kJoyNoError) caps = caps_;
  return caps_result_;
}

int FakeJoystick::GetPosition(JoystickPosition& pos) {
  ++position_calls_;
  if (position_result_ == kJoyNoError) pos = position_;
  return position_result_;
}

}  // namespace rz
