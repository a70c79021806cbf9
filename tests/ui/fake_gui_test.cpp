#include "platform/fake/fake_gui.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/fake/fake_desktop.h"
#include "platform/fake/manual_clock.h"

namespace rz {
namespace {

Event Tick(int timer) { return {EventKind::kTimer, timer, 0}; }
Event ControlEvent(int id) { return {EventKind::kControl, id, 0}; }

class FakeGuiTest : public ::testing::Test {
 protected:
  FakeGuiTest() : gui(clock) { gui.OpenWindow("main", 500, 500); }

  int Create(ControlKind kind, int id, int parent = -1, int min = 0,
             int max = 0) {
    ControlSpec spec;
    spec.id = id;
    spec.kind = kind;
    spec.parent = parent;
    spec.width = 10;
    spec.height = 10;
    spec.min = min;
    spec.max = max;
    return gui.CreateControl(spec);
  }

  ManualClock clock;
  FakeGui gui;
};

TEST_F(FakeGuiTest, VirtualTimeJumpsToTheEarliestTickInStartOrder) {
  gui.StartTimer(2, 0, 10);
  gui.StartTimer(1, 0, 5);
  std::vector<std::pair<uint64_t, int>> seen;
  for (int k = 0; k < 4; ++k) {
    const Event event = gui.WaitEvent();
    ASSERT_EQ(event.kind, EventKind::kTimer);
    seen.emplace_back(gui.now(), event.number);
  }
  // At 10 both are due: the one started first comes first.
  EXPECT_EQ(seen, (std::vector<std::pair<uint64_t, int>>{
                      {5, 1}, {10, 2}, {10, 1}, {15, 1}}));
  EXPECT_EQ(clock.TickCount(), 15u);
}

TEST_F(FakeGuiTest, TicksWaitForOtherEventsAndCoalesce) {
  gui.StartTimer(1, 0, 10);
  gui.StartTimer(2, 0, 0);  // counts as 1 ms
  gui.AdvanceTime(1000);
  EXPECT_EQ(gui.PendingEvents(), 2);
  gui.PostEvent(ControlEvent(7));
  gui.PostEvent(ControlEvent(8));
  gui.PostEvent(Tick(2));  // already pending: coalesced
  EXPECT_EQ(gui.WaitEvent(), ControlEvent(7));
  EXPECT_EQ(gui.WaitEvent(), ControlEvent(8));
  // Pending ticks come in the order they fell due: timer 2 first at 1 ms.
  EXPECT_EQ(gui.WaitEvent(), Tick(2));
  EXPECT_EQ(gui.WaitEvent(), Tick(1));
  EXPECT_EQ(gui.now(), 1000u);
  EXPECT_EQ(gui.WaitEvent(), Tick(2));
  EXPECT_EQ(gui.now(), 1001u);
}

TEST_F(FakeGuiTest, StoppedTimersAndClosedWindowsTickNoMore) {
  gui.StartTimer(1, 0, 10);
  gui.AdvanceTime(10);
  gui.StopTimer(1);
  EXPECT_EQ(gui.PendingEvents(), 0);
  EXPECT_EQ(gui.WaitEvent().kind, EventKind::kNone);

  const int side = gui.OpenWindow("side", 100, 100);
  gui.StartTimer(3, side, 10);
  ControlSpec spec;
  spec.window = side;
  spec.kind = ControlKind::kButton;
  spec.id = 70;
  ASSERT_EQ(gui.CreateControl(spec), 70);
  gui.CloseWindow(side);
  EXPECT_FALSE(gui.TimerRunning(3));
  EXPECT_EQ(gui.Control(70), nullptr);
  EXPECT_EQ(gui.CreateControl(spec), -1);
}

TEST_F(FakeGuiTest, ControlsKeepTheirStateWithinBounds) {
  EXPECT_EQ(Create(ControlKind::kSlider, 3, -1, 1, 8), 3);
  EXPECT_EQ(gui.GetValue(3), 1);
  gui.SetValue(3, 20);
  EXPECT_EQ(gui.GetValue(3), 8);
  gui.SetValue(3, -5);
  EXPECT_EQ(gui.GetValue(3), 1);
  Create(ControlKind::kCheck, 4);
  gui.SetValue(4, 7);
  EXPECT_EQ(gui.GetValue(4), 1);

  Create(ControlKind::kCombo, 5);
  for (const char* item : {"a", "b", "c"}) gui.AddItem(5, item);
  EXPECT_EQ(gui.GetSelection(5), -1);
  gui.SetSelection(5, 3);
  EXPECT_EQ(gui.GetSelection(5), -1);
  gui.SetSelection(5, 2);
  EXPECT_EQ(gui.GetText(5), "c");
  gui.RemoveItem(5, 0);
  EXPECT_EQ(gui.GetText(5), "c");
  gui.RemoveItem(5, 1);  // the selected one: the new last takes its place
  EXPECT_EQ(gui.GetText(5), "b");
  gui.ClearItems(5);
  EXPECT_EQ(gui.GetSelection(5), -1);
  gui.SetText(5, "ignored");
  EXPECT_EQ(gui.GetText(5), "");

  // Unknown numbers give neutral values.
  EXPECT_EQ(gui.GetValue(99), 0);
  EXPECT_EQ(gui.GetSelection(99), -1);
  EXPECT_EQ(gui.GetText(99), "");
}

TEST_F(FakeGuiTest, CreationChecksNumbersAndParents) {
  EXPECT_EQ(Create(ControlKind::kScroll, 1), 1);
  EXPECT_EQ(Create(ControlKind::kButton, 1), -1);     // taken
  EXPECT_EQ(Create(ControlKind::kButton, 2, 9), -1);  // no such parent
  EXPECT_EQ(Create(ControlKind::kButton, 2, 1), 2);
  EXPECT_EQ(Create(ControlKind::kButton, 3, 2), -1);   // not a scroll
  EXPECT_EQ(Create(ControlKind::kButton, kNoId), -1);  // only labels
  EXPECT_EQ(Create(ControlKind::kLabel, kNoId, 1), kNoId);
  EXPECT_EQ(Create(ControlKind::kButton, kAutoId), FakeGui::kFirstAutoId);
  const std::vector<ControlInfo> infos = gui.DescribeControls(0);
  ASSERT_EQ(infos.size(), 4u);
  EXPECT_EQ(infos[2].id, kNoId);
  EXPECT_EQ(infos[2].kind, ControlKind::kLabel);
  EXPECT_EQ(gui.Labels(0).size(), 1u);
}

TEST_F(FakeGuiTest, UsersReachOnlyEnabledControls) {
  Create(ControlKind::kButton, 5);
  Create(ControlKind::kCombo, 7);
  gui.AddItem(7, "x");
  EXPECT_FALSE(gui.UserSelect(7, 1));
  EXPECT_TRUE(gui.UserSelect(7, 0));
  EXPECT_FALSE(gui.UserClick(7));  // not a button
  gui.EnableControl(5, false);
  EXPECT_FALSE(gui.UserClick(5));
  gui.EnableControl(5, true);
  gui.EnableWindow(0, false);
  EXPECT_FALSE(gui.UserClick(5));
  gui.EnableWindow(0, true);
  EXPECT_TRUE(gui.UserClick(5));
  gui.UserClose(0);
  EXPECT_EQ(gui.WaitEvent(), ControlEvent(7));
  EXPECT_EQ(gui.WaitEvent(), ControlEvent(5));
  EXPECT_EQ(gui.WaitEvent(), (Event{EventKind::kClose, 0, 0}));
}

TEST_F(FakeGuiTest, ModalBoxesTakeScriptedAnswersInOrder) {
  EXPECT_EQ(gui.ShowMessage("t", "x", MessageButtons::kOk), MessageAnswer::kOk);
  EXPECT_EQ(gui.ShowMessage("t", "x", MessageButtons::kYesNo),
            MessageAnswer::kNo);
  EXPECT_EQ(gui.RequestText("t", "p"), "");
  gui.QueueMessageAnswer(MessageAnswer::kYes);
  gui.QueueMessageAnswer(MessageAnswer::kYes);
  gui.QueueTextAnswer("name");
  EXPECT_EQ(gui.ShowMessage("a", "b", MessageButtons::kOk), MessageAnswer::kOk);
  EXPECT_EQ(gui.ShowMessage("c", "d", MessageButtons::kYesNo),
            MessageAnswer::kYes);
  EXPECT_EQ(gui.RequestText("e", "f"), "name");
  ASSERT_EQ(gui.messages().size(), 4u);
  EXPECT_EQ(gui.messages()[3].title, "c");
  EXPECT_EQ(gui.messages()[3].answer, MessageAnswer::kYes);
  ASSERT_EQ(gui.requests().size(), 2u);
  EXPECT_EQ(gui.requests()[1].prompt, "f");
  EXPECT_EQ(gui.requests()[1].answer, "name");
}

TEST_F(FakeGuiTest, MenusAnswerWithTheQueuedChoice) {
  EXPECT_TRUE(gui.CreatePopupMenu(159));
  gui.AppendMenuItem(159, 160, "Info");
  gui.AppendMenuSeparator(159);
  ASSERT_EQ(gui.Menu(159)->entries.size(), 2u);
  gui.ShowPopupMenu(159, 0);  // dismissed
  EXPECT_EQ(gui.PendingEvents(), 0);
  gui.QueueMenuChoice(160);
  gui.ShowPopupMenu(159, 0);
  EXPECT_EQ(gui.WaitEvent(), (Event{EventKind::kMenu, 160, 0}));
  EXPECT_EQ(gui.shown_menus().size(), 2u);
}

TEST_F(FakeGuiTest, TextIsDrawnAsBlocksInTheGivenColour) {
  const int font = gui.LoadFont("Arial", 9);
  EXPECT_EQ(gui.MeasureText(font, "ab \xC3\xA9").width, 24);
  EXPECT_EQ(gui.MeasureText(font, "x").height, FakeGui::kCharHeight);
  EXPECT_EQ(gui.MeasureText(-1, "x").width, 0);

  std::vector<uint8_t> pixels(20 * 12 * 4, 0);
  // Opaque white background, stride wider than the drawn part.
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = 255;
  const RgbaView view{pixels.data(), 16, 12, 20};
  gui.DrawText(font, "a b", view, -2, 1, 0x800000FF);  // half-opaque red
  const auto pixel = [&](int x, int y) {
    const uint8_t* p = &pixels[(static_cast<size_t>(y) * 20 + x) * 4];
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
  };
  EXPECT_EQ(pixel(0, 1), 0xFF7F7FFFu);  // first block, clipped at the left
  EXPECT_EQ(pixel(3, 10), 0xFF7F7FFFu);
  EXPECT_EQ(pixel(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(pixel(4, 5), 0xFFFFFFFFu);   // the blank
  EXPECT_EQ(pixel(10, 5), 0xFF7F7FFFu);  // "b" at -2 + 12
  EXPECT_EQ(pixel(15, 5), 0xFF7F7FFFu);
  EXPECT_EQ(pixel(16, 5), 0xFFFFFFFFu);  // beyond the width: untouched
}

TEST_F(FakeGuiTest, PicturesAreCopied) {
  Create(ControlKind::kPicture, 18);
  std::vector<uint8_t> pixels(3 * 2 * 4, 0);
  pixels[(1 * 3 + 1) * 4 + 0] = 9;  // (1, 1) of a 2 x 2 image, stride 3
  gui.SetPicture(18, {pixels.data(), 2, 2, 3});
  pixels.assign(pixels.size(), 0);
  const FakePicture& picture = gui.Control(18)->picture;
  EXPECT_EQ(picture.width, 2);
  EXPECT_EQ(picture.Pixel(1, 1), 9u);
  EXPECT_EQ(picture.Pixel(2, 0), 0u);
  EXPECT_EQ(gui.Control(18)->picture_updates, 1);
  EXPECT_FALSE(gui.SaveScreenshot(0, "shot.png"));
}

TEST(FakeDesktopTest, RecordsEveryRequest) {
  FakeDesktop desktop;
  desktop.executable_path = "/opt/rz/riruziruzo";
  desktop.launch_result = false;
  EXPECT_EQ(desktop.ExecutablePath(), "/opt/rz/riruziruzo");
  EXPECT_FALSE(desktop.Launch("CheckUpdate.exe", true));
  EXPECT_TRUE(desktop.Open("Licence/Licence.htm"));
  EXPECT_TRUE(desktop.Restart("/opt/rz/riruziruzo"));
  EXPECT_EQ(desktop.launched(),
            (std::vector<FakeDesktop::Launched>{{"CheckUpdate.exe", true}}));
  EXPECT_EQ(desktop.opened(), std::vector<std::string>{"Licence/Licence.htm"});
  EXPECT_EQ(desktop.restarted().size(), 1u);
}

}  // namespace
}  // namespace rz
