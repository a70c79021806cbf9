#include "localisation/language_chooser.h"

#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/fake_desktop.h"
#include "platform/fake/fake_gui.h"
#include "tests/localisation/acting_gui.h"
#include "tests/profiles/test_support.h"

namespace rz {
namespace {

using testing::ActingGui;
using testing::TempFolder;

constexpr char kExecutable[] = "/opt/rz/riruziruzo";

// The order in which the directory yields `folder`'s entries.
std::vector<std::string> DirectoryOrder(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* entry = ::readdir(dir))
      names.emplace_back(entry->d_name);
    ::closedir(dir);
  }
  return names;
}

void WriteLanguageFiles(const std::vector<std::string>& files) {
  std::filesystem::create_directory("Rod-Idevora");
  for (const std::string& file : files) {
    TempFolder::Write("Rod-Idevora/" + file, "151\r\n");
  }
}

TEST(ListLanguagesTest, TxtFilesOnlyEveryExtensionRemovedInDirectoryOrder) {
  TempFolder folder;
  WriteLanguageFiles({"Francais.Txt", "notes.txt.txt", "English.TXT",
                      "readme.md", "Deutsch.txt.bak", ".txt"});
  std::filesystem::create_directories("Rod-Idevora/Espanol.txt");
  const std::map<std::string, std::string> listed = {
      {"Francais.Txt", "Francais"},
      {"notes.txt.txt", "notes"},
      {"English.TXT", "English"}};
  std::vector<std::string> expected;
  for (const std::string& entry : DirectoryOrder("Rod-Idevora")) {
    if (const auto it = listed.find(entry); it != listed.end()) {
      expected.push_back(it->second);
    }
  }

  std::vector<std::string> languages = {"left over"};
  ASSERT_TRUE(ListLanguages(&languages));
  EXPECT_EQ(languages, expected)
      << "the directory Espanol.txt, other extensions and the nameless .txt "
         "are left out; the rest keeps the directory's order";
}

TEST(ListLanguagesTest, MissingOrUnlistableFolder) {
  TempFolder folder;
  std::vector<std::string> languages = {"left over"};
  EXPECT_FALSE(ListLanguages(&languages));
  EXPECT_TRUE(languages.empty());

  TempFolder::Write("Rod-Idevora", "a file where the folder should be");
  EXPECT_FALSE(ListLanguages(&languages));
  EXPECT_TRUE(languages.empty());
}

TEST(PreselectedLanguageTest, FirstExactMatchOrFrancaisWhenNoneIsKnown) {
  const std::vector<std::string> languages = {"English", "Francais", "notes",
                                              "English"};
  EXPECT_EQ(PreselectedLanguage(languages, ""), 1);
  EXPECT_EQ(PreselectedLanguage(languages, "English"), 0);
  EXPECT_EQ(PreselectedLanguage(languages, "notes"), 2);
  EXPECT_EQ(PreselectedLanguage(languages, "english"), -1)
      << "letter case is respected";
  EXPECT_EQ(PreselectedLanguage({"francais", "English"}, ""), -1);
  EXPECT_EQ(PreselectedLanguage({}, ""), -1);
}

// The chooser over a scratch program folder, with hooks that log what they
// see when they run.
class ChooseLanguageTest : public ::testing::Test {
 protected:
  ChooseLanguageTest() {
    desktop.executable_path = kExecutable;
    hooks.save_last_profile = [this] { Log("save last profile"); };
    hooks.save_profile = [this] { Log("save profile"); };
    hooks.release_all = [this] { Log("release all"); };
    hooks.end_program = [this] { Log("end program"); };
  }

  // Records the hook with whether "Langue.lng" exists and the program was
  // restarted at that moment.
  void Log(const std::string& hook) {
    calls.push_back(hook +
                    (std::filesystem::exists("Langue.lng") ? " +lng" : "") +
                    (desktop.restarted().empty() ? "" : " +restarted"));
  }

  void Choose() { ChooseLanguage(acting, desktop, language, hooks); }

