// The evdev events one input record becomes on the virtual device.
#ifndef RIRUZIRUZO_PLATFORM_UINPUT_UINPUT_EVENTS_H_
#define RIRUZIRUZO_PLATFORM_UINPUT_UINPUT_EVENTS_H_

#include <array>
#include <cstdint>

#include "platform/input_sink.h"

namespace rz {

struct EvdevEvent {
  uint16_t type;
  uint16_t code;
  int32_t value;

  friend bool operator==(const EvdevEvent&, const EvdevEvent&) = default;
};

// Motion on two axes, three buttons each pressed and released, the wheel at
// two resolutions, and the closing report.
inline constexpr int kMaxEventsPerRecord = 11;

struct EvdevEvents {
  std::array<EvdevEvent, kMaxEventsPerRecord> events{};
  int count = 0;
};

// Translates one record. A record with no effect gives no events; any other
// ends with one SYN_REPORT.
EvdevEvents ToEvdevEvents(const InputRecord& record);

}  // namespace rz

#endif  // RIRUZIRUZO_PLATFORM_UINPUT_UINPUT_EVENTS_H_
