#include "ui/assignment.h"

#include <gtest/gtest.h>

#include "tests/ui/window_test_support.h"

namespace rz {
namespace {

class AssignmentTest : public WindowTest {
 protected:
  void SetUp() override {
    Build(2, 4);
    device.sticks[1].dead_zone = 0.1f;
    ShowSettings(context);
  }
  // The user picks an entry and the main loop hands the event over.
  void Select(int id, int position) {
    ASSERT_TRUE(gui.UserSelect(id, position)) << "control " << id;
    Dispatch();
  }
  void Slide(int id, int value) {
    ASSERT_TRUE(gui.UserSetValue(id, value)) << "control " << id;
    Dispatch();
  }
  void Dispatch() {
    const Event event = gui.WaitEvent();
    ASSERT_EQ(event.kind, EventKind::kControl);
    HandleAssignmentEvent(context, event.number);
  }
};

TEST_F(AssignmentTest, ChoiceBoxesStoreTheirEntryAndReleaseEverything) {
  struct Case {
    int control;
    int32_t* stored;
    int position;
  };
  const Case cases[] = {
      {kHatUpChoice, &device.hat[1].action, 11},
      {kHatRightChoice, &device.hat[2].action, 12},
      {kHatDownChoice, &device.hat[3].action, 13},
      {kHatLeftChoice, &device.hat[4].action, 14},
      {PresetChoice(1), &device.sticks[1].preset, 1},
      {PresetChoice(2), &device.sticks[2].preset, 2},
      {ButtonChoice(1), &device.buttons[1].action, 95},
      {ButtonChoice(4), &device.buttons[4].action, 3},
  };
  for (const Case& c : cases) {
    HoldLeftButton();
    Select(c.control, c.position);
    EXPECT_EQ(*c.stored, c.position) << "control " << c.control;
    EXPECT_TRUE(LeftButtonReleased()) << "control " << c.control;
  }
}

TEST_F(AssignmentTest, ChangingAHeldButtonsAssignmentReleasesItAtOnce) {
  device.buttons[2].action = kLeftButtonAction;
  ShowSettings(context);
  HoldLeftButton();
  Select(ButtonChoice(2), 6);
  EXPECT_EQ(device.buttons[2].action, 6);
  EXPECT_TRUE(LeftButtonReleased());
  // Picking the entry that is already selected releases again.
  HoldLeftButton();
  Select(ButtonChoice(2), 6);
  EXPECT_TRUE(LeftButtonReleased());
}

TEST_F(AssignmentTest, AnEmptiedChoiceBoxChangesNothing) {
  device.buttons[1].action = 500;
  ShowSettings(context);
  HoldLeftButton();
  // Any event of the box counts, also one that leaves it without a selection.
  gui.PostEvent({EventKind::kControl, ButtonChoice(1), kMainWindow});
  Dispatch();
  Select(kHatUpChoice, -1);
  EXPECT_EQ(device.buttons[1].action, 500);
  EXPECT_EQ(device.hat[1].action, 0);
  EXPECT_TRUE(sink.records().empty());
}

TEST_F(AssignmentTest, DeadZoneSliderStoresHundredthsAndKeepsInputsHeld) {
  HoldLeftButton();
  Slide(DeadZoneSlider(2), 7);
  EXPECT_EQ(device.sticks[2].dead_zone, 0.07f);
  EXPECT_EQ(gui.GetText(DeadZoneLabel(2)), "7%");
  EXPECT_EQ(gui.GetText(DeadZoneLabel(1)), "10%");
  EXPECT_TRUE(sink.records().empty());
  // The label, taken from the stored value, gives back every position.
  for (int position = 0; position <= 20; ++position) {
    Slide(DeadZoneSlider(1), position);
    EXPECT_EQ(gui.GetText(DeadZoneLabel(1)), std::to_string(position) + "%");
  }
}

TEST_F(AssignmentTest, MouseAndKeyboardSettingsKeepInputsHeld) {
  HoldLeftButton();
  Slide(kSpeedSlider, 1);
  EXPECT_EQ(injector.mouse_speed, 0.125f);
  Slide(kSpeedSlider, 8);
  EXPECT_EQ(injector.mouse_speed, 1.0f);
  Slide(kAccelerationSlider, 0);
  EXPECT_EQ(injector.mouse_acceleration, 0.0f);
  Slide(kAccelerationSlider, 3);
  EXPECT_EQ(injector.mouse_acceleration, 0.375f);
  ASSERT_TRUE(gui.UserSetCheck(kScanCodeCheck, false));
  Dispatch();
  EXPECT_EQ(injector.scan_code_mode, 0);
  ASSERT_TRUE(gui.UserSetCheck(kScanCodeCheck, true));
  Dispatch();
  EXPECT_EQ(injector.scan_code_mode, 1);
  EXPECT_TRUE(sink.records().empty());
}

TEST_F(AssignmentTest, OtherNumbersAndMissingInputsDoNothing) {
  // A joystick that has fewer sticks and buttons than the window shows
  // must not have their settings written.
  Select(PresetChoice(2), 1);
  Select(ButtonChoice(4), 1);
  device.sticks[2].preset = 0;
  device.buttons[4].action = 0;
  device.num_sticks = 1;
  device.num_buttons = 3;
  HoldLeftButton();
  const Device before = device;
  const float speed = injector.mouse_speed;
  for (int control :
       {PresetChoice(2), DeadZoneSlider(2), ButtonChoice(4), kWindowHeader,
        kScrollArea, kDeviceSummary, kHatPicture, StickPicture(1),
        DeadZoneLabel(1), kProfileChoice, 999, -1}) {
    HandleAssignmentEvent(context, control);
  }
  EXPECT_EQ(device.sticks[2].preset, before.sticks[2].preset);
  EXPECT_EQ(device.sticks[2].dead_zone, before.sticks[2].dead_zone);
  EXPECT_EQ(device.buttons[4].action, before.buttons[4].action);
  EXPECT_EQ(injector.mouse_speed, speed);
  EXPECT_TRUE(sink.records().empty());
}

}  // namespace
}  // namespace rz
