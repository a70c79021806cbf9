// Turns "perform action i with strength s" into at most one synthetic input
// record: analogue pointer motion with sub-pixel remainders, edge-triggered
// buttons, wheel notches and keys.
#ifndef RIRUZIRUZO_ENGINE_INJECTOR_H_
#define RIRUZIRUZO_ENGINE_INJECTOR_H_

#include <cstdint>

#include "engine/actions.h"
#include "platform/input_sink.h"

namespace rz {

// Rounds half away from zero, in 32-bit float.
float RoundHalfAway(float x);

class Injector {
 public:
  // `sink` may be null: records are then dropped (no injection backend).
  Injector(Catalogue& catalogue, InputSink* sink)
      : catalogue_(catalogue), sink_(sink) {}

  void set_sink(InputSink* sink) { sink_ = sink; }

  // Performs action `index` with `strength`: at most one record, sent at
  // once. An index outside the list is ignored; a NaN strength counts as 0.
  void PerformAction(int index, float strength);
  // Performs every action, index 0 to last, with strength 0.
  void ReleaseAllActions();

  float mouse_speed = 0.5f;
  float mouse_acceleration = 0.25f;
  int32_t scan_code_mode = 1;
  int32_t hold_time = 0;  // 0..1000 ms, written by the poll cycle
  float remainder_x = 0.0f;
  float remainder_y = 0.0f;

 private:
  int32_t Motion(int32_t direction, float strength, float& remainder);

  Catalogue& catalogue_;
  InputSink* sink_;
};

}  // namespace rz

#endif  // RIRUZIRUZO_ENGINE_INJECTOR_H_