  // The chooser window while it is open (the last window opened).
  int Chooser() const {
    int window = 0;
    while (fake.Window(window + 1) != nullptr) ++window;
    return window;
  }
  ControlInfo ControlOfKind(ControlKind kind) {
    for (const ControlInfo& info : fake.DescribeControls(Chooser())) {
      if (info.kind == kind) return info;
    }
    ADD_FAILURE() << "no such control in the chooser";
    return {};
  }
  // Selects `name` and presses OK, as the user would.
  void Confirm(const std::string& name) {
    const ControlInfo choice = ControlOfKind(ControlKind::kCombo);
    const FakeControl* control = fake.Control(choice.id);
    ASSERT_NE(control, nullptr);
    const auto found =
        std::find(control->items.begin(), control->items.end(), name);
    ASSERT_NE(found, control->items.end()) << name << " is not listed";
    fake.UserSelect(choice.id,
                    static_cast<int>(found - control->items.begin()));
    fake.UserClick(ControlOfKind(ControlKind::kButton).id);
  }

  TempFolder folder;
  FakeGui fake;
  ActingGui acting{fake};
  FakeDesktop desktop;
  LanguageChooserHooks hooks;
  std::string language;
  std::vector<std::string> calls;
};

TEST_F(ChooseLanguageTest, FirstStartWindowListsAndPreselectsFrancais) {
  WriteLanguageFiles({"Francais.Txt", "English.txt"});
  acting.on_wait = [this](int) {
    const FakeWindow* window = fake.Window(Chooser());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->title, "Langue / Language");
    EXPECT_EQ(window->width, 200);
    EXPECT_EQ(window->height, 64);
    const ControlInfo choice = ControlOfKind(ControlKind::kCombo);
    EXPECT_EQ(
        std::vector<int>({choice.x, choice.y, choice.width, choice.height}),
        std::vector<int>({5, 5, 190, 24}));
    EXPECT_EQ(choice.items, 2);
    EXPECT_EQ(choice.text, "Francais");
    const ControlInfo ok = ControlOfKind(ControlKind::kButton);
    EXPECT_EQ(std::vector<int>({ok.x, ok.y, ok.width, ok.height}),
              std::vector<int>({5, 35, 190, 24}));
    EXPECT_EQ(ok.text, "OK");
    fake.UserClick(ok.id);
  };
  Choose();

  EXPECT_EQ(language, "Francais");
  EXPECT_EQ(TempFolder::Read("Langue.lng"), "Defaut = Francais\r\n");
  EXPECT_EQ(desktop.restarted(), std::vector<std::string>({kExecutable}));
  EXPECT_TRUE(desktop.launched().empty());
  EXPECT_FALSE(fake.Window(Chooser())->open);
  EXPECT_EQ(calls.back(), "end program +lng +restarted");
}

TEST_F(ChooseLanguageTest, ClosedAtFirstStartEndsWithoutWritingAnything) {
  WriteLanguageFiles({"Francais.txt"});
  acting.on_wait = [this](int) { fake.UserClose(Chooser()); };
  Choose();

  EXPECT_EQ(calls, std::vector<std::string>({"end program"}));
  EXPECT_EQ(TempFolder::List("."), std::set<std::string>({"Rod-Idevora"}));
  EXPECT_TRUE(desktop.restarted().empty());
  EXPECT_FALSE(fake.Window(Chooser())->open);
}

TEST_F(ChooseLanguageTest, SameLanguageJustClosesAndReturns) {
  WriteLanguageFiles({"Francais.txt", "English.txt"});
  language = "English";
  acting.on_wait = [this](int) {
    EXPECT_EQ(ControlOfKind(ControlKind::kCombo).text, "English");
    Confirm("English");
  };
  Choose();

  EXPECT_EQ(language, "English");
  EXPECT_TRUE(calls.empty());
  EXPECT_FALSE(std::filesystem::exists("Langue.lng"));
  EXPECT_TRUE(desktop.restarted().empty());
  EXPECT_FALSE(fake.Window(Chooser())->open);
}

