#include "engine/poll.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "platform/fake/fake_joystick.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/recording_sink.h"
#include "tests/engine/catalogue_fixture.h"

namespace rz {
namespace {

using namespace test;  // NOLINT(build/namespaces): action positions

constexpr unsigned kUp = 1, kRight = 2, kDown = 4, kLeft = 8;

InputRecord ScanKey(uint16_t scan, bool down) {
  return {.type = InputRecord::Type::kKeyboard,
          .scan = scan,
          .key_flags = down ? kKeyScanCode : kKeyScanCode | kKeyUp};
}
const InputRecord kRightDown = ScanKey(0x04CD, true);
const InputRecord kRightUp = ScanKey(0x04CD, false);
const InputRecord kLeftDown = ScanKey(0x04CB, true);
const InputRecord kLeftUp = ScanKey(0x04CB, false);
const InputRecord kUpDown = ScanKey(0x04C8, true);
const InputRecord kUpUp = ScanKey(0x04C8, false);
const InputRecord kEnterDown = ScanKey(0x041C, true);
const InputRecord kEnterUp = ScanKey(0x041C, false);
const InputRecord kNoMotion = {.mouse_flags = kMouseEventMove};

using Records = std::vector<InputRecord>;

class PollTest : public ::testing::Test {
 protected:
  // Starts a controller whose axes all read -100..100 (centre 0, half-range
  // 100), so a raw value of 55 is a deflection of 0.55.
  void Start(int axes, int buttons, bool hat) {
    JoystickCaps& caps = joystick_.caps();
    caps.num_axes = axes;
    caps.num_buttons = buttons;
    caps.caps = hat ? kJoyCapsHasPov : 0;
    caps.range.fill({-100, 100});
    ASSERT_EQ(StartDevice(joystick_, device_), kJoyNoError);
  }
  void SetStick(int k, int32_t h, int32_t v) {
    joystick_.position().axis[kStickAxes[k][0]] = h;
    joystick_.position().axis[kStickAxes[k][1]] = v;
  }
  Records Poll() {
    sink_.Clear();
    poll_.Run();
    return sink_.records();
  }
  int32_t PolledDx() {
    int32_t dx = 0;
    for (const InputRecord& record : Poll()) dx += record.dx;
    return dx;
  }

