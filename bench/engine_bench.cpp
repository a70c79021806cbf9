// Cost of one full poll and of one PerformAction of each kind, with a sink
// that injects nothing.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "engine/actions.h"
#include "engine/injector.h"
#include "engine/joystick.h"
#include "engine/poll.h"
#include "platform/fake/fake_joystick.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/recording_sink.h"

namespace rz {
namespace {

Catalogue MakeCatalogue() {
  Catalogue catalogue;
  BuildCatalogue(catalogue, [](int n) { return std::to_string(n); });
  return catalogue;
}

// Three sticks (mouse, arrow keys, mouse), a hat and 32 buttons, each on an
// action of its own, fed with readings that keep every kind of action busy.
void BM_FullPoll(benchmark::State& state) {
  FakeJoystick joystick;
  JoystickCaps& caps = joystick.caps();
  caps.num_axes = 6;
  caps.num_buttons = 32;
  caps.caps = kJoyCapsHasPov;
  caps.range.fill({0, 65535});
  ManualClock clock;
  Catalogue catalogue = MakeCatalogue();
  CountingSink sink;
  Injector injector(catalogue, &sink);
  Device device;
  StartDevice(joystick, device);
  PollCycle poll(joystick, clock, device, catalogue, injector);
  const int presets[] = {1, 2, 1};
  for (int k = 1; k <= kMaxSticks; ++k) {
    device.sticks[k].preset = presets[k - 1];
    device.sticks[k].dead_zone = 0.1f;
  }
  for (int d = 1; d <= kHatDirections; ++d) device.hat[d].action = 4 + d;
  for (int b = 1; b <= kMaxButtons; ++b) device.buttons[b].action = 9 + b;

  std::array<JoystickPosition, 64> readings{};
  for (uint32_t i = 0; i < readings.size(); ++i) {
    for (int a = 0; a < kAxisCount; ++a) {
      readings[i].axis[a] = static_cast<int32_t>((i * 4099 + a * 9973) % 65536);
    }
    readings[i].buttons = i * 2654435761u;
    readings[i].pov = i % 4 == 0 ? kPovCentred : i * 1125 % 36000;
  }
  uint32_t i = 0;
  for (auto _ : state) {
    joystick.position() = readings[i++ % readings.size()];
    clock.Advance(1);
    poll.Run();
  }
  benchmark::DoNotOptimize(sink.count());
}
BENCHMARK(BM_FullPoll);

// Edge-triggered kinds alternate between press and release, so that every
// call injects a record.
void BM_PerformAction(benchmark::State& state) {
  const int index = static_cast<int>(state.range(0));
  Catalogue catalogue = MakeCatalogue();
  CountingSink sink;
  Injector injector(catalogue, &sink);
  injector.scan_code_mode = static_cast<int32_t>(state.range(1));
  injector.hold_time = 500;
  const bool motion = index <= 4;
  float strength = 0.3f;
  for (auto _ : state) {
    injector.PerformAction(index, strength);
    if (!motion) strength = strength == 1.0f ? 0.0f : 1.0f;
  }
  benchmark::DoNotOptimize(sink.count());
}
BENCHMARK(BM_PerformAction)
    ->ArgNames({"action", "scan"})
    ->Args({0, 1})    // nothing
    ->Args({2, 1})    // pointer right
    ->Args({3, 1})    // pointer down
    ->Args({5, 1})    // left mouse button
    ->Args({8, 1})    // wheel forward
    ->Args({93, 1})   // Right Ctrl by scan code
    ->Args({93, 0});  // Right Ctrl by virtual-key code

}  // namespace
}  // namespace rz
