// Injection through the X server's XTest extension.
#ifndef RIRUZIRUZO_PLATFORM_XTEST_XTEST_SINK_H_
#define RIRUZIRUZO_PLATFORM_XTEST_XTEST_SINK_H_

#include <memory>

#include "platform/input_sink.h"

namespace rz {

// Opens its own connection to the display named by DISPLAY. Null when no
// display can be opened or the server lacks the XTest extension.
std::unique_ptr<InputSink> CreateXTestSink();

}  // namespace rz

#endif  // RIRUZIRUZO_PLATFORM_XTEST_XTEST_SINK_H_