  FakeJoystick joystick_;
  ManualClock clock_;
  Catalogue catalogue_ = MakeCatalogue();
  RecordingSink sink_;
  Injector injector_{catalogue_, &sink_};
  Device device_;
  PollCycle poll_{joystick_, clock_, device_, catalogue_, injector_};
};

TEST_F(PollTest, DeadZoneIsRadialAndRescalesWhatLiesOutside) {
  Start(2, 0, false);
  StickState& stick = device_.sticks[1];
  stick.preset = kArrowPreset;
  stick.dead_zone = 0.1f;
  SetStick(1, 10, 0);  // on the edge: still inside
  EXPECT_TRUE(Poll().empty());
  EXPECT_EQ(stick.x, 0.0f);

  SetStick(1, 55, 0);  // (0.55 - 0.1) / 0.9 = 0.5: a key presses here
  EXPECT_EQ(Poll(), Records{kRightDown});
  EXPECT_NEAR(stick.x, 0.5f, 1e-6f);
  EXPECT_EQ(stick.y, 0.0f);

  stick.dead_zone = 0.2f;  // corners of a square gate exceed 1
  SetStick(1, 100, 100);
  Poll();
  EXPECT_NEAR(stick.x, 1.0732f, 1e-4f);
  EXPECT_NEAR(stick.y, 1.0732f, 1e-4f);

  stick.dead_zone = 0.0f;
  Poll();
  EXPECT_FLOAT_EQ(stick.x, 1.0f);
  SetStick(1, -100, 0);
  Poll();
  EXPECT_EQ(stick.x, -1.0f);
  SetStick(1, 0, 1);  // with no dead zone any deflection counts
  Poll();
  EXPECT_EQ(stick.y, 0.01f);
}

TEST_F(PollTest, RestingMouseStickInjectsOneEmptyMotionPerDirection) {
  Start(2, 0, false);
  device_.sticks[1].preset = kMousePreset;
  device_.sticks[1].dead_zone = 0.1f;
  SetStick(1, 5, -5);
  EXPECT_EQ(Poll(), (Records{kNoMotion, kNoMotion, kNoMotion, kNoMotion}));
}

TEST_F(PollTest, OppositeDirectionIsReleasedBeforeTheDeflectedOne) {
  Start(2, 0, false);
  device_.sticks[1].preset = kArrowPreset;
  device_.sticks[1].dead_zone = 0.1f;
  const struct {
    int32_t h, v;
    Records expected;
  } steps[] = {
      {70, 0, {kRightDown}},
      {0, 0, {kRightUp}},  // snapped back into the dead zone
      {-70, 0, {kLeftDown}},
      {70, 0, {kLeftUp, kRightDown}},  // jumped across in one poll
      {0, -70, {kRightUp, kUpDown}},
      {0, 0, {kUpUp}},
  };
  for (const auto& step : steps) {
    SetStick(1, step.h, step.v);
    EXPECT_EQ(Poll(), step.expected) << step.h << ", " << step.v;
  }

  // Both directions on one key: the deflected one decides, without chatter.
  catalogue_.AddStickPreset("both", 0, kRightArrow, 0, kRightArrow);
  device_.sticks[1].preset = catalogue_.preset_count() - 1;
  SetStick(1, -70, 0);
  EXPECT_EQ(Poll(), Records{kRightDown});
  EXPECT_TRUE(Poll().empty());
  SetStick(1, 70, 0);
  EXPECT_TRUE(Poll().empty());
  SetStick(1, 0, 0);
  EXPECT_EQ(Poll(), Records{kRightUp});
}

TEST(HatTest, EachDirectionSpansThreeEighthsOfATurn) {
  const struct {
    uint32_t pov;
    unsigned active;
  } rows[] = {
      {0, kUp},
      {2249, kUp},
      {2250, kUp | kRight},
      {4500, kUp | kRight},
      {6750, kUp | kRight},
      {6751, kRight},
      {11249, kRight},
      {11250, kRight | kDown},
      {15750, kRight | kDown},
      {15751, kDown},
      {20249, kDown},
      {20250, kDown | kLeft},
      {24750, kDown | kLeft},
      {24751, kLeft},
      {29249, kLeft},
      {29250, kLeft | kUp},
      {33750, kLeft | kUp},
      {33751, kUp},
      {35999, kUp},
      {36000, 0},
      {kPovCentred, 0},
      {std::numeric_limits<uint32_t>::max(), 0},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ActiveHatDirections(row.pov), row.active) << row.pov;
  }
}

TEST_F(PollTest, HatAndButtonsPerformEveryInputEveryPoll) {
  Start(0, 4, true);
  device_.buttons[3].action = kEnter;
  joystick_.position().pov = 4500;
  joystick_.position().buttons = 0xFFFFFFF5;  // buttons 1 and 3 of 4
  clock_.Set(1234);
  EXPECT_EQ(Poll(), Records{kEnterDown});
  EXPECT_EQ(poll_.hold_start(), 1234u) << "no sticks: always idle";
  EXPECT_EQ(Poll(), Records{}) << "held: no repeat";
  const float hat[] = {1, 1, 0, 0};
  const float buttons[] = {1, 0, 1, 0, 0};
  for (int d = 1; d <= 4; ++d) EXPECT_EQ(device_.hat[d].strength, hat[d - 1]);
  for (int b = 1; b <= 5; ++b) {
    EXPECT_EQ(device_.buttons[b].strength, buttons[b - 1]) << "button " << b;
  }

  // Without a hat the angle is never looked at.
  device_.hat_present = 0;
  device_.hat[1] = {.strength = 0, .action = kLeftButton};
  Poll();
  EXPECT_EQ(device_.hat[1].strength, 0.0f);
  EXPECT_EQ(catalogue_.action(kLeftButton).last_strength, 0.0f);
}

TEST_F(PollTest, InputsSharingAnActionTakeTurnsAndTheLastDecides) {
  Start(2, 2, false);
  device_.buttons[1].action = kEnter;
  device_.buttons[2].action = kEnter;
  joystick_.position().buttons = 1;
  for (int poll = 0; poll < 3; ++poll) {
    EXPECT_EQ(Poll(), (Records{kEnterDown, kEnterUp})) << "poll " << poll;
  }

  // Sticks come before buttons in a poll.
  device_.sticks[1].preset = kArrowPreset;
  device_.buttons[1].action = kRightArrow;
  joystick_.position().buttons = 0;
  SetStick(1, 90, 0);
  EXPECT_EQ(Poll(), (Records{kRightDown, kRightUp}));
}

TEST_F(PollTest, FailedReadReleasesEverythingAndKeepsTheLastReading) {
  Start(2, 1, false);
  device_.sticks[1].preset = kMousePreset;
  device_.buttons[1].action = kEnter;
  SetStick(1, 70, 0);
  joystick_.position().buttons = 1;
  clock_.Set(100);
  Poll();
  clock_.Set(200);
  Poll();
  const int32_t hold_time = injector_.hold_time;
  const float x = device_.sticks[1].x;

  joystick_.set_position_result(kJoyErrUnplugged);
  SetStick(1, -70, 0);
  clock_.Set(900);
  EXPECT_EQ(Poll(),
            (Records{kNoMotion, kNoMotion, kNoMotion, kNoMotion, kEnterUp}));
  EXPECT_EQ(Poll(), (Records{kNoMotion, kNoMotion, kNoMotion, kNoMotion}));
  EXPECT_EQ(device_.sticks[1].x, x);
  EXPECT_EQ(device_.buttons[1].strength, 1.0f);
  EXPECT_EQ(device_.position.axis[kAxisX], 70);
  EXPECT_EQ(injector_.hold_time, hold_time);
  EXPECT_EQ(poll_.hold_start(), 0u);

  joystick_.set_position_result(kJoyNoError);
  EXPECT_EQ(Poll().back(), kEnterDown);
  EXPECT_LT(device_.sticks[1].x, 0.0f);
}

TEST_F(PollTest, HoldClockCountsFromTheLastIdlePoll) {
  Start(2, 0, false);
  device_.sticks[1].preset = kMousePreset;
  injector_.mouse_speed = 0.5f;  // 16 pixels a poll at full deflection
  injector_.mouse_acceleration = 0.25f;
  clock_.Set(1000);
  Poll();
  EXPECT_EQ(poll_.hold_start(), 1000u);

  SetStick(1, 100, 0);
  clock_.Set(1500);
  EXPECT_EQ(PolledDx(), 16);  // hold time measured after the motion
  EXPECT_EQ(injector_.hold_time, 500);
  clock_.Set(1510);
  EXPECT_EQ(PolledDx(), 18);  // 16 x 1.125
  clock_.Set(2600);
  PolledDx();
  EXPECT_EQ(injector_.hold_time, 1000);

  // Two idle seconds, polled every 10 ms: the hold time is left alone.
  SetStick(1, 0, 0);
  for (uint32_t t = 2610; t <= 4600; t += 10) {
    clock_.Set(t);
    Poll();
  }
  EXPECT_EQ(injector_.hold_time, 1000);
  EXPECT_EQ(poll_.hold_start(), 4600u);

  SetStick(1, 100, 0);
  clock_.Set(4610);
  EXPECT_EQ(PolledDx(), 20);  // still the hold time of the last deflection
  EXPECT_EQ(injector_.hold_time, 10);
  clock_.Set(4620);
  EXPECT_EQ(PolledDx(), 16);
  EXPECT_EQ(injector_.hold_time, 20);
}

TEST_F(PollTest, HoldClockSurvivesTheWrapOfTheMillisecondCounter) {
  Start(2, 0, false);
  clock_.Set(0xFFFFFF00u);
  Poll();
  SetStick(1, 100, 0);
  clock_.Advance(0x200);
  Poll();
  EXPECT_EQ(injector_.hold_time, 0x200);
  clock_.Advance(5000);
  Poll();
  EXPECT_EQ(injector_.hold_time, 1000);
}

TEST_F(PollTest, PositionsOutsideTheListsAreHarmless) {
  Start(2, 2, true);
  SetStick(1, 70, 0);
  device_.hat[1].action = 200;
  device_.buttons[1].action = -5;
  device_.buttons[2].action = kEnter;
  joystick_.position().pov = 0;
  joystick_.position().buttons = 3;
  for (int32_t preset : {7, -1}) {
    device_.sticks[1].preset = preset;  // as the preset that does nothing
    EXPECT_EQ(Poll(), Records{kEnterDown});
    EXPECT_NEAR(device_.sticks[1].x, 0.7f, 1e-6f);
    catalogue_.action(kEnter).last_strength = 0.0f;
  }
}

TEST_F(PollTest, DeadZonesOutsideTheUsualRangeStayDefined) {
  Start(2, 0, false);
  StickState& stick = device_.sticks[1];
  stick.preset = kMousePreset;
  SetStick(1, 55, 0);
  for (float none : {std::nanf(""), -0.5f}) {
    stick.dead_zone = none;
    Poll();
    EXPECT_EQ(stick.x, 0.55f) << none;
  }
  SetStick(1, 100, 100);
  for (float whole : {1.0f, 5.0f, std::numeric_limits<float>::infinity()}) {
    stick.dead_zone = whole;
    clock_.Advance(10);
    EXPECT_EQ(Poll(), (Records{kNoMotion, kNoMotion, kNoMotion, kNoMotion}));
    EXPECT_EQ(stick.x, 0.0f);
    EXPECT_EQ(poll_.hold_start(), clock_.TickCount()) << "stick idle";
  }
}

TEST_F(PollTest, AxisWithoutRangeReadsCentred) {
  Start(2, 0, false);
  joystick_.caps().range[kAxisX] = {5, 5};
  StartDevice(joystick_, device_);
  device_.sticks[1].preset = kMousePreset;
  SetStick(1, 1000, 50);
  Poll();
  EXPECT_EQ(device_.sticks[1].x, 0.0f);
  EXPECT_EQ(device_.sticks[1].y, 0.5f);
  EXPECT_TRUE(std::isfinite(injector_.remainder_x));
}

}  // namespace
}  // namespace rz
