#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "tests/ui/window_test_support.h"

namespace rz {
namespace {

struct Box {
  int x, y, width, height;
  friend bool operator==(const Box&, const Box&) = default;
};

std::ostream& operator<<(std::ostream& out, const Box& box) {
  return out << "(" << box.x << ", " << box.y << ") " << box.width << "x"
             << box.height;
}

Box BoxOf(const FakeControl& control) {
  return {control.spec.x, control.spec.y, control.spec.width,
          control.spec.height};
}

class MainWindowTest : public WindowTest {
 protected:
  void ExpectBoxes(const std::vector<std::pair<int, Box>>& boxes) {
    for (const auto& [id, box] : boxes) {
      EXPECT_EQ(BoxOf(ControlOf(id)), box) << "control " << id;
    }
  }
  int ScrollHeight() const { return ControlOf(kScrollArea).scroll_height; }

  // Every control inside the scroll area ends within the content width and
  // the inner height.
  void ExpectEverythingInside() {
    for (const ControlInfo& info : gui.DescribeControls(kMainWindow)) {
      if (info.id == kWindowHeader || info.id == kScrollArea) continue;
      EXPECT_LE(info.x + info.width, 456) << "control " << info.id;
      EXPECT_LE(info.y + info.height, ScrollHeight()) << "control " << info.id;
    }
  }
};

TEST_F(MainWindowTest, WithoutSticksOrButtonsEveryPanelIsStillThere) {
  Build(0, 0);
  ExpectBoxes({{kWindowHeader, {4, 8, 492, 48}},
               {kScrollArea, {4, 64, 492, 396}},
               {kProfileHeader, {4, 8, 452, 40}},
               {kProfileChoice, {4, 48, 292, 24}},
               {kNewProfileButton, {296, 48, 80, 24}},
               {kDeleteProfileButton, {376, 48, 80, 24}},
               {kJoystickHeader, {4, 80, 452, 40}},
               {kDeviceSummary, {4, 120, 452, 80}},
               {kHatHeader, {4, 208, 452, 40}},
               {kHatPicture, {4, 248, 80, 80}},
               {kHatUpChoice, {92, 264, 364, 24}},
               {kHatRightChoice, {92, 308, 364, 24}},
               {kHatDownChoice, {92, 352, 364, 24}},
               {kHatLeftChoice, {92, 400, 364, 24}},
               {kButtonsHeader, {4, 432, 452, 40}},
               {kMouseHeader, {4, 480, 452, 40}},
               {kSpeedSlider, {4, 536, 452, 32}},
               {kAccelerationSlider, {4, 588, 452, 32}},
               {kKeyboardHeader, {4, 628, 452, 40}},
               {kScanCodeCheck, {4, 668, 452, 24}}});
  EXPECT_EQ(ControlOf(kWindowHeader).spec.parent, -1);
  EXPECT_EQ(ControlOf(kScanCodeCheck).spec.parent, kScrollArea);
  EXPECT_EQ(ControlOf(kNewProfileButton).text, "S94");
  EXPECT_EQ(ControlOf(kDeleteProfileButton).text, "S95");
  EXPECT_EQ(ControlOf(kScanCodeCheck).text, "S133");
  EXPECT_EQ(ControlOf(kSpeedSlider).spec.min, 1);
  EXPECT_EQ(ControlOf(kAccelerationSlider).spec.min, 0);
  EXPECT_EQ(ScrollHeight(), 700);
  for (int id : {StickHeader(1), ButtonChoice(1), kOptionsButton}) {
    EXPECT_EQ(gui.Control(id), nullptr) << "control " << id;
  }
  ExpectEverythingInside();
}

TEST_F(MainWindowTest, LabelsSitAboveTheirBoxesAndTheLeftOneFurther) {
  Build(0, 2);
  std::vector<std::pair<std::string, Box>> labels;
  for (const FakeControl* label : gui.Labels(kMainWindow)) {
    labels.emplace_back(label->text, BoxOf(*label));
  }
  const std::vector<std::pair<std::string, Box>> expected = {
      {"S107", {92, 248, 364, 16}},    {"S105", {92, 292, 364, 16}},
      {"S108", {92, 336, 364, 16}},    {"S106", {92, 380, 364, 16}},
      {"S1131 :", {92, 472, 364, 16}}, {"S1132 :", {92, 516, 364, 16}},
      {"S115", {4, 608, 452, 16}},     {"S116", {4, 660, 452, 16}}};
  EXPECT_EQ(labels, expected);
}

TEST_F(MainWindowTest, OneStickAndTwelveButtons) {
  Build(1, 12);
  ExpectBoxes({{StickHeader(1), {4, 432, 452, 40}},
               {StickPicture(1), {4, 472, 80, 80}},
               {PresetChoice(1), {92, 488, 364, 24}},
               {DeadZoneSlider(1), {92, 532, 300, 32}},
               {DeadZoneLabel(1), {392, 532, 64, 32}},
               {kButtonsHeader, {4, 572, 452, 40}},
               {ButtonPicture(1), {4, 620, 80, 24}},
               {ButtonChoice(1), {92, 628, 364, 24}},
               {ButtonChoice(12), {92, 1112, 364, 24}},
               {kMouseHeader, {4, 1148, 452, 40}},
               {kScanCodeCheck, {4, 1336, 452, 24}}});
  EXPECT_EQ(ControlOf(DeadZoneLabel(1)).spec.kind, ControlKind::kText);
  EXPECT_EQ(ControlOf(DeadZoneSlider(1)).spec.max, 20);
  EXPECT_EQ(gui.Control(StickHeader(2)), nullptr);
  EXPECT_EQ(gui.Control(ButtonChoice(13)), nullptr);
  EXPECT_EQ(ScrollHeight(), 1368);
  ExpectEverythingInside();
}

TEST_F(MainWindowTest, ThreeSticksAndThirtyTwoButtons) {
  Build(3, 32);
  ExpectBoxes({{StickHeader(3), {4, 712, 452, 40}},
               {DeadZoneSlider(3), {92, 812, 300, 32}},
               {kButtonsHeader, {4, 852, 452, 40}},
               {ButtonChoice(32), {92, 2272, 364, 24}},
               {kScanCodeCheck, {4, 2496, 452, 24}}});
  EXPECT_EQ(ScrollHeight(), 2528);
  ExpectEverythingInside();
}

TEST_F(MainWindowTest, PicturesShowHeadersAndBlackLivePictures) {
  Build(1, 1);
  constexpr uint32_t kOpaqueBlack = 0xFF000000;
  for (int id : {kHatPicture, StickPicture(1), ButtonPicture(1)}) {
    const FakePicture& picture = ControlOf(id).picture;
    EXPECT_EQ(picture.width, ControlOf(id).spec.width) << "picture " << id;
    EXPECT_EQ(picture.Pixel(picture.width - 1, picture.height - 1),
              kOpaqueBlack);
  }
  // A title sits right of the H x H icon square, vertically centred:
  // 10-pixel characters cover rows (H - 10) / 2 and below.
  const FakePicture& header = ControlOf(kProfileHeader).picture;
  EXPECT_EQ(header.width, 452);
  EXPECT_EQ(header.Pixel(47, 17), kOpaqueBlack);
  EXPECT_NE(header.Pixel(47, 30), kOpaqueBlack);
  EXPECT_EQ(ControlOf(kWindowHeader).picture.Pixel(55, 21), kOpaqueBlack);
}

TEST_F(MainWindowTest, ProfileChoiceShowsTheListAndTheCurrentProfile) {
  profiles.Add("b");
  profiles.Add("A");
  Build(0, 0, "c");
  EXPECT_EQ(ControlOf(kProfileChoice).items,
            (std::vector<std::string>{"A", "b", "c"}));
  EXPECT_EQ(ControlOf(kProfileChoice).selection, 2);
  EXPECT_TRUE(ControlOf(kDeleteProfileButton).enabled);
}

TEST_F(MainWindowTest, DeleteButtonIsOffOnlyForTheExactDefaultName) {
  Build(0, 0, kDefaultProfile);
  EXPECT_FALSE(ControlOf(kDeleteProfileButton).enabled);
  FakeGui other_gui;
  other_gui.OpenWindow("main", kMainClientWidth, kMainClientHeight);
  profiles.SetCurrent(profiles.Add("default"));
  BuildMainWindow({other_gui, device, catalogue, injector, profiles, strings},
                  pictures, heading_font, live_images);
  EXPECT_TRUE(other_gui.Control(kDeleteProfileButton)->enabled);
}

TEST_F(MainWindowTest, BottomButtonsSitBelowTheScrollArea) {
  pictures.options_button = RgbaImage(50, 16);
  PlaceBottomButtons(gui, pictures);
  ExpectBoxes({{kOptionsButton, {4, 468, 128, 24}},
               {kLanguageButton, {136, 468, 128, 24}}});
  EXPECT_EQ(ControlOf(kOptionsButton).spec.kind, ControlKind::kPictureButton);
  EXPECT_EQ(ControlOf(kOptionsButton).picture.width, 50);
  // A picture that could not be made leaves its button blank.
  EXPECT_EQ(ControlOf(kLanguageButton).picture_updates, 0);
}

TEST_F(MainWindowTest, DeviceSummaryFollowsTheDevice) {
  device.hat_present = 1;
  EXPECT_EQ(DeviceSummary(device, strings), "S97");
  device.name = "Pad";
  EXPECT_EQ(DeviceSummary(device, strings), "Pad\nS97");
  device.hat_present = 0;
  device.num_sticks = 1;
  device.num_buttons = 1;
  EXPECT_EQ(DeviceSummary(device, strings), "Pad\n- 2 S99 (1 S101)\n- 1 S103");
  device.name.clear();
  device.num_sticks = 3;
  device.num_buttons = 12;
  EXPECT_EQ(DeviceSummary(device, strings), "- 6 S98 (3 S100)\n- 12 S102");
  Build(3, 12);
  EXPECT_EQ(ControlOf(kDeviceSummary).text, "- 6 S98 (3 S100)\n- 12 S102");
}

class ShowSettingsTest : public MainWindowTest {
 protected:
  void SetUp() override { Build(2, 3); }
};

TEST_F(ShowSettingsTest, ShowsEveryStoredValue) {
  for (int d = 1; d <= 4; ++d) device.hat[d].action = 4 + d;
  device.hat[4].action = 95;
  device.sticks[1].dead_zone = 0.125f;
  device.sticks[1].preset = 1;
  device.sticks[2].dead_zone = 0.1f;
  device.sticks[2].preset = 2;
  device.buttons[3].action = 42;
  ShowSettings(context);
  ShowSettings(context);  // refills rather than appends

  EXPECT_EQ(ControlOf(kHatUpChoice).selection, 5);
  EXPECT_EQ(ControlOf(kHatRightChoice).selection, 6);
  EXPECT_EQ(ControlOf(kHatDownChoice).selection, 7);
  EXPECT_EQ(gui.GetText(kHatLeftChoice), catalogue.action(95).name);
  EXPECT_EQ(ControlOf(ButtonChoice(2)).items.size(), 96u);
  EXPECT_EQ(ControlOf(PresetChoice(1)).items,
            (std::vector<std::string>{"S125", "S126", "S127"}));
  EXPECT_EQ(ControlOf(PresetChoice(1)).selection, 1);
  EXPECT_EQ(ControlOf(PresetChoice(2)).selection, 2);
  EXPECT_EQ(ControlOf(DeadZoneSlider(1)).value, 12);
  EXPECT_EQ(ControlOf(DeadZoneLabel(1)).text, "12%");
  EXPECT_EQ(ControlOf(DeadZoneLabel(2)).text, "10%");
  EXPECT_EQ(ControlOf(ButtonChoice(3)).selection, 42);
  // The injector's own defaults: speed 0.5, acceleration 0.25, scan codes.
  EXPECT_EQ(ControlOf(kSpeedSlider).value, 4);
  EXPECT_EQ(ControlOf(kAccelerationSlider).value, 2);
  EXPECT_EQ(ControlOf(kScanCodeCheck).value, 1);
  EXPECT_EQ(ControlOf(kProfileChoice).selection, 0);  // left alone
}

TEST_F(ShowSettingsTest, IndicesOutsideTheListsShowNoSelection) {
  device.hat[1].action = 96;
  device.hat[2].action = -1;
  device.sticks[1].preset = 3;
  device.buttons[1].action = 1000;
  ShowSettings(context);
  EXPECT_EQ(ControlOf(kHatUpChoice).selection, -1);
  EXPECT_EQ(ControlOf(kHatRightChoice).selection, -1);
  EXPECT_EQ(ControlOf(PresetChoice(1)).selection, -1);
  EXPECT_EQ(gui.GetText(ButtonChoice(1)), "");
  EXPECT_EQ(device.buttons[1].action, 1000);
}

TEST_F(ShowSettingsTest, OutOfRangeValuesShowAtTheEndsOfTheSliders) {
  device.sticks[1].dead_zone = 0.5f;
  device.sticks[2].dead_zone = std::numeric_limits<float>::quiet_NaN();
  injector.mouse_speed = 0.0f;
  injector.mouse_acceleration = 3.0f;
  ShowSettings(context);
  EXPECT_EQ(ControlOf(DeadZoneSlider(1)).value, 20);
  EXPECT_EQ(ControlOf(DeadZoneLabel(1)).text, "50%");
  EXPECT_EQ(ControlOf(DeadZoneSlider(2)).value, 0);
  EXPECT_EQ(ControlOf(DeadZoneLabel(2)).text, "0%");
  EXPECT_EQ(ControlOf(kSpeedSlider).value, 1);
  EXPECT_EQ(ControlOf(kAccelerationSlider).value, 8);
  // Any non-zero scan-code mode sends scan codes, and shows ticked.
  for (int32_t mode : {0, 2, -1}) {
    injector.scan_code_mode = mode;
    ShowSettings(context);
    EXPECT_EQ(ControlOf(kScanCodeCheck).value, mode != 0 ? 1 : 0) << mode;
  }
  // Beyond the int range the label stops at its end rather than overflow.
  device.sticks[1].dead_zone = 1e30f;
  device.sticks[2].dead_zone = -INFINITY;
  ShowSettings(context);
  EXPECT_EQ(ControlOf(DeadZoneLabel(1)).text, std::to_string(INT_MAX) + "%");
  EXPECT_EQ(ControlOf(DeadZoneLabel(2)).text, std::to_string(INT_MIN) + "%");
  EXPECT_EQ(ControlOf(DeadZoneSlider(2)).value, 0);
}

}  // namespace
}  // namespace rz
