#include "shell/app.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/fake_desktop.h"
#include "platform/fake/fake_gui.h"
#include "platform/fake/fake_joystick.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/recording_sink.h"
#include "tests/profiles/test_support.h"
#include "ui/control_ids.h"

namespace rz {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

constexpr char kProfileFile[] = "Configuration/Par défaut.qivp";

InputRecord KeyA(bool up) {
  InputRecord key;
  key.type = InputRecord::Type::kKeyboard;
  key.scan = 0x041E;
  key.key_flags = up ? kKeyUp | kKeyScanCode : kKeyScanCode;
  return key;
}

// Notes, at each record it is given, which of the program's files are
// already on disk, so a test can tell what was saved before a release.
class FileWatchingSink final : public InputSink {
 public:
  explicit FileWatchingSink(fs::path folder) : folder_(std::move(folder)) {}
  void Send(const InputRecord& record) override {
    records.push_back(record);
    saved_before.push_back(fs::exists(folder_ / "Langue.lng") &&
                           fs::exists(folder_ / "Configuration.qivp") &&
                           TempFolder::Read((folder_ / kProfileFile).string())
                                   .find("Bouton1 - Action = 35\r\n") !=
                               std::string::npos);
  }
  std::vector<InputRecord> records;
  std::vector<bool> saved_before;

 private:
  fs::path folder_;
};

// The shell on the in-memory platform, in a program folder of its own with
// the real language files, started from another folder.
class AppTest : public ::testing::Test {
 protected:
  AppTest() {
    fs::create_directory(program_dir / "Configuration");
    fs::copy(RZ_LANGUAGE_DIR, program_dir / "Rod-Idevora");
    TempFolder::Write((program_dir / "Langue.lng").string(),
                      "Defaut = Francais\r\n");
    joystick.caps().name = "Pad";
    joystick.caps().num_axes = 2;
    joystick.caps().num_buttons = 2;
    joystick.caps().period_min = 7;
    for (AxisRange& range : joystick.caps().range) range = {0, 65535};
    for (int32_t& axis : joystick.position().axis) axis = 32767;
  }

  AppState& State(InputSink* injection) {
    state_.emplace(AppServices{
        .gui = gui,
        .joystick = joystick,
        .sink = injection,
        .clock = clock,
        .desktop = desktop,
        .program_dir = program_dir.string(),
        // The death tests see what was shown on stderr.
        .release =
            [this](int code) {
              for (const ShownMessage& m : gui.messages()) {
                std::fprintf(stderr, "message %s: %s\n", m.title.c_str(),
                             m.text.c_str());
              }
              std::fprintf(stderr, "released %d\n", code);
            },
    });
    return *state_;
  }

  TempFolder program_folder;
  const fs::path program_dir = fs::current_path();
  TempFolder elsewhere;
  const fs::path elsewhere_dir = fs::current_path();
  ManualClock clock;
  FakeGui gui{clock};
  FakeJoystick joystick;
  FakeDesktop desktop;
  RecordingSink sink;

 private:
  std::optional<AppState> state_;
};

TEST_F(AppTest, StartUpBuildsTheWindowInTheProgramFolderAndStartsTheTimers) {
  AppState& state = State(&sink);
  StartUp(state);

  EXPECT_EQ(fs::current_path(), program_dir);
  const FakeWindow* window = gui.Window(kMainWindow);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->title, "RiruziruZo");
  EXPECT_EQ(window->width, 500);
  EXPECT_EQ(window->height, 500);
  EXPECT_GT(window->icon_sizes, 0);
  EXPECT_GE(state.small_font, 0);
  EXPECT_GE(state.heading_font, 0);
  EXPECT_EQ(gui.control_font(), state.small_font);
  EXPECT_TRUE(gui.messages().empty());

  EXPECT_EQ(state.catalogue.action_count(), kActionCount);
  EXPECT_EQ(state.profiles.current_name(), "Par défaut");
  EXPECT_EQ(state.device.num_sticks, 1);
  EXPECT_NE(gui.Control(ButtonChoice(2)), nullptr);
  EXPECT_NE(gui.Control(kLanguageButton), nullptr);
  EXPECT_EQ(gui.Control(ButtonChoice(1))->selection, 0) << "profile shown";

  const FakeMenu* menu = gui.Menu(kOptionsMenu);
  ASSERT_NE(menu, nullptr);
  std::vector<int> items;
  for (const FakeMenu::Entry& entry : menu->entries)
    items.push_back(entry.item);
  EXPECT_EQ(items, (std::vector<int>{160, 163, 0, 161, 0, 162}));
  EXPECT_EQ(menu->entries[0].text, state.strings.Get(134));
  EXPECT_EQ(menu->entries[5].text, state.strings.Get(137));

