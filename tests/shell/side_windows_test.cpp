#include "shell/side_windows.h"

#include <gtest/gtest.h>

#include <filesystem>
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

using Launched = FakeDesktop::Launched;

std::string InFolder(const std::string& relative) {
  return (std::filesystem::current_path() / relative).string();
}

class SideWindowsTest : public ::testing::Test {
 protected:
  TempFolder folder;
  FakeGui fake;
  ActingGui acting{fake};
  FakeDesktop desktop;
};

TEST_F(SideWindowsTest, LauncherRunsOnlyWhenItIsANonEmptyFile) {
  RunLauncher(desktop);  // missing
  TempFolder::Write("Qiv.exe", "");
  RunLauncher(desktop);  // zero bytes
  EXPECT_TRUE(desktop.launched().empty());

  std::filesystem::remove("Qiv.exe");
  std::filesystem::create_directory("Qiv.exe");
  RunLauncher(desktop);
  EXPECT_TRUE(desktop.launched().empty()) << "a directory is skipped";

  std::filesystem::remove("Qiv.exe");
  TempFolder::Write("Qiv.exe", "MZ");
  desktop.launch_result = false;  // its outcome does not matter
  RunLauncher(desktop);
  EXPECT_EQ(desktop.launched(), std::vector<Launched>({{"Qiv.exe", true}}));
}

TEST_F(SideWindowsTest, InformationLinesFromTheFirstFileThatReads) {
  const InformationLines none = ReadInformation();
  EXPECT_EQ(none.first, "???");
  EXPECT_EQ(none.second, "???");

  TempFolder::Write("CheckUpdate.qivp", "Qivp 1\r\nsecond\r\nthird\r\n");
  EXPECT_EQ(ReadInformation().first, "Qivp 1");

  TempFolder::Write("CheckUpdate.ini", "RiruziruZo 1.0\rCaf\xe9 2024\nrest");
  InformationLines lines = ReadInformation();
  EXPECT_EQ(lines.first, "RiruziruZo 1.0") << "only the .ini is read";
  EXPECT_EQ(lines.second, "Caf\xc3\xa9 2024") << "8-bit text shown as UTF-8";

  TempFolder::Write("CheckUpdate.ini", "");
  lines = ReadInformation();
  EXPECT_EQ(lines.first, "");
  EXPECT_EQ(lines.second, "");

  std::filesystem::remove("CheckUpdate.ini");
  std::filesystem::create_directory("CheckUpdate.ini");
  EXPECT_EQ(ReadInformation().first, "Qivp 1")
      << "a directory of that name does not open";
}

TEST_F(SideWindowsTest, InformationBoxOfOneLineAfterTheLauncher) {
  TempFolder::Write("Qiv.exe", "MZ");
  TempFolder::Write("CheckUpdate.ini", "RiruziruZo 1.0\r\n");
  ShowInformation(acting, desktop);

  EXPECT_EQ(desktop.launched(), std::vector<Launched>({{"Qiv.exe", true}}));
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].title, "RiruziruZo 1.0");
  EXPECT_EQ(fake.messages()[0].text, "RiruziruZo 1.0\n");
  EXPECT_EQ(fake.messages()[0].buttons, MessageButtons::kOk);
}

TEST_F(SideWindowsTest, InformationBoxWithoutAnyFile) {
  ShowInformation(acting, desktop);
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].title, "???");
  EXPECT_EQ(fake.messages()[0].text, "???\n???");
  EXPECT_TRUE(desktop.launched().empty());
}

TEST(FileAddressTest, ReservedAndNonAsciiBytesAreEncoded) {
  EXPECT_EQ(FileAddress("/opt/rz/Guide/index.html"),
            "file:///opt/rz/Guide/index.html");
  EXPECT_EQ(FileAddress("/home/a b/#1 100%?/caf\xc3\xa9~_-.html"),
            "file:///home/a%20b/%231%20100%25%3F/caf%C3%A9~_-.html");
}

TEST_F(SideWindowsTest, WebSiteIsTheBuildSettingElseTheGuide) {
  EXPECT_EQ(WebSiteAddress("https://example.org/rz"), "https://example.org/rz");
  EXPECT_EQ(WebSiteAddress(""), FileAddress(InFolder("Guide/index.html")));

  OpenWebSite(desktop);
  ASSERT_EQ(desktop.opened().size(), 1u);
  EXPECT_FALSE(desktop.opened()[0].empty());
  EXPECT_TRUE(desktop.launched().empty());
}

