#include "platform/fake/manual_clock.h"

namespace rz {

uint32_t ManualClock::TickCount() { return now_; }

}  // namespace rz
