// The millisecond clock of the poll cycle.
//
// Ownership: the composition root owns it. Never fails.
#ifndef RIRUZIRUZO_PLATFORM_CLOCK_H_
#define RIRUZIRUZO_PLATFORM_CLOCK_H_

#include <cstdint>
#include <memory>

namespace rz {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds of a monotonic clock, wrapping at 2^32.
  virtual uint32_t TickCount() = 0;
};

// The monotonic system clock.
std::unique_ptr<Clock> CreateSystemClock();

}  // namespace rz

#endif  // RIRUZIRUZO_PLATFORM_CLOCK_H_