TEST_F(SideWindowsTest, UpdateCheckerStartedElseHandedOverWhenItExists) {
  RunUpdateChecker(desktop);
  EXPECT_EQ(desktop.launched(),
            std::vector<Launched>({{"CheckUpdate.exe", false}}));
  EXPECT_TRUE(desktop.opened().empty());

  desktop.launch_result = false;
  desktop.open_result = false;
  RunUpdateChecker(desktop);
  EXPECT_TRUE(desktop.opened().empty()) << "no file, nothing to hand over";

  TempFolder::Write("CheckUpdate.exe", "not a program");
  RunUpdateChecker(desktop);
  EXPECT_EQ(desktop.opened(),
            std::vector<std::string>({InFolder("CheckUpdate.exe")}));
}

// The main window with a control and a running poll timer, as the viewer
// finds it.
class DocumentViewerTest : public SideWindowsTest {
 protected:
  DocumentViewerTest() {
    main_window = fake.OpenWindow("main", 500, 500);
    ControlSpec button;
    button.kind = ControlKind::kButton;
    button.width = 10;
    button.height = 10;
    main_button = fake.CreateControl(button);
    fake.StartTimer(1, main_window, 10);
  }

  int main_window = -1;
  int main_button = -1;
  const int viewer = 1;  // the next window the fake opens
};

TEST_F(DocumentViewerTest, ShowsTheLicenceWhileTheMainWindowIsDisabled) {
  TempFolder::Write("Qiv.exe", "MZ");
  acting.on_wait = [&](int wait) {
    EXPECT_FALSE(fake.Window(main_window)->enabled);
    EXPECT_EQ(desktop.launched().size(), 1u) << "the launcher ran first";
    const FakeWindow* window = fake.Window(viewer);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->open);
    EXPECT_EQ(window->title, "Licence");
    EXPECT_EQ(window->width, 400);
    EXPECT_EQ(window->height, 300);
    const std::vector<ControlInfo> controls = fake.DescribeControls(viewer);
    ASSERT_EQ(controls.size(), 1u);
    EXPECT_EQ(controls[0].kind, ControlKind::kBrowser);
    EXPECT_EQ(std::vector<int>({controls[0].x, controls[0].y, controls[0].width,
                                controls[0].height}),
              std::vector<int>({0, 0, 400, 300}));
    EXPECT_EQ(controls[0].text, InFolder("Licence/Licence.htm"));
    if (wait == 5) fake.UserClose(viewer);
  };
  ShowDocument(acting, desktop, "Licence", main_window);

  EXPECT_EQ(acting.delivered().size(), 6u) << "five ticks dropped";
  EXPECT_EQ(acting.delivered().back().kind, EventKind::kClose);
  EXPECT_FALSE(fake.Window(viewer)->open);
  EXPECT_TRUE(fake.Window(main_window)->open);
  EXPECT_TRUE(fake.Window(main_window)->enabled);
  EXPECT_TRUE(fake.DescribeControls(viewer).empty());
}

TEST_F(DocumentViewerTest, EveryEventUpToTheFirstCloseOfAnyWindowIsDropped) {
  TempFolder::Write("Qiv.exe", "");
  acting.on_wait = [&](int wait) {
    if (wait == 0) {
      // What still reaches the queue: a control and a menu of the main
      // window, as a toolkit may deliver them late.
      fake.PostEvent({EventKind::kControl, main_button, main_window});
      fake.PostEvent({EventKind::kMenu, 160, main_window});
    }
    if (wait == 3) fake.UserClose(main_window);
  };
  ShowDocument(acting, desktop, "Licence", main_window);

  EXPECT_TRUE(desktop.launched().empty()) << "a zero-byte launcher";
  ASSERT_EQ(acting.delivered().size(), 4u);
  EXPECT_EQ(acting.delivered()[0].kind, EventKind::kControl);
  EXPECT_EQ(acting.delivered()[1].kind, EventKind::kMenu);
  EXPECT_EQ(acting.delivered()[2].kind, EventKind::kTimer);
  EXPECT_FALSE(fake.Window(viewer)->open);
  EXPECT_TRUE(fake.Window(main_window)->open)
      << "the viewer closes its own window only";
  EXPECT_TRUE(fake.Window(main_window)->enabled);
}

}  // namespace
}  // namespace rz