TEST_F(ChooseLanguageTest, AnotherLanguageSavesReleasesWritesRestartsAndEnds) {
  WriteLanguageFiles({"Francais.txt", "English.txt"});
  language = "English";
  // The program ends even when the new instance cannot be started.
  desktop.restart_result = false;
  acting.on_wait = [this](int) { Confirm("Francais"); };
  Choose();

  EXPECT_EQ(language, "Francais");
  EXPECT_EQ(calls, std::vector<std::string>({"save last profile",
                                             "save profile", "release all",
                                             "end program +lng +restarted"}));
  EXPECT_EQ(TempFolder::Read("Langue.lng"), "Defaut = Francais\r\n");
  EXPECT_EQ(desktop.restarted(), std::vector<std::string>({kExecutable}));
}

TEST_F(ChooseLanguageTest, RememberedNameInOtherCasePreselectsNothing) {
  WriteLanguageFiles({"English.txt", "Francais.txt"});
  language = "english";
  acting.on_wait = [this](int) {
    EXPECT_EQ(ControlOfKind(ControlKind::kCombo).state, -1);
    fake.UserClose(Chooser());
  };
  Choose();
  EXPECT_EQ(language, "english");
  EXPECT_TRUE(calls.empty());
}

TEST_F(ChooseLanguageTest, EmptyChoiceWithAndWithoutARememberedLanguage) {
  // No language file: OK gives the empty text.
  WriteLanguageFiles({});
  acting.on_wait = [this](int) {
    fake.UserClick(ControlOfKind(ControlKind::kButton).id);
  };
  Choose();
  EXPECT_EQ(calls, std::vector<std::string>({"end program"}))
      << "the same (empty) language: closed, then ended for want of one";
  EXPECT_FALSE(std::filesystem::exists("Langue.lng"));

  calls.clear();
  language = "English";
  Choose();
  EXPECT_EQ(language, "");
  EXPECT_EQ(calls.back(), "end program +lng +restarted");
  EXPECT_EQ(TempFolder::Read("Langue.lng"), "Defaut = \r\n");
}

TEST_F(ChooseLanguageTest, MissingFolderOpensAndClosesAtOnce) {
  language = "English";
  Choose();
  EXPECT_TRUE(acting.delivered().empty()) << "the chooser did not wait";
  EXPECT_FALSE(fake.Window(Chooser())->open);
  EXPECT_TRUE(calls.empty());

  language.clear();
  Choose();
  EXPECT_EQ(calls, std::vector<std::string>({"end program"}));
  EXPECT_EQ(TempFolder::List("."), std::set<std::string>());
}

TEST_F(ChooseLanguageTest, TicksControlsAndMenusOfOtherWindowsAreDropped) {
  WriteLanguageFiles({"Francais.txt", "English.txt"});
  language = "English";
  const int main_window = fake.OpenWindow("main", 500, 500);
  ControlSpec button;
  button.kind = ControlKind::kButton;
  button.window = main_window;
  button.width = 10;
  button.height = 10;
  const int main_button = fake.CreateControl(button);
  fake.StartTimer(1, main_window, 10);
  acting.on_wait = [&](int wait) {
    if (wait == 0) {
      fake.UserClick(main_button);
      fake.PostEvent({EventKind::kMenu, 160, main_window});
    }
    // Ticks keep coming until the user finally picks a language.
    if (wait == 6) Confirm("Francais");
  };
  Choose();

  int ticks = 0;
  for (const Event& event : acting.delivered()) {
    ticks += event.kind == EventKind::kTimer ? 1 : 0;
  }
  EXPECT_EQ(ticks, 4);
  EXPECT_EQ(acting.delivered().size(), 8u) << "every event was taken";
  EXPECT_EQ(language, "Francais") << "only OK ended the wait";
  EXPECT_TRUE(fake.Window(main_window)->open);
}

TEST_F(ChooseLanguageTest, CloseRequestOfAnyWindowEndsTheWait) {
  WriteLanguageFiles({"Francais.txt", "English.txt"});
  language = "English";
  const int main_window = fake.OpenWindow("main", 500, 500);
  acting.on_wait = [&](int) { fake.UserClose(main_window); };
  Choose();

  EXPECT_EQ(acting.delivered().size(), 1u);
  EXPECT_TRUE(fake.Window(main_window)->open)
      << "the chooser closes its own window only";
  EXPECT_FALSE(fake.Window(Chooser())->open);
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(language, "English");
}

}  // namespace
}  // namespace rz
