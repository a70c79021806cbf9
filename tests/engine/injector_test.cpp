#include "engine/injector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "platform/fake/recording_sink.h"
#include "tests/engine/catalogue_fixture.h"

namespace rz {
namespace {

using namespace test;  // NOLINT(build/namespaces): action positions

InputRecord Motion(int32_t dx, int32_t dy) {
  return {.dx = dx, .dy = dy, .mouse_flags = kMouseEventMove};
}
InputRecord Mouse(uint32_t flags, int32_t data = 0) {
  return {.mouse_data = data, .mouse_flags = flags};
}
InputRecord Key(uint16_t vk, uint16_t scan, uint32_t flags) {
  return {.type = InputRecord::Type::kKeyboard,
          .vk = vk,
          .scan = scan,
          .key_flags = flags};
}

class InjectorTest : public ::testing::Test {
 protected:
  // Performs and returns what it injected.
  std::vector<InputRecord> Perform(int index, float strength) {
    sink_.Clear();
    injector_.PerformAction(index, strength);
    return sink_.records();
  }
  std::vector<int32_t> MotionsX(int index, std::vector<float> strengths) {
    std::vector<int32_t> dx;
    for (float s : strengths) dx.push_back(Perform(index, s).at(0).dx);
    return dx;
  }

  Catalogue catalogue_ = MakeCatalogue();
  RecordingSink sink_;
  Injector injector_{catalogue_, &sink_};
};

TEST(RoundHalfAwayTest, RoundsHalvesAwayFromZeroWithoutFloatTraps) {
  EXPECT_EQ(RoundHalfAway(0.49f), 0.0f);
  EXPECT_EQ(RoundHalfAway(0.5f), 1.0f);
  EXPECT_EQ(RoundHalfAway(1.5f), 2.0f);
  EXPECT_EQ(RoundHalfAway(-0.5f), -1.0f);
  EXPECT_EQ(RoundHalfAway(-1.4f), -1.0f);
  // floor(x + 0.5) gets these wrong in float arithmetic.
  EXPECT_EQ(RoundHalfAway(0.49999997f), 0.0f);
  EXPECT_EQ(RoundHalfAway(8388609.0f), 8388609.0f);
}

TEST_F(InjectorTest, MotionScalesWithSpeedStrengthAndHoldTime) {
  injector_.mouse_speed = 0.5f;
  injector_.mouse_acceleration = 0.25f;
  injector_.hold_time = 1000;
  EXPECT_EQ(Perform(kPointerRight, 1.0f),
            std::vector<InputRecord>{Motion(20, 0)});
  EXPECT_EQ(injector_.remainder_x, 0.0f);
  EXPECT_EQ(Perform(kPointerUp, 0.5f),
            std::vector<InputRecord>{Motion(0, -10)});
}

TEST_F(InjectorTest, CarriesSubPixelRemainderAcrossCalls) {
  injector_.mouse_speed = 0.125f;
  injector_.mouse_acceleration = 0.0f;
  EXPECT_EQ(MotionsX(kPointerRight, {0.3f, 0.3f, 0.3f, 0.3f, 0.3f}),
            (std::vector<int32_t>{1, 1, 2, 1, 1}));
  EXPECT_NEAR(injector_.remainder_x, 0.0f, 1e-5f);
}

TEST_F(InjectorTest, MotionActionsShareOneRemainderPerAxis) {
  injector_.mouse_speed = 0.125f;
  injector_.mouse_acceleration = 0.0f;
  Perform(kPointerRight, 0.3f);  // 1.2: 1 pixel, 0.2 left over
  Perform(kPointerDown, 0.3f);   // its own remainder
  EXPECT_NEAR(injector_.remainder_x, 0.2f, 1e-6f);
  EXPECT_NEAR(injector_.remainder_y, 0.2f, 1e-6f);
  // -1.2 + 0.2 = -1.0: the left action uses the right action's remainder.
  EXPECT_EQ(Perform(kPointerLeft, 0.3f).at(0).dx, -1);
  EXPECT_NEAR(injector_.remainder_x, 0.0f, 1e-6f);
}

TEST_F(InjectorTest, RestingPointerDoesNotStepBackAndForth) {
  // Totals 4.25 then 4.5 leave a remainder of exactly -0.5.
  injector_.mouse_speed = 0.125f;
  injector_.mouse_acceleration = 0.125f;
  injector_.hold_time = 500;
  EXPECT_EQ(MotionsX(kPointerRight, {1.0f, 1.0f}),
            (std::vector<int32_t>{4, 5}));
  EXPECT_EQ(injector_.remainder_x, -0.5f);
  // Let go: every call still injects one record, with no motion.
  EXPECT_EQ(MotionsX(kPointerRight, {0.0f, 0.0f, 0.0f}),
            (std::vector<int32_t>{0, 0, 0}));
  EXPECT_EQ(injector_.remainder_x, -0.5f);
  // The kept fraction is spent when the pointer moves again: -0.5 + 4.25.
  EXPECT_EQ(MotionsX(kPointerRight, {1.0f}), std::vector<int32_t>{4});
}

TEST_F(InjectorTest, MotionThatIsNotFiniteOrTooLargeStaysDefined) {
  injector_.remainder_x = 0.25f;
  EXPECT_EQ(MotionsX(kPointerRight,
                     {std::numeric_limits<float>::infinity(), std::nanf("")}),
            (std::vector<int32_t>{0, 0}));
  injector_.mouse_speed = std::nanf("");
  EXPECT_EQ(MotionsX(kPointerRight, {1.0f}), std::vector<int32_t>{0});
  EXPECT_EQ(injector_.remainder_x, 0.25f);

  injector_.mouse_speed = 1.0f;
  EXPECT_EQ(MotionsX(kPointerRight, {1e12f}),
            std::vector<int32_t>{std::numeric_limits<int32_t>::max()});
  EXPECT_EQ(MotionsX(kPointerLeft, {1e12f}),
            std::vector<int32_t>{std::numeric_limits<int32_t>::min()});
  EXPECT_TRUE(std::isfinite(injector_.remainder_x));

  // Wheel data of an action added with an extreme notch count.
  catalogue_.AddAction("far", ActionKind::kMouseWheel, kMouseEventWheel,
                       std::numeric_limits<int32_t>::min());
  EXPECT_EQ(Perform(catalogue_.action_count() - 1, 1.0f).at(0).mouse_data,
            std::numeric_limits<int32_t>::min());
}

TEST_F(InjectorTest, MouseButtonsAreEdgeTriggered) {
  EXPECT_EQ(Perform(kLeftButton, 1.0f),
            std::vector<InputRecord>{Mouse(kMouseEventLeftDown)});
  EXPECT_TRUE(Perform(kLeftButton, 1.0f).empty());
  EXPECT_EQ(Perform(kLeftButton, 0.0f),
            std::vector<InputRecord>{Mouse(kMouseEventLeftUp)});
  EXPECT_TRUE(Perform(kLeftButton, 0.0f).empty());
  // Over-deflection (rounds to 2) releases; back below 1.5 presses again.
  Perform(kLeftButton, 1.0f);
  EXPECT_EQ(Perform(kLeftButton, 1.6f),
            std::vector<InputRecord>{Mouse(kMouseEventLeftUp)});
  EXPECT_EQ(Perform(kLeftButton, 1.2f),
            std::vector<InputRecord>{Mouse(kMouseEventLeftDown)});
}

TEST_F(InjectorTest, WheelTurnsOneNotchPerRisingEdge) {
  EXPECT_EQ(Perform(kWheelForward, 1.0f),
            std::vector<InputRecord>{Mouse(kMouseEventWheel, 120)});
  EXPECT_TRUE(Perform(kWheelForward, 1.0f).empty());
  EXPECT_EQ(Perform(kWheelForward, 0.0f), std::vector<InputRecord>{Mouse(0)});
  EXPECT_EQ(Perform(kWheelForward, 1.0f),
            std::vector<InputRecord>{Mouse(kMouseEventWheel, 120)});
  EXPECT_EQ(Perform(kWheelBackward, 1.0f),
            std::vector<InputRecord>{Mouse(kMouseEventWheel, -120)});
}

TEST_F(InjectorTest, KeysPressAtHalfStrengthInTheModeInForce) {
  EXPECT_TRUE(Perform(kRightCtrl, 0.49f).empty());
  // Scan-code mode: the scan word alone carries the extended bit.
  EXPECT_EQ(Perform(kRightCtrl, 0.5f),
            std::vector<InputRecord>{Key(0, 0x049D, kKeyScanCode)});
  EXPECT_EQ(Perform(kRightCtrl, 0.0f),
            std::vector<InputRecord>{Key(0, 0x049D, kKeyScanCode | kKeyUp)});

  injector_.scan_code_mode = 0;
  EXPECT_EQ(Perform(kRightCtrl, 1.0f),
            std::vector<InputRecord>{Key(0xA3, 0, 0)});
  // Released in the mode in force now, not the one it was pressed in.
  injector_.scan_code_mode = 7;
  EXPECT_EQ(Perform(kRightCtrl, 0.0f),
            std::vector<InputRecord>{Key(0, 0x049D, kKeyScanCode | kKeyUp)});
  injector_.scan_code_mode = 0;
  Perform(kRightCtrl, 1.0f);
  EXPECT_EQ(Perform(kRightCtrl, std::nanf("")),
            std::vector<InputRecord>{Key(0xA3, 0, kKeyUp)});
  EXPECT_TRUE(Perform(kRightCtrl, 0.0f).empty()) << "NaN counts as 0";
}

TEST_F(InjectorTest, ReleaseAllLetsEverythingGoAndKeepsRemainders) {
  injector_.mouse_speed = 0.125f;
  injector_.mouse_acceleration = 0.125f;
  injector_.hold_time = 500;
  Perform(kPointerRight, 1.0f);
  Perform(kPointerRight, 1.0f);  // remainder x -0.5
  Perform(kLeftButton, 1.0f);
  Perform(kWheelForward, 1.0f);
  Perform(kEnter, 1.0f);

  sink_.Clear();
  injector_.ReleaseAllActions();
  EXPECT_EQ(sink_.records(),
            (std::vector<InputRecord>{Motion(0, 0), Motion(0, 0), Motion(0, 0),
                                      Motion(0, 0), Mouse(kMouseEventLeftUp),
                                      Mouse(0),
                                      Key(0, 0x041C, kKeyScanCode | kKeyUp)}));
  EXPECT_EQ(injector_.remainder_x, -0.5f);
  for (const Action& action : catalogue_.actions()) {
    EXPECT_EQ(action.last_strength, 0.0f) << action.name;
  }
  sink_.Clear();
  injector_.ReleaseAllActions();
  EXPECT_EQ(sink_.records().size(), 4u) << "only the motion records";
}

TEST_F(InjectorTest, IgnoresPositionsOutsideTheListAndWorksWithoutSink) {
  EXPECT_TRUE(Perform(-1, 1.0f).empty());
  EXPECT_TRUE(Perform(kActionCount, 1.0f).empty());
  EXPECT_TRUE(Perform(kNothing, 1.0f).empty());

  injector_.set_sink(nullptr);
  injector_.PerformAction(kEnter, 1.0f);
  injector_.PerformAction(kPointerRight, 1.0f);
  EXPECT_EQ(catalogue_.action(kEnter).last_strength, 1.0f);
}

}  // namespace
}  // namespace rz
