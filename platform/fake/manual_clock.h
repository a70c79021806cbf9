// A millisecond clock that moves only when told to, for virtual time.
#ifndef RIRUZIRUZO_PLATFORM_FAKE_MANUAL_CLOCK_H_
#define RIRUZIRUZO_PLATFORM_FAKE_MANUAL_CLOCK_H_

#include <cstdint>

#include "platform/clock.h"

namespace rz {

class ManualClock final : public Clock {
 public:
  explicit ManualClock(uint32_t now = 0) : now_(now) {}

  uint32_t TickCount() override;

  void Set(uint32_t now) { now_ = now; }
  // Wraps at 2^32 like the system counter.
  void Advance(uint32_t ms) { now_ += ms; }

 private:
  uint32_t now_;
};

}  // namespace rz

#endif  // RIRUZIRUZO_PLATFORM_FAKE_MANUAL_CLOCK_H_