  // The poll timer runs at the controller's period, the view timer at 100.
  EXPECT_EQ(gui.WaitEvent(), (Event{EventKind::kTimer, kPollTimer, 0}));
  EXPECT_EQ(gui.now(), 7u);
  EXPECT_TRUE(gui.TimerRunning(kViewTimer));
  // Nothing was saved by starting.
  EXPECT_FALSE(fs::exists(program_dir / "Configuration.qivp"));
}

TEST_F(AppTest, WithoutInjectionTheUserIsToldOnceAndTheProgramRunsOn) {
  AppState& state = State(nullptr);
  StartUp(state);
  ASSERT_EQ(gui.messages().size(), 1u);
  EXPECT_EQ(gui.messages()[0].title, "RiruziruZo");
  EXPECT_EQ(gui.messages()[0].text, state.strings.Get(kNoInjectionMessage));
  EXPECT_FALSE(gui.messages()[0].text.empty());

  ASSERT_TRUE(gui.UserSelect(ButtonChoice(1), 35));
  EXPECT_TRUE(DispatchEvent(state, gui.WaitEvent()));
  EXPECT_EQ(state.device.buttons[1].action, 35) << "editing works";
  joystick.position().buttons = 1;
  EXPECT_TRUE(DispatchEvent(state, {EventKind::kTimer, kPollTimer, 0}));
  EXPECT_EQ(state.device.buttons[1].strength, 1.0f) << "polling works";
  EXPECT_EQ(gui.messages().size(), 1u);
}

TEST_F(AppTest, DispatchHandsEachEventToItsOwner) {
  AppState& state = State(&sink);
  StartUp(state);

  const int polls = joystick.position_calls();
  EXPECT_TRUE(DispatchEvent(state, {EventKind::kTimer, kPollTimer, 0}));
  EXPECT_EQ(joystick.position_calls(), polls + 1);

  const int drawn = gui.Control(StickPicture(1))->picture_updates;
  EXPECT_TRUE(DispatchEvent(state, {EventKind::kTimer, kViewTimer, 0}));
  EXPECT_GT(gui.Control(StickPicture(1))->picture_updates, drawn);

  EXPECT_TRUE(DispatchEvent(state, {EventKind::kTimer, 3, 0}));
  EXPECT_TRUE(DispatchEvent(state, {EventKind::kMenu, 164, 0}));
  EXPECT_EQ(joystick.position_calls(), polls + 1);
  EXPECT_TRUE(gui.messages().empty());
  EXPECT_TRUE(desktop.opened().empty());

  EXPECT_TRUE(DispatchEvent(state, {EventKind::kControl, kOptionsButton, 0}));
  EXPECT_EQ(gui.shown_menus(), (std::vector<int>{kOptionsMenu}));

  // Any other control is an assignment edit, here one that releases.
  ASSERT_TRUE(gui.UserSelect(ButtonChoice(2), 5));
  EXPECT_TRUE(DispatchEvent(state, gui.WaitEvent()));
  EXPECT_EQ(state.device.buttons[2].action, 5);
  EXPECT_FALSE(sink.records().empty());

  EXPECT_FALSE(DispatchEvent(state, {EventKind::kClose, 0, 0}));
  EXPECT_EQ(state.last_event, EventKind::kClose);
}

TEST_F(AppTest, ShutDownSavesEverythingBeforeItReleasesHeldInput) {
  FileWatchingSink watching(program_dir);
  AppState& state = State(&watching);
  StartUp(state);
  ASSERT_TRUE(gui.UserSelect(ButtonChoice(1), 35));
  DispatchEvent(state, gui.WaitEvent());
  joystick.position().buttons = 1;
  DispatchEvent(state, {EventKind::kTimer, kPollTimer, 0});
  ASSERT_EQ(watching.records.back(), KeyA(false));
  watching.records.clear();
  watching.saved_before.clear();
  ASSERT_TRUE(state.pictures.header_icon.has_value());

  ShutDown(state);

  ASSERT_FALSE(watching.records.empty());
  for (bool saved : watching.saved_before) EXPECT_TRUE(saved);
  EXPECT_EQ(watching.records.back(), KeyA(true));
  EXPECT_EQ(TempFolder::Read((program_dir / "Configuration.qivp").string()),
            "Configuration = Par défaut\r\n");
  EXPECT_EQ(TempFolder::Read((program_dir / "Langue.lng").string()),
            "Defaut = Francais\r\n");
  EXPECT_TRUE(fs::is_empty(elsewhere_dir)) << "started from there";
  EXPECT_FALSE(state.pictures.header_icon.has_value());
  EXPECT_FALSE(state.pictures.options_button.has_value());
  EXPECT_FALSE(state.pictures.profile_icon.has_value());
}

