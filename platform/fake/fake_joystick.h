// A scripted controller 0: the test or replay script sets what each query
// answers and reads how often each was asked.
#ifndef RIRUZIRUZO_PLATFORM_FAKE_FAKE_JOYSTICK_H_
#define RIRUZIRUZO_PLATFORM_FAKE_FAKE_JOYSTICK_H_

#include "platform/joystick.h"

namespace rz {

class FakeJoystick final : public Joystick {
 public:
  // On success the query copies the scripted record; on failure it leaves
  // the caller's record untouched, as the seam promises.
  int GetCaps(JoystickCaps& caps) override;
  int GetPosition(JoystickPosition& pos) override;

  // What the next queries answer; change them between calls to script a run.
  JoystickCaps& caps() { return caps_; }
  JoystickPosition& position() { return position_; }
  void set_caps_result(int result) { caps_result_ = result; }
  void set_position_result(int result) { position_result_ = result; }

  int caps_calls() const { return caps_calls_; }
  int position_calls() const { return position_calls_; }

 private:
  JoystickCaps caps_;
  JoystickPosition position_;
  int caps_result_ = kJoyNoError;
  int position_result_ = kJoyNoError;
  int caps_calls_ = 0;
  int position_calls_ = 0;
};

}  // namespace rz

#endif  // RIRUZIRUZO_PLATFORM_FAKE_FAKE_JOYSTICK_H_
