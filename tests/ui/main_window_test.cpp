#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
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
  Box BoxOf(int id) const { return rz::BoxOf(ControlOf(id)); }
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
  EXPECT_EQ(BoxOf(kWindowHeader), (Box{4, 8, 492, 48}));
  EXPECT_EQ(ControlOf(kWindowHeader).spec.parent, -1);
  EXPECT_EQ(BoxOf(kScrollArea), (Box{4, 64, 492, 396}));
  EXPECT_EQ(BoxOf(kProfileHeader), (Box{4, 8, 452, 40}));
  EXPECT_EQ(BoxOf(kProfileChoice), (Box{4, 48, 292, 24}));
  EXPECT_EQ(BoxOf(kNewProfileButton), (Box{296, 48, 80, 24}));
  EXPECT_EQ(BoxOf(kDeleteProfileButton), (Box{376, 48, 80, 24}));
  EXPECT_EQ(ControlOf(kNewProfileButton).text, "S94");
  EXPECT_EQ(ControlOf(kDeleteProfileButton).text, "S95");
  EXPECT_EQ(BoxOf(kJoystickHeader), (Box{4, 80, 452, 40}));
  EXPECT_EQ(BoxOf(kDeviceSummary), (Box{4, 120, 452, 80}));
  EXPECT_EQ(BoxOf(kHatHeader), (Box{4, 208, 452, 40}));
  EXPECT_EQ(BoxOf(kHatPicture), (Box{4, 248, 80, 80}));
  EXPECT_EQ(BoxOf(kHatUpChoice), (Box{92, 264, 364, 24}));
  EXPECT_EQ(BoxOf(kHatRightChoice), (Box{92, 308, 364, 24}));
  EXPECT_EQ(BoxOf(kHatDownChoice), (Box{92, 352, 364, 24}));
  EXPECT_EQ(BoxOf(kHatLeftChoice), (Box{92, 400, 364, 24}));
  EXPECT_EQ(BoxOf(kButtonsHeader), (Box{4, 432, 452, 40}));
  EXPECT_EQ(BoxOf(kMouseHeader), (Box{4, 480, 452, 40}));
  EXPECT_EQ(BoxOf(kSpeedSlider), (Box{4, 536, 452, 32}));
  EXPECT_EQ(BoxOf(kAccelerationSlider), (Box{4, 588, 452, 32}));
  EXPECT_EQ(BoxOf(kKeyboardHeader), (Box{4, 628, 452, 40}));
  EXPECT_EQ(BoxOf(kScanCodeCheck), (Box{4, 668, 452, 24}));
  EXPECT_EQ(ControlOf(kScanCodeCheck).text, "S133");
  EXPECT_EQ(ScrollHeight(), 700);
  for (int id : {StickHeader(1), PresetChoice(1), ButtonPicture(1),
                 ButtonChoice(1), kOptionsButton, kLanguageButton}) {
    EXPECT_EQ(gui.Control(id), nullptr) << "control " << id;
  }
  ExpectEverythingInside();
}

