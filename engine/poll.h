// One poll cycle: read the controller, normalise and dead-zone the sticks,
// keep the hold clock, evaluate the hat and the buttons, and perform every
// input's action.
#ifndef RIRUZIRUZO_ENGINE_POLL_H_
#define RIRUZIRUZO_ENGINE_POLL_H_

#include <cstdint>

#include "engine/actions.h"
#include "engine/injector.h"
#include "engine/joystick.h"
#include "platform/clock.h"
#include "platform/joystick.h"

namespace rz {

// Hat directions (1..4) active at angle `pov`, as bit d-1.
unsigned ActiveHatDirections(uint32_t pov);

class PollCycle {
 public:
  PollCycle(Joystick& joystick, Clock& clock, Device& device,
            Catalogue& catalogue, Injector& injector)
      : joystick_(joystick),
        clock_(clock),
        device_(device),
        catalogue_(catalogue),
        injector_(injector) {}

  // Runs one cycle. Allocates nothing. When the position query fails, every
  // action is released and nothing else changes.
  void Run();

  uint32_t hold_start() const { return hold_start_; }

 private:
  void PerformAxis(int32_t negative_action, int32_t positive_action,
                   float deflection);

  Joystick& joystick_;
  Clock& clock_;
  Device& device_;
  Catalogue& catalogue_;
  Injector& injector_;
  uint32_t hold_start_ = 0;
};

}  // namespace rz

#endif  // RIRUZIRUZO_ENGINE_POLL_H_