TEST_F(AppTest, ShutDownInAFolderThatTakesNoFilesOnlyReleases) {
  AppState& state = State(&sink);
  StartUp(state);
  ASSERT_TRUE(state.folder_writable);
  ASSERT_TRUE(gui.UserSelect(ButtonChoice(1), 35));
  DispatchEvent(state, gui.WaitEvent());
  joystick.position().buttons = 1;
  DispatchEvent(state, {EventKind::kTimer, kPollTimer, 0});
  ASSERT_EQ(sink.records().back(), KeyA(false));

  state.folder_writable = false;
  ShutDown(state);

  EXPECT_EQ(sink.records().back(), KeyA(true)) << "the key stays held";
  EXPECT_EQ(
      TempFolder::List(program_dir.string()),
      (std::set<std::string>{"Configuration", "Langue.lng", "Rod-Idevora"}));
  EXPECT_TRUE(
      TempFolder::List((program_dir / "Configuration").string()).empty());
  EXPECT_EQ(TempFolder::Read((program_dir / "Langue.lng").string()),
            "Defaut = Francais\r\n");
}

// The live view through the real start-up and main loop, in virtual time:
// the first view tick draws every picture, nothing is drawn while another
// window is in front, and then exactly the pictures whose values changed.
TEST_F(AppTest, TheLiveViewDrawsOnlyInFrontAndOnlyWhatChanged) {
  joystick.caps().num_axes = 6;
  joystick.caps().num_buttons = 32;
  joystick.caps().caps = kJoyCapsHasPov;
  joystick.caps().period_min = 10;
  AppState& state = State(&sink);
  StartUp(state);
  std::vector<int> pictures{kHatPicture};
  for (int i = 1; i <= 3; ++i) pictures.push_back(StickPicture(i));
  for (int j = 1; j <= 32; ++j) pictures.push_back(ButtonPicture(j));
  const auto updates = [&] {
    std::vector<int> counts;
    for (int id : pictures) counts.push_back(gui.Control(id)->picture_updates);
    return counts;
  };
  // Runs the main loop until `ms` of virtual time have passed, the ticks
  // due at that moment included.
  const auto run = [&](uint32_t ms) {
    const uint64_t end = gui.now() + ms;
    while (gui.now() <= end) {
      ASSERT_TRUE(DispatchEvent(state, gui.WaitEvent()));
    }
  };

  const std::vector<int> built = updates();
  run(100);  // the first view tick
  std::vector<int> drawn = updates();
  for (size_t k = 0; k < pictures.size(); ++k) {
    EXPECT_EQ(drawn[k], built[k] + 1) << "picture " << pictures[k];
  }
  run(300);  // nothing moves: nothing is drawn again
  EXPECT_EQ(updates(), drawn);

  gui.set_foreground(-1);
  joystick.position().axis[kAxisX] = 65535;  // stick 1 right
  joystick.position().buttons = 1u << 4;     // button 5
  joystick.position().pov = 9000;            // hat right
  run(500);
  EXPECT_EQ(updates(), drawn) << "nothing is drawn behind another window";
  EXPECT_EQ(state.device.buttons[5].strength, 1.0f) << "mapping goes on";

  gui.set_foreground(kMainWindow);
  run(100);
  std::vector<int> expected = drawn;
  for (size_t k = 0; k < pictures.size(); ++k) {
    const int id = pictures[k];
    if (id == kHatPicture || id == StickPicture(1) || id == ButtonPicture(5)) {
      ++expected[k];
    }
  }
  EXPECT_EQ(updates(), expected);
}

using AppDeathTest = AppTest;

TEST_F(AppDeathTest, EndProgramReleasesTheServicesAndExitsWithZero) {
  AppState& state = State(&sink);
  EXPECT_EXIT(EndProgram(state), ::testing::ExitedWithCode(0), "released 0");
}

TEST_F(AppDeathTest, NoControllerShowsOneMessageAndWritesNothing) {
  joystick.set_caps_result(kJoyErrUnplugged);
  AppState& state = State(&sink);
  EXPECT_EXIT(StartUp(state), ::testing::ExitedWithCode(0),
              "message RiruziruZo: Aucune manette de jeu[^\n]*\nreleased 0");
  joystick.set_caps_result(kJoyErrNoDriver);
  EXPECT_EXIT(StartUp(state), ::testing::ExitedWithCode(0),
              "message RiruziruZo: Le service des manettes[^\n]*\nreleased 0");
  EXPECT_EQ(
      TempFolder::List(program_dir.string()),
      (std::set<std::string>{"Configuration", "Langue.lng", "Rod-Idevora"}));
  EXPECT_TRUE(
      TempFolder::List((program_dir / "Configuration").string()).empty());
}

TEST_F(AppDeathTest, AProgramFolderThatCannotBeEnteredEndsSilently) {
  AppState& state = State(&sink);
  state.services.program_dir = (program_dir / "missing").string();
  EXPECT_EXIT(StartUp(state), ::testing::ExitedWithCode(0), "^released 0\n$");
  EXPECT_TRUE(fs::is_empty(elsewhere_dir));
  EXPECT_EQ(
      TempFolder::List(program_dir.string()),
      (std::set<std::string>{"Configuration", "Langue.lng", "Rod-Idevora"}));
}

}  // namespace
}  // namespace rz