TEST_F(MainWindowTest, LabelsSitAboveTheirBoxesAndTheLeftOneFurther) {
  Build(0, 2);
  std::vector<std::pair<std::string, Box>> labels;
  for (const FakeControl* label : gui.Labels(kMainWindow)) {
    EXPECT_EQ(label->spec.parent, kScrollArea);
    labels.emplace_back(label->text, rz::BoxOf(*label));
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
  EXPECT_EQ(BoxOf(StickHeader(1)), (Box{4, 432, 452, 40}));
  EXPECT_EQ(BoxOf(StickPicture(1)), (Box{4, 472, 80, 80}));
  EXPECT_EQ(BoxOf(PresetChoice(1)), (Box{92, 488, 364, 24}));
  EXPECT_EQ(BoxOf(DeadZoneSlider(1)), (Box{92, 532, 300, 32}));
  EXPECT_EQ(BoxOf(DeadZoneLabel(1)), (Box{392, 532, 64, 32}));
  EXPECT_EQ(ControlOf(DeadZoneLabel(1)).spec.kind, ControlKind::kText);
  EXPECT_EQ(ControlOf(DeadZoneLabel(1)).text, "");
  EXPECT_EQ(ControlOf(DeadZoneSlider(1)).spec.min, 0);
  EXPECT_EQ(ControlOf(DeadZoneSlider(1)).spec.max, 20);
  EXPECT_EQ(gui.Control(StickHeader(2)), nullptr);
  EXPECT_EQ(BoxOf(kButtonsHeader), (Box{4, 572, 452, 40}));
  EXPECT_EQ(BoxOf(ButtonPicture(1)), (Box{4, 620, 80, 24}));
  EXPECT_EQ(BoxOf(ButtonChoice(1)), (Box{92, 628, 364, 24}));
  EXPECT_EQ(BoxOf(ButtonChoice(12)), (Box{92, 1112, 364, 24}));
  EXPECT_EQ(gui.Control(ButtonChoice(13)), nullptr);
  EXPECT_EQ(BoxOf(kMouseHeader), (Box{4, 1148, 452, 40}));
  EXPECT_EQ(BoxOf(kScanCodeCheck), (Box{4, 1336, 452, 24}));
  EXPECT_EQ(ScrollHeight(), 1368);
  ExpectEverythingInside();
}

TEST_F(MainWindowTest, ThreeSticksAndThirtyTwoButtons) {
  Build(3, 32);
  EXPECT_EQ(BoxOf(StickHeader(3)), (Box{4, 712, 452, 40}));
  EXPECT_EQ(ControlOf(StickHeader(3)).spec.kind, ControlKind::kPicture);
  EXPECT_EQ(BoxOf(DeadZoneSlider(3)), (Box{92, 812, 300, 32}));
  EXPECT_EQ(BoxOf(kButtonsHeader), (Box{4, 852, 452, 40}));
  EXPECT_EQ(BoxOf(ButtonChoice(32)), (Box{92, 2272, 364, 24}));
  EXPECT_EQ(BoxOf(kScanCodeCheck), (Box{4, 2496, 452, 24}));
  EXPECT_EQ(ControlOf(kSpeedSlider).spec.min, 1);
  EXPECT_EQ(ControlOf(kSpeedSlider).spec.max, 8);
  EXPECT_EQ(ControlOf(kAccelerationSlider).spec.min, 0);
  EXPECT_EQ(ControlOf(kAccelerationSlider).spec.max, 8);
  EXPECT_EQ(ScrollHeight(), 2528);
  ExpectEverythingInside();
}

TEST_F(MainWindowTest, PicturesShowHeadersAndBlackLivePictures) {
  Build(1, 1);
  constexpr uint32_t kOpaqueBlack = 0xFF000000;
  for (int id : {kHatPicture, StickPicture(1), ButtonPicture(1)}) {
    const FakePicture& picture = ControlOf(id).picture;
    EXPECT_EQ(picture.width, ControlOf(id).spec.width) << "picture " << id;
    EXPECT_EQ(picture.Pixel(0, 0), kOpaqueBlack) << "picture " << id;
    EXPECT_EQ(picture.Pixel(picture.width - 1, picture.height - 1),
              kOpaqueBlack);
  }
  // A header's title sits right of the H x H icon square, vertically
  // centred: 10-pixel characters cover rows (H - 10) / 2 and below.
  const FakePicture& header = ControlOf(kProfileHeader).picture;
  EXPECT_EQ(header.width, 452);
  EXPECT_EQ(header.height, 40);
  EXPECT_EQ(header.Pixel(47, 17), kOpaqueBlack);
  EXPECT_NE(header.Pixel(47, 30), kOpaqueBlack);
  const FakePicture& top = ControlOf(kWindowHeader).picture;
  EXPECT_EQ(top.width, 492);
  EXPECT_EQ(top.height, 48);
  EXPECT_EQ(top.Pixel(55, 21), kOpaqueBlack);
}

TEST_F(MainWindowTest, ProfileChoiceShowsTheListAndTheCurrentProfile) {
  profiles.Add("b");
  profiles.Add("A");
  Build(0, 0, "c");
  const FakeControl& choice = ControlOf(kProfileChoice);
  EXPECT_EQ(choice.items, (std::vector<std::string>{"A", "b", "c"}));
  EXPECT_EQ(choice.selection, 2);
  EXPECT_EQ(profiles.current(), 2);
}

TEST_F(MainWindowTest, DeleteButtonIsOffOnlyForTheExactDefaultName) {
  Build(0, 0, kDefaultProfile);
  EXPECT_FALSE(ControlOf(kDeleteProfileButton).enabled);

  FakeGui other_gui;
  other_gui.OpenWindow("main", kMainClientWidth, kMainClientHeight);
  ProfileList other_profiles;
  other_profiles.SetCurrent(other_profiles.Add("default"));
  BuildMainWindow(
      {other_gui, device, catalogue, injector, other_profiles, strings},
      pictures, heading_font, live_images);
  EXPECT_TRUE(other_gui.Control(kDeleteProfileButton)->enabled);
}

TEST_F(MainWindowTest, BottomButtonsSitBelowTheScrollArea) {
  pictures.options_button = RgbaImage(50, 16);
  PlaceBottomButtons(gui, pictures);
  EXPECT_EQ(BoxOf(kOptionsButton), (Box{4, 468, 128, 24}));
  EXPECT_EQ(BoxOf(kLanguageButton), (Box{136, 468, 128, 24}));
  EXPECT_EQ(ControlOf(kOptionsButton).spec.kind, ControlKind::kPictureButton);
  EXPECT_EQ(ControlOf(kOptionsButton).spec.parent, -1);
  EXPECT_EQ(ControlOf(kOptionsButton).picture.width, 50);
  // A picture that could not be made leaves its button blank.
  EXPECT_EQ(ControlOf(kLanguageButton).picture_updates, 0);
}

TEST(DeviceSummaryTest, LinesFollowTheDevice) {
  StringTable strings;
  strings.Resize(160);
  for (int n = 0; n < strings.size(); ++n) strings.Set(n, TestString(n));
  Device device;
  device.hat_present = 1;
  EXPECT_EQ(DeviceSummary(device, strings), "S97");
  device.name = "Pad";
  EXPECT_EQ(DeviceSummary(device, strings), "Pad\nS97");
  device.hat_present = 0;
  EXPECT_EQ(DeviceSummary(device, strings), "Pad");
  device.num_sticks = 1;
  device.num_buttons = 1;
  EXPECT_EQ(DeviceSummary(device, strings), "Pad\n- 2 S99 (1 S101)\n- 1 S103");
  device.name.clear();
  device.num_sticks = 3;
  device.num_buttons = 12;
  EXPECT_EQ(DeviceSummary(device, strings), "- 6 S98 (3 S100)\n- 12 S102");
  device.num_sticks = 2;
  device.num_buttons = 0;
  EXPECT_EQ(DeviceSummary(device, strings), "- 4 S98 (2 S100)");
}

TEST_F(MainWindowTest, TheSummaryBoxShowsTheSummary) {
  device.name = "Pad";
  device.hat_present = 1;
  Build(1, 4);
  EXPECT_EQ(ControlOf(kDeviceSummary).spec.kind, ControlKind::kEditor);
  EXPECT_EQ(ControlOf(kDeviceSummary).text,
            "Pad\nS97\n- 2 S99 (1 S101)\n- 4 S102");
}

TEST(ShownValueTest, RoundsHalvesToEvenAndStaysDefined) {
  EXPECT_EQ(ShownValue(0.125f, 100), 12);
  EXPECT_EQ(ShownValue(0.07f, 100), 7);
  EXPECT_EQ(ShownValue(0.1875f, 8), 2);  // 1.5
  EXPECT_EQ(ShownValue(0.0625f, 8), 0);  // 0.5
  EXPECT_EQ(ShownValue(-0.025f, 100), -2);
  EXPECT_EQ(ShownValue(0.13f, 100), 13);
  EXPECT_EQ(ShownValue(std::numeric_limits<float>::quiet_NaN(), 100), 0);
  EXPECT_EQ(ShownValue(1e30f, 100), INT_MAX);
  EXPECT_EQ(ShownValue(-INFINITY, 8), INT_MIN);
  for (int position = 0; position <= 20; ++position) {
    EXPECT_EQ(ShownValue(static_cast<float>(position) / 100.0f, 100), position);
  }
}

class ShowSettingsTest : public MainWindowTest {
 protected:
  void SetUp() override { Build(2, 3); }
};

TEST_F(ShowSettingsTest, ShowsEveryStoredValue) {
  device.hat[1].action = 5;
  device.hat[2].action = 6;
  device.hat[3].action = 7;
  device.hat[4].action = 95;
  device.sticks[1].preset = 1;
  device.sticks[1].dead_zone = 0.125f;
  device.sticks[2].preset = 2;
  device.sticks[2].dead_zone = 0.1f;
  device.buttons[3].action = 42;
  injector.mouse_speed = 0.5f;
  injector.mouse_acceleration = 0.25f;
  injector.scan_code_mode = 1;
  ShowSettings(context);

  EXPECT_EQ(ControlOf(kHatUpChoice).selection, 5);
  EXPECT_EQ(ControlOf(kHatRightChoice).selection, 6);
  EXPECT_EQ(ControlOf(kHatDownChoice).selection, 7);
  EXPECT_EQ(gui.GetText(kHatLeftChoice), catalogue.action(95).name);
  EXPECT_EQ(ControlOf(kHatUpChoice).items.size(), 96u);
  EXPECT_EQ(ControlOf(PresetChoice(1)).items,
            (std::vector<std::string>{"S125", "S126", "S127"}));
  EXPECT_EQ(ControlOf(PresetChoice(1)).selection, 1);
  EXPECT_EQ(ControlOf(PresetChoice(2)).selection, 2);
  EXPECT_EQ(ControlOf(DeadZoneSlider(1)).value, 12);
  EXPECT_EQ(ControlOf(DeadZoneLabel(1)).text, "12%");
  EXPECT_EQ(ControlOf(DeadZoneSlider(2)).value, 10);
  EXPECT_EQ(ControlOf(DeadZoneLabel(2)).text, "10%");
  EXPECT_EQ(ControlOf(ButtonChoice(1)).selection, 0);
  EXPECT_EQ(ControlOf(ButtonChoice(3)).selection, 42);
  EXPECT_EQ(ControlOf(kSpeedSlider).value, 4);
  EXPECT_EQ(ControlOf(kAccelerationSlider).value, 2);
  EXPECT_EQ(ControlOf(kScanCodeCheck).value, 1);
}

TEST_F(ShowSettingsTest, RefillsRatherThanAppends) {
  ShowSettings(context);
  ShowSettings(context);
  EXPECT_EQ(ControlOf(ButtonChoice(2)).items.size(), 96u);
  EXPECT_EQ(ControlOf(PresetChoice(2)).items.size(), 3u);
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
  EXPECT_EQ(ControlOf(ButtonChoice(1)).selection, -1);
  EXPECT_EQ(gui.GetText(ButtonChoice(1)), "");
  // The stored values are left as they were.
  EXPECT_EQ(device.buttons[1].action, 1000);
}

TEST_F(ShowSettingsTest, SlidersShowOutOfRangeValuesAtTheirEnds) {
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
  EXPECT_EQ(injector.mouse_speed, 0.0f);
}

TEST_F(ShowSettingsTest, AnyNonZeroScanCodeModeShowsTicked) {
  for (int32_t mode : {0, 1, 2, -1}) {
    injector.scan_code_mode = mode;
    ShowSettings(context);
    EXPECT_EQ(ControlOf(kScanCodeCheck).value, mode != 0 ? 1 : 0)
        << "mode " << mode;
  }
}

TEST_F(ShowSettingsTest, LeavesTheProfileChoiceAlone) {
  gui.SetSelection(kProfileChoice, -1);
  ShowSettings(context);
  EXPECT_EQ(ControlOf(kProfileChoice).selection, -1);
  EXPECT_EQ(ControlOf(kProfileChoice).items.size(), 1u);
}

}  // namespace
}  // namespace rz
