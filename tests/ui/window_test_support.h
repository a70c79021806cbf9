// A main window on the fake Gui with its own state, for the window tests.
#ifndef RIRUZIRUZO_TESTS_UI_WINDOW_TEST_SUPPORT_H_
#define RIRUZIRUZO_TESTS_UI_WINDOW_TEST_SUPPORT_H_

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "engine/actions.h"
#include "engine/injector.h"
#include "engine/joystick.h"
#include "localisation/string_table.h"
#include "platform/fake/fake_gui.h"
#include "platform/fake/recording_sink.h"
#include "profiles/profile_list.h"
#include "ui/artwork.h"
#include "ui/control_ids.h"
#include "ui/live_view.h"
#include "ui/main_window.h"

namespace rz {

inline constexpr char kDefaultProfile[] = "Default";
inline constexpr int kLeftButtonAction = 5;  // press 0x0002, release 0x0004

// String n reads "S<n>", except the default profile's names (139, 140,
// 141, 151), which all read kDefaultProfile.
inline std::string TestString(int number) {
  if (number == 139 || number == 140 || number == 141 || number == 151) {
    return kDefaultProfile;
  }
  return "S" + std::to_string(number);
}

class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    strings.Resize(160);
    for (int n = 0; n < strings.size(); ++n) strings.Set(n, TestString(n));
    BuildCatalogue(catalogue, TestString);
    gui.OpenWindow("main", kMainClientWidth, kMainClientHeight);
    heading_font = gui.LoadFont("Arial", 12);
    gui.SetControlFont(gui.LoadFont("Arial", 9));
  }

  // Builds the window for a device of `sticks` and `buttons`, with
  // `profile` listed and current.
  void Build(int sticks, int buttons,
             const std::string& profile = kDefaultProfile) {
    device.num_sticks = sticks;
    device.num_buttons = buttons;
    if (!profile.empty()) profiles.SetCurrent(profiles.Add(profile));
    BuildMainWindow(context, pictures, heading_font, live_images);
  }

  // Presses the left mouse button as a held controller input would.
  void HoldLeftButton() {
    injector.PerformAction(kLeftButtonAction, 1.0f);
    sink.Clear();
  }
  // Exactly one release of the left mouse button has been sent.
  bool LeftButtonReleased() const {
    return std::count_if(sink.records().begin(), sink.records().end(),
                         [](const InputRecord& record) {
                           return record.mouse_flags == kMouseEventLeftUp;
                         }) == 1;
  }

  const FakeControl& ControlOf(int id) const {
    const FakeControl* control = gui.Control(id);
    EXPECT_NE(control, nullptr) << "control " << id << " missing";
    static const FakeControl kMissing;
    return control != nullptr ? *control : kMissing;
  }

  FakeGui gui;
  Device device;
  Catalogue catalogue;
  RecordingSink sink;
  Injector injector{catalogue, &sink};
  ProfileList profiles;
  StringTable strings;
  Pictures pictures;
  LiveViewImages live_images;
  int heading_font = -1;
  WindowContext context{gui, device, catalogue, injector, profiles, strings};
};

// The same, in a fresh temporary folder as working directory with an empty
// "Configuration/" in it; the previous working directory comes back after
// each test.
class ProfileWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() /
              ("rz-window-" + std::to_string(::getpid()) + "-" + info->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_ / "Configuration");
    std::filesystem::current_path(folder_);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }

  static bool ProfileOnDisk(const std::string& name) {
    return std::filesystem::exists("Configuration/" + name + ".qivp");
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path folder_;
};

}  // namespace rz

#endif  // RIRUZIRUZO_TESTS_UI_WINDOW_TEST_SUPPORT_H_
