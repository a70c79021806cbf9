#include "platform/fake/fake_gui.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/fake/manual_clock.h"

namespace rz {
namespace {

Event Tick(int timer) { return {EventKind::kTimer, timer, 0}; }
Event ControlEvent(int id) { return {EventKind::kControl, id, 0}; }

class FakeGuiTest : public ::testing::Test {
 protected:
  FakeGuiTest() : gui(clock) { gui.OpenWindow("main", 500, 500); }

  int Create(ControlKind kind, int id, int min = 0, int max = 0) {
    ControlSpec spec;
    spec.id = id;
    spec.kind = kind;
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
    const int timer = gui.WaitEvent().number;
    seen.emplace_back(gui.now(), timer);
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
  gui.PostEvent(ControlEvent(7));
  gui.PostEvent(Tick(2));  // already pending: coalesced
  EXPECT_EQ(gui.PendingEvents(), 3);
  EXPECT_EQ(gui.WaitEvent(), ControlEvent(7));
  // Pending ticks come in the order they fell due: timer 2 first, at 1 ms.
  EXPECT_EQ(gui.WaitEvent(), Tick(2));
  EXPECT_EQ(gui.WaitEvent(), Tick(1));
  EXPECT_EQ(gui.WaitEvent(), Tick(2));
  EXPECT_EQ(gui.now(), 1001u);
  gui.StopTimer(1);
  gui.StopTimer(2);
  EXPECT_EQ(gui.WaitEvent().kind, EventKind::kNone);
}

TEST_F(FakeGuiTest, ControlsKeepTheirStateWithinBounds) {
  EXPECT_EQ(Create(ControlKind::kSlider, 3, 1, 8), 3);
  EXPECT_EQ(Create(ControlKind::kButton, 3), -1);  // number taken
  gui.SetValue(3, 20);
  EXPECT_EQ(gui.GetValue(3), 8);
  gui.SetValue(3, -5);
  EXPECT_EQ(gui.GetValue(3), 1);

  Create(ControlKind::kCombo, 5);
  for (const char* item : {"a", "b", "c"}) gui.AddItem(5, item);
  EXPECT_EQ(gui.GetSelection(5), -1);
  gui.SetSelection(5, 3);
  EXPECT_EQ(gui.GetSelection(5), -1);
  gui.SetSelection(5, 2);
  gui.RemoveItem(5, 0);
  EXPECT_EQ(gui.GetText(5), "c");
  gui.RemoveItem(5, 1);  // the selected one: none is selected afterwards
  EXPECT_EQ(gui.GetSelection(5), -1);
  gui.ClearItems(5);
  EXPECT_EQ(gui.GetText(5), "");
  EXPECT_EQ(gui.GetValue(99), 0);
  EXPECT_EQ(gui.GetSelection(99), -1);
}

TEST_F(FakeGuiTest, UsersReachOnlyEnabledControls) {
  Create(ControlKind::kButton, 5);
  Create(ControlKind::kCombo, 7);
  gui.AddItem(7, "x");
  EXPECT_FALSE(gui.UserSelect(7, 1));
  EXPECT_TRUE(gui.UserSelect(7, 0));
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
  ASSERT_EQ(gui.messages().size(), 3u);
  EXPECT_EQ(gui.messages()[2].title, "c");
  EXPECT_EQ(gui.requests().back().answer, "name");
}

TEST_F(FakeGuiTest, TextIsDrawnAsClippedBlocksInTheGivenColour) {
  const int font = gui.LoadFont("Arial", 9);
  EXPECT_EQ(gui.MeasureText(font, "ab \xC3\xA9").width, 24);
  EXPECT_EQ(gui.MeasureText(font, "x").height, FakeGui::kCharHeight);
  // Opaque white, 16 x 12 pixels in rows of 20.
  std::vector<uint8_t> pixels(20 * 12 * 4, 255);
  gui.DrawText(font, "a b", {pixels.data(), 16, 12, 20}, -2, 1, 0x800000FF);
  const auto pixel = [&](int x, int y) {
    const uint8_t* p = &pixels[(static_cast<size_t>(y) * 20 + x) * 4];
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
  };
  constexpr uint32_t kPink = 0xFF7F7FFF;  // half-opaque red over white
  EXPECT_EQ(pixel(0, 1), kPink);
  EXPECT_EQ(pixel(3, 10), kPink);
  EXPECT_EQ(pixel(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(pixel(4, 5), 0xFFFFFFFFu);   // the blank
  EXPECT_EQ(pixel(15, 5), kPink);        // "b" from -2 + 12
  EXPECT_EQ(pixel(16, 5), 0xFFFFFFFFu);  // beyond the width
}

}  // namespace
}  // namespace rz
