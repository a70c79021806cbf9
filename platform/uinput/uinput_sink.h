// Injection through one virtual input device created on /dev/uinput.
#ifndef RIRUZIRUZO_PLATFORM_UINPUT_UINPUT_SINK_H_
#define RIRUZIRUZO_PLATFORM_UINPUT_UINPUT_SINK_H_

#include <memory>

#include "platform/input_sink.h"

namespace rz {

// Name of the virtual device, as the system lists it.
inline constexpr char kUinputDeviceName[] = "RiruziruZo virtual input";

// Creates the virtual mouse and keyboard; it disappears with the sink.
// Null when /dev/uinput cannot be opened or the device cannot be created.
std::unique_ptr<InputSink> CreateUinputSink();

}  // namespace rz

#endif  // RIRUZIRUZO_PLATFORM_UINPUT_UINPUT_SINK_H_
