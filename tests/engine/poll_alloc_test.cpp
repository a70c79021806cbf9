// Counts every allocation of this test program, to show that a poll makes
// none.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "engine/poll.h"
#include "platform/fake/fake_joystick.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/recording_sink.h"
#include "tests/engine/catalogue_fixture.h"

namespace {
// Replacing operator new needs program-wide state; this program is only this
// test.
long allocations = 0;  // NOLINT(runtime/int)
}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, std::align_val_t align) {
  ++allocations;
  const auto a = static_cast<std::size_t>(align);
  if (void* p = std::aligned_alloc(a, (size + a - 1) / a * a)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
  std::free(p);
}

namespace rz {
namespace {

TEST(PollAllocationTest, FullPollAllocatesNothing) {
  FakeJoystick joystick;
  JoystickCaps& caps = joystick.caps();
  caps.num_axes = 6;
  caps.num_buttons = 32;
  caps.caps = kJoyCapsHasPov;
  caps.range.fill({0, 65535});
  ManualClock clock;
  Catalogue catalogue = test::MakeCatalogue();
  CountingSink sink;
  Injector injector(catalogue, &sink);
  Device device;
  ASSERT_EQ(StartDevice(joystick, device), kJoyNoError);
  PollCycle poll(joystick, clock, device, catalogue, injector);
  const int presets[] = {test::kMousePreset, test::kArrowPreset,
                         test::kMousePreset};
  for (int k = 1; k <= 3; ++k) {
    device.sticks[k].preset = presets[k - 1];
    device.sticks[k].dead_zone = 0.1f;
  }
  for (int d = 1; d <= 4; ++d) device.hat[d].action = test::kPointerUp + d;
  for (int b = 1; b <= 32; ++b) device.buttons[b].action = 4 + b * 2;

  const long before = allocations;  // NOLINT(runtime/int)
  for (uint32_t i = 0; i < 2000; ++i) {
    JoystickPosition& pos = joystick.position();
    for (int a = 0; a < kAxisCount; ++a) {
      pos.axis[a] = static_cast<int32_t>((i * 977 + a * 13001) % 65536);
    }
    pos.buttons = i * 2654435761u;
    pos.pov = i % 5 == 0 ? kPovCentred : i * 700 % 36000;
    joystick.set_position_result(i % 50 == 49 ? kJoyErrUnplugged : 0);
    clock.Advance(7);
    poll.Run();
  }
  EXPECT_EQ(allocations - before, 0);
  EXPECT_GT(sink.count(), 2000 * 12);
}

}  // namespace
}  // namespace rz
