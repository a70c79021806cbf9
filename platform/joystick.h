// Controller 0 as the engine sees it: a capability query and a position
// query, answered with the result codes of the multimedia joystick service.
//
// Ownership: the composition root owns the Joystick; the engine borrows it for
// the whole run. Error convention: every query returns a result code, 0 on
// success; kJoyErrNoDriver and kJoyErrUnplugged mean "no usable controller".
#ifndef RIRUZIRUZO_PLATFORM_JOYSTICK_H_
#define RIRUZIRUZO_PLATFORM_JOYSTICK_H_

#include <array>
#include <cstdint>
#include <string>

namespace rz {

inline constexpr int kJoyNoError = 0;
inline constexpr int kJoyErrNoDriver = 165;   // JOYERR_PARMS
inline constexpr int kJoyErrUnplugged = 167;  // JOYERR_UNPLUGGED
inline constexpr uint32_t kJoyCapsHasPov = 0x10;
inline constexpr uint32_t kPovCentred = 65535;

// Axis order of the capability and position records.
enum Axis : int { kAxisX, kAxisY, kAxisZ, kAxisR, kAxisU, kAxisV, kAxisCount };

struct AxisRange {
  int32_t min = 0;
  int32_t max = 0;
};

struct JoystickCaps {
  std::string name;
  int num_axes = 0;
  int num_buttons = 0;
  uint32_t caps = 0;   // kJoyCapsHasPov when the controller has a hat
  int period_min = 0;  // minimum polling period, milliseconds
  std::array<AxisRange, kAxisCount> range{};
};

struct JoystickPosition {
  std::array<int32_t, kAxisCount> axis{};
  uint32_t buttons = 0;       // bit i-1 = button i
  uint32_t pov = kPovCentred;  // hundredths of a degree, 65535 when centred
};

class Joystick {
 public:
  virtual ~Joystick() = default;
  // Fills `caps` and returns 0, or returns an error code and leaves `caps`
  // as it was.
  virtual int GetCaps(JoystickCaps& caps) = 0;
  // Fills `pos` and returns 0, or returns an error code. Called on every
  // poll: must not block or allocate.
  virtual int GetPosition(JoystickPosition& pos) = 0;
};

}  // namespace rz

#endif  // RIRUZIRUZO_PLATFORM_JOYSTICK_H_
