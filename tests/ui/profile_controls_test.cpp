#include "ui/profile_controls.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "profiles/profile.h"
#include "tests/ui/window_test_support.h"
#include "ui/assignment.h"

namespace rz {
namespace {

using Names = std::vector<std::string>;

class ProfileControlsTest : public ProfileWindowTest {
 protected:
  // A window with the default profile, `names` and `current` listed and
  // `current` current, showing its values.
  void Start(const Names& names, const std::string& current) {
    profiles.Add(kDefaultProfile);
    for (const std::string& name : names) profiles.Add(name);
    Build(1, 2, current);
    LoadAndShowProfile(context);
  }

  // A profile file on disk with the given mouse speed.
  static void WriteProfile(const std::string& name, float speed) {
    ProfileList list;
    list.SetCurrent(list.Add(name));
    Device values;
    Catalogue no_actions;
    Injector settings(no_actions, nullptr);
    settings.mouse_speed = speed;
    SaveProfile(list, values, settings);
    ASSERT_TRUE(ProfileOnDisk(name));
  }

  static std::string FileText(const std::string& name) {
    std::ifstream in("Configuration/" + name + ".qivp", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // The user edits the mouse speed in the window.
  void EditSpeed(int position) {
    ASSERT_TRUE(gui.UserSetValue(kSpeedSlider, position));
    HandleAssignmentEvent(context, gui.WaitEvent().number);
  }

  void Choose(const std::string& name) {
    const Names& items = ControlOf(kProfileChoice).items;
    const auto it = std::find(items.begin(), items.end(), name);
    ASSERT_NE(it, items.end()) << name;
    ASSERT_TRUE(
        gui.UserSelect(kProfileChoice, static_cast<int>(it - items.begin())));
    ASSERT_EQ(gui.WaitEvent().number, kProfileChoice);
    SelectProfile(context);
  }

  void ExpectCurrent(const std::string& name) {
    EXPECT_EQ(profiles.current_name(), name);
    EXPECT_EQ(ControlOf(kProfileChoice).items, profiles.names());
    EXPECT_EQ(gui.GetText(kProfileChoice), name);
  }
  bool DeleteEnabled() const { return ControlOf(kDeleteProfileButton).enabled; }
};

TEST_F(ProfileControlsTest, SelectingSavesTheProfileLeftAndShowsTheChosenOne) {
  WriteProfile("Blue", 0.75f);
  Start({"Blue"}, "Red");
  EditSpeed(8);
  Choose("Blue");
  ExpectCurrent("Blue");
  EXPECT_NE(FileText("Red").find("Souris - Vitesse = 1.000000"),
            std::string::npos);
  EXPECT_EQ(injector.mouse_speed, 0.75f);
  EXPECT_EQ(ControlOf(kSpeedSlider).value, 6);
  EXPECT_TRUE(DeleteEnabled());

  Choose(kDefaultProfile);
  EXPECT_FALSE(DeleteEnabled());
  Choose("Red");
  EXPECT_EQ(injector.mouse_speed, 1.0f);
  EXPECT_TRUE(DeleteEnabled());
}

TEST_F(ProfileControlsTest, TheCurrentProfileOrNoneSwitchesNothing) {
  Start({"Blue"}, "Red");
  EditSpeed(8);
  HoldLeftButton();
  Choose("Red");
  ASSERT_TRUE(gui.UserSelect(kProfileChoice, -1));  // an emptied field
  gui.WaitEvent();
  SelectProfile(context);
  EXPECT_EQ(profiles.current_name(), "Red");
  EXPECT_FALSE(ProfileOnDisk("Red"));
  EXPECT_EQ(injector.mouse_speed, 1.0f);
  EXPECT_TRUE(sink.records().empty());
}

TEST_F(ProfileControlsTest, EveryProfileChangeReleasesHeldInputs) {
  Start({"Blue"}, "Red");
  HoldLeftButton();
  Choose("Blue");
  EXPECT_TRUE(LeftButtonReleased());

  HoldLeftButton();
  gui.QueueTextAnswer("Green");
  CreateProfile(context);
  EXPECT_EQ(profiles.current_name(), "Green");
  EXPECT_TRUE(LeftButtonReleased());

  HoldLeftButton();
  gui.QueueMessageAnswer(MessageAnswer::kYes);
  DeleteProfile(context);
  EXPECT_EQ(profiles.current_name(), kDefaultProfile);
  EXPECT_TRUE(LeftButtonReleased());
}

TEST_F(ProfileControlsTest, CreatingSavesTheEditsFirstAndStartsFromDefaults) {
  Start({}, "Red");
  EditSpeed(8);
  device.buttons[1].action = 9;
  gui.QueueTextAnswer("New one");
  CreateProfile(context);

  ASSERT_EQ(gui.requests().size(), 1u);
  EXPECT_EQ(gui.requests()[0].title, "S142");
  EXPECT_EQ(gui.requests()[0].prompt, "S143");
  EXPECT_NE(FileText("Red").find("Souris - Vitesse = 1.000000"),
            std::string::npos);
  EXPECT_NE(FileText("Red").find("Bouton1 - Action = 9"), std::string::npos);
  ExpectCurrent("New one");
  EXPECT_EQ(profiles.names(), (Names{kDefaultProfile, "New one", "Red"}));
  EXPECT_FALSE(ProfileOnDisk("New one"));
  EXPECT_EQ(injector.mouse_speed, 0.5f);
  EXPECT_EQ(device.buttons[1].action, 0);
  EXPECT_EQ(ControlOf(kSpeedSlider).value, 4);
  EXPECT_EQ(ControlOf(ButtonChoice(1)).selection, 0);
  EXPECT_TRUE(DeleteEnabled());
  EXPECT_TRUE(gui.messages().empty());
}

TEST_F(ProfileControlsTest, AnEmptyAnswerDoesNothingNotEvenASave) {
  Start({}, "Red");
  CreateProfile(context);
  EXPECT_EQ(gui.requests().size(), 1u);
  EXPECT_FALSE(ProfileOnDisk("Red"));
  EXPECT_EQ(profiles.names(), (Names{kDefaultProfile, "Red"}));
}

TEST_F(ProfileControlsTest, InvalidNamesAreRefusedAfterTheSaveOthersAccepted) {
  Start({}, "Red");
  for (const char* name : {"a/b", "c:d", "e?f", "g|h", "tab\there"}) {
    gui.QueueTextAnswer(name);
    CreateProfile(context);
    ASSERT_FALSE(gui.messages().empty());
    EXPECT_EQ(gui.messages().back().title, "S146") << name;
    EXPECT_EQ(gui.messages().back().text, "S147") << name;
    EXPECT_EQ(gui.messages().back().buttons, MessageButtons::kOk);
  }
  EXPECT_EQ(gui.messages().size(), 5u);
  EXPECT_TRUE(ProfileOnDisk("Red"));
  ExpectCurrent("Red");
  EXPECT_EQ(profiles.names(), (Names{kDefaultProfile, "Red"}));

  gui.QueueTextAnswer("my pad v1.2 \xC3\xA9t\xC3\xA9");
  CreateProfile(context);
  EXPECT_EQ(gui.messages().size(), 5u);
  ExpectCurrent("my pad v1.2 \xC3\xA9t\xC3\xA9");
}

TEST_F(ProfileControlsTest, ANameTakenOnDiskOrInTheListIsRefused) {
  // Copied into the folder after start-up: on disk but not listed.
  WriteProfile("Copied", 0.25f);
  Start({"Ghost"}, "Red");
  for (const char* name : {"Copied", "Ghost"}) {
    gui.QueueTextAnswer(name);
    CreateProfile(context);
    ASSERT_FALSE(gui.messages().empty());
    EXPECT_EQ(gui.messages().back().title, "S144") << name;
    EXPECT_EQ(gui.messages().back().text, "S145") << name;
  }
  EXPECT_EQ(profiles.names(), (Names{kDefaultProfile, "Ghost", "Red"}));
  ExpectCurrent("Red");
}

TEST_F(ProfileControlsTest, DeletingAsksThenFallsBackToTheDefaultProfile) {
  WriteProfile(kDefaultProfile, 0.25f);
  WriteProfile("Red", 1.0f);
  Start({"Blue"}, "Red");

  DeleteProfile(context);  // unanswered: No
  ASSERT_EQ(gui.messages().size(), 1u);
  EXPECT_EQ(gui.messages()[0].title, "S148");
  EXPECT_EQ(gui.messages()[0].text, "S149RedS150");
  EXPECT_EQ(gui.messages()[0].buttons, MessageButtons::kYesNo);
  EXPECT_TRUE(ProfileOnDisk("Red"));
  ExpectCurrent("Red");

  gui.QueueMessageAnswer(MessageAnswer::kYes);
  DeleteProfile(context);
  EXPECT_FALSE(ProfileOnDisk("Red"));
  EXPECT_EQ(profiles.names(), (Names{"Blue", kDefaultProfile}));
  ExpectCurrent(kDefaultProfile);
  EXPECT_FALSE(DeleteEnabled());
  EXPECT_EQ(injector.mouse_speed, 0.25f);
  EXPECT_EQ(ControlOf(kSpeedSlider).value, 2);
}

TEST_F(ProfileControlsTest, WithoutTheDefaultProfileTheLastOneBecomesCurrent) {
  profiles.Add("A");
  profiles.Add("C");
  device.num_sticks = 0;
  BuildMainWindow(context, pictures, heading_font, live_images);
  profiles.SetCurrent(0);
  gui.QueueMessageAnswer(MessageAnswer::kYes);
  DeleteProfile(context);
  ExpectCurrent("C");
  EXPECT_FALSE(DeleteEnabled());
}

TEST_F(ProfileControlsTest, DeletingTheOnlyProfileLeavesTheDefaultOneCurrent) {
  WriteProfile("Solo", 1.0f);
  profiles.SetCurrent(profiles.Add("Solo"));
  BuildMainWindow(context, pictures, heading_font, live_images);
  LoadAndShowProfile(context);
  gui.QueueMessageAnswer(MessageAnswer::kYes);
  DeleteProfile(context);
  EXPECT_FALSE(ProfileOnDisk("Solo"));
  EXPECT_EQ(profiles.names(), (Names{kDefaultProfile}));
  ExpectCurrent(kDefaultProfile);
  EXPECT_FALSE(DeleteEnabled());
  EXPECT_EQ(injector.mouse_speed, 0.5f);
  EXPECT_EQ(ControlOf(kSpeedSlider).value, 4);
}

TEST_F(ProfileControlsTest, AFileThatCannotBeDeletedStillLeavesTheList) {
  std::filesystem::create_directory("Configuration/Dir.qivp");
  Start({}, "Dir");
  gui.QueueMessageAnswer(MessageAnswer::kYes);
  DeleteProfile(context);
  EXPECT_EQ(profiles.names(), (Names{kDefaultProfile}));
  EXPECT_TRUE(std::filesystem::is_directory("Configuration/Dir.qivp"));
}

}  // namespace
}  // namespace rz
